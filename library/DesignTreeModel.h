#pragma once
// The design tree: the open documents' symbols, nets, devices and attributes as a tree of
// nodes (library/DesignTreeItems.h). Nodes are filled when expanded; after a change notice
// the tree is brought up to date one step per idle call, and while that refresh is pending it
// refuses expansion and context menus, so that no item is used against a changed document.
// Its window hears of every change to the nodes through IDesignTreeWindow.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "library/DesignTreeItems.h"
#include "library/DesignTreeNode.h"
#include "model/doc/DocChangeLog.h"

class CDrawDoc;
class CDrawObj;
class CHiddenPinTies;
class CSymbol;

// What changed in a document since its subtree was last brought in line with it, read from
// the document's change log when its change notices come.
struct DesignTreeChanges {
    bool all = false;   // anything may have changed
    bool nets = false;  // wires or buses, or symbols that may end them, changed
    // Symbols added, removed or changed, once each, and what each is now: the symbol when it
    // is still in the document's list, else null.
    std::vector<const CDrawObj*> symbols;
    std::vector<CSymbol*> listed;
    // The same of the wires and buses, the objects that carry nets.
    std::vector<const CDrawObj*> carriers;
    std::vector<CDrawObj*> listedCarriers;
    bool resolved = false;  // listed and listedCarriers are up to date

    // Whether the nodes of objects (symbols, pins, nets) may show something else now.
    bool TouchObjects() const { return all || nets || !symbols.empty(); }
};

class IDesignTreeWindow {
public:
    virtual ~IDesignTreeWindow() = default;
    // node was added as the last child of its parent (or is the new root).
    virtual void NodeInserted(CDesignTreeNode& node) = 0;
    // node and its subtree are about to be deleted.
    virtual void NodeRemoving(CDesignTreeNode& node) = 0;
    // Text, child button or expanded state of node changed.
    virtual void NodeChanged(CDesignTreeNode& node) = 0;
    // The children of node were put in a new order.
    virtual void ChildrenSorted(CDesignTreeNode& node) = 0;
    // node moved to another place among its siblings (its index in its parent's children).
    virtual void NodeMoved(CDesignTreeNode& node) = 0;
    // A refresh began (true) or ended (false).
    virtual void RefreshPendingChanged(bool pending) = 0;
};

class CDesignTreeModel {
public:
    using DocumentList = std::function<std::vector<CDrawDoc*>()>;

    // documents lists the open documents, in the order they are shown.
    explicit CDesignTreeModel(DocumentList documents, IDesignTreeWindow* window = nullptr);
    ~CDesignTreeModel();
    CDesignTreeModel(const CDesignTreeModel&) = delete;
    CDesignTreeModel& operator=(const CDesignTreeModel&) = delete;

    // The variant for linking attributes: "Other" in place of "Devices" and "Attributes", and
    // no attributes under symbols and pins. Set before Initialize.
    void SetAttributePicking(bool picking) { m_attributePicking = picking; }
    bool IsAttributePicking() const { return m_attributePicking; }

    // The window told of changes; null for none.
    void SetWindow(IDesignTreeWindow* window) { m_window = window; }
    void SetDocumentList(DocumentList documents) { m_documents = std::move(documents); }
    // The root: the document, or with none "Schematics" over all open documents.
    void Initialize(CDrawDoc* document);
    CDesignTreeNode* Root() const { return m_root.get(); }
    std::vector<CDrawDoc*> Documents() const { return m_documents(); }

    // Requests a refresh after a change; code 4 (set of documents) refreshes only the list of
    // documents, codes of 8 or more also the subtree of document (all of them when null). A
    // content change of one document is followed through what its change log names since the
    // last notice; each change of the log backs one notice, and for a notice that none backs,
    // or one for all documents, anything may have changed.
    void MarkForRefresh(int code, CDrawDoc* document);
    bool IsRefreshPending() const { return m_pending; }
    // One refresh step; true while work remains.
    bool OnIdle();
    // Refresh steps taken since construction (to see what a refresh visits).
    long StepCount() const { return m_steps; }

    // Expands node, filling it afresh; false (refused) while a refresh is pending, and for a
    // node that repeats an ancestor.
    bool Expand(CDesignTreeNode& node);
    void Collapse(CDesignTreeNode& node);
    // The context menu of node; none while a refresh is pending.
    DesignTreeMenu MenuOf(const CDesignTreeNode& node) const;

    // What changed in document since its subtree was last refreshed.
    const DesignTreeChanges& ChangesOf(CDrawDoc* document);
    // The subtree of document was filled from it: its changes are followed from now on.
    void FollowFrom(CDrawDoc* document);
    // The subtree of document shows the changes noted so far.
    void ChangesFollowed(CDrawDoc* document);

    // Whether the document holds a symbol of kind (symbol flags & 0x700); answered from one
    // walk of its objects, walked again after its symbols changed or at an expansion.
    bool HoldsSymbolKind(CDrawDoc* document, DWORD kind) const;
    // The document's hidden-pin ties, read once for an expansion or a refresh.
    const CHiddenPinTies& HiddenPinTiesOf(CDrawDoc* document) const;

    // Changes made by the items.
    CDesignTreeNode& InsertChild(CDesignTreeNode& parent, std::unique_ptr<CDesignTreeItem> item);
    void DeleteNode(CDesignTreeNode& node);
    void DeleteChildren(CDesignTreeNode& node);
    void SetLabel(CDesignTreeNode& node, const CString& label);
    // As SetLabel and InsertChild, but a node among siblings that are in order moves to its
    // place, so that they stay in order.
    void SetLabelInOrder(CDesignTreeNode& node, const CString& label);
    CDesignTreeNode& InsertChildInOrder(CDesignTreeNode& parent,
                                        std::unique_ptr<CDesignTreeItem> item);
    void ResetChildButton(CDesignTreeNode& node);
    // Puts the children of node in the order given, which lists each of them once.
    void ArrangeChildren(CDesignTreeNode& node, const std::vector<CDesignTreeNode*>& order);
    void SortChildren(CDesignTreeNode& node);
    // Deletes the children, fills and sorts them.
    void Rebuild(CDesignTreeNode& node);
    // Has the refresh work on node next, before going on with its parent.
    void PushRefresh(CDesignTreeNode& node) { m_stack.push_back({&node, 0, 0}); }

private:
    // Whether node stands for the object of one of its ancestors: the tree goes round between
    // nets and pins (a pin's net, that net's pins, each of them with its net again). Such a
    // node is a leaf, so that every expansion, however deep, ends.
    static bool RepeatsAncestor(const CDesignTreeNode& node);
    bool OffersChildren(const CDesignTreeNode& node) const;
    void Notify(const std::function<void(IDesignTreeWindow&)>& call) const;
    // Moves node among its siblings, which are in order but for it, to its place.
    void MoveIntoOrder(CDesignTreeNode& node);
    // Adds what the change log of document names since the last notice to its changes.
    void NoteChanges(CDrawDoc* document);
    // Reads the changes noted in the log of document since the last notice, for one notice;
    // false when the notice is of a change the log did not name.
    bool ReadLog(CDrawDoc* document, std::vector<CDocChangeLog::Object>& objects);
    static void Resolve(CDrawDoc* document, DesignTreeChanges& changes);
    // A closed document's address may come back with another document.
    void ForgetClosedDocuments();

    DocumentList m_documents;
    IDesignTreeWindow* m_window;
    std::unique_ptr<CDesignTreeNode> m_root;
    bool m_attributePicking = false;
    // The refresh: codes collected since it was requested, and its state.
    unsigned m_codes = 0;
    bool m_pending = false;
    bool m_started = false;
    std::deque<RefreshEntry> m_stack;
    // Symbol kinds present per document (bit kind >> 8), until its symbols change.
    mutable std::unordered_map<const CDrawDoc*, unsigned> m_symbolKinds;
    // The ties per document, until the next change, expansion or refresh.
    mutable std::unordered_map<const CDrawDoc*, std::unique_ptr<CHiddenPinTies>> m_hiddenPinTies;
    // How far a document's change log was read: the count of changes seen, and how many of
    // those have not had their notice yet.
    struct FollowedLog {
        std::uint64_t seen = 0;
        std::uint64_t owed = 0;
    };
    // Per document: the changes not yet followed, and its change log read.
    std::unordered_map<const CDrawDoc*, DesignTreeChanges> m_changes;
    std::unordered_map<const CDrawDoc*, FollowedLog> m_logs;
    long m_steps = 0;
};
