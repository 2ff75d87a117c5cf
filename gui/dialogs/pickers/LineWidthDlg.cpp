#include "gui/dialogs/pickers/LineWidthDlg.h"

#include <QPainter>
#include <cstdlib>

namespace {

constexpr int kWidths[] = {0, 1, 2, 3, 4, -20, -50, -100, -150, -200, -250, -300, -400};

class LineWidthRow : public CStyleRowDelegate {
public:
    using CStyleRowDelegate::CStyleRowDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        DrawBackground(*painter, option);
        const int width = index.data(Qt::UserRole).toInt();
        const int dpi = option.widget ? option.widget->logicalDpiX() : 96;
        QPen pen = painter->pen();
        pen.setWidth(CLineWidthDlg::LinePixels(width, dpi));
        pen.setStyle(CLineWidthDlg::LineStyle(width));
        pen.setCapStyle(Qt::FlatCap);
        const QPen textPen = painter->pen();
        painter->setPen(pen);
        const QRect r = option.rect;
        const int y = r.top() + r.height() / 2;
        painter->drawLine(r.left() + 3, y, r.right() + 1 - 2, y);
        const QString points = CLineWidthDlg::PointsText(width);
        if (!points.isEmpty()) {
            // The size on a patch of the background, so that thick lines leave it legible.
            QRect text = painter->fontMetrics().boundingRect(points).adjusted(-2, 0, 2, 0);
            text.moveCenter(r.center());
            painter->fillRect(text, option.palette.color((option.state & QStyle::State_Selected)
                                                             ? QPalette::Highlight
                                                             : QPalette::Base));
            painter->setPen(textPen);
            painter->drawText(r, Qt::AlignCenter, points);
        }
        painter->restore();
    }
};

}  // namespace

CLineWidthDlg::CLineWidthDlg(QWidget* parent)
    : CStyleListDlg(kWidths, new LineWidthRow(nullptr), parent) {
    setObjectName("lineWidthDlg");
}

std::span<const int> CLineWidthDlg::Widths() {
    return kWidths;
}

int CLineWidthDlg::LinePixels(int width, int dpi) {
    return width >= 0 ? 1 : dpi * std::abs(width) / 7200;
}

Qt::PenStyle CLineWidthDlg::LineStyle(int width) {
    switch (width) {
        case 1:
            return Qt::DashLine;
        case 2:
            return Qt::DotLine;
        case 3:
            return Qt::DashDotLine;
        case 4:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
    }
}

QString CLineWidthDlg::PointsText(int width) {
    return width < 0 ? QString::asprintf("%.2f pts", std::abs(width) / 100.0) : QString();
}
