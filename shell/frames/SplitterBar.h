#pragma once
// CSplitterBar: a thin horizontal bar that the user drags up or down to share its parent's
// height between the parts above and below it. A line follows the mouse within the range the
// parent allows; on release the parent learns how far the bar moved.

#include <QWidget>
#include <functional>
#include <utility>

class QRubberBand;

class CSplitterBar : public QWidget {
    Q_OBJECT
public:
    // The highest and lowest position of the line, in the parent's coordinates.
    using RangeQuery = std::function<std::pair<int, int>()>;

    CSplitterBar(QWidget* parent, RangeQuery range);

    // Where the line is during a drag (parent coordinates), or -1.
    int LinePosition() const;

signals:
    // After a drag that moved the line: the vertical distance moved.
    void moved(int delta);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int ClampedY(const QMouseEvent& event) const;

    RangeQuery m_range;
    std::pair<int, int> m_allowed{0, 0};
    QRubberBand* m_line = nullptr;
    int m_start = 0;
};
