// The device's part identifiers (prefix, number, gate suffix), its hidden pins and the
// refreshing of the symbols that use it.

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "model/device/Device.h"
#include "model/device/ImplicitPins.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

namespace {

constexpr std::string_view kForbiddenIdChars = "@#$%^&*()_+=-'~`,.?;";
constexpr const char* kDefaultPrefix = "A";
constexpr const char* kNetSuffix = ".Net";

CDrawObj* NextDrawObj(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

bool IsAsciiLetter(char ch) {
    return std::isalpha(static_cast<unsigned char>(ch)) != 0 &&
           static_cast<unsigned char>(ch) < 0x80;
}

// An identifier cut into prefix, number and gate suffix: the suffix follows the last digit,
// the number is the run of digits before it.
struct PartId {
    explicit PartId(std::string_view id) {
        const size_t last = id.find_last_of("0123456789");
        if (last == std::string_view::npos) {
            prefix = id;
            return;
        }
        suffix = id.substr(last + 1);
        const size_t before = id.find_last_not_of("0123456789", last);
        const size_t start = before == std::string_view::npos ? 0 : before + 1;
        number = id.substr(start, last + 1 - start);
        prefix = id.substr(0, start);
    }
    std::string_view prefix;
    std::string_view number;
    std::string_view suffix;
};

bool HasValidForm(std::string_view id) {
    return !id.empty() && IsAsciiLetter(id.front()) &&
           id.find_first_of(kForbiddenIdChars) == std::string_view::npos;
}

// What the document's objects other than the symbol hold: for each identifier or "_DID", the
// first object (in list order) that takes it, and whether that object is a part of this
// device whose gates may complete it; and every "_ID", the symbol's included.
struct TakenIds {
    TakenIds(const CDevice* device, CDrawObj* symbol) {
        CDrawDoc* doc = symbol->GetDocument();
        if (!doc)
            return;
        const char* idName = GetStdAttrName(kStdAttrId);
        const char* didName = GetStdAttrName(kStdAttrDid);
        const CObList& objects = doc->GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            CDrawObj* object = NextDrawObj(objects, pos);
            const std::string id = object->GetAttr(idName).str();
            ids.insert(id);
            if (object == symbol)
                continue;
            const CDevice* own = object->GetDevice();
            const std::string did = own ? object->GetAttr(didName).str() : std::string();
            takers.try_emplace(id, own == device && did == id);
            if (own && did != id)
                takers.try_emplace(did, own == device);
        }
    }
    std::unordered_map<std::string, bool> takers;
    std::unordered_set<std::string> ids;
};

}  // namespace

void CDevice::UpdateSymbols(CDrawDoc* doc) const {
    if (!doc)
        return;
    const CObList& objects = doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = NextDrawObj(objects, pos);
        if (object->GetDevice() == this)
            object->RefreshAttrTexts(nullptr);
    }
}

// ---------------------------------------------------------------------------------------------
// Part identifiers

BOOL CDevice::IsValidPartId(CDrawObj* symbol, CString& id, UINT flags) const {
    if (!symbol)
        return FALSE;
    CDrawDoc* doc = symbol->GetDocument();
    const long first = doc ? doc->m_firstPartNumber : 1;
    if (id.IsEmpty())
        return MakePartId(id, first, symbol);
    if (HasValidForm(id.str()) && HasGateFor(symbol, id) && !IsPartOfOtherDevice(symbol, id))
        return TRUE;
    if (!(flags & kPartIdMakeNew))
        return FALSE;
    // An identifier that keeps its bad form or gate through MakePartId is made from nothing.
    MakePartId(id, first, symbol);
    if (!HasValidForm(id.str()) || !HasGateFor(symbol, id)) {
        id.Empty();
        MakePartId(id, first, symbol);
    }
    return TRUE;
}

bool CDevice::HasGateFor(CDrawObj* symbol, const CString& id) const {
    CPinMap map;
    if (!ParseStoredMap(map, false))
        return false;
    const CString name = symbol->GetAttr(GetStdAttrName(kStdAttrName));
    const PartId parts(id.str());
    for (const CPinMapLine& line : map.Lines()) {
        if (line.symbol == name.str() && line.gate == parts.suffix)
            return true;
    }
    return false;
}

std::vector<std::string> CDevice::GetGates(CDrawObj* symbol) const {
    std::vector<std::string> gates;
    CPinMap map;
    if (!symbol || !ParseStoredMap(map, false))
        return gates;
    const CString name = symbol->GetAttr(GetStdAttrName(kStdAttrName));
    for (const CPinMapLine& line : map.Lines()) {
        if (line.symbol == name.str() && !line.gate.empty())
            gates.emplace_back(line.gate);
    }
    return gates;
}

bool CDevice::IsPartOfOtherDevice(CDrawObj* symbol, const CString& id) const {
    CDrawDoc* doc = symbol->GetDocument();
    if (!doc)
        return false;
    const PartId parts(id.str());
    const std::string_view did =
        std::string_view(id.str()).substr(0, parts.prefix.size() + parts.number.size());
    const char* didName = GetStdAttrName(kStdAttrDid);
    const CObList& objects = doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = NextDrawObj(objects, pos);
        if (object != symbol && object->GetObjType() == kObjSymbol && object->GetDevice() != this &&
            object->GetAttr(didName).str() == did)
            return true;
    }
    return false;
}

BOOL CDevice::MakePartId(CString& id, long firstNumber, CDrawObj* symbol) const {
    if (!symbol)
        return FALSE;
    CString prefix = GetStdAttr(kStdAttrPref);
    if (prefix.IsEmpty())
        prefix = symbol->GetAttr(GetStdAttrName(kStdAttrPref));
    if (prefix.IsEmpty())
        prefix = kDefaultPrefix;
    CPinMap map;
    ParseStoredMap(map, false);           // a malformed map completes no identifier
    std::vector<std::string_view> gates;  // the symbol's, in map order
    const CString name = symbol->GetAttr(GetStdAttrName(kStdAttrName));
    for (const CPinMapLine& line : map.Lines()) {
        if (line.symbol == name.str())
            gates.push_back(line.gate);
    }

    long long next = firstNumber;
    std::string candidate = prefix.str() + std::to_string(next++);
    if (!id.IsEmpty()) {
        for (const CPinMapLine& line : map.Lines()) {
            if (line.gate.empty() || (id.GetLength() > static_cast<int>(line.gate.size()) &&
                                      std::string_view(id.str()).ends_with(line.gate))) {
                candidate = id.str().substr(0, id.str().size() - line.gate.size());
                next = firstNumber;
                break;
            }
        }
    }
    const TakenIds taken(this, symbol);
    for (;;) {
        const auto taker = taken.takers.find(candidate);
        if (taker == taken.takers.end())
            break;
        if (taker->second) {
            for (std::string_view gate : gates) {
                std::string complete = candidate + std::string(gate);
                if (!taken.ids.contains(complete)) {
                    id = CString(std::move(complete));
                    return TRUE;
                }
            }
        }
        candidate = prefix.str() + std::to_string(next++);
    }
    // With no line for the symbol the bare candidate is the identifier.
    id = CString(candidate + std::string(gates.empty() ? std::string_view() : gates.front()));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Hidden pins

std::vector<ImplicitPin> CDevice::GetImplicitPins() const {
    return ParseImplicitPins(GetStdAttr(kStdAttrImplicit).str());
}

BOOL CDevice::GetImplicitPinNet(CDrawDoc* doc, const char* pin, CString& net) const {
    if (!pin)
        return FALSE;
    for (const auto& [name, number] : GetImplicitPins()) {
        if (name == pin)
            return ResolvePinNet(doc, pin, net);
    }
    return FALSE;
}

bool CDevice::ResolvePinNet(CDrawDoc* doc, const std::string& pin, CString& net) const {
    CString value;
    if (!Lookup((pin + kNetSuffix).c_str(), value))
        return false;
    CString resolved;
    net = doc && doc->GetAttribute(value, resolved) ? resolved : value;
    return true;
}

int CDevice::GetImplicitPinNets(CDrawDoc* doc, const char* net, CStringList& pins,
                                CStringList* numbers) const {
    return GetImplicitPinNets(
        [this, doc](const char* pin, CString& pinNet) { return ResolvePinNet(doc, pin, pinNet); },
        net, pins, numbers);
}

int CDevice::GetImplicitPinNets(const std::function<bool(const char* pin, CString& net)>& netOf,
                                const char* net, CStringList& pins, CStringList* numbers) const {
    if (!net)
        return 0;
    int found = 0;
    for (const auto& [name, number] : GetImplicitPins()) {
        CString pinNet;
        if (!netOf(name.c_str(), pinNet) || pinNet != net)
            continue;
        pins.AddTail(CString(name));
        if (numbers)
            numbers->AddTail(CString(number));
        ++found;
    }
    return found;
}
