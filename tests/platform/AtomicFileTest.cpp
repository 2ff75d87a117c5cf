#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::FolderEntries;
using testsupport::ReadFileText;
using testsupport::TempDir;
using testsupport::WriteFileText;

TEST(AtomicFile, WritesAndReplacesLeavingNoTemporary) {
    TempDir dir;
    fs::path target = dir / "doc.sch";
    WriteFileAtomically(target, std::string_view("first, longer contents"));
    EXPECT_EQ(ReadFileText(target), "first, longer contents");
    WriteFileAtomically(target, std::string_view("second"));
    EXPECT_EQ(ReadFileText(target), "second");
    WriteFileAtomically(target, std::string_view());
    EXPECT_EQ(ReadFileText(target), "");
    std::vector<BYTE> bytes;
    for (int i = 0; i < 256 * 300; ++i)
        bytes.push_back(static_cast<BYTE>(i * 7));
    WriteFileAtomically(target, bytes);
    EXPECT_EQ(testsupport::ReadFileBytes(target), bytes);
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"doc.sch"});
}

TEST(AtomicFile, SymbolicLinkStaysAndItsTargetIsReplaced) {
    TempDir dir;
    fs::create_directory(dir / "real");
    WriteFileText(dir / "real" / "settings.reg", "old");
    fs::create_symlink(dir / "real" / "settings.reg", dir / "link.reg");
    WriteFileAtomically(dir / "link.reg", std::string_view("new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.reg"));
    EXPECT_EQ(ReadFileText(dir / "real" / "settings.reg"), "new");
    EXPECT_EQ(FolderEntries(dir / "real"), std::vector<std::string>{"settings.reg"});
}

TEST(AtomicFile, FailuresLeaveEverythingAsItWas) {
    TempDir dir;
    WriteFileText(dir / "plain", "a file, not a folder");

    // The folder does not exist.
    try {
        WriteFileAtomically(dir / "missing" / "x.sch", std::string_view("data"));
        FAIL() << "no error";
    } catch (const FileWriteError& error) {
        EXPECT_NE(std::string(error.what()).find("missing/x.sch"), std::string::npos)
            << error.what();
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    }
    // The parent is a file.
    EXPECT_THROW(WriteFileAtomically(dir / "plain" / "x.sch", std::string_view("data")),
                 FileWriteError);
    EXPECT_EQ(ReadFileText(dir / "plain"), "a file, not a folder");

    // The target is a folder: the temporary is written, then the rename fails.
    fs::create_directory(dir / "folder.sch");
    WriteFileText(dir / "folder.sch" / "inside", "kept");
    EXPECT_THROW(WriteFileAtomically(dir / "folder.sch", std::string_view("data")), FileWriteError);
    EXPECT_EQ(ReadFileText(dir / "folder.sch" / "inside"), "kept");
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"folder.sch", "plain"}));
}

TEST(ReadWholeFile, ReadsBytesAndReportsProblems) {
    TempDir dir;
    WriteFileText(dir / "text", std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadWholeFile(dir / "text"), std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadWholeFile(dir / "text", 5), std::string("a\0b\r\n", 5));
    WriteFileText(dir / "empty", "");
    EXPECT_EQ(ReadWholeFile(dir / "empty"), "");

    try {
        ReadWholeFile(dir / "absent");
        FAIL() << "no error";
    } catch (const FileReadError& error) {
        EXPECT_TRUE(error.IsMissing());
        EXPECT_NE(std::string(error.what()).find("absent\": the file does not exist"),
                  std::string::npos)
            << error.what();
    }
    try {
        ReadWholeFile(dir.path());
        FAIL() << "no error";
    } catch (const FileReadError& error) {
        EXPECT_FALSE(error.IsMissing());
        EXPECT_NE(std::string(error.what()).find("folder"), std::string::npos) << error.what();
    }
    EXPECT_THROW(ReadWholeFile(dir / "text", 4), FileReadError);
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_THROW(ReadWholeFile(dir / "pipe"), FileReadError) << "a pipe must not block";
    EXPECT_THROW(ReadWholeFile("/dev/zero", 1 << 20), FileReadError);
}

// The byte reader sizes its buffer from the file's length; files longer than one read, files
// that report no length (as /proc's do) and the size limit must all come out whole.
TEST(ReadWholeFile, ReadsBytesOfAnyLength) {
    TempDir dir;
    std::string large(200000, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 7 + i / 256);
    WriteFileText(dir / "large", large);
    EXPECT_TRUE(ReadWholeFileBytes(dir / "large") == std::vector<BYTE>(large.begin(), large.end()));
    EXPECT_EQ(ReadWholeFile(dir / "large"), large);
    EXPECT_THROW(ReadWholeFileBytes(dir / "large", large.size() - 1), FileReadError);
    WriteFileText(dir / "empty", "");
    EXPECT_TRUE(ReadWholeFileBytes(dir / "empty").empty());

    const std::string status = ReadWholeFile("/proc/self/status");
    EXPECT_NE(status.find("Name:"), std::string::npos) << "a file that reports no length";
    EXPECT_THROW(ReadWholeFileBytes("/proc/self/status", 4), FileReadError);
    EXPECT_THROW(ReadWholeFileBytes(dir / "absent"), FileReadError);
}
