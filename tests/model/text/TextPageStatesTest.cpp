#include <gtest/gtest.h>

#include <cstring>

#include "model/cmd/NamedEdit.h"
#include "model/doc/DrawDoc.h"
#include "model/support/TestPart.h"
#include "model/text/TextBox.h"
#include "model/text/TextFontState.h"
#include "model/text/TextGeneralState.h"
#include "support/ScriptedPrompt.h"

namespace {

class TextPageStatesTest : public ::testing::Test {
protected:
    CTextBox* Text(const char* text, WORD flags = kTextAutoSize) {
        auto* box = new CTextBox(CRect(0, 0, 2000, -300));
        box->SetDocument(&doc);
        box->SetTextFlags(flags, 0xFFFF);
        box->SetText(text, FALSE);
        doc.GetObjects().AddTail(box);
        texts.AddTail(box);
        return box;
    }
    static LOGFONT Font(const char* face, LONG height, LONG weight, BYTE italic) {
        LOGFONT font = CTextBox::kDefaultFont;
        std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        font.lfHeight = height;
        font.lfWeight = weight;
        font.lfItalic = italic;
        return font;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CObList texts;
};

TEST_F(TextPageStatesTest, MarginsShowInInchesAndMillimetres) {
    CTextBox* box = Text("R1");
    box->SetBorders(1000, 5, 5, 5);
    TextGeneralState state;
    state.Load(texts);
    EXPECT_EQ(state.MarginText(TextGeneralState::kLeft, MarginUnit::kInch), "1");
    EXPECT_EQ(state.MarginText(TextGeneralState::kLeft, MarginUnit::kMillimetre), "25.4");
    CString message;
    ASSERT_TRUE(
        state.ParseMargin(TextGeneralState::kTop, "2.54", MarginUnit::kMillimetre, message));
    EXPECT_EQ(state.margins[TextGeneralState::kTop], 100);
    EXPECT_FALSE(state.ParseMargin(TextGeneralState::kTop, "70", MarginUnit::kInch, message));
    EXPECT_FALSE(state.ParseMargin(TextGeneralState::kTop, "-1", MarginUnit::kInch, message));
    EXPECT_FALSE(state.ParseMargin(TextGeneralState::kTop, "wide", MarginUnit::kInch, message));
    EXPECT_EQ(state.margins[TextGeneralState::kTop], 100);
    ASSERT_TRUE(state.ParseMargin(TextGeneralState::kTop, "", MarginUnit::kInch, message));
    EXPECT_FALSE(state.margins[TextGeneralState::kTop].has_value());
}

TEST_F(TextPageStatesTest, DifferingTextsLoadUnknownAndKeepTheirOwnOnApply) {
    CTextBox* a = Text("Supply", kTextAlignCentre | kTextMultiLine);
    CTextBox* b = Text("Ground", kTextAlignRight | kTextAutoSize);
    b->SetBorders(20, 5, 5, 5);
    TextGeneralState state;
    state.Load(texts);
    EXPECT_TRUE(state.multiple);
    EXPECT_EQ(state.text, "");
    EXPECT_FALSE(state.alignment.has_value());
    EXPECT_EQ(state.multiLine, TriState::kMixed);
    EXPECT_EQ(state.autoSize, TriState::kMixed);
    EXPECT_FALSE(state.margins[TextGeneralState::kLeft].has_value());
    EXPECT_EQ(state.margins[TextGeneralState::kRight], 5);
    state.ApplyTo(*a);
    state.ApplyTo(*b);
    EXPECT_EQ(a->GetText(), "Supply");
    EXPECT_EQ(b->GetText(), "Ground");
    EXPECT_EQ(a->GetTextFlags(), kTextAlignCentre | kTextMultiLine);
    EXPECT_EQ(b->GetTextFlags(), kTextAlignRight | kTextAutoSize);
    EXPECT_EQ(b->GetBorders()[0], 20);

    state.alignment = kTextAlignLeft;
    state.autoSize = TriState::kOff;
    state.margins[TextGeneralState::kTop] = 40;
    state.text = "VCC";
    state.ApplyTo(*b);
    EXPECT_EQ(b->GetText(), "VCC");
    EXPECT_EQ(b->GetTextFlags(), kTextAlignLeft);
    EXPECT_EQ(b->GetBorders()[TextGeneralState::kTop], 40);
    EXPECT_EQ(b->GetBorders()[TextGeneralState::kLeft], 20);
}

// A mirror leaves an auto-sized text's stored rectangle with its edges reversed; the General
// page accepted as it loaded keeps that rectangle, and a changed border lays the text out anew.
TEST_F(TextPageStatesTest, AnUntouchedApplyKeepsAMirroredRectangle) {
    CTextBox* box = Text("Supply");
    box->Mirror(1000, 0, 1000, 1000);
    const CRect mirrored = box->GetPosition();
    ASSERT_GT(mirrored.left, mirrored.right);
    TextGeneralState state;
    state.Load(texts);
    state.ApplyTo(*box);
    EXPECT_EQ(box->GetPosition(), mirrored);

    state.margins[TextGeneralState::kLeft] = 40;
    state.ApplyTo(*box);
    EXPECT_LT(box->GetPosition().left, box->GetPosition().right);
}

TEST_F(TextPageStatesTest, DifferentFontsLoadUnknownAndOkKeepsEachFont) {
    CTextBox* a = Text("A");
    CTextBox* b = Text("B");
    const LOGFONT arial = Font("Arial", -100, FW_BOLD, 0);
    const LOGFONT times = Font("Times New Roman", -120, FW_NORMAL, 1);
    a->SetFont(&arial);
    b->SetFont(&times);
    TextFontState state;
    state.Load(texts);
    EXPECT_FALSE(state.face.has_value());
    EXPECT_FALSE(state.height.has_value());
    EXPECT_EQ(state.SizeText(), "");
    EXPECT_EQ(state.Bold(), TriState::kMixed);
    EXPECT_EQ(state.italic, TriState::kMixed);
    state.ApplyTo(*a);
    state.ApplyTo(*b);
    EXPECT_STREQ(a->GetOwnFont()->lfFaceName, "Arial");
    EXPECT_EQ(a->GetOwnFont()->lfWeight, FW_BOLD);
    EXPECT_STREQ(b->GetOwnFont()->lfFaceName, "Times New Roman");
    EXPECT_EQ(b->GetOwnFont()->lfHeight, -120);
    EXPECT_EQ(b->GetOwnFont()->lfItalic, 1);

    state.underline = TriState::kOn;
    state.ChooseFace(Font("Courier New", 0, 0, 0));
    state.ApplyTo(*a);
    EXPECT_STREQ(a->GetOwnFont()->lfFaceName, "Courier New");
    EXPECT_EQ(a->GetOwnFont()->lfHeight, -100);
    EXPECT_EQ(a->GetOwnFont()->lfWeight, FW_BOLD);
    EXPECT_EQ(a->GetOwnFont()->lfUnderline, 1);
}

TEST_F(TextPageStatesTest, OnlyACharacterHeightReplacesTheHeight) {
    CTextBox* box = Text("A");
    TextFontState state;
    state.Load(texts);
    EXPECT_EQ(state.SizeText(), "8");  // the default text font
    // Untouched, the text keeps the document's font rather than getting one of its own.
    state.ApplyTo(*box);
    EXPECT_EQ(box->GetOwnFont(), nullptr);
    state.height = -3;
    EXPECT_EQ(state.AppliedTo(box->GetFont()).lfHeight, CTextBox::kDefaultFont.lfHeight);
    CString message;
    ASSERT_TRUE(state.ParseSize("10.5", message));
    EXPECT_EQ(state.height, -105);
    EXPECT_EQ(state.SizeText(), "10.5");
    EXPECT_FALSE(state.ParseSize("0", message));
    EXPECT_FALSE(state.ParseSize("big", message));
    state.ApplyTo(*box);
    ASSERT_NE(box->GetOwnFont(), nullptr);
    EXPECT_EQ(box->GetOwnFont()->lfHeight, -105);
}

TEST_F(TextPageStatesTest, TextPropertiesIsOneUndoableEdit) {
    Text("Supply");
    Text("Ground");
    const DocSnapshot before = Snapshot(doc);
    TextGeneralState general;
    general.Load(texts);
    general.alignment = kTextAlignRight;
    TextFontState font;
    font.Load(texts);
    font.SetBold(true);
    ASSERT_TRUE(ApplyNamedEdit(doc, texts, "text properties", [&](CDrawObj& copy) {
        general.ApplyTo(static_cast<CTextBox&>(copy));
        font.ApplyTo(static_cast<CTextBox&>(copy));
    }));
    const DocSnapshot after = Snapshot(doc);
    EXPECT_NE(after, before);
    CUndoList& undo = doc.GetUndoList();
    EXPECT_STREQ(undo.GetUndoName(), "text properties");
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(doc), before);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(doc), after);
}

}  // namespace
