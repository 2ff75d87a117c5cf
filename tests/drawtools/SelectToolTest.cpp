// The select tool's gestures against a real document: clicks, drags under and over the
// threshold, Ctrl-copies, handle drags, the rubber band, Esc and the sheet's edges.

#include <gtest/gtest.h>

#include <algorithm>

#include "ToolTestView.h"
#include "drawtools/PlaceTool.h"
#include "drawtools/SelectTool.h"
#include "drawtools/ToolPrompts.h"
#include "drawtools/WireDragTool.h"
#include "library/LibraryBarServices.h"
#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "model/net/ConnectorSymbols.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "resources/CommandIds.h"
#include "support/PowerRails.h"
#include "support/StandardItems.h"
#include "support/TestSupport.h"

namespace {

class SelectToolTest : public ToolTest, public ::testing::Test {
protected:
    CDrawRect* AddBox(CRect rect) {
        auto box = std::make_unique<CDrawRect>(rect);
        CDrawRect* added = box.get();
        EXPECT_TRUE(doc.AddObject(std::move(box)));
        view.Select(nullptr, false);
        return added;
    }
    int Objects() const { return doc.GetObjects().GetCount(); }
};

// Gates of the standard library's 7400, placed as from the library: each symbol comes with its
// shown identifier after it.
class SelectGateTest : public SelectToolTest {
protected:
    CSymbol* PlaceGate(CPoint centre) {
        CLibraryItemData item;
        CObList copies;
        if (!testsupport::ReadStandardItem(doc, "logic.rlb", "7400", item) ||
            !doc.CopyObjects(item.m_objects, copies) ||
            !tools.PlaceTool().StartPlacing(view, copies))
            return nullptr;
        Move(centre.x, centre.y);
        Click(centre.x, centre.y);
        Escape();
        view.Select(nullptr, false);
        CSymbol* placed = nullptr;
        for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
            if (auto* symbol = dynamic_cast<CSymbol*>(doc.GetObjects().GetNext(pos)))
                placed = symbol;
        }
        return placed;
    }
    CSymbol* LastSymbol() const {
        for (POSITION pos = view.selection.GetHeadPosition(); pos;) {
            if (auto* symbol = dynamic_cast<CSymbol*>(view.selection.GetNext(pos)))
                return symbol;
        }
        return nullptr;
    }
};

// A gate dragged by its body until its input A lies a few units beside the other gate's output
// Y lands with A on Y, copied with Ctrl as moved without it: the copy carries its identifier
// after it, whose corners lie off the grid, and snaps by its pins all the same.
TEST_F(SelectGateTest, ACopyDraggedOntoAPinSnapsAsAMoveDoes) {
    CSymbol* u1a = PlaceGate(CPoint(2000, -2000));
    CSymbol* u1b = PlaceGate(CPoint(2000, -3000));
    ASSERT_NE(u1a, nullptr);
    ASSERT_NE(u1b, u1a);
    ASSERT_NE(u1b->FindAttrText("_ID"), nullptr);
    u1b->FindAttrText("_ID")->OffsetBy(CSize(33, 17));
    const CPoint output = u1a->FindPin("Y")->GetConnectPoint();
    const CPoint input = u1b->FindPin("A")->GetConnectPoint();
    // The left edge of the gate's body, half way between its inputs.
    const CPoint body = input + CSize(100, -100);
    const CPoint drop = body + (output - input) + CSize(7, -4);
    for (const UINT flags : {UINT(kToolControl), 0u}) {
        SCOPED_TRACE(flags ? "copied" : "moved");
        Drag(body, drop, flags);
        CSymbol* dragged = LastSymbol();
        ASSERT_NE(dragged, nullptr);
        EXPECT_EQ(dragged != u1b, flags != 0);
        EXPECT_EQ(dragged->FindPin("A")->GetConnectPoint(), output);
        EXPECT_EQ(u1b->FindPin("A")->GetConnectPoint(), flags ? input : output);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        view.Select(nullptr, false);
    }
}

TEST_F(SelectToolTest, ADragRecordsAMoveOnlyFromElevenPixelsOn) {
    struct Case {
        LONG dx;
        int steps;
        LONG left;
    };
    for (const Case c : {Case{10, 1, 1000}, Case{11, 2, 1011}}) {
        ToolTest test;
        auto box = std::make_unique<CDrawRect>(CRect(1000, -1000, 1400, -1400));
        CDrawRect* added = box.get();
        test.doc.AddObject(std::move(box));
        test.view.Select(nullptr, false);
        test.view.options = 0;  // no snapping: every pixel counts
        test.Drag(CPoint(1100, -1000), CPoint(1100 + c.dx, -1000));
        EXPECT_EQ(test.Steps(), c.steps) << c.dx;
        EXPECT_EQ(added->GetPosition().left, c.left) << c.dx;
        EXPECT_EQ(test.tools.state.selectMode, kSelectNone);
        EXPECT_FALSE(test.view.capture);
    }
}

TEST_F(SelectToolTest, AMoveIsOneUndoStepNamedMove) {
    CDrawRect* box = AddBox(CRect(1000, -1000, 1400, -1400));
    const std::vector<BYTE> before = DocumentBytes(doc);
    Drag(CPoint(1100, -1000), CPoint(1400, -1500));
    ASSERT_EQ(Steps(), 2);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "move");
    EXPECT_EQ(box->GetPosition(), CRect(1300, -1500, 1700, -1900));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(doc), before);
}

TEST_F(SelectToolTest, ACtrlDragMovesCopiesAndLeavesTheOriginalsInOneStep) {
    CDrawRect* box = AddBox(CRect(1000, -1000, 1400, -1400));
    const std::vector<BYTE> before = DocumentBytes(doc);
    Drag(CPoint(1100, -1000), CPoint(2100, -1000), kToolControl);
    ASSERT_EQ(Objects(), 2);
    EXPECT_EQ(Steps(), 2);
    EXPECT_EQ(box->GetPosition(), CRect(1000, -1000, 1400, -1400));
    auto* copy = static_cast<CDrawObj*>(doc.GetObjects().GetTail());
    EXPECT_EQ(copy->GetPosition(), CRect(2000, -1000, 2400, -1400));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(doc), before);
    EXPECT_EQ(Objects(), 1);
}

// Esc in the middle of any drag, and a Ctrl-drag that comes back to where it began, leave the
// document as it was: no copies stay stacked on the originals.
TEST_F(SelectToolTest, AnAbandonedDragLeavesTheDocumentByteIdentical) {
    struct Case {
        const char* name;
        UINT flags;
        CPoint press;
        bool backToStart;
    };
    const Case cases[] = {{"move", 0, CPoint(1100, -1000), false},
                          {"copy", kToolControl, CPoint(1100, -1000), false},
                          {"copy returned", kToolControl, CPoint(1100, -1000), true},
                          {"resize", 0, CPoint(1400, -1400), false}};
    for (const Case& c : cases) {
        ToolTest test;
        auto box = std::make_unique<CDrawRect>(CRect(1000, -1000, 1400, -1400));
        CDrawRect* added = box.get();
        test.doc.AddObject(std::move(box));
        test.view.Select(added, false);
        const std::vector<BYTE> before = DocumentBytes(test.doc);
        test.Press(c.press.x, c.press.y, c.flags);
        test.Move(c.press.x + 500, c.press.y - 300, c.flags | kToolLeftButton);
        ASSERT_TRUE(test.tools.SelectTool().IsDragging()) << c.name;
        if (c.backToStart) {
            // A pixel beside the press: the box snaps back to where it was.
            test.Move(c.press.x + 1, c.press.y, c.flags | kToolLeftButton);
            test.Release(c.press.x + 1, c.press.y, c.flags);
        } else {
            test.Escape();
        }
        EXPECT_EQ(DocumentBytes(test.doc), before) << c.name;
        EXPECT_EQ(test.Steps(), 1) << c.name;
        EXPECT_EQ(test.doc.GetObjects().GetCount(), 1) << c.name;
        EXPECT_FALSE(test.tools.SelectTool().IsDragging()) << c.name;
    }
}

TEST_F(SelectToolTest, AMovedSelectionStaysInsideTheDrawingArea) {
    CDrawRect* box = AddBox(CRect(1000, -1000, 1400, -1400));
    // The bounds reach half a pen beyond the position.
    Drag(CPoint(1100, -1000), CPoint(20000, -20000));
    EXPECT_LE(box->GetPosition().right, 11093);
    EXPECT_GT(box->GetPosition().right, 11000);
    EXPECT_GE(box->GetPosition().bottom, -7668);
    EXPECT_LT(box->GetPosition().bottom, -7600);
    const CRect moved = box->GetPosition();
    Drag(CPoint(moved.left + 100, moved.top), CPoint(-5000, 5000));
    EXPECT_GE(box->GetPosition().left, 0);
    EXPECT_LT(box->GetPosition().left, 100);
    EXPECT_LE(box->GetPosition().top, 0);
    EXPECT_GT(box->GetPosition().top, -100);
}

// The sheet's drawing area is 11093 x 7668. A selection it cannot hold is not moved at all,
// and the user is told; one that can be held but lies partly off the sheet moves by the drag
// wherever the drag does not take it further off.
TEST_F(SelectToolTest, AMoveGoesByTheDragOrIsRefusedWithAMessage) {
    struct Case {
        const char* name;
        CRect box;
        CSize drag;
        bool refused;
        CSize moved;
    };
    const Case cases[] = {
        {"wider than the sheet, 2 inches right",
         CRect(1000, -1000, 31000, -3000),
         {2000, 0},
         true,
         {0, 0}},
        {"taller than the sheet, 1 inch down",
         CRect(1000, -1000, 3000, -31000),
         {0, -1000},
         true,
         {0, 0}},
        {"larger both ways, diagonally",
         CRect(-5000, 5000, 60000, -120000),
         {1000, 1000},
         true,
         {0, 0}},
        {"off the left edge, dragged right",
         CRect(-500, -1000, -100, -1400),
         {300, 0},
         false,
         {300, 0}},
        {"off the left edge, dragged down",
         CRect(-500, -1000, -100, -1400),
         {0, -300},
         false,
         {0, -300}},
        {"off the top edge, dragged further up and right",
         CRect(1000, 400, 1400, -400),
         {200, 300},
         false,
         {200, 0}},
    };
    for (const Case& c : cases) {
        ToolTest test;
        testsupport::ScriptedPrompt prompt;
        if (c.refused)
            prompt.Answer(IDOK);
        auto box = std::make_unique<CDrawRect>(c.box);
        CDrawRect* added = box.get();
        test.doc.AddObject(std::move(box));
        test.view.Select(added, false);
        test.view.options = 0;  // no snapping: the drag is the move
        const std::vector<BYTE> before = DocumentBytes(test.doc);
        const CPoint press(c.box.left + 50, c.box.top);
        test.Drag(press, press + c.drag);
        const CRect expected(c.box.left + c.moved.cx, c.box.top + c.moved.cy,
                             c.box.right + c.moved.cx, c.box.bottom + c.moved.cy);
        EXPECT_EQ(added->GetPosition(), expected) << c.name;
        EXPECT_EQ(test.tools.state.selectMode, kSelectNone) << c.name;
        EXPECT_FALSE(test.view.capture) << c.name;
        if (c.refused) {
            EXPECT_EQ(DocumentBytes(test.doc), before) << c.name;
            EXPECT_EQ(test.Steps(), 1) << c.name;
            ASSERT_EQ(prompt.shown().size(), 1u) << c.name;
            EXPECT_EQ(prompt.shown()[0].text,
                      CString("The selection is larger than the drawing area of the sheet and "
                              "cannot be moved."))
                << c.name;
        } else {
            EXPECT_TRUE(prompt.shown().empty()) << c.name;
            EXPECT_EQ(test.Steps(), 2) << c.name;
        }
    }
}

TEST_F(SelectToolTest, ShiftClicksToggleAndTheRubberBandTakesWhatItTouches) {
    CDrawRect* a = AddBox(CRect(1000, -1000, 1400, -1400));
    CDrawRect* b = AddBox(CRect(2000, -1000, 2400, -1400));
    AddBox(CRect(5000, -1000, 5400, -1400));
    Click(1100, -1000);
    Click(2100, -1000, kToolShift);
    EXPECT_EQ(view.selection.GetCount(), 2);
    Click(1100, -1000, kToolShift);
    EXPECT_FALSE(view.IsSelected(a));
    EXPECT_TRUE(view.IsSelected(b));
    // From empty paper, over the corner of the first box and the middle of the second.
    Press(1300, -500);
    Move(2100, -1100, kToolLeftButton);
    EXPECT_TRUE(view.focusRect.has_value());
    Release(2100, -1100);
    EXPECT_FALSE(view.focusRect.has_value());
    EXPECT_EQ(view.selection.GetCount(), 2);
    EXPECT_TRUE(view.IsSelected(a) && view.IsSelected(b));
    EXPECT_EQ(Steps(), 3);
}

TEST_F(SelectToolTest, DraggingAHandleResizesAsOneStep) {
    CDrawRect* box = AddBox(CRect(1000, -1000, 1400, -1400));
    view.Select(box, false);
    Drag(CPoint(1400, -1400), CPoint(1600, -1800));
    ASSERT_EQ(Steps(), 2);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "resize object");
    auto* resized = static_cast<CDrawObj*>(doc.GetObjects().GetTail());
    EXPECT_EQ(NormalizedRect(resized->GetPosition()), CRect(1000, -1800, 1600, -1000));
}

TEST_F(SelectToolTest, HoverAndDragFeedback) {
    CDrawRect* box = AddBox(CRect(1000, -1000, 1400, -1400));
    view.Select(box, false);
    Move(1400, -1400);
    EXPECT_EQ(view.prompts.back(), kPromptResize);
    Move(3000, -3000);
    EXPECT_EQ(view.prompts.back(), kPromptReady);
    Press(1100, -1000);
    Move(1100, -1010, kToolLeftButton);
    EXPECT_EQ(view.prompts.back(), kPromptMove);
    Move(700, -1010, kToolLeftButton);
    EXPECT_EQ(view.prompts.back(), kPromptCompleteMove);
    EXPECT_EQ(view.cursorShape, ToolCursor::MoveOne);
    Release(700, -1010);
    EXPECT_FALSE(view.autoScroll);
}

TEST_F(SelectToolTest, ContextMenusOfObjectsAndOfTheSheetRunTheChosenCommand) {
    AddBox(CRect(1000, -1000, 1400, -1400));
    view.cursor = ToolTestView::At(1100, -1000);
    view.menuAnswer = ID_EDIT_CLEAR;
    Tool().OnContextMenu(view, CPoint(0, 0));
    EXPECT_EQ(view.selection.GetCount(), 1);
    EXPECT_EQ(view.shownMenus.back().front().id, ID_EDIT_CUT);
    view.cursor = ToolTestView::At(5000, -5000);
    view.menuAnswer = 0;
    Tool().OnContextMenu(view, CPoint(0, 0));
    EXPECT_EQ(view.shownMenus.back().front().id, ID_EDIT_UNDO);
    EXPECT_EQ(view.commands, std::vector<UINT>{ID_EDIT_CLEAR});
}

// A wire adds "Show Identifier", its "Connect To" popup and the tie to hidden pins after the
// properties command.
TEST_F(SelectToolTest, AWiresMenuHoldsItsOwnEntries) {
    auto wire = std::make_unique<CWire>();
    wire->AddPoint(CPoint(1000, -1000));
    wire->AddPoint(CPoint(3000, -1000));
    ASSERT_TRUE(doc.AddObject(std::move(wire)));
    view.cursor = ToolTestView::At(2000, -1000);
    Tool().OnContextMenu(view, CPoint(0, 0));
    const ToolMenu& menu = view.shownMenus.back();
    const auto properties = std::find_if(
        menu.begin(), menu.end(), [](const auto& entry) { return entry.id == ID_EDIT_PROPERTIES; });
    ASSERT_GE(menu.end() - properties, 6);
    EXPECT_EQ(properties[1].id, 0u);  // a separator
    EXPECT_EQ(properties[2].id, 32955u);
    EXPECT_EQ(properties[2].text, "Show Identifier");
    EXPECT_EQ(properties[3].text, "Connect To");
    std::vector<UINT> ids;
    for (const ContextMenuEntry& entry : properties[3].submenu)
        ids.push_back(entry.id);
    EXPECT_EQ(ids, (std::vector<UINT>{32956, 32962, 0, 32958, 32959, 32960, 32961, 0, 32992}));
    EXPECT_EQ(properties[4].id, 32951u);
    EXPECT_EQ(properties[4].text, "Connect Wire &Implicitly To..");
    EXPECT_EQ(menu.end()[-2].id, ID_LIBRARY_ADD_TO);
}

// A Files page with one library selected.
class SelectedLibrary : public ILibraryBarServices {
public:
    explicit SelectedLibrary(std::string path) : m_path(std::move(path)) {}
    BOOL OpenSelectedLibrary(CLibraryFile* library, UINT mode) override {
        return library ? library->Open(m_path.c_str(), mode) : TRUE;
    }

private:
    std::string m_path;
    ScopedInstall<ILibraryBarServices> m_installed{*this};
};

// The two ways to store the object end its menu; the second names the library selected on the
// Files page and is disabled while none is.
TEST_F(SelectToolTest, AnObjectsMenuOffersTheChosenAndTheSelectedLibrary) {
    AddBox(CRect(1000, -1000, 1400, -1400));
    view.cursor = ToolTestView::At(1100, -1000);
    Tool().OnContextMenu(view, CPoint(0, 0));
    const ToolMenu& menu = view.shownMenus.back();
    ASSERT_GE(menu.size(), 3u);
    EXPECT_EQ(menu.end()[-3].id, 0u);
    EXPECT_EQ(menu.end()[-2].text, "Add to &Library...");
    EXPECT_EQ(menu.back().id, ID_LIBRARY_ADD_SELECTED);
    EXPECT_EQ(menu.back().text, "Add to <library>..");
    EXPECT_FALSE(menu.back().enabled);

    testsupport::TempDir dir;
    const std::string path = (dir / "parts.rlb").string();
    CLibraryFile created;
    ASSERT_EQ(created.Create(path.c_str()), kCreateDone);
    created.Close();
    SelectedLibrary page(path);
    Tool().OnContextMenu(view, CPoint(0, 0));
    EXPECT_EQ(view.shownMenus.back().back().text, "&Add to parts...");
    EXPECT_TRUE(view.shownMenus.back().back().enabled);
}

// A part turned by 90 degrees and placed with its one unwired pin at (2000, -3000) goes where
// it is dragged from its placement, and undo and redo give back each state exactly.
TEST_F(SelectToolTest, ADraggedPlacedPartKeepsItsPlacement) {
    auto symbol = std::make_unique<CSymbol>();
    auto* pin = new CPin(symbol.get());
    pin->SetEnds(CPoint(100, 0), CPoint(0, 0));
    symbol->GetPins().AddTail(pin);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(100, 200, 500, -200)));
    symbol->RecalcBounds(nullptr);
    symbol->Rotate(900, 0, 0, nullptr);
    symbol->OffsetBy(CSize(2000, -3000));
    ASSERT_TRUE(doc.AddObject(std::move(symbol)));
    view.Select(nullptr, false);
    ASSERT_EQ(pin->GetConnectPoint(), CPoint(2000, -3000));
    const std::vector<BYTE> before = DocumentBytes(doc);

    // On the body's outline, 300 above the pin and 200 to its left.
    Drag(CPoint(1800, -2700), CPoint(2100, -2700));
    ASSERT_EQ(Steps(), 2);
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(2300, -3000));
    const std::vector<BYTE> after = DocumentBytes(doc);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(2000, -3000));
    EXPECT_EQ(DocumentBytes(doc), before);
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(2300, -3000));
    EXPECT_EQ(DocumentBytes(doc), after);
}

TEST_F(SelectToolTest, PressingTheFreeEndOfASelectedWireDragsIt) {
    auto wire = std::make_unique<CWire>();
    CWire* added = wire.get();
    added->AddPoint(CPoint(1000, -1000));
    added->AddPoint(CPoint(2000, -1000));
    ASSERT_TRUE(doc.AddObject(std::move(wire)));
    view.Select(added, false);
    Press(2000, -1000);
    EXPECT_EQ(tools.state.currentShape, kToolWireDrag);
    EXPECT_EQ(tools.WireDragTool().PickedUp(), added);
    EXPECT_TRUE(view.capture);
    Escape();
    EXPECT_EQ(doc.GetObjects().GetHead(), added);
}

// A selected polygon is moved by its outline and reshaped only by its corner handles; a
// wire's segments stay handles, since dragging one reroutes the wire.
class SelectedOutlineTest : public SelectToolTest {
protected:
    CDrawPoly* AddSquare() {
        auto square = std::make_unique<CDrawPoly>(CRect(1000, -1000, 1400, -1400));
        CDrawPoly* added = square.get();
        for (const CPoint corner :
             {CPoint(1000, -1000), CPoint(1400, -1000), CPoint(1400, -1400), CPoint(1000, -1400)})
            added->AddPoint(corner);
        EXPECT_TRUE(doc.AddObject(std::move(square)));
        view.Select(added, false);
        return added;
    }
    static std::vector<CPoint> Points(const CDrawPoly& poly) {
        std::vector<CPoint> points;
        for (int i = 0; i < poly.GetPointCount(); ++i)
            points.push_back(poly.GetPoint(i));
        return points;
    }
};

TEST_F(SelectedOutlineTest, DraggingTheOutlineOfASelectedPolygonMovesIt) {
    AddSquare();
    Move(1200, -1000);
    EXPECT_EQ(view.prompts.back(), kPromptReady);
    EXPECT_EQ(view.cursorShape, ToolCursor::Arrow);
    const std::vector<BYTE> before = DocumentBytes(doc);
    Drag(CPoint(1200, -1000), CPoint(1500, -1300));
    ASSERT_EQ(Steps(), 2);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "move");
    const auto* moved = static_cast<CDrawPoly*>(doc.GetObjects().GetTail());
    EXPECT_EQ(Points(*moved),
              (std::vector<CPoint>{{1300, -1300}, {1700, -1300}, {1700, -1700}, {1300, -1700}}));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(doc), before);
}

TEST_F(SelectedOutlineTest, DraggingACornerHandleReshapesThePolygon) {
    AddSquare();
    Drag(CPoint(1400, -1400), CPoint(1600, -1800));
    ASSERT_EQ(Steps(), 2);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "resize object");
    const auto* reshaped = static_cast<CDrawPoly*>(doc.GetObjects().GetTail());
    EXPECT_EQ(Points(*reshaped),
              (std::vector<CPoint>{{1000, -1000}, {1400, -1000}, {1600, -1800}, {1000, -1400}}));
}

TEST_F(SelectedOutlineTest, DraggingASegmentOfASelectedWireReroutesIt) {
    auto wire = std::make_unique<CWire>();
    CWire* added = wire.get();
    for (const CPoint p : {CPoint(1000, -1000), CPoint(2000, -1000), CPoint(2000, -2000)})
        added->AddPoint(p);
    ASSERT_TRUE(doc.AddObject(std::move(wire)));
    view.Select(added, false);
    Drag(CPoint(1500, -1000), CPoint(1500, -1200));
    ASSERT_EQ(Steps(), 2);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "resize object");
    const auto* rerouted = static_cast<CDrawPoly*>(doc.GetObjects().GetTail());
    EXPECT_EQ(Points(*rerouted),
              (std::vector<CPoint>{{1000, -1200}, {2000, -1200}, {2000, -2000}}));
}

using testsupport::PowerRails;

// A wire ended on a ground rail: the rail's bar lies across (2000, -2100) and the net's name
// 33 units below it. At 100 % a click on the bar's pixel picks the rail, though the name lies
// within the click's reach of 3 pixels, and a click on the name picks the name.
TEST_F(SelectToolTest, AClickPicksWhatLiesUnderTheCursorBeforeWhatLiesNearIt) {
    PowerRails rails;
    auto wire = std::make_unique<CWire>();
    CWire* added = wire.get();
    added->AddPoint(CPoint(2000, -2000));
    added->AddPoint(CPoint(2000, -1000));
    ASSERT_TRUE(doc.AddObject(std::move(wire)));
    ASSERT_TRUE(added->ConnectToPowerSymbol("Power Rail", "GND"));
    auto* rail = static_cast<CPin*>(added->GetStartObject())->GetOwner();
    auto* name = added->FindAttrText("_ID");
    const CRect label = NormalizedRect(name->GetPosition());
    ASSERT_LT(label.bottom, -2100);
    view.Select(nullptr, false);
    view.unitsPerPixel = 1000.0 / 96;
    const auto clickAt = [this](CPoint sheet) {
        Tool().OnLButtonDown(view, kToolLeftButton, view.DocToClient(sheet));
        Tool().OnLButtonUp(view, 0, view.DocToClient(sheet));
        return PrimaryObject(view);
    };
    EXPECT_EQ(clickAt(CPoint(2050, -2100)), rail);
    EXPECT_EQ(clickAt(label.CenterPoint()), name);
    EXPECT_EQ(clickAt(CPoint(2050, -2100)), rail);
}

}  // namespace
