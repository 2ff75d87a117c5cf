#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/cmd/SelectionEdits.h"
#include "model/cmd/TransformCmd.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/support/OrientedPart.h"
#include "model/support/RecordingDocView.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "support/DocumentBytes.h"
#include "support/LinkAudit.h"
#include "support/ScriptedPrompt.h"

namespace {

// A symbol with pins at (0, 0) and (200, 0), wires from (-1000, 0) and (1200, 0) to them, and
// a rectangle apart.
class TransformSheet : public ::testing::Test {
protected:
    TransformSheet() {
        symbol = new CSymbol();
        for (LONG x : {0, 200}) {
            auto* pin = new CPin(symbol);
            pin->SetEnds(CPoint(x == 0 ? 50 : 150, 0), CPoint(x, 0));
            symbol->GetPins().AddTail(pin);
        }
        Add(symbol);
        symbol->RecalcBounds(nullptr);
        left = AddWire(CPoint(-1000, 0), CPoint(0, 0));
        right = AddWire(CPoint(1200, 0), CPoint(200, 0));
        left->SetEndObject(static_cast<CDrawObj*>(symbol->GetPins().GetHead()));
        right->SetEndObject(static_cast<CDrawObj*>(symbol->GetPins().GetTail()));
        box = new CDrawRect(CRect(3000, 0, 3500, -300));
        Add(box);
        doc.AddView(&view);
    }
    ~TransformSheet() override { doc.RemoveView(&view); }

    void Add(CDrawObj* object) {
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
    }
    CWire* AddWire(CPoint from, CPoint to) {
        auto* wire = new CWire;
        wire->AddPoint(from);
        wire->AddPoint(to);
        auto* net = new CNet;
        net->AddRef();
        wire->SetNet(net);
        Add(wire);
        return wire;
    }
    CTransformCmd* Transform(CDrawObj* object, int kind) {
        auto* command = new CTransformCmd(&doc, ObjectList{object}, kind);
        command->Begin();
        return command;
    }
    void Record(CTransformCmd* command) {
        ASSERT_TRUE(doc.GetUndoList().Add(command));
        EXPECT_EQ(command->JoinUp(), 1);
    }

    // The unwired pin of a new symbol, its hot end at the symbol's origin and its body end 100
    // to the right; the symbol turned by angle about the origin and moved to at.
    CPin* AddPlacedPin(int angle, CPoint at) {
        auto* placed = new CSymbol();
        auto* pin = new CPin(placed);
        pin->SetEnds(CPoint(100, 0), CPoint(0, 0));
        placed->GetPins().AddTail(pin);
        Add(placed);
        placed->RecalcBounds(nullptr);
        placed->Rotate(angle, 0, 0, nullptr);
        placed->OffsetBy(CSize(at.x, at.y));
        return pin;
    }
    static CPin* PinAt(CSymbol* symbol, int index) {
        CObList& pins = symbol->GetPins();
        return static_cast<CPin*>(pins.GetAt(pins.FindIndex(index)));
    }
    static std::vector<CPoint> PointsOf(const CWire* wire) {
        return {wire->GetPoints(), wire->GetPoints() + wire->GetPointCount()};
    }
    CDrawObj* At(int index) {
        return static_cast<CDrawObj*>(doc.GetObjects().GetAt(doc.GetObjects().FindIndex(index)));
    }
    // Records the command, then undoes and redoes it: each state must come back exactly.
    void RecordAndRoundTrip(CTransformCmd* command, const DocSnapshot& before) {
        Record(command);
        const DocSnapshot after = Snapshot(doc);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(Snapshot(doc), before);
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(Snapshot(doc), after);
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    CSymbol* symbol;
    CWire* left;
    CWire* right;
    CDrawRect* box;
};

TEST_F(TransformSheet, MovingASymbolSubstitutesItAndItsWires) {
    const DocSnapshot before = Snapshot(doc);
    CTransformCmd* command = Transform(symbol, kTransformMove);
    command->SetMove(100, 300);
    command->Apply();
    Record(command);
    const std::vector<CObject*> now = Contents(doc.GetObjects());
    ASSERT_EQ(now.size(), 4u);
    EXPECT_NE(now[0], symbol);
    EXPECT_NE(now[1], left);
    EXPECT_NE(now[2], right);
    EXPECT_EQ(now[3], box);
    auto* movedLeft = static_cast<CWire*>(now[1]);
    EXPECT_EQ(movedLeft->GetPointFromEnd(1, 0), CPoint(100, 300));
    EXPECT_EQ(movedLeft->GetPointFromEnd(0, 0), CPoint(-1000, 0));
    auto* pin = static_cast<CPin*>(static_cast<CSymbol*>(now[0])->GetPins().GetHead());
    EXPECT_EQ(pin->GetWire(), movedLeft);
    EXPECT_EQ(movedLeft->GetEndObject(), pin);
    const DocSnapshot after = Snapshot(doc);

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Contents(doc.GetObjects()), (std::vector<CObject*>{symbol, left, right, box}));
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(left->GetEndObject(), symbol->GetPins().GetHead());
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(doc), after);
}

// Which of the moved objects a drag may show moving as one: a wire with an end on something
// that stays stretches, and so does the tie of a text to an object that stays; nothing turned
// or resized moves rigidly.
TEST_F(TransformSheet, OnlyWhatIsTiedToWhatStaysIsReshapedByAMove) {
    symbol->SetAttr("_ID", "U1", kSetAttrForce);
    CAttrText* text = symbol->ShowAttrText("_ID", TRUE);
    Add(text);
    const auto rigid = [this](ObjectList objects, int kind) {
        auto* command = new CTransformCmd(&doc, objects, kind);
        command->Begin();
        std::vector<bool> moved;
        const CObList& transformed = command->GetObjects();
        for (POSITION pos = transformed.GetHeadPosition(); pos;)
            moved.push_back(
                command->MovesRigidly(static_cast<const CDrawObj*>(transformed.GetNext(pos))));
        command->Abort();
        delete command;
        return moved;
    };
    EXPECT_EQ(rigid({symbol, left, text, box}, kTransformMove),
              (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(rigid({left, text}, kTransformMove), (std::vector<bool>{false, false}));
    EXPECT_EQ(rigid({symbol, box}, kTransformRotate), (std::vector<bool>{false, false}));
}

TEST_F(TransformSheet, LoneShapeMovesItself) {
    CTransformCmd* command = Transform(box, kTransformMove);
    command->SetMove(100, 0);
    command->Apply();
    Record(command);
    EXPECT_EQ(doc.GetObjects().GetTail(), box);
    EXPECT_EQ(box->GetPosition(), CRect(3100, 0, 3600, -300));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(box->GetPosition(), CRect(3000, 0, 3500, -300));
}

// Any angle: undo gives back the very coordinates, not a rounded inverse rotation.
TEST_F(TransformSheet, RotationAndMirrorUndoExactly) {
    struct Case {
        int kind;
        const char* label;
    };
    for (const Case& c :
         {Case{kTransformRotate, "rotate"}, Case{kTransformMirrorVertically, "mirror vertically"},
          Case{kTransformMirrorHorizontally, "mirror horizontally"}}) {
        const DocSnapshot before = Snapshot(doc);
        auto* command = new CTransformCmd(&doc, ObjectList{symbol, left, box}, c.kind);
        command->Begin();
        command->SetRotation(337, CPoint(17, 29));
        command->SetMirror(CPoint(17, 29));
        command->Apply();
        Record(command);
        EXPECT_STREQ(doc.GetUndoList().GetUndoName(), c.label);
        const DocSnapshot after = Snapshot(doc);
        EXPECT_NE(after, before);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(Snapshot(doc), before) << c.label;
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(Snapshot(doc), after) << c.label;
        ASSERT_TRUE(doc.GetUndoList().Undo());
    }
}

// A bus whose stored bounds are not yet those of its outline (as the tool leaves a bus it ended)
// comes back from a mirror or a turn byte for byte.
TEST_F(TransformSheet, ABusComesBackAsItWasStored) {
    auto* bus = new CBus;
    bus->AddPoint(CPoint(1000, -2000));
    bus->AddPoint(CPoint(3000, -2000));
    bus->CWire::RecalcBounds(nullptr);
    Add(bus);
    for (const int kind : {kTransformMirrorVertically, kTransformRotate}) {
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        auto* command = new CTransformCmd(&doc, ObjectList{bus}, kind);
        command->Begin();
        command->SetRotation(900, CPoint(0, 0));
        command->SetMirror(CPoint(0, 0));
        command->Apply();
        Record(command);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), before) << kind;
    }
}

// The bus on a moved pin turns back along its first segment, and the tidying takes out the
// point where it turned: the bounds keep to the outline, after the move, its undo and its redo.
TEST_F(TransformSheet, ABusWhosePointsTheMoveTidiesKeepsTheBoundsOfItsOutline) {
    CPin* pin = AddPlacedPin(0, CPoint(0, -3000));
    auto* bus = new CBus;
    for (const CPoint point : {CPoint(0, -3000), CPoint(0, -4100), CPoint(300, -4100),
                               CPoint(300, -2300), CPoint(-200, -2300)})
        bus->AddPoint(point);
    bus->SetStartObject(pin);
    bus->RecalcBounds(nullptr);
    Add(bus);
    const auto followsOutline = [this] {
        const auto* now = static_cast<CBus*>(At(doc.GetObjects().GetCount() - 1));
        const std::vector<POINT> outline = now->BuildOutline();
        CRect bounds;
        PointsBoundingRect(outline.data(), static_cast<int>(outline.size()), bounds);
        return now->GetPosition() == bounds;
    };
    ASSERT_TRUE(followsOutline());

    CTransformCmd* command = Transform(pin->GetOwner(), kTransformMove);
    command->SetMove(300, -100);
    command->Apply();
    Record(command);
    EXPECT_EQ(PointsOf(static_cast<CWire*>(At(doc.GetObjects().GetCount() - 1))),
              (std::vector<CPoint>{{300, -3100}, {300, -2300}, {-200, -2300}}));
    EXPECT_TRUE(followsOutline());
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_TRUE(followsOutline());
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_TRUE(followsOutline());
}

// A moved symbol's free pin that lands on a free wire end takes the wire, in the same step.
TEST_F(TransformSheet, MovedPinJoinsTheWireItLandsOn) {
    auto* lone = new CSymbol();
    auto* pin = new CPin(lone);
    pin->SetEnds(CPoint(5100, 0), CPoint(5000, 0));
    lone->GetPins().AddTail(pin);
    Add(lone);
    lone->RecalcBounds(nullptr);
    CWire* free = AddWire(CPoint(6000, 1000), CPoint(5500, 1000));
    const DocSnapshot before = Snapshot(doc);
    const int steps = doc.GetUndoList().GetCount();

    CTransformCmd* command = Transform(lone, kTransformMove);
    command->SetMove(500, 1000);
    command->Apply();
    Record(command);
    EXPECT_EQ(doc.GetUndoList().GetCount(), steps + 1);
    CObList& objects = doc.GetObjects();
    auto* moved = static_cast<CSymbol*>(objects.GetAt(objects.FindIndex(4)));
    auto* movedPin = static_cast<CPin*>(moved->GetPins().GetHead());
    EXPECT_EQ(movedPin->GetConnectPoint(), CPoint(5500, 1000));
    EXPECT_EQ(movedPin->GetWire(), free);
    EXPECT_EQ(free->GetEndObject(), movedPin);
    EXPECT_EQ(free->GetStartObject(), nullptr);

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(free->GetEndObject(), nullptr);
}

// Within a pin's reach but off its connection point, a wire end stays free, whether the pin or
// the wire moved there: the sheet holds no link that a check of the ends would drop, and undo
// goes back through the bytes of each state.
TEST_F(TransformSheet, PinAndWireEndThatOnlyComeNearStayApart) {
    AddPlacedPin(0, CPoint(5000, 0));
    CDrawObj* part = At(4);
    const CPin* standing = AddPlacedPin(0, CPoint(8000, 0));
    CWire* near = AddWire(CPoint(6000, 1002), CPoint(5500, 1002));
    CWire* moving = AddWire(CPoint(3000, 1000), CPoint(3000, 500));
    std::vector<std::vector<BYTE>> states{testsupport::DocumentBytes(doc)};

    CTransformCmd* partMove = Transform(part, kTransformMove);
    partMove->SetMove(500, 1000);
    partMove->Apply();
    Record(partMove);
    states.push_back(testsupport::DocumentBytes(doc));
    CTransformCmd* wireMove = Transform(moving, kTransformMove);
    wireMove->SetMove(5000, -998);
    wireMove->Apply();
    Record(wireMove);

    const auto* pin = static_cast<const CPin*>(At(4)->GetPinList()->GetHead());
    ASSERT_EQ(pin->GetConnectPoint(), CPoint(5500, 1000));
    EXPECT_EQ(pin->GetWire(), nullptr);
    EXPECT_EQ(near->GetEndObject(), nullptr);
    const auto* moved = static_cast<const CWire*>(At(7));
    EXPECT_EQ(PointsOf(moved), (std::vector<CPoint>{{8000, 2}, {8000, -498}}));
    EXPECT_EQ(moved->GetStartObject(), nullptr);
    EXPECT_EQ(standing->GetWire(), nullptr);
    EXPECT_EQ(testsupport::FirstPurgeRepair(doc), "");

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), states[1]);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), states[0]);
}

TEST_F(TransformSheet, AbortPutsEverythingBack) {
    const DocSnapshot before = Snapshot(doc);
    auto* command = new CTransformCmd(&doc, ObjectList{symbol, box}, kTransformMove);
    command->Begin();
    command->SetMove(500, 500);
    command->Apply();
    command->Abort();
    delete command;
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(Contents(doc.GetObjects()), (std::vector<CObject*>{symbol, left, right, box}));
}

// The drag's steps: the objects take their shape from where they started, so the wire gets one
// elbow however the pointer went; the selection keeps its order with the copies in it.
TEST_F(TransformSheet, TrackedMoveFollowsFromTheStart) {
    CSymbol* far = new CSymbol();
    auto* farPin = new CPin(far);
    farPin->SetEnds(CPoint(1300, 0), CPoint(1200, 0));
    far->GetPins().AddTail(farPin);
    Add(far);
    far->RecalcBounds(nullptr);
    right->SetStartObject(farPin);
    view.selection.AddTail(box);
    view.selection.AddTail(symbol);
    const DocSnapshot before = Snapshot(doc);

    auto* command = new CTransformCmd(&doc, ObjectList{box, symbol}, kTransformMove);
    command->Begin();
    EXPECT_EQ(Contents(view.selection), (std::vector<CObject*>{box, At(0)}));
    command->SetDragPoints(CPoint(50, 50), CPoint(50, 50));
    for (CPoint step : {CPoint(200, 0), CPoint(0, 300), CPoint(-100, 100), CPoint(100, -100)})
        command->Track(&view, step);
    command->Finish();
    auto* moved = static_cast<CWire*>(At(2));
    EXPECT_EQ(PointsOf(moved), (std::vector<CPoint>{{1200, 0}, {700, 0}, {700, 300}, {400, 300}}));
    EXPECT_EQ(box->GetPosition(), CRect(3200, 300, 3700, 0));
    RecordAndRoundTrip(command, before);
}

// The wire on the moved pin reshapes its junction wire and its net-name text: both stand in the
// document as copies, the text kept at its offset to the wire, and undo gives back the very
// objects untouched.
TEST_F(TransformSheet, FollowersOfAttachedWiresAreSubstituted) {
    CWire* branch = AddWire(CPoint(-500, 500), CPoint(-500, 0));
    branch->SetEndObject(left);
    auto* text = new CAttrText(CRect(-600, 100, -400, 0));
    text->Bind(left, "_ID");
    left->GetAttrTextList()->AddTail(text);
    Add(text);
    const CRect placed = text->GetPosition();
    const DocSnapshot before = Snapshot(doc);

    auto* command = Transform(symbol, kTransformMove);
    command->SetMove(0, 300);
    command->Apply();
    EXPECT_EQ(PointsOf(static_cast<CWire*>(At(1))), (std::vector<CPoint>{{-1000, 0}, {0, 300}}));
    EXPECT_EQ(PointsOf(static_cast<CWire*>(At(4))),
              (std::vector<CPoint>{{-500, 500}, {-500, 150}}));
    // The wire's point nearest the text's centre now lies on the line from (-1000, 0) to
    // (0, 300), straight above where it lay.
    const double x = NormalizedRect(placed).CenterPoint().x;
    const auto lift = static_cast<LONG>(std::floor(300 * (x + 1000) / 1000 + 0.5));
    EXPECT_EQ(At(5)->GetPosition(), placed + CPoint(0, lift));
    EXPECT_EQ(PointsOf(branch), (std::vector<CPoint>{{-500, 500}, {-500, 0}}));
    EXPECT_EQ(text->GetPosition(), placed);
    RecordAndRoundTrip(command, before);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Contents(doc.GetObjects()),
              (std::vector<CObject*>{symbol, left, right, box, branch, text}));
}

// A wire label turned a quarter turn moves on the sheet as the wire's point nearest its centre
// does, keeping its turn; undo and redo give back the document byte for byte.
TEST_F(TransformSheet, ATurnedWireLabelMovesWithItsAnchorPoint) {
    auto* text = new CAttrText(CRect(-600, 100, -400, 0));
    text->Bind(left, "_ID");
    left->GetAttrTextList()->AddTail(text);
    Add(text);
    text->Rotate(900, -500, 50, nullptr);
    const auto corners = [](const CDrawObj* object) {
        CPoint points[2] = {object->GetPosition().TopLeft(), object->GetPosition().BottomRight()};
        object->LocalToDoc(points, 2);
        return std::vector<CPoint>{points[0], points[1]};
    };
    // Its centre on the sheet brought to (-500, 100), above the wire.
    std::vector<CPoint> placed = corners(text);
    text->OffsetBy(
        CSize(-500 - (placed[0].x + placed[1].x) / 2, 100 - (placed[0].y + placed[1].y) / 2));
    placed = corners(text);
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);

    auto* command = Transform(symbol, kTransformMove);
    command->SetMove(0, 300);
    command->Apply();
    // The wire now runs from (-1000, 0) to (0, 300): the point under the label's centre has
    // risen from (-500, 0) to (-500, 150).
    const CSize moved(0, 150);
    EXPECT_EQ(corners(At(4)), (std::vector<CPoint>{placed[0] + moved, placed[1] + moved}));
    EXPECT_EQ(corners(text), placed);
    Record(command);
    const std::vector<BYTE> after = testsupport::DocumentBytes(doc);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), after);
}

// One of a wire's two texts moves with the symbol, the other follows the wire: undo gives the
// wire its texts back in their order.
TEST_F(TransformSheet, WireKeepsTheOrderOfItsTexts) {
    CAttrText* texts[2];
    for (CAttrText*& text : texts) {
        text = new CAttrText(CRect(-600, 100, -400, 0));
        text->Bind(left, "_ID");
        left->GetAttrTextList()->AddTail(text);
        Add(text);
    }
    const DocSnapshot before = Snapshot(doc);
    auto* command = new CTransformCmd(&doc, ObjectList{symbol, texts[1]}, kTransformMove);
    command->Begin();
    command->SetMove(0, 300);
    command->Apply();
    RecordAndRoundTrip(command, before);
}

// A text with nothing attached, moved or turned on its own, comes back to its place.
TEST_F(TransformSheet, LoneTextComesBack) {
    auto* text = new CAttrText(CRect(4000, 0, 4200, -50));
    Add(text);
    for (int kind : {kTransformMove, kTransformRotate}) {
        const DocSnapshot before = Snapshot(doc);
        CTransformCmd* command = Transform(text, kind);
        command->SetMove(100, -100);
        command->SetRotation(450, CPoint(0, 0));
        command->Apply();
        RecordAndRoundTrip(command, before);
        ASSERT_TRUE(doc.GetUndoList().Undo());
    }
}

// A placed symbol with nothing attached is transformed in place: it goes from its placement,
// and undo and redo give back each state exactly.
TEST_F(TransformSheet, UnwiredPlacedSymbolMovesFromItsPlacement) {
    CPin* pin = AddPlacedPin(900, CPoint(2000, 1000));
    const DocSnapshot before = Snapshot(doc);
    CTransformCmd* command = Transform(pin->GetOwner(), kTransformMove);
    command->SetMove(300, 0);
    command->Apply();
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(2300, 1000));
    RecordAndRoundTrip(command, before);
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(2300, 1000));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(2000, 1000));
}

// Mirrors and turns about (500, 500) of a pin at (510, 530), its symbol placed there as drawn
// and turned by 90 degrees: redo takes the symbol where the first time did.
TEST_F(TransformSheet, UnwiredSymbolMirrorsAndTurnsAboutAPointOnRedoToo) {
    const std::pair<int, CPoint> cases[] = {{kTransformMirrorVertically, CPoint(510, 470)},
                                            {kTransformMirrorHorizontally, CPoint(490, 530)},
                                            {kTransformRotate, CPoint(486, 528)}};
    for (const int angle : {0, 900}) {
        CPin* pin = AddPlacedPin(angle, CPoint(510, 530));
        for (const auto& [kind, expected] : cases) {
            const DocSnapshot before = Snapshot(doc);
            CTransformCmd* command = Transform(pin->GetOwner(), kind);
            command->SetRotation(450, CPoint(500, 500));
            command->SetMirror(CPoint(500, 500));
            command->Apply();
            EXPECT_EQ(pin->GetConnectPoint(), expected) << kind << " at " << angle;
            RecordAndRoundTrip(command, before);
            EXPECT_EQ(pin->GetConnectPoint(), expected) << kind << " at " << angle;
            if (kind == kTransformMirrorHorizontally && angle == 0) {
                EXPECT_EQ(pin->GetOwner()->GetMatrix()[kMatA], -1.0);
            }
            ASSERT_TRUE(doc.GetUndoList().Undo());
            EXPECT_EQ(pin->GetConnectPoint(), CPoint(510, 530)) << kind << " at " << angle;
        }
    }
}

// A placed symbol with a wire is replaced by its duplicate while moved: the duplicate stands in
// the document as the symbol did, with its kind, its device and its placement.
TEST_F(TransformSheet, WiredPlacedSymbolKeepsKindDeviceAndPlacement) {
    symbol->SetFlags(kSymbolNetConnector, kSymbolKindMask);
    CDevice* device = new CDevice("7400");
    device->AddRef();
    symbol->SetDevice(device);
    // Mirrored about the line of its pins, which stay where they are.
    symbol->Mirror(0, 0, 1000, 0);
    const DocSnapshot before = Snapshot(doc);

    CTransformCmd* command = Transform(symbol, kTransformMove);
    command->SetMove(0, 300);
    command->Apply();
    Record(command);
    auto* moved = static_cast<CSymbol*>(At(0));
    ASSERT_NE(moved, symbol);
    EXPECT_EQ(moved->GetKind(), kSymbolNetConnector);
    EXPECT_EQ(moved->GetFlags(), symbol->GetFlags());
    EXPECT_EQ(moved->GetDevice(), device);
    EXPECT_EQ(moved->GetMatrix()[kMatD], -1.0);
    EXPECT_EQ(PinAt(moved, 0)->GetConnectPoint(), CPoint(0, 300));
    EXPECT_EQ(PinAt(moved, 1)->GetConnectPoint(), CPoint(200, 300));
    const DocSnapshot after = Snapshot(doc);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(doc), before);
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(doc), after);
}

// A part dragged at any orientation lands with its body and every text it shows moved by the
// drag; the views repaint the texts' old and new places on the move and on its undo, and undo
// and redo give back the document byte for byte.
TEST(TransformPartTexts, ADraggedPartTakesItsTextsAlongAtEveryOrientation) {
    const CSize drag(1000, -1000);
    for (int orientation = 0; orientation < kOrientations; ++orientation) {
        SCOPED_TRACE(orientation);
        testsupport::RecordingAppServices services;
        CDrawDoc doc;
        const OrientedPart part(doc, orientation);
        drawdoctest::RecordingDocView view;
        view.onUpdate = [&view] {
            if (view.updates.back().hint == kHintObject)
                static_cast<CDrawObj*>(view.updates.back().object)->Invalidate(&view);
        };
        doc.AddView(&view);
        const auto places = [&part] {
            std::vector<CRect> rects;
            CObList objects;
            part.AddObjectsTo(objects);
            for (POSITION pos = objects.GetHeadPosition(); pos;) {
                CRect bounds;
                static_cast<CDrawObj*>(objects.GetNext(pos))->GetBoundingRect(bounds);
                rects.push_back(NormalizedRect(bounds));
            }
            for (CAttrText* text : part.Texts()) {
                for (const CRect& cell : DrawnTextCells(*text))
                    rects.push_back(cell);
            }
            return rects;
        };
        // Each text cell lies in one of the rectangles the views were told to repaint.
        const auto repainted = [&view](const std::vector<CRect>& rects) {
            for (size_t i = 3; i < rects.size(); ++i) {
                EXPECT_TRUE(
                    std::any_of(view.invalidated.begin(), view.invalidated.end(),
                                [&](const CRect& area) { return Encloses(area, rects[i]); }))
                    << "text cell " << i - 3;
            }
        };
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        const std::vector<CRect> from = places();
        ASSERT_EQ(from.size(), 5u);

        CObList objects;
        part.AddObjectsTo(objects);
        auto* command = new CTransformCmd(&doc, objects, kTransformMove);
        command->Begin();
        command->SetDragPoints(CPoint(3000, -3000), CPoint(3000, -3000));
        for (const CPoint step : {CPoint(300, 0), CPoint(0, -400), CPoint(700, -600)})
            command->Track(&view, step);
        command->Finish();
        ASSERT_TRUE(doc.GetUndoList().Add(command));
        EXPECT_EQ(command->JoinUp(), 1);
        const std::vector<CRect> to = places();
        ASSERT_EQ(to.size(), from.size());
        for (size_t i = 0; i < from.size(); ++i) {
            CRect moved = from[i];
            moved.OffsetRect(drag.cx, drag.cy);
            EXPECT_EQ(to[i], moved) << "place " << i;
        }
        repainted(from);
        repainted(to);
        const std::vector<BYTE> after = testsupport::DocumentBytes(doc);

        view.invalidated.clear();
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), before);
        repainted(from);
        repainted(to);
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), after);
        doc.RemoveView(&view);
    }
}

// A wire's turned net label that a vertical mirror left with two edges of its stored rectangle
// reversed (its left and right on the sheet). Another wire, of a named net, is moved onto that
// wire: the label comes to show the named net and is laid out anew. The wire with its label is
// mirrored vertically once more; undoing the mirror and then the move gives back the label's
// rectangle edge for edge.
TEST(TransformNetLabels, UndoingAMoveThatRenamedTheNetGivesBackAReversedLabel) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    doc.AddView(&view);
    const auto addWire = [&doc](CPoint from, CPoint to, CNet* net) {
        auto* wire = new CWire;
        wire->AddPoint(from);
        wire->AddPoint(to);
        net->AddRef();
        wire->SetNet(net);
        wire->SetDocument(&doc);
        doc.GetObjects().AddTail(wire);
        return wire;
    };
    const CObList& objects = doc.GetObjects();
    const auto at = [&objects](int index) {
        return static_cast<CDrawObj*>(objects.GetAt(objects.FindIndex(index)));
    };
    auto* clock = new CNet("CLK");
    clock->SetFlags(kNetNamed, kNetNamed);
    CWire* mover = addWire(CPoint(0, -1500), CPoint(700, -1500), clock);
    CWire* wire = addWire(CPoint(1000, -1000), CPoint(1000, -2000), new CNet("SIGNAL"));
    CAttrText* label = wire->ShowAttrText("_ID", TRUE);
    ASSERT_NE(label, nullptr);
    doc.GetObjects().AddTail(label);
    ASSERT_NE(label->GetRotation(), 0) << "the label runs along the wire";
    const CPoint centre(1000, -1500);
    ASSERT_TRUE(
        TransformSelection(doc, ObjectList{wire, label}, kTransformMirrorVertically, centre, 0));
    ASSERT_NE(at(2)->GetPosition(), NormalizedRect(at(2)->GetPosition())) << "edges reversed";
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);

    // Dragged right by 300: its end lands on the wire, which takes the net CLK.
    auto* move = new CTransformCmd(&doc, ObjectList{mover}, kTransformMove);
    move->Begin();
    move->SetMove(300, 0);
    move->Apply();
    ASSERT_TRUE(doc.GetUndoList().Add(move));
    move->JoinUp();
    ASSERT_EQ(at(1)->GetNet()->GetName(), CString("CLK"));
    ASSERT_TRUE(
        TransformSelection(doc, ObjectList{at(1), at(2)}, kTransformMirrorVertically, centre, 0));

    ASSERT_TRUE(doc.GetUndoList().Undo());
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    doc.RemoveView(&view);
}

// A one-pin gate, its pin from body to hot, wired to nothing yet.
CSymbol* AddGate(CDrawDoc& doc, CPoint body, CPoint hot) {
    auto* gate = new CSymbol();
    auto* pin = new CPin(gate);
    pin->SetEnds(body, hot);
    gate->GetPins().AddTail(pin);
    gate->SetDocument(&doc);
    gate->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(gate);
    return gate;
}

// Where a wire has a vertex equal to the next one, or a middle vertex on the straight line
// between its neighbours: its index, else -1.
int RedundantVertex(const std::vector<CPoint>& points) {
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        if (points[i] == points[i + 1])
            return static_cast<int>(i);
    }
    for (size_t i = 1; i + 1 < points.size(); ++i) {
        const CPoint a = points[i] - points[i - 1];
        const CPoint b = points[i + 1] - points[i];
        if (static_cast<long long>(a.x) * b.y == static_cast<long long>(a.y) * b.x)
            return static_cast<int>(i);
    }
    return -1;
}

// A gate wired straight from another gate's output is turned a quarter turn about its centre
// (its wire gains an elbow), turned once more (its pin comes back onto the line of the wire)
// and mirrored left to right (its pin back where it began), each from the menu. The wire
// follows the pin every time and keeps no repeated vertex and no vertex on a straight run; undo
// gives back each state byte for byte, and so does redo.
TEST(TransformSelectionWires, ATurnedOrMirroredGateLeavesItsWireWithoutRedundantVertices) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CSymbol* driver = AddGate(doc, CPoint(2300, -1700), CPoint(2600, -1700));
    CSymbol* gate = AddGate(doc, CPoint(4800, -1700), CPoint(4200, -1700));
    auto* wire = new CWire;
    wire->AddPoint(CPoint(2600, -1700));
    wire->AddPoint(CPoint(4200, -1700));
    wire->SetDocument(&doc);
    doc.GetObjects().AddTail(wire);
    wire->SetStartObject(static_cast<CDrawObj*>(driver->GetPins().GetHead()));
    wire->SetEndObject(static_cast<CDrawObj*>(gate->GetPins().GetHead()));
    const CObList& objects = doc.GetObjects();
    const auto at = [&objects](int index) {
        return static_cast<CDrawObj*>(objects.GetAt(objects.FindIndex(index)));
    };
    const auto wirePoints = [&at] {
        const auto* now = static_cast<const CWire*>(at(2));
        return std::vector<CPoint>(now->GetPoints(), now->GetPoints() + now->GetPointCount());
    };
    const CPoint centre(4500, -1700);
    struct Step {
        int kind;
        std::vector<CPoint> wire;
    };
    const Step steps[] = {
        {kTransformRotate, {{2600, -1700}, {3400, -1700}, {3400, -2000}, {4500, -2000}}},
        {kTransformRotate, {{2600, -1700}, {4800, -1700}}},
        {kTransformMirrorHorizontally, {{2600, -1700}, {4200, -1700}}},
    };
    std::vector<std::vector<BYTE>> states{testsupport::DocumentBytes(doc)};
    for (const Step& step : steps) {
        ASSERT_TRUE(TransformSelection(doc, ObjectList{at(1)}, step.kind, centre, 900));
        const std::vector<CPoint> points = wirePoints();
        EXPECT_EQ(RedundantVertex(points), -1) << "after step " << states.size();
        EXPECT_EQ(points, step.wire) << "after step " << states.size();
        const auto* pin =
            static_cast<const CPin*>(static_cast<CSymbol*>(at(1))->GetPins().GetHead());
        EXPECT_EQ(points.back(), pin->GetConnectPoint());
        states.push_back(testsupport::DocumentBytes(doc));
    }
    for (size_t state = states.size() - 1; state > 0; --state) {
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), states[state - 1]) << "undo to " << state - 1;
    }
    for (size_t state = 1; state < states.size(); ++state) {
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), states[state]) << "redo to " << state;
        EXPECT_EQ(wirePoints(), steps[state - 1].wire) << "redo to " << state;
    }
}

TEST(TransformLabels, NameTheKind) {
    CDrawDoc doc;
    const std::pair<int, const char*> labels[] = {{2, "move"},
                                                  {4, "resize object"},
                                                  {6, "rotate"},
                                                  {7, "mirror vertically"},
                                                  {8, "mirror horizontally"},
                                                  {5, ""}};
    for (const auto& [kind, label] : labels)
        EXPECT_STREQ(CTransformCmd(&doc, CObList(), kind).GetName(), label);
}

}  // namespace
