#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/object/AttrCheckCodes.h"
#include "model/shapes/ShapeTestSupport.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

using namespace shapetest;

namespace {

constexpr int kBaseRecordBytes = 24;

// The record after the base record.
Bytes PinRecordTail(const CPin& pin) {
    const Bytes all = StoreObject(&pin);
    const std::size_t head = NewClassTag("CPin").size() + kBaseRecordBytes;
    return Bytes(all.begin() + static_cast<long>(head), all.end());
}

std::unique_ptr<CPin> FreePin(CPoint body, CPoint hot) {
    auto pin = std::make_unique<CPin>();
    pin->SetEnds(body, hot);
    return pin;
}

// A symbol of the given kind holding one pin of stored type t.
struct OwnedPin {
    CSymbol symbol;
    CPin* pin = new CPin(&symbol);
    OwnedPin(DWORD kind, int type) {
        symbol.SetFlags(kind, kSymbolKindMask);
        symbol.GetPins().AddTail(pin);
        pin->SetPinType(type);
    }
};

class ScriptedSnap : public FakeSnapGrid {
public:
    double TryPoint(CPoint& point, int x, int y, double limit) override {
        asked = true;
        this->limit = limit;
        point = CPoint(x, y);
        return 25;
    }
    bool asked = false;
    double limit = 0;
};

}  // namespace

TEST(PinTest, FreePinRecordAndRoundTrip) {
    const auto pin = FreePin(CPoint(0, 0), CPoint(300, 0));
    const Bytes expected = {0x00, 0x00, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                            0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(PinRecordTail(*pin), expected);
    EXPECT_EQ(pin->GetFlags(), 0x30000u);

    // Ends, decoration size and attributes come back.
    auto other = FreePin(CPoint(-100, 50), CPoint(200, 50));
    other->SetDecorationSize(80);
    other->SetAttr("_ID", "CLK", kSetAttrForce);
    other->SetAttr("Slew", "fast", kSetAttrForce);
    const auto loaded = RoundTrip(*other);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(StoreObject(loaded.get()), StoreObject(other.get()));
    EXPECT_EQ(loaded->GetAttr("Slew"), "fast");
}

TEST(PinTest, EffectiveTypesFollowTheOwner) {
    struct Case {
        DWORD kind;
        int stored;
        int effective;
        const char* text;
    };
    const Case cases[] = {
        {kSymbolPort, 2, 13, "Bidirectional Port"},
        {kSymbolPort, 7, 14, "Undefined Port"},
        {kSymbolSubCircuit, 1, 16, "Output Sheet Entry"},
        {kSymbolDevice, 6, 6, "Open Emmitter Pin"},
    };
    for (const Case& c : cases) {
        OwnedPin owned(c.kind, c.stored);
        EXPECT_EQ(owned.pin->GetPinType(), c.effective) << c.stored;
        EXPECT_EQ(owned.pin->GetTypeText(), c.text) << c.stored;
    }
    OwnedPin userDefined(kSymbolPort, 10);
    userDefined.pin->SetAttr("_Type", "Analog", kSetAttrForce);
    EXPECT_EQ(userDefined.pin->GetPinType(), 10);
    EXPECT_EQ(userDefined.pin->GetTypeText(), "Analog");
}

TEST(PinTest, PointsNearTheHotEndSnapAtOnceOthersGoToTheSnapper) {
    const auto pin = FreePin(CPoint(900, -1000), CPoint(1000, -1000));
    ScriptedSnap grid;
    CPoint near(1030, -970);
    double best = 1e9;
    EXPECT_EQ(pin->SnapPoint(near, &grid, best), pin.get());
    EXPECT_EQ(near, CPoint(1000, -1000));
    EXPECT_EQ(best, 0);
    EXPECT_FALSE(grid.asked);

    CPoint beyond(1031, -1000);
    EXPECT_EQ(pin->SnapPoint(beyond, &grid, best), pin.get());
    EXPECT_TRUE(grid.asked);
    EXPECT_EQ(grid.limit, 1000.0);
    EXPECT_EQ(best, 25);
}

TEST(PinTest, UnconnectedMarkOnlyOnScreenWithoutWire) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    auto pin = FreePin(CPoint(-300, 0), CPoint(0, 0));
    pin->SetFlags(0, kPinShowName | kPinShowNumber);
    pin->SetDocument(&doc);
    const std::vector<std::string> cross = {
        "MoveTo -30,-30", "LineTo 30,30 pen=solid/0/0x0000FF rop=13", "MoveTo 30,-30",
        "LineTo -30,30 pen=solid/0/0x0000FF rop=13"};
    CRecordingDC screen;
    pin->Draw(&screen, nullptr);
    ASSERT_GE(screen.Lines().size(), 4u);
    EXPECT_EQ(std::vector<std::string>(screen.Lines().end() - 4, screen.Lines().end()), cross);

    CRecordingDC printer(CRecordingDC::Device{.printing = true});
    pin->Draw(&printer, nullptr);
    EXPECT_EQ(printer.Lines().size(), screen.Lines().size() - 4);

    CPin wire;
    pin->SetWire(&wire);
    CRecordingDC wired;
    pin->Draw(&wired, nullptr);
    EXPECT_EQ(wired.Lines().size(), screen.Lines().size() - 4);
    pin->SetWire(nullptr);
}

// A marked pin lies on a band wide enough to be seen beside its line, as wide as the underlay
// of a marked wire (25 units); the DRC mark wins over the highlight.
TEST(PinTest, MarkedPinsLieOnABandInTheMarkColour) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    ScopedApp installed(app);
    auto pin = FreePin(CPoint(0, 0), CPoint(300, 0));
    pin->SetFlags(kFlagDrcError | kFlagHighlight, kFlagDrcError | kFlagHighlight);
    CRecordingDC marked;
    pin->Draw(&marked, nullptr);
    ASSERT_FALSE(marked.Lines().empty());
    EXPECT_EQ(marked.Lines()[0],
              "Polygon -13,-13 313,-13 313,13 -13,13 pen=null brush=solid/0x00FFFF "
              "fill=alternate rop=13");
    pin->SetFlags(0, kFlagDrcError | kFlagHighlight);
    CRecordingDC plain;
    pin->Draw(&plain, nullptr);
    EXPECT_EQ(plain.Lines().size(), marked.Lines().size() - 1);
}

// Name beyond the body end, centred on the line; number 60 units inside, above the line;
// the backslash overlines the next letter and is not shown.
TEST(PinTest, NameAndNumberLieAlongTheLine) {
    auto pin = FreePin(CPoint(0, 0), CPoint(300, 0));
    pin->SetAttr("_ID", "\\RST", kSetAttrForce);
    pin->SetAttr("_No", "7", kSetAttrForce);
    CRecordingDC dc;
    pin->Draw(&dc, nullptr);
    // Default pin font: height 80, each byte 48 wide.
    const std::string name =
        "TextOut -179,40 \"RST\" font=Arial/80/400 color=0x000080 bk=transparent align=left,top";
    const std::string number =
        "TextOut 60,80 \"7\" font=Arial/80/400 color=0x008000 bk=transparent align=left,top";
    const auto& lines = dc.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), name), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), number), lines.end());
    const std::string bar = "LineTo -131,40 pen=solid/5/0x000080 rop=13";
    EXPECT_NE(std::find(lines.begin(), lines.end(), bar), lines.end());
}

// The pin font of 80 units comes out 2 pixels high at 29 pixels to 1000 units, 8 at 96.
TEST(PinTest, NameAndNumberTooSmallToReadAreLeftOutWithTheirOutlines) {
    auto pin = FreePin(CPoint(0, 0), CPoint(300, 0));
    pin->SetAttr("_ID", "RST", kSetAttrForce);
    pin->SetAttr("_No", "7", kSetAttrForce);
    const auto count = [&](int pixelsPerInch, bool tracker, const std::string& kind) {
        CRecordingDC dc;
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 1000);
        dc.SetViewportExt(pixelsPerInch, -pixelsPerInch);
        if (tracker)
            pin->DrawTracker(&dc, kTrackerSelected, nullptr);
        else
            pin->Draw(&dc, nullptr);
        return std::count_if(dc.Lines().begin(), dc.Lines().end(),
                             [&](const std::string& line) { return line.starts_with(kind); });
    };
    EXPECT_EQ(count(96, false, "TextOut"), 2);
    EXPECT_EQ(count(96, true, "Polygon"), 2);
    EXPECT_EQ(count(29, false, "TextOut"), 0);
    EXPECT_EQ(count(29, true, "Polygon"), 0);
    // The line itself stays.
    EXPECT_GT(count(29, false, "LineTo"), 0);
}

TEST(PinTest, ChecksOfNameAndNumber) {
    CSymbol symbol;
    auto* pin = new CPin(&symbol);
    auto* other = new CPin(&symbol);
    symbol.GetPins().AddTail(pin);
    symbol.GetPins().AddTail(other);
    other->SetAttr("_ID", "A", kSetAttrForce);
    struct Case {
        const char* name;
        const char* value;
        int code;
    };
    const Case cases[] = {
        {"_ID", "  ", kIdMissing}, {"_ID", "A\x01", kInvalidCharacter}, {"_ID", " A ", kIdExists},
        {"_ID", "B", kAttrOk},     {"_No", "", kNumberMissing},         {"_No", "3", kNoDevice},
        {"Other", "", kAttrOk},
    };
    for (const Case& c : cases) {
        CString value(c.value);
        EXPECT_EQ(pin->CheckAttrValue(c.name, value), c.code) << c.name << " '" << c.value << "'";
    }
    EXPECT_FALSE(pin->SetAttr("_ID", "A", 0));
    EXPECT_TRUE(pin->SetAttr("_ID", " B ", 0));
    EXPECT_EQ(pin->GetAttr("_ID"), "B");
}

TEST(PinTest, TooltipListsTheOtherAttributesAndIsCut) {
    auto pin = FreePin(CPoint(0, 0), CPoint(100, 0));
    pin->SetPinType(1);
    pin->SetAttr("_ID", "Q", kSetAttrForce);
    pin->SetAttr("Drive", "4mA", kSetAttrForce);
    EXPECT_EQ(pin->GetTipText(), "Pin: Q\nType: Output Pin\nDrive = 4mA");
    pin->SetAttr("Note", std::string(300, 'x').c_str(), kSetAttrForce);
    EXPECT_EQ(pin->GetTipText().GetLength(), 259);
}

// A pasted pin keeps its name; only a missing or taken name is replaced.
TEST(PinTest, AssignIdKeepsAFreeName) {
    CSymbol symbol;
    auto* first = new CPin(&symbol);
    auto* second = new CPin(&symbol);
    auto* third = new CPin(&symbol);
    for (CPin* pin : {first, second, third})
        symbol.GetPins().AddTail(pin);
    first->SetAttr("_ID", "Pin 1", kSetAttrForce);
    second->SetAttr("_ID", "DATA", kSetAttrForce);
    third->SetAttr("_ID", "Pin 1", kSetAttrForce);
    for (CPin* pin : {first, second, third})
        pin->AssignId(0);
    EXPECT_EQ(second->GetAttr("_ID"), "DATA");
    const std::set<std::string> names = {first->GetAttr("_ID").str(), third->GetAttr("_ID").str()};
    EXPECT_EQ(names, (std::set<std::string>{"Pin 1", "Pin 2"}));
}

// A flat pin of no height scales along x and only moves along y.
TEST(PinTest, MoveToFromAFlatRectangleMovesAlongTheFlatAxis) {
    auto pin = std::make_unique<CPin>();
    const LOGPEN thin{PS_SOLID, {0, 0}, 0};
    pin->SetPen(&thin);
    pin->SetDecorationSize(0);
    pin->SetFlags(0, kPinShowName | kPinShowNumber);
    pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
    ASSERT_EQ(pin->GetPosition(), CRect(0, 0, 100, 0));
    pin->MoveTo(CRect(0, 50, 200, 100), nullptr);
    EXPECT_EQ(pin->GetBodyEnd(), CPoint(0, 100));
    EXPECT_EQ(pin->GetHotEnd(), CPoint(200, 100));
}

TEST(PinTest, DecorationsPaintTheirStrokes) {
    struct Case {
        DWORD symbol;
        std::size_t lines;
        bool ellipse;
    };
    const Case cases[] = {{kPinNormal, 1, false},
                          {kPinBubble, 1, true},
                          {kPinInverting, 2, false},
                          {kPinOpenCollector, 5, false},
                          {kPinInvertingOther, 2, false}};
    for (const Case& c : cases) {
        auto pin = FreePin(CPoint(0, 0), CPoint(300, 0));
        pin->SetFlags(c.symbol, kPinSymbolMask | kPinShowName | kPinShowNumber);
        CRecordingDC dc;
        pin->Draw(&dc, nullptr);
        std::size_t lines = 0;
        bool ellipse = false;
        for (const std::string& line : dc.Lines()) {
            lines += line.starts_with("LineTo");
            ellipse = ellipse || line.starts_with("Ellipse 0,-15,30,15");
        }
        EXPECT_EQ(lines, c.lines) << c.symbol;
        EXPECT_EQ(ellipse, c.ellipse) << c.symbol;
    }
}

// The purge keeps the link to a wire of the document that starts or ends on the pin, and drops
// it when the wire left the document or ends elsewhere.
TEST(PinTest, PurgeKeepsOnlyTheWireThatEndsOnThePin) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    auto* symbol = new CSymbol();
    auto* pin = new CPin(symbol);
    pin->SetEnds(CPoint(100, 0), CPoint(0, 0));
    symbol->GetPins().AddTail(pin);
    symbol->SetDocument(&doc);
    doc.GetObjects().AddTail(symbol);
    auto* wire = new CWire();
    wire->AddPoint(CPoint(0, 0));
    wire->AddPoint(CPoint(-500, 0));
    wire->SetDocument(&doc);
    doc.GetObjects().AddTail(wire);

    wire->SetStartObject(pin);
    pin->PurgeAttrTexts();
    EXPECT_EQ(pin->GetWire(), wire);
    wire->SetStartObject(nullptr);
    wire->SetEndObject(pin);
    pin->PurgeAttrTexts();
    EXPECT_EQ(pin->GetWire(), wire);
    wire->SetEndObject(nullptr);
    pin->SetWire(wire);
    pin->PurgeAttrTexts();
    EXPECT_EQ(pin->GetWire(), nullptr);

    CWire gone;
    gone.SetStartObject(pin);
    pin->PurgeAttrTexts();
    EXPECT_EQ(pin->GetWire(), nullptr);
}
