#include "platform/Paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(Paths, StoredPathsBecomePathsOfThisSystem) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Lib\\a.rlb", "/Lib/a.rlb"},
        {"c:Lib\\a.rlb", "/Lib/a.rlb"},
        {"C:\\", "/"},
        {"C:", "/"},
        {"\\\\server\\share\\lib\\std.rlb", "/server/share/lib/std.rlb"},
        {"\\Lib\\\\a.rlb", "/Lib/a.rlb"},
        {"Libraries\\Spice\\x.lib", "Libraries/Spice/x.lib"},
        {"..\\up\\.\\b.sch", "../up/./b.sch"},
        {"/home/me/amp.sch", "/home/me/amp.sch"},
        {"", ""},
    };
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(FromStoredPath(stored), expected) << stored;
}

TEST(Paths, SettingsPathsComeBackAsWrittenUnlessWrittenOnWindows) {
    const std::pair<const char*, const char*> cases[] = {
        {"/w/back\\slash.sch", "/w/back\\slash.sch"},
        {"rel\\a.sch", "rel\\a.sch"},
        {"C:\\w\\a.sch", "/w/a.sch"},
        {"\\\\server\\share\\a.sch", "/server/share/a.sch"},
    };
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(FromSettingsPath(stored), expected) << stored;
}

TEST(Paths, JoinUsesOneSeparatorOfTheFolder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\work", "amp.sch", "C:\\work\\amp.sch"},
        {"C:\\work\\\\", "\\amp.sch", "C:\\work\\amp.sch"},
        {"C:\\", "amp.sch", "C:\\amp.sch"},
        {"C:", "amp.sch", "C:\\amp.sch"},
        {"\\\\server\\share", "lib.rlb", "\\\\server\\share\\lib.rlb"},
        {"/usr/share/vosk", "Libraries", "/usr/share/vosk/Libraries"},
        {"/usr/share/vosk/", "/Libraries", "/usr/share/vosk/Libraries"},
        {"lib", "sub\\a.rlb", "lib\\sub\\a.rlb"},
        {"lib", "a.rlb", "lib/a.rlb"},
        {"", "a.rlb", "a.rlb"},
        {"C:\\work\\", "", "C:\\work\\"},
    };
    for (const auto& [dir, name, expected] : cases)
        EXPECT_EQ(JoinPath(dir, name), expected) << dir << " + " << name;
}

TEST(Paths, SplitsIntoFolderTitleAndExtension) {
    struct Case {
        const char* path;
        const char* dir;
        const char* title;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\a\\b.sch", "C:\\a\\", "b", ".sch"},
        {"C:\\a.b\\c", "C:\\a.b\\", "c", ""},
        {"/x.d/archive.tar.gz", "/x.d/", "archive.tar", ".gz"},
        {"C:\\a\\", "C:\\a\\", "", ""},
        {"C:b.sch", "C:", "b", ".sch"},
        {"\\\\server\\share", "\\\\server\\", "share", ""},
        {"mixed/dir\\n.rlb", "mixed/dir\\", "n", ".rlb"},
        {"amp.sch", "", "amp", ".sch"},
        {".profile", "", "", ".profile"},
        {"name.", "", "name", "."},
        {"/up/..", "/up/", "..", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileDirectory(c.path), c.dir) << c.path;
        EXPECT_EQ(FileTitle(c.path), c.title) << c.path;
        EXPECT_EQ(FileExtension(c.path), c.ext) << c.path;
    }
}
