#pragma once
// The folder tree of the library browser: the file system from the root down, and shortcuts
// to the standard and the user library folders. It shows folders and libraries only, fills
// nodes when they are first expanded, keeps folders before libraries, each by name without
// regard to case, renames and deletes through its menu and the keyboard, makes new folders and
// remembers the selected folder from one run to the next.

#include <QTreeWidget>
#include <string>

#include "library/ShellItem.h"
#include "platform/Types.h"

// A folder or library found in a folder.
struct ShellTreeChild {
    std::string path;
    std::string name;
    UINT kind;
};

class CShellTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CShellTreeCtrl(QWidget* parent = nullptr);
    // Stores the selected node's path in "Settings"/"BrowserDirectory".
    ~CShellTreeCtrl() override;

    // Deletes every node and makes the top level: the root, "Libraries" and "User Libraries"
    // (left out when it is the standard folder or one of its parents).
    void Reset();
    // Expands the tree down to path and makes its node the current one; false when the path
    // does not parse. The walk starts at a library shortcut that holds the path.
    bool SelectPath(const std::string& path);
    // Makes the child of node named name (or node itself for an empty name) the current node.
    bool SelectChildItem(QTreeWidgetItem* node, const std::string& name);
    bool GetSelectedPath(std::string& path) const;
    static std::string NodePath(const QTreeWidgetItem* node);
    static UINT NodeKind(const QTreeWidgetItem* node);

    // Brings an expanded node's children (and theirs) up to date with the disk; null for
    // every top-level node.
    void RefreshNode(QTreeWidgetItem* node);
    // RefreshNode on the node's parent, or on the node itself at the top level.
    void RefreshNodeOrParent(QTreeWidgetItem* node);
    // A medium mounted at root went or was replaced (gone), or arrived: the nodes of the
    // folder and of the top-level shortcuts inside it collapse, or are brought up to date.
    void RefreshMount(const std::string& root, bool gone);
    bool BeginRenameSelected();
    // Makes "New Folder" (or the first free numbered name) in the selected folder, selects it
    // and opens its name for editing.
    bool NewFolder();
    // Moves the selected folder or library to the trash. Refused for top-level nodes.
    bool DeleteSelected();

signals:
    // An own command of the context menu (1 new folder, 2 new library, 3 rename, 4 paste),
    // or 10 after the tree changed files.
    void ownCommand(int code);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A node under parent, or a detached one without; top-level nodes cannot be renamed.
    QTreeWidgetItem* MakeNode(QTreeWidgetItem* parent, const std::string& path, UINT kind,
                              const QString& text, bool top = false);
    void UpdateNode(QTreeWidgetItem* node, const ShellTreeChild& child);
    void DeleteNode(QTreeWidgetItem* node);
    void FillChildren(QTreeWidgetItem* node);
    // Brings a filled node's own children up to date with its folder.
    void UpdateChildren(QTreeWidgetItem* node);
    // A filled folder node shows its expand arrow exactly when it has children.
    static void ShowIndicatorForChildren(QTreeWidgetItem* node);
    // The child of node named name, filling the node first; a child missing from a filled node
    // is looked for on the disk again.
    QTreeWidgetItem* ChildOnDisk(QTreeWidgetItem* node, const std::string& name);
    void OnExpanded(QTreeWidgetItem* node);
    void OnItemChanged(QTreeWidgetItem* node, int column);
    QTreeWidgetItem* FindChild(QTreeWidgetItem* node, const std::string& name) const;
    // The filled node nearest to path from the root node down, without filling any; exact
    // tells whether it stands for path itself.
    QTreeWidgetItem* NearestNode(const ShellPath& path, bool& exact) const;
    void Collapse(QTreeWidgetItem* node);

    bool m_updating = false;
};
