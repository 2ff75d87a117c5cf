#include "gui/dialogs/objects/OutlineFillControls.h"

#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "gui/kit/ColourPickerDlg.h"
#include "gui/kit/QtGdiStyles.h"
#include "model/object/DrawObj.h"
#include "model/object/OutlineFillState.h"

namespace {

class CDrawnItemDelegate : public QStyledItemDelegate {
public:
    CDrawnItemDelegate(int height, CDrawnCombo::Painter painter, QObject* parent)
        : QStyledItemDelegate(parent), m_height(height), m_painter(std::move(painter)) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        const QColor ink = selected ? palette.highlightedText().color() : palette.text().color();
        painter->save();
        m_painter(*painter, option.rect, index.row(), ink);
        painter->restore();
    }

private:
    int m_height;
    CDrawnCombo::Painter m_painter;
};

constexpr Qt::PenStyle kPenStyles[kLineStyleCount] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                      Qt::DashDotLine, Qt::DashDotDotLine};

void PaintLineStyle(QPainter& painter, const QRect& rect, int row, const QColor& ink) {
    painter.setPen(QPen(ink, 1, kPenStyles[row]));
    const int y = rect.center().y();
    painter.drawLine(rect.left() + 4, y, rect.right() - 4, y);
}

void PaintHatch(QPainter& painter, const QRect& rect, int row, const QColor& ink) {
    const int value = kHatchValues[row];
    if (value == 0) {
        painter.setPen(ink);
        painter.drawText(rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, "Solid");
        return;
    }
    painter.fillRect(rect.adjusted(3, 1, -3, -1), QBrush(ink, ToQtHatch(value - 1)));
}

void PaintArrow(QPainter& painter, const QRect& rect, int kind, const QColor& ink, bool start) {
    const int y = rect.center().y();
    const int tip = start ? rect.left() + 6 : rect.right() - 6;
    const int tail = start ? rect.right() - 6 : rect.left() + 6;
    const int back = start ? 8 : -8;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1));
    painter.drawLine(tail, y, tip, y);
    if (kind == 1) {
        painter.drawLine(tip, y, tip + back, y - 4);
        painter.drawLine(tip, y, tip + back, y + 4);
    } else if (kind >= 2) {
        const int spread = kind == 2 ? 3 : 5;
        QPainterPath head;
        head.moveTo(tip, y);
        head.lineTo(tip + back, y - spread);
        head.lineTo(tip + back, y + spread);
        head.closeSubpath();
        painter.fillPath(head, ink);
    }
}

}  // namespace

void MoveControlOver(QWidget* control, QWidget* popup) {
    popup->move(control->mapToGlobal(QPoint(0, control->height())));
}

// ---------------------------------------------------------------------------------------------
// Lists

CDrawnCombo::CDrawnCombo(int height, Painter painter, QWidget* parent)
    : QComboBox(parent), m_painter(painter) {
    setItemDelegate(new CDrawnItemDelegate(height, std::move(painter), this));
    setMinimumWidth(90);
}

void CDrawnCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QColor ink =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    m_painter(painter, field, currentIndex(), ink);
}

CLineStyleCombo::CLineStyleCombo(QWidget* parent) : CDrawnCombo(20, PaintLineStyle, parent) {
    for (int style = 0; style < kLineStyleCount; ++style)
        addItem(QString(), style);
}

CHatchCombo::CHatchCombo(QWidget* parent) : CDrawnCombo(20, PaintHatch, parent) {
    for (int value : kHatchValues)
        addItem(QString(), value);
}

CArrowCombo::CArrowCombo(bool start, QWidget* parent)
    : CDrawnCombo(
          14,
          [start](QPainter& painter, const QRect& rect, int row, const QColor& ink) {
              PaintArrow(painter, rect, row, ink, start);
          },
          parent) {
    for (int kind = 0; kind < kArrowKindCount; ++kind)
        addItem(QString(), kind);
}

// ---------------------------------------------------------------------------------------------
// Colour button

CColourButton::CColourButton(int noneMode, QWidget* parent)
    : QAbstractButton(parent), m_noneMode(noneMode) {
    connect(this, &QAbstractButton::clicked, this, &CColourButton::TogglePopup);
}

void CColourButton::SetColour(std::optional<COLORREF> colour) {
    m_colour = colour;
    update();
}

void CColourButton::TogglePopup() {
    if (!m_popup) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setFrameShape(QFrame::Panel);
        m_popup->setFrameShadow(QFrame::Raised);
        auto* layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(2, 2, 2, 2);
        m_picker = new CColourPickerDlg(m_popup);
        layout->addWidget(m_picker);
        connect(
            m_picker, &CColourPickerDlg::colourChosen, this,
            [this](UINT, ColourCode code, COLORREF colour) { emit colourChosen(code, colour); });
        connect(m_picker, &CColourPickerDlg::finished, m_popup, &QWidget::hide);
    }
    if (m_popup->isVisible()) {
        m_popup->hide();
        return;
    }
    const bool automatic = m_colour == kDefaultColour;
    m_picker->Init(nullptr, 0, m_colour.value_or(0),
                   m_noneMode | (automatic ? kColourAutomaticChosen : 0));
    m_popup->adjustSize();
    MoveControlOver(this, m_popup);
    m_popup->show();
}

void CColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 1;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    const QRect inner = rect().adjusted(3, 3, -3, -3);
    const QRect arrow(inner.right() - 10, inner.top(), 11, inner.height());
    QStyleOption arrowOption;
    arrowOption.initFrom(this);
    arrowOption.rect = arrow;
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrowOption, &painter, this);
    const QRect swatch = inner.adjusted(0, 0, -14, 0);
    if (!m_colour)
        return;
    if (*m_colour == kDefaultColour) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(swatch, Qt::AlignCenter, "Auto");
        return;
    }
    painter.fillRect(swatch, isEnabled() ? ToQColor(*m_colour) : palette().color(QPalette::Mid));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

// ---------------------------------------------------------------------------------------------
// Weight

CWeightSpin::CWeightSpin(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void CWeightSpin::stepBy(int steps) {
    emit stepped(steps);
}
