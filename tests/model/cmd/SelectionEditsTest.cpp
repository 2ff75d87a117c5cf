// The view's edits of its selection: what the toolbars read back, the steps recorded, and the
// text format buttons.

#include <gtest/gtest.h>

#include "model/cmd/SelectionEdits.h"
#include "model/cmd/TextFormat.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/support/TestPart.h"
#include "model/text/TextBox.h"
#include "support/ScriptedPrompt.h"

namespace {

class Sheet {
public:
    template <class T>
    T* Add(T* object) {
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
        return object;
    }
    CDrawRect* Rect(int x = 0) { return Add(new CDrawRect(CRect(x, 0, x + 500, -500))); }
    CDrawRect* Line() {
        auto* line = new CDrawRect(CRect(0, 0, 500, 500));
        line->SetShape(kShapeLine);
        line->SetFlags(kFlagOpen | kFlagOutlined, 0xFFFF);
        return Add(line);
    }
    CTextBox* Text(LONG weight, BYTE italic, WORD alignment) {
        auto* text = Add(new CTextBox(CRect(0, 0, 600, -300)));
        LOGFONT font = text->GetFont();
        font.lfWeight = weight;
        font.lfItalic = italic;
        text->SetFont(&font);
        text->SetTextFlags(alignment, 3);
        return text;
    }
    int Steps() { return doc.GetUndoList().GetCount(); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

TEST(SelectionEdits, ColourQueryTellsUniformAndDefault) {
    Sheet sheet;
    CDrawRect* a = sheet.Rect();
    CDrawRect* b = sheet.Rect(1000);
    EXPECT_EQ(SelectionColourWord(ObjectList{}, false), 0x01000000u);
    EXPECT_EQ(SelectionColourWord(ObjectList{a, b}, false), 0x03000000u);
    a->SetLineColor(0x0000FF);
    b->SetLineColor(0x0000FF);
    EXPECT_EQ(SelectionColourWord(ObjectList{a, b}, false), 0x010000FFu);
    b->SetLineColor(0x00FF00);
    EXPECT_EQ(SelectionColourWord(ObjectList{a, b}, false), 0x000000FFu);
}

TEST(SelectionEdits, EveryLineWidthOfThePickerReadsBack) {
    Sheet sheet;
    CDrawRect* rect = sheet.Rect();
    EXPECT_TRUE(EditSelectionStyle(sheet.doc, ObjectList{rect}, false, -150));
    EXPECT_EQ(rect->GetPen().lopnWidth.x, 21);
    EXPECT_EQ(SelectionPenWord(ObjectList{rect}), 0x00960000u);
    for (int width : {-20, -50, -100, -150, -200, -250, -300, -400}) {
        rect->SetLineStyle(width);
        EXPECT_EQ(SelectionPenWord(ObjectList{rect}), DWORD(-width) << 16) << width;
    }
    CDrawRect* other = sheet.Rect(1000);
    EXPECT_EQ(SelectionPenWord(ObjectList{rect, other}), 0xFFFF0000u);  // widths differ
    other->SetLineStyle(PS_DASH);
    EXPECT_EQ(SelectionPenWord(ObjectList{rect, other}), 0xFFFFFFFFu);  // styles differ
}

// Open outlines keep their line; a bus is not one of them.
TEST(SelectionEdits, RemovingOutlinesPassesLinesAndWiresBy) {
    Sheet sheet;
    CDrawRect* line = sheet.Line();
    CWire* wire = sheet.Add(new CWire);
    EXPECT_FALSE(
        EditSelectionColour(sheet.doc, ObjectList{line, wire}, false, ColourEdit::kRemove, 0));
    EXPECT_EQ(sheet.Steps(), 0);
    CBus* bus = sheet.Add(new CBus);
    bus->SetFlags(kFlagOutlined | kFlagOpen, kFlagOutlined | kFlagOpen);
    EXPECT_TRUE(
        EditSelectionColour(sheet.doc, ObjectList{line, bus}, false, ColourEdit::kRemove, 0));
    EXPECT_FALSE(bus->GetFlags() & kFlagOutlined);
    EXPECT_TRUE(line->GetFlags() & kFlagOutlined);
    EXPECT_EQ(sheet.Steps(), 1);
}

TEST(SelectionEdits, LineColourLeavesATextBoxUnframed) {
    Sheet sheet;
    CTextBox* text = sheet.Text(FW_NORMAL, 0, 0);
    CDrawRect* rect = sheet.Rect();
    rect->SetFlags(0, kFlagOutlined);
    EXPECT_TRUE(
        EditSelectionColour(sheet.doc, ObjectList{text, rect}, false, ColourEdit::kSet, 0xFF));
    EXPECT_FALSE(text->GetFlags() & kFlagOutlined);
    EXPECT_TRUE(rect->GetFlags() & kFlagOutlined);
    EXPECT_EQ(text->GetPen().lopnColor, 0xFFu);
}

TEST(SelectionEdits, OrderMovesRecordOnlyWhatMoves) {
    Sheet sheet;
    CDrawRect* a = sheet.Rect();
    CDrawRect* b = sheet.Rect(1);
    CDrawRect* c = sheet.Rect(2);
    EXPECT_FALSE(MoveSelectionInOrder(sheet.doc, ObjectList{a}, OrderMove::kBack));
    EXPECT_FALSE(MoveSelectionInOrder(sheet.doc, ObjectList{c}, OrderMove::kToFront));
    EXPECT_EQ(sheet.Steps(), 0);
    EXPECT_TRUE(MoveSelectionInOrder(sheet.doc, ObjectList{b, a}, OrderMove::kToFront));
    EXPECT_EQ(Contents(sheet.doc.GetObjects()), (std::vector<CObject*>{c, a, b}));
    EXPECT_TRUE(MoveSelectionInOrder(sheet.doc, ObjectList{b}, OrderMove::kBack));
    EXPECT_EQ(Contents(sheet.doc.GetObjects()), (std::vector<CObject*>{c, b, a}));
    EXPECT_TRUE(MoveSelectionInOrder(sheet.doc, ObjectList{c}, OrderMove::kForward));
    EXPECT_EQ(Contents(sheet.doc.GetObjects()), (std::vector<CObject*>{b, c, a}));
    EXPECT_EQ(sheet.Steps(), 3);
}

TEST(SelectionEdits, RotationAngles) {
    EXPECT_EQ(RotationTenths(45.0, false), 450);
    EXPECT_EQ(RotationTenths(45.0, true), -450);
    EXPECT_EQ(RotationTenths(12.34, false), 123);
    EXPECT_EQ(RotationTenths(0.0, false), 0);
}

TEST(SelectionEdits, OpenLinesThatFormNoLoopStayAsTheyAre) {
    Sheet sheet;
    testsupport::ScriptedPrompt prompt{IDOK};
    CDrawRect* a = sheet.Line();
    CDrawRect* b = sheet.Line();
    b->MoveTo(CRect(500, 500, 1000, 0), nullptr);
    EXPECT_TRUE(CanCreateFillShape(ObjectList{a, b}));
    EXPECT_FALSE(CreateFillShape(sheet.doc, ObjectList{a, b}));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Error - could not resolve objects into a single shape.");
    EXPECT_EQ(sheet.Steps(), 0);
    EXPECT_EQ(sheet.doc.GetObjects().GetCount(), 2);
}

TEST(SelectionEdits, WhenTheCommandsApply) {
    Sheet sheet;
    CDrawRect* rect = sheet.Rect();
    CDrawRect* line = sheet.Line();
    CWire* wire = sheet.Add(new CWire);
    EXPECT_TRUE(CanEditFillColour(ObjectList{line, rect}));
    EXPECT_FALSE(CanEditFillColour(ObjectList{line, wire}));
    EXPECT_TRUE(CanGroup(ObjectList{line, rect}));
    EXPECT_FALSE(CanGroup(ObjectList{rect}));
    EXPECT_FALSE(CanGroup(ObjectList{rect, wire}));
    EXPECT_FALSE(CanCreateFillShape(ObjectList{line, rect}));
    EXPECT_TRUE(CanPickLineStyle(ObjectList{wire}));
    EXPECT_FALSE(CanPickFillStyle(ObjectList{wire, line}));
}

// One bold and one normal box become bold in one step; italic likewise.
TEST(TextFormat, MixedFontsAllTakeTheStyle) {
    Sheet sheet;
    sheet.Text(FW_BOLD, 1, 0);
    sheet.Text(FW_NORMAL, 0, 2);
    const TextFormatState mixed = TextFormatState::Of(sheet.doc.GetObjects());
    EXPECT_EQ(mixed.font.lfWeight, FW_NORMAL);
    EXPECT_EQ(mixed.font.lfItalic, 0);
    EXPECT_EQ(mixed.alignment, 3);
    EXPECT_EQ(mixed.count, 2);
    for (TextFontStyle style : {TextFontStyle::kBold, TextFontStyle::kItalic}) {
        CObList selection;
        selection.AddTail(&sheet.doc.GetObjects());
        EXPECT_TRUE(ToggleTextFontStyle(sheet.doc, selection, style));
    }
    const TextFormatState after = TextFormatState::Of(sheet.doc.GetObjects());
    EXPECT_EQ(after.font.lfWeight, FW_BOLD);
    EXPECT_EQ(after.font.lfItalic, 1);
    EXPECT_EQ(sheet.Steps(), 2);
    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "text format");
}

TEST(TextFormat, AlignmentOfAMixedSelection) {
    Sheet sheet;
    sheet.Text(FW_NORMAL, 0, 0);
    sheet.Text(FW_NORMAL, 0, 2);
    CObList selection;
    selection.AddTail(&sheet.doc.GetObjects());
    EXPECT_TRUE(SetTextAlignment(sheet.doc, selection, 1));
    EXPECT_EQ(TextFormatState::Of(sheet.doc.GetObjects()).alignment & 3, 1);
}

TEST(TextFormat, NoTextBoxNoStep) {
    Sheet sheet;
    CDrawRect* rect = sheet.Rect();
    EXPECT_FALSE(ToggleTextFontStyle(sheet.doc, ObjectList{rect}, TextFontStyle::kBold));
    EXPECT_FALSE(SetTextAlignment(sheet.doc, ObjectList{rect}, 2));
    EXPECT_EQ(TextFormatState::Of(ObjectList{rect}).count, 0);
    EXPECT_EQ(sheet.Steps(), 0);
}

}  // namespace
