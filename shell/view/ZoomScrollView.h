#pragma once
// A scroll area over a sheet that zooms (see ViewMapping): the scroll bars follow the zoomed
// sheet, Ctrl+wheel zooms about the cursor and Shift+wheel does nothing. Subclasses paint and
// hear of every change of zoom or scroll sizes through OnZoomChanged.

#include <QAbstractScrollArea>

#include "shell/view/ViewMapping.h"

class CDC;

class ZoomScrollView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ZoomScrollView(QWidget* parent = nullptr);

    const ViewMapping& View() const { return m_view; }
    float ZoomFactor() const { return m_view.ZoomFactor(); }
    DCMapping Mapping() const { return m_view.ScreenMapping(); }
    // Maps a context's sheet coordinates to the window's pixels.
    void OnPrepareDC(CDC& dc) const;

    void SetScrollSizes(SIZE sheet, SIZE page = {}, SIZE line = {});
    void SetZoomFactor(float z);
    void SetZoomPercent(float z);
    void ZoomIn(float step);
    void ZoomOut(float step);
    void ZoomInAt(POINT sheet, float step);
    void ZoomOutAt(POINT sheet, float step);
    void ZoomToRect(const CRect& sheet, float maxZoom = kMaxZoom);
    void CenterOnPoint(POINT sheet);

protected:
    // Called after every change of zoom or scroll sizes; repaints here.
    virtual void OnZoomChanged();
    // Called after the view scrolled by (dx, dy) pixels; repaints here.
    virtual void OnScrolled(int dx, int dy);
    // The margins of the page round the sheet's origin; none here.
    virtual RECT GetPageMargins() const { return RECT{}; }

    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Runs a change of the mapping, then brings the scroll bars up to date.
    template <typename Change>
    void Zoom(Change change);
    // The same for a zoom by a step, which may leave the mapping as it was.
    template <typename Change>
    void ZoomBy(Change change);
    void SyncScrollBars();

    ViewMapping m_view;
    bool m_syncing = false;
};
