#include "library/DesignTreeModel.h"

#include <algorithm>

#include "library/DesignTree.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/symbol/Symbol.h"
#include "platform/AppServices.h"

namespace {

// More changed symbols, or wires and buses, than this are followed by looking at every object
// again.
constexpr std::size_t kMostObjectsFollowed = 256;

// Sorts the objects and drops the repeats.
void SortOnce(std::vector<const CDrawObj*>& objects) {
    std::sort(objects.begin(), objects.end());
    objects.erase(std::unique(objects.begin(), objects.end()), objects.end());
}

// The index of object in the sorted objects, or -1.
std::ptrdiff_t IndexIn(const std::vector<const CDrawObj*>& objects, const CDrawObj* object) {
    const auto at = std::lower_bound(objects.begin(), objects.end(), object);
    return at != objects.end() && *at == object ? at - objects.begin() : -1;
}

bool InOrder(const std::unique_ptr<CDesignTreeNode>& a, const std::unique_ptr<CDesignTreeNode>& b) {
    return CompareDesignItems(a->Item().GetKind(), a->Label(), b->Item().GetKind(), b->Label()) < 0;
}

}  // namespace

CDesignTreeNode::CDesignTreeNode(std::unique_ptr<CDesignTreeItem> item, CDesignTreeNode* parent)
    : m_item(std::move(item)), m_parent(parent) {}

CDesignTreeNode::~CDesignTreeNode() = default;

int CDesignTreeNode::Image() const {
    if (m_image != kImageFolder)
        return m_image;
    return m_expanded ? kImageFolderOpen : kImageFolderClosed;
}

CDesignTreeNode* CDesignTreeNode::NextSibling() const {
    if (!m_parent)
        return nullptr;
    const auto& siblings = m_parent->m_children;
    for (size_t i = 0; i + 1 < siblings.size(); ++i) {
        if (siblings[i].get() == this)
            return siblings[i + 1].get();
    }
    return nullptr;
}

CDesignTreeModel::CDesignTreeModel(DocumentList documents, IDesignTreeWindow* window)
    : m_documents(std::move(documents)), m_window(window) {}

CDesignTreeModel::~CDesignTreeModel() {
    m_stack.clear();
    m_root.reset();
}

void CDesignTreeModel::Notify(const std::function<void(IDesignTreeWindow&)>& call) const {
    if (m_window)
        call(*m_window);
}

void CDesignTreeModel::Initialize(CDrawDoc* document) {
    if (m_root) {
        Notify([&](IDesignTreeWindow& w) { w.NodeRemoving(*m_root); });
        m_root.reset();
    }
    m_stack.clear();
    m_pending = m_started = false;
    m_codes = 0;
    m_root =
        std::make_unique<CDesignTreeNode>(std::make_unique<CSchematicsItem>(document), nullptr);
    m_root->m_label = m_root->Item().GetLabel();
    m_root->m_image = m_root->Item().GetImage();
    m_root->m_childButton = m_root->Item().HasChildren(*this);
    if (document)
        FollowFrom(document);
    Notify([&](IDesignTreeWindow& w) { w.NodeInserted(*m_root); });
}

CDesignTreeNode& CDesignTreeModel::InsertChild(CDesignTreeNode& parent,
                                               std::unique_ptr<CDesignTreeItem> item) {
    auto node = std::make_unique<CDesignTreeNode>(std::move(item), &parent);
    CDesignTreeNode& inserted = *node;
    inserted.m_label = inserted.Item().GetLabel();
    inserted.m_image = inserted.Item().GetImage();
    inserted.m_childButton = OffersChildren(inserted);
    parent.m_children.push_back(std::move(node));
    parent.m_sorted = false;
    if (inserted.Item().GetKind() == kDesignDocument)
        FollowFrom(inserted.Item().GetDocument());
    if (!parent.m_childButton) {
        parent.m_childButton = true;
        Notify([&](IDesignTreeWindow& w) { w.NodeChanged(parent); });
    }
    Notify([&](IDesignTreeWindow& w) { w.NodeInserted(inserted); });
    return inserted;
}

void CDesignTreeModel::DeleteNode(CDesignTreeNode& node) {
    CDesignTreeNode* parent = node.m_parent;
    if (!parent) {
        Initialize(nullptr);
        return;
    }
    Notify([&](IDesignTreeWindow& w) { w.NodeRemoving(node); });
    auto& siblings = parent->m_children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [&](const auto& child) { return child.get() == &node; }));
}

void CDesignTreeModel::DeleteChildren(CDesignTreeNode& node) {
    for (const auto& child : node.m_children)
        Notify([&](IDesignTreeWindow& w) { w.NodeRemoving(*child); });
    node.m_children.clear();
}

void CDesignTreeModel::SetLabel(CDesignTreeNode& node, const CString& label) {
    if (node.m_label == label)
        return;
    node.m_label = label;
    if (node.m_parent)
        node.m_parent->m_sorted = false;
    Notify([&](IDesignTreeWindow& w) { w.NodeChanged(node); });
}

void CDesignTreeModel::SetLabelInOrder(CDesignTreeNode& node, const CString& label) {
    CDesignTreeNode* parent = node.m_parent;
    const bool inOrder = parent && parent->m_sorted;
    SetLabel(node, label);
    if (inOrder && !parent->m_sorted)
        MoveIntoOrder(node);
}

CDesignTreeNode& CDesignTreeModel::InsertChildInOrder(CDesignTreeNode& parent,
                                                      std::unique_ptr<CDesignTreeItem> item) {
    const bool inOrder = parent.m_sorted;
    CDesignTreeNode& inserted = InsertChild(parent, std::move(item));
    if (inOrder)
        MoveIntoOrder(inserted);
    return inserted;
}

void CDesignTreeModel::MoveIntoOrder(CDesignTreeNode& node) {
    auto& siblings = node.m_parent->m_children;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& sibling) { return sibling.get() == &node; });
    const auto from = at - siblings.begin();
    std::unique_ptr<CDesignTreeNode> moving = std::move(*at);
    siblings.erase(at);
    const auto place = std::upper_bound(siblings.begin(), siblings.end(), moving, InOrder);
    const auto to = place - siblings.begin();
    siblings.insert(place, std::move(moving));
    node.m_parent->m_sorted = true;
    if (to != from)
        Notify([&](IDesignTreeWindow& w) { w.NodeMoved(node); });
}

bool CDesignTreeModel::RepeatsAncestor(const CDesignTreeNode& node) {
    const int kind = node.Item().GetKind();
    if (IsDesignFolder(kind) || !node.m_parent)
        return false;
    const std::string key = node.Item().MatchKey();
    for (const CDesignTreeNode* above = node.m_parent; above; above = above->m_parent) {
        if (above->Item().GetKind() == kind && above->Item().MatchKey() == key)
            return true;
    }
    return false;
}

bool CDesignTreeModel::OffersChildren(const CDesignTreeNode& node) const {
    return !RepeatsAncestor(node) && node.Item().HasChildren(*this);
}

void CDesignTreeModel::ResetChildButton(CDesignTreeNode& node) {
    const bool button = OffersChildren(node);
    if (node.m_childButton == button)
        return;
    node.m_childButton = button;
    Notify([&](IDesignTreeWindow& w) { w.NodeChanged(node); });
}

void CDesignTreeModel::ArrangeChildren(CDesignTreeNode& node,
                                       const std::vector<CDesignTreeNode*>& order) {
    auto& children = node.m_children;
    std::vector<CDesignTreeNode*> held(children.size());
    std::transform(children.begin(), children.end(), held.begin(),
                   [](const auto& child) { return child.get(); });
    if (held == order)
        return;
    std::sort(children.begin(), children.end(),
              [](const auto& a, const auto& b) { return a.get() < b.get(); });
    std::sort(held.begin(), held.end());
    std::vector<std::unique_ptr<CDesignTreeNode>> arranged;
    arranged.reserve(children.size());
    for (CDesignTreeNode* child : order)
        arranged.push_back(
            std::move(children[std::lower_bound(held.begin(), held.end(), child) - held.begin()]));
    children = std::move(arranged);
    node.m_sorted = false;
    Notify([&](IDesignTreeWindow& w) { w.ChildrenSorted(node); });
}

void CDesignTreeModel::SortChildren(CDesignTreeNode& node) {
    if (node.m_sorted)
        return;
    node.m_sorted = true;
    auto& children = node.m_children;
    if (std::is_sorted(children.begin(), children.end(), InOrder))
        return;
    std::stable_sort(children.begin(), children.end(), InOrder);
    Notify([&](IDesignTreeWindow& w) { w.ChildrenSorted(node); });
}

void CDesignTreeModel::Rebuild(CDesignTreeNode& node) {
    DeleteChildren(node);
    node.Item().FillChildren(*this, node);
    SortChildren(node);
}

bool CDesignTreeModel::Expand(CDesignTreeNode& node) {
    if (node.m_expanded)
        return true;
    if (m_pending || RepeatsAncestor(node))
        return false;
    m_symbolKinds.clear();
    m_hiddenPinTies.clear();
    Rebuild(node);
    node.m_expanded = true;
    Notify([&](IDesignTreeWindow& w) { w.NodeChanged(node); });
    return true;
}

void CDesignTreeModel::Collapse(CDesignTreeNode& node) {
    if (!node.m_expanded)
        return;
    node.m_expanded = false;
    Notify([&](IDesignTreeWindow& w) { w.NodeChanged(node); });
}

DesignTreeMenu CDesignTreeModel::MenuOf(const CDesignTreeNode& node) const {
    return m_pending ? DesignTreeMenu::kNone : node.Item().GetMenu();
}

const CHiddenPinTies& CDesignTreeModel::HiddenPinTiesOf(CDrawDoc* document) const {
    std::unique_ptr<CHiddenPinTies>& ties = m_hiddenPinTies[document];
    if (!ties)
        ties = std::make_unique<CHiddenPinTies>(*document);
    return *ties;
}

bool CDesignTreeModel::HoldsSymbolKind(CDrawDoc* document, DWORD kind) const {
    auto [entry, added] = m_symbolKinds.try_emplace(document, 0u);
    if (added) {
        // The objects lie apart in memory: each is asked for a few places ahead of the walk.
        constexpr int kFetchLead = 8;
        const CObList& objects = document->GetObjects();
        CListFetchAhead ahead(objects, kFetchLead);
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            ahead.Step();
            auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
            if (object->GetObjType() == kObjSymbol)
                entry->second |= 1u << (static_cast<CSymbol*>(object)->GetKind() >> 8);
        }
    }
    return (entry->second & (1u << (kind >> 8))) != 0;
}

const DesignTreeChanges& CDesignTreeModel::ChangesOf(CDrawDoc* document) {
    static const DesignTreeChanges kNone;
    const auto found = m_changes.find(document);
    if (found == m_changes.end())
        return kNone;
    if (!found->second.resolved)
        Resolve(document, found->second);
    return found->second;
}

void CDesignTreeModel::FollowFrom(CDrawDoc* document) {
    m_changes.erase(document);
    m_logs[document] = {document->GetChangeLog().Count(), 0};
}

void CDesignTreeModel::ChangesFollowed(CDrawDoc* document) {
    m_changes.erase(document);
}

void CDesignTreeModel::NoteChanges(CDrawDoc* document) {
    if (!document) {
        m_symbolKinds.clear();
        for (CDrawDoc* doc : Documents()) {
            m_changes[doc].all = true;
            m_logs[doc] = {doc->GetChangeLog().Count(), 0};
        }
        return;
    }
    // A notice may name something that is not an open schematic: nothing shown changed.
    const std::vector<CDrawDoc*> open = Documents();
    if (std::find(open.begin(), open.end(), document) == open.end())
        return;
    DesignTreeChanges& changes = m_changes[document];
    changes.resolved = false;
    std::vector<CDocChangeLog::Object> objects;
    if (!ReadLog(document, objects))
        changes.all = true;
    for (const auto& [object, type] : objects) {
        if (type == kObjSymbol)
            changes.symbols.push_back(object);
        else if (type == kObjWire || type == kObjBus)
            changes.carriers.push_back(object);
        else if (type == kObjPin)
            changes.all = true;
    }
    if (!changes.carriers.empty())
        changes.nets = true;
    if (changes.symbols.size() > kMostObjectsFollowed ||
        changes.carriers.size() > kMostObjectsFollowed)
        changes.all = true;
    // The kinds of symbols held change only with symbols.
    if (changes.all || !changes.symbols.empty())
        m_symbolKinds.erase(document);
}

bool CDesignTreeModel::ReadLog(CDrawDoc* document, std::vector<CDocChangeLog::Object>& objects) {
    const CDocChangeLog& log = document->GetChangeLog();
    const auto read = m_logs.find(document);
    if (read == m_logs.end()) {
        m_logs[document] = {log.Count(), 0};
        return false;
    }
    FollowedLog& followed = read->second;
    const bool named = log.ObjectsSince(followed.seen, objects);
    // Each change the log notes comes with one notice; a notice left over is of a change the
    // log could not name.
    if (log.Count() > followed.seen)
        followed.owed += log.Count() - followed.seen;
    followed.seen = log.Count();
    if (followed.owed == 0)
        return false;
    --followed.owed;
    return named;
}

void CDesignTreeModel::Resolve(CDrawDoc* document, DesignTreeChanges& changes) {
    changes.resolved = true;
    auto& symbols = changes.symbols;
    auto& carriers = changes.carriers;
    if (changes.all || (symbols.empty() && carriers.empty()))
        return;
    SortOnce(symbols);
    SortOnce(carriers);
    changes.listed.assign(symbols.size(), nullptr);
    changes.listedCarriers.assign(carriers.size(), nullptr);
    const CObList& objects = document->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        // An address may have been noted for objects of both kinds, one after the other.
        if (const auto carrier = IndexIn(carriers, object); carrier >= 0)
            changes.listedCarriers[carrier] = object;
        const auto at = IndexIn(symbols, object);
        if (at < 0 || object->GetObjType() != kObjSymbol)
            continue;
        auto* symbol = static_cast<CSymbol*>(object);
        changes.listed[at] = symbol;
        if (symbol->GetKind() == kSymbolNetConnector)
            changes.nets = true;
    }
    // A symbol taken out may have ended wires.
    if (std::find(changes.listed.begin(), changes.listed.end(), nullptr) != changes.listed.end())
        changes.nets = true;
}

void CDesignTreeModel::MarkForRefresh(int code, CDrawDoc* document) {
    m_hiddenPinTies.clear();
    if (!m_root) {
        m_symbolKinds.clear();
        return;
    }
    if (code == kDocumentSetChanged)
        ForgetClosedDocuments();
    else if ((static_cast<unsigned>(code) & 0xFFFF) >= 8)
        NoteChanges(document);
    else
        m_symbolKinds.clear();
    m_codes |= static_cast<unsigned>(code) & 0xFFFF;
    m_started = false;
    if (!m_pending) {
        m_pending = true;
        Notify([](IDesignTreeWindow& w) { w.RefreshPendingChanged(true); });
    }
    ResetChildButton(*m_root);
    if (!m_root->m_expanded)
        return;
    m_root->Item().Flags() |= CDesignTreeItem::kNeedsRefresh;
    if (m_codes < 8)
        return;
    for (const auto& child : m_root->m_children) {
        if (!document || child->Item().GetDocument() == document)
            child->Item().Flags() |= CDesignTreeItem::kNeedsRefresh;
    }
}

void CDesignTreeModel::ForgetClosedDocuments() {
    m_symbolKinds.clear();
    const std::vector<CDrawDoc*> open = Documents();
    const auto closed = [&](const auto& entry) {
        return std::find(open.begin(), open.end(), entry.first) == open.end();
    };
    std::erase_if(m_changes, closed);
    std::erase_if(m_logs, closed);
}

bool CDesignTreeModel::OnIdle() {
    if (!m_pending)
        return false;
    if (!m_started) {
        m_hiddenPinTies.clear();
        // A document tells of its arrival before the application lists it: look again.
        ResetChildButton(*m_root);
        m_stack.clear();
        PushRefresh(*m_root);
        m_started = true;
    }
    RefreshEntry& entry = m_stack.back();
    ++m_steps;
    if (!entry.node->Item().RefreshStep(*this, entry))
        m_stack.pop_back();
    if (!m_stack.empty())
        return true;
    m_codes = 0;
    m_pending = m_started = false;
    Notify([](IDesignTreeWindow& w) { w.RefreshPendingChanged(false); });
    return false;
}
