#include "model/app/RecentFileList.h"

#include <gtest/gtest.h>

#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using Files = std::vector<std::string>;

TEST(RecentFileListTest, NewestFirstWithoutRepeatsUpToItsSize) {
    CRecentFileList list(3);
    for (const char* path : {"/a.sch", "/b.sch", "/c.sch", "/a.sch", "", "/d.sch"})
        list.Add(path);
    EXPECT_EQ(list.Files(), (Files{"/d.sch", "/a.sch", "/c.sch"}));
    list.Remove("/a.sch");
    EXPECT_EQ(list.Files(), (Files{"/d.sch", "/c.sch"}));

    EXPECT_EQ(CRecentFileList(-1).GetSize(), 0);
    EXPECT_EQ(CRecentFileList(4000000000LL).GetSize(), CRecentFileList::kMaxSize);
}

TEST(RecentFileListTest, KeptInTheSettingsAsPathsOfThisSystem) {
    testsupport::TempDir dir;
    SettingsStore settings(dir / "settings.reg");
    settings.WriteProfileString("Recent File List", "File9", "\\old.sch");
    CRecentFileList list(4);
    list.Add("/w/back\\slash.sch");
    list.Add("/w/a.sch");
    list.WriteList(settings);
    EXPECT_EQ(settings.GetProfileString("Recent File List", "File1"), CString("/w/a.sch"));
    EXPECT_EQ(settings.GetProfileString("Recent File List", "File2"),
              CString("/w/back\\slash.sch"));
    EXPECT_EQ(settings.EnumerateValues("Recent File List").size(), 2u) << "old entries go";
    CRecentFileList again(4);
    again.ReadList(settings);
    EXPECT_EQ(again.Files(), list.Files());

    // Reading takes the first size entries, skipping empty and repeated ones.
    settings.WriteProfileString("Recent File List", "File2", "");
    settings.WriteProfileString("Recent File List", "File3", "C:\\w\\a.sch");
    settings.WriteProfileString("Recent File List", "File4", "/w/c.sch");
    settings.WriteProfileString("Recent File List", "File5", "/w/d.sch");
    CRecentFileList read(4);
    read.ReadList(settings);
    EXPECT_EQ(read.Files(), (Files{"/w/a.sch", "/w/c.sch"}));
}

}  // namespace
