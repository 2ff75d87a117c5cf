#include "model/symbol/SpiceSymbol.h"

#include <algorithm>
#include <iterator>

#include "model/object/MenuBuilder.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/SpiceValue.h"
#include "platform/Archive.h"
#include "platform/UserPrompt.h"

IMPLEMENT_SERIAL(CSpiceSymbol, CSymbol, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr char kSeparator = '\x01';
constexpr const char* kSetNames[CSpiceSymbol::kSetCount] = {
    "SpiceSrc.DC",  "SpiceSrc.PULSE", "SpiceSrc.SIN",  "SpiceSrc.EXP",
    "SpiceSrc.PWL", "SpiceSrc.SFFM",  "SpiceSrc.SPARE"};
constexpr int kSetSizes[CSpiceSymbol::kSetCount] = {1, CSpiceSymbol::kPulseCount, 5, 6, 0, 5, 6};

bool IsSpiceNumber(const CString& text) {
    return !text.IsEmpty() && ParseSpiceValue(text, nullptr);
}

std::vector<CString> Split(const CString& text) {
    std::vector<CString> values(1);
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == kSeparator)
            values.emplace_back();
        else
            values.back() += text[i];
    }
    return values;
}

}  // namespace

CSpiceSymbol::CSpiceSymbol() {
    ResetSets();
}

void CSpiceSymbol::ResetSets() {
    for (int set = 0; set < kSetCount; ++set)
        m_sets[set].assign(static_cast<std::size_t>(kSetSizes[set]), CString());
    m_sets[kDc] = {"5V"};
    m_sets[kPulse] = {"5V", "0V", "0", "0", "0", "0", "1"};
}

CSpiceSymbol::CSpiceSymbol(const CSpiceSymbol& source, CDrawDoc* document)
    : CSymbol(source, document), m_sourceKind(source.m_sourceKind) {
    for (int set = 0; set < kSetCount; ++set)
        m_sets[set] = source.m_sets[set];
}

CDrawObj* CSpiceSymbol::Clone(CDrawDoc* document) {
    return new CSpiceSymbol(*this, document);
}

CDrawObj* CSpiceSymbol::Duplicate() {
    auto* source = new CSpiceSymbol();
    DuplicateInto(*source);
    source->m_sourceKind = m_sourceKind;
    for (int set = 0; set < kSetCount; ++set)
        source->m_sets[set] = m_sets[set];
    return source;
}

const char* CSpiceSymbol::SetAttrName(Set set) {
    return kSetNames[set];
}

std::vector<const char*> CSpiceSymbol::GetLabels(Set set) {
    switch (set) {
        case kDc:
            return {"Value (V or A)"};
        case kPulse:
            return {"Initial Value (V or A)",
                    "Pulsed Value (V or A)",
                    "Delay Time (s)",
                    "Rise Time (s)",
                    "Fall Time (s)",
                    "Pulse Width (s)",
                    "Period (s)"};
        case kSin:
            return {"DC Offset (V or A)", "Amplitude (V or A)", "Frequency (Hz)", "Delay (s)",
                    "Damping Factor (1/s)"};
        case kExp:
            return {"Initial Value (V or A)", "Pulsed Value (V or A)", "Rise Delay Time (s)",
                    "Rise Time Constant (s)", "Fall Delay Time (s)",   "Fall Time Constant (s)"};
        case kPwl: {
            std::vector<const char*> labels;
            for (int i = 0; i < 16; ++i) {
                labels.push_back("Time (s)");
                labels.push_back("Value (V or A)");
            }
            return labels;
        }
        case kSffm:
            return {"Offset (V or A)", "Amplitude (V or A)", "Carrier Frequency (Hz)",
                    "Modulation Index", "Signal Frequency (Hz)"};
        default:
            return {};
    }
}

bool CSpiceSymbol::SourceState::operator==(const SourceState& other) const {
    return kind == other.kind && std::equal(std::begin(sets), std::end(sets), other.sets);
}

CSpiceSymbol::SourceState CSpiceSymbol::GetSourceState() {
    SourceState state;
    state.kind = m_sourceKind;
    for (int set = 0; set < kSetCount; ++set) {
        CString text;
        if (GetAttrMap()->Lookup(kSetNames[set], text))
            state.sets[set] = text;
    }
    return state;
}

void CSpiceSymbol::SetSourceState(const SourceState& state) {
    m_sourceKind = state.kind;
    for (int set = 0; set < kSetCount; ++set) {
        if (state.sets[set])
            GetAttrMap()->SetAt(kSetNames[set], *state.sets[set]);
        else
            GetAttrMap()->RemoveKey(kSetNames[set]);
    }
    ResetSets();
    LoadSets();
}

void CSpiceSymbol::MakeDeckElement() {
    constexpr const char* kPrefix = "V";
    SetFlags(kSymbolSimulation, kSymbolKindMask);
    SetAttr(GetStdAttrName(kStdAttrPref), kPrefix, kSetAttrForce);
    std::vector<CString> pins;
    for (POSITION pos = GetPins().GetHeadPosition(); pos && pins.size() < 2;)
        pins.push_back(
            static_cast<CDrawObj*>(GetPins().GetNext(pos))->GetAttr(GetStdAttrName(kStdAttrId)));
    if (pins.size() == 2 && !pins[0].IsEmpty() && !pins[1].IsEmpty())
        SetAttr("Spice.Device", CString(kPrefix) + "," + pins[0] + "," + pins[1], kSetAttrForce);
    AssignId(0);
}

void CSpiceSymbol::AddContextMenu(IMenuBuilder* menu) {
    CSymbol::AddContextMenu(menu);
    // The view's command of this name.
    constexpr UINT kSourceParameters = 33131;
    menu->AddSeparator();
    menu->AddItem(kSourceParameters, "Source &Parameters..");
}

void CSpiceSymbol::Serialize(CArchive& ar) {
    CSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_sourceKind;
        return;
    }
    ar >> m_sourceKind;
    LoadSets();
}

// A stored set of the wrong size (damage, or written by a later version) is left at its
// defaults; PWL takes any even number of values.
void CSpiceSymbol::LoadSets() {
    for (int set = 0; set < kSetCount; ++set) {
        CString text;
        if (!GetAttrMap()->Lookup(kSetNames[set], text))
            continue;
        std::vector<CString> values = text.IsEmpty() ? std::vector<CString>() : Split(text);
        const bool fits = set == kPwl ? values.size() % 2 == 0
                                      : values.size() == static_cast<std::size_t>(kSetSizes[set]);
        if (fits)
            m_sets[set] = std::move(values);
    }
}

void CSpiceSymbol::Keep(Set set, const std::vector<CString>& values) {
    m_sets[set] = values;
    CString joined;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            joined += kSeparator;
        joined += values[i];
    }
    GetAttrMap()->SetAt(kSetNames[set], joined);
}

int CSpiceSymbol::ValidatePulse(const CString* values) {
    if (!IsSpiceNumber(values[0])) {
        AfxMessageBox("Pulse value invalid");
        return 0;
    }
    for (int i = 1; i < kPulseCount; ++i) {
        if (!IsSpiceNumber(values[i]))
            return i;
    }
    Keep(kPulse, std::vector<CString>(values, values + kPulseCount));
    return -1;
}

int CSpiceSymbol::StoreSet(Set set, const std::vector<CString>& values) {
    if (set == kPulse) {
        if (values.size() != kPulseCount)
            return static_cast<int>(std::min<std::size_t>(values.size(), kPulseCount));
        return ValidatePulse(values.data());
    }
    const std::size_t wanted =
        set == kPwl ? values.size() + values.size() % 2 : static_cast<std::size_t>(kSetSizes[set]);
    for (std::size_t i = 0; i < wanted; ++i) {
        const bool checked = set != kSpare;
        if (i >= values.size() || (checked && !IsSpiceNumber(values[i])))
            return static_cast<int>(i);
    }
    if (values.size() != wanted)
        return static_cast<int>(wanted);
    Keep(set, values);
    return -1;
}
