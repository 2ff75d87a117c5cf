#pragma once
// How a zooming scroll view maps its sheet to the window, without the window: a sheet of
// thousandths of an inch (y up) with a border of 100 units all round, drawn at a zoom factor
// of 0.3 to 10.0, scrolled by whole pixels and centred along an axis on which it is smaller
// than the window. Every zoom keeps one sheet point under the same pixel: the window centre
// or a given point.

#include "platform/DCMapping.h"
#include "platform/Geometry.h"

constexpr float kMinZoom = 0.3f;
constexpr float kMaxZoom = 10.0f;
// The factor of Zoom In and Zoom Out, Page Up and Page Down, and of the wheel.
constexpr float kZoomStep = 1.25f;
// Neither device extent of the zoomed sheet may exceed this many pixels.
constexpr int kMaxDeviceExtent = 32767;

class ViewMapping {
public:
    ViewMapping(int dpiX, int dpiY);

    // The sheet of the given size (y negative) and page margins; page and line are the
    // scroll steps in sheet units, 0 for a tenth of the sheet and a tenth of the page.
    void SetScrollSizes(SIZE sheet, const RECT& margins, SIZE page = {}, SIZE line = {});
    void SetClientSize(SIZE client);
    // Scroll positions in pixels, kept within the scroll ranges.
    void SetScrollPos(POINT pos);

    CSize LogicalSize() const { return m_logical; }
    CSize UnzoomedDeviceSize() const { return m_unzoomed; }
    CSize TotalDeviceSize() const;
    CSize ClientSize() const { return m_client; }
    CPoint ScrollPos() const { return m_scroll; }
    // Highest scroll positions; 0 along an axis that needs no scroll bar.
    CSize ScrollRange() const;
    CSize PageStep() const;
    CSize LineStep() const;
    // The top-left corner of the mapping's window: 100 units outside the paper's corner.
    CPoint WindowOrigin() const;

    // Sheet coordinates to window pixels for the screen.
    DCMapping ScreenMapping() const;
    CPoint ToDevice(POINT sheet) const { return CPoint(ScreenMapping().ToDevice(sheet)); }
    CPoint ToLogical(POINT pixel) const { return CPoint(ScreenMapping().ToLogical(pixel)); }

    float ZoomFactor() const { return m_zoom; }
    // Stores z, reduced so that neither device extent exceeds kMaxDeviceExtent. Keeps the
    // scroll positions as they are (within the new ranges).
    void SetZoomFactor(float z);
    // Ignored unless z is within kMinZoom..kMaxZoom; else zooms about the window centre.
    void SetZoomPercent(float z);
    void ZoomIn(float step) { ZoomAboutCentre(m_zoom * step); }
    void ZoomOut(float step) { ZoomAboutCentre(m_zoom / step); }
    // About a sheet point, which stays under its pixel.
    void ZoomInAt(POINT sheet, float step) { ZoomAboutPoint(sheet, m_zoom * step); }
    void ZoomOutAt(POINT sheet, float step) { ZoomAboutPoint(sheet, m_zoom / step); }
    // Fits the sheet rectangle into the window (at most maxZoom), then centres it.
    void ZoomToRect(const CRect& sheet, float maxZoom = kMaxZoom);
    // Scrolls so that the sheet point is at the window centre.
    void CenterOnPoint(POINT sheet);
    // Ctrl+wheel: out for a positive delta, in for a negative one (the other way round when
    // reversed), about the sheet point under pixel.
    void WheelZoom(int delta, POINT pixel, bool reversed);

private:
    SIZE DeviceSize(float zoom) const;
    POINT WindowCentre() const { return POINT{m_client.cx / 2, m_client.cy / 2}; }
    void ZoomAboutCentre(float z);
    void ZoomAboutPoint(POINT sheet, float z);
    // Sets the factor (limited), then scrolls so that sheet lands on pixel.
    void ZoomKeeping(POINT sheet, POINT pixel, float z);
    void ScrollSoThat(POINT sheet, POINT pixel);

    int m_dpiX;
    int m_dpiY;
    SIZE m_logical{1, -1};
    SIZE m_unzoomed{1, 1};
    SIZE m_page{};
    SIZE m_line{};
    RECT m_margins{};
    float m_zoom = 1.0f;
    SIZE m_client{1, 1};
    POINT m_scroll{};
};
