#include "library/HotTrackedButtonState.h"

#include <gtest/gtest.h>

#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(HotTrackedButtonState state) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    state.Serialize(ar);
    ar.Close();
    return file.Detach();
}

HotTrackedButtonState Load(Bytes bytes) {
    CMemFile file(std::move(bytes));
    CArchive ar(&file, CArchive::load);
    HotTrackedButtonState state;
    state.Serialize(ar);
    return state;
}

TEST(HotTrackedButtonStateTest, StoresFlagsWithoutHotThenText) {
    struct Case {
        DWORD flags;
        const char* text;
        Bytes bytes;
    } cases[] = {
        {0x7, "R1", {0x06, 0, 0, 0, 0x02, 'R', '1'}},
        {0xC5, "", {0xC4, 0, 0, 0, 0x00}},
    };
    for (const Case& c : cases) {
        HotTrackedButtonState state;
        state.flags = c.flags;
        state.text = c.text;
        const Bytes bytes = Store(state);
        EXPECT_EQ(testsupport::HexDump(bytes), testsupport::HexDump(c.bytes)) << c.text;
        const HotTrackedButtonState loaded = Load(bytes);
        EXPECT_EQ(loaded.flags, c.flags & ~kHotTrackHot);
        EXPECT_STREQ(loaded.text, c.text);
    }
}

// A stored hot flag is dropped on loading too; a record cut short throws.
TEST(HotTrackedButtonStateTest, LoadingDropsTheHotFlagAndRefusesTruncation) {
    EXPECT_EQ(Load({0x07, 0, 0, 0, 0x00}).flags, 6u);
    EXPECT_THROW(Load({0x06, 0, 0, 0, 0x05, 'R'}), CArchiveException);
}

}  // namespace
