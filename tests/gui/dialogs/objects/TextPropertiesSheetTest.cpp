#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstring>
#include <functional>

#include "gui/dialogs/objects/DlgTextFont.h"
#include "gui/dialogs/objects/DlgTextGeneral.h"
#include "gui/dialogs/objects/TextPropertiesSheet.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/text/TextBox.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

namespace {

class TextPropertiesSheetTest : public ::testing::Test {
protected:
    TextPropertiesSheetTest() { QtTestApp::ensure(); }

    CTextBox* Text(const char* text, const char* face, LONG height) {
        auto* box = new CTextBox(CRect(0, 0, 2000, -300));
        box->SetDocument(&doc);
        LOGFONT font = CTextBox::kDefaultFont;
        std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        font.lfHeight = height;
        box->SetFont(&font);
        box->SetText(text, FALSE);
        doc.GetObjects().AddTail(box);
        texts.AddTail(box);
        return box;
    }
    // Runs the sheet; script acts on it, then it is accepted (ok) or cancelled.
    bool Run(bool ok, const std::function<void(CPropertySheet&)>& script) {
        QTimer::singleShot(0, [ok, script] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            script(*sheet);
            ok ? sheet->accept() : sheet->reject();
        });
        return EditTextProperties(doc, texts, nullptr);
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CObList texts;
};

TEST_F(TextPropertiesSheetTest, PagesShowTheMergedTextsAndOkWithoutChangesKeepsThem) {
    CTextBox* a = Text("Supply", "Arial", -100);
    CTextBox* b = Text("Ground", "Times New Roman", -120);
    a->SetBorders(1000, 5, 5, 5);
    b->SetBorders(1000, 5, 5, 5);
    a->RecalcLayout();  // as placed texts are
    b->RecalcLayout();
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    EXPECT_TRUE(Run(true, [](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Text Properties (Multiple Selection)");
        ASSERT_TRUE(sheet.SetCurrentPage(0));
        auto* general = qobject_cast<CDlgTextGeneral*>(sheet.CurrentPage());
        ASSERT_NE(general, nullptr);
        EXPECT_TRUE(general->text()->toPlainText().isEmpty());
        general->units()->button(int(MarginUnit::kInch))->click();
        EXPECT_EQ(general->margin(TextGeneralState::kLeft)->text(), "1");
        general->units()->button(int(MarginUnit::kMillimetre))->click();
        EXPECT_EQ(general->margin(TextGeneralState::kLeft)->text(), "25.4");
        sheet.grab().save(QString(VOSK_BINARY_DIR) + "/text-properties-general.png");
        ASSERT_TRUE(sheet.SetCurrentPage(1));
        auto* font = qobject_cast<CDlgTextFont*>(sheet.CurrentPage());
        ASSERT_NE(font, nullptr);
        EXPECT_TRUE(font->size()->currentText().isEmpty());
        EXPECT_EQ(font->faces()->currentItem(), nullptr);
        EXPECT_EQ(font->italic()->checkState(), Qt::Unchecked);
        sheet.grab().save(QString(VOSK_BINARY_DIR) + "/text-properties-font.png");
    }));
    const auto* first = static_cast<CTextBox*>(doc.GetObjects().GetHead());
    const auto* second = static_cast<CTextBox*>(doc.GetObjects().GetTail());
    EXPECT_EQ(first->GetText(), "Supply");
    EXPECT_STREQ(first->GetOwnFont()->lfFaceName, "Arial");
    EXPECT_EQ(first->GetOwnFont()->lfHeight, -100);
    EXPECT_STREQ(second->GetOwnFont()->lfFaceName, "Times New Roman");
    EXPECT_EQ(second->GetOwnFont()->lfHeight, -120);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
}

// A face this system does not have is shown and chosen on the Font page, and kept by OK unless
// another face is picked.
TEST_F(TextPropertiesSheetTest, AStoredFaceThatIsNotInstalledIsShownAndKept) {
    const char* missing = "Courier New Vosk Test Face";
    Text("Clock", missing, -100);
    const auto shownFace = [missing](CPropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetCurrentPage(1));
        auto* font = static_cast<CDlgTextFont*>(sheet.CurrentPage());
        ASSERT_NE(font->faces()->currentItem(), nullptr);
        EXPECT_EQ(font->faces()->currentItem()->text(), missing);
        font->size()->setEditText("12");
    };
    EXPECT_TRUE(Run(true, shownFace));
    auto* text = static_cast<CTextBox*>(doc.GetObjects().GetHead());
    EXPECT_STREQ(text->GetOwnFont()->lfFaceName, missing);
    EXPECT_EQ(text->GetOwnFont()->lfHeight, -120);
    texts.RemoveAll();
    texts.AddTail(doc.GetObjects().GetHead());
    EXPECT_TRUE(Run(true, [missing](CPropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetCurrentPage(1));
        QListWidget* faces = static_cast<CDlgTextFont*>(sheet.CurrentPage())->faces();
        QListWidgetItem* other = faces->item(faces->item(0)->text() == missing ? 1 : 0);
        faces->setCurrentItem(other);
        emit faces->itemClicked(other);
    }));
    text = static_cast<CTextBox*>(doc.GetObjects().GetHead());
    EXPECT_STRNE(text->GetOwnFont()->lfFaceName, missing);
}

TEST_F(TextPropertiesSheetTest, ASizeAndTextTypedApplyToEveryTextCancelToNone) {
    Text("Supply", "Arial", -100);
    const auto edit = [](CPropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetCurrentPage(0));
        auto* general = static_cast<CDlgTextGeneral*>(sheet.CurrentPage());
        EXPECT_EQ(general->text()->toPlainText(), "Supply");
        general->text()->setPlainText("VCC\nrail");
        ASSERT_TRUE(sheet.SetCurrentPage(1));
        auto* font = static_cast<CDlgTextFont*>(sheet.CurrentPage());
        EXPECT_EQ(font->size()->currentText(), "10");
        font->size()->setEditText("12");
        font->bold()->click();
    };
    EXPECT_FALSE(Run(false, edit));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    EXPECT_TRUE(Run(true, edit));
    const auto* text = static_cast<CTextBox*>(doc.GetObjects().GetHead());
    EXPECT_EQ(text->GetText(), "VCC\r\nrail");
    EXPECT_EQ(text->GetOwnFont()->lfHeight, -120);
    EXPECT_EQ(text->GetOwnFont()->lfWeight, FW_BOLD);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "text properties");
}

TEST_F(TextPropertiesSheetTest, AnUnreadableSizeKeepsTheFontPageOn) {
    Text("Supply", "Arial", -100);
    testsupport::ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(Run(false, [](CPropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetCurrentPage(1));
        static_cast<CDlgTextFont*>(sheet.CurrentPage())->size()->setEditText("huge");
        EXPECT_FALSE(sheet.SetCurrentPage(0));
    }));
    EXPECT_EQ(prompt.shown().size(), 1u);
}

}  // namespace
