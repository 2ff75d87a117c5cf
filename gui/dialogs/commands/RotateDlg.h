#pragma once
// The "Rotation Angle" dialog: an angle in degrees (-360 to 360), typed or stepped with the
// spin buttons, and a direction. An angle out of range is refused and the dialog stays.

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QSpinBox;

class CDlgRotate : public QDialog {
    Q_OBJECT
public:
    explicit CDlgRotate(QWidget* parent = nullptr);

    // The angle accepted, in degrees.
    double Angle() const { return m_value; }
    void SetAngle(double degrees);
    bool Clockwise() const;

    QLineEdit* angleEdit() const { return m_angle; }
    QSpinBox* spin() const { return m_spin; }
    QRadioButton* clockwiseButton() const { return m_clockwise; }

    void accept() override;

private:
    double m_value = 0.0;
    QLineEdit* m_angle;
    QSpinBox* m_spin;
    QRadioButton* m_clockwise;
};
