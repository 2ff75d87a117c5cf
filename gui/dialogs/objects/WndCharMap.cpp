#include "gui/dialogs/objects/WndCharMap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

#include "gui/kit/QtDC.h"
#include "gui/kit/StoredText.h"
#include "platform/SymbolFace.h"

namespace {

constexpr int kInset = 2;
// Characters are drawn at 0.7 of the row height.
constexpr int kGlyphPixels = 12;

std::string_view FaceName(const LOGFONT& face) {
    return {face.lfFaceName, strnlen(face.lfFaceName, LF_FACESIZE)};
}

}  // namespace

CWndCharMap::CWndCharMap(QWidget* parent) : QWidget(parent), m_scrollBar(new QScrollBar(this)) {
    setFocusPolicy(Qt::StrongFocus);
    m_scrollBar->setOrientation(Qt::Vertical);
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_grid.ScrollTo(value) != 0)
            update();
    });
    SyncScrollBar();
}

QSize CWndCharMap::sizeHint() const {
    const int width = 10 * 24 + 2 * kInset + m_scrollBar->sizeHint().width();
    return {width, 8 * CCharMapGrid::kRowHeight + 2 * kInset};
}

void CWndCharMap::SetFace(const LOGFONT& face) {
    m_face = face;
    m_grid.ScrollTo(0);
    SyncScrollBar();
    update();
}

void CWndCharMap::Select(int character) {
    m_grid.Select(character);
    update();
}

void CWndCharMap::ScrollIntoView(int character) {
    m_grid.ScrollIntoView(character);
    SyncScrollBar();
    update();
}

void CWndCharMap::SyncScrollBar() {
    const QSignalBlocker blocker(m_scrollBar);
    m_scrollBar->setRange(0, m_grid.ScrollMax());
    m_scrollBar->setPageStep(std::max(m_grid.VisibleRows() - 1, 1));
    m_scrollBar->setValue(m_grid.ScrollPos());
}

void CWndCharMap::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_grid.SetVisibleRows((height() - 2 * kInset) / CCharMapGrid::kRowHeight);
    // The selection stays in view when the rows that fit change.
    const int selection = m_grid.Selection();
    if (selection >= CCharMapGrid::kFirstChar && selection <= CCharMapGrid::kLastChar)
        m_grid.ScrollIntoView(selection);
    SyncScrollBar();
}

// Whole cells only: 10 columns of the width left by the scroll bar, the rows that fit.
QRect CWndCharMap::GridArea() const {
    const int width = this->width() - m_scrollBar->width() - 2 * kInset;
    const int cell = std::max(width / CCharMapGrid::kColumns, 1);
    return {kInset, kInset, cell * CCharMapGrid::kColumns,
            m_grid.VisibleRows() * CCharMapGrid::kRowHeight};
}

QRect CWndCharMap::CellRect(int character) const {
    const QRect area = GridArea();
    const int cell = area.width() / CCharMapGrid::kColumns;
    return {area.left() + m_grid.ColumnOf(character) * cell,
            area.top() + m_grid.RowOf(character) * CCharMapGrid::kRowHeight, cell,
            CCharMapGrid::kRowHeight};
}

QString CWndCharMap::Glyph(int character) const {
    const char byte = static_cast<char>(character);
    if (!IsSymbolFace(FaceName(m_face)))
        return FromStoredText(std::string_view(&byte, 1));
    const char32_t code = SymbolFaceChar(static_cast<unsigned char>(character));
    return code ? QString::fromUcs4(&code, 1) : QString();
}

void CWndCharMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(QtFontFromLogFont(m_face, kGlyphPixels));
    const int first = m_grid.CharAt(0, 0);
    const int last = std::min(m_grid.CharAt(m_grid.VisibleRows(), 0) - 1, CCharMapGrid::kLastChar);
    for (int character = first; character <= last; ++character)
        PaintCell(painter, character);
    const QRect area = GridArea();
    painter.setPen(palette().color(QPalette::WindowText));
    const int cell = area.width() / CCharMapGrid::kColumns;
    for (int column = 0; column <= CCharMapGrid::kColumns; ++column)
        painter.drawLine(area.left() + column * cell, area.top(), area.left() + column * cell,
                         area.bottom() + 1);
    for (int row = 0; row <= m_grid.VisibleRows(); ++row) {
        const int y = area.top() + row * CCharMapGrid::kRowHeight;
        painter.drawLine(area.left(), y, area.right() + 1, y);
    }
    PaintFrame(painter);
}

void CWndCharMap::PaintCell(QPainter& painter, int character) const {
    const QRect cell = CellRect(character);
    const bool selected = character == m_grid.Selection();
    QColor back = palette().color(QPalette::Base);
    QColor text = palette().color(QPalette::Text);
    if (selected) {
        back = hasFocus() ? palette().color(QPalette::Highlight)
                          : palette().color(QPalette::Inactive, QPalette::Window).darker(130);
        text = palette().color(QPalette::HighlightedText);
    }
    painter.save();
    painter.setClipRect(cell);
    painter.fillRect(cell, back);
    painter.setPen(text);
    painter.drawText(cell, Qt::AlignCenter, Glyph(character));
    painter.restore();
    if (selected && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = cell.adjusted(1, 1, 0, 0);
        option.backgroundColor = back;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// A sunken double frame around the grid.
void CWndCharMap::PaintFrame(QPainter& painter) const {
    const QRect outer = rect().adjusted(0, 0, -m_scrollBar->width() - 1, -1);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const auto edge = [&painter](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    edge(outer, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    edge(inner, palette().color(QPalette::Shadow), palette().color(QPalette::Midlight));
}

void CWndCharMap::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const QRect area = GridArea();
    const QPoint at = event->position().toPoint();
    if (!area.contains(at))
        return;
    const int column = (at.x() - area.left()) / (area.width() / CCharMapGrid::kColumns);
    const int row = (at.y() - area.top()) / CCharMapGrid::kRowHeight;
    m_grid.Select(m_grid.CharAt(row, column));
    update();
    emit clicked();
}

void CWndCharMap::mouseDoubleClickEvent(QMouseEvent*) {
    emit activated();
}

void CWndCharMap::keyPressEvent(QKeyEvent* event) {
    using Arrow = CCharMapGrid::Arrow;
    Arrow arrow;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit activated();
            return;
        case Qt::Key_Left:
            arrow = Arrow::Left;
            break;
        case Qt::Key_Right:
            arrow = Arrow::Right;
            break;
        case Qt::Key_Up:
            arrow = Arrow::Up;
            break;
        case Qt::Key_Down:
            arrow = Arrow::Down;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    if (m_grid.Move(arrow)) {
        SyncScrollBar();
        update();
        emit clicked();
    }
}
