#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/support/RecordingDocView.h"
#include "platform/RecordingDC.h"
#include "support/ScriptedPrompt.h"

namespace {

// Nets are only compared by address here.
CNet* NetTag(int n) {
    static int tags[2];
    return reinterpret_cast<CNet*>(&tags[n]);
}

// An object of a chosen type and net that meets rectangles overlapping its position, counts
// its repaints, draws its type as text and its tracker state as a pixel at (state, type).
class TestObj : public CDrawObj {
public:
    TestObj(int type, CNet* net = nullptr, int x = 0)
        : CDrawObj(CRect(x, 0, x + 10, 10)), m_type(type), m_net(net) {}

    int GetObjType() const override { return m_type; }
    CNet* GetNet() const override { return m_net; }
    BOOL Intersects(const CRect& rect) override {
        CRect common;
        return common.IntersectRect(m_position, rect);
    }
    void Invalidate(IDocView*) override { ++invalidated; }
    void Draw(CDC* dc, const double*) override { dc->TextOut(0, 0, std::to_string(m_type)); }
    void DrawTracker(CDC* dc, int state, const double*) override { dc->SetPixel(state, m_type, 0); }

    int invalidated = 0;

private:
    int m_type;
    CNet* m_net;
};

// Records what the document asks the application to show.
class ShowingServices : public testsupport::RecordingAppServices {
public:
    void ShowDocumentObjects(void* document, unsigned long flagMask) override {
        EXPECT_NE(document, nullptr);
        shown.push_back(flagMask);
    }
    std::vector<unsigned long> shown;
};

class DrawDocObjectsTest : public ::testing::Test {
protected:
    TestObj* Add(int type, CNet* net = nullptr, int x = 0) {
        TestObj* object = new TestObj(type, net, x);
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
        return object;
    }

    ShowingServices services;
    CDrawDoc doc;
};

TEST_F(DrawDocObjectsTest, LookUpsByRectangleAndTypeMask) {
    TestObj* wire = Add(kObjWire);
    TestObj* text = Add(kObjText);
    TestObj* bus = Add(kObjBus);
    Add(kObjWire, nullptr, 1000);
    Add(40);  // no bit in any mask
    const CRect area(5, 5, 6, 6);
    EXPECT_EQ(doc.ObjectInRect(area), static_cast<CDrawObj*>(doc.GetObjects().GetTail()));
    EXPECT_EQ(doc.FindOtherObjectInRect(area, wire), text);

    CObjectSearch outer = doc.SearchObjects(ObjTypeMask(kObjWire) | ObjTypeMask(kObjBus), area);
    EXPECT_EQ(outer.Next(), wire);
    CObjectSearch inner = doc.SearchObjects(ObjTypeMask(kObjBus), area);  // searches nest
    EXPECT_EQ(inner.Next(), bus);
    EXPECT_EQ(inner.Next(), nullptr);
    EXPECT_EQ(outer.Next(), bus);
    EXPECT_EQ(outer.Next(), nullptr);
    EXPECT_EQ(ObjTypeMask(kObjWire) | ObjTypeMask(kObjBus), 0x804u);
    EXPECT_EQ(doc.SearchObjects(0, area).Next(), nullptr);

    TestObj pin(kObjPin);
    EXPECT_FALSE(doc.IsObjectAllowed(&pin));
    EXPECT_TRUE(doc.IsObjectAllowed(wire));
}

TEST_F(DrawDocObjectsTest, HighlightNetMarksOnlyItsObjects) {
    TestObj* on = Add(kObjWire, NetTag(0));
    TestObj* off = Add(kObjWire, NetTag(1));
    off->SetFlags(kFlagDrcError, kFlagDrcError);
    doc.HighlightNet(NetTag(0), kHighlightSet | kErrorMarkSet);
    EXPECT_EQ(on->GetFlags() & 0x60, 0x60u);
    doc.HighlightNet(NetTag(0), kHighlightSet);  // no change, no repaint
    EXPECT_EQ(on->invalidated, 1);
    doc.HighlightNet(NetTag(0), kErrorMarkClear);
    EXPECT_EQ(on->GetFlags() & 0x60, DWORD{kFlagHighlight});
    EXPECT_EQ(off->GetFlags() & 0x60, DWORD{kFlagDrcError});

    doc.HighlightNet(NetTag(1), kHighlightClearAllFirst | kHighlightSet | kHighlightShow);
    EXPECT_EQ(on->GetFlags() & 0x60, 0u);
    EXPECT_EQ(off->GetFlags() & 0x60, DWORD{kFlagHighlight});
    doc.ShowObject(on);
    EXPECT_EQ(on->GetFlags() & 0x60, DWORD{kFlagHighlight});
    EXPECT_EQ(off->GetFlags() & 0x60, 0u);
    EXPECT_EQ(services.shown, (std::vector<unsigned long>{kFlagHighlight, kFlagHighlight}));

    on->SetFlags(kFlagMark, kFlagMark);
    int repaints = on->invalidated;
    doc.ClearObjectFlags(kFlagMark);
    EXPECT_EQ(on->GetFlags() & kFlagMark, 0u);
    EXPECT_EQ(on->invalidated, repaints);
}

TEST_F(DrawDocObjectsTest, DrawPaintsObjectsThenTrackersInTheTextFont) {
    TestObj* a = Add(kObjRect);
    Add(kObjText);
    TestObj* c = Add(kObjLine);
    drawdoctest::RecordingDocView view;
    view.selection.AddTail(c);
    view.selection.AddTail(a);

    CRecordingDC dc;
    doc.Draw(&dc, &view);
    const std::string text = " font=Arial/111/0 color=0x000000 bk=transparent align=left,top";
    const std::vector<std::string> expected = {
        "TextOut 0,0 \"4\"" + text, "TextOut 0,0 \"8\"" + text, "TextOut 0,0 \"7\"" + text,
        "SetPixel 1,7 color=0x000000", "SetPixel 3,4 color=0x000000"};
    EXPECT_EQ(dc.Lines(), expected);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_NE(dc.GetCurrentFont()->Log().lfHeight, 111);

    CRecordingDC::Device printer;
    printer.printing = true;
    CRecordingDC printing(printer);
    doc.Draw(&printing, &view);
    EXPECT_EQ(printing.Lines().size(), 3u);  // no trackers on paper
}

}  // namespace
