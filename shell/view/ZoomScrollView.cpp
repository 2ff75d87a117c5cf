#include "shell/view/ZoomScrollView.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "model/app/SchematicApp.h"
#include "platform/DC.h"

ZoomScrollView::ZoomScrollView(QWidget* parent)
    : QAbstractScrollArea(parent), m_view(logicalDpiX(), logicalDpiY()) {
    setFrameShape(QFrame::NoFrame);
    // Bars that came and went with the zoom would move the point a zoom keeps still.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void ZoomScrollView::OnPrepareDC(CDC& dc) const {
    const DCMapping mapping = Mapping();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(mapping.WindowExt());
    dc.SetViewportExt(mapping.ViewportExt());
    dc.SetWindowOrg(mapping.WindowOrg());
    dc.SetViewportOrg(mapping.ViewportOrg());
}

template <typename Change>
void ZoomScrollView::Zoom(Change change) {
    m_view.SetClientSize(SIZE{viewport()->width(), viewport()->height()});
    change();
    SyncScrollBars();
    OnZoomChanged();
}

// A zoom stopped at its limit leaves the window as it is: nothing to repaint.
template <typename Change>
void ZoomScrollView::ZoomBy(Change change) {
    m_view.SetClientSize(SIZE{viewport()->width(), viewport()->height()});
    const float zoom = m_view.ZoomFactor();
    const CPoint scroll = m_view.ScrollPos();
    change();
    if (m_view.ZoomFactor() == zoom && m_view.ScrollPos() == scroll)
        return;
    SyncScrollBars();
    OnZoomChanged();
}

void ZoomScrollView::SetScrollSizes(SIZE sheet, SIZE page, SIZE line) {
    Zoom([&] { m_view.SetScrollSizes(sheet, GetPageMargins(), page, line); });
}

void ZoomScrollView::SetZoomFactor(float z) {
    Zoom([&] { m_view.SetZoomFactor(z); });
}

void ZoomScrollView::SetZoomPercent(float z) {
    Zoom([&] { m_view.SetZoomPercent(z); });
}

void ZoomScrollView::ZoomIn(float step) {
    ZoomBy([&] { m_view.ZoomIn(step); });
}

void ZoomScrollView::ZoomOut(float step) {
    ZoomBy([&] { m_view.ZoomOut(step); });
}

void ZoomScrollView::ZoomInAt(POINT sheet, float step) {
    ZoomBy([&] { m_view.ZoomInAt(sheet, step); });
}

void ZoomScrollView::ZoomOutAt(POINT sheet, float step) {
    ZoomBy([&] { m_view.ZoomOutAt(sheet, step); });
}

void ZoomScrollView::ZoomToRect(const CRect& sheet, float maxZoom) {
    Zoom([&] { m_view.ZoomToRect(sheet, maxZoom); });
}

void ZoomScrollView::CenterOnPoint(POINT sheet) {
    Zoom([&] { m_view.CenterOnPoint(sheet); });
}

void ZoomScrollView::OnZoomChanged() {
    viewport()->update();
}

void ZoomScrollView::OnScrolled(int, int) {
    viewport()->update();
}

void ZoomScrollView::SyncScrollBars() {
    m_syncing = true;
    const CSize range = m_view.ScrollRange();
    const CSize page = m_view.PageStep();
    const CSize line = m_view.LineStep();
    const CPoint pos = m_view.ScrollPos();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, range.cx);
    h->setPageStep(page.cx);
    h->setSingleStep(line.cx);
    h->setValue(pos.x);
    v->setRange(0, range.cy);
    v->setPageStep(page.cy);
    v->setSingleStep(line.cy);
    v->setValue(pos.y);
    m_syncing = false;
}

void ZoomScrollView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_view.SetClientSize(SIZE{viewport()->width(), viewport()->height()});
    SyncScrollBars();
    OnScrolled(0, 0);
}

void ZoomScrollView::scrollContentsBy(int dx, int dy) {
    if (m_syncing)
        return;
    m_view.SetScrollPos(POINT{horizontalScrollBar()->value(), verticalScrollBar()->value()});
    OnScrolled(dx, dy);
}

void ZoomScrollView::wheelEvent(QWheelEvent* event) {
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (keys & Qt::ControlModifier) {
        const CSchematicApp* app = GetApp();
        const bool reversed = app && (app->Options & kOptionWheelZoomReversed);
        const QPoint at = event->position().toPoint();
        const int delta = event->angleDelta().y();
        ZoomBy([&] { m_view.WheelZoom(delta, POINT{at.x(), at.y()}, reversed); });
        event->accept();
    } else if (keys & Qt::ShiftModifier) {
        event->accept();
    } else {
        QAbstractScrollArea::wheelEvent(event);
    }
}
