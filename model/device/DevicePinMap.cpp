// The device's pin map: setting it, pin numbers and names, gates and the symbols it lists.

#include <string_view>
#include <unordered_set>

#include "model/device/Device.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

namespace {

// Texts that would split a field or a line of the map.
bool BreaksMap(std::string_view text) {
    return text.find_first_of("\x01\n") != std::string_view::npos;
}

// The identifier is longer than the suffix and ends with it.
bool SuffixEnds(std::string_view gate, std::string_view id) {
    return id.size() > gate.size() && id.ends_with(gate);
}

}  // namespace

bool CDevice::ParseStoredMap(CPinMap& map, bool sorted) const {
    if (!map.Parse(GetAttr(GetStdAttrName(kStdAttrMap)).str()))
        return false;
    if (sorted)
        map.Sort();
    return true;
}

CPinMap* CDevice::ReadStoredMap(bool sorted) const {
    const CString* stored = m_attributes.PLookup(GetStdAttrName(kStdAttrMap));
    const std::string_view text = stored ? std::string_view(stored->str()) : std::string_view();
    if (!m_parsedMaps || m_parsedMaps->text != text) {
        m_parsedMaps = std::make_unique<ParsedMaps>();
        m_parsedMaps->text = text;
    }
    return ParsedMap(sorted);
}

CPinMap* CDevice::ParsedMap(bool sorted) const {
    std::unique_ptr<CPinMap>& map = m_parsedMaps->parsed[sorted ? 1 : 0];
    if (!map) {
        auto parsed = std::make_unique<CPinMap>();
        if (!ParseStoredMap(*parsed, sorted))
            return nullptr;
        map = std::move(parsed);
    }
    return map.get();
}

int CDevice::CheckAndStore(CPinMap& map, int mode) {
    if (mode & kMapCheck) {
        if (const int code = map.CheckDuplicates())
            return code;
    }
    if (mode & kMapApply)
        m_attributes.SetAt(GetStdAttrName(kStdAttrMap), CString(map.Format()));
    return 0;
}

int CDevice::SetMap(const char* text, int mode) {
    CPinMap map;
    if (!text || !map.Parse(text))
        return kMapUnparsable;
    map.Sort();
    if (!(mode & kMapInOrder))
        return CheckAndStore(map, mode);
    if (const int code = CheckAndStore(map, mode & kMapCheck))
        return code;
    CPinMap inOrder;
    inOrder.Parse(text);
    return CheckAndStore(inOrder, mode & kMapApply);
}

int CDevice::GetPinNumber(CString& number, const char* symbol, const char* gate,
                          const char* pin) const {
    CPinMap* map = ReadStoredMap(true);
    if (!map)
        return kMapUnparsable;
    CPinMapLine* line = map->FindLine(symbol ? symbol : "", gate ? gate : "");
    CPinMapPair* pair = line ? line->FindPin(pin ? pin : "") : nullptr;
    if (!pair)
        return kMapNotFound;
    number = CString(pair->number);
    return 0;
}

CPinMapLine* CDevice::FindPartLine(const CString& id, const char* symbol, CString& did) const {
    const std::string_view name = symbol ? symbol : "";
    const CPinMap* stored = ReadStoredMap(false);
    const CPinMapLine* gateLine = stored ? FindGateLine(*stored, id.str(), name) : nullptr;
    did = !stored    ? CString()
          : gateLine ? id.Left(id.GetLength() - static_cast<int>(gateLine->gate.size()))
                     : id;
    // An identifier that lacks the gate of the symbol's only line is still that section: its
    // pins keep their numbers.
    if (stored && !gateLine)
        gateLine = FindOnlyLine(*stored, name);
    // The sorted map is of the text just checked.
    CPinMap* sorted = stored ? ParsedMap(true) : nullptr;
    return sorted ? sorted->FindLine(name, gateLine ? gateLine->gate : std::string_view())
                  : nullptr;
}

int CDevice::SetPinNumber(const char* symbol, const char* gate, const char* pin, const char* number,
                          int mode) {
    CPinMap map;
    if (!number || BreaksMap(number) || !ParseStoredMap(map, true))
        return kMapUnparsable;
    CPinMapLine* line = map.FindLine(symbol ? symbol : "", gate ? gate : "");
    CPinMapPair* pair = line ? line->FindPin(pin ? pin : "") : nullptr;
    if (!pair)
        return kMapNotFound;
    pair->number = map.Keep(number);
    return CheckAndStore(map, mode);
}

int CDevice::RenamePin(const char* oldName, const char* newName, const char* symbol, int mode) {
    CPinMap map;
    if (!newName || BreaksMap(newName) || !ParseStoredMap(map, true))
        return kMapUnparsable;
    const std::string_view kept = map.Keep(newName);
    for (CPinMapLine& line : map.Lines()) {
        if (line.symbol != (symbol ? symbol : ""))
            continue;
        CPinMapPair* pair = line.FindPin(oldName ? oldName : "");
        if (!pair)
            return kMapNotFound;
        pair->name = kept;
    }
    map.Sort();
    return CheckAndStore(map, mode);
}

const CPinMapLine* CDevice::FindGateLine(const CPinMap& map, std::string_view id,
                                         std::string_view symbol) {
    for (const CPinMapLine& line : map.Lines()) {
        if (line.symbol == symbol && (line.gate.empty() || SuffixEnds(line.gate, id)))
            return &line;
    }
    return nullptr;
}

const CPinMapLine* CDevice::FindOnlyLine(const CPinMap& map, std::string_view symbol) {
    const CPinMapLine* found = nullptr;
    for (const CPinMapLine& line : map.Lines()) {
        if (line.symbol != symbol)
            continue;
        if (found)
            return nullptr;
        found = &line;
    }
    return found;
}

CString CDevice::GetInstance(const char* id, const char* symbol) const {
    const CPinMap* map = id && symbol ? ReadStoredMap(false) : nullptr;
    const CPinMapLine* line = map ? FindGateLine(*map, id, symbol) : nullptr;
    return line ? CString(line->gate) : CString();
}

int CDevice::StripGateSuffix(CString& id, const char* symbol) const {
    const CPinMap* map = ReadStoredMap(false);
    if (!map)
        return kMapUnparsable;
    const CPinMapLine* line = FindGateLine(*map, id.str(), symbol ? symbol : "");
    if (!line)
        return 0;
    id = id.Left(id.GetLength() - static_cast<int>(line->gate.size()));
    return 1;
}

int CDevice::GetSymbolList(CDeviceSymbolList& list) const {
    CPinMap map;
    if (!ParseStoredMap(map, true))
        return kMapUnparsable;
    for (const CPinMapLine& line : map.Lines()) {
        list.push_back(std::make_unique<CDeviceSymbol>(CString(line.gate), CString(line.symbol)));
    }
    return 0;
}

BOOL CDevice::IsCompatibleWith(CDrawObj* symbol) const {
    if (!symbol)
        return FALSE;
    std::vector<CString> pinIds;
    if (const CObList* pins = symbol->GetPinList()) {
        const char* idName = GetStdAttrName(kStdAttrId);
        for (POSITION pos = pins->GetHeadPosition(); pos;)
            pinIds.push_back(static_cast<CDrawObj*>(pins->GetNext(pos))->GetAttr(idName));
    }
    return IsCompatibleWith(symbol->GetAttr(GetStdAttrName(kStdAttrName)), pinIds);
}

BOOL CDevice::IsCompatibleWith(const char* symbol, const std::vector<CString>& pinIds) const {
    CPinMap map;
    if (!symbol || !ParseStoredMap(map, false))
        return FALSE;
    for (const CPinMapLine& line : map.Lines()) {
        if (line.symbol != symbol)
            continue;
        if (line.pairs.size() != pinIds.size())
            return FALSE;
        std::unordered_set<std::string_view> ids;
        for (const CString& id : pinIds)
            ids.insert(id.str());
        for (const CPinMapPair& pair : line.pairs) {
            if (!ids.contains(pair.name))
                return FALSE;
        }
        return TRUE;
    }
    return FALSE;
}
