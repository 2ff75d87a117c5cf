#pragma once
// "Frame Grid Spacing": the size of the border's zones, 0.5 to 10 inches or centimetres.

#include <QDialog>

#include "platform/Types.h"

class QLineEdit;
class QRadioButton;

class CDlgFrameGrid : public QDialog {
    Q_OBJECT
public:
    // spacing in thousandths of an inch; cm: the application shows metric units.
    CDlgFrameGrid(double spacing, bool cm, QWidget* parent = nullptr);

    // The spacing accepted, in thousandths of an inch.
    LONG Spacing() const { return m_spacing; }
    QLineEdit* spacingEdit() const { return m_edit; }
    QRadioButton* cmButton() const { return m_cm; }

    void accept() override;

private:
    void OnUnits();

    LONG m_spacing = 0;
    bool m_shownCm = false;
    QLineEdit* m_edit = nullptr;
    QRadioButton* m_inches = nullptr;
    QRadioButton* m_cm = nullptr;
};
