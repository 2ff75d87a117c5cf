#include "library/DesignTreeItems.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "library/DesignTreeModel.h"
#include "library/DesignTreeNetNames.h"
#include "library/LabelCompare.h"
#include "model/app/NameList.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

// How many objects ahead of a walk over a document's objects each is asked for.
constexpr int kFetchLead = 8;

// The symbols of the document in list order. The objects lie apart in memory: each is asked
// for a few places ahead of the walk.
template <class Visit>
void ForEachSymbol(CDrawDoc* doc, Visit visit) {
    const CObList& objects = doc->GetObjects();
    CListFetchAhead ahead(objects, kFetchLead);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        ahead.Step();
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetObjType() == kObjSymbol)
            visit(static_cast<CSymbol*>(object));
    }
}

template <class Visit>
void ForEachPin(CSymbol* symbol, Visit visit) {
    CObList& pins = symbol->GetPins();
    for (POSITION pos = pins.GetHeadPosition(); pos;)
        visit(static_cast<CPin*>(pins.GetNext(pos)));
}

// The names of a name list; a plain name is its own list.
std::vector<CString> Expanded(const char* text) {
    const std::string_view plain(text);
    if (!plain.empty() && plain.find_first_of(",[( \t") == std::string_view::npos)
        return {CString(plain)};
    CStringArray names;
    ExpandNameList(names, text);
    std::vector<CString> list;
    for (int i = 0; i < names.GetSize(); ++i)
        list.push_back(names[i]);
    return list;
}

// The name of the net of the pin's wire; empty without one.
CString WireNetName(const CPin* pin) {
    CDrawObj* wire = pin->GetWire();
    CNet* net = wire ? wire->GetNet() : nullptr;
    return net ? net->GetName() : CString();
}

bool IsListed(CDrawDoc* doc, CDrawObj* object) {
    return doc && object && doc->IsListed(object);
}

int KindOrder(int a, int b) {
    return a < b ? -1 : 1;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

int ComparePinLabels(const CString& a, const CString& b) {
    const auto split = [](const CString& label) {
        const std::string_view text = label.str();
        const size_t colon = text.find(':');
        if (colon == std::string_view::npos || colon == 0)
            return std::pair{std::string_view(), text};
        return std::pair{text.substr(0, colon), text.substr(colon + 1)};
    };
    const auto [ownerA, pinA] = split(a);
    const auto [ownerB, pinB] = split(b);
    if (const int owner = CompareLabelsNumeric(ownerA, ownerB))
        return owner;
    return CompareLabelsNumeric(pinA, pinB);
}

int CompareDesignItems(int kindA, const CString& labelA, int kindB, const CString& labelB) {
    if (kindA != kindB) {
        if ((kindA == 3 && kindB == 4) || (kindA == 4 && kindB == 3))
            return ComparePinLabels(labelA, labelB);
        return KindOrder(kindA, kindB);
    }
    switch (kindA) {
        case 1:
        case 2:
        case 5:
        case 6:
        case 7:
            return CompareLabelsNumeric(labelA.str(), labelB.str());
        case 3:
        case 4:
            return ComparePinLabels(labelA, labelB);
        default:
            return Sign(labelA.Compare(labelB));
    }
}

// ---- the common item

std::string CDesignTreeItem::MatchKey() const {
    return std::to_string(GetKind());
}

void CDesignTreeItem::FillChildren(CDesignTreeModel& tree, CDesignTreeNode& node) const {
    Items children;
    MakeChildren(tree, children);
    for (auto& child : children)
        tree.InsertChild(node, std::move(child));
}

bool CDesignTreeItem::UpdateChildren(CDesignTreeModel&, CDesignTreeNode&) {
    return false;
}

bool CDesignTreeItem::RefreshStep(CDesignTreeModel& tree, RefreshEntry& entry) {
    CDesignTreeNode& node = *entry.node;
    switch (entry.phase) {
        case 0:
            if (!UpdateChildren(tree, node))
                return false;
            ++entry.phase;
            return true;
        case 1:
            tree.SortChildren(node);
            ++entry.phase;
            return true;
        default:
            while (entry.nextChild < node.Children().size()) {
                CDesignTreeNode& child = *node.Children()[entry.nextChild++];
                if (child.Item().NeedsRefresh(tree, child)) {
                    tree.PushRefresh(child);
                    return true;
                }
            }
            return false;
    }
}

bool CDesignTreeItem::MatchChildren(CDesignTreeModel& tree, CDesignTreeNode& node, int firstSwept,
                                    int lastSwept) const {
    tree.ResetChildButton(node);
    if (!node.IsExpanded())
        return false;
    std::unordered_map<std::string, CDesignTreeNode*> existing;
    for (const auto& child : node.Children())
        existing.emplace(child->Item().MatchKey(), child.get());
    const size_t oldCount = node.Children().size();
    Items made;
    MakeChildren(tree, made);
    for (auto& item : made) {
        const auto found = existing.find(item->MatchKey());
        if (found == existing.end() || (found->second->Item().Flags() & kSeen)) {
            tree.InsertChild(node, std::move(item)).Item().Flags() |= kSeen;
            continue;
        }
        found->second->Item().Flags() |= kSeen;
        tree.SetLabel(*found->second, found->second->Item().GetLabel());
    }
    std::vector<CDesignTreeNode*> unseen;
    for (size_t i = 0; i < oldCount; ++i) {
        CDesignTreeNode* child = node.Children()[i].get();
        const int kind = child->Item().GetKind();
        if (!(child->Item().Flags() & kSeen) && kind >= firstSwept && kind <= lastSwept)
            unseen.push_back(child);
    }
    for (CDesignTreeNode* child : unseen)
        tree.DeleteNode(*child);
    for (const auto& child : node.Children())
        child->Item().Flags() &= ~kSeen;
    return true;
}

// ---- documents

bool CSchematicsItem::HasChildren(const CDesignTreeModel& tree) const {
    return GetDocument() || !tree.Documents().empty();
}

CString CSchematicsItem::GetLabel() const {
    return GetDocument() ? GetDocument()->GetTitle() : CString("Schematics");
}

CObject* CSchematicsItem::GetObject() const {
    return GetDocument();
}

void CSchematicsItem::MakeChildren(const CDesignTreeModel& tree, Items& children) const {
    CDrawDoc* doc = GetDocument();
    if (!doc) {
        for (CDrawDoc* open : tree.Documents())
            children.push_back(std::make_unique<CSchematicsItem>(open));
        return;
    }
    children.push_back(std::make_unique<CSymbolsItem>(doc, nullptr));
    children.push_back(std::make_unique<CNetsItem>(doc, CString()));
    children.push_back(std::make_unique<CSubcircuitsItem>(doc));
    children.push_back(std::make_unique<CPortsItem>(doc, nullptr));
    if (tree.IsAttributePicking()) {
        children.push_back(std::make_unique<COtherItem>(doc, nullptr));
        return;
    }
    children.push_back(
        std::make_unique<CAttributesItem>(doc, AttributeOwner{AttributeOwner::kDocument, doc}));
    children.push_back(std::make_unique<CDevicesItem>(doc, nullptr));
}

bool CSchematicsItem::RefreshStep(CDesignTreeModel& tree, RefreshEntry& entry) {
    if (!(Flags() & kNeedsRefresh))
        return false;
    if (CDesignTreeItem::RefreshStep(tree, entry))
        return true;
    Flags() &= ~kNeedsRefresh;
    if (GetDocument())
        tree.ChangesFollowed(GetDocument());
    return false;
}

bool CSchematicsItem::UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) {
    if (GetDocument())
        return true;
    if (!node.IsExpanded())
        return false;
    const std::vector<CDrawDoc*> open = tree.Documents();
    std::set<CDrawDoc*> shown;
    std::vector<CDesignTreeNode*> closed;
    for (const auto& child : node.Children()) {
        CDrawDoc* doc = child->Item().GetDocument();
        if (std::find(open.begin(), open.end(), doc) == open.end()) {
            closed.push_back(child.get());
            continue;
        }
        tree.SetLabel(*child, doc->GetTitle());
        shown.insert(doc);
    }
    for (CDesignTreeNode* child : closed)
        tree.DeleteNode(*child);
    for (CDrawDoc* doc : open) {
        if (!shown.count(doc))
            tree.InsertChild(node, std::make_unique<CSchematicsItem>(doc));
    }
    return true;
}

// ---- symbol categories and symbols

bool CSymbolCategoryItem::HasChildren(const CDesignTreeModel& tree) const {
    if (m_symbol)
        return true;
    for (DWORD kind = 0; kind <= kSymbolKindMask; kind += 0x100) {
        if (TakesKind(kind) && tree.HoldsSymbolKind(GetDocument(), kind))
            return true;
    }
    return false;
}

CObject* CSymbolCategoryItem::GetObject() const {
    return m_symbol;
}

std::string CSymbolCategoryItem::MatchKey() const {
    return std::to_string(GetKind()) + ":" +
           std::to_string(reinterpret_cast<std::uintptr_t>(m_symbol));
}

void CSymbolCategoryItem::MakeCategory(const CDesignTreeModel&, Items& children) const {
    ForEachSymbol(GetDocument(), [&](CSymbol* symbol) {
        if (TakesKind(symbol->GetKind()))
            children.push_back(MakeSymbolItem(symbol));
    });
}

void CSymbolCategoryItem::MakeSymbolChildren(const CDesignTreeModel& tree, Items& children) const {
    children.push_back(std::make_unique<CPinsItem>(GetDocument(), m_symbol, nullptr, -1));
    if (!tree.IsAttributePicking())
        children.push_back(std::make_unique<CAttributesItem>(
            GetDocument(), AttributeOwner{AttributeOwner::kObject, m_symbol}));
}

bool CSymbolCategoryItem::UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) {
    if (!m_symbol)
        return UpdateCategory(tree, node);
    return node.IsExpanded();
}

bool CSymbolCategoryItem::NeedsRefresh(CDesignTreeModel& tree, const CDesignTreeNode& node) {
    if (!m_symbol)
        return true;
    return node.IsExpanded() && tree.ChangesOf(GetDocument()).TouchObjects();
}

bool CSymbolCategoryItem::UpdateCategory(CDesignTreeModel& tree, CDesignTreeNode& node) {
    tree.ResetChildButton(node);
    if (!node.IsExpanded())
        return false;
    const DesignTreeChanges& changes = tree.ChangesOf(GetDocument());
    if (changes.all) {
        FollowAllSymbols(tree, node);
        return true;
    }
    for (size_t i = 0; i < changes.symbols.size(); ++i)
        FollowSymbol(tree, node, changes.symbols[i], changes.listed[i]);
    return true;
}

void CSymbolCategoryItem::FollowSymbol(CDesignTreeModel& tree, CDesignTreeNode& node,
                                       const CDrawObj* changed, CSymbol* now) const {
    const bool belongs = now && TakesKind(now->GetKind());
    const auto& children = node.Children();
    const auto shown = std::find_if(children.begin(), children.end(), [&](const auto& child) {
        return static_cast<const CDrawObj*>(
                   static_cast<CSymbolCategoryItem&>(child->Item()).m_symbol) == changed;
    });
    if (shown == children.end()) {
        if (belongs)
            tree.InsertChildInOrder(node, MakeSymbolItem(now));
    } else if (belongs) {
        tree.SetLabelInOrder(**shown, (*shown)->Item().GetLabel());
    } else {
        tree.DeleteNode(**shown);
    }
}

void CSymbolCategoryItem::FollowAllSymbols(CDesignTreeModel& tree, CDesignTreeNode& node) const {
    std::vector<CSymbol*> symbols;
    ForEachSymbol(GetDocument(), [&](CSymbol* symbol) {
        if (TakesKind(symbol->GetKind()))
            symbols.push_back(symbol);
    });
    const std::unordered_set<CSymbol*> listed(symbols.begin(), symbols.end());
    // A node whose symbol is still listed stays (its subtree is refreshed after); a collapsed
    // one is filled afresh when it is expanded.
    std::unordered_set<CSymbol*> shown;
    std::vector<CDesignTreeNode*> gone;
    for (const auto& child : node.Children()) {
        auto* item = static_cast<CSymbolCategoryItem*>(&child->Item());
        if (!listed.count(item->m_symbol) || shown.count(item->m_symbol)) {
            gone.push_back(child.get());
            continue;
        }
        tree.SetLabel(*child, item->GetLabel());
        shown.insert(item->m_symbol);
    }
    for (CDesignTreeNode* child : gone)
        tree.DeleteNode(*child);
    for (CSymbol* symbol : symbols) {
        if (!shown.count(symbol))
            tree.InsertChild(node, MakeSymbolItem(symbol));
    }
}

CString CSymbolsItem::GetLabel() const {
    return GetSymbol() ? GetSymbol()->GetAttr("_ID") : CString("Symbols");
}

int CSymbolsItem::GetKind() const {
    if (!GetSymbol())
        return 11;
    return m_subcircuit ? 6 : 1;
}

bool CSymbolsItem::TakesKind(DWORD kind) const {
    return kind == kSymbolDevice || kind == kSymbolSimulation;
}

std::unique_ptr<CDesignTreeItem> CSymbolsItem::MakeSymbolItem(CSymbol* symbol) const {
    return std::make_unique<CSymbolsItem>(GetDocument(), symbol);
}

void CSymbolsItem::MakeChildren(const CDesignTreeModel& tree, Items& children) const {
    if (!GetSymbol()) {
        MakeCategory(tree, children);
        return;
    }
    if (CDevice* device = GetSymbol()->GetDevice())
        children.push_back(std::make_unique<CDevicesItem>(GetDocument(), device));
    MakeSymbolChildren(tree, children);
}

bool CSymbolsItem::UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) {
    if (!GetSymbol() || !node.IsExpanded())
        return CSymbolCategoryItem::UpdateChildren(tree, node);
    CDevice* device = GetSymbol()->GetDevice();
    for (const auto& child : node.Children()) {
        if (child->Item().GetKind() != 5)
            continue;
        auto& shown = static_cast<CDevicesItem&>(child->Item());
        if (!device) {
            tree.DeleteNode(*child);
            return true;
        }
        shown.SetDevice(device);
        tree.SetLabel(*child, shown.GetLabel());
        return true;
    }
    if (device)
        tree.InsertChild(node, std::make_unique<CDevicesItem>(GetDocument(), device));
    return true;
}

DesignTreeMenu CSymbolsItem::GetMenu() const {
    return GetSymbol() ? DesignTreeMenu::kSymbol : DesignTreeMenu::kNone;
}

bool CSymbolsItem::RunMenuCommand() const {
    if (!IsListed(GetDocument(), GetSymbol()))
        return false;
    GetDocument()->ShowObject(GetSymbol());
    return true;
}

bool CSubcircuitsItem::TakesKind(DWORD kind) const {
    return kind == kSymbolSubCircuit;
}

std::unique_ptr<CDesignTreeItem> CSubcircuitsItem::MakeSymbolItem(CSymbol* symbol) const {
    return std::make_unique<CSymbolsItem>(GetDocument(), symbol, true);
}

void CSubcircuitsItem::MakeChildren(const CDesignTreeModel& tree, Items& children) const {
    MakeCategory(tree, children);
}

CString CPortsItem::GetLabel() const {
    if (!GetSymbol())
        return "Ports";
    CObList& pins = GetSymbol()->GetPins();
    return pins.IsEmpty() ? CString("???") : static_cast<CPin*>(pins.GetHead())->GetAttr("_ID");
}

int CPortsItem::GetImage() const {
    if (!GetSymbol() || GetSymbol()->GetPins().IsEmpty())
        return kImageFolder;
    switch (static_cast<CPin*>(GetSymbol()->GetPins().GetHead())->GetPinType()) {
        case 11:
            return kImageInputPort;
        case 12:
            return kImageOutputPort;
        case 13:
        case 14:
            return kImagePortPin;
        default:
            return kImageFolder;
    }
}

bool CPortsItem::TakesKind(DWORD kind) const {
    return kind == kSymbolPort;
}

std::unique_ptr<CDesignTreeItem> CPortsItem::MakeSymbolItem(CSymbol* symbol) const {
    return std::make_unique<CPortsItem>(GetDocument(), symbol);
}

void CPortsItem::MakeChildren(const CDesignTreeModel& tree, Items& children) const {
    if (GetSymbol())
        MakeSymbolChildren(tree, children);
    else
        MakeCategory(tree, children);
}

DesignTreeMenu CPortsItem::GetMenu() const {
    return GetSymbol() ? DesignTreeMenu::kSymbol : DesignTreeMenu::kNone;
}

bool CPortsItem::RunMenuCommand() const {
    if (!IsListed(GetDocument(), GetSymbol()))
        return false;
    GetDocument()->ShowObject(GetSymbol());
    return true;
}

CString COtherItem::GetLabel() const {
    if (!GetSymbol())
        return "Other";
    const CString id = GetSymbol()->GetAttr("_ID");
    return id.IsEmpty() ? CString("???") : id;
}

bool COtherItem::TakesKind(DWORD kind) const {
    return kind == kSymbolGraphical || kind == kSymbolNetConnector;
}

std::unique_ptr<CDesignTreeItem> COtherItem::MakeSymbolItem(CSymbol* symbol) const {
    return std::make_unique<COtherItem>(GetDocument(), symbol);
}

void COtherItem::MakeChildren(const CDesignTreeModel& tree, Items& children) const {
    if (GetSymbol())
        MakeSymbolChildren(tree, children);
    else
        MakeCategory(tree, children);
}

// ---- pins

bool CPinsItem::HasChildren(const CDesignTreeModel&) const {
    return m_pin || (m_symbol && !m_symbol->GetPins().IsEmpty());
}

CString CPinsItem::GetLabel() const {
    if (!m_pin)
        return "Pins";
    CSymbol* owner = m_pin->GetOwner();
    CString label;
    if (owner && owner->GetKind() == kSymbolPort) {
        label = "Port(" + m_pin->GetAttr("_ID") + ")";
    } else {
        CString id = m_pin->GetAttr("_ID");
        CString number = m_pin->GetAttr("_No");
        if (m_gate >= 0) {
            const std::vector<CString> ids = Expanded(id);
            const std::vector<CString> numbers = Expanded(number);
            if (m_gate < static_cast<int>(ids.size()))
                id = ids[m_gate];
            if (m_gate < static_cast<int>(numbers.size()))
                number = numbers[m_gate];
        }
        label = number.IsEmpty() ? id : id + " (" + number + ")";
    }
    if (!m_symbol && owner)
        label = owner->GetAttr("_ID") + ":" + label;
    return label;
}

int CPinsItem::GetImage() const {
    if (!m_pin)
        return kImageFolder;
    CSymbol* owner = m_pin->GetOwner();
    return owner && owner->GetKind() == kSymbolPort ? kImagePortPin : kImagePin;
}

CObject* CPinsItem::GetObject() const {
    return m_pin;
}

std::string CPinsItem::MatchKey() const {
    return std::to_string(GetKind()) + ":" +
           std::to_string(reinterpret_cast<std::uintptr_t>(m_pin)) + ":" + std::to_string(m_gate);
}

void CPinsItem::MakeChildren(const CDesignTreeModel& tree, Items& children) const {
    if (m_pin)
        MakePinChildren(tree, children);
    else if (m_symbol)
        MakePins(children);
}

void CPinsItem::MakePins(Items& children) const {
    ForEachPin(m_symbol, [&](CPin* pin) {
        const int count = static_cast<int>(Expanded(pin->GetAttr("_ID")).size());
        if (count == 0)
            children.push_back(std::make_unique<CPinsItem>(GetDocument(), m_symbol, pin, -1));
        for (int gate = 0; gate < count; ++gate)
            children.push_back(std::make_unique<CPinsItem>(GetDocument(), m_symbol, pin, gate));
    });
}

void CPinsItem::MakePinChildren(const CDesignTreeModel& tree, Items& children) const {
    CString net;
    bool found = false;
    if (m_pin->GetWire()) {
        const CString name = WireNetName(m_pin);
        const std::vector<CString> names = Expanded(name);
        if (m_gate < 0 || static_cast<int>(names.size()) == 0) {
            net = name;
            found = !name.IsEmpty();
        } else if (m_gate < static_cast<int>(names.size())) {
            net = names[m_gate];
            found = true;
        }
    } else if (CSymbol* owner = m_pin->GetOwner(); owner && owner->GetDevice()) {
        found = tree.HiddenPinTiesOf(GetDocument()).NetOf(*owner, m_pin->GetAttr("_ID"), net) &&
                !net.IsEmpty();
    }
    if (found)
        children.push_back(std::make_unique<CNetsItem>(GetDocument(), net));
    if (!tree.IsAttributePicking())
        children.push_back(std::make_unique<CAttributesItem>(
            GetDocument(), AttributeOwner{AttributeOwner::kObject, m_pin}));
}

bool CPinsItem::UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) {
    return MatchChildren(tree, node, 2, 3);
}

DesignTreeMenu CPinsItem::GetMenu() const {
    return m_pin ? DesignTreeMenu::kPin : DesignTreeMenu::kNone;
}

bool CPinsItem::RunMenuCommand() const {
    if (!IsListed(GetDocument(), m_pin))
        return false;
    GetDocument()->ShowObject(m_pin);
    return true;
}

std::string CHiddenPinItem::MatchKey() const {
    return "4:" + m_label.str() + "\n" + m_pin.str();
}

// ---- nets

bool CNetsItem::HasChildren(const CDesignTreeModel&) const {
    if (!m_name.IsEmpty())
        return true;
    const CObList& objects = GetDocument()->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (static_cast<CDrawObj*>(objects.GetNext(pos))->GetNet())
            return true;
    }
    return false;
}

std::string CNetsItem::MatchKey() const {
    return "2:" + m_name.str();
}

void CNetsItem::MakeChildren(const CDesignTreeModel& tree, Items& children) const {
    if (m_name.IsEmpty()) {
        MakeNetNames(children);
        return;
    }
    MakeNetPins(children);
    MakeHiddenPins(tree, children);
}

void CNetsItem::MakeNetNames(Items& children) const {
    m_names = std::make_unique<CDesignTreeNetNames>();
    m_names->Gather(GetDocument(), [&](const CString& name) {
        children.push_back(std::make_unique<CNetsItem>(GetDocument(), name));
    });
}

void CNetsItem::UpdateNetNames(CDesignTreeModel& tree, CDesignTreeNode& node) const {
    const size_t oldCount = node.Children().size();
    std::unordered_map<std::string_view, CDesignTreeNode*> shown;
    shown.reserve(oldCount);
    for (const auto& child : node.Children())
        shown.emplace(child->Label().str(), child.get());
    // The names in the order met, which sorting keeps for names that compare equal.
    std::vector<CDesignTreeNode*> met;
    met.reserve(oldCount);
    m_names = std::make_unique<CDesignTreeNetNames>();
    m_names->Gather(GetDocument(), [&](const CString& name) {
        const auto found = shown.find(name.str());
        CDesignTreeNode* child = found != shown.end() ? found->second : nullptr;
        if (!child || (child->Item().Flags() & kSeen))
            child = &tree.InsertChild(node, std::make_unique<CNetsItem>(GetDocument(), name));
        child->Item().Flags() |= kSeen;
        met.push_back(child);
    });
    std::vector<CDesignTreeNode*> gone;
    for (size_t i = 0; i < oldCount; ++i) {
        CDesignTreeNode* child = node.Children()[i].get();
        if (!(child->Item().Flags() & kSeen))
            gone.push_back(child);
    }
    for (CDesignTreeNode* child : gone)
        tree.DeleteNode(*child);
    for (const auto& child : node.Children())
        child->Item().Flags() &= ~kSeen;
    tree.ArrangeChildren(node, met);
}

void CNetsItem::MakeNetPins(Items& children) const {
    ForEachSymbol(GetDocument(), [&](CSymbol* symbol) {
        const DWORD kind = symbol->GetKind();
        if (kind == kSymbolGraphical || kind == kSymbolNetConnector)
            return;
        ForEachPin(symbol, [&](CPin* pin) {
            const CString name = WireNetName(pin);
            if (name.IsEmpty())
                return;
            if (name == m_name) {
                children.push_back(std::make_unique<CPinsItem>(GetDocument(), nullptr, pin, -1));
                return;
            }
            const std::vector<CString> nets = Expanded(name);
            const int idCount = static_cast<int>(Expanded(pin->GetAttr("_ID")).size());
            for (int i = 0; i < static_cast<int>(nets.size()); ++i) {
                if (nets[i] != m_name)
                    continue;
                if (i < idCount)
                    children.push_back(std::make_unique<CPinsItem>(GetDocument(), nullptr, pin, i));
                else if (idCount == 0 && i == 0)
                    children.push_back(
                        std::make_unique<CPinsItem>(GetDocument(), nullptr, pin, -1));
            }
        });
    });
}

void CNetsItem::MakeHiddenPins(const CDesignTreeModel& tree, Items& children) const {
    std::unordered_set<std::string> listed;
    const CHiddenPinTies& ties = tree.HiddenPinTiesOf(GetDocument());
    ForEachSymbol(GetDocument(), [&](CSymbol* symbol) {
        CStringList pins;
        CStringList numbers;
        ties.PinsOn(*symbol, m_name, pins, &numbers);
        POSITION numberPos = numbers.GetHeadPosition();
        for (POSITION pos = pins.GetHeadPosition(); pos;) {
            const CString pinId = pins.GetNext(pos);
            const CString number = numberPos ? numbers.GetNext(numberPos) : CString();
            CString label;
            label.Format("%s:%s (%s)", symbol->GetAttr("_ID").c_str(), pinId.c_str(),
                         number.IsEmpty() ? "?" : number.c_str());
            if (!listed.insert(label.str()).second)
                continue;
            if (CPin* pin = symbol->FindPin(pinId)) {
                if (!pin->GetWire())
                    children.push_back(
                        std::make_unique<CPinsItem>(GetDocument(), nullptr, pin, -1));
                continue;
            }
            children.push_back(std::make_unique<CHiddenPinItem>(GetDocument(), label, pinId));
        }
    });
}

bool CNetsItem::NeedsRefresh(CDesignTreeModel& tree, const CDesignTreeNode& node) {
    if (m_name.IsEmpty())
        return true;
    return node.IsExpanded() && tree.ChangesOf(GetDocument()).TouchObjects();
}

bool CNetsItem::UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) {
    if (!m_name.IsEmpty())
        return MatchChildren(tree, node, 2, 4);
    tree.ResetChildButton(node);
    if (!node.IsExpanded()) {
        // Filled afresh when expanded.
        m_names.reset();
        return false;
    }
    // The names are those of the nets of wires and buses: only theirs change the names.
    const DesignTreeChanges& changes = tree.ChangesOf(GetDocument());
    if (!changes.all && changes.carriers.empty())
        return true;
    if (changes.all || !FollowNetNames(tree, node, changes))
        UpdateNetNames(tree, node);
    return true;
}

namespace {

// Sorts the names; true when two of them compare equal. Such names ("N1", "N01") stand in the
// order first met among the objects, which only a walk of them tells.
bool AnyCompareEqual(std::vector<CDesignTreeNetNames::Change>& names) {
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
        return CompareLabelsNumeric(a.name.str(), b.name.str()) < 0;
    });
    for (size_t i = 1; i < names.size(); ++i) {
        if (CompareLabelsNumeric(names[i - 1].name.str(), names[i].name.str()) == 0)
            return true;
    }
    return false;
}

// The child of the sorted net nodes labelled name, or null; tied is set when children whose
// labels differ from name compare equal to it (their order is the one first met, as above).
CDesignTreeNode* FindNetNode(const CDesignTreeNode& nets, const CString& name, bool& tied) {
    const auto& children = nets.Children();
    auto at = std::lower_bound(
        children.begin(), children.end(), name, [](const auto& child, const CString& label) {
            return CompareLabelsNumeric(child->Label().str(), label.str()) < 0;
        });
    CDesignTreeNode* found = nullptr;
    for (; at != children.end() && CompareLabelsNumeric((*at)->Label().str(), name.str()) == 0;
         ++at) {
        if ((*at)->Label() == name)
            found = at->get();
        else
            tied = true;
    }
    return found;
}

}  // namespace

bool CNetsItem::FollowNetNames(CDesignTreeModel& tree, CDesignTreeNode& node,
                               const DesignTreeChanges& changes) const {
    if (!m_names)
        return false;
    std::vector<CDesignTreeNetNames::Changed> changed;
    changed.reserve(changes.carriers.size());
    for (size_t i = 0; i < changes.carriers.size(); ++i)
        changed.push_back({changes.carriers[i], changes.listedCarriers[i]});
    std::vector<CDesignTreeNetNames::Change> names = m_names->Follow(changed);
    if (AnyCompareEqual(names))
        return false;
    tree.SortChildren(node);
    std::vector<CDesignTreeNode*> gone;
    for (const auto& name : names) {
        bool tied = false;
        CDesignTreeNode* shown = FindNetNode(node, name.name, tied);
        if (tied || (shown != nullptr) != name.before)
            return false;
        if (shown && !name.now)
            gone.push_back(shown);
    }
    for (CDesignTreeNode* child : gone)
        tree.DeleteNode(*child);
    for (const auto& name : names) {
        if (name.now && !name.before)
            tree.InsertChildInOrder(node, std::make_unique<CNetsItem>(GetDocument(), name.name));
    }
    return true;
}

DesignTreeMenu CNetsItem::GetMenu() const {
    if (m_name.IsEmpty() || !GetDocument()->FindNet(m_name))
        return DesignTreeMenu::kNone;
    return DesignTreeMenu::kNet;
}

bool CNetsItem::RunMenuCommand() const {
    CNet* net = m_name.IsEmpty() ? nullptr : GetDocument()->FindNet(m_name);
    if (!net)
        return false;
    GetDocument()->HighlightNet(net, kHighlightClearAllFirst | kHighlightSet | kHighlightShow);
    return true;
}

// ---- devices

namespace {

// The distinct devices of the document's objects, in the order met.
std::vector<CDevice*> DevicesOf(CDrawDoc* doc) {
    std::vector<CDevice*> devices;
    std::unordered_set<CDevice*> met;
    const CObList& objects = doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDevice* device = static_cast<CDrawObj*>(objects.GetNext(pos))->GetDevice();
        if (device && met.insert(device).second)
            devices.push_back(device);
    }
    return devices;
}

}  // namespace

bool CDevicesItem::HasChildren(const CDesignTreeModel&) const {
    return !m_device && !DevicesOf(GetDocument()).empty();
}

CString CDevicesItem::GetLabel() const {
    return m_device ? m_device->GetAttr("_Name") : CString("Devices");
}

CObject* CDevicesItem::GetObject() const {
    return m_device;
}

void CDevicesItem::MakeChildren(const CDesignTreeModel&, Items& children) const {
    if (m_device)
        return;
    for (CDevice* device : DevicesOf(GetDocument()))
        children.push_back(std::make_unique<CDevicesItem>(GetDocument(), device));
}

bool CDevicesItem::UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) {
    tree.SetLabel(node, GetLabel());
    if (!node.IsExpanded())
        return false;
    // Devices come from symbols; they and their names change only with symbols.
    const DesignTreeChanges& changes = tree.ChangesOf(GetDocument());
    if (!m_device && !changes.all && changes.symbols.empty())
        return false;
    tree.ResetChildButton(node);
    const std::vector<CDevice*> devices = DevicesOf(GetDocument());
    const std::unordered_set<CDevice*> used(devices.begin(), devices.end());
    std::unordered_set<CDevice*> shown;
    std::vector<CDesignTreeNode*> gone;
    for (const auto& child : node.Children()) {
        CDevice* device = static_cast<CDevicesItem&>(child->Item()).m_device;
        if (used.count(device) && shown.insert(device).second)
            tree.SetLabel(*child, child->Item().GetLabel());
        else
            gone.push_back(child.get());
    }
    for (CDesignTreeNode* child : gone)
        tree.DeleteNode(*child);
    for (CDevice* device : devices) {
        if (!shown.count(device))
            tree.InsertChild(node, std::make_unique<CDevicesItem>(GetDocument(), device));
    }
    return true;
}

// ---- attributes

int AttributeOwner::Count() const {
    switch (kind) {
        case kDocument:
            return static_cast<CDrawDoc*>(owner)->GetAttributeCount();
        case kObject:
            return static_cast<CDrawObj*>(owner)->GetAttrCount();
        case kDevice:
            return static_cast<CDevice*>(owner)->GetAttrCount();
        case kNet:
            return static_cast<CNet*>(owner)->GetAttrCount();
    }
    return 0;
}

void AttributeOwner::GetAt(int index, CString& name, CString& value) const {
    switch (kind) {
        case kDocument:
            static_cast<CDrawDoc*>(owner)->GetAttributeAt(index, name, value);
            return;
        case kObject:
            static_cast<CDrawObj*>(owner)->GetAttrAt(index, name, value);
            return;
        case kDevice:
            static_cast<CDevice*>(owner)->GetAttrAt(index, name, value);
            return;
        case kNet:
            static_cast<CNet*>(owner)->GetAttrAt(index, name, value);
            return;
    }
}

bool CAttributesItem::HasChildren(const CDesignTreeModel&) const {
    return GetKind() == 18 && m_owner.Count() > 0;
}

CString CAttributesItem::GetLabel() const {
    if (GetKind() == 18)
        return "Attributes";
    CString name;
    CString value;
    m_owner.GetAt(m_index, name, value);
    return name + " = " + value;
}

int CAttributesItem::GetKind() const {
    return static_cast<unsigned short>(m_index) < 65535 ? 9 : 18;
}

std::string CAttributesItem::MatchKey() const {
    return std::to_string(GetKind()) + ":" +
           std::to_string(reinterpret_cast<std::uintptr_t>(m_owner.owner)) + ":" +
           std::to_string(m_index);
}

void CAttributesItem::MakeChildren(const CDesignTreeModel&, Items& children) const {
    if (GetKind() != 18)
        return;
    const int count = std::min(m_owner.Count(), 32767);
    for (int i = 0; i < count; ++i)
        children.push_back(
            std::make_unique<CAttributesItem>(GetDocument(), m_owner, static_cast<short>(i)));
}

bool CAttributesItem::RefreshStep(CDesignTreeModel& tree, RefreshEntry& entry) {
    CDesignTreeNode& node = *entry.node;
    if (entry.phase == 0) {
        tree.ResetChildButton(node);
        if (GetKind() != 18 || !node.IsExpanded())
            return false;
        tree.Rebuild(node);
        ++entry.phase;
        return true;
    }
    tree.SortChildren(node);
    return false;
}
