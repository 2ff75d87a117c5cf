#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/DrawDoc.h"
#include "model/TextBox.h"
#include "model/app/SchematicApp.h"
#include "support/TestSupport.h"
#include "tests/model/text/TextTestSupport.h"

using namespace texttest;

namespace {

using Lines = std::vector<std::string>;

// The font the document painter selects, as the recording context writes it.
const std::string kPaintFont = " font=Arial/111/400 color=0x000000 bk=transparent align=left,top";

std::string Text(const char* at, const char* text, const std::string& font = kPaintFont) {
    return std::string("TextOut ") + at + " \"" + text + "\"" + font;
}

struct DrawCase {
    const char* name;
    std::function<void(CTextBox&)> setUp;
    std::vector<double> matrix;  // empty: none
    Lines expected;
    CRect rect = CRect(0, 0, 1000, -200);
    bool printing = false;
};

const double kMirrorX[] = {-1, 0, 0, 0, 1, 0};

std::vector<DrawCase> Cases() {
    const std::string escaped =
        " font=Arial/111/400/esc-900 color=0x000000 bk=transparent align=left,top";
    return {
        {"one line at the top left inside the borders",
         [](CTextBox&) {},
         {},
         {"MoveTo 5,-5", Text("5,-5", "Text")}},
        {"lines go down by the line height",
         [](CTextBox& t) {
             t.SetTextFlags(kTextMultiLine, kTextMultiLine | kTextAutoSize);
             t.SetText("A\r\nB", FALSE);
         },
         {},
         {"MoveTo 5,-5", Text("5,-5", "A"), "MoveTo 5,-116", Text("5,-116", "B")},
         CRect(0, 0, 1000, -300)},
        {"soft breaks split lines like hard ones",
         [](CTextBox& t) {
             t.SetTextFlags(kTextMultiLine, kTextMultiLine | kTextAutoSize);
             t.SetText("ab \r\r\ncd", FALSE);
         },
         {},
         {"MoveTo 5,-5", Text("5,-5", "ab "), "MoveTo 5,-116", Text("5,-116", "cd")},
         CRect(0, 0, 1000, -300)},
        {"lines that do not fit in the rectangle are left out",
         [](CTextBox& t) {
             t.SetTextFlags(kTextMultiLine, kTextMultiLine | kTextAutoSize);
             t.SetText("A\r\nB\r\nC", FALSE);
         },
         {},
         {"MoveTo 5,-5", Text("5,-5", "A")},
         CRect(0, 0, 1000, -150)},
        {"centred",
         [](CTextBox& t) {
             t.SetTextFlags(kTextAlignCentre, kTextAlignMask | kTextAutoSize);
             t.SetText("ab", FALSE);
         },
         {},
         {"MoveTo 433,-5", Text("433,-5", "ab")}},
        {"right aligned",
         [](CTextBox& t) {
             t.SetTextFlags(kTextAlignRight, kTextAlignMask | kTextAutoSize);
             t.SetText("ab", FALSE);
         },
         {},
         {"MoveTo 861,-5", Text("861,-5", "ab")}},
        {"too wide: squeezed to exactly the text rectangle",
         [](CTextBox& t) { t.SetTextFlags(kTextAlignRight, kTextAlignMask | kTextAutoSize); },
         {},
         {"MoveTo 5,-5", Text("5,-5", "Text") + " dx=48,47,48,47"},
         CRect(0, 0, 200, -200)},
        {"one character is never squeezed",
         [](CTextBox& t) {
             t.SetTextFlags(0, kTextAutoSize);
             t.SetText("W", FALSE);
         },
         {},
         {"MoveTo 5,-5", Text("5,-5", "W")},
         CRect(0, 0, 40, -200)},
        {"a text rectangle below 20 units draws nothing",
         [](CTextBox&) {},
         {},
         {},
         CRect(0, 0, 29, -200)},
        {"turned by the rotation",
         [](CTextBox& t) { t.SetRotation(900); },
         {},
         {"MoveTo 5,5", Text("5,5", "Text", escaped)}},
        {"mirrored by the placement: from the right edge, upright",
         [](CTextBox&) {},
         {kMirrorX, kMirrorX + 6},
         {"MoveTo -995,-5",
          Text("-995,-5", "Text",
               " font=Arial/111/400/esc-3600 color=0x000000 bk=transparent align=left,top")}},
        {"mirrored and right aligned",
         [](CTextBox& t) {
             t.SetTextFlags(kTextAlignRight, kTextAlignMask | kTextAutoSize);
             t.SetText("ab", FALSE);
         },
         {kMirrorX, kMirrorX + 6},
         {"MoveTo -139,-5",
          Text("-139,-5", "ab",
               " font=Arial/111/400/esc-3600 color=0x000000 bk=transparent align=left,top")}},
        {"an own font in the pen's colour",
         [](CTextBox& t) {
             LOGFONT font = CTextBox::kDefaultFont;
             font.lfHeight = -160;
             t.SetFont(&font);
             LOGPEN pen{PS_SOLID, {0, 0}, RGB(255, 0, 0)};
             t.SetPen(&pen);
             t.SetTextFlags(0, kTextAutoSize);
         },
         {},
         {"MoveTo 5,-5", Text("5,-5", "Text",
                              " font=Arial/222/400 color=0x0000FF bk=transparent align=left,top")}},
    };
}

TEST(TextBoxDrawTest, LinesFontsAndPlacesFollowTheBoxAndThePlacement) {
    for (const DrawCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        CTextBox box(c.rect);
        c.setUp(box);
        PaintDC dc;
        box.Draw(&dc, c.matrix.empty() ? nullptr : c.matrix.data());
        EXPECT_THAT(dc.Lines(), ::testing::ElementsAreArray(c.expected));
        // Drawing leaves the context as it found it.
        EXPECT_EQ(dc.GetCurrentFont()->Log().lfHeight, 111);
        EXPECT_EQ(dc.GetBkMode(), OPAQUE);
        EXPECT_EQ(dc.GetTextAlign(), UINT(TA_LEFT | TA_TOP));
    }
}

TEST(TextBoxDrawTest, PrintingWithMirroredTextAnglesTurnsTheOtherWay) {
    CDrawDoc doc;
    CTextBox box(CRect(0, 0, 1000, -200));
    box.SetDocument(&doc);
    box.SetRotation(900);
    CRecordingDC::Device printer;
    printer.printing = true;
    PaintDC screen;
    PaintDC paper(printer);
    box.Draw(&screen, nullptr);
    doc.m_printSettings.m_flags |= CPrintSettings::kMirrorTextAngle;
    box.Draw(&paper, nullptr);
    ASSERT_EQ(screen.Lines().size(), 2u);
    ASSERT_EQ(paper.Lines().size(), 2u);
    EXPECT_THAT(screen.Lines()[1], ::testing::HasSubstr("/esc-900 "));
    EXPECT_THAT(paper.Lines()[1], ::testing::HasSubstr("/esc900 "));
}

TEST(TextBoxDrawTest, OutlineFillMarksAndTrackers) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    ScopedApp installed(app);
    CTextBox box(CRect(0, 0, 1000, -200));
    box.SetFlags(kFlagOutlined | kFlagFilled | kFlagDrcError, 0xFF);
    PaintDC dc;
    box.Draw(&dc, nullptr);
    EXPECT_THAT(dc.Lines(),
                ::testing::ElementsAre(
                    "Rectangle 0,0,1000,-200 pen=solid/0/0x000000 brush=solid/0xC0C0C0 rop=13",
                    "Rectangle 0,0,1000,-200 pen=solid/0/0x000000 brush=solid/0x00FFFF rop=13",
                    "MoveTo 5,-5", Text("5,-5", "Text")));
    // Trackers outline the box; only the dominant one adds the eight handles.
    const std::pair<int, std::size_t> trackers[] = {
        {kTrackerNone, 0}, {kTrackerSelected, 1}, {kTrackerDominant, 9}};
    for (const auto& [state, lines] : trackers) {
        PaintDC tracker;
        box.DrawTracker(&tracker, state, nullptr);
        EXPECT_EQ(tracker.Lines().size(), lines) << state;
    }
}

}  // namespace
