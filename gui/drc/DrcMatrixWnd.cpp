#include "gui/drc/DrcMatrixWnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "drc/DrcRules.h"
#include "gui/kit/StoredText.h"

namespace {

constexpr int kWheelStep = 120;
constexpr const char* kLegend[] = {"No Error", "Warning", "Error"};
// The most room a label gets; longer names end in an ellipsis.
constexpr int kMaxLabelRoom = 240;

}  // namespace

CDrcMatrixWnd::CDrcMatrixWnd(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("drcMatrix");
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    m_font = QApplication::font();
    m_font.setPointSize(10);
    m_font.setWeight(QFont::Normal);
    m_layout.cell = std::max(1, 10 * logicalDpiY() / 72);
    // The window opens large enough to show the whole matrix, labels included.
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    horizontalScrollBar()->setSingleStep(m_layout.cell);
    verticalScrollBar()->setSingleStep(m_layout.cell);
}

QColor CDrcMatrixWnd::LevelColour(int level) {
    switch (level) {
        case kDrcNoError:
            return QColor(0, 192, 0);
        case kDrcWarning:
            return QColor(255, 154, 53);
        case kDrcError:
            return QColor(255, 32, 32);
        default:
            return QColor(0, 0, 255);
    }
}

QString CDrcMatrixWnd::Name(int type) const {
    return FromStoredText(m_rules->GetTypeName(type).str());
}

void CDrcMatrixWnd::SetRules(CDrcRules* rules) {
    m_rules = rules;
    UpdateLayout();
}

void CDrcMatrixWnd::SetSelection(int type) {
    if (type == m_selected)
        return;
    m_selected = type;
    viewport()->update();
    emit selectionChanged(type);
}

QString CDrcMatrixWnd::LabelText(int type) const {
    return QFontMetrics(m_font).elidedText(Name(type), Qt::ElideRight, m_layout.LabelLength());
}

void CDrcMatrixWnd::UpdateLayout() {
    m_layout.types = m_rules ? m_rules->GetTypeCount() : 0;
    const QFontMetrics metrics(m_font);
    int widest = 0;
    for (int type = 0; type < m_layout.types; ++type)
        widest = std::max(widest, metrics.horizontalAdvance(Name(type)));
    m_layout.labelRoom = std::clamp(widest + DrcMatrixLayout::kLabelMargin,
                                    DrcMatrixLayout::kDefaultLabelRoom, kMaxLabelRoom);
    UpdateScrollBars();
    updateGeometry();
    viewport()->update();
}

void CDrcMatrixWnd::UpdateScrollBars() {
    const QSize page = viewport()->size();
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
    horizontalScrollBar()->setRange(0, std::max(0, m_layout.ExtentWidth() - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_layout.ExtentHeight() - page.height()));
}

QSize CDrcMatrixWnd::viewportSizeHint() const {
    return {m_layout.ExtentWidth(), m_layout.ExtentHeight()};
}

void CDrcMatrixWnd::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// ---- mouse

void CDrcMatrixWnd::ClickAt(QPoint point) {
    if (!m_rules)
        return;
    const DrcMatrixLayout::Hit hit = m_layout.HitTest(point.x(), point.y());
    switch (hit.part) {
        case DrcMatrixLayout::Part::kCell:
            m_rules->SetLevel(hit.row, hit.column,
                              NextDrcLevel(m_rules->GetLevel(hit.row, hit.column)));
            viewport()->update();
            return;
        case DrcMatrixLayout::Part::kRowLabel:
        case DrcMatrixLayout::Part::kColumnLabel:
            SetSelection(hit.row);
            return;
        default:
            SetSelection(-1);
    }
}

void CDrcMatrixWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    ClickAt(event->position().toPoint() + scroll);
}

void CDrcMatrixWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

// One cell per wheel step, at most a page; vertically while there is a vertical scroll bar.
void CDrcMatrixWnd::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / kWheelStep;
    QScrollBar* bar =
        verticalScrollBar()->maximum() > 0 ? verticalScrollBar() : horizontalScrollBar();
    const int move = std::clamp(steps * m_layout.cell, -bar->pageStep(), bar->pageStep());
    bar->setValue(bar->value() - move);
    event->accept();
}

// ---- painting

void CDrcMatrixWnd::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Window));
    if (!m_rules || m_layout.types < 2)
        return;
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.setFont(m_font);
    DrawGrid(painter);
    DrawLabels(painter);
    DrawLegend(painter);
}

void CDrcMatrixWnd::DrawGrid(QPainter& painter) {
    const int c = m_layout.cell;
    const QPen highlight(palette().color(QPalette::Highlight));
    for (int row = 1; row < m_layout.types; ++row) {
        for (int column = 0; column <= row; ++column) {
            const QRect cell(m_layout.CellLeft(column), m_layout.CellTop(row), c, c);
            painter.fillRect(cell, LevelColour(m_rules->GetLevel(row, column)));
            const bool selected = row == m_selected || column == m_selected;
            painter.setPen(selected ? highlight : QPen(palette().color(QPalette::Dark)));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
}

void CDrcMatrixWnd::DrawLabels(QPainter& painter) {
    const int c = m_layout.cell;
    const QFontMetrics metrics(m_font);
    auto label = [&](const QRect& box, int type, int flags) {
        if (type == m_selected) {
            painter.fillRect(box, palette().color(QPalette::Highlight));
            painter.setPen(palette().color(QPalette::HighlightedText));
        } else {
            painter.setPen(palette().color(QPalette::WindowText));
        }
        painter.drawText(box, flags, LabelText(type));
    };
    auto width = [&](int type) { return metrics.horizontalAdvance(LabelText(type)) + 4; };
    for (int row = 1; row < m_layout.types; ++row)
        label(QRect(m_layout.Left() - width(row) - 2, m_layout.CellTop(row), width(row), c), row,
              Qt::AlignRight | Qt::AlignVCenter);
    for (int column = 0; column < m_layout.types; ++column) {
        painter.save();
        painter.translate(m_layout.CellLeft(column) + c,
                          m_layout.GridBottom() + DrcMatrixLayout::kColumnLabelGap);
        painter.rotate(90);
        label(QRect(0, 0, width(column), c), column, Qt::AlignLeft | Qt::AlignVCenter);
        painter.restore();
    }
}

// A framed box in the empty upper right of the triangle.
void CDrcMatrixWnd::DrawLegend(QPainter& painter) {
    const int c = m_layout.cell;
    const QFontMetrics metrics(m_font);
    const int left = m_layout.CellLeft(m_layout.types / 2 + 1);
    const int top = m_layout.CellTop(1);
    const int width = c * 2 + metrics.horizontalAdvance("No Error") + 2 * c;
    const int height = c * 3 * 3 / 2 + c / 2;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(left, top, width, height);
    for (int level = 0; level < 3; ++level) {
        const int y = top + c / 2 + level * c * 3 / 2;
        painter.fillRect(QRect(left + c / 2, y, c, c), LevelColour(level));
        painter.drawText(QRect(left + 2 * c, y, width - 2 * c, c), Qt::AlignLeft | Qt::AlignVCenter,
                         kLegend[level]);
    }
}
