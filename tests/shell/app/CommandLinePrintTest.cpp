#include "shell/app/CommandLinePrint.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/PrinterRecords.h"
#include "model/shapes/DrawRect.h"

namespace {

const QString kDir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");

std::string SaveSheet() {
    QDir().mkpath(kDir);
    const std::string path = (kDir + "/command-line-print.sch").toStdString();
    CDrawDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    doc.AddObject(std::make_unique<CDrawRect>(CRect(500, -500, 10500, -7000)));
    doc.m_printSettings.m_flags = 16;  // normal size: two pages across
    // A printer of another machine, landscape: the name is not found, the page is turned.
    doc.m_printer = MakePrinterChoice("Far Away Laser", false, kLandscape, 1);
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return path;
}

TEST(CommandLinePrint, TheFileIsPrintedWithItsOwnSettings) {
    QtTestApp::ensure();
    const std::string path = SaveSheet();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = kDir + "/command-line-print.pdf";
    printer.setOutputFileName(pdf);
    printer.setResolution(300);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    ASSERT_EQ(PrintFileDirect(path, "", printer), DirectPrint::kPrinted);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression("Pages:\\s+2\\n")));
}

}  // namespace
