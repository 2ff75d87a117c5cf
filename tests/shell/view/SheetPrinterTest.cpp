#include "shell/view/SheetPrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGraphicsView>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <memory>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/PrintSettings.h"
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

// The print preview of an A3 sheet at normal size on A4 landscape paper: four pages, each
// showing its own tile of a sheet inked red all over, and no ink off its paper (ink beside the
// preview's grey), whichever way the preview lays the pages out.
TEST(SheetPrinter, EachPreviewPageShowsItsOwnTileOnItsPaper) {
    QtTestApp::ensure();
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetPaperSize(16535, -11693);
    auto ink = std::make_unique<CDrawRect>(CRect(0, 0, 16535, -11693));
    ink->SetFlags(kFlagFilled, kFlagFilled);
    ink->SetFillColor(RGB(255, 0, 0));
    doc.AddObject(std::move(ink));
    doc.m_printSettings.m_flags = 0;  // normal size, centred
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    printer.setResolution(150);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* target) { EXPECT_TRUE(PrintSheet(doc, *target, true)); });
    preview.resize(900, 700);
    preview.show();
    preview.updatePreview();
    ASSERT_EQ(preview.pageCount(), 4);
    // The pages as the preview shows them, without its scroll bars.
    auto* view = preview.findChild<QGraphicsView*>();
    ASSERT_NE(view, nullptr);
    QWidget* paperArea = view->viewport();

    const auto isInk = [](QRgb pixel) {
        return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
    };
    const auto isGrey = [](QRgb pixel) {
        const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
        const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
        return high - low < 12 && qGray(pixel) >= 100 && qGray(pixel) <= 230;
    };
    struct Count {
        int ink = 0;
        int offPaper = 0;
    };
    const auto count = [&](const QImage& image) {
        Count counted;
        for (int y = 1; y + 1 < image.height(); ++y) {
            for (int x = 1; x + 1 < image.width(); ++x) {
                if (!isInk(image.pixel(x, y)))
                    continue;
                ++counted.ink;
                counted.offPaper += isGrey(image.pixel(x - 1, y)) ||
                                    isGrey(image.pixel(x + 1, y)) ||
                                    isGrey(image.pixel(x, y - 1)) || isGrey(image.pixel(x, y + 1));
            }
        }
        return counted;
    };
    struct Way {
        QPrintPreviewWidget::ViewMode mode;
        const char* name;
    };
    for (const Way way : {Way{QPrintPreviewWidget::SinglePageView, "single"},
                          Way{QPrintPreviewWidget::FacingPagesView, "facing"},
                          Way{QPrintPreviewWidget::AllPagesView, "all"}}) {
        preview.setViewMode(way.mode);
        preview.fitInView();
        const int pages = way.mode == QPrintPreviewWidget::SinglePageView ? 4 : 1;
        for (int page = 1; page <= pages; ++page) {
            preview.setCurrentPage(page);
            const QImage shown = paperArea->grab().toImage();
            const Count counted = count(shown);
            EXPECT_GT(counted.ink, 1000) << way.name << " page " << page;
            EXPECT_EQ(counted.offPaper, 0) << way.name << " page " << page;
        }
    }
}
