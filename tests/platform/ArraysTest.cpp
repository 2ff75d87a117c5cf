#include "platform/Arrays.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

// Every array class compiles in full.
template class FrameworkArray<CString, CStringArray>;
template class FrameworkArray<void*, CPtrArray>;
template class FrameworkArray<CObject*, CObArray>;
template class FrameworkArray<DWORD, CDWordArray>;
template class FrameworkArray<WORD, CWordArray>;
template class FrameworkArray<BYTE, CByteArray>;
template class FrameworkArray<UINT, CUIntArray>;

namespace {

static_assert(!std::is_copy_constructible_v<CStringArray> &&
              !std::is_copy_assignable_v<CDWordArray>);

template <class Array>
auto Items(const Array& array) {
    using T = std::remove_cvref_t<decltype(array[0])>;
    return std::vector<T>(array.GetData(), array.GetData() + array.GetSize());
}

void Fill(CDWordArray& array, std::initializer_list<DWORD> items) {
    for (DWORD item : items)
        array.Add(item);
}

using Dwords = std::vector<DWORD>;

TEST(ArraysTest, InsertingElementsAndArraysPastTheEndGrowsWithZeros) {
    CDWordArray array;
    Fill(array, {1});
    array.InsertAt(3, 7u, 2);
    EXPECT_EQ(Items(array), (Dwords{1, 0, 0, 7, 7}));
    EXPECT_EQ(array.GetUpperBound(), 4);

    array.InsertAt(1, 9u, 2);
    EXPECT_EQ(Items(array), (Dwords{1, 9, 9, 0, 0, 7, 7}));
    array.InsertAt(0, 5u, 0);
    EXPECT_EQ(array.GetSize(), 7);

    CDWordArray other, empty;
    Fill(other, {8, 9});
    array.InsertAt(1, &other);
    EXPECT_EQ(Items(array), (Dwords{1, 8, 9, 9, 9, 0, 0, 7, 7}));
    array.InsertAt(11, &other);
    EXPECT_EQ(Items(array), (Dwords{1, 8, 9, 9, 9, 0, 0, 7, 7, 0, 0, 8, 9}));
    array.InsertAt(20, &empty);
    EXPECT_EQ(array.GetSize(), 13);

    // An array inserted into itself contributes its elements as they were before.
    CDWordArray self;
    Fill(self, {1, 2, 3});
    self.InsertAt(1, &self);
    EXPECT_EQ(Items(self), (Dwords{1, 1, 2, 3, 2, 3}));
}

TEST(ArraysTest, AppendReturnsTheOldSize) {
    CStringArray array, other;
    array.Add("a");
    other.Add("b");
    other.Add("c");
    EXPECT_EQ(array.Append(other), 1);
    EXPECT_EQ(array.Append(array), 3);
    EXPECT_EQ(Items(array), (std::vector<CString>{"a", "b", "c", "a", "b", "c"}));

    CStringArray copy;
    copy.Add("old");
    copy.Copy(other);
    EXPECT_EQ(Items(copy), (std::vector<CString>{"b", "c"}));
    copy.Copy(copy);
    EXPECT_EQ(copy.GetSize(), 2);
}

TEST(ArraysTest, RemoveRanges) {
    CDWordArray array;
    Fill(array, {0, 1, 2, 3, 4, 5});
    array.RemoveAt(1, 2);
    EXPECT_EQ(Items(array), (Dwords{0, 3, 4, 5}));
    array.RemoveAt(3);
    array.RemoveAt(0, 0);
    EXPECT_EQ(Items(array), (Dwords{0, 3, 4}));
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetUpperBound(), -1);
}

TEST(ArraysTest, ShrinkingThenGrowingGivesFreshElements) {
    CByteArray bytes;
    bytes.SetSize(3);
    for (int i = 0; i < 3; ++i)
        bytes[i] = 5;
    bytes.SetSize(1);
    bytes.SetSize(3, 16);
    EXPECT_EQ(Items(bytes), (std::vector<BYTE>{5, 0, 0}));

    CStringArray strings;
    strings.SetAtGrow(2, "c");
    EXPECT_EQ(Items(strings), (std::vector<CString>{"", "", "c"}));
    strings.SetSize(1);
    strings.SetAtGrow(1, "b");
    EXPECT_EQ(Items(strings), (std::vector<CString>{"", "b"}));
}

TEST(ArraysTest, AddingAnElementOfTheSameArray) {
    // The new element is copied before the storage grows, even when it lives in that storage.
    CStringArray strings;
    strings.Add(std::string(100, 'x'));
    for (int i = 0; i < 40; ++i)
        strings.Add(strings[0]);
    strings.InsertAt(0, strings[40], 30);
    strings.SetAtGrow(200, strings[1]);
    EXPECT_EQ(strings.GetSize(), 201);
    EXPECT_EQ(strings[69], CString(std::string(100, 'x')));
    EXPECT_EQ(strings[200], strings[0]);
    strings.FreeExtra();
    EXPECT_EQ(strings[200], strings[0]);
}

TEST(ArraysTest, PointerArrayTakesAWholeArray) {
    int value = 0;
    CPtrArray pointers, more;
    more.Add(&value);
    pointers.InsertAt(0, &more);  // the array overload, not the element one
    EXPECT_EQ(pointers.GetSize(), 1);
    EXPECT_EQ(pointers.GetAt(0), &value);
}

#ifndef NDEBUG
TEST(ArraysDeathTest, IndexingOutsideTheArrayIsCaught) {
    CDWordArray array;
    Fill(array, {1, 2});
    EXPECT_DEATH(array.GetAt(2), "out of range");
    EXPECT_DEATH(array.SetAt(-1, 0), "out of range");
    EXPECT_DEATH(array[5] = 1, "out of range");
    EXPECT_DEATH(array.RemoveAt(1, 2), "bad removal range");
}
#endif

}  // namespace
