#pragma once
// Doubly linked lists of the framework: CObList (object pointers), CPtrList (untyped pointers)
// and CStringList (strings). A POSITION is the address of a node; it stays valid until that node
// is removed, and null means "past the end".

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

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
    // are small (2, 4, 8, ... nodes), since most lists of a sheet hold only a few elements. The
    // list's ends and count are kept in its newest block, so that a list that never held an
    // element takes little room: many objects of a sheet have lists that stay empty.
    // The list itself is one pointer: the block size is kept in the blocks, and an empty list
    // points to the shared empty header of its block size.
    explicit FrameworkList(int blockSize = 10)
        : m_blocks(NoBlock(blockSize > 0 ? blockSize : 10)) {}
    ~FrameworkList() { RemoveAll(); }
    FrameworkList(const FrameworkList&) = delete;
    FrameworkList& operator=(const FrameworkList&) = delete;

    int GetCount() const { return m_blocks->count; }
    int GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return GetCount() == 0; }

    T& GetHead() { return Checked(Head())->data; }
    const T& GetHead() const { return Checked(Head())->data; }
    T& GetTail() { return Checked(Tail())->data; }
    const T& GetTail() const { return Checked(Tail())->data; }

    T RemoveHead() {
        Node* head = Checked(Head());
        T value = head->data;
        Unlink(head);
        return value;
    }
    T RemoveTail() {
        Node* tail = Checked(Tail());
        T value = tail->data;
        Unlink(tail);
        return value;
    }

    POSITION AddHead(const T& value) { return ToPosition(LinkBefore(Head(), value)); }
    POSITION AddTail(const T& value) { return ToPosition(LinkAfter(Tail(), value)); }

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
        const int limit = m_blocks->limit;
        while (m_blocks->room != kNoRoom) {
            Block* block = std::exchange(m_blocks, m_blocks->next);
            std::destroy_n(block->Nodes(), block->room);
            block->~Block();
            ::operator delete(block);
        }
        m_blocks = NoBlock(limit);
    }

    POSITION GetHeadPosition() const { return ToPosition(Head()); }
    POSITION GetTailPosition() const { return ToPosition(Tail()); }

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
        return ToPosition(LinkBefore(pos ? ToNode(pos) : Head(), value));
    }
    POSITION InsertAfter(POSITION pos, const T& value) {
        return ToPosition(LinkAfter(pos ? ToNode(pos) : Tail(), value));
    }

    // Removes the count elements from pos to the tail at once, without visiting them; the
    // caller has counted them. Their nodes are kept for the next ones added, in the same order.
    // Only for elements that need no clearing, which are left in the free nodes.
    void RemoveTailFrom(POSITION pos, int count) requires std::is_trivially_destructible_v<T> {
        Node* first = Checked(ToNode(pos));
        assert(CountFrom(first) == count);
        m_blocks->tail->next = m_blocks->free;
        m_blocks->free = first;
        m_blocks->tail = first->prev;
        (first->prev ? first->prev->next : m_blocks->head) = nullptr;
        first->prev = nullptr;
        m_blocks->count -= count;
    }

    // The first node after startAfter (or from the head when null) holding value; null when none.
    POSITION Find(const T& value, POSITION startAfter = nullptr) const {
        Node* node = startAfter ? ToNode(startAfter)->next : Head();
        while (node && !(node->data == value))
            node = node->next;
        return ToPosition(node);
    }
    // The position of the index-th node from the head; null when the index is out of range.
    POSITION FindIndex(int index) const {
        if (index < 0 || index >= GetCount())
            return nullptr;
        Node* node = Head();
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
    // block holds the head of the chain of free nodes, which runs through all blocks, and the
    // list's ends and count; every block holds the list's block size (limit).
    struct Block {
        Block* next;
        Node* free;
        Node* head;
        Node* tail;
        int count;
        std::uint16_t room;
        std::uint16_t limit;
        Node* Nodes() { return reinterpret_cast<Node*>(this + 1); }
    };
    static_assert(sizeof(Block) % alignof(Node) == 0);
    static constexpr int kFirstBlockRoom = 2;
    // The room of the empty headers, which makes the first block's kFirstBlockRoom.
    static constexpr int kNoRoom = kFirstBlockRoom / 2;
    // Larger block sizes are cut to this: it only bounds how many nodes one allocation holds.
    static constexpr int kMaxBlockSize = 64;

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
        Node* node = m_blocks->free ? m_blocks->free : AddBlock();
        node->data = value;
        m_blocks->free = node->next;
        node->next = next;
        node->prev = prev;
        return node;
    }
    // A block of twice the room of the newest one, or kFirstBlockRoom, and at most blockSize;
    // its nodes join the free chain in address order. Returns the first of them.
    Node* AddBlock() {
        const int room = std::min<int>(m_blocks->limit, 2 * m_blocks->room);
        void* memory = ::operator new(sizeof(Block) + sizeof(Node) * static_cast<size_t>(room));
        auto* block =
            new (memory) Block{m_blocks,       m_blocks->free,  m_blocks->head,
                               m_blocks->tail, m_blocks->count, static_cast<std::uint16_t>(room),
                               m_blocks->limit};
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
        (node->prev ? node->prev->next : m_blocks->head) = node;
        (node->next ? node->next->prev : m_blocks->tail) = node;
        ++m_blocks->count;
    }
    // The head and tail are compared, not inferred from the links, so that the unlinked node
    // can never stay the head or tail (which static analysis cannot see from the links alone).
    void Unlink(Node* node) {
        if (node->prev)
            node->prev->next = node->next;
        if (node->next)
            node->next->prev = node->prev;
        if (node == m_blocks->head)
            m_blocks->head = node->next;
        if (node == m_blocks->tail)
            m_blocks->tail = node->prev;
        --m_blocks->count;
        node->data = T();
        node->prev = nullptr;
        node->next = m_blocks->free;
        m_blocks->free = node;
    }

    static int CountFrom(const Node* node) {
        int count = 0;
        for (; node; node = node->next)
            ++count;
        return count;
    }

    Node* Head() const { return m_blocks->head; }
    Node* Tail() const { return m_blocks->tail; }
    // A list without blocks points to the header of no nodes of its block size, shared by all
    // such lists and never written: its ends are null, its count 0, and its room makes the
    // first block's. Blocks have a room of at least kFirstBlockRoom, so kNoRoom marks it.
    static Block* NoBlock(int blockSize) {
        static std::array<Block, kMaxBlockSize + 1> none = [] {
            std::array<Block, kMaxBlockSize + 1> headers{};
            for (int size = 0; size <= kMaxBlockSize; ++size)
                headers[static_cast<size_t>(size)] =
                    Block{nullptr,
                          nullptr,
                          nullptr,
                          nullptr,
                          0,
                          kNoRoom,
                          static_cast<std::uint16_t>(std::max(size, kFirstBlockRoom))};
            return headers;
        }();
        return &none[static_cast<size_t>(std::min(blockSize, kMaxBlockSize))];
    }

    Block* m_blocks;  // the newest block, which links to the one before
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
