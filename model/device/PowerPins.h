#pragma once
// A device's hidden power pins as the "Device Power Pins" dialog edits them: each a pin name,
// a pin number and an automatic net, kept in the device's "_Implicit" attribute (name 0x01
// number, 0x01 between pins) and in an attribute named by the pin name and ".Net".

#include <vector>

#include "platform/CString.h"

class CDevice;

struct PowerPin {
    CString name;
    CString number;
    CString net;
};

// The device's power pins, in the list's order: sorted by name, ignoring case.
std::vector<PowerPin> LoadPowerPins(const CDevice& device);
// The "_Implicit" value of the pins.
CString ComposeImplicit(const std::vector<PowerPin>& pins);

// What a pin name or number that cannot stand in "_Implicit" is told (IsImplicitPinText).
constexpr char kIllegalPinName[] = "Pin name contains illegal characters";
constexpr char kIllegalPinNumber[] = "Pin number contains illegal characters";

// Why a pin cannot be added, and whether the fault is in the number; null when it can.
const char* PowerPinProblem(const PowerPin& pin, bool& inNumber);
// Updates the pin of that name (ignoring case), else adds it in its sorted place; the index.
int AddPowerPin(std::vector<PowerPin>& pins, const PowerPin& pin);

// Writes "_Implicit" and each pin's net. A pin listed with no net has none afterwards, one
// cleared as well as one removed before and added again: a net left from before would still
// tie it. A pin removed from the list keeps its net with the device.
void ApplyPowerPins(CDevice& device, const std::vector<PowerPin>& pins);
