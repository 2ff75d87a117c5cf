// Library records as drawing objects, the clipboard image of records, and the folders searched
// for libraries.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "LibraryTestBytes.h"
#include "library/LibraryFile.h"
#include "library/LibraryFolders.h"
#include "library/LibraryImage.h"
#include "library/LibraryItemData.h"
#include "library/LibraryItemsPaste.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/FloatGeometry.h"
#include "model/shapes/DrawRect.h"
#include "model/text/TextBox.h"
#include "platform/Archive.h"
#include "platform/DiskFile.h"
#include "platform/MemFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using librarytest::Archived;
using librarytest::Bytes;
using librarytest::FileHeader;
using librarytest::Join;
using librarytest::Record;
using testsupport::ReadFileBytes;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

TEST(LibraryItems, ObjectsStoredAsARecordLoadAgain) {
    TempDir dir;
    const std::string path = (dir / "a.rlb").string();
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    CDrawRect rect(CRect(0, 0, 100, -50));
    CTextBox text(CRect(10, -10, 90, -40));
    CObList objects;
    objects.AddTail(&rect);
    objects.AddTail(&text);
    ASSERT_TRUE(library.AddObjects(&objects, nullptr, "BOX", "two objects"));
    EXPECT_FALSE(library.AddObjects(nullptr, &rect, "BOX", ""));

    CDrawDoc document;
    CLibraryItemData item;
    ASSERT_TRUE(library.ReadItem(&document, 0, item));
    EXPECT_EQ(item.m_name.str(), "BOX");
    EXPECT_EQ(item.m_description.str(), "two objects");
    EXPECT_EQ(item.m_type, kItemDevice);
    ASSERT_EQ(item.m_objects.GetCount(), 2);
    auto* loaded = static_cast<CDrawObj*>(item.m_objects.GetHead());
    EXPECT_EQ(loaded->GetObjType(), kObjRect);
    EXPECT_EQ(loaded->GetPosition(), CRect(0, 0, 100, -50));
    EXPECT_EQ(loaded->GetDocument(), &document);
    EXPECT_EQ(static_cast<CDrawObj*>(item.m_objects.GetTail())->GetObjType(), kObjText);
}

// Records on the clipboard paste as their objects, record after record.
TEST(LibraryItems, ClipboardRecordsPasteAsObjects) {
    TempDir dir;
    const std::string path = (dir / "a.rlb").string();
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    CDrawRect rect(CRect(0, 0, 100, -50));
    CTextBox text(CRect(10, -10, 90, -40));
    ASSERT_TRUE(library.AddObjects(nullptr, &rect, "BOX", "a box"));
    ASSERT_TRUE(library.AddObjects(nullptr, &text, "TEXT", "a text"));
    library.Close();
    const std::optional<Bytes> image = BuildLibraryImage(path, {1, 0});
    ASSERT_TRUE(image);
    CDrawDoc document;
    CObList pasted;
    ASSERT_TRUE(LoadLibraryImageObjects(&document, *image, pasted));
    ASSERT_EQ(pasted.GetCount(), 2);
    EXPECT_EQ(static_cast<CDrawObj*>(pasted.GetHead())->GetObjType(), kObjText);
    EXPECT_EQ(static_cast<CDrawObj*>(pasted.GetTail())->GetObjType(), kObjRect);
    for (POSITION pos = pasted.GetHeadPosition(); pos;)
        delete pasted.GetNext(pos);
    pasted.RemoveAll();
    EXPECT_FALSE(LoadLibraryImageObjects(&document, Bytes(40, 0x42), pasted));
}

TEST(LibraryItems, FailedReadsTellTheUser) {
    const Bytes rect = Archived({new CDrawRect(CRect(0, 0, 10, -10))});
    Bytes truncated = Join({FileHeader("D", 1), Record("R", "", 0, rect)});
    truncated.pop_back();
    struct Case {
        const char* what;
        Bytes bytes;
        int index;
        const char* message;
    };
    const Case cases[] = {
        {"bad header", Join({FileHeader("D", 1), Record("R", "", 0, rect)}), 1,
         "Error reading library item"},
        {"truncated record", truncated, 0, "Error - could not read library (truncated record)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPrompt prompt({IDOK});
        CLibraryFile library;
        ASSERT_TRUE(library.OpenImage(c.bytes));
        CDrawDoc document;
        CLibraryItemData item;
        EXPECT_FALSE(library.ReadItem(&document, c.index, item));
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text.str(), c.message);
        EXPECT_EQ(prompt.shown()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
}

TEST(LibraryItems, OnlyDrawingObjectsAreLoaded) {
    const Bytes data =
        Archived({new CFPoint(1, 2), new CDrawRect(CRect(0, 0, 10, -10)), new CFPoint(3, 4)});
    CLibraryFile library;
    ASSERT_TRUE(library.OpenImage(Join({FileHeader("D", 1), Record("C", "", 1, data)})));
    CDrawDoc document;
    CLibraryItemData item;
    ASSERT_TRUE(library.ReadItem(&document, 0, item));
    ASSERT_EQ(item.m_objects.GetCount(), 1);
    EXPECT_EQ(static_cast<CDrawObj*>(item.m_objects.GetHead())->GetObjType(), kObjRect);
}

// ---------------------------------------------------------------------------------------------
// The clipboard image

TEST(LibraryImage, CopiedRecordsStayByteForByte) {
    TempDir dir;
    const std::string path = (dir / "a.rlb").string();
    const Bytes a = Record("A", "first", 0, {1});
    const Bytes b = Record("B", "", 2, {2, 2});
    const Bytes c = Record("C", "third", 1, {3, 3, 3});
    const Bytes a2 = Record("A", "again", 0, {4});  // a name twice, written by another tool
    WriteFileBytes(path, Join({FileHeader("src", 4), a, b, c, a2}));

    EXPECT_EQ(BuildLibraryImage(path, {0, 2}), Join({FileHeader(path, 2), a, c}));
    EXPECT_EQ(BuildLibraryImage(path, {3, 1, 0}), Join({FileHeader(path, 2), a2, b}));

    ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(BuildLibraryImage((dir / "missing.rlb").string(), {0}));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text.str(), "Error opening library");
}

TEST(LibraryImage, PasteAsksBeforeReplacing) {
    const Bytes a = Record("A", "", 0, {1});
    const Bytes b = Record("B", "", 0, {2});
    const Bytes c = Record("C", "", 0, {3});
    const Bytes oldB = Record("B", "old", 0, {9});
    const Bytes oldC = Record("C", "old", 0, {8});
    const Bytes image = Join({FileHeader("/lib/src.rlb", 3), a, b, c});
    struct Case {
        const char* what;
        std::vector<int> answers;  // for B, then C
        Bytes result;
    };
    const Case cases[] = {
        {"yes and no", {IDYES, IDNO}, Join({FileHeader("T", 3), oldC, a, b})},
        {"no and yes", {IDNO, IDYES}, Join({FileHeader("T", 3), oldB, a, c})},
        {"cancel at the first", {IDCANCEL}, Join({FileHeader("T", 3), oldB, oldC, a})},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TempDir dir;
        const std::string path = (dir / "t.rlb").string();
        WriteFileBytes(path, Join({FileHeader("T", 2), oldB, oldC}));
        ScriptedPrompt prompt;
        for (int answer : test.answers)
            prompt.Answer(answer);
        CLibraryFile target;
        ASSERT_TRUE(target.Open(path.c_str(), CDiskFile::modeReadWrite));
        EXPECT_TRUE(PasteLibraryImage(target, image));
        EXPECT_EQ(ReadFileBytes(path), test.result);
        ASSERT_FALSE(prompt.shown().empty());
        EXPECT_EQ(
            prompt.shown()[0].text.str(),
            "The item B already exists in library t.rlb.\n\nDo you want to replace the item?");
        EXPECT_EQ(prompt.shown()[0].type & MB_TYPEMASK, MB_YESNOCANCEL);
    }
    CLibraryFile target;
    target.CreateImage("T");
    EXPECT_FALSE(PasteLibraryImage(target, Bytes{1, 2, 3}));
}

// ---------------------------------------------------------------------------------------------
// Library folders and the symbol search

class LibraryFoldersTest : public ::testing::Test {
protected:
    LibraryFoldersTest() : app(dir / "settings.ini") {
        for (const char* folder : {"own", "path", "user", "std"})
            std::filesystem::create_directory(dir / folder);
        app.WriteProfileString("Directories", "userlib", Stored("user").c_str());
        app.WriteProfileString("Directories", "stdlib", Stored("std").c_str());
        for (const char* file :
             {"own/own.rlb", "path/b.RLB", "path/a.rlb", "path/x.txt", "user/u.rlb", "std/s.rlb"}) {
            CLibraryFile library;
            library.Create((dir / file).c_str());
        }
    }
    // A folder of the test as a Windows setting would store it.
    std::string Stored(const std::string& folder) const {
        return "C:" + ToStored((dir / folder).string());
    }
    static std::string ToStored(std::string path) {
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
    std::string Path(const std::string& file) const { return (dir / file).string(); }

    // The libraries the search opens, in order, the visitor wanting more until stopAt.
    std::vector<std::string> Searched(const CString& devicePath, const std::string& stopAt = {}) {
        CLibraryFile own;
        EXPECT_TRUE(own.Open(Path("own/own.rlb").c_str()));
        std::vector<std::string> searched;
        SearchSymbolLibraries(own, devicePath, app, nullptr, [&](CLibraryFile& library) {
            searched.push_back(library.GetFilePath().str());
            return searched.back() != stopAt;
        });
        return searched;
    }

    TempDir dir;
    CSchematicApp app;
};

TEST_F(LibraryFoldersTest, PatternsComeFromStoredSettings) {
    const std::string own = Path("own/own.rlb");
    const struct {
        std::string setting;
        std::string pattern;
    } cases[] = {
        {"$(UserLibDir)", Path("user") + "/*.rlb"},
        {"$(UserLibDir)\\u.rlb", Path("user/u.rlb")},
        {"lib\\sub", Path("own/lib/sub/*.rlb")},  // relative to the device's library
        {"..\\path\\", Path("own/../path/*.rlb")},
        {"C:\\nowhere\\\\x.rlb", "/nowhere/x.rlb"},
        {"/a//b", "/a/b/*.rlb"},
        {"$(UserLibDir)" + std::string(300, 'x'), ""},  // too long for a path
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibraryPattern(c.setting.c_str(), own.c_str(), app, nullptr).str(), c.pattern)
            << c.setting;
    EXPECT_EQ(LibraryFolders(app),
              (std::vector<CString>{Path("user").c_str(), Path("std").c_str()}));
}

TEST_F(LibraryFoldersTest, SymbolsAreSearchedInOrder) {
    const std::string own = Path("own/own.rlb");
    const std::string a = Path("path/a.rlb");
    const std::string b = Path("path/b.RLB");
    const std::string user = Path("user/u.rlb");
    const std::string standard = Path("std/s.rlb");
    EXPECT_EQ(Searched(""), (std::vector<std::string>{own, user, standard}));
    EXPECT_EQ(Searched(Stored("path").c_str()), (std::vector<std::string>{a, b, user, standard}));
    EXPECT_EQ(Searched(Stored("path").c_str(), a), (std::vector<std::string>{a}));
    EXPECT_EQ(Searched("", own), (std::vector<std::string>{own}));
    // "_Path" naming the device's own library, or the user's folder: each searched once.
    EXPECT_EQ(Searched(ToStored(own).c_str()),
              (std::vector<std::string>{own, own, user, standard}));
    EXPECT_EQ(Searched("$(UserLibDir)"), (std::vector<std::string>{user, standard}));
    // A Windows folder that does not exist here falls through silently.
    EXPECT_EQ(Searched("D:\\Libs\\Old"), (std::vector<std::string>{user, standard}));

    ScriptedPrompt prompt({IDOK});
    EXPECT_EQ(Searched((ToStored(Path("path/x.txt")) + "\\").c_str()),
              (std::vector<std::string>{user, standard}));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text.str(),
              "Device symbol path invalid - \n" + Path("path/x.txt/*.rlb"));
    EXPECT_EQ(prompt.shown()[0].type, MB_OK);
}

}  // namespace
