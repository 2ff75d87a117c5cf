#pragma once
// Doubly linked lists of the framework: CObList (object pointers), CPtrList (untyped pointers)
// and CStringList (strings). A POSITION is the address of a node; it stays valid until that node
// is removed, and null means "past the end".

#include <algorithm>
#include <cassert>
#include <memory>
#include <new>

#include "platform/CString.h"
#include "platform/Prefetch.h"
#include "platform/Types.h"

class CObject;

// The shared implementation. Self is the concrete list class, so that the overloads taking a
// whole list never compete with the ones taking an element.
template <class T, class Self>
class FrameworkList {
public:
    // Nodes are allocated in blocks, at most blockSize nodes each: a removed node is kept for
    // the next one added, and the blocks are released when the list is emptied. The first blocks
    // are small (2, 4, 8, ... nodes), since most lists of a sheet hold only a few elements.
    explicit FrameworkList(int blockSize = 10) : m_blockSize(blockSize > 0 ? blockSize : 10) {}
    ~FrameworkList() { RemoveAll(); }
    FrameworkList(const FrameworkList&) = delete;
    FrameworkList& operator=(const FrameworkList&) = delete;

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    T& GetHead() { return Checked(m_head)->data; }
    const T& GetHead() const { return Checked(m_head)->data; }
    T& GetTail() { return Checked(m_tail)->data; }
    const T& GetTail() const { return Checked(m_tail)->data; }

    T RemoveHead() {
        T value = Checked(m_head)->data;
        Unlink(m_head);
        return value;
    }
    T RemoveTail() {
        T value = Checked(m_tail)->data;
        Unlink(m_tail);
        return value;
    }

    POSITION AddHead(const T& value) { return ToPosition(LinkBefore(m_head, value)); }
    POSITION AddTail(const T& value) { return ToPosition(LinkAfter(m_tail, value)); }

    // Puts a copy of the other list's elements, in their order, before the head. The other list
    // may be this one.
    void AddHead(const Self* other) {
        POSITION pos = other->GetTailPosition();
        for (int left = other->GetCount(); left > 0 && pos; --left)
            AddHead(other->GetPrev(pos));
    }
    // Appends a copy of the other list's elements. The other list may be this one.
    void AddTail(const Self* other) {
        POSITION pos = other->GetHeadPosition();
        for (int left = other->GetCount(); left > 0 && pos; --left)
            AddTail(other->GetNext(pos));
    }

    void RemoveAll() {
        while (Block* block = m_blocks) {
            m_blocks = block->next;
            std::destroy_n(block->Nodes(), block->room);
            block->~Block();
            ::operator delete(block);
        }
        m_head = m_tail = nullptr;
        m_count = 0;
    }

    POSITION GetHeadPosition() const { return ToPosition(m_head); }
    POSITION GetTailPosition() const { return ToPosition(m_tail); }

    // Return the element at pos and move pos to the next (previous) node, or to null.
    T& GetNext(POSITION& pos) { return Step(pos, &Node::next)->data; }
    const T& GetNext(POSITION& pos) const { return Step(pos, &Node::next)->data; }
    T& GetPrev(POSITION& pos) { return Step(pos, &Node::prev)->data; }
    const T& GetPrev(POSITION& pos) const { return Step(pos, &Node::prev)->data; }

    T& GetAt(POSITION pos) { return Checked(ToNode(pos))->data; }
    const T& GetAt(POSITION pos) const { return Checked(ToNode(pos))->data; }
    void SetAt(POSITION pos, const T& value) { Checked(ToNode(pos))->data = value; }
    void RemoveAt(POSITION pos) { Unlink(Checked(ToNode(pos))); }

    // Both return the new node's position. A null pos means before the head (InsertBefore) or
    // after the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, const T& value) {
        return ToPosition(LinkBefore(pos ? ToNode(pos) : m_head, value));
    }
    POSITION InsertAfter(POSITION pos, const T& value) {
        return ToPosition(LinkAfter(pos ? ToNode(pos) : m_tail, value));
    }

    // The first node after startAfter (or from the head when null) holding value; null when none.
    POSITION Find(const T& value, POSITION startAfter = nullptr) const {
        Node* node = startAfter ? ToNode(startAfter)->next : m_head;
        while (node && !(node->data == value))
            node = node->next;
        return ToPosition(node);
    }
    // The position of the index-th node from the head; null when the index is out of range.
    POSITION FindIndex(int index) const {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* node = m_head;
        for (; index > 0; --index)
            node = node->next;
        return ToPosition(node);
    }

private:
    struct Node {
        Node* next;
        Node* prev;
        T data;
    };
    // The header of a block of room nodes, which follow it in the same allocation. The newest
    // block holds the head of the chain of free nodes, which runs through all blocks.
    struct Block {
        Block* next;
        Node* free;
        int room;
        Node* Nodes() { return reinterpret_cast<Node*>(this + 1); }
    };
    static_assert(sizeof(Block) % alignof(Node) == 0);
    static constexpr int kFirstBlockRoom = 2;

    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* ToNode(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    static Node* Checked(Node* node) {
        assert(node && "no element at this position");
        return node;
    }
    static Node* Step(POSITION& pos, Node* Node::*link) {
        Node* node = Checked(ToNode(pos));
        pos = ToPosition(node->*link);
        return node;
    }

    // Insert a new node before (after) the given one, which is null only when the list is empty.
    Node* LinkBefore(Node* next, const T& value) {
        Node* node = NewNode(next, next ? next->prev : nullptr, value);
        Attach(node);
        return node;
    }
    Node* LinkAfter(Node* prev, const T& value) {
        Node* node = NewNode(prev ? prev->next : nullptr, prev, value);
        Attach(node);
        return node;
    }
    Node* NewNode(Node* next, Node* prev, const T& value) {
        Node* node = m_blocks && m_blocks->free ? m_blocks->free : AddBlock();
        node->data = value;
        m_blocks->free = node->next;
        node->next = next;
        node->prev = prev;
        return node;
    }
    // A block of twice the room of the newest one, or kFirstBlockRoom, and at most blockSize;
    // its nodes join the free chain in address order. Returns the first of them.
    Node* AddBlock() {
        const int room = std::min(m_blockSize, m_blocks ? 2 * m_blocks->room : kFirstBlockRoom);
        void* memory = ::operator new(sizeof(Block) + sizeof(Node) * static_cast<size_t>(room));
        auto* block = new (memory) Block{m_blocks, m_blocks ? m_blocks->free : nullptr, room};
        Node* nodes = block->Nodes();
        std::uninitialized_value_construct_n(nodes, room);
        for (Node* node = nodes + room; node-- != nodes;) {
            node->next = block->free;
            block->free = node;
        }
        m_blocks = block;
        return nodes;
    }
    void Attach(Node* node) {
        (node->prev ? node->prev->next : m_head) = node;
        (node->next ? node->next->prev : m_tail) = node;
        ++m_count;
    }
    // The head and tail are compared, not inferred from the links, so that the unlinked node
    // can never stay the head or tail (which static analysis cannot see from the links alone).
    void Unlink(Node* node) {
        if (node->prev)
            node->prev->next = node->next;
        if (node->next)
            node->next->prev = node->prev;
        if (node == m_head)
            m_head = node->next;
        if (node == m_tail)
            m_tail = node->prev;
        --m_count;
        node->data = T();
        node->prev = nullptr;
        node->next = m_blocks->free;
        m_blocks->free = node;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
    int m_blockSize;
    Block* m_blocks = nullptr;  // the newest block, which links to the one before
};

class CObList : public FrameworkList<CObject*, CObList> {
public:
    using FrameworkList::FrameworkList;
};

// Runs a few places ahead of a walk down a list of objects that lie scattered over memory,
// asking for each object it passes, so that it is at hand when the walk gets to it.
class CListFetchAhead {
public:
    CListFetchAhead(const CObList& list, int lead) : m_list(list), m_ahead(list.GetHeadPosition()) {
        for (int i = 0; i < lead && m_ahead; ++i)
            m_list.GetNext(m_ahead);
    }
    // Asks for the next object ahead; once for each step of the walk.
    void Step() {
        if (m_ahead)
            FetchLine(m_list.GetNext(m_ahead));
    }

private:
    const CObList& m_list;
    POSITION m_ahead;
};

// Deletes the listed objects, one listed twice only once, and empties the list.
void DeleteListedObjects(CObList& list);

class CPtrList : public FrameworkList<void*, CPtrList> {
public:
    using FrameworkList::FrameworkList;
};

class CStringList : public FrameworkList<CString, CStringList> {
public:
    using FrameworkList::FrameworkList;
};
