// The document's printer set-up in the whole program: chosen in Print Setup, kept in the file,
// and the printer that Print Preview and Print start from after the file is opened again.

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include "gui/dialogs/document/DlgPrintScale.h"
#include "gui/dialogs/document/PrintOptionsSheet.h"
#include "resources/CommandIds.h"
#include "shell/support/AppFixture.h"

namespace {

// In Qt's open print dialog, as the user does: the PDF file (the last printer) named pdf, and
// in the printer's properties A5 landscape. False when the dialog offers no such choice.
bool ChooseA5LandscapePdf(QPrintDialog& dialog, const QString& pdf) {
    auto* printers = dialog.findChild<QComboBox*>("printers");
    auto* properties = dialog.findChild<QPushButton*>("properties");
    if (!printers || !properties || !properties->isVisibleTo(&dialog))
        return false;
    printers->setCurrentIndex(printers->count() - 1);
    dialog.findChild<QLineEdit*>("filename")->setText(pdf);
    bool chosen = false;
    QTimer::singleShot(0, [&chosen] {
        auto* page = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* sizes = page ? page->findChild<QComboBox*>("pageSizeCombo") : nullptr;
        auto* landscape = page ? page->findChild<QRadioButton*>("landscape") : nullptr;
        if (sizes && landscape && sizes->findText("A5") >= 0) {
            sizes->setCurrentIndex(sizes->findText("A5"));
            landscape->click();
            chosen = true;
        }
        if (page)
            page->accept();
    });
    properties->click();
    return chosen;
}

class PrintSetupTest : public AppFixture {
protected:
    void Run(UINT id) {
        EXPECT_TRUE(m_app->MainFrame()->router().Execute(id)) << id;
        QApplication::processEvents();
    }

    // File > Print Setup.. > "Printer and Paper..", choosing there, then OK on the sheet.
    bool SetUpPrinter(const QString& pdf) {
        bool chosen = false;
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<CPrintOptionsSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            QTimer::singleShot(0, [&] {
                auto* setup = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(setup, nullptr);
                chosen = ChooseA5LandscapePdf(*setup, pdf);
                setup->accept();
            });
            sheet->page()->printerButton()->click();
            sheet->accept();
        });
        Run(ID_FILE_PRINT_SETUP);
        return chosen;
    }

    // Checks the printer that the command's dialog starts from, then prints or cancels. A
    // message box shown after it fails the test.
    template <class Dialog>
    void ExpectPrinter(UINT id, const QString& pdf, bool print) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            const QPrinter& printer = *dialog->printer();
            EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat) << id;
            EXPECT_EQ(printer.outputFileName().toStdString(), pdf.toStdString()) << id;
            EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape) << id;
            EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5) << id;
            print ? dialog->accept() : dialog->reject();
        });
        QTimer warnings;
        warnings.callOnTimeout([] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << box->text().toStdString();
                box->reject();
            }
        });
        warnings.start(50);
        Run(id);
    }

    std::unique_ptr<CSchematicQtApp> m_app = Start();
};

TEST_F(PrintSetupTest, PreviewAndPrintStartFromTheStoredSetUpAfterReopening) {
    const std::string path = MakeSchematic("printed.sch");
    const QString pdf = QString::fromStdString((m_dir / "printed.pdf").string());
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    EXPECT_TRUE(SetUpPrinter(pdf)) << "the set-up offers paper and orientation";
    Run(ID_FILE_SAVE);
    Run(ID_FILE_CLOSE);
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    ExpectPrinter<QPrintPreviewDialog>(ID_FILE_PRINT_PREVIEW, pdf, false);
    ExpectPrinter<QPrintDialog>(ID_FILE_PRINT, pdf, true);

    // One landscape A5 sheet: 210 by 148 mm, 595.3 by 419.5 points.
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression("Pages:\\s+1\\n"))) << text.toStdString();
    const QRegularExpressionMatch size =
        QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(text);
    ASSERT_TRUE(size.hasMatch()) << text.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 595.3, 1.0);
    EXPECT_NEAR(size.captured(2).toDouble(), 419.5, 1.0);
}

}  // namespace
