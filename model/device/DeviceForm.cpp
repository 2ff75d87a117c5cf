#include "model/device/DeviceForm.h"

#include <algorithm>

#include "model/device/Device.h"
#include "model/device/ImplicitPins.h"
#include "model/device/PinMap.h"
#include "model/device/PowerPins.h"
#include "model/object/StdAttrNames.h"

namespace {

constexpr int kFieldAttr[kDeviceFieldCount] = {kStdAttrName, kStdAttrPref, kStdAttrDesc,
                                               kStdAttrFootprint, kStdAttrPath};
constexpr int kFirstPinColumn = 2;
constexpr const char* kNetSuffix = ".Net";

// The reasons the device gives, by its check code (1 up).
constexpr const char* kReasons[] = {"must have an ID.",
                                    "ID already exists.",
                                    "must have a name.",
                                    "name already exists.",
                                    "no device set for this symbol.",
                                    "duplicate instance of same symbol.",
                                    "duplicate pin name."};
constexpr const char* kLockedQuestions[] = {
    "device properties are locked.\nDo you wish to force property change?",
    "properties are locked.\nDo you wish to force property change?"};

CString Joined(const char* head, const CString& tail) {
    CString joined(head);
    joined += tail;
    return joined;
}

CString Cell(const DeviceForm::Row& row, std::size_t column) {
    return column < row.size() ? row[column] : CString();
}

std::vector<CString> Split(const CString& text, char separator) {
    std::vector<CString> parts;
    std::string part;
    for (char c : text.str()) {
        if (c == separator) {
            parts.push_back(part.c_str());
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part.c_str());
    return parts;
}

// Appends the row's pairs from column first on; a problem names the cell at fault. The
// hidden pins' row starts its text without a separator, and each of its names and numbers
// must read back from "_Implicit" as it was typed.
std::optional<DeviceFormProblem> AppendPairs(const DeviceForm::Row& row, int rowIndex,
                                             std::size_t first, CString& text, bool hiddenPins) {
    bool any = false;
    for (std::size_t column = first; column < row.size(); column += 2) {
        const CString pin = Cell(row, column);
        const CString number = Cell(row, column + 1);
        if (pin.IsEmpty() && number.IsEmpty())
            continue;
        if (pin.IsEmpty())
            return DeviceFormProblem{"Error - pin name missing.", rowIndex, int(column)};
        if (hiddenPins && !IsImplicitPinText(pin.str()))
            return DeviceFormProblem{kIllegalPinName, rowIndex, int(column)};
        if (number.IsEmpty())
            return DeviceFormProblem{"Error - pin number missing.", rowIndex, int(column + 1)};
        if (hiddenPins && !IsImplicitPinText(number.str()))
            return DeviceFormProblem{kIllegalPinNumber, rowIndex, int(column + 1)};
        if (!hiddenPins || any)
            text += kPinMapFieldSep;
        text += pin;
        text += kPinMapFieldSep;
        text += number;
        any = true;
    }
    return std::nullopt;
}

bool IsEmptyRow(const DeviceForm::Row& row) {
    for (const CString& cell : row) {
        if (!cell.IsEmpty())
            return false;
    }
    return true;
}

}  // namespace

CString DeviceCheckReason(int code) {
    if (code >= 1 && code <= int(std::size(kReasons)))
        return kReasons[code - 1];
    return "the value cannot be read.";
}

CString DeviceCheckQuestion(int code) {
    const int which = -code - 1;
    return which >= 0 && which < int(std::size(kLockedQuestions)) ? kLockedQuestions[which]
                                                                  : kLockedQuestions[1];
}

DeviceForm DeviceForm::NewDevice() {
    DeviceForm form;
    form.fields[kDeviceFieldName] = "New Device";
    form.fields[kDeviceFieldPrefix] = "X";
    form.fields[kDeviceFieldDescription] = "Device description";
    return form;
}

DeviceForm DeviceForm::Load(const CDevice& device) {
    DeviceForm form;
    for (int field = 0; field < kDeviceFieldCount; ++field)
        form.fields[field] = device.GetStdAttr(kFieldAttr[field]);
    Row& hidden = form.rows[0];
    hidden = {CString(), CString()};
    for (const ImplicitPin& pin : device.GetImplicitPins()) {
        hidden.push_back(pin.name.c_str());
        hidden.push_back(pin.number.c_str());
    }
    for (const CString& line : Split(device.GetStdAttr(kStdAttrMap), '\n')) {
        if (!line.IsEmpty())
            form.rows.push_back(Split(line, kPinMapFieldSep));
    }
    return form;
}

std::optional<DeviceFormProblem> DeviceForm::BuildTexts(CString& implicit, CString& map) const {
    implicit.Empty();
    map.Empty();
    if (auto problem = AppendPairs(rows[0], 0, kFirstPinColumn, implicit, true))
        return problem;
    for (int i = 1; i < int(rows.size()); ++i) {
        const Row& row = rows[i];
        if (IsEmptyRow(row))
            continue;
        if (Cell(row, 0).IsEmpty())
            return DeviceFormProblem{"Error - symbol name missing.", i, 0};
        map += Cell(row, 0);
        map += kPinMapFieldSep;
        map += Cell(row, 1);
        if (auto problem = AppendPairs(row, i, kFirstPinColumn, map, false))
            return problem;
        map += '\n';
    }
    return std::nullopt;
}

std::optional<DeviceFormProblem> DeviceForm::Check(const CDevice& device, unsigned forced) const {
    CString implicit;
    CString map;
    if (auto problem = BuildTexts(implicit, map))
        return problem;
    if (const int code = device.CheckAttrValue(GetStdAttrName(kStdAttrMap), map); code != 0)
        return DeviceFormProblem{Joined("Error in symbol map : ", DeviceCheckReason(code)), 1, 0};
    for (int field = 0; field < kDeviceFieldCount; ++field) {
        if (forced & (1u << field))
            continue;
        const int code = device.CheckAttrValue(GetStdAttrName(kFieldAttr[field]), fields[field]);
        if (code > 0)
            return DeviceFormProblem{
                Joined("Error: Property value invalid - ", DeviceCheckReason(code)), -1, -1, field};
        if (code < 0)
            return DeviceFormProblem{Joined("Warning : ", DeviceCheckQuestion(code)), -1, -1, field,
                                     true};
    }
    return std::nullopt;
}

namespace {

// Stores a value; an empty one leaves the device without the attribute. A value the device
// holds already is left alone.
void StoreValue(CDevice& device, int id, const CString& value, bool force) {
    CString held;
    if (device.Lookup(GetStdAttrName(id), held) && held == value)
        return;
    if (value.IsEmpty())
        device.RemoveAttr(GetStdAttrName(id));
    else
        device.SetStdAttr(id, value, force);
}

}  // namespace

void DeviceForm::Store(CDevice& device, unsigned forced) const {
    CString implicit;
    CString map;
    BuildTexts(implicit, map);
    StoreImplicit(device, implicit);
    if (!SamePinMaps(device.GetStdAttr(kStdAttrMap).str(), map.str()))
        StoreValue(device, kStdAttrMap, map, true);
    StoreFields(device, forced);
}

namespace {

CString PinNetName(const std::string& pin) {
    return CString(pin + kNetSuffix);
}

bool HasPinNet(const CDevice& device, const std::string& pin) {
    CString net;
    return device.Lookup(PinNetName(pin), net) && !net.IsEmpty();
}

}  // namespace

namespace {

// The pin of pins with that number, else with that name; null when none.
const ImplicitPin* Matching(const std::vector<ImplicitPin>& pins, const ImplicitPin& pin) {
    const auto number = std::find_if(pins.begin(), pins.end(), [&pin](const ImplicitPin& one) {
        return one.number == pin.number;
    });
    if (number != pins.end())
        return &*number;
    const auto name = std::find_if(pins.begin(), pins.end(),
                                   [&pin](const ImplicitPin& one) { return one.name == pin.name; });
    return name != pins.end() ? &*name : nullptr;
}

CString ShownNet(const CString& net) {
    return net.IsEmpty() ? CString("no net") : net;
}

}  // namespace

std::optional<DeviceFormProblem> DeviceForm::HiddenPinNetChanges(const CDevice& original,
                                                                 const CDevice& seen) const {
    CString implicit;
    CString map;
    if (BuildTexts(implicit, map))
        return std::nullopt;
    CDevice stored(seen);
    StoreImplicit(stored, implicit);
    const std::vector<ImplicitPin> before = original.GetImplicitPins();
    const std::vector<ImplicitPin> shown = seen.GetImplicitPins();
    CString lines;
    int column = -1;
    for (const ImplicitPin& pin : stored.GetImplicitPins()) {
        const CString net = stored.GetAttr(PinNetName(pin.name));
        const ImplicitPin* was = Matching(shown, pin);
        const CString wasNet = was ? seen.GetAttr(PinNetName(was->name)) : CString();
        const ImplicitPin* first = Matching(before, pin);
        const bool netless = first && !HasPinNet(original, first->name);
        CString change;
        if (!was)
            change = "new, on " + ShownNet(net);
        else if (wasNet != net)
            change = ShownNet(wasNet) + " -> " + ShownNet(net);
        else if (net.IsEmpty() && !netless)
            change = "on no net";
        if (change.IsEmpty())
            continue;
        lines += CString(pin.name + " (" + pin.number + "): ") + change + "\n";
        for (int at = kFirstPinColumn; column < 0 && at < int(rows[0].size()); at += 2) {
            if (Cell(rows[0], at).str() == pin.name)
                column = at;
        }
    }
    if (lines.IsEmpty())
        return std::nullopt;
    CString message("Warning : the nets of these hidden pins change:\n");
    message += lines;
    message +=
        "Netlists leave out a pin on no net (Power Pins gives it one).\n"
        "Do you wish to keep these nets?";
    return DeviceFormProblem{message, 0, column < 0 ? kFirstPinColumn : column, -1, true};
}

void DeviceForm::StoreImplicit(CDevice& device, const CString& implicit) {
    if (SameImplicitPins(device.GetStdAttr(kStdAttrImplicit).str(), implicit.str()))
        return;
    for (const auto& [from, to] :
         RenamedImplicitPins(device.GetImplicitPins(), ParseImplicitPins(implicit.str()))) {
        CString net;
        if (!device.Lookup(PinNetName(from), net) || HasPinNet(device, to))
            continue;
        device.SetAttr(PinNetName(to), net, TRUE);
        device.RemoveAttr(PinNetName(from));
    }
    StoreValue(device, kStdAttrImplicit, implicit, true);
}

void DeviceForm::StoreFields(CDevice& device, unsigned forced) const {
    for (int field = 0; field < kDeviceFieldCount; ++field)
        StoreValue(device, kFieldAttr[field], fields[field], (forced & (1u << field)) != 0);
}
