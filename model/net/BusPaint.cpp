// Painting a bus: the band filled with the winding rule, and its edge, left out where it runs
// inside a bus joined to this one, so that joined buses look like one band.

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Bus.h"
#include "model/object/ShapePaintScope.h"

namespace {

constexpr size_t kMaxNeighbours = 10;
constexpr size_t kMaxPieces = 20;

using Outline = std::vector<POINT>;

struct Piece {
    double from;
    double to;
};

POINT At(const POINT& a, const POINT& b, double t) {
    return {static_cast<LONG>(std::floor(a.x + (double(b.x) - a.x) * t + 0.5)),
            static_cast<LONG>(std::floor(a.y + (double(b.y) - a.y) * t + 0.5))};
}

// Where the edge a-b crosses the edges of the outline, as parameters along a-b.
std::vector<double> Crossings(const POINT& a, const POINT& b, const Outline& outline) {
    std::vector<double> ts;
    const double ex = double(b.x) - a.x;
    const double ey = double(b.y) - a.y;
    for (size_t i = 0; i < outline.size(); ++i) {
        const POINT& c = outline[i];
        const POINT& d = outline[(i + 1) % outline.size()];
        const double fx = double(d.x) - c.x;
        const double fy = double(d.y) - c.y;
        const double den = ex * fy - ey * fx;
        if (den == 0)
            continue;
        const double t = ((c.x - double(a.x)) * fy - (c.y - double(a.y)) * fx) / den;
        const double u = ((c.x - double(a.x)) * ey - (c.y - double(a.y)) * ex) / den;
        if (t > 0 && t < 1 && u >= 0 && u <= 1)
            ts.push_back(t);
    }
    std::sort(ts.begin(), ts.end());
    return ts;
}

// The pieces of the edge a-b that lie outside every neighbour.
std::vector<Piece> VisiblePieces(const POINT& a, const POINT& b,
                                 const std::vector<Outline>& neighbours) {
    std::vector<Piece> pieces{{0, 1}};
    for (const Outline& outline : neighbours) {
        std::vector<Piece> kept;
        for (const Piece& piece : pieces) {
            const POINT from = At(a, b, piece.from);
            const POINT to = At(a, b, piece.to);
            std::vector<double> cuts{0};
            for (double t : Crossings(from, to, outline))
                cuts.push_back(t);
            cuts.push_back(1);
            for (size_t i = 0; i + 1 < cuts.size() && kept.size() < kMaxPieces; ++i) {
                const POINT middle = At(from, to, (cuts[i] + cuts[i + 1]) / 2);
                if (PtInPolygon(outline.data(), static_cast<int>(outline.size()), middle.x,
                                middle.y, nullptr))
                    continue;
                const double span = piece.to - piece.from;
                kept.push_back({piece.from + span * cuts[i], piece.from + span * cuts[i + 1]});
            }
        }
        pieces = std::move(kept);
    }
    return pieces;
}

}  // namespace

void CBus::Draw(CDC* dc, const double* matrix) {
    Outline outline = BuildOutline();
    if (!dc || outline.empty())
        return;
    std::vector<Outline> neighbours;
    const auto add = [&](CObject* object) {
        const auto* bus = dynamic_cast<const CBus*>(object);
        if (bus && bus != this && neighbours.size() < kMaxNeighbours) {
            neighbours.push_back(bus->BuildOutline());
            MatrixTransformPoints(neighbours.back().data(),
                                  static_cast<int>(neighbours.back().size()), matrix);
        }
    };
    if (!(m_flags & kBusStartArrow))
        add(m_start);
    if (!(m_flags & kBusEndArrow))
        add(m_end);
    for (POSITION pos = m_junctions.GetHeadPosition(); pos;)
        add(m_junctions.GetNext(pos));
    MatrixTransformPoints(outline.data(), static_cast<int>(outline.size()), matrix);

    LOGPEN pen = GetPen();
    const CSchematicApp* app = GetApp();
    const DWORD marks = PaintedMarks(dc);
    if (app && (marks & kFlagDrcError))
        pen.lopnColor = app->DRCErrorColour;
    else if (app && (marks & kFlagHighlight))
        pen.lopnColor = app->HighlightColour;
    const bool outlined = m_flags & kFlagOutlined;
    const LOGBRUSH brush = m_flags & kFlagFilled ? GetBrush() : LOGBRUSH{BS_NULL, 0, 0};
    LOGPEN fillPen = pen;
    if (!outlined || !neighbours.empty())
        fillPen.lopnStyle = PS_NULL;
    {
        const ShapePaintScope scope(dc, fillPen, brush);
        const int oldMode = dc->SetPolyFillMode(WINDING);
        dc->Polygon(outline.data(), static_cast<int>(outline.size()));
        dc->SetPolyFillMode(oldMode);
    }
    if (!outlined || neighbours.empty())
        return;
    const ShapePaintScope scope(dc, pen, LOGBRUSH{BS_NULL, 0, 0});
    for (size_t i = 0; i < outline.size(); ++i) {
        const POINT& a = outline[i];
        const POINT& b = outline[(i + 1) % outline.size()];
        for (const Piece& piece : VisiblePieces(a, b, neighbours)) {
            dc->MoveTo(At(a, b, piece.from));
            dc->LineTo(At(a, b, piece.to));
        }
    }
}
