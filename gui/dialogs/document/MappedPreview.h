#pragma once
// A preview that draws a picture of fixed logical size stretched over the widget, less a
// 3-pixel inset, through a device context. The owner redraws it after every change.

#include <QFrame>
#include <functional>

#include "platform/DC.h"

class CMappedPreview : public QFrame {
    Q_OBJECT
public:
    // extent: the logical size that fills the preview (y negative: upwards).
    CMappedPreview(SIZE extent, std::function<void(CDC&)> draw, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {160, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SIZE m_extent;
    std::function<void(CDC&)> m_draw;
};
