// The symbol's placement, hit tests, connection points, painting, text placement and tooltip.

#include <cmath>
#include <cstdint>

#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Net.h"
#include "model/object/ShapePaintScope.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/DC.h"

namespace {

constexpr double kMinScale = 1e-5;
constexpr LONG kInvalidateMargin = 250;
constexpr int kPixelMargin = 5;
constexpr int kMaxTipLength = 259;
constexpr int kPinlessPoints = 9;

CDrawObj* NextObject(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

std::int64_t SquaredDistance(const POINT& a, const POINT& b) {
    const std::int64_t dx = std::int64_t{a.x} - b.x;
    const std::int64_t dy = std::int64_t{a.y} - b.y;
    return dx * dx + dy * dy;
}

LONG Mid(LONG a, LONG b) {
    return static_cast<LONG>((std::int64_t{a} + b) / 2);
}

// One scale factor and shift of the map from the span old onto new; an empty old span only
// shifts.
bool ScaleAxis(LONG oldLow, LONG oldHigh, LONG newLow, LONG newHigh, double& scale, double& shift) {
    const double oldSpan = double(oldHigh) - oldLow;
    scale = oldSpan == 0 ? 1.0 : (double(newHigh) - newLow) / oldSpan;
    shift = newLow - oldLow * scale;
    return std::fabs(scale) >= kMinScale;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Placement

void CSymbol::LocalToDoc(CPoint* points, int count) const {
    MatrixTransformPoints(points, count, m_matrix);
}

void CSymbol::DocToLocal(CPoint* points, int count) const {
    MatrixInverseTransformPoints(points, count, m_matrix);
}

void CSymbol::EffectiveMatrix(const double* parent, double* out) const {
    if (parent)
        MatrixMultiply(out, parent, m_matrix);
    else
        for (int i = 0; i < kMatrixSize; ++i)
            out[i] = m_matrix[i];
}

// The position rectangle stays; the placement takes it onto the new one. A rectangle of zero
// width or height only moves along that axis.
void CSymbol::MoveTo(const CRect& position, IDocView* view) {
    const CRect old = NormalizedRect(m_position);
    const CRect target = NormalizedRect(position);
    double map[kMatrixSize] = {1, 0, 0, 0, 1, 0};
    if (!ScaleAxis(old.left, old.right, target.left, target.right, map[kMatA], map[kMatTx]) ||
        !ScaleAxis(old.top, old.bottom, target.top, target.bottom, map[kMatD], map[kMatTy]))
        return;
    Invalidate(view);
    MatrixMultiply(m_matrix, m_matrix, map);
    Invalidate(view);
}

void CSymbol::OffsetBy(CSize delta) {
    Invalidate(nullptr);
    m_matrix[kMatTx] += delta.cx;
    m_matrix[kMatTy] += delta.cy;
    Invalidate(nullptr);
}

void CSymbol::Rotate(int angle, int centreX, int centreY, IDocView* view) {
    double turn[kMatrixSize];
    MatrixSetRotation(angle, turn);
    turn[kMatTx] = centreX - (turn[kMatA] * centreX + turn[kMatB] * centreY);
    turn[kMatTy] = centreY - (turn[kMatC] * centreX + turn[kMatD] * centreY);
    Invalidate(view);
    MatrixMultiply(m_matrix, turn, m_matrix);
    Invalidate(view);
}

void CSymbol::Mirror(int x1, int y1, int x2, int y2) {
    double reflection[kMatrixSize];
    MakeMirrorMatrix(x1, y1, x2, y2, reflection);
    Invalidate(nullptr);
    MatrixMultiply(m_matrix, reflection, m_matrix);
    Invalidate(nullptr);
}

BOOL CSymbol::RecalcBounds(IDocView* view) {
    CRect bounds;
    bool empty = true;
    const auto unite = [&](CDrawObj* child) {
        CRect box;
        child->GetBoundingRect(box);
        box.NormalizeRect();
        if (empty)
            bounds = box;
        else
            UniteExtents(bounds, box);
        empty = false;
    };
    for (POSITION pos = m_graphics.GetHeadPosition(); pos;)
        unite(NextObject(m_graphics, pos));
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        unite(NextObject(m_pins, pos));
    return ReplacePosition(bounds, view);
}

// ---------------------------------------------------------------------------------------------
// Hit tests and snapping

int CSymbol::HitTest(CPoint point, IDocView* view, BOOL selected) {
    return selected ? 0 : CDrawObj::HitTest(point, view, FALSE);
}

BOOL CSymbol::Intersects(const CRect& rect) {
    if (!CDrawObj::Intersects(rect))
        return FALSE;
    const CRect query = NormalizedRect(rect);
    CPoint corners[4] = {{query.left, query.top},
                         {query.right, query.top},
                         {query.right, query.bottom},
                         {query.left, query.bottom}};
    DocToLocal(corners, 4);
    CRect local;
    PointsBoundingRect(corners, 4, local);
    for (CObList* children : {&m_graphics, &m_pins}) {
        for (POSITION pos = children->GetHeadPosition(); pos;) {
            if (NextObject(*children, pos)->Intersects(local))
                return TRUE;
        }
    }
    return FALSE;
}

CPoint CSymbol::GetNearestPoint(CPoint point) {
    if (m_graphics.IsEmpty())
        return CDrawObj::GetNearestPoint(point);
    CPoint local = point;
    DocToLocal(&local, 1);
    CPoint best;
    std::int64_t bestDistance = -1;
    for (POSITION pos = m_graphics.GetHeadPosition(); pos;) {
        const CPoint candidate = NextObject(m_graphics, pos)->GetNearestPoint(local);
        const std::int64_t distance = SquaredDistance(candidate, local);
        if (bestDistance < 0 || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    LocalToDoc(&best, 1);
    return best;
}

CDrawObj* CSymbol::SnapPoint(CPoint& point, ISnapGrid* grid, double& best) {
    CPoint local = point;
    DocToLocal(&local, 1);
    CDrawObj* result = nullptr;
    for (POSITION pos = m_pins.GetHeadPosition(); pos;) {
        CPoint candidate = local;
        if (CDrawObj* pin = NextObject(m_pins, pos)->SnapPoint(candidate, grid, best)) {
            LocalToDoc(&candidate, 1);
            point = candidate;
            result = pin;
        }
    }
    return result;
}

int CSymbol::GetConnectionCount() {
    return m_pins.IsEmpty() ? kPinlessPoints : m_pins.GetCount();
}

CPoint CSymbol::GetConnectionPoint(int n) {
    if (!m_pins.IsEmpty()) {
        const POSITION pos = n >= 1 ? m_pins.FindIndex(n - 1) : nullptr;
        return pos ? static_cast<CPin*>(m_pins.GetAt(pos))->GetConnectPoint()
                   : CDrawObj::GetConnectionPoint(0);
    }
    const CRect& r = m_position;
    const LONG midX = Mid(r.left, r.right);
    const LONG midY = Mid(r.top, r.bottom);
    const CPoint points[kPinlessPoints] = {
        {midX, midY},     {r.left, r.top},    {midX, r.top},
        {r.right, r.top}, {r.right, midY},    {r.right, r.bottom},
        {midX, r.bottom}, {r.left, r.bottom}, {r.left, midY}};
    CPoint point = n >= 1 && n <= kPinlessPoints ? points[n - 1] : points[0];
    LocalToDoc(&point, 1);
    return point;
}

CPin* CSymbol::FindPin(const char* id) {
    for (POSITION pos = m_pins.GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(m_pins.GetNext(pos));
        if (pin->GetAttr(GetStdAttrName(kStdAttrId)) == id)
            return pin;
    }
    return nullptr;
}

CPin* CSymbol::FindPinAt(const CRect& rect) {
    CPoint centre = NormalizedRect(rect).CenterPoint();
    DocToLocal(&centre, 1);
    const LONG half = NormalizedRect(rect).Width() / 2;
    const CRect square(centre.x - half, centre.y - half, centre.x + half, centre.y + half);
    for (POSITION pos = m_pins.GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(m_pins.GetNext(pos));
        CRect box;
        pin->GetBoundingRect(box);
        box.NormalizeRect();
        if (box.left <= square.right && box.right >= square.left && box.top <= square.bottom &&
            box.bottom >= square.top)
            return pin;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Painting

template <class Visit>
void CSymbol::ForPinsAsShown(Visit visit) {
    const DWORD names = m_flags & kSymbolPinNamesMask;
    const DWORD numbers = m_flags & kSymbolPinNumbersMask;
    for (POSITION pos = m_pins.GetHeadPosition(); pos;) {
        CDrawObj* pin = NextObject(m_pins, pos);
        const DWORD saved = pin->GetFlags();
        DWORD shown = saved;
        if (names == kSymbolPinNamesAll)
            shown |= kPinShowName;
        else if (names == 0)
            shown &= ~kPinShowName;
        if (numbers == kSymbolPinNumbersAll)
            shown |= kPinShowNumber;
        else if (numbers == 0)
            shown &= ~kPinShowNumber;
        if (m_flags & kSymbolShowHiddenPins)
            shown &= ~kPinHidden;
        pin->SetFlags(shown, ~DWORD{0});
        visit(*pin);
        pin->SetFlags(saved, ~DWORD{0});
    }
}

void CSymbol::Draw(CDC* dc, const double* matrix) {
    if (!dc)
        return;
    double effective[kMatrixSize];
    EffectiveMatrix(matrix, effective);
    const CSchematicApp* app = GetApp();
    const DWORD marks = PaintedMarks(dc);
    if (marks && app) {
        const CRect& r = m_position;
        CPoint corners[4] = {
            {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
        MatrixTransformPoints(corners, 4, effective);
        const LOGBRUSH mark{BS_SOLID,
                            marks & kFlagDrcError ? app->DRCErrorColour : app->HighlightColour, 0};
        ShapePaintScope scope(dc, NullPen(), mark);
        dc->Polygon(corners, 4);
    }
    for (POSITION pos = m_graphics.GetHeadPosition(); pos;)
        NextObject(m_graphics, pos)->Draw(dc, effective);
    ForPinsAsShown([&](CDrawObj& pin) { pin.Draw(dc, effective); });
}

void CSymbol::DrawTracker(CDC* dc, int state, const double* matrix) {
    if (!dc)
        return;
    double effective[kMatrixSize];
    EffectiveMatrix(matrix, effective);
    {
        const CRect& r = m_position;
        CPoint corners[4] = {
            {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
        MatrixTransformPoints(corners, 4, effective);
        ShapePaintScope scope(dc, TrackerPen(state), HollowBrush());
        dc->Polygon(corners, 4);
    }
    for (CObList* children : {&m_pins, &m_graphics}) {
        for (POSITION pos = children->GetHeadPosition(); pos;)
            NextObject(*children, pos)->DrawTracker(dc, kTrackerNone, effective);
    }
    CDrawObj::DrawTracker(dc, state, matrix);
}

void CSymbol::Invalidate(IDocView* view) {
    if (!view)
        return CDrawObj::Invalidate(nullptr);
    CRect bounds;
    GetBoundingRect(bounds);
    bounds.InflateRect(kInvalidateMargin, kInvalidateMargin);
    CRect pixels(view->DocToClient(bounds.TopLeft()), view->DocToClient(bounds.BottomRight()));
    pixels.NormalizeRect();
    pixels.InflateRect(kPixelMargin, kPixelMargin);
    view->InvalidateClientRect(pixels);
}

void CSymbol::ExportDxf(IDxfSink* dxf, int kind, const double* matrix) {
    constexpr int kSymbolEntities = 2;
    if (!dxf || kind != kSymbolEntities)
        return;
    double effective[kMatrixSize];
    EffectiveMatrix(matrix, effective);
    for (POSITION pos = m_graphics.GetHeadPosition(); pos;)
        NextObject(m_graphics, pos)->ExportDxf(dxf, kind, effective);
    ForPinsAsShown([&](CDrawObj& pin) { pin.ExportDxf(dxf, kind, effective); });
}

// ---------------------------------------------------------------------------------------------
// Attribute texts and tooltip

// Below the symbol, else left of it, else right of it: the first place where the text meets
// nothing but this symbol's own texts (the first place when none is free). Then the text moves
// clear of this symbol's other texts.
void CSymbol::PlaceAttrText(CAttrText* text) {
    if (!text)
        return;
    CRect symbol;
    GetBoundingRect(symbol);
    symbol.NormalizeRect();
    const CRect box = NormalizedRect(text->GetPosition());
    const LONG midY = Mid(symbol.top, symbol.bottom);
    struct Place {
        CSize offset;
        WORD align;
    };
    const Place places[] = {
        {CSize(Mid(symbol.left, symbol.right) - Mid(box.left, box.right), symbol.top - box.bottom),
         1},
        {CSize(symbol.left - box.right, midY - Mid(box.top, box.bottom)), 2},
        {CSize(symbol.right - box.left, midY - Mid(box.top, box.bottom)), 0},
    };
    const Place* chosen = &places[0];
    for (const Place& place : places) {
        CRect there = box;
        there.OffsetRect(place.offset.cx, place.offset.cy);
        CDrawObj* found = m_document ? m_document->ObjectInRect(there) : nullptr;
        const auto* foundText = dynamic_cast<CAttrText*>(found);
        if (!found || (foundText && foundText->GetOwner() == this)) {
            chosen = &place;
            break;
        }
    }
    text->OffsetBy(chosen->offset);
    MoveClearOfOtherTexts(text);
    text->SetTextFlags(chosen->align, kTextAlignMask);
}

// The identifier and the name, the device, the kind, then value, footprint, category and
// description; the device's footprint, category and description win over the symbol's.
const CNet* CSymbol::FirstPinNet() const {
    if (m_pins.IsEmpty())
        return nullptr;
    const CDrawObj* wire = static_cast<const CPin*>(m_pins.GetHead())->GetWire();
    return wire ? wire->GetNet() : nullptr;
}

CString CSymbol::GetTipText() const {
    const auto own = [this](int id) {
        CString value;
        m_attributes.Lookup(GetStdAttrName(id), value);
        return value;
    };
    const auto shared = [&](int id) {
        CString value;
        if (m_device && m_device->Lookup(GetStdAttrName(id), value))
            return value;
        return own(id);
    };
    CString tip = own(kStdAttrId);
    if (!tip.IsEmpty())
        tip += " ";
    const CString name = own(kStdAttrName);
    tip += name.IsEmpty() ? CString("Symbol") : name;
    if (m_device)
        tip += "\nDevice: " + m_device->GetAttr(GetStdAttrName(kStdAttrName));
    tip += "\nType: ";
    switch (GetKind()) {
        case kSymbolPort:
            if (!m_pins.IsEmpty()) {
                const auto* pin = static_cast<const CPin*>(m_pins.GetHead());
                tip += pin->GetTypeText() + ": " +
                       const_cast<CPin*>(pin)->GetAttr(GetStdAttrName(kStdAttrId));
            }
            break;
        case kSymbolNetConnector:
            tip += "Net Connector";
            if (const CNet* net = FirstPinNet())
                tip += " : " + net->GetName();
            break;
        case kSymbolSimulation:
            tip += "Simulation";
            break;
        case kSymbolDevice:
            tip += "Physical Device";
            break;
        case kSymbolSubCircuit:
            tip += "Sub-circuit";
            break;
        default:
            tip += "Graphical";
            break;
    }
    const struct {
        const char* label;
        CString value;
    } lines[] = {{"\nValue: ", own(kStdAttrValue)},
                 {"\nFootprint: ", shared(kStdAttrFootprint)},
                 {"\nCategory: ", shared(kStdAttrCat)},
                 {"\n", shared(kStdAttrDesc)}};
    for (const auto& line : lines) {
        if (!line.value.IsEmpty())
            tip += line.label + line.value;
    }
    return tip.GetLength() > kMaxTipLength ? tip.Left(kMaxTipLength) : tip;
}
