#pragma once
// CNetNode: one sheet of the design hierarchy during one netlist build. The top node stands
// for the document being built; each sub-circuit symbol brings in a child node for its sheet,
// named by the symbol's identifier. A node owns its children; the writer hangs the sheet's
// circuit on it. The top node keeps the design's rail ties, which the build finds first, and
// the sub-circuit sheets the build has opened, until it ends.

#include <memory>
#include <vector>

#include "platform/CString.h"

class CNetlistCircuit;
class CRailTies;
class CSheetFiles;

class CNetNode {
public:
    explicit CNetNode(const CString& path) : path(path) {}
    virtual ~CNetNode() = default;
    CNetNode(const CNetNode&) = delete;
    CNetNode& operator=(const CNetNode&) = delete;

    // A new last child for the sheet at path, with an empty identifier.
    CNetNode* AddChild(const CString& childPath);
    // The node at the top of the hierarchy.
    CNetNode* GetRoot();
    // Takes the child out of the list and hands it over; null when it is not a child.
    std::unique_ptr<CNetNode> RemoveChild(CNetNode* child);
    // Appends every child of other to this node's children, in order; other keeps none.
    void AdoptChildren(CNetNode& other);
    // The identifiers from the outermost ancestor down to this node, joined by "." and
    // skipping empty ones: "U1.U5" two levels down; empty for the top node.
    CString GetHierarchicalId() const;

    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    CNetNode* GetChild(int index) const { return m_children[static_cast<size_t>(index)].get(); }
    CNetNode* GetParent() const { return m_parent; }

    CString path;  // the sheet's file
    CString id;    // the identifier of the sub-circuit symbol; empty for the top node
    CNetlistCircuit* circuit = nullptr;         // the writer's circuit of the sheet, counted
    std::shared_ptr<const CRailTies> railTies;  // on the top node, once the build has begun
    std::shared_ptr<CSheetFiles> sheets;        // on the top node, while the build runs

private:
    CNetNode* m_parent = nullptr;
    std::vector<std::unique_ptr<CNetNode>> m_children;
};
