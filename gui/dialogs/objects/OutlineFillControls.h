#pragma once
// The drawn controls of the "Outline and Fill" page: the line style, hatch and arrow lists,
// the colour buttons with their drop-down grid, and the weight box with its spin.

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <functional>
#include <optional>

#include "gui/kit/PopupTarget.h"
#include "platform/Types.h"

class CColourPickerDlg;
class QFrame;
class QLineEdit;

// Moves popup, its size kept, so that its top-left corner lies at control's bottom-left corner.
void MoveControlOver(QWidget* control, QWidget* popup);

// Items drawn by a function; each item is height pixels high.
class CDrawnCombo : public QComboBox {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter&, const QRect&, int row, const QColor& ink)>;
    CDrawnCombo(int height, Painter painter, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_painter;
};

// The five pen styles, each a line across its item.
class CLineStyleCombo : public CDrawnCombo {
    Q_OBJECT
public:
    explicit CLineStyleCombo(QWidget* parent);
};

// The hatch list: "Solid", then the hatches in list order.
class CHatchCombo : public CDrawnCombo {
    Q_OBJECT
public:
    explicit CHatchCombo(QWidget* parent);
};

// Arrow kinds 0 to 3 at one end of a short line; the start combo draws them mirrored.
class CArrowCombo : public CDrawnCombo {
    Q_OBJECT
public:
    CArrowCombo(bool start, QWidget* parent);
};

// A sunken swatch with a drop-down arrow: a colour, "Auto" for the document's default, or
// nothing when the objects differ. A press opens the colour grid below it.
class CColourButton : public QAbstractButton {
    Q_OBJECT
    // The colour as a field's value (ChangedFields.h): -1 when the objects differ.
    Q_PROPERTY(qlonglong colour READ ColourValue USER true)
public:
    // noneMode is the grid's None button (kColourNoFill or kColourNoOutline).
    CColourButton(int noneMode, QWidget* parent);
    void SetColour(std::optional<COLORREF> colour);
    std::optional<COLORREF> Colour() const { return m_colour; }
    qlonglong ColourValue() const { return m_colour ? qlonglong(*m_colour) : -1; }
    // The grid, created on the first press.
    CColourPickerDlg* picker() const { return m_picker; }
    QFrame* popup() const { return m_popup; }

    QSize sizeHint() const override { return {72, 22}; }

signals:
    void colourChosen(ColourCode code, COLORREF colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void TogglePopup();

    std::optional<COLORREF> m_colour;
    int m_noneMode;
    QFrame* m_popup = nullptr;
    CColourPickerDlg* m_picker = nullptr;
};

// The weight in points: an edit that may be empty (unknown) and a spin that steps by tenths.
class CWeightSpin : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CWeightSpin(QWidget* parent);
    QLineEdit* edit() const { return lineEdit(); }
    void stepBy(int steps) override;

signals:
    void stepped(int steps);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};
