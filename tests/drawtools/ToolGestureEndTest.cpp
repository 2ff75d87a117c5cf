// How an open gesture ends when something else comes first: objects drawn click by click are
// finished (or taken back when nothing was drawn beyond the first click), everything else is
// cancelled; a closing view cancels; objects taken out behind a tool's back are let go.

#include <gtest/gtest.h>

#include "ToolTestView.h"
#include "drawtools/PolyTool.h"
#include "drawtools/WireTool.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawPoly.h"

namespace {

class ToolGestureEnd : public ToolTest, public ::testing::Test {
protected:
    CDrawObj* Last() const { return static_cast<CDrawObj*>(doc.GetObjects().GetTail()); }
    bool AnyOpen() const {
        for (int shape : {kToolPolygon, kToolBezier, kToolPolyline, kToolWire, kToolBus}) {
            if (tools.FindTool(shape)->HasOpenObject())
                return true;
        }
        return false;
    }
    // Clicks at a, then at b, and leaves the mouse at c.
    void TwoClicks(int shape, CPoint a, CPoint b, CPoint c) {
        Choose(shape);
        Click(a.x, a.y);
        Move(b.x, b.y);
        Click(b.x, b.y);
        Move(c.x, c.y);
    }
};

TEST_F(ToolGestureEnd, AnotherToolFinishesWiresAndPolysAsDrawnUpToTheMouse) {
    TwoClicks(kToolWire, CPoint(1000, -1000), CPoint(2000, -1000), CPoint(2000, -1500));
    Choose(kToolRect);
    EXPECT_FALSE(AnyOpen());
    auto* wire = dynamic_cast<CWire*>(Last());
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetPoint(0), CPoint(1000, -1000));
    EXPECT_EQ(wire->GetPoint(wire->GetPointCount() - 1), CPoint(2000, -1500));
    EXPECT_EQ(Steps(), 1);

    for (int shape : {kToolPolygon, kToolPolyline}) {
        TwoClicks(shape, CPoint(3000, -1000), CPoint(4000, -1000), CPoint(4000, -2000));
        Choose(kToolSelect);
        auto* poly = dynamic_cast<CDrawPoly*>(Last());
        ASSERT_NE(poly, nullptr);
        ASSERT_EQ(poly->GetPointCount(), 3) << shape;
        EXPECT_EQ(poly->GetPoint(2), CPoint(4000, -2000)) << shape;
    }
    EXPECT_FALSE(AnyOpen());
    EXPECT_EQ(Steps(), 3);
}

// A first click alone draws nothing: the point following the mouse would be kept one unit off
// the grid.
TEST_F(ToolGestureEnd, AnotherToolTakesBackWhatHasOnlyItsFirstClick) {
    const auto before = DocumentBytes(doc);
    for (int shape : {kToolWire, kToolBus, kToolPolygon, kToolBezier, kToolPolyline}) {
        Choose(shape);
        Click(1000, -1000);
        Choose(kToolSelect);
        EXPECT_EQ(DocumentBytes(doc), before) << shape;
        EXPECT_EQ(Steps(), 0) << shape;
    }
    EXPECT_FALSE(AnyOpen());
}

TEST_F(ToolGestureEnd, AClosingViewTakesTheOpenWireBack) {
    TwoClicks(kToolWire, CPoint(1000, -1000), CPoint(2000, -1000), CPoint(2000, -1500));
    tools.ViewClosing(view);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(AnyOpen());
}

// Turning to another view ends the gesture open here, unless a text edited in place here was
// refused and the user goes on editing it: then nothing acts in the other view.
TEST_F(ToolGestureEnd, AnotherViewWaitsWhileATextEditedInPlaceGoesOn) {
    ToolTestView other(doc);
    ASSERT_TRUE(tools.Engage(view));
    TwoClicks(kToolWire, CPoint(1000, -1000), CPoint(2000, -1000), CPoint(2000, -1500));
    const auto drawing = DocumentBytes(doc);
    view.textEditGoesOn = true;
    EXPECT_FALSE(tools.Engage(other));
    EXPECT_TRUE(AnyOpen());
    EXPECT_TRUE(tools.IsEngaged(view));
    EXPECT_FALSE(tools.IsEngaged(other));
    EXPECT_EQ(DocumentBytes(doc), drawing);

    view.textEditGoesOn = false;
    EXPECT_TRUE(tools.Engage(other));
    EXPECT_FALSE(AnyOpen());
    EXPECT_TRUE(tools.IsEngaged(other));
}

// Objects taken out by a step the tool did not end its gesture for: the tool lets go of them,
// the next mouse events start afresh, and Esc takes back nothing that is not the tool's.
TEST_F(ToolGestureEnd, ToolsLetGoOfTheirObjectsTakenOutBehindTheirBack) {
    for (int shape : {kToolWire, kToolPolygon}) {
        TwoClicks(shape, CPoint(1000, -1000), CPoint(2000, -1000), CPoint(2000, -1500));
        CObList open;
        open.AddTail(Last());
        doc.RemoveObjects(&open);
        EXPECT_FALSE(AnyOpen()) << shape;
        const int steps = Steps();
        Move(3000, -3000);
        Escape();
        EXPECT_EQ(Steps(), steps) << shape;
        EXPECT_EQ(doc.GetObjects().GetCount(), 0) << shape;
    }
    Choose(kToolRect);
    Press(1000, -1000);
    Move(1500, -1500, kToolLeftButton);
    CObList sized;
    sized.AddTail(Last());
    doc.RemoveObjects(&sized);
    Escape();
    Release(1500, -1500);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    EXPECT_TRUE(doc.GetUndoList().CanUndo()) << "the removal stays recorded";
}

}  // namespace
