#pragma once
// A node of the design tree: the item it shows, its text, image and child button, whether it
// is expanded, and its children. Nodes are made and changed only by the tree
// (library/DesignTreeModel.h), which tells its window of every change.

#include <memory>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CDesignTreeItem;

// Images of the tree's image list; folders show kImageFolderClosed or kImageFolderOpen.
enum DesignTreeImage : int {
    kImageFolder = -1,  // chosen by the node's expanded state
    kImageFolderClosed = 0,
    kImageFolderOpen = 1,
    kImageDocument = 2,
    kImageSymbol = 3,
    kImageAttribute = 5,
    kImageDevice = 7,
    kImageNet = 8,
    kImagePin = 9,
    kImagePortPin = 10,
    kImageInputPort = 11,
    kImageOutputPort = 12,
    kDesignTreeImageCount = 13
};

class CDesignTreeNode {
public:
    CDesignTreeNode(std::unique_ptr<CDesignTreeItem> item, CDesignTreeNode* parent);
    ~CDesignTreeNode();
    CDesignTreeNode(const CDesignTreeNode&) = delete;
    CDesignTreeNode& operator=(const CDesignTreeNode&) = delete;

    CDesignTreeItem& Item() const { return *m_item; }
    CDesignTreeNode* Parent() const { return m_parent; }
    const std::vector<std::unique_ptr<CDesignTreeNode>>& Children() const { return m_children; }
    const CString& Label() const { return m_label; }
    // The image fixed at insertion; a folder's follows its expanded state.
    int Image() const;
    bool HasChildButton() const { return m_childButton; }
    bool IsExpanded() const { return m_expanded; }
    // The next child of the parent, or null.
    CDesignTreeNode* NextSibling() const;

private:
    friend class CDesignTreeModel;

    std::unique_ptr<CDesignTreeItem> m_item;
    CDesignTreeNode* m_parent;
    std::vector<std::unique_ptr<CDesignTreeNode>> m_children;
    CString m_label;
    int m_image = kImageFolder;
    bool m_childButton = false;
    bool m_expanded = false;
    bool m_sorted = false;  // the children are known to be in order
};
