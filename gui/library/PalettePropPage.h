#pragma once
// "Palette Properties": the columns and rows of a palette's buttons and the button size.

#include <QDialog>

class QSpinBox;

class CPalettePropPage : public QDialog {
    Q_OBJECT
public:
    explicit CPalettePropPage(QWidget* parent = nullptr);

    // Columns and rows 1..30, sizes 10..150.
    void SetValues(int columns, int width, int rows, int height);
    int Columns() const;
    int ButtonWidth() const;
    int Rows() const;
    int ButtonHeight() const;

    // Refuses a value outside its range with the range message, keeping the page open.
    void accept() override;

private:
    QSpinBox* m_columns;
    QSpinBox* m_width;
    QSpinBox* m_rows;
    QSpinBox* m_height;
};
