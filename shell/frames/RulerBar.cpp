#include "shell/frames/RulerBar.h"

#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int kMinorTick = 6;
constexpr int kUnitsButtonWidth = 55;
constexpr int kCornerButtonSize = 16;
constexpr int kButtonArea = 72;  // right end of the horizontal ruler, under its buttons
const QColor kTickColour(128, 128, 128);

}  // namespace

CRulerBar::CRulerBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation) {
    QFont font = this->font();
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    setFont(font);
    if (orientation == Qt::Horizontal) {
        setFixedHeight(kThickness);
        CreateButtons();
    } else {
        setFixedWidth(kThickness);
    }
}

void CRulerBar::CreateButtons() {
    m_units = new QToolButton(this);
    m_units->setObjectName("unitsButton");
    m_units->setText("inches");
    m_units->setToolTip("Units");
    m_units->setFixedSize(kUnitsButtonWidth, kThickness - 4);
    // The buttons are for the mouse: the keys stay with the view beside them.
    m_units->setFocusPolicy(Qt::NoFocus);
    connect(m_units, &QToolButton::clicked, this, [this] {
        emit unitsMenuRequested(m_units->mapToGlobal(m_units->rect().bottomRight()));
    });
    m_corner = new QToolButton(this);
    m_corner->setObjectName("rulersButton");
    m_corner->setIcon(QIcon(":/icons/rulers.svg"));
    m_corner->setToolTip("Hide the rulers");
    m_corner->setAutoRaise(true);
    m_corner->setFixedSize(kCornerButtonSize, kCornerButtonSize);
    m_corner->setFocusPolicy(Qt::NoFocus);
    connect(m_corner, &QToolButton::clicked, this, &CRulerBar::rulersButtonClicked);
}

void CRulerBar::SetMetric(bool metric) {
    m_metric = metric;
    if (m_units)
        m_units->setText(metric ? "cm" : "inches");
    update();
}

void CRulerBar::SetScale(double firstLogical, double unitsPerPixel) {
    m_firstLogical = firstLogical;
    m_unitsPerPixel = unitsPerPixel;
    update();
}

void CRulerBar::SetSheetLength(double length) {
    m_sheetLength = length;
    update();
}

int CRulerBar::PixelLength() const {
    return m_orientation == Qt::Horizontal ? width() : height();
}

RulerScale CRulerBar::Scale() const {
    const int pixels = PixelLength();
    return ComputeRulerScale(m_firstLogical, m_unitsPerPixel * pixels, pixels, m_sheetLength,
                             m_metric);
}

QSize CRulerBar::sizeHint() const {
    return m_orientation == Qt::Horizontal ? QSize(200, kThickness) : QSize(kThickness, 200);
}

void CRulerBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_units) {
        m_units->move(width() - kUnitsButtonWidth - kCornerButtonSize - 2, 2);
        m_corner->move(width() - kCornerButtonSize - 1, (kThickness - kCornerButtonSize) / 2);
    }
}

void CRulerBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool horizontal = m_orientation == Qt::Horizontal;
    const QRect area = rect();
    painter.fillRect(area, palette().button());
    if (horizontal && m_units)
        painter.setClipRect(0, 0, std::max(0, width() - kButtonArea), height());
    const RulerScale scale = Scale();
    if (scale.sheetEnd > scale.sheetStart) {
        const QRect sheet =
            horizontal ? QRect(scale.sheetStart, 1, scale.sheetEnd - scale.sheetStart, height() - 2)
                       : QRect(1, scale.sheetStart, width() - 2, scale.sheetEnd - scale.sheetStart);
        painter.fillRect(sheet.intersected(area.adjusted(1, 1, -1, -1)), Qt::white);
    }
    // Raised edges, then the ticks from the edge next to the drawing.
    painter.setPen(palette().light().color());
    painter.drawLine(0, 0, horizontal ? width() - 1 : 0, horizontal ? 0 : height() - 1);
    painter.setPen(palette().dark().color());
    if (horizontal)
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    else
        painter.drawLine(width() - 1, 0, width() - 1, height() - 1);

    painter.setPen(kTickColour);
    const int inner = horizontal ? height() - 1 : width() - 1;
    for (int pixel : scale.minors) {
        if (horizontal)
            painter.drawLine(pixel, inner - kMinorTick, pixel, inner);
        else
            painter.drawLine(inner - kMinorTick, pixel, inner, pixel);
    }
    for (const RulerMark& mark : scale.majors) {
        if (horizontal)
            painter.drawLine(mark.pixel, 1, mark.pixel, inner);
        else
            painter.drawLine(1, mark.pixel, inner, mark.pixel);
    }
    DrawLabels(painter, scale);
}

void CRulerBar::DrawLabels(QPainter& painter, const RulerScale& scale) const {
    painter.setPen(palette().windowText().color());
    const int textHeight = fontMetrics().height();
    for (const RulerMark& mark : scale.majors) {
        const QString label = QString::fromStdString(mark.label);
        const int textWidth = fontMetrics().horizontalAdvance(label) + 2;
        if (m_orientation == Qt::Horizontal) {
            painter.drawText(QRect(mark.pixel + 2, 2, textWidth, textHeight), Qt::AlignLeft, label);
        } else {
            painter.drawText(QRect(0, mark.pixel + 1, width() - 1, textHeight), Qt::AlignHCenter,
                             label);
        }
    }
}
