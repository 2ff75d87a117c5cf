#include "gui/dialogs/document/MappedPreview.h"

#include <cstdlib>

#include <QPainter>

#include "gui/kit/QtDC.h"

namespace {

constexpr int kInset = 3;

}  // namespace

CMappedPreview::CMappedPreview(SIZE extent, std::function<void(CDC&)> draw, QWidget* parent)
    : QFrame(parent), m_extent(extent), m_draw(std::move(draw)) {
    setFrameShape(QFrame::Box);
    setMinimumSize(80, 100);
}

QSize CMappedPreview::sizeHint() const {
    return QSize(std::abs(m_extent.cx), std::abs(m_extent.cy))
        .scaled(200, 200, Qt::KeepAspectRatio)
        .grownBy(QMargins(kInset, kInset, kInset, kInset));
}

void CMappedPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect room = rect().adjusted(kInset, kInset, -kInset, -kInset);
    QRect area(QPoint(), QSize(std::abs(m_extent.cx), std::abs(m_extent.cy))
                             .scaled(room.size(), Qt::KeepAspectRatio));
    area.moveCenter(room.center());
    if (area.isEmpty())
        return;
    QPainter painter(this);
    painter.fillRect(area, Qt::white);
    CQtDC dc(painter);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(m_extent);
    dc.SetViewportOrg(area.left(), area.top());
    dc.SetViewportExt(area.width(), area.height());
    m_draw(dc);
}
