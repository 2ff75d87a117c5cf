#include "model/app/PathMacros.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <tuple>

#include "platform/Paths.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using testsupport::TempDir;

class PathMacrosTest : public ::testing::Test {
protected:
    // The expansion of text, which must fit into a path buffer.
    CString Expand(const char* text, const MacroDocument* document = nullptr) {
        CString expanded(text);
        EXPECT_TRUE(ExpandPathMacros(expanded, kMaxPath, m_settings, document)) << text;
        return expanded;
    }

    TempDir m_dir;
    SettingsStore m_settings{m_dir / "settings.reg"};
};

TEST_F(PathMacrosTest, MissingLibraryFoldersGetTheirDefaultsAndKeepThem) {
    const CString libraries = ToStoredPath(ProgramDirectory()) + "\\Libraries";
    EXPECT_EQ(Expand("$(StdLibDir)\\Std.rlb"), libraries + "\\Std.rlb");
    EXPECT_EQ(m_settings.GetProfileString("Directories", "stdlib"), libraries);

    m_settings.WriteProfileString("Directories", "userlib", "");
    EXPECT_EQ(Expand("$(UserLibDir)"), libraries);
    EXPECT_EQ(m_settings.GetProfileString("Directories", "userlib"), libraries);
    EXPECT_EQ(Expand("$(SpiceDir)"), libraries + "\\Spice");
    EXPECT_EQ(m_settings.GetProfileString("Directories", "spice"), libraries + "\\Spice");
}

// The standard libraries beside the program win; an installed program finds its shared ones.
TEST_F(PathMacrosTest, StandardFolderBesideTheProgramOrInstalled) {
    const std::filesystem::path bin = m_dir / "bin";
    std::filesystem::create_directories(bin);
    const CString beside = ToStoredPath(bin.string()) + "\\Libraries";
    EXPECT_EQ(DefaultStandardFolder(bin.c_str()), beside);
    std::filesystem::create_directories(m_dir / "share" / "vosk" / "Libraries");
    EXPECT_EQ(DefaultStandardFolder(bin.c_str()),
              ToStoredPath((m_dir / "share" / "vosk" / "Libraries").string()));
    std::filesystem::create_directory(bin / "Libraries");
    EXPECT_EQ(DefaultStandardFolder(bin.c_str()), beside);
}

TEST_F(PathMacrosTest, StoredFoldersLoseOneTrailingSeparatorExceptUserFolders) {
    m_settings.WriteProfileString("Directories", "stdlib", "D:\\Lib\\\\");
    m_settings.WriteProfileString("Directories", "user1", "E:\\Mine\\");
    EXPECT_EQ(Expand("$(StdLibDir)|$(UserDir1)|$(UserDir2)|$(UserDir3)"), "D:\\Lib\\|E:\\Mine\\||");
}

TEST_F(PathMacrosTest, DocumentMacrosComeFromTitleAndPathAndOnlyExactWordsExpand) {
    const MacroDocument amp{"amp.sch", "C:\\work\\amp.sch"};
    EXPECT_EQ(Expand("$(FileDir)\\$(FileName)$(FileExt) $(FileName).log", &amp),
              "C:\\work\\amp.sch amp.log");
    const MacroDocument local{"filter.sch", "/home/me/filter.sch"};
    EXPECT_EQ(Expand("$(FileDir)\\$(FileName)$(FileExt)", &local), "\\home\\me\\filter.sch");

    // Without a document the words stay, so that the mistake shows.
    EXPECT_EQ(Expand("$(FileDir)\\$(FileName)"), "$(FileDir)\\$(FileName)");
    EXPECT_EQ(Expand("$(filename) $(FileName", &amp), "$(filename) $(FileName");
    EXPECT_EQ(Expand(" \t $(FileName)  ", &amp), "amp  ");
}

TEST_F(PathMacrosTest, ValuesNameLaterMacrosButNeverLoop) {
    m_settings.WriteProfileString("Directories", "spice", "$(UserDir1)\\Spice");
    m_settings.WriteProfileString("Directories", "user1", "D:\\Tools");
    EXPECT_EQ(Expand("$(SpiceDir)\\m.lib"), "D:\\Tools\\Spice\\m.lib");

    // A value naming its own macro, directly or through another, keeps the word as it stands;
    // so does one naming a macro that was expanded before its own.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"$(UserDir1)/$(UserDir1)", "x$(UserDir1)", "x$(UserDir1)/x$(UserDir1)"},
        {"$(SpiceDir)", "$(SpiceDir)\\x", "$(SpiceDir)\\x\\Spice"},
        {"$(UserDir1)", "$(StdLibDir)", "$(StdLibDir)"},
    };
    for (const auto& [text, user1, expected] : cases) {
        m_settings.WriteProfileString("Directories", "user1", user1);
        EXPECT_EQ(Expand(text), expected) << text;
    }
    m_settings.WriteProfileString("Directories", "user2", "$(UserDir3)");
    m_settings.WriteProfileString("Directories", "user3", "$(UserDir2)");
    EXPECT_EQ(Expand("$(UserDir2)"), "$(UserDir2)");
}

TEST_F(PathMacrosTest, LongResultsAreCut) {
    m_settings.WriteProfileString("Directories", "user1", "0123456789");
    CString text("$(UserDir1)$(UserDir1)");
    EXPECT_TRUE(ExpandPathMacros(text, 21, m_settings, nullptr));
    EXPECT_EQ(text, "01234567890123456789");

    text = "$(UserDir1)$(UserDir1)";
    EXPECT_FALSE(ExpandPathMacros(text, 20, m_settings, nullptr));
    EXPECT_EQ(text, "0123456789012345678");

    m_settings.WriteProfileString("Directories", "user2", "ab\xC3\xA9");  // never half an e-acute
    text = "$(UserDir2)";
    EXPECT_FALSE(ExpandPathMacros(text, 4, m_settings, nullptr));
    EXPECT_EQ(text, "ab");
}

TEST_F(PathMacrosTest, HugeValuesDoNotMultiply) {
    m_settings.WriteProfileString("Directories", "user1", std::string(1 << 20, 'v').c_str());
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "$(UserDir1)";
    CString expanded(text);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ExpandPathMacros(expanded, kMaxPath, m_settings, nullptr));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(expanded, CString(std::string(kMaxPath - 1, 'v')));

    // Nor do values that name the next one twice.
    m_settings.WriteProfileString("Directories", "user1", "$(UserDir2)$(UserDir2)");
    m_settings.WriteProfileString("Directories", "user2", "$(UserDir3)$(UserDir3)");
    m_settings.WriteProfileString("Directories", "user3", std::string(1 << 20, 'w').c_str());
    expanded = CString(text);
    EXPECT_FALSE(ExpandPathMacros(expanded, kMaxPath, m_settings, nullptr));
    EXPECT_EQ(expanded, CString(std::string(kMaxPath - 1, 'w')));
}

}  // namespace
