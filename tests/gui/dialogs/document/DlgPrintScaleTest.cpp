#include "gui/dialogs/document/DlgPrintScale.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/document/PrintOptionsSheet.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/PrinterRecords.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

namespace {

class DlgPrintScaleTest : public ::testing::Test {
protected:
    DlgPrintScaleTest() { QtTestApp::ensure(); }

    CPrintSettings m_settings;
    CPrinterChoice m_printer;
};

void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST_F(DlgPrintScaleTest, ShowsTheSettingsAndEnablesFieldsByChoice) {
    m_settings.m_flags = 0;
    m_settings.m_scale = 0.25f;
    m_settings.m_offsetX = 1234;
    CDlgPrintScale page(m_settings, m_printer, {});
    page.show();
    // The look of the page, kept beside the build for a glance.
    const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
    QDir().mkpath(dir);
    EXPECT_TRUE(page.grab().toImage().save(dir + "/print-scale-page.png"));
    EXPECT_TRUE(page.sizeButton(PrintScaleForm::kScaled)->isChecked());
    EXPECT_EQ(page.factorEdit()->text(), "100");
    EXPECT_TRUE(page.factorEdit()->isEnabled());
    EXPECT_EQ(page.offsetEdit(0)->text(), "1.23");
    EXPECT_FALSE(page.offsetEdit(0)->isEnabled()) << "centred: no offsets";
    page.offsetButton()->setChecked(true);
    EXPECT_TRUE(page.offsetEdit(0)->isEnabled());
    page.cmButton()->setChecked(true);
    EXPECT_EQ(page.offsetEdit(0)->text(), "3.13");
    page.sizeButton(PrintScaleForm::kFitFourPages)->setChecked(true);
    EXPECT_FALSE(page.factorEdit()->isEnabled());

    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(m_settings.m_flags, 3u + 12u);
    EXPECT_EQ(m_settings.m_scale, 0.25f);
    EXPECT_EQ(m_settings.m_offsetX, 1234) << "the field was only shown in another unit";
}

TEST_F(DlgPrintScaleTest, TypedValuesAreTakenAndBadOnesRefused) {
    CDlgPrintScale page(m_settings, m_printer, {});
    page.offsetButton()->setChecked(true);
    page.cmButton()->setChecked(true);
    Type(page.offsetEdit(1), "3.13");
    page.sizeButton(PrintScaleForm::kScaled)->setChecked(true);
    Type(page.factorEdit(), "0");
    testsupport::ScriptedPrompt prompt({IDOK, IDOK});
    EXPECT_FALSE(page.OnOK());
    Type(page.factorEdit(), "250");
    Type(page.offsetEdit(0), "1e9");
    EXPECT_FALSE(page.OnOK());
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Please enter an integer between 30 and 1000."));
    EXPECT_EQ(prompt.shown()[1].text, CString("Please enter a number between -1000 and 1000."));
    EXPECT_EQ(m_settings.m_flags, 20u) << "a refused page writes nothing";

    Type(page.offsetEdit(0), "-0.5");
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(m_settings.m_flags, 16u + 3u);
    EXPECT_EQ(m_settings.m_scale, 2.5f);
    EXPECT_EQ(m_settings.m_offsetX, -197);
    EXPECT_EQ(m_settings.m_offsetY, 1232);
}

// OK with the page untouched adds no step and leaves the document's bytes; a size chosen then
// makes one step.
TEST_F(DlgPrintScaleTest, PrintOptionsUntouchedAddNoStep) {
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    auto run = [&doc](bool edit) {
        QTimer::singleShot(0, [edit] {
            auto* sheet = qobject_cast<CPrintOptionsSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            if (edit)
                sheet->page()->sizeButton(PrintScaleForm::kNormalSize)->setChecked(true);
            sheet->accept();
        });
        EditPrintOptions(doc, nullptr, {});
    };
    run(false);
    EXPECT_FALSE(doc.GetUndoList().CanUndo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    run(true);
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
}

TEST_F(DlgPrintScaleTest, PrintSetupRecordsOneStepAndKeepsThePrinterEvenWhenCancelled) {
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const CPrinterChoice chosen = MakePrinterChoice("", false, kLandscape, 1);
    auto setup = [&chosen](CPrinterChoice& printer, QWidget*) {
        printer = chosen;
        return true;
    };
    auto run = [&doc, &setup](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* sheet = qobject_cast<CPrintOptionsSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            sheet->page()->sizeButton(PrintScaleForm::kNormalSize)->setChecked(true);
            sheet->page()->printerButton()->click();
            ok ? sheet->accept() : sheet->reject();
        });
        EditPrintOptions(doc, nullptr, setup);
    };
    EXPECT_FALSE(doc.IsModified());
    run(false);
    EXPECT_EQ(doc.m_printSettings.m_flags, 20u);
    EXPECT_EQ(doc.GetUndoList().FillUndoList().size(), 0u);
    EXPECT_EQ(doc.m_printer.devMode, chosen.devMode);
    EXPECT_TRUE(doc.IsModified()) << "the chosen printer would be lost at close";

    doc.m_printer.Clear();
    run(true);
    EXPECT_EQ(doc.m_printSettings.m_flags, 16u);
    const std::vector<CString> steps = doc.GetUndoList().FillUndoList();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0], CString("1 - Print options"));
    EXPECT_EQ(doc.m_printer.devMode, chosen.devMode);
    doc.GetUndoList().Undo(1);
    EXPECT_EQ(doc.m_printSettings.m_flags, 20u);
}

}  // namespace
