#include "gui/library/ShellTreeCtrl.h"

#include <QContextMenuEvent>
#include <QFileIconProvider>
#include <QKeyEvent>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "gui/library/ShellMarks.h"
#include "gui/library/ShellMenu.h"
#include "library/ShellFileOps.h"
#include "library/ShellItem.h"
#include "model/app/PathMacros.h"
#include "model/app/SchematicApp.h"
#include "platform/UserPrompt.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kFilledRole = Qt::UserRole + 2;

using Child = ShellTreeChild;

// The folders and libraries in folder: folders first, then libraries, each by name without
// regard to case.
std::vector<Child> ListChildren(const std::string& folder) {
    std::vector<Child> children;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const UINT kind = ShellItemKind(it->path());
        if (kind == kShellFolder || kind == kShellLibrary)
            children.push_back({it->path().string(), it->path().filename().string(), kind});
    }
    std::stable_sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
        if (a.kind != b.kind)
            return a.kind == kShellFolder;
        return QString::fromStdString(a.name).compare(QString::fromStdString(b.name),
                                                      Qt::CaseInsensitive) < 0;
    });
    return children;
}

std::string ExpandedFolder(const char* macro) {
    CSchematicApp* app = GetApp();
    if (!app)
        return {};
    return ExpandedPath(macro, app->Settings()).str();
}

bool IsTopLevel(const QTreeWidgetItem* node) {
    return node && !node->parent();
}

}  // namespace

CShellTreeCtrl::CShellTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("shellTree");
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemExpanded, this, &CShellTreeCtrl::OnExpanded);
    connect(this, &QTreeWidget::itemChanged, this, &CShellTreeCtrl::OnItemChanged);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (node && node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator)
            FillChildren(node);
    });
}

CShellTreeCtrl::~CShellTreeCtrl() {
    std::string path;
    if (CSchematicApp* app = GetApp(); app && GetSelectedPath(path))
        app->WriteProfileString("Settings", "BrowserDirectory", path.c_str());
}

QTreeWidgetItem* CShellTreeCtrl::MakeNode(QTreeWidgetItem* parent, const std::string& path,
                                          UINT kind, const QString& text, bool top) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem;
    node->setText(0, text);
    node->setData(0, kPathRole, QString::fromStdString(path));
    node->setData(0, kKindRole, kind);
    if (kind == kShellLibrary) {
        node->setForeground(0, LibraryKindColour(kind));
        node->setIcon(0, LibraryKindMark(kind));
    } else {
        node->setIcon(0, QFileIconProvider().icon(QFileIconProvider::Folder));
    }
    node->setChildIndicatorPolicy(kind == kShellFolder && HasShellChildren(path)
                                      ? QTreeWidgetItem::ShowIndicator
                                      : QTreeWidgetItem::DontShowIndicator);
    if (!top)
        node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

void CShellTreeCtrl::Reset() {
    const QSignalBlocker blocker(this);
    clear();
    addTopLevelItem(MakeNode(nullptr, "/", kShellFolder, "File System", true));
    const std::string standard = ExpandedFolder("$(StdLibDir)");
    const std::string user = ExpandedFolder("$(UserLibDir)");
    ShellPath standardIds;
    ShellPath userIds;
    const bool hasStandard = ParseShellPath(standard, standardIds) && fs::is_directory(standard);
    if (hasStandard)
        addTopLevelItem(
            MakeNode(nullptr, ShellPathText(standardIds), kShellFolder, "Libraries", true));
    if (ParseShellPath(user, userIds) && fs::is_directory(user) &&
        !(hasStandard && IsItemIdListPrefix(userIds, standardIds) == 2))
        addTopLevelItem(
            MakeNode(nullptr, ShellPathText(userIds), kShellFolder, "User Libraries", true));
}

std::string CShellTreeCtrl::NodePath(const QTreeWidgetItem* node) {
    return node ? node->data(0, kPathRole).toString().toStdString() : std::string();
}

UINT CShellTreeCtrl::NodeKind(const QTreeWidgetItem* node) {
    return node ? node->data(0, kKindRole).toUInt() : kShellHidden;
}

void CShellTreeCtrl::FillChildren(QTreeWidgetItem* node) {
    if (node->data(0, kFilledRole).toBool() || NodeKind(node) != kShellFolder)
        return;
    const QSignalBlocker blocker(this);
    node->setData(0, kFilledRole, true);
    qDeleteAll(node->takeChildren());
    for (const Child& child : ListChildren(NodePath(node)))
        MakeNode(node, child.path, child.kind, QString::fromStdString(child.name));
    ShowIndicatorForChildren(node);
}

void CShellTreeCtrl::ShowIndicatorForChildren(QTreeWidgetItem* node) {
    node->setChildIndicatorPolicy(node->childCount() > 0 ? QTreeWidgetItem::ShowIndicator
                                                         : QTreeWidgetItem::DontShowIndicator);
}

QTreeWidgetItem* CShellTreeCtrl::ChildOnDisk(QTreeWidgetItem* node, const std::string& name) {
    FillChildren(node);
    if (QTreeWidgetItem* child = FindChild(node, name))
        return child;
    // The folder may have gained it since the node was filled.
    UpdateChildren(node);
    return FindChild(node, name);
}

void CShellTreeCtrl::OnExpanded(QTreeWidgetItem* node) {
    FillChildren(node);
}

QTreeWidgetItem* CShellTreeCtrl::FindChild(QTreeWidgetItem* node, const std::string& name) const {
    for (int i = 0; i < node->childCount(); ++i) {
        QTreeWidgetItem* child = node->child(i);
        if (fs::path(NodePath(child)).filename().string() == name)
            return child;
    }
    return nullptr;
}

bool CShellTreeCtrl::SelectPath(const std::string& path) {
    ShellPath target;
    if (!ParseShellPath(path, target))
        return false;
    QTreeWidgetItem* node = nullptr;
    size_t used = 0;
    for (int i = 1; i < topLevelItemCount() && !node; ++i) {
        ShellPath ids;
        ParseShellPath(NodePath(topLevelItem(i)), ids);
        if (IsItemIdListPrefix(ids, target) == 2) {
            node = topLevelItem(i);
            used = ids.size();
        }
    }
    if (!node)
        node = topLevelItem(0);
    if (!node)
        return true;
    for (; used < target.size(); ++used) {
        QTreeWidgetItem* child = ChildOnDisk(node, target[used]);
        node->setExpanded(true);
        if (!child)
            break;
        node = child;
    }
    setCurrentItem(node);
    scrollToItem(node);
    return true;
}

bool CShellTreeCtrl::SelectChildItem(QTreeWidgetItem* node, const std::string& name) {
    if (!node)
        return false;
    QTreeWidgetItem* child = name.empty() ? node : ChildOnDisk(node, name);
    node->setExpanded(true);
    if (!child)
        return false;
    setCurrentItem(child);
    return true;
}

bool CShellTreeCtrl::GetSelectedPath(std::string& path) const {
    path = NodePath(currentItem());
    return !path.empty();
}

void CShellTreeCtrl::RefreshNode(QTreeWidgetItem* node) {
    if (!node) {
        for (int i = 0; i < topLevelItemCount(); ++i)
            RefreshNode(topLevelItem(i));
        return;
    }
    if (!node->data(0, kFilledRole).toBool())
        return;
    UpdateChildren(node);
    for (int i = 0; i < node->childCount(); ++i)
        RefreshNode(node->child(i));
}

void CShellTreeCtrl::UpdateChildren(QTreeWidgetItem* node) {
    if (!node->data(0, kFilledRole).toBool())
        return;
    const std::vector<Child> children = ListChildren(NodePath(node));
    // Nodes that stay keep their place where they can, and with it their expansion.
    const QSignalBlocker blocker(this);
    int at = 0;
    for (const Child& child : children) {
        int found = -1;
        for (int j = at; j < node->childCount() && found < 0; ++j) {
            if (NodePath(node->child(j)) == child.path && NodeKind(node->child(j)) == child.kind)
                found = j;
        }
        if (found < 0) {
            node->insertChild(
                at, MakeNode(nullptr, child.path, child.kind, QString::fromStdString(child.name)));
        } else if (found != at) {
            node->insertChild(at, node->takeChild(found));
        }
        UpdateNode(node->child(at), child);
        ++at;
    }
    while (node->childCount() > at)
        DeleteNode(node->child(at));
    ShowIndicatorForChildren(node);
}

void CShellTreeCtrl::UpdateNode(QTreeWidgetItem* node, const ShellTreeChild& child) {
    node->setText(0, QString::fromStdString(child.name));
    node->setChildIndicatorPolicy(child.kind == kShellFolder && HasShellChildren(child.path)
                                      ? QTreeWidgetItem::ShowIndicator
                                      : QTreeWidgetItem::DontShowIndicator);
}

// A node that goes while it or a node under it is the current one hands that on to its parent.
void CShellTreeCtrl::DeleteNode(QTreeWidgetItem* node) {
    for (QTreeWidgetItem* item = currentItem(); item; item = item->parent()) {
        if (item == node) {
            setCurrentItem(node->parent());
            break;
        }
    }
    delete node;
}

QTreeWidgetItem* CShellTreeCtrl::NearestNode(const ShellPath& path, bool& exact) const {
    QTreeWidgetItem* node = topLevelItem(0);
    size_t used = 0;
    for (; node && used < path.size(); ++used) {
        QTreeWidgetItem* child =
            node->data(0, kFilledRole).toBool() ? FindChild(node, path[used]) : nullptr;
        if (!child)
            break;
        node = child;
    }
    exact = node && used == path.size();
    return node;
}

void CShellTreeCtrl::Collapse(QTreeWidgetItem* node) {
    for (QTreeWidgetItem* item = currentItem(); item; item = item->parent()) {
        if (item == node) {
            setCurrentItem(node);
            break;
        }
    }
    const QSignalBlocker blocker(this);
    node->setExpanded(false);
    qDeleteAll(node->takeChildren());
    node->setData(0, kFilledRole, false);
    node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
}

void CShellTreeCtrl::RefreshMount(const std::string& root, bool gone) {
    ShellPath rootIds;
    if (!ParseShellPath(root, rootIds))
        return;
    bool exact = false;
    QTreeWidgetItem* node = NearestNode(rootIds, exact);
    std::vector<QTreeWidgetItem*> affected;
    if (node && exact)
        affected.push_back(node);
    for (int i = 1; i < topLevelItemCount(); ++i) {
        ShellPath ids;
        if (ParseShellPath(NodePath(topLevelItem(i)), ids) && IsItemIdListPrefix(rootIds, ids) == 2)
            affected.push_back(topLevelItem(i));
    }
    for (QTreeWidgetItem* item : affected)
        gone ? Collapse(item) : RefreshNode(item);
    // The mount point itself may have come or gone with the medium.
    if (node)
        RefreshNodeOrParent(node);
}

void CShellTreeCtrl::RefreshNodeOrParent(QTreeWidgetItem* node) {
    RefreshNode(node && node->parent() ? node->parent() : node);
}

bool CShellTreeCtrl::BeginRenameSelected() {
    QTreeWidgetItem* node = currentItem();
    if (!node || IsTopLevel(node) || NodePath(node).empty())
        return false;
    editItem(node);
    return true;
}

void CShellTreeCtrl::OnItemChanged(QTreeWidgetItem* node, int /*column*/) {
    // A top-level node's label is no file name: it never renames its folder.
    if (m_updating || IsTopLevel(node))
        return;
    const std::string path = NodePath(node);
    const std::string name = fs::path(path).filename().string();
    const std::string text = node->text(0).toStdString();
    m_updating = true;
    node->setText(0, QString::fromStdString(name));  // the tree shows what the disk holds
    m_updating = false;
    if (text.empty() || RenameShellItem(path, text, name) != RenameResult::kDone)
        return;
    QTreeWidgetItem* parentNode = node->parent();
    RefreshNode(parentNode);
    SelectChildItem(parentNode, text);
    emit ownCommand(10);
}

bool CShellTreeCtrl::NewFolder() {
    QTreeWidgetItem* node = currentItem();
    if (!node || NodeKind(node) != kShellFolder)
        return false;
    const std::optional<std::string> made = CreateNewFolder(NodePath(node));
    if (!made)
        return false;
    RefreshNodeOrParent(node);
    node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    RefreshNode(node);
    if (!SelectChildItem(node, *made))
        return false;
    return BeginRenameSelected();
}

bool CShellTreeCtrl::DeleteSelected() {
    QTreeWidgetItem* node = currentItem();
    // A top-level node stands for a whole folder of libraries: never deleted from here.
    if (!node || IsTopLevel(node))
        return false;
    if (!DeleteShellItems({QString::fromStdString(NodePath(node))}))
        return false;
    RefreshNodeOrParent(node);
    emit ownCommand(10);
    return true;
}

void CShellTreeCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        DeleteSelected();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CShellTreeCtrl::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* node = itemAt(event->pos());
    if (!node)
        return;
    setCurrentItem(node);
    const QString path = QString::fromStdString(NodePath(node));
    // A root stands for its whole folder: it makes folders and libraries, and is kept.
    const UINT code = IsTopLevel(node)
                          ? ShowRootContextMenu(this, path, event->globalPos())
                          : ShowShellContextMenu(this, {path}, NodeKind(node), event->globalPos());
    if (code)
        emit ownCommand(static_cast<int>(code));
    else
        RefreshNodeOrParent(node);
}
