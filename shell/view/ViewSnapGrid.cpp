#include "shell/view/ViewSnapGrid.h"

#include <algorithm>
#include <cmath>

#include "model/app/SchematicApp.h"
#include "model/object/DrawObj.h"

namespace {

constexpr float kInchesPerCm = 0.39370078f;
constexpr int kMinDotPixels = 8;

double SquaredDistance(POINT a, POINT b) {
    const double dx = double(a.x) - b.x;
    const double dy = double(a.y) - b.y;
    return dx * dx + dy * dy;
}

int RoundUnit(double v) {
    return int(std::floor(v + 0.5));
}

// A spacing read from the settings, or the default when it is not above 0.
float ValidSpacing(double stored, float fallback) {
    return stored > 0 && std::isfinite(stored) ? float(stored) : fallback;
}

}  // namespace

CSnapGrid::CSnapGrid() {
    Update();
}

void CSnapGrid::Update() {
    const float unit = m_metric ? kInchesPerCm : 1.0f;
    m_logicalX = m_spaceX * unit * 1000.0f;
    m_logicalY = m_spaceY * unit * 1000.0f;
}

void CSnapGrid::Load(const CSchematicApp& app, bool symbolGrid) {
    const char* section = symbolGrid ? "SymbGrid" : "Grid";
    const float fallback = symbolGrid ? 0.02f : 0.1f;
    m_metric = app.GetProfileInt(section, "Metric", 0);
    m_spaceX = ValidSpacing(app.GetProfileDouble(section, "XSpace", fallback), fallback);
    m_spaceY = ValidSpacing(app.GetProfileDouble(section, "YSpace", fallback), fallback);
    m_shown = app.GetProfileInt(section, "Shown", 1);
    m_colour = app.GetProfileInt(section, "Colour", 0x800000);
    Update();
}

void CSnapGrid::Save(CSchematicApp& app, bool symbolGrid) const {
    const char* section = symbolGrid ? "SymbGrid" : "Grid";
    app.WriteProfileInt(section, "Metric", int(m_metric));
    app.WriteProfileDouble(section, "XSpace", m_spaceX);
    app.WriteProfileDouble(section, "YSpace", m_spaceY);
    app.WriteProfileInt(section, "Shown", int(m_shown));
    app.WriteProfileInt(section, "Colour", int(m_colour));
}

CPoint CSnapGrid::SnapPoint(int x, int y) const {
    const double lx = m_logicalX;
    const double ly = m_logicalY;
    return CPoint(int(std::floor(x / lx + 0.5) * lx), int(std::floor(y / ly + 0.5) * ly));
}

std::vector<POINT> CSnapGrid::Dots(const DCMapping& mapping, const CRect& paper,
                                   const CRect& clip) const {
    std::vector<POINT> dots;
    if (!m_shown)
        return dots;
    const SIZE pixels = mapping.SizeToDevice(SIZE{RoundUnit(m_logicalX), RoundUnit(m_logicalY)});
    if (std::abs(pixels.cx) < kMinDotPixels || std::abs(pixels.cy) < kMinDotPixels)
        return dots;
    CRect area = paper;
    area.NormalizeRect();
    CRect box = clip;
    box.NormalizeRect();
    if (!area.IntersectRect(area, box))
        return dots;
    const double lx = m_logicalX;
    const double ly = m_logicalY;
    for (double y = std::ceil(area.top / ly) * ly; y <= area.bottom; y += ly) {
        for (double x = std::ceil(area.left / lx) * lx; x <= area.right; x += lx)
            dots.push_back(mapping.ToDevice(POINT{RoundUnit(x), RoundUnit(y)}));
    }
    return dots;
}

double CSnapGrid::TryPoint(CPoint& point, int x, int y, double best) {
    const double distance = SquaredDistance(point, POINT{x, y});
    if (distance > best)
        return -1;
    point = CPoint(x, y);
    return distance;
}

double CSnapGrid::TrySegment(CPoint& point, int x1, int y1, int x2, int y2, double best) {
    const CPoint grid = SnapPoint(point.x, point.y);
    std::vector<CPoint> candidates{CPoint(x1, y1), CPoint(x2, y2)};
    if (x1 != x2 && grid.x >= std::min(x1, x2) && grid.x <= std::max(x1, x2))
        candidates.emplace_back(grid.x, y1 + (grid.x - x1) * (y2 - y1) / (x2 - x1));
    if (y1 != y2 && grid.y >= std::min(y1, y2) && grid.y <= std::max(y1, y2))
        candidates.emplace_back(x1 + (grid.y - y1) * (x2 - x1) / (y2 - y1), grid.y);
    // Each candidate is measured from the last one accepted.
    double result = -1;
    CPoint reference = point;
    for (const CPoint& candidate : candidates) {
        const double distance = SquaredDistance(reference, candidate);
        if (distance <= best) {
            best = distance;
            result = distance;
            reference = candidate;
        }
    }
    if (result >= 0)
        point = reference;
    return result;
}

double CSnapGrid::TryLocalPoints(CPoint& point, const CDrawObj* object,
                                 const std::vector<CPoint>& local, double best) {
    std::vector<CPoint> candidates = local;
    object->LocalToDoc(candidates.data(), int(candidates.size()));
    double result = -1;
    CPoint accepted = point;
    for (const CPoint& candidate : candidates) {
        const double distance = SquaredDistance(point, candidate);
        if (distance <= best) {
            best = distance;
            result = distance;
            accepted = candidate;
        }
    }
    point = accepted;
    return result;
}

double CSnapGrid::TryRect(CPoint& point, const CDrawObj* object, double best) {
    if (!object)
        return -1;
    CRect r = object->GetPosition();
    r.NormalizeRect();
    const CPoint c = r.CenterPoint();
    std::vector<CPoint> local{
        CPoint(r.left, r.top),    CPoint(r.right, r.top), CPoint(r.right, r.bottom),
        CPoint(r.left, r.bottom), CPoint(c.x, r.top),     CPoint(r.right, c.y),
        CPoint(c.x, r.bottom),    CPoint(r.left, c.y),    c};
    // Where the sides cross the grid lines through the grid point nearest the point.
    CPoint at = point;
    object->DocToLocal(&at, 1);
    const CPoint grid = SnapPoint(at.x, at.y);
    if (grid.x > r.left && grid.x < r.right) {
        local.emplace_back(grid.x, r.top);
        local.emplace_back(grid.x, r.bottom);
    }
    if (grid.y > r.top && grid.y < r.bottom) {
        local.emplace_back(r.left, grid.y);
        local.emplace_back(r.right, grid.y);
    }
    return TryLocalPoints(point, object, local, best);
}

double CSnapGrid::TryEllipse(CPoint& point, const CDrawObj* object, double best) {
    if (!object)
        return -1;
    // The ends of the axes and the centre.
    CRect r = object->GetPosition();
    r.NormalizeRect();
    const CPoint c = r.CenterPoint();
    const std::vector<CPoint> local{CPoint(c.x, r.top), CPoint(r.right, c.y), CPoint(c.x, r.bottom),
                                    CPoint(r.left, c.y), c};
    return TryLocalPoints(point, object, local, best);
}
