#pragma once
// Reserved attribute names. Names that begin with an underscore have a fixed meaning; every
// part of the program takes them from this one table by number, so that each name is
// written in one place only. The table is constant for the life of the program.

#include <string_view>

constexpr int kStdAttrNone = 0;
constexpr int kStdAttrPos = 1;
constexpr int kStdAttrWidth = 2;
constexpr int kStdAttrHeight = 3;
constexpr int kStdAttrRotation = 4;
constexpr int kStdAttrId = 5;
constexpr int kStdAttrName = 6;
constexpr int kStdAttrPref = 7;
constexpr int kStdAttrInst = 8;
constexpr int kStdAttrDid = 9;
constexpr int kStdAttrDeviceName = 10;
constexpr int kStdAttrNo = 11;
constexpr int kStdAttrType = 12;
constexpr int kStdAttrFootprint = 13;
constexpr int kStdAttrIsolation = 14;
constexpr int kStdAttrMinConductor = 15;
constexpr int kStdAttrMap = 16;
constexpr int kStdAttrDesc = 17;
constexpr int kStdAttrPinSwap = 18;
constexpr int kStdAttrGateSwap = 19;
constexpr int kStdAttrPath = 20;
constexpr int kStdAttrImplicit = 21;
constexpr int kStdAttrSubcct = 22;
constexpr int kStdAttrCommand = 23;
constexpr int kStdAttrParameters = 24;
constexpr int kStdAttrDirectory = 25;
constexpr int kStdAttrValue = 26;
constexpr int kStdAttrCat = 27;
constexpr int kStdAttrCount = 28;

// The name of a reserved attribute by number; null for kStdAttrNone and for numbers outside
// the table.
const char* GetStdAttrName(int number);

// A name beginning with this prefix (byte for byte, case-sensitive) addresses, in a symbol,
// the attribute of the symbol's device named by the rest of the name.
constexpr std::string_view kDeviceAttrPrefix = "_Device.";

constexpr bool IsDeviceAttrName(std::string_view name) {
    return name.starts_with(kDeviceAttrPrefix);
}

// The device's attribute name addressed by a "_Device." name: the name without the prefix.
// Only valid for names that IsDeviceAttrName accepts.
constexpr std::string_view DeviceAttrName(std::string_view name) {
    return name.substr(kDeviceAttrPrefix.size());
}
