#pragma once
// A preview that draws a picture of fixed logical size through a device context, as large as
// the widget, less a 3-pixel inset, holds it in its shape, centred. The owner redraws it after
// every change.

#include <QFrame>
#include <functional>

#include "platform/DC.h"

class CMappedPreview : public QFrame {
    Q_OBJECT
public:
    // extent: the logical size that fills the preview (y negative: upwards).
    CMappedPreview(SIZE extent, std::function<void(CDC&)> draw, QWidget* parent = nullptr);

    // 200 pixels along the longer side.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SIZE m_extent;
    std::function<void(CDC&)> m_draw;
};
