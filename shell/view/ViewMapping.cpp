#include "shell/view/ViewMapping.h"

#include <algorithm>
#include <cmath>

namespace {

// Sheet units of border round the paper.
constexpr int kBorder = 100;

int Clamp(int value, int high) {
    return std::clamp(value, 0, std::max(0, high));
}

// The pixels of a step given in sheet units, or fallback for a step of 0.
int StepPixels(int sheetStep, int logical, int device, int fallback) {
    const int pixels = sheetStep ? std::abs(MulDiv(sheetStep, device, logical)) : fallback;
    return std::max(1, pixels);
}

}  // namespace

ViewMapping::ViewMapping(int dpiX, int dpiY) : m_dpiX(dpiX), m_dpiY(dpiY) {}

void ViewMapping::SetScrollSizes(SIZE sheet, const RECT& margins, SIZE page, SIZE line) {
    m_logical = SIZE{sheet.cx + 2 * kBorder, sheet.cy - 2 * kBorder};
    if (m_logical.cx == 0 && m_logical.cy == 0)
        m_logical = SIZE{1, -1};
    m_unzoomed = SIZE{MulDiv(m_logical.cx, m_dpiX, 1000), MulDiv(m_logical.cy, m_dpiY, -1000)};
    m_margins = margins;
    m_page = page;
    m_line = line;
    SetScrollPos(m_scroll);
}

void ViewMapping::SetClientSize(SIZE client) {
    m_client = SIZE{std::max(1, client.cx), std::max(1, client.cy)};
    SetScrollPos(m_scroll);
}

void ViewMapping::SetScrollPos(POINT pos) {
    const SIZE range = ScrollRange();
    m_scroll = POINT{Clamp(pos.x, range.cx), Clamp(pos.y, range.cy)};
}

SIZE ViewMapping::DeviceSize(float zoom) const {
    return SIZE{std::max(1, int(float(m_unzoomed.cx) * zoom)),
                std::max(1, int(float(m_unzoomed.cy) * zoom))};
}

CSize ViewMapping::TotalDeviceSize() const {
    return DeviceSize(m_zoom);
}

CSize ViewMapping::ScrollRange() const {
    const SIZE total = TotalDeviceSize();
    return CSize{std::max(0, total.cx - m_client.cx), std::max(0, total.cy - m_client.cy)};
}

CSize ViewMapping::PageStep() const {
    const SIZE total = TotalDeviceSize();
    return CSize{StepPixels(m_page.cx, m_logical.cx, total.cx, total.cx / 10),
                 StepPixels(m_page.cy, m_logical.cy, total.cy, total.cy / 10)};
}

CSize ViewMapping::LineStep() const {
    const SIZE total = TotalDeviceSize();
    const SIZE page = PageStep();
    return CSize{StepPixels(m_line.cx, m_logical.cx, total.cx, page.cx / 10),
                 StepPixels(m_line.cy, m_logical.cy, total.cy, page.cy / 10)};
}

CPoint ViewMapping::WindowOrigin() const {
    return CPoint{-kBorder - m_margins.left, m_margins.top + kBorder};
}

DCMapping ViewMapping::ScreenMapping() const {
    DCMapping mapping(m_dpiX, m_dpiY);
    mapping.SetMode(MM_ANISOTROPIC);
    const SIZE total = TotalDeviceSize();
    mapping.SetWindowExt(m_logical);
    mapping.SetViewportExt(total);
    mapping.SetWindowOrg(WindowOrigin());
    // Scrolled along an axis with a scroll bar, centred along one without.
    const int x = total.cx > m_client.cx ? -m_scroll.x : (m_client.cx - total.cx) / 2;
    const int y = total.cy > m_client.cy ? -m_scroll.y : (m_client.cy - total.cy) / 2;
    mapping.SetViewportOrg(POINT{x, y});
    return mapping;
}

void ViewMapping::SetZoomFactor(float z) {
    if (!(z > 0) || !std::isfinite(z))
        return;
    const SIZE device = DeviceSize(z);
    if (device.cx > kMaxDeviceExtent || device.cy > kMaxDeviceExtent)
        z = float(kMaxDeviceExtent) / float(std::max(m_unzoomed.cx, m_unzoomed.cy));
    m_zoom = z;
    SetScrollPos(m_scroll);
}

void ViewMapping::SetZoomPercent(float z) {
    if (z >= kMinZoom && z <= kMaxZoom)
        ZoomAboutCentre(z);
}

void ViewMapping::ZoomAboutCentre(float z) {
    const POINT centre = WindowCentre();
    ZoomKeeping(ToLogical(centre), centre, z);
}

void ViewMapping::ZoomAboutPoint(POINT sheet, float z) {
    ZoomKeeping(sheet, ToDevice(sheet), z);
}

void ViewMapping::ZoomKeeping(POINT sheet, POINT pixel, float z) {
    SetZoomFactor(std::clamp(z, kMinZoom, kMaxZoom));
    ScrollSoThat(sheet, pixel);
}

void ViewMapping::ScrollSoThat(POINT sheet, POINT pixel) {
    const POINT scroll = m_scroll;
    m_scroll = POINT{};
    const POINT unscrolled = ToDevice(sheet);
    m_scroll = scroll;
    SetScrollPos(POINT{unscrolled.x - pixel.x, unscrolled.y - pixel.y});
}

void ViewMapping::CenterOnPoint(POINT sheet) {
    ScrollSoThat(sheet, WindowCentre());
}

void ViewMapping::ZoomToRect(const CRect& sheet, float maxZoom) {
    const POINT a = ToDevice(POINT{sheet.left, sheet.top});
    const POINT b = ToDevice(POINT{sheet.right, sheet.bottom});
    const int width = std::abs(b.x - a.x);
    const int height = std::abs(b.y - a.y);
    const double rx = width ? double(m_client.cx) / width : 1e24;
    const double ry = height ? double(m_client.cy) / height : 1e24;
    const double z = std::min(rx, ry) * m_zoom;
    SetZoomFactor(float(std::clamp(z, double(kMinZoom), double(std::max(kMinZoom, maxZoom)))));
    CenterOnPoint(sheet.CenterPoint());
}

void ViewMapping::WheelZoom(int delta, POINT pixel, bool reversed) {
    if (delta == 0)
        return;
    const bool out = (delta > 0) != reversed;
    const float z = out ? m_zoom / kZoomStep : m_zoom * kZoomStep;
    ZoomKeeping(ToLogical(pixel), pixel, z);
}
