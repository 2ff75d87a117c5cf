#pragma once
// A ruler along the top or the left edge of a drawing window, showing the sheet coordinates
// in inches or centimetres. The horizontal ruler also holds the button that hides the rulers
// and the button that opens the units menu.

#include <QWidget>

#include "shell/frames/RulerScale.h"

class QToolButton;

class CRulerBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 22;

    CRulerBar(Qt::Orientation orientation, QWidget* parent);

    Qt::Orientation orientation() const { return m_orientation; }
    bool IsMetric() const { return m_metric; }
    // Shows centimetres or inches; the units button reads "cm" or "inches".
    void SetMetric(bool metric);
    // firstLogical is the sheet coordinate at the ruler's first pixel, counted from the
    // sheet's left or top edge; unitsPerPixel the zoom.
    void SetScale(double firstLogical, double unitsPerPixel);
    // The sheet's width or height; the ruler is white along it.
    void SetSheetLength(double length);

    // The ticks and labels for the ruler's present length.
    RulerScale Scale() const;
    QToolButton* unitsButton() const { return m_units; }

    QSize sizeHint() const override;

signals:
    void rulersButtonClicked();
    // The units menu is asked for at the units button's bottom-right corner (global).
    void unitsMenuRequested(const QPoint& bottomRight);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int PixelLength() const;
    void CreateButtons();
    void DrawLabels(QPainter& painter, const RulerScale& scale) const;

    Qt::Orientation m_orientation;
    bool m_metric = false;
    double m_firstLogical = 0;
    double m_unitsPerPixel = 0;
    double m_sheetLength = 0;
    QToolButton* m_corner = nullptr;
    QToolButton* m_units = nullptr;
};
