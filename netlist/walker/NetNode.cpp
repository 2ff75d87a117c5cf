#include "netlist/walker/NetNode.h"

#include <algorithm>

CNetNode* CNetNode::AddChild(const CString& childPath) {
    auto child = std::make_unique<CNetNode>(childPath);
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

CNetNode* CNetNode::GetRoot() {
    CNetNode* node = this;
    while (node->m_parent)
        node = node->m_parent;
    return node;
}

std::unique_ptr<CNetNode> CNetNode::RemoveChild(CNetNode* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [child](const auto& own) { return own.get() == child; });
    if (it == m_children.end())
        return nullptr;
    std::unique_ptr<CNetNode> removed = std::move(*it);
    m_children.erase(it);
    removed->m_parent = nullptr;
    return removed;
}

void CNetNode::AdoptChildren(CNetNode& other) {
    for (auto& child : other.m_children) {
        child->m_parent = this;
        m_children.push_back(std::move(child));
    }
    other.m_children.clear();
}

CString CNetNode::GetHierarchicalId() const {
    CString result = m_parent ? m_parent->GetHierarchicalId() : CString();
    if (!id.IsEmpty())
        result = result.IsEmpty() ? id : result + "." + id;
    return result;
}
