#pragma once
// "Frame Grid Spacing": the size of the border's zones, 0.5 to 10 inches or centimetres. A
// spacing the user did not change is accepted as it was, even outside the range of the unit
// shown (1 cm shows as 0.394 inches).

#include <QDialog>

#include "gui/kit/ChangedFields.h"

#include "platform/Types.h"

class QLineEdit;
class QRadioButton;

class CDlgFrameGrid : public QDialog {
    Q_OBJECT
public:
    // spacing in thousandths of an inch; cm: the application shows metric units.
    CDlgFrameGrid(double spacing, bool cm, QWidget* parent = nullptr);

    // The spacing accepted, in thousandths of an inch: the one given when it was not changed.
    double Spacing() const { return m_spacing; }
    QLineEdit* spacingEdit() const { return m_edit; }
    QRadioButton* cmButton() const { return m_cm; }

    void accept() override;

private:
    void OnUnits();

    double m_spacing;
    bool m_shownCm = false;
    // Switching units alone leaves the spacing unchanged.
    CChangedFields m_changed;
    QLineEdit* m_edit = nullptr;
    QRadioButton* m_inches = nullptr;
    QRadioButton* m_cm = nullptr;
};
