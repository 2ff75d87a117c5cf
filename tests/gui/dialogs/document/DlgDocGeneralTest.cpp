#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "gui/dialogs/document/DlgDocGeneral.h"
#include "gui/dialogs/objects/DlgTextFont.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/kit/ColourPickerDlg.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "support/ScriptedPrompt.h"

namespace {

class DlgDocGeneralTest : public ::testing::Test {
protected:
    DlgDocGeneralTest() { QtTestApp::ensure(); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

TEST_F(DlgDocGeneralTest, ShowsTheDefaultsRefusesOutOfRangeSizesAndWritesOnOk) {
    testsupport::ScriptedPrompt prompt({IDOK});
    DocSettings settings = DocSettings::Of(doc);
    auto* page = new CDlgDocGeneral(settings, nullptr);
    CPropertySheet sheet("Document Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    EXPECT_EQ(page->firstPartNumber()->text(), "1");
    EXPECT_EQ(page->colour(DocDefaultsForm::kPinNumberColour)->Colour(), COLORREF(32768));
    EXPECT_TRUE(sheet.grab().save(QString(VOSK_BINARY_DIR) + "/document-general.png"));

    page->lineSize(DocDefaultsForm::kWireLine)->setText("3.5");
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Please enter a number between 0 and 3.");

    page->lineSize(DocDefaultsForm::kWireLine)->setText("3");
    CColourButton* names = page->colour(DocDefaultsForm::kPinNameColour);
    names->click();
    names->picker()->automaticButton()->click();
    QTimer::singleShot(0, [] {
        auto* fonts = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(fonts, nullptr);
        EXPECT_EQ(fonts->windowTitle(), "Pin Font");
        auto* font = static_cast<CDlgTextFont*>(fonts->Page(0));
        font->size()->setEditText("10");
        fonts->accept();
    });
    page->pinFontButton()->click();
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(settings.wirePen.lopnWidth.x, 42);
    EXPECT_EQ(settings.pinNameColour, COLORREF(0x000080));
    EXPECT_EQ(settings.pinFont.lfHeight, 100);
}

}  // namespace
