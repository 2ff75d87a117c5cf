// The rectangle-family, poly and zoom tools: what a click or a drag makes, Esc, double clicks
// and refused objects.

#include <gtest/gtest.h>

#include "ToolTestView.h"
#include "drawtools/PolyTool.h"
#include "drawtools/ToolPrompts.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/symbol/Pin.h"
#include "model/text/TextBox.h"

namespace {

class ShapeToolsTest : public ToolTest, public ::testing::Test {
protected:
    CDrawObj* Last() const { return static_cast<CDrawObj*>(doc.GetObjects().GetTail()); }
};

TEST_F(ShapeToolsTest, AClickMakesTheShapeAtItsDefaultSizeAndKeepsTheTool) {
    struct Case {
        int shape;
        int type;
        CRect position;
        DWORD flags;
    };
    const Case cases[] = {
        {kToolRect, kObjRect, CRect(1000, -1000, 1300, -700), 0},
        {kToolRoundRect, kObjRoundRect, CRect(1000, -1000, 1300, -700), 0},
        {kToolEllipse, kObjEllipse, CRect(1000, -1000, 1300, -700), 0},
        {kToolArc, kObjEllipse, CRect(1000, -1000, 1300, -700), kFlagOpen},
        {kToolLine, kObjLine, CRect(1000, -1000, 1300, -700), kFlagOpen},
        {kToolArrowLine, kObjLine, CRect(1000, -1000, 1300, -700), 0x810},
        {kToolDoubleArrowLine, kObjLine, CRect(1000, -1000, 1300, -700), 0xA10},
    };
    for (const Case& c : cases) {
        ToolTest test;
        test.Choose(c.shape);
        EXPECT_EQ(test.view.prompts.back(), kPromptStartShape);
        test.Click(1000, -1000);
        ASSERT_EQ(test.doc.GetObjects().GetCount(), 1) << c.shape;
        auto* made = static_cast<CDrawObj*>(test.doc.GetObjects().GetTail());
        EXPECT_EQ(made->GetObjType(), c.type) << c.shape;
        EXPECT_EQ(made->GetPosition(), c.position) << c.shape;
        EXPECT_EQ(made->GetFlags() & c.flags, c.flags) << c.shape;
        EXPECT_EQ(test.tools.state.currentShape, c.shape);
        EXPECT_EQ(test.Steps(), 1);
        EXPECT_STREQ(test.doc.GetUndoList().GetUndoName(), "add object");
    }
}

TEST_F(ShapeToolsTest, ADragSizesTheShapeFromThePressToTheRelease) {
    Choose(kToolRect);
    Drag(CPoint(1000, -1000), CPoint(2000, -1500));
    EXPECT_EQ(NormalizedRect(Last()->GetPosition()), CRect(1000, -1500, 2000, -1000));
    EXPECT_EQ(Steps(), 1);
}

TEST_F(ShapeToolsTest, AClickedTextSaysTextAndFitsIt) {
    Choose(kToolText);
    Click(1000, -1000);
    auto* text = dynamic_cast<CTextBox*>(Last());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), CString("Text"));
    EXPECT_GT(text->GetPosition().Width(), 0);
}

TEST_F(ShapeToolsTest, EscWhileSizingTakesTheNewShapeBack) {
    Choose(kToolEllipse);
    Press(1000, -1000);
    Move(1500, -1500, kToolLeftButton);
    Escape();
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    EXPECT_EQ(Steps(), 0);
    EXPECT_TRUE(view.selection.IsEmpty());
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
}

// A schematic takes no pins: the message shows, nothing is touched of the refused pin, and the
// flat rectangle still selected keeps its size.
TEST_F(ShapeToolsTest, ARefusedPinShowsAddObjectFailed) {
    testsupport::ScriptedPrompt prompt({IDOK});
    doc.AddObject(std::make_unique<CDrawRect>(CRect(1000, -1000, 1000, -2000)));
    view.Select(Last(), false);
    Choose(kToolPin);
    Click(500, -500);
    EXPECT_EQ(doc.GetObjects().GetCount(), 1);
    EXPECT_EQ(Last()->GetPosition(), CRect(1000, -1000, 1000, -2000));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Add object failed"));
    EXPECT_EQ(tools.state.currentShape, kToolPin);
}

CDrawPoly* DrawPoly(ToolTest& test, int shape) {
    test.Choose(shape);
    test.Click(1000, -1000);
    test.Move(2000, -1000);
    test.Click(2000, -1000);
    test.Move(2000, -2000);
    test.Click(2000, -2000);
    return test.tools.FindTool(shape) == &test.Tool()
               ? static_cast<CPolyTool&>(test.Tool()).OpenPoly()
               : nullptr;
}

TEST_F(ShapeToolsTest, PolygonsEndByClosingByDoubleClickOrByEndPolygon) {
    struct Case {
        const char* name;
        int shape;
        int ending;  // 0 click on the first point, 1 double click, 2 End Polygon
        int points;
        int shapeAfter;
    };
    const Case cases[] = {{"closed", kToolPolygon, 0, 3, kToolSelect},
                          {"double click", kToolPolygon, 1, 3, kToolSelect},
                          {"end polygon", kToolPolyline, 2, 3, kToolPolyline}};
    for (const Case& c : cases) {
        ToolTest test;
        CDrawPoly* poly = DrawPoly(test, c.shape);
        ASSERT_NE(poly, nullptr) << c.name;
        EXPECT_EQ(test.view.prompts.back(), kPromptShapePoints);
        if (c.ending == 0) {
            test.Move(1000, -1000);
            test.Click(1000, -1000);
        } else if (c.ending == 1) {
            test.Tool().OnLButtonDblClk(test.view, 0, ToolTestView::At(2000, -2000));
        } else {
            test.tools.EndGesture(test.view, GestureEnd::Finish);
        }
        EXPECT_EQ(poly->GetPointCount(), c.points) << c.name;
        EXPECT_EQ(poly->GetPoint(c.points - 1), CPoint(2000, -2000)) << c.name;
        EXPECT_EQ(test.tools.state.currentShape, c.shapeAfter) << c.name;
        EXPECT_EQ(test.Steps(), 1) << c.name;
    }
}

TEST_F(ShapeToolsTest, ABezierKeepsTwoControlPointsPerAnchor) {
    CDrawPoly* curve = DrawPoly(*this, kToolBezier);
    ASSERT_NE(curve, nullptr);
    EXPECT_TRUE(curve->IsBezier());
    EXPECT_EQ(curve->GetPointCount(), 10);
    tools.EndGesture(view, GestureEnd::Finish);
    EXPECT_EQ(curve->GetPointCount(), 10);
}

TEST_F(ShapeToolsTest, TheZoomToolZoomsAtAClickAndToADraggedRectangle) {
    Choose(kToolZoom);
    Click(1000, -1000);
    Click(1000, -1000, kToolShift);
    ASSERT_EQ(view.zoomedAt.size(), 2u);
    EXPECT_EQ(view.zoomedAt[0], std::pair(CPoint(1000, -1000), true));
    EXPECT_FALSE(view.zoomedAt[1].second);
    EXPECT_EQ(tools.state.currentShape, kToolZoom);
    Drag(CPoint(1000, -1000), CPoint(3000, -2000));
    EXPECT_EQ(view.zoomedTo, CRect(1000, -2000, 3000, -1000));
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
}

}  // namespace
