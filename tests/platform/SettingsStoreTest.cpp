#include "platform/SettingsStore.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <functional>
#include <optional>

#include "platform/AtomicFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::ReadFileText;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;
using testsupport::WriteFileText;

namespace {

std::vector<std::string> Names(const std::vector<CString>& names) {
    std::vector<std::string> out;
    for (const CString& name : names)
        out.push_back(name.str());
    return out;
}

// Sets or clears an environment variable for its lifetime, then restores the old value.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace

TEST(SettingsStore, MissingFileGivesDefaults) {
    TempDir dir;
    SettingsStore store(dir / "settings.reg");
    EXPECT_TRUE(store.LoadError().IsEmpty());
    EXPECT_EQ(store.GetProfileInt("Settings", "MRU File Size", 4), 4u);
    EXPECT_EQ(store.GetProfileString("LastOpen", "File1"), "");
    std::vector<BYTE> data{1, 2, 3};
    EXPECT_FALSE(store.GetProfileBinary("Settings", "Placement", data));
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(store.EnumerateSections().empty());

    store.Save();  // nothing changed: no file
    EXPECT_FALSE(fs::exists(dir / "settings.reg"));
}

TEST(SettingsStore, ValuesSurviveSaveAndLoad) {
    TempDir dir;
    fs::path file = dir / "nested" / "folder" / "settings.reg";
    const BYTE bytes[] = {0, 0xFF, 0x10, 0x0A};
    {
        SettingsStore store(file);
        EXPECT_TRUE(store.WriteProfileInt("Settings", "Options", 96));
        EXPECT_TRUE(store.WriteProfileInt("Settings", "Negative", -2));
        EXPECT_TRUE(store.WriteProfileString("LastOpen", "File1", "C:\\work\\amp.sch"));
        EXPECT_TRUE(store.WriteProfileBinary("Frame", "Placement", bytes, sizeof bytes));
        EXPECT_TRUE(store.WriteProfileBinary("Frame", "Empty", nullptr, 0));
        EXPECT_TRUE(store.IsModified());
        store.Save();
        EXPECT_FALSE(store.IsModified());
    }
    SettingsStore store(file);
    EXPECT_TRUE(store.LoadError().IsEmpty()) << store.LoadError().str();
    EXPECT_EQ(store.GetProfileInt("Settings", "Options", 0), 96u);
    EXPECT_EQ(store.GetProfileInt("Settings", "Negative", 0), 0xFFFFFFFEu);
    EXPECT_EQ(store.GetProfileString("LastOpen", "File1"), "C:\\work\\amp.sch");
    std::vector<BYTE> data;
    EXPECT_TRUE(store.GetProfileBinary("Frame", "Placement", data));
    EXPECT_EQ(data, std::vector<BYTE>(bytes, bytes + sizeof bytes));
    EXPECT_TRUE(store.GetProfileBinary("Frame", "Empty", data));
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(store.IsModified());

    std::string text = ReadFileText(file);
    EXPECT_EQ(text.rfind(';', 0), 0u) << "starts with the comment header";
    EXPECT_NE(text.find("[Settings]\n\"Options\"=dword:00000060\n"), std::string::npos) << text;
}

TEST(SettingsStore, NamesIgnoreCaseAndKeepTheFirstSpelling) {
    TempDir dir;
    SettingsStore store(dir / "settings.reg");
    store.WriteProfileInt("Settings", "Options", 1);
    store.WriteProfileInt("SETTINGS", "OPTIONS", 2);
    store.WriteProfileInt("settings", "Key10", 3);
    EXPECT_EQ(store.GetProfileInt("sEtTiNgS", "options", 0), 2u);
    EXPECT_EQ(Names(store.EnumerateSections()), std::vector<std::string>{"Settings"});
    EXPECT_EQ(Names(store.EnumerateValues("SETTINGS")),
              (std::vector<std::string>{"Options", "Key10"}));
    EXPECT_EQ(store.GetProfileInt("Settings", "Key1", 7), 7u);
}

TEST(SettingsStore, TypesConvertAsTheProfileCallsDo) {
    TempDir dir;
    SettingsStore store(dir / "settings.reg");
    const std::pair<const char*, UINT> numbers[] = {
        {"42", 42}, {"  \t17 apples", 17}, {"+8", 8},         {"-1", 0xFFFFFFFF}, {"abc", 0},
        {"", 0},    {"0x1F", 0},           {"4294967297", 1},
    };
    for (const auto& [text, expected] : numbers) {
        store.WriteProfileString("S", "Number", text);
        EXPECT_EQ(store.GetProfileInt("S", "Number", 99), expected) << text;
    }
    const BYTE one = 1;
    store.WriteProfileBinary("S", "Bytes", &one, 1);
    EXPECT_EQ(store.GetProfileInt("S", "Bytes", -5), static_cast<UINT>(-5));
    EXPECT_EQ(store.GetProfileString("S", "Bytes", "dflt"), "dflt");
    store.WriteProfileInt("S", "Dword", 12);
    EXPECT_EQ(store.GetProfileString("S", "Dword", "dflt"), "dflt");
    std::vector<BYTE> data;
    EXPECT_FALSE(store.GetProfileBinary("S", "Dword", data));

    // Writing another type replaces the value in place.
    store.WriteProfileString("S", "Bytes", "text now");
    EXPECT_EQ(store.GetProfileString("S", "Bytes"), "text now");
    EXPECT_EQ(Names(store.EnumerateValues("S")),
              (std::vector<std::string>{"Number", "Bytes", "Dword"}));
}

TEST(SettingsStore, DeletingValuesAndSections) {
    TempDir dir;
    SettingsStore store(dir / "settings.reg");
    store.WriteProfileString("A", "x", "1");
    store.WriteProfileString("A", "y", "2");
    store.WriteProfileString("B", "z", "3");
    store.WriteProfileString("C", "w", "4");

    EXPECT_TRUE(store.WriteProfileString("a", "X", static_cast<LPCTSTR>(nullptr)));
    EXPECT_FALSE(store.WriteProfileString("A", "x", static_cast<LPCTSTR>(nullptr)));
    EXPECT_EQ(Names(store.EnumerateValues("A")), std::vector<std::string>{"y"});
    EXPECT_TRUE(store.WriteProfileString("b", nullptr, nullptr));
    EXPECT_FALSE(store.WriteProfileString("B", nullptr, "ignored"));
    EXPECT_EQ(Names(store.EnumerateSections()), (std::vector<std::string>{"A", "C"}));

    EXPECT_TRUE(store.DeleteValue("A", "y"));
    EXPECT_FALSE(store.DeleteValue("A", "y"));
    EXPECT_EQ(Names(store.EnumerateSections()), (std::vector<std::string>{"A", "C"}))
        << "an emptied section stays";
    EXPECT_TRUE(store.DeleteSection("c"));

    // Null names are refused, not crashed on.
    EXPECT_FALSE(store.WriteProfileInt(nullptr, "x", 1));
    EXPECT_FALSE(store.WriteProfileInt("A", nullptr, 1));
    EXPECT_FALSE(store.WriteProfileBinary("A", "x", nullptr, 3));
    EXPECT_FALSE(store.DeleteSection(nullptr));
    EXPECT_EQ(store.GetProfileInt(nullptr, nullptr, 5), 5u);

    // A section created again goes to the end, and the order is kept in the file.
    store.WriteProfileInt("B", "again", 1);
    store.Save();
    SettingsStore reloaded(store.FilePath());
    EXPECT_EQ(Names(reloaded.EnumerateSections()), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(reloaded.EnumerateValues("A").empty());
}

TEST(SettingsStore, FailedSaveThrowsAndKeepsTheChanges) {
    TempDir dir;
    WriteFileText(dir / "blocker", "a file where the folder should be");
    SettingsStore store(dir / "blocker" / "settings.reg");
    store.WriteProfileInt("S", "n", 1);
    EXPECT_THROW(store.Save(), FileWriteError);
    EXPECT_TRUE(store.IsModified());
    EXPECT_EQ(store.GetProfileInt("S", "n", 0), 1u);
}

// Once written at once, every change reaches the file when the change under way is done, one
// write for the changes made together, whoever made them; a write that fails is told and
// keeps the changes for the next one.
TEST(SettingsStore, ChangesAreWrittenAtOnceWhenAsked) {
    TempDir dir;
    const fs::path file = dir / "settings.reg";
    SettingsStore store(file);
    std::vector<std::function<void()>> writes;
    store.WriteChangesAtOnce([&writes](std::function<void()> write) { writes.push_back(write); });

    store.WriteProfileInt("Dialog", "a", 1);
    store.WriteProfileString("Dialog", "b", "x");
    store.WriteProfileBinary("Dialog", "c", reinterpret_cast<const BYTE*>("\1"), 1);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_FALSE(fs::exists(file)) << "not before the change is done";
    writes[0]();
    EXPECT_FALSE(store.IsModified());
    EXPECT_EQ(SettingsStore(file).GetProfileString("Dialog", "b"), "x");

    store.WriteProfileInt("Dialog", "a", 1);
    EXPECT_EQ(writes.size(), 1u) << "a value written again changes nothing";
    store.DeleteValue("Dialog", "a");
    ASSERT_EQ(writes.size(), 2u);
    writes[1]();
    store.DeleteSection("Dialog");
    ASSERT_EQ(writes.size(), 3u);
    writes[2]();
    EXPECT_TRUE(SettingsStore(file).EnumerateSections().empty());

    // A file that cannot be written: the user is told, and the change waits for the next write.
    WriteFileText(dir / "blocker", "a file where the folder should be");
    SettingsStore blocked(dir / "blocker" / "settings.reg");
    blocked.WriteChangesAtOnce([&writes](std::function<void()> write) { writes.push_back(write); });
    blocked.WriteProfileInt("Dialog", "a", 1);
    ASSERT_EQ(writes.size(), 4u);
    {
        ScriptedPrompt prompt{IDOK};
        writes[3]();
        EXPECT_EQ(prompt.shown().size(), 1u);
    }
    EXPECT_TRUE(blocked.IsModified());
    blocked.WriteProfileInt("Dialog", "b", 2);
    EXPECT_EQ(writes.size(), 5u);
}

// A settings file that cannot be written is told once, not at every write that follows (nor
// at the program's end), until a write succeeds again.
TEST(SettingsStore, AFailingWriteIsToldOnce) {
    TempDir dir;
    const fs::path file = dir / "settings.reg";
    SettingsStore store(file);
    std::vector<std::function<void()>> writes;
    store.WriteChangesAtOnce([&writes](std::function<void()> write) { writes.push_back(write); });
    fs::create_directories(file / "in the way");  // a folder where the file should be

    ScriptedPrompt prompt{IDOK};
    for (int value = 1; value <= 3; ++value) {
        store.WriteProfileInt("Dialog", "a", value);
        ASSERT_EQ(writes.size(), static_cast<size_t>(value));
        writes.back()();
    }
    EXPECT_FALSE(store.SaveOrTell());  // as at the end
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.str().find("settings.reg"), std::string::npos)
        << prompt.shown()[0].text.str();
    EXPECT_TRUE(store.IsModified());

    // Once written again, the next failure is news.
    fs::remove_all(file);
    EXPECT_TRUE(store.SaveOrTell());
    EXPECT_EQ(SettingsStore(file).GetProfileInt("Dialog", "a", 0), 3u);
    fs::remove(file);
    fs::create_directories(file / "in the way");
    prompt.Answer(IDOK);
    store.WriteProfileInt("Dialog", "a", 4);
    writes.back()();
    EXPECT_EQ(prompt.shown().size(), 2u);
}

TEST(SettingsStore, DamagedFileIsMovedAsideAndReported) {
    TempDir dir;
    fs::path file = dir / "settings.reg";
    const std::string damaged = "[Settings]\n\"Options\"=dword:60\n\"Broken\"=\"no end\n";
    WriteFileText(file, damaged);

    SettingsStore store(file);
    std::string error = store.LoadError().str();
    EXPECT_NE(error.find("line 3: missing closing quote"), std::string::npos) << error;
    EXPECT_NE(error.find("settings.reg.bad"), std::string::npos) << error;
    EXPECT_TRUE(store.EnumerateSections().empty()) << "starts from defaults";
    EXPECT_EQ(store.GetProfileInt("Settings", "Options", 0), 0u);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(ReadFileText(dir / "settings.reg.bad"), damaged);

    // A later good load clears the message.
    store.WriteProfileInt("Settings", "Options", 1);
    store.Save();
    EXPECT_TRUE(store.Load());
    EXPECT_TRUE(store.LoadError().IsEmpty());
    EXPECT_EQ(store.GetProfileInt("Settings", "Options", 0), 1u);
}

TEST(SettingsStore, UnreadableOrHugeFileIsMovedAsideAndReported) {
    TempDir dir;
    fs::path file = dir / "settings.reg";
    fs::create_directory(file);
    SettingsStore store(file);
    EXPECT_NE(store.LoadError().str().find("folder"), std::string::npos) << store.LoadError().str();
    EXPECT_TRUE(fs::is_directory(dir / "settings.reg.bad"));

    WriteFileText(file, "");
    fs::resize_file(file, SettingsStore::kMaxFileBytes + 1);
    fs::remove(dir / "settings.reg.bad");
    EXPECT_FALSE(store.Load());
    EXPECT_NE(store.LoadError().str().find("larger than"), std::string::npos)
        << store.LoadError().str();
    EXPECT_TRUE(fs::exists(dir / "settings.reg.bad"));
}

TEST(SettingsStore, FileLocationFollowsTheEnvironment) {
    const char* kTail = "Fenwyk Systems/Vosk Schematic/settings.reg";
    ScopedEnv home("HOME", "/home/tester");
    {
        ScopedEnv settings("VOSK_SETTINGS_DIR", "/tmp/ci settings");
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(SettingsStore::DefaultFilePath(), fs::path("/tmp/ci settings/settings.reg"));
    }
    ScopedEnv settings("VOSK_SETTINGS_DIR", nullptr);
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(SettingsStore::DefaultFilePath(), fs::path("/xdg") / kTail);
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/config");  // ignored: not absolute
        EXPECT_EQ(SettingsStore::DefaultFilePath(), fs::path("/home/tester/.config") / kTail);
    }
}
