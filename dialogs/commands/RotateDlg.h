#pragma once
// The "Rotation Angle" dialog: an angle in degrees (-360 to 360) and a direction.

#include <QDialog>

class QDoubleSpinBox;
class QRadioButton;

class CDlgRotate : public QDialog {
    Q_OBJECT
public:
    explicit CDlgRotate(QWidget* parent = nullptr);

    double Angle() const;
    void SetAngle(double degrees);
    bool Clockwise() const;

private:
    QDoubleSpinBox* m_angle;
    QRadioButton* m_clockwise;
};
