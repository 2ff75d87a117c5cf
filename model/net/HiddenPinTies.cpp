#include "model/net/HiddenPinTies.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_set>
#include <utility>

#include "model/cmd/NetPropCmd.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"
#include "model/undo/UndoList.h"
#include "platform/ObList.h"

namespace {

bool IsItemSeparator(char c) {
    return c == ',' || c == ' ';
}

const char* ImplicitName() {
    return GetStdAttrName(kStdAttrImplicit);
}

std::vector<CDrawObj*> ObjectsOf(const CObList& list) {
    std::vector<CDrawObj*> objects;
    objects.reserve(static_cast<size_t>(list.GetCount()));
    for (POSITION pos = list.GetHeadPosition(); pos;)
        objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
    return objects;
}

// The nets of the objects that list ties, each once, in the order of the first object
// carrying it.
std::vector<CNet*> TyingNets(const std::vector<CDrawObj*>& objects) {
    std::vector<CNet*> nets;
    std::unordered_set<const CNet*> seen;
    for (CDrawObj* object : objects) {
        CNet* net = object->GetNet();
        CString list;
        if (net && net->LookupAttr(ImplicitName(), list) && !list.IsEmpty() &&
            seen.insert(net).second)
            nets.push_back(net);
    }
    return nets;
}

// A symbol of a part that an item can name: one with a device (which matches, when given) and
// an identifier. Parts without one share no name, so none of them is tied.
bool IsPart(CDrawObj& object, const CDevice* device = nullptr) {
    return object.GetObjType() == kObjSymbol && object.GetDevice() &&
           (!device || object.GetDevice() == device) && !PartIdOf(object).IsEmpty();
}

// Calls f with each identifier that names the part of the symbol: its "_ID", when it has one,
// and its part's "_DID" (PartIdOf).
template <class F>
void ForEachNameOf(CDrawObj& symbol, const std::string& did, F f) {
    const CString id = symbol.GetStdAttr(kStdAttrId);
    if (!id.IsEmpty())
        f(id.str(), false);
    f(did, true);
}

// The identifiers that name the parts of the symbols with a device (which matches, when given),
// to the part's "_DID".
std::unordered_map<std::string, std::string> PartIdentifiers(const std::vector<CDrawObj*>& objects,
                                                             const CDevice* device = nullptr) {
    std::unordered_map<std::string, std::string> ids;
    for (CDrawObj* object : objects) {
        if (!IsPart(*object, device))
            continue;
        const std::string did = PartIdOf(*object).str();
        ForEachNameOf(*object, did,
                      [&](const std::string& name, bool) { ids.try_emplace(name, did); });
    }
    return ids;
}

// Where the item "<identifier>:<pin>" parts: the first colon after which the identifier is
// one that found knows; npos when there is none.
template <class Known>
size_t SplitAt(std::string_view item, Known found) {
    for (size_t colon = item.find(':'); colon != std::string_view::npos;
         colon = item.find(':', colon + 1)) {
        if (found(item.substr(0, colon)))
            return colon;
    }
    return std::string_view::npos;
}

// The item parted where its identifier is one of ids; false when none is.
bool SplitItem(std::string_view item, const std::unordered_map<std::string, std::string>& ids,
               std::string& did, std::string_view& pin) {
    const size_t colon = SplitAt(
        item, [&ids](std::string_view id) { return ids.find(std::string(id)) != ids.end(); });
    if (colon == std::string_view::npos)
        return false;
    did = ids.find(std::string(item.substr(0, colon)))->second;
    pin = item.substr(colon + 1);
    return true;
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

// The holders of the net among the document's objects.
void RefreshListTexts(CDrawDoc& doc, const CNet& net) {
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetNet() == &net)
            object->RefreshAttrTexts(ImplicitName());
    }
}

}  // namespace

CString PartIdOf(CDrawObj& symbol) {
    CString did = symbol.GetStdAttr(kStdAttrDid);
    return did.IsEmpty() ? symbol.GetStdAttr(kStdAttrId) : did;
}

// ---------------------------------------------------------------------------------------------
// Reading

CHiddenPinTies::CHiddenPinTies(CDrawDoc& doc) : m_doc(doc) {
    const std::vector<CDrawObj*> objects = ObjectsOf(doc.GetObjects());
    const std::vector<CNet*> nets = TyingNets(objects);
    if (nets.empty())
        return;
    const std::unordered_map<std::string, std::string> ids = PartIdentifiers(objects);
    for (const CNet* net : nets) {
        const CString list = net->GetAttr(ImplicitName());
        ForEachItem(list.str(), [&](std::string_view item, size_t) {
            std::string did;
            std::string_view pin;
            if (SplitItem(item, ids, did, pin))
                m_ties.try_emplace(KeyOf(did, pin), net->GetName());
            else
                m_unnamed.push_back({net->GetName(), CString(std::string(item))});
        });
    }
}

std::string CHiddenPinTies::KeyOf(CDrawObj& symbol, std::string_view pin) {
    return KeyOf(PartIdOf(symbol).str(), pin);
}

std::string CHiddenPinTies::KeyOf(std::string_view part, std::string_view pin) {
    std::string key;
    key.reserve(part.size() + 1 + pin.size());
    return key.append(part).append(1, ':').append(pin);
}

std::string CHiddenPinTies::PartPinKey(const CString& part, int place, std::string_view pin) {
    if (!part.IsEmpty())
        return KeyOf(part.str(), pin);
    return KeyOf(std::string(1, '\0') + std::to_string(place), pin);
}

const CString* CHiddenPinTies::Tied(CDrawObj& symbol, std::string_view pin) const {
    if (m_ties.empty())
        return nullptr;
    const auto found = m_ties.find(KeyOf(symbol, pin));
    return found == m_ties.end() ? nullptr : &found->second;
}

BOOL CHiddenPinTies::NetOf(CDrawObj& symbol, const char* pin, CString& net) const {
    const CDevice* device = symbol.GetDevice();
    if (!device || !pin)
        return FALSE;
    if (const CString* tied = Tied(symbol, pin)) {
        const std::vector<ImplicitPin> hidden = device->GetImplicitPins();
        if (std::any_of(hidden.begin(), hidden.end(),
                        [pin](const ImplicitPin& one) { return one.name == pin; })) {
            net = *tied;
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

CString CHiddenPinTies::DescribeUnnamed(const UnnamedHiddenPinTie& tie) {
    return "Net " + tie.net + " is tied to hidden pin " + tie.item + ", which names no part.";
}

// ---------------------------------------------------------------------------------------------
// Keeping ties on their parts

struct CHiddenPinTieKeeper::Item {
    std::string text;             // as listed
    CDrawObj* symbol = nullptr;   // the symbol it names; null when it names none
    bool byPart = false;          // named by the part's "_DID"
    std::vector<CDrawObj*> part;  // the symbols of that part, in list order
    std::string pin;
};

struct CHiddenPinTieKeeper::Tying {
    CNet* net;
    CString list;  // as it was
    std::vector<Item> items;
};

CHiddenPinTieKeeper::CHiddenPinTieKeeper(CDrawDoc& doc) {
    Take(ObjectsOf(doc.GetObjects()));
}

CHiddenPinTieKeeper::CHiddenPinTieKeeper(const CObList& incoming) : m_dropUnnamed(true) {
    Take(ObjectsOf(incoming));
}

CHiddenPinTieKeeper::~CHiddenPinTieKeeper() = default;

void CHiddenPinTieKeeper::Take(const std::vector<CDrawObj*>& objects) {
    const std::vector<CNet*> nets = TyingNets(objects);
    if (nets.empty())
        return;
    // Each identifier to the symbol it names first and whether it names the part.
    std::unordered_map<std::string, std::pair<CDrawObj*, bool>> named;
    std::map<std::pair<const CDevice*, std::string>, std::vector<CDrawObj*>> parts;
    for (CDrawObj* object : objects) {
        if (!IsPart(*object))
            continue;
        const std::string did = PartIdOf(*object).str();
        ForEachNameOf(*object, did, [&](const std::string& name, bool byPart) {
            named.try_emplace(name, object, byPart);
        });
        parts[{object->GetDevice(), did}].push_back(object);
    }
    for (CNet* net : nets) {
        Tying& tying = m_nets.emplace_back(Tying{net, net->GetAttr(ImplicitName()), {}});
        ForEachItem(tying.list.str(), [&](std::string_view text, size_t) {
            Item& item = tying.items.emplace_back();
            item.text = text;
            const size_t colon = SplitAt(text, [&named](std::string_view id) {
                return named.find(std::string(id)) != named.end();
            });
            if (colon == std::string_view::npos)
                return;
            const auto& [symbol, byPart] = named.find(std::string(text.substr(0, colon)))->second;
            item.symbol = symbol;
            item.byPart = byPart && PartIdOf(*symbol) != symbol->GetStdAttr(kStdAttrId);
            item.part = parts[{symbol->GetDevice(), PartIdOf(*symbol).str()}];
            item.pin = text.substr(colon + 1);
        });
    }
}

std::vector<std::pair<CNet*, CString>> CHiddenPinTieKeeper::Rewritten(
    const std::vector<CDrawObj*>& objects, const CHiddenPinTies* present) const {
    std::vector<std::pair<CNet*, CString>> lists;
    if (m_nets.empty())
        return lists;
    const std::unordered_set<const CDrawObj*> there(objects.begin(), objects.end());
    std::unordered_set<const CNet*> carried;
    for (const CDrawObj* object : objects)
        carried.insert(object->GetNet());
    const std::unordered_map<std::string, std::string> ids = PartIdentifiers(objects);
    for (const Tying& tying : m_nets) {
        // A list that changed in the meantime is another edit's to keep.
        if (!carried.contains(tying.net) || tying.net->GetAttr(ImplicitName()) != tying.list)
            continue;
        std::string list;
        bool changed = false;
        for (const Item& item : tying.items) {
            std::string text = item.text;
            if (item.symbol) {
                CDrawObj* symbol = there.contains(item.symbol) ? item.symbol : nullptr;
                for (size_t i = 0; !symbol && i < item.part.size(); ++i)
                    symbol = there.contains(item.part[i]) ? item.part[i] : nullptr;
                if (!symbol || (present && present->Tied(*symbol, item.pin)))
                    text.clear();
                else if (symbol == item.symbol && item.byPart)
                    text = PartIdOf(*symbol).str() + ":" + item.pin;
                else
                    text = symbol->GetStdAttr(kStdAttrId).str() + ":" + item.pin;
            } else {
                std::string did;
                std::string_view pin;
                if (m_dropUnnamed || SplitItem(text, ids, did, pin))
                    text.clear();
            }
            changed = changed || text != item.text;
            if (!text.empty())
                list += (list.empty() ? "" : ",") + text;
        }
        if (changed)
            lists.emplace_back(tying.net, CString(list));
    }
    return lists;
}

void CHiddenPinTieKeeper::KeepInStep(CDrawDoc& doc) {
    for (const auto& [net, list] : Rewritten(ObjectsOf(doc.GetObjects()))) {
        std::unique_ptr<CNetPropCmd> edit = TieNetToHiddenPins(doc, *net, list);
        if (edit && (doc.MergeCommand(edit.get()) || doc.GetUndoList().Add(edit.get())))
            static_cast<void>(edit.release());  // the list owns it
    }
}

void CHiddenPinTieKeeper::KeepIncoming(const CObList& incoming, const CHiddenPinTies& present) {
    for (const auto& [net, list] : Rewritten(ObjectsOf(incoming), &present)) {
        if (list.IsEmpty())
            net->RemoveAttr(ImplicitName());
        else
            net->SetAttr(ImplicitName(), list, 0);
        for (POSITION pos = incoming.GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(incoming.GetNext(pos));
            if (object->GetNet() == net)
                object->RefreshAttrTexts(ImplicitName());
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Edits of the lists

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
    RefreshListTexts(doc, net);
    return edit;
}

std::unique_ptr<CNetPropCmd> JoinHiddenPinTies(CDrawDoc& doc, CNet& kept,
                                               const std::vector<CNet*>& leaving) {
    std::vector<const CNet*> ending;
    for (const CNet* net : leaving) {
        if (net && net != &kept && !net->GetAttr(ImplicitName()).IsEmpty())
            ending.push_back(net);
    }
    if (ending.empty())
        return nullptr;
    // A net some object still carries keeps its ties.
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos && !ending.empty();) {
        const CNet* net = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos))->GetNet();
        std::erase(ending, net);
    }
    const std::string present = kept.GetAttr(ImplicitName()).str();
    std::unordered_set<std::string> listed;
    ForEachItem(present, [&listed](std::string_view item, size_t) { listed.emplace(item); });
    std::string joined = present;
    for (const CNet* net : ending) {
        ForEachItem(net->GetAttr(ImplicitName()).str(), [&](std::string_view item, size_t) {
            if (listed.emplace(item).second)
                joined += (joined.empty() ? "" : ",") + std::string(item);
        });
    }
    return joined == present ? nullptr : TieNetToHiddenPins(doc, kept, CString(joined));
}

std::vector<std::unique_ptr<CNetPropCmd>> MoveHiddenPinTies(
    CDrawDoc& doc, const CDevice& device, const std::vector<RenamedImplicitPin>& renamed) {
    std::vector<std::unique_ptr<CNetPropCmd>> edits;
    if (renamed.empty())
        return edits;
    const std::vector<CDrawObj*> objects = ObjectsOf(doc.GetObjects());
    const std::vector<CNet*> nets = TyingNets(objects);
    if (nets.empty())
        return edits;
    const std::unordered_map<std::string, std::string> ids = PartIdentifiers(objects, &device);
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
