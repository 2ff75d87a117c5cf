#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "NetTestSheet.h"
#include "model/cmd/RemoveCmd.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Net.h"
#include "model/shapes/ShapeTestSupport.h"
#include "model/text/AttrText.h"
#include "platform/RecordingDC.h"
#include "support/DocumentBytes.h"

using namespace nettest;
using namespace shapetest;

namespace {

std::vector<CPoint> Outline(const CBus& bus) {
    std::vector<CPoint> points;
    for (const POINT& p : bus.BuildOutline())
        points.emplace_back(p);
    return points;
}

CRect OutlineBounds(const CBus& bus) {
    const std::vector<POINT> outline = bus.BuildOutline();
    CRect bounds;
    PointsBoundingRect(outline.data(), static_cast<int>(outline.size()), bounds);
    return bounds;
}

// A bus's end pulls back from a bus it ends on: when that bus leaves, the end reaches out and
// the bounds follow, and the undo gives both back as they were.
TEST(Bus, BoundsFollowTheEndWhenTheBusItEndsOnLeaves) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    auto* main = new CBus;
    main->AddPoint(CPoint(0, -1000));
    main->AddPoint(CPoint(2000, -1000));
    auto* branch = new CBus;
    branch->AddPoint(CPoint(1000, 0));
    branch->AddPoint(CPoint(1000, -1000));
    branch->SetEndObject(main);
    for (CBus* bus : {main, branch}) {
        bus->SetDocument(&doc);
        bus->RecalcBounds(nullptr);
        doc.GetObjects().AddTail(bus);
    }
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    ASSERT_TRUE(doc.GetUndoList().Execute(new CRemoveCmd(main)));
    EXPECT_EQ(branch->GetEndObject(), nullptr);
    EXPECT_EQ(branch->GetPosition(), OutlineBounds(*branch));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(branch->GetEndObject(), main);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
}

// Ending a bus on another one, as the tools and the joining of nets do, pulls its end back.
TEST(Bus, BoundsFollowTheEndLinkedToABus) {
    CBus main;
    main.AddPoint(CPoint(0, -1000));
    main.AddPoint(CPoint(2000, -1000));
    CBus branch;
    branch.AddPoint(CPoint(1000, 0));
    branch.AddPoint(CPoint(1000, -1000));
    branch.RecalcBounds(nullptr);
    branch.SetEndObject(&main);
    EXPECT_EQ(branch.GetPosition(), OutlineBounds(branch));
    branch.SetEndObject(nullptr);
    EXPECT_EQ(branch.GetPosition(), OutlineBounds(branch));
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

// A bus record cut anywhere is refused; the bus's own net is released once.
TEST(Bus, DamagedRecordIsRefusedCleanly) {
    CBus bus;
    bus.AddPoint(CPoint(0, 0));
    bus.AddPoint(CPoint(1000, 0));
    bus.GetNet()->SetAttr("Width", "8", kSetAttrForce);
    const Bytes bytes = StoreObject(&bus);
    for (size_t cut = 1; cut < bytes.size(); ++cut) {
        EXPECT_THROW(LoadObject(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut)),
                                RUNTIME_CLASS(CBus)),
                     CArchiveException)
            << cut;
    }
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

// The edge pieces a bus draws, as "x1,y1 x2,y2".
std::vector<std::string> EdgePieces(CBus& bus) {
    CRecordingDC dc;
    bus.Draw(&dc, nullptr);
    std::vector<std::string> pieces;
    std::string from;
    for (const std::string& line : dc.Lines()) {
        if (line.starts_with("MoveTo "))
            from = line.substr(7);
        else if (line.starts_with("LineTo "))
            pieces.push_back(from + " " + line.substr(7, line.find(' ', 7) - 7));
    }
    return pieces;
}

// A bus ending on another: neither draws its edge across the other's band.
TEST(Bus, JoinedBusesDrawAsOneBand) {
    NetSheet sheet;
    CBus* left = sheet.Place<CBus>({{0, 0}, {1000, 0}});
    CBus* upright = sheet.Place<CBus>({{1000, -500}, {1000, 500}});
    left->SetFlags(0, kBusStartArrow | kBusEndArrow);
    upright->SetFlags(0, kBusStartArrow | kBusEndArrow);
    left->SetEndObject(upright);
    const std::vector<std::string> across{"985,-515 985,-15", "985,15 985,515"};
    for (const std::string& piece : across) {
        const std::vector<std::string> drawn = EdgePieces(*upright);
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), piece), drawn.end()) << piece;
    }
    for (const std::string& piece : EdgePieces(*upright))
        EXPECT_NE(piece, "985,515 985,-515");
    const std::vector<std::string> sides = EdgePieces(*left);
    EXPECT_NE(std::find(sides.begin(), sides.end(), "-15,15 985,15"), sides.end());
    EXPECT_EQ(std::find(sides.begin(), sides.end(), "-15,15 1015,15"), sides.end());
}

TEST(Bus, TooltipAndReverse) {
    CBus bus;
    bus.SetAttr("_ID", "A[0..3]", 0);
    EXPECT_EQ(bus.GetTipText(), "Bus A[0..3]");
    bus.Reverse();
    EXPECT_EQ(bus.GetFlags(), 0x313u | kBusReverseFlow);  // the arrow moved to the start
}

// A name typed into a bus's text renames its net and marks it named by the user; undoing the
// edit gives back the net's name and state and the text's rectangle as a mirror left it, and
// redoing it the edited document, byte for byte.
TEST(Bus, NameTypedIntoItsTextUndoesAndRedoesExactly) {
    NetSheet sheet;
    CBus* bus = sheet.Place<CBus>({{0, 0}, {2000, 0}}, "D[0..3]");
    CAttrText* text = bus->ShowAttrText("_ID", TRUE);
    ASSERT_NE(text, nullptr);
    sheet.doc.GetObjects().AddTail(text);
    const CRect laid = text->GetPosition();
    text->MoveTo(CRect(laid.left, laid.bottom, laid.right, laid.top), nullptr);
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);

    ASSERT_TRUE(text->SetText("ab", TRUE));
    EXPECT_EQ(bus->GetNet()->GetName(), "ab");
    EXPECT_TRUE(bus->GetNet()->GetFlags() & kNetNamed);
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_EQ(undo.GetCount(), 1);
    EXPECT_STREQ(undo.GetUndoName(), "property edit");
    const std::vector<BYTE> after = testsupport::DocumentBytes(sheet.doc);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(bus->GetNet()->GetName(), "D[0..3]");
    EXPECT_FALSE(bus->GetNet()->GetFlags() & kNetNamed);
    EXPECT_EQ(text->GetPosition(), CRect(laid.left, laid.bottom, laid.right, laid.top));
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), after);
}

}  // namespace
