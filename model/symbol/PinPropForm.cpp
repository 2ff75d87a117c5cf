#include "model/symbol/PinPropForm.h"

#include <algorithm>

#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

// The bits the page writes: pin symbol, type and the four display flags.
constexpr DWORD kPageBits = kPinSymbolMask | kPinTypeMask | 0xF0000;

CString TypeOf(CPin& pin) {
    CString type;
    pin.LookupAttr("_Type", type);
    return type;
}

}  // namespace

const PinSymbolEntry kPinSymbolEntries[5] = {{"Normal", kPinNormal},
                                             {"Bubble", kPinBubble},
                                             {"Inverting", kPinInverting},
                                             {"Open Collector", kPinOpenCollector},
                                             {"Bus", kPinBus}};

const DWORD PinPropForm::kCheckBits[4] = {kPinExtraMark, kPinShowName, kPinShowNumber, kPinHidden};

PinPropForm PinPropForm::Load(const std::vector<CPin*>& pins) {
    PinPropForm form;
    if (pins.empty())
        return form;
    CPin& first = *pins.front();
    form.flags = first.GetFlags();
    form.customType = TypeOf(first);
    if (first.GetOwner())
        form.symbolFlags = first.GetOwner()->GetFlags();
    first.LookupAttr("_ID", form.name);
    for (size_t i = 1; i < pins.size(); ++i) {
        form.multiple = true;
        form.differing |= pins[i]->GetFlags() ^ form.flags;
        if (TypeOf(*pins[i]) != form.customType)
            form.customType.Empty();
    }
    if (form.multiple)
        form.name.Empty();
    for (DWORD field : {kPinTypeMask, kPinSymbolMask}) {
        if (form.differing & field)
            form.differing |= field;
    }
    return form;
}

std::vector<int> PinPropForm::TypeChoices() const {
    switch (symbolFlags & kSymbolKindMask) {
        case kSymbolSubCircuit:
            return {15, 16, 17, 18, kPinTypeUserDefined};
        case kSymbolPort:
            return {11, 12, 13, 14, kPinTypeUserDefined};
        default:
            return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, kPinTypeUserDefined};
    }
}

bool PinPropForm::TypesDiffer() const {
    return differing & kPinTypeMask;
}

int PinPropForm::ShownType() const {
    if (TypesDiffer())
        return -1;
    const int stored = int((flags & kPinTypeMask) >> kPinTypeShift);
    if (stored == kPinTypeUserDefined)
        return stored;
    switch (symbolFlags & kSymbolKindMask) {
        case kSymbolPort:
            return kPinTypeFirstPort + std::min(stored, 3);
        case kSymbolSubCircuit:
            return kPinTypeFirstSheetEntry + std::min(stored, 3);
        default:
            return stored;
    }
}

int PinPropForm::ShownSymbol() const {
    if (differing & kPinSymbolMask)
        return -1;
    for (int i = 0; i < 5; ++i) {
        if (kPinSymbolEntries[i].flags == (flags & kPinSymbolMask))
            return i;
    }
    return -1;
}

TriState PinPropForm::Check(int index) const {
    const DWORD bit = kCheckBits[index];
    if (differing & bit)
        return TriState::kMixed;
    return flags & bit ? TriState::kOn : TriState::kOff;
}

// A field left without a choice keeps each pin's own value, for one pin as for several: a
// pin symbol read from a file that the list does not offer stays as it is.
PinPropForm::Refusal PinPropForm::Leave(const Choices& choices, const NameCheck& checkName) {
    PinPropForm next = *this;
    if (choices.symbol >= 0) {
        next.flags = (next.flags & ~kPinSymbolMask) | kPinSymbolEntries[choices.symbol].flags;
        next.differing &= ~kPinSymbolMask;
    }
    if (choices.type >= 0) {
        int stored = choices.type;
        if (stored >= kPinTypeFirstSheetEntry)
            stored -= kPinTypeFirstSheetEntry;
        else if (stored >= kPinTypeFirstPort)
            stored -= kPinTypeFirstPort;
        next.flags = (next.flags & ~kPinTypeMask) | (DWORD(stored) << kPinTypeShift);
        next.differing &= ~kPinTypeMask;
    }
    for (int i = 0; i < 4; ++i) {
        if (choices.checks[i] == TriState::kMixed)
            continue;
        next.flags = choices.checks[i] == TriState::kOn ? next.flags | kCheckBits[i]
                                                        : next.flags & ~kCheckBits[i];
        next.differing &= ~kCheckBits[i];
    }
    next.customType = choices.customType;
    if (!multiple) {
        next.name = choices.name;
        if (next.name.IsEmpty())
            return {"Error: A pin must have a name.", Field::kName};
        CString checked = next.name;
        if (const int code = checkName ? checkName(checked) : 0) {
            return {std::string("Error: Property value invalid - ") + next.name.c_str() + "\n" +
                        AttrCheckText(code),
                    Field::kName};
        }
        if (next.ShownType() == kPinTypeUserDefined && next.customType.IsEmpty())
            return {"Error: User defined type chosen but no type name given.", Field::kCustomType};
    }
    *this = next;
    return {};
}

void PinPropForm::ApplyTo(CPin& pin) const {
    const DWORD own = pin.GetFlags();
    const DWORD written = (flags & ~differing) | (own & differing);
    pin.SetFlags(written & kPageBits, kPageBits);
    pin.RecalcBounds();
    if (!multiple)
        pin.SetAttr("_ID", name, kSetAttrForce);
    if (TypesDiffer())
        return;
    if (ShownType() != kPinTypeUserDefined)
        pin.RemoveAttr("_Type");
    else if (!customType.IsEmpty())
        pin.SetAttr("_Type", customType, kSetAttrForce);
}
