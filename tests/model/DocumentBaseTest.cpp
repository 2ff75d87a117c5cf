#include <gtest/gtest.h>

#include <vector>

#include "model/DocView.h"
#include "model/DocumentBase.h"
#include "platform/ObList.h"

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
    CDocumentBase document;
    document.SetPathName("/home/me/boards/amp.sch");
    EXPECT_EQ(document.GetTitle(), CString("amp.sch"));
    EXPECT_EQ(document.GetPathName(), CString("/home/me/boards/amp.sch"));
    document.SetModifiedFlag();
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.GetPathName().IsEmpty());
}
