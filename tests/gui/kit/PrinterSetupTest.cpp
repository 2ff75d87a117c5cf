#include "gui/kit/PrinterSetup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "gui/support/PrintDialogScript.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/PrinterRecords.h"
#include "support/TestSupport.h"

namespace {

TEST(PrinterSetup, PageChoicesGoBothWaysAndAnUnknownPrinterIsLeftAlone) {
    QtTestApp::ensure();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    ApplyPrinterChoice(MakePrinterChoice("Elsewhere", false, kLandscape, 9), printer);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    const PrinterFields back = ReadPrinterFields(PrinterChoiceOf(printer));
    EXPECT_EQ(back.deviceName, "") << "a file is no printer";
    EXPECT_EQ(back.orientation, kLandscape);
    EXPECT_EQ(back.paperSize, 9);
}

TEST(PrinterSetup, APdfFileIsAUsablePrinterThatGoesBothWays) {
    QtTestApp::ensure();
    const CPrinterChoice toFile = MakePrinterChoice("", false, kLandscape, 11, "/tmp/sheet.pdf");
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterChoice(toFile, printer);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName().toStdString(), "/tmp/sheet.pdf");
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(ReadPrinterFields(PrinterChoiceOf(printer)).outputName, "/tmp/sheet.pdf");

    EXPECT_TRUE(IsPrinterChoiceUsable(toFile));
    EXPECT_FALSE(IsPrinterChoiceUsable(MakePrinterChoice("Elsewhere", false, kPortrait, 9)));
    EXPECT_FALSE(IsPrinterChoiceUsable(MakePrinterChoice("", false, kLandscape, 9)))
        << "neither a printer nor a file";
    EXPECT_FALSE(IsPrinterChoiceUsable({}));
}

TEST(PrinterSetup, TheSetUpOffersPaperAndOrientationAndOpensOnWhatItKept) {
    QtTestApp::ensure();
    testsupport::TempDir dir;
    const QString pdf = QString::fromStdString((dir / "setup.pdf").string());
    CPrinterChoice choice;
    bool offered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = ChooseInPrintDialog(*dialog, {pdf, "A5", true});
        dialog->accept();
    });
    ASSERT_TRUE(RunPrinterSetup(choice, nullptr));
    EXPECT_TRUE(offered);
    const PrinterFields fields = ReadPrinterFields(choice);
    EXPECT_EQ(fields.deviceName, "");
    EXPECT_EQ(fields.outputName, pdf.toStdString());
    EXPECT_EQ(fields.orientation, kLandscape);
    EXPECT_EQ(fields.paperSize, 11) << "A5";

    std::string openedOn;
    QPageLayout openedWith;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        openedOn = dialog->printer()->outputFileName().toStdString();
        openedWith = dialog->printer()->pageLayout();
        dialog->reject();
    });
    EXPECT_FALSE(RunPrinterSetup(choice, nullptr));
    EXPECT_EQ(openedOn, pdf.toStdString());
    EXPECT_EQ(openedWith.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(openedWith.pageSize().id(), QPageSize::A5);
}

TEST(PrinterSetup, TheSetUpEndsWithOkAndKeepsWhatWasChosen) {
    QtTestApp::ensure();
    CPrinterChoice choice = MakePrinterChoice("Gone Away", false, kLandscape, 1);
    QString okText;
    QTimer::singleShot(0, [&okText] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Print Setup");
        for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
            if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
                okText = ok->text();
        }
        dialog->accept();
    });
    ASSERT_TRUE(RunPrinterSetup(choice, nullptr));
    EXPECT_EQ(okText, "OK");
    EXPECT_NE(ReadPrinterFields(choice).deviceName, "Gone Away");
}

}  // namespace
