// Placing pasted or library objects: they follow the mouse, turn and mirror with keys, every
// click drops a set as one step, Esc takes the carried set away; a closing view ends placing.

#include <gtest/gtest.h>

#include <vector>

#include "ToolTestView.h"
#include "drawtools/PlaceTool.h"
#include "drawtools/ToolPrompts.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/undo/UndoList.h"

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

// A part as a library holds it: the symbol, its pins pointing left to hot ends off the grid,
// and its shown "_ID" and "_Value" texts after it.
class PlacePartTest : public PlaceToolTest {
protected:
    PlacePartTest() {
        auto* symbol = new CSymbol();
        for (const CPoint hot : {CPoint(1030, -1070), CPoint(1030, -1270)}) {
            auto* pin = new CPin(symbol);
            pin->SetEnds(CPoint(hot.x + 200, hot.y), hot);
            symbol->GetPins().AddTail(pin);
        }
        symbol->SetAttr("_Value", "10k", kSetAttrForce);
        symbol->SetAttr("_ID", "R1", kSetAttrForce);
        symbol->RecalcBounds(nullptr);
        part.AddTail(symbol);
        part.AddTail(symbol->ShowAttrText("_ID", TRUE));
        part.AddTail(symbol->ShowAttrText("_Value", TRUE));
    }
    ~PlacePartTest() override {
        for (POSITION pos = part.GetHeadPosition(); pos;)
            delete part.GetNext(pos);
    }
    // Starts placing a copy of the part; the placed symbol.
    CSymbol* Place() {
        CObList copies;
        EXPECT_TRUE(doc.CopyObjects(part, copies));
        EXPECT_TRUE(tools.PlaceTool().StartPlacing(view, copies));
        for (POSITION pos = view.selection.GetHeadPosition(); pos;) {
            if (auto* symbol = dynamic_cast<CSymbol*>(view.selection.GetNext(pos)))
                return symbol;
        }
        return nullptr;
    }
    static CPoint PinEnd(CSymbol& symbol, int n) { return symbol.GetConnectionPoint(n); }

    CObList part;
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

// The sheet's drawing area is 11093 wide: a set wider than that cannot be kept on it, so it
// goes where the mouse takes it, never somewhere else.
TEST_F(PlaceToolTest, ASetWiderThanTheSheetFollowsTheMouse) {
    CObList objects;
    objects.AddTail(new CDrawRect(CRect(0, 0, 20000, -200)));
    ASSERT_TRUE(tools.PlaceTool().StartPlacing(view, objects));
    auto* wide = static_cast<CDrawObj*>(view.selection.GetTail());
    view.options = 0;  // no snapping: the mouse is the place
    Move(10000, -1000);
    EXPECT_EQ(wide->GetPosition(), CRect(0, -900, 20000, -1100));
    Move(11000, -3000);
    EXPECT_EQ(wide->GetPosition(), CRect(1000, -2900, 21000, -3100));
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

// The part is carried by its symbol, whose pins land on grid points however its texts lie.
TEST_F(PlacePartTest, APartCarriedWithItsTextsLandsWithItsPinsOnTheGrid) {
    CSymbol* symbol = Place();
    ASSERT_NE(symbol, nullptr);
    ASSERT_EQ(view.selection.GetCount(), 3);
    ASSERT_NE(dynamic_cast<CAttrText*>(view.selection.GetTail()), nullptr) << "a text is last";
    const CPoint textBefore =
        static_cast<CDrawObj*>(view.selection.GetTail())->GetPosition().TopLeft();
    const CPoint pinBefore = PinEnd(*symbol, 1);
    Move(3000, -3000);
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(PinEnd(*symbol, n).x % 100, 0) << "pin " << n;
        EXPECT_EQ(PinEnd(*symbol, n).y % 100, 0) << "pin " << n;
    }
    EXPECT_EQ(PinEnd(*symbol, 1).y - PinEnd(*symbol, 2).y, 200);
    // The symbol's middle is within half a grid step of the cursor.
    CRect box;
    symbol->GetBoundingRect(box);
    box.NormalizeRect();
    EXPECT_LE(std::abs(box.CenterPoint().x - 3000), 50);
    EXPECT_LE(std::abs(box.CenterPoint().y + 3000), 50);
    // The texts go along.
    const CSize moved = PinEnd(*symbol, 1) - pinBefore;
    EXPECT_EQ(static_cast<CDrawObj*>(view.selection.GetTail())->GetPosition().TopLeft(),
              textBefore + moved);
}

// Space turns the carried part by a quarter: its matrix holds exact zeros and ones, and four
// turns give back the document it was, byte for byte (a -0 in the matrix equals 0, but is
// stored apart from it).
TEST_F(PlacePartTest, QuarterTurnsKeepTheMatrixExact) {
    CSymbol* symbol = Place();
    ASSERT_NE(symbol, nullptr);
    Move(3000, -3000);
    const std::vector<BYTE> before = DocumentBytes(doc);
    ASSERT_TRUE(Tool().OnKeyDown(view, ToolKey::Space, 0));
    const double* turned = symbol->GetMatrix();
    EXPECT_EQ(std::vector<double>({turned[kMatA], turned[kMatB], turned[kMatC], turned[kMatD]}),
              std::vector<double>({0.0, -1.0, 1.0, 0.0}));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Tool().OnKeyDown(view, ToolKey::Space, 0));
    EXPECT_EQ(DocumentBytes(doc), before);
}

// A part dropped with a pin on the free end of a wire is linked to it in the step that
// dropped it.
TEST_F(PlacePartTest, APartDroppedWithAPinOnAWireEndIsLinkedToIt) {
    CSymbol* symbol = Place();
    ASSERT_NE(symbol, nullptr);
    Move(3000, -3000);
    const CPoint pinEnd = PinEnd(*symbol, 1);
    Escape();
    ASSERT_EQ(doc.GetObjects().GetCount(), 0);

    auto added = std::make_unique<CWire>();
    added->AddPoint(pinEnd + CSize(-1000, 0));
    added->AddPoint(pinEnd);
    CWire* wire = added.get();
    ASSERT_TRUE(doc.AddObject(std::move(added)));
    symbol = Place();
    Move(3000, -3000);
    ASSERT_EQ(PinEnd(*symbol, 1), pinEnd);
    Click(3000, -3000);
    auto* pin = static_cast<CPin*>(symbol->GetPins().GetHead());
    EXPECT_EQ(wire->GetEndObject(), pin);
    EXPECT_EQ(pin->GetWire(), wire);
    EXPECT_EQ(Steps(), 3);
    EXPECT_EQ(tools.state.currentShape, kToolPlace);

    // Undone with the drop, redone with it.
    EXPECT_EQ(doc.GetUndoList().Undo(2), 2);
    EXPECT_EQ(wire->GetEndObject(), nullptr);
    EXPECT_EQ(doc.GetUndoList().Redo(1), 1);
    EXPECT_EQ(wire->GetEndObject(), pin);
}

}  // namespace
