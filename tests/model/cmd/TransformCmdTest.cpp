#include <gtest/gtest.h>

#include "model/cmd/TransformCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
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
    }

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

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
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
