#include "library/ui/ShellTreeCtrl.h"

#include <QContextMenuEvent>
#include <QFileIconProvider>
#include <QKeyEvent>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "library/ShellFileOps.h"
#include "library/ShellItem.h"
#include "library/ui/ShellMarks.h"
#include "library/ui/ShellMenu.h"
#include "model/app/SchematicApp.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kFilledRole = Qt::UserRole + 2;

struct Child {
    std::string path;
    std::string name;
    UINT kind;
};

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
    CString folder(macro);
    app->ExpandMacros(folder);
    return FromStoredPath(folder).str();
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
                                          UINT kind, const QString& text) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
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
    if (parent)
        node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

void CShellTreeCtrl::Reset() {
    const QSignalBlocker blocker(this);
    clear();
    MakeNode(nullptr, "/", kShellFolder, "File System");
    const std::string standard = ExpandedFolder("$(StdLibDir)");
    const std::string user = ExpandedFolder("$(UserLibDir)");
    ShellPath standardIds;
    ShellPath userIds;
    const bool hasStandard = ParseShellPath(standard, standardIds) && fs::is_directory(standard);
    if (hasStandard)
        MakeNode(nullptr, ShellPathText(standardIds), kShellFolder, "Libraries");
    if (ParseShellPath(user, userIds) && fs::is_directory(user) &&
        !(hasStandard && IsItemIdListPrefix(userIds, standardIds) == 2))
        MakeNode(nullptr, ShellPathText(userIds), kShellFolder, "User Libraries");
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
        FillChildren(node);
        node->setExpanded(true);
        QTreeWidgetItem* child = FindChild(node, target[used]);
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
    FillChildren(node);
    node->setExpanded(true);
    QTreeWidgetItem* child = name.empty() ? node : FindChild(node, name);
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
    const QSignalBlocker blocker(this);
    QTreeWidgetItem* current = currentItem();
    QList<QTreeWidgetItem*> old = node->takeChildren();
    for (const Child& child : ListChildren(NodePath(node))) {
        auto it = std::find_if(old.begin(), old.end(), [&](QTreeWidgetItem* item) {
            return NodePath(item) == child.path && NodeKind(item) == child.kind;
        });
        if (it == old.end()) {
            MakeNode(node, child.path, child.kind, QString::fromStdString(child.name));
            continue;
        }
        QTreeWidgetItem* kept = *it;
        old.erase(it);
        node->addChild(kept);
        kept->setText(0, QString::fromStdString(child.name));
        kept->setChildIndicatorPolicy(child.kind == kShellFolder && HasShellChildren(child.path)
                                          ? QTreeWidgetItem::ShowIndicator
                                          : QTreeWidgetItem::DontShowIndicator);
        RefreshNode(kept);
    }
    const bool lostCurrent = old.contains(current);
    qDeleteAll(old);
    if (lostCurrent)
        setCurrentItem(node);
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
    if (IsTopLevel(node))
        return;
    const UINT code = ShowShellContextMenu(this, {QString::fromStdString(NodePath(node))},
                                           NodeKind(node), event->globalPos());
    if (code)
        emit ownCommand(static_cast<int>(code));
    else
        RefreshNodeOrParent(node);
}
