#include "model/symbol/DevGeneralForm.h"

#include <map>
#include <string>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

const char kNewDeviceLayoutError[] =
    "Error - more than one symbol is selected with the same name\nand different pin layout. A new "
    "device cannot be created for\nthis selection.";

namespace {

constexpr int kKindShift = 8;
constexpr int kDeviceKind = 4;
constexpr int kSubcircuitKind = 5;
constexpr int kPinNamesShift = 17;
constexpr int kPinNumbersShift = 19;

const char* Name(int id) {
    return GetStdAttrName(id);
}

// Writes the value unless the symbol has it already; an attribute it lacks counts as empty.
void SetChanged(CSymbol* symbol, int id, const CString& value) {
    if (symbol->GetAttr(Name(id)) != value)
        symbol->SetAttr(Name(id), value, kSetAttrForce);
}

// The values of one symbol as the page shows them.
DevGeneralForm Single(CSymbol* symbol) {
    DevGeneralForm form;
    const DWORD flags = symbol->GetFlags();
    form.kind = static_cast<int>((flags & kSymbolKindMask) >> kKindShift);
    symbol->LookupAttr(Name(kStdAttrId), form.id);
    symbol->LookupAttr(Name(kStdAttrValue), form.value);
    symbol->LookupAttr(Name(kStdAttrName), form.name);
    symbol->LookupAttr(Name(kStdAttrSubcct), form.subcircuit);
    form.showId = symbol->FindAttrText(Name(kStdAttrId)) ? 1 : 0;
    form.showValue = symbol->FindAttrText(Name(kStdAttrValue)) ? 1 : 0;
    form.hiddenPins = (flags & kSymbolShowHiddenPins) ? 1 : 0;
    form.pinNames = static_cast<int>((flags & kSymbolPinNamesMask) >> kPinNamesShift);
    form.pinNumbers = static_cast<int>((flags & kSymbolPinNumbersMask) >> kPinNumbersShift);
    if (form.kind == kDeviceKind) {
        form.device = symbol->GetDevice();
        form.showDeviceName = symbol->FindAttrText(Name(kStdAttrDeviceName)) ? 1 : 0;
        if (form.device)
            form.deviceText = form.device->GetStdAttr(kStdAttrName);
    } else if (form.kind == kSubcircuitKind) {
        form.showDeviceName = symbol->FindAttrText(Name(kStdAttrSubcct)) ? 1 : 0;
        form.deviceText = form.subcircuit;
    }
    return form;
}

void MergeText(CString& field, const CString& other) {
    if (field != other)
        field.Empty();
}

void MergeCheck(int& field, int other) {
    if (field != other)
        field = DevGeneralForm::kCheckMixed;
}

void MergeChoice(int& field, int other) {
    if (field != other)
        field = DevGeneralForm::kMixed;
}

// One further symbol of the selection.
void Merge(DevGeneralForm& form, const DevGeneralForm& other) {
    form.multiple = true;
    form.id.Empty();
    if (form.kind != other.kind) {
        form.kind = DevGeneralForm::kMixed;
        form.deviceText.Empty();
    }
    MergeText(form.value, other.value);
    MergeText(form.name, other.name);
    if (form.device != other.device) {
        form.device = nullptr;
        form.deviceMixed = true;
        if (form.kind == kDeviceKind)
            form.deviceText.Empty();
    }
    if (form.kind == kSubcircuitKind && form.subcircuit != other.subcircuit)
        form.deviceText.Empty();
    MergeText(form.subcircuit, other.subcircuit);
    MergeCheck(form.showId, other.showId);
    MergeCheck(form.showValue, other.showValue);
    MergeCheck(form.showDeviceName, other.showDeviceName);
    MergeCheck(form.hiddenPins, other.hiddenPins);
    MergeChoice(form.pinNames, other.pinNames);
    MergeChoice(form.pinNumbers, other.pinNumbers);
}

std::vector<CPin*> PinsOf(CSymbol* symbol) {
    std::vector<CPin*> pins;
    CObList& list = symbol->GetPins();
    for (POSITION pos = list.GetHeadPosition(); pos;)
        pins.push_back(static_cast<CPin*>(list.GetNext(pos)));
    return pins;
}

// A later symbol of a name has the pins of the first.
bool SameLayout(CSymbol* first, CSymbol* later) {
    const std::vector<CPin*> pins = PinsOf(later);
    if (static_cast<int>(pins.size()) != first->GetPins().GetCount())
        return false;
    for (CPin* pin : pins) {
        if (!first->FindPin(pin->GetAttr(Name(kStdAttrId))))
            return false;
    }
    return true;
}

CString MapLine(CSymbol* symbol, const CString& name, const CString& gate) {
    CString line = name;
    line += '\x01';
    line += gate;
    for (CPin* pin : PinsOf(symbol)) {
        CString number;
        if (!pin->LookupAttr(Name(kStdAttrNo), number) || number.IsEmpty())
            number = "?";
        line += '\x01';
        line += pin->GetAttr(Name(kStdAttrId));
        line += '\x01';
        line += number;
    }
    line += '\n';
    return line;
}

// A shown check: 0 hides an existing text, 1 shows a missing one, mixed leaves it.
void ApplyShow(CSymbol* symbol, const char* name, int show, CObList& shown, CObList& removed) {
    CAttrText* existing = symbol->FindAttrText(name);
    if (show == 0 && existing)
        removed.AddTail(existing);
    else if (show == 1 && !existing) {
        if (CAttrText* text = symbol->ShowAttrText(name, TRUE))
            shown.AddTail(text);
    }
}

void ReplaceDevice(CSymbol* symbol, CDevice* device) {
    if (symbol->GetDevice() == device)
        return;
    if (device)
        device->AddRef();
    if (CDevice* old = symbol->SetDevice(device))
        old->Release();
}

}  // namespace

void WriteKindAndName(CSymbol* symbol, bool multiple, int kind, const CString& name) {
    if (kind >= 0)
        symbol->SetFlags(static_cast<DWORD>(kind) << kKindShift, kSymbolKindMask);
    if (!multiple || !name.IsEmpty())
        SetChanged(symbol, kStdAttrName, name);
}

void DevGeneralForm::ApplyTo(CSymbol* symbol, CObList& shown, CObList& removed) const {
    const auto isEdited = [this](unsigned fields) { return (edited & fields) != 0; };
    if (kind >= 0 && isEdited(kKindField))
        symbol->SetFlags(static_cast<DWORD>(kind) << kKindShift, kSymbolKindMask);
    if ((!multiple || !name.IsEmpty()) && isEdited(kNameField))
        SetChanged(symbol, kStdAttrName, name);
    if (!multiple && isEdited(kIdField))
        SetChanged(symbol, kStdAttrId, id);
    if ((!multiple || !value.IsEmpty()) && isEdited(kValueField))
        SetChanged(symbol, kStdAttrValue, value);
    if (isEdited(kShowIdField))
        ApplyShow(symbol, Name(kStdAttrId), showId, shown, removed);
    if (isEdited(kShowValueField))
        ApplyShow(symbol, Name(kStdAttrValue), showValue, shown, removed);
    if (hiddenPins != kCheckMixed && isEdited(kHiddenPinsField))
        symbol->SetFlags(hiddenPins ? kSymbolShowHiddenPins : 0, kSymbolShowHiddenPins);
    if (pinNames >= 0 && isEdited(kPinNamesField))
        symbol->SetFlags(static_cast<DWORD>(pinNames) << kPinNamesShift, kSymbolPinNamesMask);
    if (pinNumbers >= 0 && isEdited(kPinNumbersField))
        symbol->SetFlags(static_cast<DWORD>(pinNumbers) << kPinNumbersShift, kSymbolPinNumbersMask);
    if (kind == kDeviceKind) {
        if (!deviceMixed && isEdited(kDeviceField | kKindField))
            ReplaceDevice(symbol, device);
        if (isEdited(kShowDeviceNameField))
            ApplyShow(symbol, Name(kStdAttrDeviceName), showDeviceName, shown, removed);
        // Only what makes the identifier makes it anew: an untouched OK leaves every part as
        // it stands, even one whose identifier its device would not make.
        if (isEdited(kKindField | kDeviceField | kNameField | kIdField))
            symbol->AssignId(0);
    } else if (kind == kSubcircuitKind) {
        if (!deviceText.IsEmpty() && isEdited(kDeviceField))
            symbol->SetAttr(Name(kStdAttrSubcct), deviceText, kSetAttrForce);
        if (isEdited(kShowDeviceNameField))
            ApplyShow(symbol, Name(kStdAttrSubcct), showDeviceName, shown, removed);
    } else if (kind >= 0 && isEdited(kKindField)) {
        ReplaceDevice(symbol, nullptr);
    }
}

void DevGeneralForm::ChooseDevice(CDevice* chosen) {
    device = chosen;
    deviceMixed = false;
    deviceText = chosen ? chosen->GetStdAttr(kStdAttrName) : CString();
}

DevGeneralForm DevGeneralForm::Load(const std::vector<CSymbol*>& symbols) {
    if (symbols.empty())
        return {};
    DevGeneralForm form = Single(symbols.front());
    for (size_t i = 1; i < symbols.size(); ++i)
        Merge(form, Single(symbols[i]));
    return form;
}

std::string DevGeneralNameProblem(bool multiple, int kind, const CString& name) {
    if (!multiple && kind >= 3 && name.IsEmpty())
        return "Error: Symbol must have a name.";
    if (name.Find('\x01') >= 0 || name.Find('\n') >= 0)
        return "Error: Property value invalid - " + name.str() +
               "\nValue contains an invalid character.";
    return {};
}

bool NewDeviceMap(const std::vector<CSymbol*>& symbols, CString name, CString& map) {
    name.Trim();
    std::map<std::string, CSymbol*> firstOfName;
    std::vector<CString> names;
    for (CSymbol* symbol : symbols) {
        CString own = name.IsEmpty() ? symbol->GetAttr(Name(kStdAttrName)) : name;
        auto [it, added] = firstOfName.emplace(own.str(), symbol);
        if (!added && !SameLayout(it->second, symbol))
            return false;
        names.push_back(own);
    }
    CString text;
    for (size_t i = 0; i < symbols.size(); ++i) {
        CString gate;
        if (symbols.size() > 1)
            gate += static_cast<char>('a' + i % 26);
        text += MapLine(symbols[i], names[i], gate);
    }
    map = text;
    return true;
}

CDevice* NewDeviceFor(const std::vector<CSymbol*>& symbols, const CString& name) {
    CString map;
    if (!NewDeviceMap(symbols, name, map))
        return nullptr;
    auto* device = new CDevice();
    // The map lists each symbol's pins in the symbol's order.
    device->SetMap(map, kMapApply | kMapInOrder);
    device->SetAttr(Name(kStdAttrPref), "U", TRUE);
    device->SetAttr(Name(kStdAttrName), "New Device", TRUE);
    return device;
}

namespace {

// A part of another device in the document whose "_DID" is the base identifier; its device.
CDevice* OtherDeviceWithBase(CDrawDoc& doc, CSymbol* symbol, CDevice* device, const CString& base) {
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        CDevice* other = object->GetDevice();
        if (object == symbol || !other || object->GetStdAttr(kStdAttrDid) != base)
            continue;
        if (!other->IsEqual(*device))
            return other;
    }
    return nullptr;
}

// MakePartId for the symbol as it would be with the device, identifier and name of the page.
bool RewriteId(CDrawDoc& doc, CSymbol* symbol, CDevice* device, CString& id) {
    CDevice* own = symbol->SetDevice(device);
    const CString ownId = symbol->GetAttr(Name(kStdAttrId));
    symbol->SetAttr(Name(kStdAttrId), id, kSetAttrForce);
    const bool made = device->MakePartId(id, doc.m_firstPartNumber, symbol);
    symbol->SetAttr(Name(kStdAttrId), ownId, kSetAttrForce);
    symbol->SetDevice(own);
    return made;
}

}  // namespace

std::string DevGeneralIdProblem(CDrawDoc& doc, CSymbol* symbol, CDevice* device, CString& id,
                                const std::function<bool(const std::string&)>& askRewrite) {
    id.Trim();
    if (id.IsEmpty())
        return "Error: Symbol must have identifier.";
    if (doc.IsIdInUse(symbol, id))
        return "ID already exists.";
    if (!device)
        return {};
    CString checked = id;
    if (!device->IsValidPartId(symbol, checked, 0))
        return id.str() + " is not a valid identifier for device " +
               device->GetStdAttr(kStdAttrName).str() + "\n";
    CString base = id;
    device->StripGateSuffix(base, symbol->GetAttr(Name(kStdAttrName)));
    if (!OtherDeviceWithBase(doc, symbol, device, base))
        return {};
    const std::string question =
        "Device Identifier " + base.str() + " is already in use by device " +
        device->GetStdAttr(kStdAttrName).str() + ".\n\nDo you want to modify the symbol identifer?";
    if (!askRewrite(question))
        return "-";
    if (!RewriteId(doc, symbol, device, id))
        return "Error setting ID";
    return {};
}
