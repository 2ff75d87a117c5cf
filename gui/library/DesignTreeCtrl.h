#pragma once
// The design tree as a window: the nodes of a CDesignTreeModel shown in a QTreeWidget, kept in
// step with the model node by node. Expanding a node fills it afresh; while a refresh is
// pending the tree refuses expansion and context menus and keeps selection changes to
// itself. Labels are never edited. Double-clicking an object shows it in its document.

#include <QTreeWidget>
#include <unordered_map>

#include "library/DesignTree.h"
#include "library/DesignTreeModel.h"

class CDesignTreeCtrl : public QTreeWidget, private IDesignTreeWindow, public IDesignTree {
    Q_OBJECT
public:
    explicit CDesignTreeCtrl(QWidget* parent = nullptr);
    ~CDesignTreeCtrl() override;

    CDesignTreeModel& Model() { return m_model; }
    // The root for document, or "Schematics" over every open document (null).
    void Initialize(CDrawDoc* document);
    void MarkForRefresh(int code, CDrawDoc* document);
    // One refresh step; true while work remains. Drawing stays off until the refresh ends.
    bool OnIdle();
    // The node an entry shows.
    CDesignTreeNode* NodeOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemOf(const CDesignTreeNode* node) const;

    // IDesignTree
    void ShowForLinking(CDrawDoc* document) override;
    Node GetRoot() const override { return m_model.Root(); }
    void Expand(Node node) override;
    Node GetFirstChild(Node node) const override;
    Node GetNextSibling(Node node) const override;
    void Select(Node node) override;
    Node GetSelected() const override;
    int GetKind(Node node) const override;
    CObject* GetObject(Node node) const override;
    CString GetLabel(Node node) const override;

signals:
    // The current entry changed while no refresh was pending.
    void SelectedNodeChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void NodeInserted(CDesignTreeNode& node) override;
    void NodeRemoving(CDesignTreeNode& node) override;
    void NodeChanged(CDesignTreeNode& node) override;
    void ChildrenSorted(CDesignTreeNode& node) override;
    void NodeMoved(CDesignTreeNode& node) override;
    void RefreshPendingChanged(bool pending) override;

    void Show(QTreeWidgetItem* item, const CDesignTreeNode& node);
    void Forget(const CDesignTreeNode& node);
    void ApplyExpansion(const CDesignTreeNode& node);
    void OnExpanded(QTreeWidgetItem* item);
    void OnCollapsed(QTreeWidgetItem* item);
    void OnDoubleClicked(QTreeWidgetItem* item);

    CDesignTreeModel m_model;
    std::unordered_map<const CDesignTreeNode*, QTreeWidgetItem*> m_items;
    std::unordered_map<const QTreeWidgetItem*, CDesignTreeNode*> m_nodes;
    QIcon m_images[kDesignTreeImageCount];
    bool m_syncing = false;
};
