#pragma once
// CDrcRules: the rule set of the electrical design rule check. It lists the pin electrical
// types (nineteen built in, then the user's own) and, for every pair of types, the level at
// which connecting them is reported: 0 no error, 1 warning, 2 error (3 stands only at the
// pair Not Connected / Not Connected). The levels form a lower triangle: entry i holds the
// levels against types 0..i. The check flags choose which kinds of findings are reported.
//
// The rule set lives in the settings section "DRC": "TypeCount", then "Type0", "Type1", ...
// each the name, a line feed, the level count and each level after a comma ("Input\n2,1,0").
// The check flags are kept there too, as "CheckFlags".

#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CDevice;
class CDrcError;
class CNet;
class CObList;
class CObject;
class CPin;
class CSymbol;
class SettingsStore;
struct DrcCheckContext;

// Bits of the check flags: the finding kinds they let through.
constexpr DWORD kDrcCheckPinConnection = 0x02;   // kind 1
constexpr DWORD kDrcCheckUnconnectedPin = 0x04;  // kind 2
constexpr DWORD kDrcCheckEmptyNet = 0x08;        // kind 3
constexpr DWORD kDrcCheckOnePinNet = 0x10;       // kind 4
constexpr DWORD kDrcCheckShortedSymbol = 0x20;   // kind 5
constexpr DWORD kDrcCheckSharedPin = 0x80;       // kind 7
constexpr DWORD kDrcDefaultCheckFlags = 0xFE;

// Type indexes with a fixed meaning.
constexpr int kDrcTypeNotConnected = 0;
constexpr int kDrcTypeUndefined = 4;
constexpr int kDrcBuiltInTypes = 19;
// Most types a rule set holds, the user's own included.
constexpr int kDrcMaxTypes = 100;

// Levels.
constexpr int kDrcNoError = 0;
constexpr int kDrcWarning = 1;
constexpr int kDrcError = 2;
constexpr int kDrcLevelNotConnected = 3;

struct DrcPinType {
    CString name;
    std::vector<int> levels;  // against types 0..index
    friend bool operator==(const DrcPinType&, const DrcPinType&) = default;
};

class CDrcRules {
public:
    // An empty rule set: no types, every check on.
    CDrcRules() = default;
    CDrcRules(const CDrcRules&) = default;
    CDrcRules& operator=(const CDrcRules&) = default;
    virtual ~CDrcRules() = default;

    // Reads section "DRC"; FALSE when it is missing or any value is bad (too few or too many
    // types, an entry without its levels, a level outside 0..3, a row shorter than the
    // triangle). A failed load leaves a partial set; SetDefaults replaces it.
    BOOL Load(const SettingsStore& store);
    // The nineteen built-in types with the default levels.
    void SetDefaults();
    // Writes every type to section "DRC".
    void Save(SettingsStore& store) const;
    // The check flags of "CheckFlags"; FALSE (flags unchanged) when the value is bad. A
    // missing value leaves every check on.
    BOOL LoadCheckFlags(const SettingsStore& store);
    void SaveCheckFlags(SettingsStore& store) const;

    int GetTypeCount() const { return static_cast<int>(m_types.size()); }
    int GetFirstCustomType() const { return m_firstCustomType; }
    const CString& GetTypeName(int index) const;
    DWORD GetCheckFlags() const { return m_checkFlags; }
    void SetCheckFlags(DWORD flags) { m_checkFlags = flags; }

    // The level of the pair (i, j) in either order; 0 outside the table.
    int GetLevel(int i, int j) const;
    void SetLevel(int i, int j, int level);
    // The rule index of a pin: its effective type (user-defined types by their type text,
    // matched case-sensitively against the user's own types; "Undefined" when none matches).
    int GetTypeIndex(const CPin& pin) const;
    // The first type of that name without regard to case; -1 for none.
    int FindType(const char* name) const;
    // Appends a type at warning level against every type and itself; FALSE (nothing added)
    // when the set already holds kDrcMaxTypes types.
    BOOL AddType(const char* name);
    // Removes a user's type and its column; the types behind it move down one index.
    void RemoveType(int index);

    // The checks; each reports its findings to the sink (none: nothing is reported).
    void SetSink(CDrcError* sink) { m_sink = sink; }
    CDrcError* GetSink() const { return m_sink; }
    // The net carried by the context's object: no pin, one pin, or pairs of pins.
    void CheckNet(CNet& net, const DrcCheckContext& context);
    // Unconnected pins of a symbol, and a symbol whose pins all lie on one net.
    void CheckSymbol(CSymbol& symbol, const DrcCheckContext& context);
    // The shared (hidden) pins of every part of the device that lie on no net.
    void CheckDevice(CDevice& device, const DrcCheckContext& context);
    void CheckSharedPins(const CObList& sections, const DrcCheckContext& context);
    // The ports through which the sub-circuit block shorts two rails (each described as the
    // netlist build tells it): errors, whatever the check flags.
    void CheckRailShorts(CSymbol& block, const std::vector<CString>& shorts);
    // The items of the net's hidden-pin ties that name no part: warnings, whatever the check
    // flags.
    void CheckHiddenPinTies(CNet& net, const DrcCheckContext& context);
    // The rails that sheets reached through the block name otherwise than the checked sheet
    // (each described as the netlist build tells it): warnings, whatever the check flags.
    void CheckRenamedRails(CSymbol& block, const std::vector<CString>& renamed);

    friend bool operator==(const CDrcRules& a, const CDrcRules& b) {
        return a.m_firstCustomType == b.m_firstCustomType && a.m_checkFlags == b.m_checkFlags &&
               a.m_types == b.m_types;
    }

private:
    BOOL LoadType(const CString& text, int index);
    void Report(int kind, int level, CObject* first, CObject* second = nullptr, int position = 0,
                const CString& pinName = CString(), const CString& detail = CString());
    // No sink, or one that takes no more findings.
    bool SinkFull() const;

    int m_firstCustomType = kDrcBuiltInTypes;
    DWORD m_checkFlags = kDrcDefaultCheckFlags;
    CDrcError* m_sink = nullptr;
    std::vector<DrcPinType> m_types;
};

// The rule set of section "DRC" with its check flags; the built-in rules when nothing is
// stored. A damaged section gives the built-in rules and the user is told.
void LoadDrcRules(CDrcRules& rules, const SettingsStore& store);
