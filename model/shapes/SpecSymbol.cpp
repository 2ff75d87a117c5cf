#include "model/shapes/SpecSymbol.h"

#include <cstdint>

#include "model/geometry/PlacementMatrix.h"
#include "model/shapes/SpecSymbolGlyph.h"
#include "platform/Archive.h"

IMPLEMENT_SERIAL(CSpecSymbol, CDrawRect, VERSIONABLE_SCHEMA | 1)

namespace {

// Where PlaceAt's point lies in the rectangle.
enum class Anchor {
    Corner,       // (left, top)
    Centre,       //
    LeftMiddle,   // the middle of the left edge
    PiFoot,       // a third of the width in, three fifths of the height up
    BelowMiddle,  // at the left edge, 8/14 of the height up
    OutsideLeft,  // half the width to the left of the left edge
    Hash,         // 2/7 of the width in, a quarter of the height up
};

struct Proportions {
    int width;  // in units of the size
    int height;
    Anchor anchor;
};

constexpr Proportions kProportions[kSpecSymbolKinds + 1] = {
    {1, 1, Anchor::Corner},       {6, 6, Anchor::Centre},        {12, 8, Anchor::Corner},
    {12, 8, Anchor::Corner},      {12, 6, Anchor::Corner},       {6, 6, Anchor::Corner},
    {8, 8, Anchor::Corner},       {12, 6, Anchor::LeftMiddle},   {8, 8, Anchor::Corner},
    {8, 8, Anchor::Corner},       {8, 8, Anchor::Corner},        {8, 8, Anchor::Corner},
    {24, 8, Anchor::Corner},      {16, 8, Anchor::Corner},       {20, 4, Anchor::Corner},
    {4, 22, Anchor::LeftMiddle},  {2, 6, Anchor::OutsideLeft},   {12, 6, Anchor::Corner},
    {12, 10, Anchor::PiFoot},     {12, 14, Anchor::BelowMiddle}, {12, 14, Anchor::BelowMiddle},
    {5, 5, Anchor::Centre},       {8, 8, Anchor::Corner},        {8, 8, Anchor::Corner},
    {8, 8, Anchor::Corner},       {7, 4, Anchor::Hash},          {60, 40, Anchor::LeftMiddle},
    {40, 40, Anchor::LeftMiddle}, {65, 40, Anchor::LeftMiddle},  {70, 40, Anchor::LeftMiddle},
    {12, 6, Anchor::LeftMiddle},  {26, 8, Anchor::Corner},
};

struct Box {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

// The rectangle (x, y, x + w, y + h) moved by (dx, dy).
Box Shifted(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, std::int64_t dx,
            std::int64_t dy) {
    return Box{x + dx, y + dy, x + dx + w, y + dy + h};
}

// The rectangle that puts the anchor on (x, y); divisions truncate toward zero, so a rectangle
// centred across an odd size is one unit smaller than it.
Box AnchoredBox(Anchor anchor, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    switch (anchor) {
        case Anchor::Corner:
            break;
        case Anchor::Centre:
            return Box{x - w / 2, y - h / 2, x + w / 2, y + h / 2};
        case Anchor::LeftMiddle:
            return Box{x, y - h / 2, x + w, y + h / 2};
        case Anchor::PiFoot:
            return Shifted(x, y, w, h, (w / 3 - w) / 2, -3 * h / 5);
        case Anchor::BelowMiddle:
            return Shifted(x, y, w, h, 0, -8 * h / 14);
        case Anchor::OutsideLeft:
            return Shifted(x, y, w, h, w / 2, 0);
        case Anchor::Hash:
            return Shifted(x, y, w, h, -2 * w / 7, -h / 4);
    }
    return Shifted(x, y, w, h, 0, 0);
}

}  // namespace

CSpecSymbol::CSpecSymbol() {
    m_flags = kFlagOutlined;
}

CSpecSymbol::CSpecSymbol(int kind) : CSpecSymbol() {
    m_shape = kind;
}

CSpecSymbol::CSpecSymbol(const CSpecSymbol& source, CDrawDoc* document)
    : CDrawRect(source, document) {}

CString CSpecSymbol::GetTipText() const {
    return {};
}

int CSpecSymbol::GetObjType() const {
    return kObjSpecSymbol;
}

// The plain object's test: the rectangle's quadrilateral, whatever the figure.
BOOL CSpecSymbol::Intersects(const CRect& rect) {
    return CDrawObj::Intersects(rect);  // NOLINT(bugprone-parent-virtual-call)
}

CDrawObj* CSpecSymbol::Clone(CDrawDoc* document) {
    return new CSpecSymbol(*this, document);
}

CDrawObj* CSpecSymbol::SnapPoint(CPoint&, ISnapGrid*, double&) {
    return nullptr;
}

void CSpecSymbol::ExportDxf(IDxfSink*, int, const double*) {}

void CSpecSymbol::PlaceAt(int x, int y, int size) {
    if (m_shape < 0 || m_shape > kSpecSymbolKinds)
        return;
    const Proportions& p = kProportions[m_shape];
    const std::int64_t w = std::int64_t{p.width} * size;
    const std::int64_t h = std::int64_t{p.height} * size;
    const Box box = AnchoredBox(p.anchor, x, y, w, h);
    m_position = CRect(static_cast<LONG>(box.left), static_cast<LONG>(box.top),
                       static_cast<LONG>(box.right), static_cast<LONG>(box.bottom));
}

// The figure turns with the rotation and the placement (the placement applied last), for the
// object and its tracker alike.
void CSpecSymbol::PaintShape(CDC* dc, const double* matrix) {
    double storage[kMatrixSize];
    DrawSpecSymbolGlyph(dc, m_shape, m_position, ShapeMatrix(matrix, storage));
}
