#include "model/net/HiddenPinTies.h"

#include <algorithm>
#include <unordered_set>

#include "model/cmd/NetPropCmd.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

namespace {

bool IsItemSeparator(char c) {
    return c == ',' || c == ' ';
}

// The document's nets that list ties, each once, in the order of the first object carrying it.
std::vector<CNet*> TyingNets(CDrawDoc& doc) {
    std::vector<CNet*> nets;
    std::unordered_set<const CNet*> seen;
    const char* implicit = GetStdAttrName(kStdAttrImplicit);
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        CNet* net = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos))->GetNet();
        CString list;
        if (net && net->LookupAttr(implicit, list) && !list.IsEmpty() && seen.insert(net).second)
            nets.push_back(net);
    }
    return nets;
}

// The identifiers that name the parts of the symbols with a device (which matches, when given):
// each symbol's "_ID" and its part's "_DID", to the "_DID".
std::unordered_map<std::string, std::string> PartIdentifiers(CDrawDoc& doc,
                                                             const CDevice* device = nullptr) {
    std::unordered_map<std::string, std::string> ids;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetObjType() != kObjSymbol || !object->GetDevice() ||
            (device && object->GetDevice() != device))
            continue;
        const std::string did = PartIdOf(*object).str();
        ids.try_emplace(object->GetStdAttr(kStdAttrId).str(), did);
        ids.try_emplace(did, did);
    }
    return ids;
}

// The item "<identifier>:<pin>" parted where its identifier is one of ids; false when none is.
bool SplitItem(std::string_view item, const std::unordered_map<std::string, std::string>& ids,
               std::string& did, std::string_view& pin) {
    for (size_t colon = item.find(':'); colon != std::string_view::npos;
         colon = item.find(':', colon + 1)) {
        const auto found = ids.find(std::string(item.substr(0, colon)));
        if (found != ids.end()) {
            did = found->second;
            pin = item.substr(colon + 1);
            return true;
        }
    }
    return false;
}

// Calls f with each item of a list and where it starts.
template <class F>
void ForEachItem(std::string_view list, F f) {
    size_t at = 0;
    while (at < list.size()) {
        if (IsItemSeparator(list[at])) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < list.size() && !IsItemSeparator(list[end]))
            ++end;
        f(list.substr(at, end - at), at);
        at = end;
    }
}

}  // namespace

CString PartIdOf(CDrawObj& symbol) {
    CString did = symbol.GetStdAttr(kStdAttrDid);
    return did.IsEmpty() ? symbol.GetStdAttr(kStdAttrId) : did;
}

CHiddenPinTies::CHiddenPinTies(CDrawDoc& doc) : m_doc(doc) {
    const std::vector<CNet*> nets = TyingNets(doc);
    if (nets.empty())
        return;
    const std::unordered_map<std::string, std::string> ids = PartIdentifiers(doc);
    const char* implicit = GetStdAttrName(kStdAttrImplicit);
    for (const CNet* net : nets) {
        const CString list = net->GetAttr(implicit);
        ForEachItem(list.str(), [&](std::string_view item, size_t) {
            std::string did;
            std::string_view pin;
            if (SplitItem(item, ids, did, pin))
                m_ties.try_emplace(did + ":" + std::string(pin), net);
        });
    }
}

const CNet* CHiddenPinTies::Tied(const CString& did, std::string_view pin) const {
    if (m_ties.empty())
        return nullptr;
    const auto found = m_ties.find(did.str() + ":" + std::string(pin));
    return found == m_ties.end() ? nullptr : found->second;
}

BOOL CHiddenPinTies::NetOf(CDrawObj& symbol, const char* pin, CString& net) const {
    const CDevice* device = symbol.GetDevice();
    if (!device || !pin)
        return FALSE;
    if (const CNet* tied = Tied(PartIdOf(symbol), pin)) {
        const std::vector<ImplicitPin> hidden = device->GetImplicitPins();
        if (std::any_of(hidden.begin(), hidden.end(),
                        [pin](const ImplicitPin& one) { return one.name == pin; })) {
            net = tied->GetName();
            return TRUE;
        }
    }
    return device->GetImplicitPinNet(&m_doc, pin, net);
}

int CHiddenPinTies::PinsOn(CDrawObj& symbol, const char* net, CStringList& pins,
                           CStringList* numbers) const {
    const CDevice* device = symbol.GetDevice();
    if (!device)
        return 0;
    return device->GetImplicitPinNets(
        [this, &symbol](const char* pin, CString& pinNet) {
            return NetOf(symbol, pin, pinNet) != FALSE;
        },
        net, pins, numbers);
}

std::unique_ptr<CNetPropCmd> TieNetToHiddenPins(CDrawDoc& doc, CNet& net, const CString& pins) {
    const char* implicit = GetStdAttrName(kStdAttrImplicit);
    auto edit = std::make_unique<CNetPropCmd>(&net);
    edit->KeepTextPlaces(&doc);
    if (pins.IsEmpty())
        net.RemoveAttr(implicit);
    else
        net.SetAttr(implicit, pins, 0);
    if (!edit->HasChanged())
        return nullptr;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetNet() == &net)
            object->RefreshAttrTexts(implicit);
    }
    return edit;
}

std::vector<std::unique_ptr<CNetPropCmd>> MoveHiddenPinTies(
    CDrawDoc& doc, const CDevice& device, const std::vector<RenamedImplicitPin>& renamed) {
    std::vector<std::unique_ptr<CNetPropCmd>> edits;
    if (renamed.empty())
        return edits;
    const std::vector<CNet*> nets = TyingNets(doc);
    if (nets.empty())
        return edits;
    const std::unordered_map<std::string, std::string> ids = PartIdentifiers(doc, &device);
    const char* implicit = GetStdAttrName(kStdAttrImplicit);
    for (CNet* net : nets) {
        const std::string list = net->GetAttr(implicit).str();
        std::string moved;
        size_t copied = 0;
        ForEachItem(list, [&](std::string_view item, size_t at) {
            std::string did;
            std::string_view pin;
            if (!SplitItem(item, ids, did, pin))
                return;
            const auto rename = std::find_if(renamed.begin(), renamed.end(),
                                             [pin](const auto& one) { return one.from == pin; });
            if (rename == renamed.end())
                return;
            const size_t pinAt = at + static_cast<size_t>(pin.data() - item.data());
            moved += list.substr(copied, pinAt - copied) + rename->to;
            copied = pinAt + pin.size();
        });
        if (copied == 0)
            continue;
        moved += list.substr(copied);
        if (std::unique_ptr<CNetPropCmd> edit = TieNetToHiddenPins(doc, *net, moved.c_str()))
            edits.push_back(std::move(edit));
    }
    return edits;
}
