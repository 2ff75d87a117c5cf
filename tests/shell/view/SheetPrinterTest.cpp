#include "shell/view/SheetPrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <memory>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/SummaryInfo.h"
#include "model/shapes/DrawRect.h"

namespace {

const QString kDir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");

// US Letter landscape at 300 dpi into a PDF file.
void SetUpPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    printer.setResolution(300);
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

TEST(SheetPrinter, PrintsTheSheetAtNormalSizeOnTwoPdfPages) {
    QtTestApp::ensure();
    QDir().mkpath(kDir);
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.AddObject(std::make_unique<CDrawRect>(CRect(500, -500, 10500, -7000)));
    doc.m_printSettings.m_flags = 16;
    QPrinter printer(QPrinter::HighResolution);
    const QString path = kDir + "/sheet-normal-size.pdf";
    SetUpPdf(printer, path);
    const PrinterMetrics metrics = MetricsOf(printer);
    EXPECT_EQ(metrics.physW, 3300);
    EXPECT_EQ(metrics.vertRes, 2550);
    ASSERT_TRUE(PrintSheet(doc, printer, true));
    EXPECT_EQ(doc.GetSummaryInfo()->GetPrintTimeValue(), FileTime{});

    EXPECT_TRUE(RunTool("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+2\\n")));
    const QString prefix = kDir + "/sheet-normal-size";
    RunTool("pdftoppm", {"-png", "-r", "30", "-f", "1", "-l", "1", "-singlefile", path, prefix});
    const QImage page(prefix + ".png");
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    }
    EXPECT_GT(dark, 100);
}

TEST(SheetPrinter, ARealPrintIsRecordedAndAnUnprintableSheetRefused) {
    QtTestApp::ensure();
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, kDir + "/sheet-fit.pdf");
    ASSERT_TRUE(PrintSheet(doc, printer, false));
    EXPECT_NE(doc.GetSummaryInfo()->GetPrintTimeValue(), FileTime{});
    doc.SetPaperSize(600, -600);
    EXPECT_FALSE(PrintSheet(doc, printer, false));
}
