#include "model/device/PowerPins.h"

#include <strings.h>
#include <algorithm>

#include "model/device/Device.h"

namespace {

constexpr char kSeparator = '\x01';

CString NetAttribute(const CString& pin) {
    return pin + ".Net";
}

CString Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return CString();
    const size_t last = text.find_last_not_of(" \t\r\n");
    return CString(text.substr(first, last - first + 1).c_str());
}

bool Before(const CString& a, const CString& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

bool HoldsIllegal(const CString& text) {
    return text.str().find_first_of("\x01\n") != std::string::npos;
}

}  // namespace

std::vector<PowerPin> LoadPowerPins(const CDevice& device) {
    std::vector<PowerPin> pins;
    const std::string implicit = device.GetAttr("_Implicit").str();
    if (implicit.empty())
        return pins;
    std::vector<std::string> tokens;
    size_t start = 0;
    for (size_t at; (at = implicit.find(kSeparator, start)) != std::string::npos; start = at + 1)
        tokens.push_back(implicit.substr(start, at - start));
    tokens.push_back(implicit.substr(start));
    for (size_t i = 0; i < tokens.size(); i += 2) {
        PowerPin pin;
        pin.name = Trimmed(tokens[i]);
        pin.number = i + 1 < tokens.size() ? tokens[i + 1].c_str() : "";
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
    if (HoldsIllegal(pin.name))
        return "Pin name contains illegal characters";
    inNumber = true;
    if (pin.number.IsEmpty())
        return "Pin must have a number";
    if (HoldsIllegal(pin.number))
        return "Pin number contains illegal characters";
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

void ApplyPowerPins(CDevice& device, const std::vector<PowerPin>& pins,
                    const std::vector<PowerPin>& loaded) {
    for (const PowerPin& old : loaded) {
        const auto kept = std::find_if(pins.begin(), pins.end(), [&old](const PowerPin& pin) {
            return pin.name == old.name && !pin.net.IsEmpty();
        });
        if (kept == pins.end())
            device.RemoveAttr(NetAttribute(old.name));
    }
    device.SetAttr("_Implicit", ComposeImplicit(pins), TRUE);
    for (const PowerPin& pin : pins) {
        if (!pin.net.IsEmpty())
            device.SetAttr(NetAttribute(pin.name), pin.net, TRUE);
    }
}
