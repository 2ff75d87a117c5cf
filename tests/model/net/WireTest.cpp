#include <gtest/gtest.h>

#include <string>

#include "NetTestSheet.h"
#include "model/shapes/ShapeTestSupport.h"
#include "model/support/TestPart.h"
#include "model/text/AttrText.h"
#include "model/undo/ConnectionList.h"
#include "platform/MemFile.h"
#include "platform/RecordingDC.h"

using namespace nettest;
using namespace shapetest;

namespace {

TEST(Wire, TooltipShowsTheNetAndItsAttributes) {
    CWire wire;
    EXPECT_EQ(wire.GetTipText(), "Wire\nNet : None assigned\n");
    auto* net = new CNet("CLK");
    net->SetAttr("Freq", "10M", 0);
    NetSheet::Give(&wire, net);
    EXPECT_EQ(wire.GetTipText(), "Wire\nNet : CLK\nAttributes:\nFreq = 10M");
}

TEST(Wire, PointsOnTheWire) {
    CWire wire;
    EXPECT_FALSE(wire.PointOnWire(0, 0));
    wire.AddPoint(CPoint(0, 0));
    wire.AddPoint(CPoint(1000, 0));
    EXPECT_TRUE(wire.PointOnWire(500, 1));
    EXPECT_FALSE(wire.PointOnWire(500, 2));
    EXPECT_TRUE(wire.PointOnWire(1001, 0));
}

TEST(Wire, ReverseMovesTheArrow) {
    CWire wire;
    wire.AddPoint(CPoint(0, 0));
    wire.AddPoint(CPoint(10, 0));
    wire.SetFlags(0x100, 0xF00);
    wire.Reverse();
    EXPECT_EQ(wire.GetFlags(), 0x410u);
    EXPECT_EQ(wire.GetPoint(0), CPoint(10, 0));
}

TEST(Wire, ConnectsToAPinWithinReach) {
    for (const auto& [x, found] : {std::pair{102, true}, std::pair{103, false}}) {
        NetSheet sheet;
        CSymbol* symbol = sheet.PlaceSymbol(CPoint(x, 0), "1");
        CWire* wire = sheet.Place({{100, 0}, {100, 500}});
        WireConnectInfo info;
        EXPECT_EQ(wire->ConnectWith(symbol, &info), found ? kConnectFound : kConnectNone) << x;
        EXPECT_EQ(info.start, found ? NetSheet::PinOf(symbol) : nullptr);
    }
}

TEST(Wire, ConnectsToTheSegmentOfAnotherWire) {
    NetSheet sheet;
    CWire* main = sheet.Place({{0, 0}, {1000, 0}});
    CWire* branch = sheet.Place({{500, 300}, {500, 1}});
    WireConnectInfo info;
    EXPECT_EQ(main->ConnectWith(branch, &info), kConnectWires);
    EXPECT_EQ(info.wire, branch);
    EXPECT_EQ(info.end, main);
    CBus* bus = sheet.Place<CBus>({{0, 1}, {1000, 1}});
    EXPECT_EQ(branch->ConnectWith(bus, &info), kConnectFound);
}

TEST(Wire, EndsLinkAndRecordsRestoreThem) {
    NetSheet sheet;
    CSymbol* symbol = sheet.PlaceSymbol(CPoint(0, 0), "1");
    CWire* main = sheet.Place({{0, 0}, {1000, 0}});
    CWire* branch = sheet.Place({{500, 300}, {500, 0}});
    main->SetStartObject(NetSheet::PinOf(symbol));
    branch->SetEndObject(main);
    EXPECT_EQ(NetSheet::PinOf(symbol)->GetWire(), main);
    ASSERT_EQ(main->GetJunctions().GetCount(), 1);

    CConnectionList links;
    links.CollectAndRelease(ObjectList{main});
    EXPECT_EQ(NetSheet::PinOf(symbol)->GetWire(), nullptr);
    EXPECT_EQ(main->GetStartObject(), nullptr);
    EXPECT_EQ(branch->GetEndObject(), nullptr);
    EXPECT_TRUE(main->GetJunctions().IsEmpty());
    links.Restore();
    EXPECT_EQ(NetSheet::PinOf(symbol)->GetWire(), main);
    EXPECT_EQ(branch->GetEndObject(), main);
    EXPECT_EQ(main->GetJunctions().GetCount(), 1);
}

TEST(Wire, LinksPassToTheReplacingWire) {
    NetSheet sheet;
    CSymbol* symbol = sheet.PlaceSymbol(CPoint(0, 0), "1");
    CWire* main = sheet.Place({{0, 0}, {1000, 0}});
    CWire* branch = sheet.Place({{500, 300}, {500, 0}});
    main->SetStartObject(NetSheet::PinOf(symbol));
    branch->SetEndObject(main);
    auto copy = std::unique_ptr<CWire>(static_cast<CWire*>(main->Duplicate()));
    main->GiveLinksTo(copy.get());
    EXPECT_EQ(NetSheet::PinOf(symbol)->GetWire(), copy.get());
    EXPECT_EQ(copy->GetStartObject(), NetSheet::PinOf(symbol));
    EXPECT_EQ(branch->GetEndObject(), copy.get());
    EXPECT_EQ(copy->GetJunctions().GetCount(), 1);
    EXPECT_EQ(main->GetStartObject(), nullptr);
    EXPECT_TRUE(main->GetJunctions().IsEmpty());
    copy->GiveLinksTo(main);
}

// A bus (0, 0)-(1000, 0) of width 30 and a wire from (500, 300) to its end on the bus.
TEST(Wire, EndOnABusIsDrawnAsAnEntry) {
    for (const auto& [reversed, tip] :
         {std::pair{false, std::string("540,15")}, std::pair{true, std::string("460,15")}}) {
        NetSheet sheet;
        CBus* bus = sheet.Place<CBus>({{0, 0}, {1000, 0}});
        bus->SetFlags(reversed ? kBusReverseFlow : 0, kBusReverseFlow);
        CWire* wire = sheet.Place({{500, 300}, {500, 0}});
        wire->SetEndObject(bus);
        CRecordingDC dc;
        wire->Draw(&dc, nullptr);
        bool drawn = false;
        for (const std::string& line : dc.Lines())
            drawn |= line.starts_with("Polyline 500,300 500,55 " + tip);
        EXPECT_TRUE(drawn) << reversed;
    }
}

TEST(Wire, EndOnAWireGetsAJunctionDot) {
    NetSheet sheet;
    CWire* main = sheet.Place({{0, 0}, {1000, 0}});
    CWire* branch = sheet.Place({{500, 300}, {500, 0}});
    branch->SetEndObject(main);
    CRecordingDC dc;
    branch->Draw(&dc, nullptr);
    bool dot = false;
    for (const std::string& line : dc.Lines())
        dot |= line.starts_with("Ellipse 475,-25,525,25");
    EXPECT_TRUE(dot);
}

// The file allows a wire without a net; joining nets needs one on every wire.
// The text's lower edge is centred on the segment; only the start held: the last segment.
TEST(Wire, AttributeTextStandsOnItsSegment) {
    struct Case {
        std::initializer_list<CPoint> points;
        bool startOnPin;
        CPoint lowerMiddle;  // unturned texts only
        int rotation;
    };
    const Case cases[] = {
        {{{0, 0}, {1000, 0}}, false, {500, 0}, 0},
        {{{0, 0}, {1000, 3}}, false, {500, 1}, 0},            // too small a turn
        {{{0, 0}, {1000, 0}, {1000, 2000}}, true, {}, 2700},  // -900, kept as 2700
        {{{0, 0}, {0, 1000}, {800, 1000}}, false, {}, 2700},
    };
    for (const Case& c : cases) {
        NetSheet sheet;
        CWire* wire = sheet.Place(c.points, "n0001");
        if (c.startOnPin)
            wire->SetStartObject(NetSheet::PinOf(sheet.PlaceSymbol(CPoint(0, 0), "1")));
        CAttrText text(CRect(0, 0, 200, -50));
        wire->PlaceAttrText(&text);
        EXPECT_EQ(text.GetRotation(), c.rotation);
        if (c.rotation == 0) {
            EXPECT_EQ(NormalizedRect(text.GetPosition()),
                      CRect(c.lowerMiddle.x - 100, c.lowerMiddle.y, c.lowerMiddle.x + 100,
                            c.lowerMiddle.y + 50));
        }
    }
}

TEST(Wire, LoadedWithoutNetGetsANewOne) {
    CWire wire;
    wire.AddPoint(CPoint(0, 0));
    wire.AddPoint(CPoint(100, 0));
    std::unique_ptr<CWire> loaded = RoundTrip(wire);
    ASSERT_NE(loaded->GetNet(), nullptr);
    EXPECT_EQ(loaded->GetNet()->GetRefCount(), 1);
    EXPECT_TRUE(loaded->JoinNets());
}

}  // namespace
