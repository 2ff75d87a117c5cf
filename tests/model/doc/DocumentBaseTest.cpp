#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/doc/DocumentBase.h"
#include "model/support/RecordingDocView.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

// A document of one number, which also keeps a stream of its own beside "Contents".
class NumberDocument : public CDocumentBase {
public:
    void Serialize(CArchive& ar) override {
        if (failStoring)
            throw CArchiveException(CArchiveException::genericException);
        if (ar.IsStoring()) {
            ar << number;
            GetRootStorage()->WriteStream("Extra", {1, 2, 3});
        } else {
            ar >> number;
            sawExtra = GetRootStorage()->FindStream("Extra") != nullptr;
        }
    }
    void DeleteContents() override { number = 0; }

    int number = 0;
    bool failStoring = false;
    bool sawExtra = false;
};

}  // namespace

TEST(DocumentBase, UpdatesEveryViewButTheSenderEvenWhenOneLeaves) {
    CDocumentBase document;
    drawdoctest::RecordingDocView a, b;
    b.onUpdate = [&] { document.RemoveView(&b); };
    document.AddView(&a);
    document.AddView(&b);
    document.AddView(&a);
    document.UpdateAllViews(&a, kHintUnits);
    EXPECT_TRUE(a.updates.empty());
    EXPECT_EQ(b.Hints(), std::vector<int>{kHintUnits});
    CObList list;
    document.UpdateAllViews(nullptr, kHintSelection, &list);
    ASSERT_EQ(a.Hints(), std::vector<int>{kHintSelection});
    EXPECT_EQ(a.updates[0].list, &list);
    EXPECT_EQ(b.updates.size(), 1u);
}

TEST(DocumentBase, PathTitleAndRecentFiles) {
    testsupport::RecordingAppServices services;
    CDocumentBase document;
    document.SetPathName("/home/me/boards/amp.sch");
    EXPECT_EQ(document.GetTitle(), CString("amp.sch"));
    document.SetPathName("/home/me/boards/quiet.sch", FALSE);
    EXPECT_EQ(services.recentFiles(), std::vector<std::string>{"/home/me/boards/amp.sch"});
}

TEST(DocumentBase, SavesAndOpensTheContentsStream) {
    testsupport::TempDir dir;
    const std::string path = (dir / "one.sch").string();
    NumberDocument saved;
    saved.number = 0x2A51;
    saved.SetModifiedFlag();
    ASSERT_TRUE(saved.OnSaveDocument(path.c_str()));
    const CompoundFile file = CompoundFile::LoadFromFile(path);
    ASSERT_TRUE(file.Root().FindStream("Contents"));
    EXPECT_EQ(testsupport::BytesOf(file.Root().FindStream("Contents")->Data()),
              (std::vector<std::uint8_t>{0x51, 0x2A, 0, 0}));

    NumberDocument opened;
    ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
    EXPECT_EQ(opened.number, 0x2A51);
    EXPECT_TRUE(opened.sawExtra);
}

TEST(DocumentBase, FailedOpenAndSaveAreReported) {
    testsupport::ScriptedPrompt prompt({IDOK, IDOK, IDOK, IDOK});
    testsupport::TempDir dir;
    const std::string path = (dir / "two.sch").string();
    NumberDocument document;
    EXPECT_FALSE(document.OnOpenDocument(path.c_str()));  // missing

    CompoundFile noContents;
    noContents.Root().WriteStream("Other", {1});
    noContents.SaveToFile(path);
    EXPECT_FALSE(document.OnOpenDocument(path.c_str()));

    CompoundFile shortContents;
    shortContents.Root().WriteStream("Contents", {1, 2});
    shortContents.SaveToFile(path);
    document.number = 9;
    EXPECT_FALSE(document.OnOpenDocument(path.c_str()));
    EXPECT_EQ(document.number, 0);
    EXPECT_FALSE(document.IsModified());

    document.failStoring = true;
    EXPECT_FALSE(document.OnSaveDocument(path.c_str()));
    EXPECT_EQ(CompoundFile::LoadFromFile(path).Root().FindStream("Contents")->Data().size(), 2u);
    ASSERT_EQ(prompt.shown().size(), 4u);
    EXPECT_EQ(prompt.shown()[0].text.Left(24), CString("Failed to open document."));
    EXPECT_NE(prompt.shown()[2].text.str().find(path), std::string::npos) << "names the file";
    EXPECT_EQ(prompt.shown()[3].text.Left(24), CString("Failed to save document."));
}
