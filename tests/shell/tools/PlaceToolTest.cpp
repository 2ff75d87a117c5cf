// Placing pasted or library objects: they follow the mouse, turn and mirror with keys, every
// click drops a set as one step, Esc takes the carried set away; a closing view ends placing.

#include <gtest/gtest.h>

#include "ToolTestView.h"
#include "model/shapes/DrawRect.h"
#include "shell/tools/PlaceTool.h"
#include "shell/tools/ToolPrompts.h"

namespace {

class PlaceToolTest : public ToolTest, public ::testing::Test {
protected:
    // Starts placing a box 400 wide and 200 high.
    CDrawObj* PlaceBox() {
        CObList objects;
        objects.AddTail(new CDrawRect(CRect(0, 0, 400, -200)));
        EXPECT_TRUE(tools.PlaceTool().StartPlacing(view, objects));
        EXPECT_TRUE(objects.IsEmpty());
        return static_cast<CDrawObj*>(view.selection.GetTail());
    }
    CRect Bounds() const { return view.GetSelectionBounds(); }
};

TEST_F(PlaceToolTest, TheCarriedSetFollowsTheMouseOnTheGrid) {
    CDrawObj* box = PlaceBox();
    EXPECT_EQ(tools.state.currentShape, kToolPlace);
    EXPECT_EQ(view.prompts.back(), kPromptPlace);
    EXPECT_EQ(Steps(), 1);
    Move(2010, -1990);
    // The centre lands near the cursor, the corners on grid points.
    EXPECT_EQ(box->GetPosition(), CRect(1800, -1900, 2200, -2100));
    Move(50000, -50000);
    EXPECT_LE(Bounds().right, 11093);
    EXPECT_GE(Bounds().bottom, -7668);
}

TEST_F(PlaceToolTest, KeysTurnAndMirrorTheCarriedSetAboutItsCentre) {
    PlaceBox();
    Move(2000, -2000);
    const CRect before = Bounds();
    EXPECT_TRUE(Tool().OnKeyDown(view, ToolKey::Space, 0));
    EXPECT_EQ(Bounds().Width(), before.Height());
    EXPECT_EQ(Bounds().CenterPoint(), before.CenterPoint());
    EXPECT_TRUE(Tool().OnKeyDown(view, ToolKey::Space, kToolControl));
    EXPECT_EQ(Bounds(), before);
    EXPECT_TRUE(Tool().OnKeyDown(view, ToolKey::X, 0));
    EXPECT_EQ(Bounds(), before);
    EXPECT_TRUE(Tool().OnKeyDown(view, ToolKey::Other, 0));
}

TEST_F(PlaceToolTest, EachClickDropsOneSetAndEscTakesTheCarriedOneAway) {
    PlaceBox();
    Move(2000, -2000);
    Click(2000, -2000);
    Move(4000, -2000);
    Click(4000, -2000);
    EXPECT_EQ(Steps(), 3);
    EXPECT_EQ(doc.GetObjects().GetCount(), 3);
    EXPECT_EQ(tools.state.currentShape, kToolPlace);
    Escape();
    EXPECT_EQ(Steps(), 2);
    EXPECT_EQ(doc.GetObjects().GetCount(), 2);
    EXPECT_TRUE(view.selection.IsEmpty());
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
}

TEST_F(PlaceToolTest, CtrlClickDropsTheSetAndEndsPlacing) {
    PlaceBox();
    Move(2000, -2000);
    Click(2000, -2000, kToolControl);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    EXPECT_FALSE(tools.PlaceTool().IsPlacingIn(view));
}

// A view that closes while objects are carried in it leaves no tool holding it.
TEST_F(PlaceToolTest, AClosingViewEndsPlacing) {
    {
        ToolTestView other(doc);
        CObList objects;
        objects.AddTail(new CDrawRect(CRect(0, 0, 400, -200)));
        ASSERT_TRUE(tools.PlaceTool().StartPlacing(other, objects));
        tools.ViewClosing(other);
    }
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    Click(2000, -2000);
    EXPECT_EQ(Steps(), 0);
}

}  // namespace
