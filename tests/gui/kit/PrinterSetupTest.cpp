#include "gui/kit/PrinterSetup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "gui/support/QtTestApp.h"
#include "model/doc/PrinterRecords.h"

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
