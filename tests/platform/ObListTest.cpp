#include "platform/ObList.h"

#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <type_traits>
#include <vector>

#include "support/HeapBytes.h"

// Every list class compiles in full.
template class FrameworkList<CObject*, CObList>;
template class FrameworkList<void*, CPtrList>;
template class FrameworkList<CString, CStringList>;

namespace {

static_assert(!std::is_copy_constructible_v<CObList> && !std::is_copy_assignable_v<CStringList>);

void Fill(CStringList& list, std::initializer_list<const char*> items) {
    for (const char* item : items)
        list.AddTail(item);
}

std::vector<std::string> Forward(const CStringList& list) {
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos).str());
    return out;
}

std::vector<std::string> Backward(const CStringList& list) {
    std::vector<std::string> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(list.GetPrev(pos).str());
    return out;
}

using Items = std::vector<std::string>;

TEST(ObListTest, RemovingKeepsBothDirectionsLinked) {
    CStringList list;
    Fill(list, {"a", "b", "c", "d", "e"});
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    list.RemoveAt(list.Find("c"));
    EXPECT_EQ(Forward(list), (Items{"b", "d"}));
    EXPECT_EQ(Backward(list), (Items{"d", "b"}));
    EXPECT_EQ(list.GetCount(), 2);

    EXPECT_EQ(list.RemoveHead(), "b");
    EXPECT_EQ(list.RemoveTail(), "d");
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);

    // Both ends must have been cleared, or the next additions would link to freed nodes.
    list.AddTail("x");
    list.AddHead("w");
    EXPECT_EQ(Forward(list), (Items{"w", "x"}));
    EXPECT_EQ(Backward(list), (Items{"x", "w"}));
}

TEST(ObListTest, InsertAtTheEndsAndInTheMiddle) {
    CStringList list;
    POSITION only = list.InsertBefore(nullptr, "m");
    EXPECT_EQ(list.GetHeadPosition(), only);
    EXPECT_EQ(list.GetTailPosition(), only);

    POSITION head = list.InsertBefore(nullptr, "a");
    POSITION tail = list.InsertAfter(nullptr, "z");
    EXPECT_EQ(list.GetHeadPosition(), head);
    EXPECT_EQ(list.GetTailPosition(), tail);

    POSITION newHead = list.InsertBefore(head, "0");
    POSITION newTail = list.InsertAfter(tail, "~");
    EXPECT_EQ(list.GetHeadPosition(), newHead);
    EXPECT_EQ(list.GetTailPosition(), newTail);
    POSITION c = list.InsertBefore(only, "c");
    list.InsertAfter(head, "b");
    EXPECT_EQ(list.GetAt(c), "c");
    EXPECT_EQ(Forward(list), (Items{"0", "a", "b", "c", "m", "z", "~"}));
    EXPECT_EQ(Backward(list), (Items{"~", "z", "m", "c", "b", "a", "0"}));
    EXPECT_EQ(list.GetCount(), 7);
}

TEST(ObListTest, FindStartsAfterTheGivenPositionAndFindIndexIsBounded) {
    CStringList list;
    EXPECT_EQ(list.FindIndex(0), nullptr);
    Fill(list, {"x", "y", "x", "y"});
    POSITION first = list.Find("x");
    POSITION second = list.Find("x", first);
    EXPECT_EQ(first, list.GetHeadPosition());
    EXPECT_EQ(second, list.FindIndex(2));
    EXPECT_EQ(list.Find("x", second), nullptr);
    EXPECT_EQ(list.Find("y", list.GetTailPosition()), nullptr);
    EXPECT_EQ(list.Find("absent"), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(list.FindIndex(4), nullptr);
    EXPECT_EQ(list.FindIndex(3), list.GetTailPosition());
    EXPECT_EQ(list.GetAt(list.FindIndex(1)), "y");
}

TEST(ObListTest, AddingWholeListsKeepsTheirOrder) {
    CStringList list, other;
    Fill(list, {"m"});
    Fill(other, {"a", "b"});
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ(Forward(list), (Items{"a", "b", "m", "a", "b"}));
    EXPECT_EQ(Forward(other), (Items{"a", "b"}));

    // A list added to itself is copied once, not followed into its own new nodes.
    CStringList self;
    Fill(self, {"p", "q"});
    self.AddTail(&self);
    EXPECT_EQ(Forward(self), (Items{"p", "q", "p", "q"}));
    self.RemoveAll();
    Fill(self, {"p", "q"});
    self.AddHead(&self);
    EXPECT_EQ(Forward(self), (Items{"p", "q", "p", "q"}));
}

// Nodes come in blocks and removed ones are used again: across several blocks, removals at
// both ends and in the middle, and an emptied list filled again, the strings held stay right.
TEST(ObListTest, NodesOfBlocksAreUsedAgainAfterRemoval) {
    CStringList list(2);
    Fill(list, {"a", "b", "c", "d", "e"});
    list.RemoveHead();
    list.RemoveAt(list.Find("c"));
    list.RemoveTail();
    EXPECT_EQ(Forward(list), (Items{"b", "d"}));
    Fill(list, {"f", "g", "h"});
    list.AddHead("z");
    EXPECT_EQ(Forward(list), (Items{"z", "b", "d", "f", "g", "h"}));
    EXPECT_EQ(Backward(list), (Items{"h", "g", "f", "d", "b", "z"}));
    const POSITION kept = list.Find("d");
    list.RemoveAt(list.Find("b"));
    EXPECT_EQ(list.GetAt(kept), "d");

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    Fill(list, {"a long string that does not fit in place", "x"});
    EXPECT_EQ(Backward(list), (Items{"x", "a long string that does not fit in place"}));
    EXPECT_EQ(list.GetCount(), 2);
}

// Cutting off the tail from a middle node or from the head leaves both directions linked, and
// the cut nodes are the next ones used, in their order.
TEST(ObListTest, CuttingOffTheTailKeepsTheRestAndUsesItsNodesAgain) {
    int items[6] = {};
    CPtrList list(4);
    std::vector<POSITION> at;
    for (int& item : items)
        at.push_back(list.AddTail(&item));
    auto forward = [&list] {
        std::vector<void*> out;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            out.push_back(list.GetNext(pos));
        return out;
    };
    auto backward = [&list] {
        std::vector<void*> out;
        for (POSITION pos = list.GetTailPosition(); pos;)
            out.push_back(list.GetPrev(pos));
        return out;
    };

    list.RemoveTailFrom(at[3], 3);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(forward(), (std::vector<void*>{&items[0], &items[1], &items[2]}));
    EXPECT_EQ(backward(), (std::vector<void*>{&items[2], &items[1], &items[0]}));
    EXPECT_EQ(list.AddTail(&items[5]), at[3]);
    EXPECT_EQ(list.AddHead(&items[4]), at[4]);
    EXPECT_EQ(forward(),
              (std::vector<void*>{&items[4], &items[0], &items[1], &items[2], &items[5]}));

    list.RemoveTailFrom(list.GetHeadPosition(), 5);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddTail(&items[1]);
    list.AddHead(&items[0]);
    EXPECT_EQ(backward(), (std::vector<void*>{&items[1], &items[0]}));
}

// Lists grow through blocks of 2, 4, 8 and then 10 nodes; nodes freed in any block are used
// again, and the order holds both ways throughout.
TEST(ObListTest, GrowingThroughBlocksOfEverySizeKeepsTheOrder) {
    CStringList list;
    Items expected;
    for (int i = 0; i < 40; ++i) {
        list.AddTail(std::to_string(i).c_str());
        expected.push_back(std::to_string(i));
    }
    for (int i = 0; i < 20; ++i)
        list.RemoveAt(list.Find(std::to_string(2 * i).c_str()));
    std::erase_if(expected, [](const std::string& item) { return std::stoi(item) % 2 == 0; });
    for (int i = 40; i < 70; ++i) {
        list.AddHead(std::to_string(i).c_str());
        expected.insert(expected.begin(), std::to_string(i));
    }
    EXPECT_EQ(Forward(list), expected);
    EXPECT_EQ(Backward(list), Items(expected.rbegin(), expected.rend()));
    EXPECT_EQ(list.GetCount(), 50);
}

// Most lists of a sheet (a symbol's pins, an object's attribute texts) hold one or two
// elements: such a list takes room for a few nodes, not a whole block of ten.
TEST(ObListTest, AShortListTakesRoomForFewNodes) {
    constexpr int kLists = 1000;
    std::vector<std::unique_ptr<CObList>> lists;
    lists.reserve(kLists);
    for (int i = 0; i < kLists; ++i)
        lists.push_back(std::make_unique<CObList>());
    const std::size_t before = HeapBytesInUse();
    for (auto& list : lists) {
        list->AddTail(static_cast<CObject*>(nullptr));
        list->AddTail(static_cast<CObject*>(nullptr));
    }
    const std::size_t perList = (HeapBytesInUse() - before) / kLists;
    constexpr std::size_t kNode = 3 * sizeof(void*);
    EXPECT_LE(perList, 4 * kNode);  // the two nodes and a header, not a block of ten
}

// Many objects of a sheet have lists that never hold an element (a wire's junctions, a pin's
// attribute texts): such a list takes the room of one pointer.
TEST(ObListTest, AListThatNeverHeldAnElementIsSmall) {
    EXPECT_LE(sizeof(CObList), 2 * sizeof(void*));
    EXPECT_LE(sizeof(CStringList), 2 * sizeof(void*));
    EXPECT_EQ(sizeof(CObList), sizeof(void*));
    EXPECT_EQ(sizeof(CPtrList), sizeof(void*));
    const std::size_t before = HeapBytesInUse();
    const CObList list;
    EXPECT_EQ(HeapBytesInUse(), before);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    EXPECT_EQ(list.FindIndex(0), nullptr);
}

// The block size a list was made with bounds its blocks, also once it was emptied: a list of
// blocks of 2 grows by blocks of two nodes and a header, before and after RemoveAll; a block
// size of 1 still gives blocks of two.
TEST(ObListTest, TheBlockSizeHoldsAfterTheListWasEmptied) {
    constexpr std::size_t kNode = 3 * sizeof(void*);
    for (int blockSize : {1, 2}) {
        CObList list(blockSize);
        for (int round = 0; round < 2; ++round) {
            const std::size_t before = HeapBytesInUse();
            for (int i = 0; i < 40; ++i)
                list.AddTail(static_cast<CObject*>(nullptr));
            const std::size_t grown = HeapBytesInUse() - before;
            // Twenty blocks, each two nodes and a header of at least four pointers; blocks of
            // ten would take six headers.
            EXPECT_GE(grown, 20 * (2 * kNode + 4 * sizeof(void*)))
                << "block size " << blockSize << " round " << round;
            EXPECT_EQ(list.GetCount(), 40);
            list.RemoveAll();
            EXPECT_EQ(HeapBytesInUse(), before);
            EXPECT_TRUE(list.IsEmpty());
        }
    }
}

}  // namespace
