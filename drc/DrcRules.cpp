#include "drc/DrcRules.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "model/symbol/Pin.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"

namespace {

constexpr char kSection[] = "DRC";
constexpr char kTypeCount[] = "TypeCount";
constexpr char kCheckFlags[] = "CheckFlags";
constexpr DWORD kKnownCheckFlags = 0xFF;
constexpr char kDamaged[] =
    "The design rules stored in the settings are damaged. The default rules are used.";

struct DefaultType {
    const char* name;
    const char* levels;  // against types 0..index
};

constexpr DefaultType kDefaults[kDrcBuiltInTypes] = {
    {"Not Connected", "3"},
    {"Input", "10"},
    {"Output", "002"},
    {"I/O", "0010"},
    {"Undefined", "01111"},
    {"Passive", "000010"},
    {"Open Collector", "0020100"},
    {"Open Emmitter", "00201010"},
    {"Power", "002110220"},
    {"3-State Output", "0020100020"},
    {"High Impedance", "00201000200"},
    {"Input Port", "102110222222"},
    {"Output Port", "0001100020000"},
    {"I/O Port", "00201000200220"},
    {"Undefined Port", "011110110111110"},
    {"Input Sheet Entry", "1000100001000010"},
    {"Output Sheet Entry", "00211022222202102"},
    {"I/O Sheet Entry", "002010002002201020"},
    {"Undefined Sheet Entry", "0111101101111111110"},
};

CString TypeKey(int index) {
    return CString("Type" + std::to_string(index));
}

// A "%d" read at text: optional blanks and sign, then digits; false when there are none.
bool ReadNumber(const char*& text, int& value) {
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || number < -1000000 || number > 1000000)
        return false;
    value = static_cast<int>(number);
    text = end;
    return true;
}

}  // namespace

// ---- types and levels

const CString& CDrcRules::GetTypeName(int index) const {
    static const CString none;
    return index >= 0 && index < GetTypeCount() ? m_types[static_cast<size_t>(index)].name : none;
}

int CDrcRules::GetLevel(int i, int j) const {
    if (j > i)
        std::swap(i, j);
    if (j < 0 || i >= GetTypeCount())
        return kDrcNoError;
    const std::vector<int>& levels = m_types[static_cast<size_t>(i)].levels;
    return static_cast<size_t>(j) < levels.size() ? levels[static_cast<size_t>(j)] : kDrcNoError;
}

void CDrcRules::SetLevel(int i, int j, int level) {
    if (j > i)
        std::swap(i, j);
    if (j < 0 || i >= GetTypeCount())
        return;
    std::vector<int>& levels = m_types[static_cast<size_t>(i)].levels;
    if (static_cast<size_t>(j) < levels.size())
        levels[static_cast<size_t>(j)] = level;
}

int CDrcRules::GetTypeIndex(const CPin& pin) const {
    const int type = pin.GetPinType();
    if (type >= 0 && type < kPinTypeUserDefined)
        return type + 1;
    if (type > kPinTypeUserDefined && type < kPinTypeCount)
        return type;
    if (type == kPinTypeUserDefined) {
        const CString text = pin.GetTypeText();
        for (int i = kDrcBuiltInTypes; i < GetTypeCount(); ++i) {
            if (m_types[static_cast<size_t>(i)].name == text)
                return i;
        }
    }
    return kDrcTypeUndefined;
}

int CDrcRules::FindType(const char* name) const {
    for (int i = 0; i < GetTypeCount(); ++i) {
        if (m_types[static_cast<size_t>(i)].name.CompareNoCase(name) == 0)
            return i;
    }
    return -1;
}

BOOL CDrcRules::AddType(const char* name) {
    if (GetTypeCount() >= kDrcMaxTypes)
        return FALSE;
    m_types.push_back(DrcPinType{CString(name), std::vector<int>(m_types.size() + 1, kDrcWarning)});
    return TRUE;
}

void CDrcRules::RemoveType(int index) {
    if (index < 0 || index >= GetTypeCount())
        return;
    for (DrcPinType& type : m_types) {
        if (static_cast<size_t>(index) < type.levels.size())
            type.levels.erase(type.levels.begin() + index);
    }
    m_types.erase(m_types.begin() + index);
}

// ---- settings

void CDrcRules::SetDefaults() {
    m_types.clear();
    for (const DefaultType& entry : kDefaults) {
        DrcPinType type{CString(entry.name), {}};
        for (const char* level = entry.levels; *level; ++level)
            type.levels.push_back(*level - '0');
        m_types.push_back(std::move(type));
    }
}

BOOL CDrcRules::Load(const SettingsStore& store) {
    m_types.clear();
    const int count = static_cast<int>(store.GetProfileInt(kSection, kTypeCount, 0));
    if (count < kDrcBuiltInTypes || count > kDrcMaxTypes)
        return FALSE;
    m_types.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (!LoadType(store.GetProfileString(kSection, TypeKey(i), ""), i))
            return FALSE;
    }
    return TRUE;
}

// One "Type<index>" value: the name, a line feed, the level count and the levels.
BOOL CDrcRules::LoadType(const CString& text, int index) {
    const int feed = text.Find('\n');
    if (text.IsEmpty() || feed < 0)
        return FALSE;
    const int comma = text.Find(',', feed + 1);
    if (comma < 0)
        return FALSE;
    const CString countText = text.Mid(feed + 1, comma - feed - 1);
    const char* cursor = countText.c_str();
    int count = 0;
    // A row shorter than the triangle, or longer than the set is wide, is damaged.
    if (!ReadNumber(cursor, count) || count < index + 1 || count > GetTypeCount())
        return FALSE;
    DrcPinType& type = m_types[static_cast<size_t>(index)];
    type.name = text.Left(feed);
    cursor = text.c_str() + comma;
    for (int k = 0; k < count; ++k) {
        int level = 0;
        if (*cursor != ',')
            return FALSE;
        ++cursor;
        if (!ReadNumber(cursor, level) || level < kDrcNoError || level > kDrcLevelNotConnected)
            return FALSE;
        type.levels.push_back(level);
    }
    return TRUE;
}

void CDrcRules::Save(SettingsStore& store) const {
    store.WriteProfileInt(kSection, kTypeCount, GetTypeCount());
    for (int i = 0; i < GetTypeCount(); ++i) {
        const DrcPinType& type = m_types[static_cast<size_t>(i)];
        std::string text = type.name.str() + "\n" + std::to_string(type.levels.size());
        for (int level : type.levels)
            text += "," + std::to_string(level);
        store.WriteProfileString(kSection, TypeKey(i), CString(text));
    }
}

BOOL CDrcRules::LoadCheckFlags(const SettingsStore& store) {
    const DWORD flags = store.GetProfileInt(kSection, kCheckFlags, kDrcDefaultCheckFlags);
    if (flags & ~kKnownCheckFlags)
        return FALSE;
    m_checkFlags = flags;
    return TRUE;
}

void CDrcRules::SaveCheckFlags(SettingsStore& store) const {
    store.WriteProfileInt(kSection, kCheckFlags, static_cast<int>(m_checkFlags));
}

void LoadDrcRules(CDrcRules& rules, const SettingsStore& store) {
    bool damaged = !rules.LoadCheckFlags(store);
    if (!rules.Load(store)) {
        rules.SetDefaults();
        // Nothing stored is no damage: the first start, or only the check flags were kept.
        damaged |= store.GetProfileInt(kSection, kTypeCount, 0) != 0;
    }
    if (damaged)
        AfxMessageBox(kDamaged, MB_OK | MB_ICONEXCLAMATION);
}
