#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DocView.h"
#include "model/DocumentBase.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/ObList.h"
#include "platform/UserPrompt.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

class CountingView : public IDocView {
public:
    explicit CountingView(CDocumentBase* leaveOnUpdate = nullptr) : m_leave(leaveOnUpdate) {}
    void OnUpdate(IDocView*, int hint, CObject* object, CObList* list) override {
        hints.push_back(hint);
        sawList = list != nullptr;
        sawObject = object != nullptr;
        if (m_leave)
            m_leave->RemoveView(this);
    }
    void SetPageSize(const SIZE&) override {}
    CPoint DocToClient(const CPoint& p) const override { return p; }
    CPoint ClientToDoc(const CPoint& p) const override { return p; }
    void InvalidateClientRect(const CRect&) override {}
    const CObList& GetSelection() const override { return m_selection; }
    bool ShowsTrackers() const override { return false; }
    void ShowFlaggedObjects(unsigned long) override {}
    void EditObjectProperties(CObList&, DWORD) override {}

    std::vector<int> hints;
    bool sawList = false;
    bool sawObject = false;

private:
    CDocumentBase* m_leave;
    CObList m_selection;
};

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
    void DeleteContents() override {
        number = 0;
        ++cleared;
    }

    int number = 0;
    int cleared = 0;
    bool failStoring = false;
    bool sawExtra = false;
};

class RecordingPrompt : public IUserPrompt {
public:
    RecordingPrompt() : m_previous(SetUserPrompt(this)) {}
    ~RecordingPrompt() override { SetUserPrompt(m_previous); }
    int MessageBox(const CString& text, const CString&, UINT) override {
        messages.push_back(text);
        return IDOK;
    }
    std::vector<CString> messages;

private:
    IUserPrompt* m_previous;
};

}  // namespace

TEST(DocumentBase, UpdatesEveryViewButTheSender) {
    CDocumentBase document;
    CountingView a, b(&document);
    document.AddView(&a);
    document.AddView(&b);
    document.AddView(&a);
    EXPECT_EQ(document.GetViews().size(), 2u);
    document.UpdateAllViews(&a, kHintUnits);
    EXPECT_TRUE(a.hints.empty());
    EXPECT_EQ(b.hints, std::vector<int>{kHintUnits});
    // b left the document while it was told.
    CObList list;
    document.UpdateAllViews(nullptr, kHintSelection, &list);
    EXPECT_EQ(a.hints, std::vector<int>{kHintSelection});
    EXPECT_TRUE(a.sawList);
    EXPECT_FALSE(a.sawObject);
    EXPECT_EQ(b.hints.size(), 1u);
}

TEST(DocumentBase, PathTitleAndModifiedFlag) {
    testsupport::RecordingAppServices services;
    CDocumentBase document;
    document.SetPathName("/home/me/boards/amp.sch");
    EXPECT_EQ(document.GetTitle(), CString("amp.sch"));
    EXPECT_EQ(document.GetPathName(), CString("/home/me/boards/amp.sch"));
    document.SetPathName("/home/me/boards/quiet.sch", FALSE);
    EXPECT_EQ(services.recentFiles(), std::vector<std::string>{"/home/me/boards/amp.sch"});
    document.SetModifiedFlag();
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.GetPathName().IsEmpty());
}

TEST(DocumentBase, SavesAndOpensTheContentsStream) {
    testsupport::TempDir dir;
    const std::string path = (dir / "one.sch").string();
    NumberDocument saved;
    saved.number = 0x2A51;
    saved.SetModifiedFlag();
    ASSERT_TRUE(saved.OnSaveDocument(path.c_str()));
    EXPECT_FALSE(saved.IsModified());
    EXPECT_EQ(saved.GetRootStorage(), nullptr);
    const CompoundFile file = CompoundFile::LoadFromFile(path);
    ASSERT_NE(file.Root().FindStream("Contents"), nullptr);
    EXPECT_EQ(file.Root().FindStream("Contents")->Data(),
              (std::vector<std::uint8_t>{0x51, 0x2A, 0, 0}));

    NumberDocument opened;
    ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
    EXPECT_EQ(opened.number, 0x2A51);
    EXPECT_TRUE(opened.sawExtra);
    EXPECT_FALSE(opened.IsModified());
}

TEST(DocumentBase, FailedOpenAndSaveAreReported) {
    RecordingPrompt prompt;
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
    ASSERT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(prompt.messages[0].Left(24), CString("Failed to open document."));
    EXPECT_EQ(prompt.messages[3].Left(24), CString("Failed to save document."));
}
