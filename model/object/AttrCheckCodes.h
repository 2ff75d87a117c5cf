#pragma once
// The results of CheckAttrValue: 0 accepts the value, a code from 1 to 15 refuses it (the
// message is AttrCheckText's), a negative code is a warning the user may override.

constexpr int kAttrOk = 0;
constexpr int kIdMissing = 1;
constexpr int kIdExists = 2;
constexpr int kNameMissing = 3;
constexpr int kNameExists = 4;
constexpr int kNoDevice = 5;
constexpr int kDuplicateInstance = 6;
constexpr int kDuplicatePinName = 7;
constexpr int kSymbolOrPinNotFound = 8;
constexpr int kMapNotValid = 9;
constexpr int kInvalidParameter = 10;
constexpr int kInvalidIdentifier = 11;
constexpr int kNumberMissing = 12;
constexpr int kNotModifiable = 13;
constexpr int kIncompatibleDevice = 14;
constexpr int kInvalidCharacter = 15;

constexpr int kWarnDeviceLocked = -1;
constexpr int kWarnLocked = -2;
