#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "platform/RecordingDC.h"
#include "support/RecordingDocView.h"
#include "support/ScriptedPrompt.h"

namespace {

// Nets are only compared by address here.
CNet* NetTag(int n) {
    static int tags[2];
    return reinterpret_cast<CNet*>(&tags[n]);
}

// An object of a chosen type and net that meets rectangles overlapping its position and
// counts its repaints.
class TestObj : public CDrawObj {
public:
    TestObj(int type, const CRect& position, CNet* net = nullptr)
        : CDrawObj(position), m_type(type), m_net(net) {}

    int GetObjType() const override { return m_type; }
    CNet* GetNet() const override { return m_net; }
    BOOL Intersects(const CRect& rect) override {
        CRect common;
        return common.IntersectRect(m_position, rect);
    }
    void Invalidate(IDocView*) override { ++invalidated; }
    // Writes its type as text, and its tracker state as a pixel at (state, type).
    void Draw(CDC* dc, const double*) override { dc->TextOut(0, 0, std::to_string(m_type)); }
    void DrawTracker(CDC* dc, int state, const double*) override { dc->SetPixel(state, m_type, 0); }

    int invalidated = 0;

private:
    int m_type;
    CNet* m_net;
};

class DrawDocObjectsTest : public ::testing::Test {
protected:
    TestObj* Add(int type, const CRect& position, CNet* net = nullptr) {
        TestObj* object = new TestObj(type, position, net);
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
        return object;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

TEST_F(DrawDocObjectsTest, TopmostAndOtherObjectsInARectangle) {
    TestObj* bottom = Add(kObjRect, CRect(0, 0, 100, 100));
    TestObj* top = Add(kObjText, CRect(50, 50, 150, 150));
    EXPECT_EQ(doc.ObjectInRect(CRect(60, 60, 70, 70)), top);
    EXPECT_EQ(doc.ObjectInRect(CRect(10, 10, 20, 20)), bottom);
    EXPECT_EQ(doc.ObjectInRect(CRect(500, 500, 510, 510)), nullptr);
    EXPECT_EQ(doc.FindOtherObjectInRect(CRect(60, 60, 70, 70), nullptr), bottom);
    EXPECT_EQ(doc.FindOtherObjectInRect(CRect(60, 60, 70, 70), bottom), top);
    EXPECT_EQ(doc.FindOtherObjectInRect(CRect(10, 10, 20, 20), bottom), nullptr);
}

TEST_F(DrawDocObjectsTest, SearchesByTypeMaskAndMayNest) {
    TestObj* wire = Add(kObjWire, CRect(0, 0, 100, 10));
    Add(kObjText, CRect(0, 0, 100, 10));
    TestObj* bus = Add(kObjBus, CRect(0, 0, 100, 10));
    Add(kObjWire, CRect(1000, 0, 1100, 10));
    Add(40, CRect(0, 0, 100, 10));  // no bit in any mask

    const CRect area(0, 0, 50, 50);
    CObjectSearch outer = doc.SearchObjects(ObjTypeMask(kObjWire) | ObjTypeMask(kObjBus), area);
    EXPECT_EQ(outer.Next(), wire);
    CObjectSearch inner = doc.SearchObjects(ObjTypeMask(kObjBus), area);
    EXPECT_EQ(inner.Next(), bus);
    EXPECT_EQ(inner.Next(), nullptr);
    EXPECT_EQ(outer.Next(), bus);
    EXPECT_EQ(outer.Next(), nullptr);
    EXPECT_EQ(doc.SearchObjects(0xFFFFFFFF, CRect(2000, 0, 2100, 10)).Next(), nullptr);
}

TEST_F(DrawDocObjectsTest, ClearingFlagsWithAndWithoutRepaint) {
    TestObj* a = Add(kObjRect, CRect(0, 0, 10, 10));
    TestObj* b = Add(kObjRect, CRect(0, 0, 10, 10));
    a->SetFlags(kFlagHighlight | kFlagMark, 0xFFFFFFFF);
    b->SetFlags(kFlagMark, 0xFFFFFFFF);
    doc.ClearObjectFlags(kFlagMark);
    EXPECT_EQ(a->GetFlags(), DWORD{kFlagHighlight});
    EXPECT_EQ(a->invalidated + b->invalidated, 0);
    doc.ClearFlagsAndInvalidate(kFlagHighlight);
    EXPECT_EQ(a->GetFlags(), 0u);
    EXPECT_EQ(a->invalidated, 1);
    EXPECT_EQ(b->invalidated, 0);  // nothing changed
}

TEST_F(DrawDocObjectsTest, HighlightNetMarksOnlyItsObjects) {
    CNet* net = NetTag(0);
    CNet* other = NetTag(1);
    TestObj* on = Add(kObjWire, CRect(0, 0, 10, 10), net);
    TestObj* off = Add(kObjWire, CRect(0, 0, 10, 10), other);
    off->SetFlags(kFlagDrcError, kFlagDrcError);

    doc.HighlightNet(net, kHighlightSet | kErrorMarkSet);
    EXPECT_EQ(on->GetFlags() & 0x60, 0x60u);
    EXPECT_EQ(on->invalidated, 1);
    doc.HighlightNet(net, kHighlightSet);  // no change, no repaint
    EXPECT_EQ(on->invalidated, 1);
    doc.HighlightNet(net, kErrorMarkClear);
    EXPECT_EQ(on->GetFlags() & 0x60, DWORD{kFlagHighlight});
    EXPECT_EQ(off->GetFlags() & 0x60, DWORD{kFlagDrcError});

    doc.HighlightNet(other, kHighlightClearAllFirst | kHighlightSet);
    EXPECT_EQ(on->GetFlags() & 0x60, 0u);
    EXPECT_EQ(off->GetFlags() & 0x60, DWORD{kFlagHighlight});
}

// Records what the document asks the application to show.
class ShowingServices : public testsupport::RecordingAppServices {
public:
    void ShowDocumentObjects(void* document, unsigned long flagMask) override {
        shown.push_back({document, flagMask});
    }
    std::vector<std::pair<void*, unsigned long>> shown;
};

TEST(DrawDocShow, ShowObjectHighlightsOnlyThatObject) {
    ShowingServices services;
    CDrawDoc doc;
    TestObj* a = new TestObj(kObjRect, CRect(0, 0, 10, 10));
    TestObj* b = new TestObj(kObjRect, CRect(0, 0, 10, 10));
    doc.GetObjects().AddTail(a);
    doc.GetObjects().AddTail(b);
    a->SetFlags(kFlagHighlight | kFlagDrcError, 0x60);
    doc.ShowObject(b);
    EXPECT_EQ(a->GetFlags() & 0x60, 0u);
    EXPECT_EQ(b->GetFlags() & 0x60, DWORD{kFlagHighlight});
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].first, &doc);
    EXPECT_EQ(services.shown[0].second, DWORD{kFlagHighlight});

    doc.HighlightNet(NetTag(0), kErrorMarkSet | kHighlightShow);
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[1].second, DWORD{kFlagDrcError});
}

TEST_F(DrawDocObjectsTest, DrawPaintsObjectsThenTrackersInTheTextFont) {
    TestObj* a = Add(kObjRect, CRect(0, 0, 10, 10));
    Add(kObjText, CRect(0, 0, 10, 10));
    TestObj* c = Add(kObjLine, CRect(0, 0, 10, 10));
    drawdoctest::RecordingDocView view;
    view.selection.AddTail(c);
    view.selection.AddTail(a);

    CRecordingDC dc;
    doc.Draw(&dc, &view);
    const std::vector<std::string> expected = {
        "TextOut 0,0 \"4\" font=Arial/111/0 color=0x000000 bk=transparent align=left,top",
        "TextOut 0,0 \"8\" font=Arial/111/0 color=0x000000 bk=transparent align=left,top",
        "TextOut 0,0 \"7\" font=Arial/111/0 color=0x000000 bk=transparent align=left,top",
        "SetPixel 1,7 color=0x000000", "SetPixel 3,4 color=0x000000"};
    EXPECT_EQ(dc.Lines(), expected);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_NE(dc.GetCurrentFont()->Log().lfHeight, 111);
    EXPECT_EQ(doc.m_textFont.lfHeight, -80);

    // The previous font is selected again.
    CFont before;
    LOGFONT small{.lfHeight = 10};
    before.CreateFontIndirect(&small);
    CRecordingDC second;
    second.SelectObject(&before);
    view.showTrackers = false;
    doc.Draw(&second, &view);
    EXPECT_EQ(second.Lines().size(), 3u);
    EXPECT_EQ(second.GetCurrentFont()->Log().lfHeight, 10);
}

TEST_F(DrawDocObjectsTest, PrintingDrawsNoTrackers) {
    TestObj* a = Add(kObjRect, CRect(0, 0, 10, 10));
    drawdoctest::RecordingDocView view;
    view.selection.AddTail(a);
    CRecordingDC::Device printer;
    printer.printing = true;
    CRecordingDC dc(printer);
    doc.Draw(&dc, &view);
    ASSERT_EQ(dc.Lines().size(), 1u);
    CRecordingDC screen;
    doc.Draw(&screen, nullptr);
    EXPECT_EQ(screen.Lines().size(), 1u);
}

TEST_F(DrawDocObjectsTest, SchematicRefusesPins) {
    TestObj pin(kObjPin, CRect());
    TestObj wire(kObjWire, CRect());
    EXPECT_FALSE(doc.IsObjectAllowed(&pin));
    EXPECT_TRUE(doc.IsObjectAllowed(&wire));
    EXPECT_FALSE(doc.IsObjectAllowed(nullptr));
}

}  // namespace
