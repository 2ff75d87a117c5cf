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

}  // namespace
