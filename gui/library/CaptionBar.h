#pragma once
// CCaptionBar: the strip across the top of a dropped-down palette, painted in the active
// caption colour. A press on it reaches the palette, which starts dragging it off.

#include <QWidget>

class CCaptionBar : public QWidget {
    Q_OBJECT
public:
    explicit CCaptionBar(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Left to the palette: the press starts its drag.
    void mousePressEvent(QMouseEvent* event) override;
};
