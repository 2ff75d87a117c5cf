#pragma once
// CSpiceSymbol: a symbol that stands for a simulation source. It adds the source kind (whose
// meaning is the Spice writer's) and the parameter sets of the source waveforms, each value a
// text in Spice notation: DC, PULSE, SIN, EXP, piecewise-linear points (time and value pairs),
// SFFM and three spare pairs.
//
// Record: the symbol's record, then the source kind as a DWORD. The parameter sets travel in
// the symbol's attributes, under "SpiceSrc.DC", "SpiceSrc.PULSE" and so on, their values
// joined by the byte 0x01; a set that was never stored has no attribute and keeps its
// defaults. Readers that know only the symbol record read these files unchanged.

#include <optional>
#include <vector>

#include "model/symbol/Symbol.h"

class CSpiceSymbol : public CSymbol {
    DECLARE_SERIAL(CSpiceSymbol)
public:
    // The parameter sets; the first six in the order of the parameter page.
    enum Set { kDc, kPulse, kSin, kExp, kPwl, kSffm, kSpare, kSetCount };
    static constexpr int kPulseCount = 7;

    CSpiceSymbol();
    CSpiceSymbol(const CSpiceSymbol& source, CDrawDoc* document);

    void Serialize(CArchive& ar) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    // A source of the same kind and values.
    CDrawObj* Duplicate() override;

    DWORD GetSourceKind() const { return m_sourceKind; }
    void SetSourceKind(DWORD kind) { m_sourceKind = kind; }
    const std::vector<CString>& GetSet(Set set) const { return m_sets[set]; }

    // Checks a PULSE set: an empty or invalid initial value shows "Pulse value invalid" and
    // gives 0; else the index of the first invalid value (the pulsed value must not be empty
    // either). All valid: the set takes the values and -1 is returned.
    int ValidatePulse(const CString* values);
    // Stores the values of a set after checking each one as a Spice number (PULSE through
    // ValidatePulse; PWL takes an even number of values; the spare pairs any texts); the index
    // of the first missing, surplus or invalid value, or -1 when stored.
    int StoreSet(Set set, const std::vector<CString>& values);

    // The attribute that carries a set.
    static const char* SetAttrName(Set set);
    // The labels of the parameters of a set, in order (PWL: 16 time and value pairs; the
    // spare pairs have none).
    static std::vector<const char*> GetLabels(Set set);

    // The source kind and the stored sets as their attributes hold them (no value: never
    // stored), which an edit exchanges as a whole.
    struct SourceState {
        DWORD kind = 0;
        std::optional<CString> sets[kSetCount];
        bool operator==(const SourceState& other) const;
    };
    SourceState GetSourceState();
    void SetSourceState(const SourceState& state);

    // Makes a source that the program created an element of the Spice deck: a simulation
    // block with the prefix "V", whose template takes its first two pins as the positive and
    // negative nodes (none without two named pins), and an identifier of its document.
    void MakeDeckElement();

    // "Source Parameters.." after the symbol's own items.
    void AddContextMenu(IMenuBuilder* menu) override;

private:
    void Keep(Set set, const std::vector<CString>& values);
    void ResetSets();
    void LoadSets();

    DWORD m_sourceKind = 0;
    std::vector<CString> m_sets[kSetCount];
};
