#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "NetTestSheet.h"
#include "model/shapes/ShapeTestSupport.h"

using namespace nettest;
using namespace shapetest;

namespace {

std::vector<CPoint> Outline(const CBus& bus) {
    std::vector<CPoint> points;
    for (const POINT& p : bus.BuildOutline())
        points.emplace_back(p);
    return points;
}

TEST(Bus, NewBusHasItsOwnUnnamedNet) {
    CBus bus;
    EXPECT_EQ(bus.GetWidth(), 30);
    EXPECT_EQ(bus.GetFlags(), 0xC13u);
    ASSERT_NE(bus.GetNet(), nullptr);
    EXPECT_EQ(bus.GetNet()->GetRefCount(), 1);
    EXPECT_EQ(bus.GetNet()->GetName(), "");
    EXPECT_EQ(bus.GetObjType(), kObjBus);
}

TEST(Bus, OutlineHasSquareStartAndArrowEnd) {
    NetSheet sheet;
    CBus* bus = sheet.Place<CBus>({{0, 0}, {1000, 0}});
    const std::vector<CPoint> plain{{-15, -15}, {-15, 15},  {970, 15}, {970, 30},
                                    {1000, 0},  {970, -30}, {970, -15}};
    EXPECT_EQ(Outline(*bus), plain);
    bus->RecalcBounds(nullptr);
    EXPECT_EQ(NormalizedRect(bus->GetPosition()), CRect(-15, -30, 1000, 30));

    CBus* other = sheet.Place<CBus>({{1000, -500}, {1000, 500}});
    bus->SetEndObject(other);
    const std::vector<CPoint> onBus{{-15, -15}, {-15, 15},  {955, 15}, {955, 30},
                                    {985, 0},   {955, -30}, {955, -15}};
    EXPECT_EQ(Outline(*bus), onBus);
}

TEST(Bus, CornersAreMitred) {
    CBus bus;
    bus.SetFlags(0, kBusStartArrow | kBusEndArrow);
    for (const CPoint& p : {CPoint(0, 0), CPoint(1000, 0), CPoint(1000, 1000)})
        bus.AddPoint(p);
    const std::vector<CPoint> expected{{-15, -15},  {-15, 15},    {985, 15},
                                       {985, 1015}, {1015, 1015}, {1015, -15}};
    EXPECT_EQ(Outline(bus), expected);
}

// Nearly reversing segments would put the mitre point far away.
TEST(Bus, SharpCornersStayNearTheBus) {
    CBus bus;
    for (const CPoint& p : {CPoint(0, 0), CPoint(100000, 0), CPoint(0, 1)})
        bus.AddPoint(p);
    for (const CPoint& p : Outline(bus)) {
        EXPECT_LE(p.x, 100000 + 60) << p.x << "," << p.y;
        EXPECT_LE(std::abs(p.y), 60) << p.x << "," << p.y;
    }
}

TEST(Bus, CloneHasASeparateNet) {
    NetSheet sheet;
    CBus* bus = sheet.Place<CBus>({{0, 0}, {1000, 0}});
    bus->SetAttr("_ID", "D[0..7]", 0);
    bus->SetAttr("Speed", "fast", 0);
    std::unique_ptr<CDrawObj> clone(bus->Clone(&sheet.doc));
    ASSERT_NE(clone->GetNet(), bus->GetNet());
    EXPECT_EQ(clone->GetAttr("_ID"), "D[0..7]");
    EXPECT_EQ(clone->GetAttr("Speed"), "fast");
    clone->SetAttr("_ID", "A[0..3]", 0);
    EXPECT_EQ(bus->GetAttr("_ID"), "D[0..7]");
}

TEST(Bus, RecordEndsWithTheWidth) {
    CBus bus;
    bus.AddPoint(CPoint(0, 0));
    bus.AddPoint(CPoint(1000, 0));
    const Bytes bytes = StoreObject(&bus);
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), Concat({Le16(0xFFFF), Le16(2)}));
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), Le32(30));
    std::unique_ptr<CBus> loaded = RoundTrip(bus);
    EXPECT_EQ(loaded->GetWidth(), 30);
    EXPECT_EQ(loaded->GetNet()->GetRefCount(), 1);
}

// An end that offers an empty name leaves the default.
TEST(Bus, NamesItselfFromItsEnds) {
    struct Case {
        const char* pinId;
        const char* name;
    };
    for (const Case& c : {Case{"DATA", "DATA"}, Case{"", "D[0..7]"}}) {
        NetSheet sheet;
        CSymbol* symbol = sheet.PlaceSymbol(CPoint(0, 0), "x");
        NetSheet::PinOf(symbol)->SetAttr("_ID", c.pinId, kSetAttrForce);
        CBus* bus = sheet.Place<CBus>({{0, 0}, {1000, 0}});
        bus->SetStartObject(NetSheet::PinOf(symbol));
        EXPECT_TRUE(bus->AssignId(1));
        EXPECT_EQ(bus->GetAttr("_ID"), c.name) << c.pinId;
    }
}

TEST(Bus, TooltipAndReverse) {
    CBus bus;
    bus.SetAttr("_ID", "A[0..3]", 0);
    EXPECT_EQ(bus.GetTipText(), "Bus A[0..3]");
    bus.Reverse();
    EXPECT_EQ(bus.GetFlags(), 0x313u | kBusReverseFlow);  // the arrow moved to the start
}

}  // namespace
