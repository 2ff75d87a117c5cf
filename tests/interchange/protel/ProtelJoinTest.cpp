// Joining an imported drawing: wires merged end to end, pins taking wires, net labels naming
// the wires they touch.

#include <gtest/gtest.h>

#include <sstream>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "interchange/protel/ProtelImporter.h"
#include "interchange/protel/ProtelJoin.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

template <class T>
std::vector<T*> ObjectsOf(CDrawDoc& doc) {
    std::vector<T*> found;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;)
        if (auto* object = dynamic_cast<T*>(static_cast<CObject*>(doc.GetObjects().GetNext(pos))))
            if (object->GetObjType() == T().GetObjType())
                found.push_back(object);
    return found;
}

bool Import(ProtelFileBuilder& file, CDrawDoc& doc, std::ostringstream& log) {
    ByteSource source(file.Bytes());
    return ImportProtelBinarySchematic(log, source, doc);
}

ProtelFileBuilder Sheet0() {
    ProtelFileBuilder file;
    file.SchematicStart(0).SheetHeader(0);
    return file;
}

TEST(ProtelJoinTest, WiresMeetingWithoutAPinBecomeOne) {
    // The first wire is drawn towards the meeting point's far side, so it is turned first.
    ProtelFileBuilder file = Sheet0();
    file.Wire({{100, 0}, {0, 0}}).Wire({{100, 0}, {100, 100}}).End();
    CDrawDoc doc;
    std::ostringstream log;
    ASSERT_TRUE(Import(file, doc, log));
    auto wires = ObjectsOf<CWire>(doc);
    ASSERT_EQ(wires.size(), 1u);
    ASSERT_EQ(wires[0]->GetPointCount(), 3);
    EXPECT_EQ(wires[0]->GetPoint(0), CPoint(0, -7600));
    EXPECT_EQ(wires[0]->GetPoint(1), CPoint(1000, -7600));
    EXPECT_EQ(wires[0]->GetPoint(2), CPoint(1000, -6600));
}

TEST(ProtelJoinTest, APinAtTheMeetingPointTakesTheFirstWire) {
    ProtelFileBuilder file = Sheet0();
    file.Wire({{0, 0}, {100, 0}}).Wire({{100, 0}, {100, 100}}).Power(100, 0, 2, "VCC").End();
    CDrawDoc doc;
    std::ostringstream log;
    ASSERT_TRUE(Import(file, doc, log));
    auto wires = ObjectsOf<CWire>(doc);
    ASSERT_EQ(wires.size(), 2u);
    auto symbols = ObjectsOf<CSymbol>(doc);
    ASSERT_EQ(symbols.size(), 1u);
    auto* pin = static_cast<CPin*>(symbols[0]->GetPins().GetHead());
    CWire* first = wires[0]->GetPoint(0) == CPoint(0, -7600) ? wires[0] : wires[1];
    CWire* second = first == wires[0] ? wires[1] : wires[0];
    EXPECT_EQ(pin->GetWire(), first);
    EXPECT_EQ(first->GetEndObject(), pin);
    EXPECT_EQ(second->GetStartObject(), first);
    EXPECT_TRUE(first->GetJunctions().Find(second));
}

TEST(ProtelJoinTest, LabelsNameTheWiresTheyTouch) {
    ProtelFileBuilder file = Sheet0();
    file.Wire({{0, 0}, {100, 0}}).Wire({{0, 300}, {100, 300}});
    file.NetLabel(20, 0, "CLK").NetLabel(20, 300, "CLK").NetLabel(20, 600, "FREE").End();
    CDrawDoc doc;
    std::ostringstream log;
    ASSERT_TRUE(Import(file, doc, log));
    auto wires = ObjectsOf<CWire>(doc);
    ASSERT_EQ(wires.size(), 2u);
    ASSERT_NE(wires[0]->GetNet(), nullptr);
    EXPECT_EQ(wires[0]->GetNet(), wires[1]->GetNet());
    EXPECT_EQ(wires[0]->GetNet()->GetName(), "CLK");
    int free = 0, attached = 0;
    for (CAttrText* text : ObjectsOf<CAttrText>(doc)) {
        if (text->GetName() == "NetID" && !text->GetOwner())
            ++free;
        if (text->GetName() == "_ID" && text->GetOwner())
            ++attached;
    }
    EXPECT_EQ(free, 1);
    EXPECT_EQ(attached, 2);
}

TEST(ProtelJoinTest, ASecondNameOnOneNetIsReported) {
    ProtelFileBuilder file = Sheet0();
    file.Wire({{0, 0}, {100, 0}}).NetLabel(20, 0, "A").NetLabel(60, 0, "B").End();
    CDrawDoc doc;
    std::ostringstream log;
    ASSERT_TRUE(Import(file, doc, log));
    EXPECT_NE(log.str().find("Warning : net label B ignored, wire already on net A"),
              std::string::npos);
}

// A thousand wires from one edge of the sheet to the other, all crossing its centre, and a
// short wire ending there: the search for the wires a free end lies on holds the ends, not
// the ground the wires cover, and the end takes the first wire through it.
TEST(ProtelJoinTest, WiresAcrossTheSheetAreSearchedByTheirEnds) {
    constexpr int kWires = 1000;
    constexpr LONG kSide = 327670;
    OwnedObjects objects;
    std::vector<CWire*> wires;
    auto add = [&](CPoint from, CPoint to) {
        auto* wire = new CWire;
        wire->AddPoint(from);
        wire->AddPoint(to);
        objects.List().AddTail(wire);
        wires.push_back(wire);
    };
    for (LONG i = 0; i < kWires; ++i)
        add(CPoint(10 * i, 0), CPoint(kSide - 10 * i, kSide));
    add(CPoint(kSide / 2, kSide / 2 - 5000), CPoint(kSide / 2, kSide / 2));
    ProtelJoin join(objects.List());
    join.Run();
    EXPECT_LE(join.IndexedEnds(), 2u * wires.size());
    CWire* tee = wires.back();
    EXPECT_EQ(tee->GetEndObject(), wires.front());
    EXPECT_EQ(tee->GetStartObject(), nullptr);
    for (int i = 0; i < kWires; ++i) {
        EXPECT_EQ(wires[i]->GetStartObject(), nullptr) << i;
        EXPECT_EQ(wires[i]->GetEndObject(), nullptr) << i;
    }
}

}  // namespace
