#include "platform/DiskFile.h"
#include "platform/MemFile.h"
#include "platform/ReadOnlyMemFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "platform/Archive.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

TEST(MemFile, ReadsWritesAndSeeks) {
    CMemFile file(4);
    const BYTE data[] = {1, 2, 3, 4, 5, 6};
    file.Write(data, 6);
    EXPECT_EQ(file.GetPosition(), 6u);
    EXPECT_EQ(file.Seek(-4, CFile::current), 2u);
    file.Write(data, 2);
    EXPECT_EQ(file.GetBytes(), (Bytes{1, 2, 1, 2, 5, 6}));

    file.SeekToBegin();
    BYTE buffer[10] = {};
    EXPECT_EQ(file.Read(buffer, 10), 6u);
    EXPECT_EQ(file.Read(buffer, 10), 0u);

    // A gap left by seeking past the end reads as zeros.
    EXPECT_EQ(file.Seek(2, CFile::end), 8u);
    EXPECT_EQ(file.Read(buffer, 1), 0u);
    file.Write(data, 1);
    EXPECT_EQ(file.GetBytes(), (Bytes{1, 2, 1, 2, 5, 6, 0, 0, 1}));

    try {
        file.Seek(-1, CFile::begin);
        ADD_FAILURE();
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
    }
    EXPECT_EQ(file.GetPosition(), 9u);
}

// The file reads the bytes it was given in place and refuses to change them.
TEST(ReadOnlyMemFile, ReadsAndSeeksButNeverWrites) {
    const Bytes bytes{1, 2, 3, 4, 5};
    CReadOnlyMemFile file(bytes);
    BYTE buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 2), 2u);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_EQ(file.Seek(-1, CFile::end), 4u);
    EXPECT_EQ(file.Read(buffer, 8), 1u);
    EXPECT_EQ(buffer[0], 5);
    EXPECT_EQ(file.Seek(3, CFile::current), 8u);
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    EXPECT_EQ(file.GetLength(), 5u);
    for (const auto& change : {std::function<void()>([&] { file.Write(buffer, 1); }),
                               std::function<void()>([&] { file.SetLength(2); }),
                               std::function<void()>([&] { file.Seek(-9, CFile::end); })}) {
        try {
            change();
            ADD_FAILURE();
        } catch (const CFileException& e) {
            EXPECT_NE(e.m_cause, CFileException::none);
        }
    }
    EXPECT_EQ(bytes, (Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(file.GetPosition(), 8u);
}

TEST(DiskFile, ArchiveRoundTripThroughAFile) {
    testsupport::TempDir dir;
    const std::string path = (dir / "a.bin").string();
    {
        CDiskFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CDiskFile::modeCreate | CDiskFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        ar << DWORD{0x2A51} << CString("text");
        ar.Close();
        file.Close();
    }
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "a.bin"),
              (std::vector<unsigned char>{0x51, 0x2A, 0, 0, 4, 't', 'e', 'x', 't'}));

    CDiskFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CDiskFile::modeRead));
    EXPECT_EQ(file.GetLength(), 9u);
    CArchive ar(&file, CArchive::load);
    DWORD magic = 0;
    CString text;
    ar >> magic >> text;
    EXPECT_EQ(magic, 0x2A51u);
    EXPECT_EQ(text.str(), "text");
    EXPECT_THROW(ar >> magic, CArchiveException);
    EXPECT_EQ(file.GetFilePath().str(), path);
}

TEST(DiskFile, ReportsWhyItCannotOpen) {
    testsupport::TempDir dir;
    const std::string missing = (dir / "missing.sch").string();
    CDiskFile file;
    CFileException error(CFileException::none, 0, {});
    EXPECT_FALSE(file.Open(missing.c_str(), CDiskFile::modeRead, &error));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_strFileName.str(), missing);
    EXPECT_EQ(std::string(error.what()), "File not found: " + missing);

    EXPECT_FALSE(file.Open(dir.path().c_str(), CDiskFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
}

}  // namespace
