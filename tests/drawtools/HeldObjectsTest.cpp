// What the tools keep of the document between events: an open wire, polygon or wire drag, a
// shape being sized and a pending move hold their objects, and nothing is held once the
// gesture ended.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ToolTestView.h"
#include "drawtools/WireDragTool.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"

namespace {

class HeldObjectsTest : public ToolTest, public ::testing::Test {
protected:
    bool Holds(const CDrawObj* object) const {
        const std::vector<const CDrawObj*> held = tools.HeldObjects();
        return std::find(held.begin(), held.end(), object) != held.end();
    }
    const CDrawObj* Last() const {
        return static_cast<const CDrawObj*>(doc.GetObjects().GetTail());
    }
};

TEST_F(HeldObjectsTest, OpenWiresAndPolygonsAreHeldUntilTheyEnd) {
    for (const int shape : {kToolWire, kToolBus, kToolPolygon, kToolBezier}) {
        Choose(shape);
        Click(1000, -1000);
        Move(2000, -1000);
        EXPECT_TRUE(Holds(Last())) << shape;
        Escape();
        EXPECT_TRUE(tools.HeldObjects().empty()) << shape;
    }
}

// From the press to the release, or to an end that comes first, a new shape is being sized.
TEST_F(HeldObjectsTest, AShapeIsHeldWhileItIsSized) {
    for (const int shape : {kToolLine, kToolArrowLine, kToolRect, kToolRoundRect, kToolEllipse,
                            kToolArc, kToolText}) {
        for (const bool released : {true, false}) {
            Choose(shape);
            Press(1000, -1000);
            Move(2000, -1500, kToolLeftButton);
            EXPECT_TRUE(Holds(Last())) << shape;
            if (released)
                Release(2000, -1500);
            else
                tools.EndGesture(view);
            EXPECT_TRUE(tools.HeldObjects().empty()) << shape << (released ? " released" : "");
        }
    }
}

// The picked-up wire, out of the document, and the copy dragged in its place.
TEST_F(HeldObjectsTest, AWireDragHoldsThePickedUpWireAndItsCopy) {
    Choose(kToolWire);
    Click(1000, -1000);
    Move(2000, -1000);
    DoubleClick(2000, -1000);
    const CDrawObj* drawn = Last();
    Choose(kToolWire);
    Click(2000, -1000);
    ASSERT_EQ(tools.state.currentShape, kToolWireDrag);
    EXPECT_TRUE(Holds(drawn));
    EXPECT_TRUE(Holds(Last()));
    Escape();
    EXPECT_TRUE(tools.HeldObjects().empty());
}

TEST_F(HeldObjectsTest, AMoveUnderWayHoldsTheMovedObjects) {
    auto* box = new CDrawRect(CRect(1000, -1000, 2000, -2000));
    box->SetDocument(&doc);
    doc.GetObjects().AddTail(box);
    Press(1000, -1500);
    Move(2000, -2500, kToolLeftButton);
    EXPECT_TRUE(Holds(box));
    Release(2000, -2500);
    EXPECT_TRUE(tools.HeldObjects().empty());
}

}  // namespace
