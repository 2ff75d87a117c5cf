#include "shell/view/SheetPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "gui/kit/QtDC.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/SummaryInfo.h"

PrinterMetrics MetricsOf(const QPrinter& printer) {
    const int dpi = printer.resolution();
    const QRect full = printer.pageLayout().fullRectPixels(dpi);
    const QRect paint = printer.pageLayout().paintRectPixels(dpi);
    return PrinterMetrics{full.width(), full.height(), paint.width(), paint.height(),
                          paint.left(), paint.top(),   dpi,           dpi};
}

std::optional<PrintLayout> SheetLayout(const CDrawDoc& document, const QPrinter& printer) {
    return ComputePrintLayout(document.GetPaperSize(), document.GetMargins(),
                              document.m_printSettings, MetricsOf(printer));
}

bool PrintSheet(CDrawDoc& document, QPrinter& printer, bool preview, int first, int last) {
    const std::optional<PrintLayout> layout = SheetLayout(document, printer);
    if (!layout)
        return false;
    first = std::clamp(first ? first : 1, 1, layout->Pages());
    last = std::clamp(last ? last : layout->Pages(), first, layout->Pages());
    QPainter painter(&printer);
    if (!painter.isActive())
        return false;
    // A page shows its own tile alone: paper clips what lies beyond it, a preview does not.
    const PrinterMetrics metrics = MetricsOf(printer);
    const RECT paper{0, 0, metrics.horzRes, metrics.vertRes};
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        CQtDC dc(painter, true);
        dc.SelectClipRgn(&paper);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(layout->windowExt);
        dc.SetViewportExt(layout->viewportExt);
        dc.SetWindowOrg(layout->origin);
        dc.SetViewportOrg(layout->PageViewportOrg(page));
        document.DrawSheetBorder(&dc, FALSE);
        document.Draw(&dc, nullptr);
    }
    if (!preview && document.GetSummaryInfo())
        document.GetSummaryInfo()->SetPrintTime();
    return true;
}
