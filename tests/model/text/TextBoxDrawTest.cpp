#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/text/TextBox.h"
#include "tests/model/text/TextTestSupport.h"

using namespace texttest;
using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace {

using Lines = std::vector<std::string>;

const double kMirrorX[] = {-1, 0, 0, 0, 1, 0};

// A line placed at "x,y" and its text, in the painter's font with escapement esc.
Lines Line(const char* at, const char* text, int esc = 0) {
    const std::string font = esc ? "/esc" + std::to_string(esc) : "";
    return {std::string("MoveTo ") + at, std::string("TextOut ") + at + " \"" + text +
                                             "\" font=Arial/111/400" + font +
                                             " color=0x000000 bk=transparent align=left,top"};
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const CRect kBox(0, 0, 1000, -300);

// What a box of text draws into the painter's context, which it must leave as it found it.
Lines Drawn(const char* text, WORD flags, const CRect& rect = kBox, int rotation = 0,
            const double* matrix = nullptr) {
    CTextBox box(rect);
    box.SetTextFlags(flags, 0xFF);  // no auto size
    box.SetText(text, FALSE);
    box.SetRotation(rotation);
    PaintDC dc;
    box.Draw(&dc, matrix);
    EXPECT_EQ(dc.GetCurrentFont()->Log().lfHeight, 111) << text;
    EXPECT_EQ(dc.GetBkMode(), OPAQUE) << text;
    EXPECT_EQ(dc.GetTextAlign(), UINT(TA_LEFT | TA_TOP)) << text;
    return dc.Lines();
}

TEST(TextBoxDrawTest, LinesAndPlacesFollowTheBoxAndThePlacement) {
    EXPECT_EQ(Drawn("Text", 0), Line("5,-5", "Text"));
    // Lines go down by the line height; soft breaks split lines too.
    EXPECT_EQ(Drawn("A\r\nB", kTextMultiLine), Join({Line("5,-5", "A"), Line("5,-116", "B")}));
    // Lines that do not fit are left out.
    EXPECT_EQ(Drawn("A\r\nB\r\nC", kTextMultiLine, CRect(0, 0, 1000, -150)), Line("5,-5", "A"));
    EXPECT_EQ(Drawn("ab", kTextAlignRight), Line("861,-5", "ab"));
    // Too wide: squeezed to the text rectangle, unless a single character.
    EXPECT_EQ(Drawn("Text", kTextAlignRight, CRect(0, 0, 200, -300)),
              (Lines{"MoveTo 5,-5", Line("5,-5", "Text")[1] + " dx=48,47,48,47"}));
    // Below 20 units inside the borders nothing.
    EXPECT_EQ(Drawn("Text", 0, CRect(0, 0, 29, -300)), Lines{});
    // Turned: the font turns with the frame, counter-clockwise.
    EXPECT_EQ(Drawn("Text", 0, kBox, 900), Line("5,5", "Text", 900));
    // Mirrored: from the right edge, upright.
    EXPECT_EQ(Drawn("Text", 0, kBox, 0, kMirrorX), Line("-995,-5", "Text", 3600));
    EXPECT_EQ(Drawn("ab", kTextAlignRight, kBox, 0, kMirrorX), Line("-139,-5", "ab", 3600));
}

// The painter's font of 111 units comes out 3 pixels high at 29 pixels to 1000 units.
TEST(TextBoxDrawTest, TextTooSmallToReadIsLeftOutOnTheScreenButPrinted) {
    const auto drawn = [](bool printing) {
        CRecordingDC::Device device;
        device.printing = printing;
        PaintDC dc(device);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 1000);
        dc.SetViewportExt(29, -29);
        CTextBox box(kBox);
        box.SetTextFlags(0, 0xFF);
        box.SetText("Text", FALSE);
        box.Draw(&dc, nullptr);
        return dc.Lines();
    };
    EXPECT_EQ(drawn(false), Lines{});
    EXPECT_EQ(drawn(true), Line("5,-5", "Text"));
}

TEST(TextBoxDrawTest, OwnFontsPenColoursAndPrintingWithMirroredAngles) {
    CDrawDoc doc;
    CTextBox box(kBox);
    box.SetTextFlags(0, kTextAutoSize);
    box.SetDocument(&doc);
    LOGFONT font = CTextBox::kDefaultFont;
    font.lfHeight = -160;
    box.SetFont(&font);
    const LOGPEN red{PS_SOLID, {0, 0}, RGB(255, 0, 0)};
    box.SetPen(&red);
    PaintDC screen;
    box.Draw(&screen, nullptr);
    EXPECT_THAT(screen.Lines(), ElementsAre("MoveTo 5,-5",
                                            "TextOut 5,-5 \"Text\" "
                                            "font=Arial/222/400 color=0x0000FF "
                                            "bk=transparent align=left,top"));
    box.SetRotation(900);
    PaintDC turned;
    box.Draw(&turned, nullptr);
    EXPECT_THAT(turned.Lines()[1], ::testing::HasSubstr("/esc900 "));
    CRecordingDC::Device printer;
    printer.printing = true;
    PaintDC paper(printer);
    doc.m_printSettings.m_flags |= CPrintSettings::kMirrorTextAngle;
    box.Draw(&paper, nullptr);
    EXPECT_THAT(paper.Lines()[1], ::testing::HasSubstr("/esc-900 "));
}

TEST(TextBoxDrawTest, OutlineFillMarksAndTrackers) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    ScopedApp installed(app);
    CTextBox box(CRect(0, 0, 1000, -200));
    box.SetFlags(kFlagOutlined | kFlagFilled | kFlagDrcError, 0xFF);
    PaintDC dc;
    box.Draw(&dc, nullptr);
    EXPECT_EQ(dc.Lines(),
              Join({{"Rectangle 0,0,1000,-200 pen=solid/0/0x000000 brush=solid/0xC0C0C0 rop=13",
                     "Rectangle 0,0,1000,-200 pen=solid/0/0x000000 brush=solid/0x00FFFF rop=13"},
                    Line("5,-5", "Text")}));
    // Trackers outline the box; only the dominant one adds the eight handles.
    PaintDC tracker;
    box.DrawTracker(&tracker, kTrackerSelected, nullptr);
    box.DrawTracker(&tracker, kTrackerDominant, nullptr);
    EXPECT_EQ(tracker.Lines().size(), 1u + 9u);
}

// Keeps the texts as "MText x,y "text" height alignment angle".
class TextDxf : public shapetest::RecordingDxf {
public:
    void DxfWriteMText(std::string_view text, POINT at, int height, int alignment, double angle,
                       const double*) override {
        char line[100];
        std::snprintf(line, sizeof line, "MText %d,%d \"%.*s\" %d %d %.4f", int(at.x), int(at.y),
                      int(text.size()), text.data(), height, alignment, angle);
        calls.push_back(line);
    }
};

TEST(TextBoxDrawTest, DxfWritesTheOutlineAndOneMTextPerLine) {
    CTextBox box(kBox);
    box.SetTextFlags(kTextMultiLine | kTextAlignCentre, 0xFF);
    box.SetText("A\r\r\nB", FALSE);
    TextDxf dxf;
    box.ExportDxf(&dxf, 1, nullptr);
    EXPECT_TRUE(dxf.calls.empty());
    box.ExportDxf(&dxf, 2, nullptr);
    EXPECT_THAT(dxf.calls,
                ElementsAre("MText 500,0 \"A\" 111 1 0.0000", "MText 500,-111 \"B\" 111 1 0.0000"));
    // The points are placed, rotation included; the angle is that of the drawn text.
    dxf.calls.clear();
    box.SetFlags(kFlagOutlined, kFlagOutlined);
    box.SetRotation(900);
    box.ExportDxf(&dxf, 2, kMirrorX);
    EXPECT_THAT(dxf.calls, ElementsAre(StartsWith("LwPolyline "), "MText 0,500 \"A\" 111 1 4.7124",
                                       "MText -111,500 \"B\" 111 1 4.7124"));
}

}  // namespace
