// A file the user may not write is never replaced, although its folder would let the writers
// rename a new file over it.

#include "platform/WriteAccess.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "platform/AtomicFile.h"
#include "platform/CompoundFile.h"
#include "platform/DiskFile.h"
#include "platform/FileReplacement.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::FolderEntries;
using testsupport::ReadFileText;
using testsupport::TempDir;
using testsupport::WriteFileText;

namespace {

constexpr uid_t kNobody = 65534;

fs::path MakeFile(const TempDir& dir, const std::string& name, mode_t mode) {
    const fs::path file = dir / name;
    WriteFileText(file, "kept as it was");
    EXPECT_EQ(::chmod(file.c_str(), mode), 0);
    return file;
}

// Runs check in a child process that has given up the superuser's rights for those of the
// user "nobody"; the child's exit status is check's number of failed expectations.
int FailuresAsNobody(const std::function<int()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped ? std::min(check(), 100) : 101);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 102;
}

}  // namespace

// Run by the superuser (as on the build machines), a file counts as write-protected when it
// has no write bit at all; run by anyone else the system says so for the same files. A link
// is judged by the file it points to.
TEST(WriteAccess, AFileWithoutWriteBitsIsWriteProtected) {
    TempDir dir;
    EXPECT_TRUE(IsWriteProtected(MakeFile(dir, "r--r--r--", 0444)));
    EXPECT_FALSE(IsWriteProtected(MakeFile(dir, "rw-r--r--", 0644)));
    EXPECT_FALSE(IsWriteProtected(dir / "missing"));
    fs::create_symlink(dir / "r--r--r--", dir / "link");
    EXPECT_TRUE(IsWriteProtected(dir / "link"));
}

TEST(WriteAccess, EveryWriterRefusesAWriteProtectedFileAndKeepsIt) {
    TempDir dir;
    const fs::path file = MakeFile(dir, "amp.sch", 0444);
    try {
        WriteFileAtomically(file, std::string_view("new contents"));
        ADD_FAILURE() << "replaced";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot save " + QuotedPath(file) + ": the file is write-protected.");
        EXPECT_EQ(error.code(), std::errc::permission_denied);
    }
    EXPECT_THROW(CompoundFile().SaveToFile(file), CompoundFileError);
    try {
        CFileReplacement replacement(file.c_str());
        ADD_FAILURE() << "a replacement was started";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::accessDenied);
        EXPECT_EQ(error.m_strFileName.str(), file.string());
    }
    const UINT writingModes[] = {
        CDiskFile::modeWrite, CDiskFile::modeReadWrite,
        CDiskFile::modeCreate | CDiskFile::modeWrite,
        CDiskFile::modeCreate | CDiskFile::modeNoTruncate | CDiskFile::modeReadWrite};
    for (const UINT mode : writingModes) {
        CDiskFile opened;
        CFileException error(CFileException::none, 0, {});
        EXPECT_FALSE(opened.Open(file.c_str(), mode, &error)) << mode;
        EXPECT_EQ(error.m_cause, CFileException::accessDenied) << mode;
    }
    // Reading it stays possible, and a new file is still refused as existing.
    CDiskFile reader;
    EXPECT_TRUE(reader.Open(file.c_str(), CDiskFile::modeRead));
    CDiskFile creator;
    CFileException exists(CFileException::none, 0, {});
    EXPECT_FALSE(creator.Open(
        file.c_str(), CDiskFile::modeCreate | CDiskFile::modeNoOverwrite | CDiskFile::modeWrite,
        &exists));
    EXPECT_EQ(exists.m_lOsError, EEXIST);

    EXPECT_EQ(ReadFileText(file), "kept as it was");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0444));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"amp.sch"});
}

// A user who may write the folder but not the file: the superuser's file with the usual bits
// (rw-r--r--), seen by "nobody" after the test dropped its rights.
TEST(WriteAccess, AnotherUsersFileIsRefusedToAUserWithoutTheRightToWriteIt) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the superuser's rights to give them up";
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const fs::path theirs = MakeFile(dir, "theirs.sch", 0644);
    const fs::path shared = MakeFile(dir, "shared.sch", 0666);
    const int failures = FailuresAsNobody([&] {
        int failed = 0;
        failed += !IsWriteProtected(theirs);
        failed += IsWriteProtected(shared);
        try {
            WriteFileAtomically(theirs, std::string_view("new contents"));
            ++failed;
        } catch (const FileWriteError&) {
        }
        try {
            WriteFileAtomically(shared, std::string_view("new contents"));
        } catch (const FileWriteError&) {
            ++failed;
        }
        return failed;
    });
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(ReadFileText(theirs), "kept as it was");
    EXPECT_EQ(ReadFileText(shared), "new contents");
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"shared.sch", "theirs.sch"}));
}
