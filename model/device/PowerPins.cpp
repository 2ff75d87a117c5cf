#include "model/device/PowerPins.h"

#include <strings.h>
#include <algorithm>

#include "model/device/Device.h"
#include "model/device/ImplicitPins.h"

namespace {

constexpr char kSeparator = '\x01';

CString NetAttribute(const CString& pin) {
    return pin + ".Net";
}

bool Before(const CString& a, const CString& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

}  // namespace

std::vector<PowerPin> LoadPowerPins(const CDevice& device) {
    std::vector<PowerPin> pins;
    for (const ImplicitPin& hidden : device.GetImplicitPins()) {
        PowerPin pin;
        pin.name = hidden.name.c_str();
        pin.number = hidden.number.c_str();
        pin.net = device.GetAttr(NetAttribute(pin.name));
        AddPowerPin(pins, pin);
    }
    return pins;
}

CString ComposeImplicit(const std::vector<PowerPin>& pins) {
    std::string implicit;
    for (const PowerPin& pin : pins) {
        if (!implicit.empty())
            implicit += kSeparator;
        implicit += pin.name.str() + kSeparator + pin.number.str();
    }
    return CString(implicit.c_str());
}

const char* PowerPinProblem(const PowerPin& pin, bool& inNumber) {
    inNumber = false;
    if (pin.name.IsEmpty())
        return "Pin must be named";
    if (!IsImplicitPinText(pin.name.str()))
        return kIllegalPinName;
    inNumber = true;
    if (pin.number.IsEmpty())
        return "Pin must have a number";
    if (!IsImplicitPinText(pin.number.str()))
        return kIllegalPinNumber;
    inNumber = false;
    return nullptr;
}

int AddPowerPin(std::vector<PowerPin>& pins, const PowerPin& pin) {
    const auto same = std::find_if(pins.begin(), pins.end(), [&pin](const PowerPin& own) {
        return strcasecmp(own.name.c_str(), pin.name.c_str()) == 0;
    });
    if (same != pins.end()) {
        same->number = pin.number;
        same->net = pin.net;
        return int(same - pins.begin());
    }
    const auto at = std::upper_bound(
        pins.begin(), pins.end(), pin,
        [](const PowerPin& a, const PowerPin& b) { return Before(a.name, b.name); });
    const auto added = pins.insert(at, pin);
    return int(added - pins.begin());
}

void ApplyPowerPins(CDevice& device, const std::vector<PowerPin>& pins) {
    for (const PowerPin& pin : pins) {
        if (pin.net.IsEmpty())
            device.RemoveAttr(NetAttribute(pin.name));
    }
    // The same pins keep the list as it is stored, in its order and with its separators.
    const CString implicit = ComposeImplicit(pins);
    if (!SameImplicitPins(device.GetAttr("_Implicit").str(), implicit.str()))
        device.SetAttr("_Implicit", implicit, TRUE);
    for (const PowerPin& pin : pins) {
        if (!pin.net.IsEmpty() && device.GetAttr(NetAttribute(pin.name)) != pin.net)
            device.SetAttr(NetAttribute(pin.name), pin.net, TRUE);
    }
}
