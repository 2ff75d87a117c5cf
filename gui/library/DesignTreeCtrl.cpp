#include "gui/library/DesignTreeCtrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <algorithm>

#include "gui/kit/StoredText.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"

namespace {

const char* const kImageFiles[kDesignTreeImageCount] = {":/icons/tree-folder.svg",
                                                        ":/icons/tree-folder-open.svg",
                                                        ":/icons/document.svg",
                                                        ":/icons/palette-gate.svg",
                                                        "",
                                                        ":/icons/tree-attribute.svg",
                                                        "",
                                                        ":/icons/tree-device.svg",
                                                        ":/icons/wire.svg",
                                                        ":/icons/tree-pin.svg",
                                                        ":/icons/tree-port.svg",
                                                        ":/icons/tree-port-in.svg",
                                                        ":/icons/tree-port-out.svg"};

// The one command of a node's menu; 0 for none.
UINT CommandOf(DesignTreeMenu menu) {
    switch (menu) {
        case DesignTreeMenu::kSymbol:
            return ID_HIGHLIGHT_SYMBOL;
        case DesignTreeMenu::kNet:
            return ID_HIGHLIGHT_NET;
        case DesignTreeMenu::kPin:
            return ID_HIGHLIGHT_PIN;
        case DesignTreeMenu::kNone:
            break;
    }
    return 0;
}

// Guards the tree's own changes from its expansion signals.
class SyncScope {
public:
    explicit SyncScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~SyncScope() { m_flag = m_old; }
    SyncScope(const SyncScope&) = delete;
    SyncScope& operator=(const SyncScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

}  // namespace

CDesignTreeCtrl::CDesignTreeCtrl(QWidget* parent)
    : QTreeWidget(parent), m_model([] { return std::vector<CDrawDoc*>(); }, this) {
    setObjectName("designTree");
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    for (int i = 0; i < kDesignTreeImageCount; ++i) {
        if (*kImageFiles[i])
            m_images[i] = QIcon(kImageFiles[i]);
    }
    connect(this, &QTreeWidget::itemExpanded, this, &CDesignTreeCtrl::OnExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CDesignTreeCtrl::OnCollapsed);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &CDesignTreeCtrl::OnDoubleClicked);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_syncing && !m_model.IsRefreshPending())
            emit SelectedNodeChanged();
    });
}

CDesignTreeCtrl::~CDesignTreeCtrl() {
    // The entries go with the widget; the model's nodes go without reporting to it.
    m_model.SetWindow(nullptr);
}

void CDesignTreeCtrl::Initialize(CDrawDoc* document) {
    SyncScope sync(m_syncing);
    m_model.Initialize(document);
}

void CDesignTreeCtrl::MarkForRefresh(int code, CDrawDoc* document) {
    m_model.MarkForRefresh(code, document);
}

bool CDesignTreeCtrl::OnIdle() {
    if (!m_model.IsRefreshPending())
        return false;
    setUpdatesEnabled(false);
    SyncScope sync(m_syncing);
    const bool more = m_model.OnIdle();
    if (!more)
        setUpdatesEnabled(true);
    return more;
}

CDesignTreeNode* CDesignTreeCtrl::NodeOf(QTreeWidgetItem* item) const {
    const auto found = m_nodes.find(item);
    return found == m_nodes.end() ? nullptr : found->second;
}

QTreeWidgetItem* CDesignTreeCtrl::ItemOf(const CDesignTreeNode* node) const {
    const auto found = m_items.find(node);
    return found == m_items.end() ? nullptr : found->second;
}

// ---- following the model

void CDesignTreeCtrl::Show(QTreeWidgetItem* item, const CDesignTreeNode& node) {
    item->setText(0, FromStoredText(node.Label().str()));
    item->setIcon(0, m_images[node.Image()]);
    item->setChildIndicatorPolicy(node.HasChildButton()
                                      ? QTreeWidgetItem::ShowIndicator
                                      : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CDesignTreeCtrl::NodeInserted(CDesignTreeNode& node) {
    auto* item = new QTreeWidgetItem;
    Show(item, node);
    m_items[&node] = item;
    m_nodes[item] = &node;
    if (QTreeWidgetItem* parent = ItemOf(node.Parent()))
        parent->addChild(item);
    else
        addTopLevelItem(item);
}

void CDesignTreeCtrl::Forget(const CDesignTreeNode& node) {
    for (const auto& child : node.Children())
        Forget(*child);
    if (QTreeWidgetItem* item = ItemOf(&node)) {
        m_nodes.erase(item);
        m_items.erase(&node);
    }
}

void CDesignTreeCtrl::NodeRemoving(CDesignTreeNode& node) {
    QTreeWidgetItem* item = ItemOf(&node);
    Forget(node);
    delete item;
}

void CDesignTreeCtrl::NodeChanged(CDesignTreeNode& node) {
    QTreeWidgetItem* item = ItemOf(&node);
    if (!item)
        return;
    SyncScope sync(m_syncing);
    Show(item, node);
    item->setExpanded(node.IsExpanded());
}

void CDesignTreeCtrl::ApplyExpansion(const CDesignTreeNode& node) {
    if (!node.IsExpanded())
        return;
    if (QTreeWidgetItem* item = ItemOf(&node))
        item->setExpanded(true);
    for (const auto& child : node.Children())
        ApplyExpansion(*child);
}

void CDesignTreeCtrl::ChildrenSorted(CDesignTreeNode& node) {
    QTreeWidgetItem* parent = ItemOf(&node);
    if (!parent)
        return;
    SyncScope sync(m_syncing);
    QTreeWidgetItem* current = currentItem();
    parent->takeChildren();
    QList<QTreeWidgetItem*> ordered;
    ordered.reserve(static_cast<qsizetype>(node.Children().size()));
    for (const auto& child : node.Children())
        ordered.append(ItemOf(child.get()));
    parent->insertChildren(0, ordered);
    for (const auto& child : node.Children())
        ApplyExpansion(*child);
    if (current)
        setCurrentItem(current);
}

void CDesignTreeCtrl::NodeMoved(CDesignTreeNode& node) {
    QTreeWidgetItem* item = ItemOf(&node);
    QTreeWidgetItem* parent = ItemOf(node.Parent());
    if (!item || !parent)
        return;
    SyncScope sync(m_syncing);
    QTreeWidgetItem* current = currentItem();
    const auto& siblings = node.Parent()->Children();
    const auto index = std::find_if(siblings.begin(), siblings.end(),
                                    [&](const auto& sibling) { return sibling.get() == &node; }) -
                       siblings.begin();
    parent->removeChild(item);
    parent->insertChild(static_cast<int>(index), item);
    ApplyExpansion(node);
    if (current)
        setCurrentItem(current);
}

void CDesignTreeCtrl::RefreshPendingChanged(bool pending) {
    if (!pending)
        setUpdatesEnabled(true);
}

// ---- the user

void CDesignTreeCtrl::OnExpanded(QTreeWidgetItem* item) {
    CDesignTreeNode* node = NodeOf(item);
    if (m_syncing || !node)
        return;
    SyncScope sync(m_syncing);
    if (!m_model.Expand(*node))
        item->setExpanded(false);
}

void CDesignTreeCtrl::OnCollapsed(QTreeWidgetItem* item) {
    CDesignTreeNode* node = NodeOf(item);
    if (m_syncing || !node)
        return;
    SyncScope sync(m_syncing);
    m_model.Collapse(*node);
}

void CDesignTreeCtrl::OnDoubleClicked(QTreeWidgetItem* item) {
    CDesignTreeNode* node = NodeOf(item);
    if (node && m_model.MenuOf(*node) != DesignTreeMenu::kNone)
        node->Item().RunMenuCommand();
}

void CDesignTreeCtrl::contextMenuEvent(QContextMenuEvent* event) {
    if (m_model.IsRefreshPending())
        return;
    QTreeWidgetItem* item = itemAt(viewport()->mapFromGlobal(event->globalPos()));
    CDesignTreeNode* node = NodeOf(item);
    if (!node)
        return;
    setCurrentItem(item);
    const CommandInfo* info = FindCommandInfo(CommandOf(m_model.MenuOf(*node)));
    if (!info)
        return;
    QMenu menu(this);
    QAction* action = menu.addAction(QString::fromUtf8(info->text));
    if (menu.exec(event->globalPos()) == action && NodeOf(item) == node)
        node->Item().RunMenuCommand();
}

// ---- IDesignTree

void CDesignTreeCtrl::ShowForLinking(CDrawDoc* document) {
    m_model.SetAttributePicking(true);
    Initialize(document);
}

void CDesignTreeCtrl::Expand(Node node) {
    auto* shown = const_cast<CDesignTreeNode*>(static_cast<const CDesignTreeNode*>(node));
    if (shown)
        m_model.Expand(*shown);
}

IDesignTree::Node CDesignTreeCtrl::GetFirstChild(Node node) const {
    const auto* shown = static_cast<const CDesignTreeNode*>(node);
    return shown && !shown->Children().empty() ? shown->Children().front().get() : nullptr;
}

IDesignTree::Node CDesignTreeCtrl::GetNextSibling(Node node) const {
    const auto* shown = static_cast<const CDesignTreeNode*>(node);
    return shown ? shown->NextSibling() : nullptr;
}

void CDesignTreeCtrl::Select(Node node) {
    if (QTreeWidgetItem* item = ItemOf(static_cast<const CDesignTreeNode*>(node)))
        setCurrentItem(item);
}

IDesignTree::Node CDesignTreeCtrl::GetSelected() const {
    return NodeOf(currentItem());
}

int CDesignTreeCtrl::GetKind(Node node) const {
    return node ? static_cast<const CDesignTreeNode*>(node)->Item().GetKind() : -1;
}

CObject* CDesignTreeCtrl::GetObject(Node node) const {
    return node ? static_cast<const CDesignTreeNode*>(node)->Item().GetObject() : nullptr;
}

CString CDesignTreeCtrl::GetLabel(Node node) const {
    return node ? static_cast<const CDesignTreeNode*>(node)->Label() : CString();
}
