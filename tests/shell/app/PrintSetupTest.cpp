// The document's printer set-up in the whole program: chosen in Print Setup, kept in the file,
// and the printer that Print Preview and Print start from after the file is opened again.

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "gui/dialogs/document/DlgPrintScale.h"
#include "gui/dialogs/document/PrintOptionsSheet.h"
#include "gui/support/PrintDialogScript.h"
#include "resources/CommandIds.h"
#include "shell/support/AppFixture.h"

namespace {

// What a printer handed to a dialog carries.
struct PrinterState {
    std::string file;
    QPageLayout layout;
};

PrinterState StateOf(const QPrinter& printer) {
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    return {toFile ? printer.outputFileName().toStdString() : "", printer.pageLayout()};
}

class PrintSetupTest : public AppFixture {
protected:
    void Run(UINT id) {
        EXPECT_TRUE(m_app->MainFrame()->router().Execute(id)) << id;
        QApplication::processEvents();
    }

    // File > Print Setup.. > "Printer and Paper..", choosing there, then OK on the sheet.
    bool SetUpPrinter(const PrintDialogChoice& choice) {
        bool chosen = false;
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<CPrintOptionsSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            QTimer::singleShot(0, [&] {
                auto* setup = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(setup, nullptr);
                chosen = ChooseInPrintDialog(*setup, choice);
                setup->accept();
            });
            sheet->page()->printerButton()->click();
            sheet->accept();
        });
        Run(ID_FILE_PRINT_SETUP);
        return chosen;
    }

    // The printer the modal dialog of the command starts from; the dialog ends with print. A
    // message box shown after it fails the test.
    template <class Dialog>
    PrinterState PrinterOf(UINT id, bool print) {
        PrinterState state;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            state = StateOf(*dialog->printer());
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
        return state;
    }

    std::unique_ptr<CSchematicQtApp> m_app = Start();
};

TEST_F(PrintSetupTest, PreviewAndPrintStartFromTheStoredSetUpAfterReopening) {
    const std::string path = MakeSchematic("printed.sch");
    const QString pdf = QString::fromStdString((m_dir / "printed.pdf").string());
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    EXPECT_TRUE(SetUpPrinter({pdf, "A5", true})) << "the set-up offers paper and orientation";
    Run(ID_FILE_SAVE);
    Run(ID_FILE_CLOSE);
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);

    for (const PrinterState& state : {PrinterOf<QPrintPreviewDialog>(ID_FILE_PRINT_PREVIEW, false),
                                      PrinterOf<QPrintDialog>(ID_FILE_PRINT, true)}) {
        EXPECT_EQ(state.file, pdf.toStdString());
        EXPECT_EQ(state.layout.orientation(), QPageLayout::Landscape);
        EXPECT_EQ(state.layout.pageSize().id(), QPageSize::A5);
    }
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
