#include "model/object/DrawObj.h"

#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include "model/app/SchematicApp.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/object/SnapGrid.h"
#include "model/object/StdAttrNames.h"
#include "model/text/AttrText.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/GdiArchive.h"
#include "platform/Maps.h"
#include "platform/ObList.h"

IMPLEMENT_SERIAL(CDrawObj, CObject, VERSIONABLE_SCHEMA | CDrawObj::kSchema)

namespace {

constexpr UINT kPenStyleMask = 0xF;

// Handle squares: pixels before and after the handle's position.
constexpr int kHitSquareHalf = 3;
// Pixels added on every side of an invalidated object.
constexpr int kInvalidateMargin = 5;

LONG Mid(LONG a, LONG b) {
    return static_cast<LONG>((std::int64_t{a} + std::int64_t{b}) / 2);
}

// The rectangle edges a handle sits on, clockwise from the top-left corner; a null
// edge means the handle sits midway along that axis. Unknown numbers act as handle 1.
struct HandleEdges {
    LONG RECT::*x;
    LONG RECT::*y;
};

HandleEdges EdgesOfHandle(int n) {
    static constexpr HandleEdges kEdges[8] = {
        {&RECT::left, &RECT::top},    {nullptr, &RECT::top},         {&RECT::right, &RECT::top},
        {&RECT::right, nullptr},      {&RECT::right, &RECT::bottom}, {nullptr, &RECT::bottom},
        {&RECT::left, &RECT::bottom}, {&RECT::left, nullptr}};
    return n >= 2 && n <= 8 ? kEdges[n - 1] : kEdges[0];
}

double SquaredDistance(const POINT& a, const POINT& b) {
    const double dx = double(a.x) - double(b.x);
    const double dy = double(a.y) - double(b.y);
    return dx * dx + dy * dy;
}

bool SamePen(const LOGPEN& a, const LOGPEN& b) {
    return a.lopnStyle == b.lopnStyle && a.lopnWidth.x == b.lopnWidth.x &&
           a.lopnWidth.y == b.lopnWidth.y && a.lopnColor == b.lopnColor;
}

bool SameBrush(const LOGBRUSH& a, const LOGBRUSH& b) {
    return a.lbStyle == b.lbStyle && a.lbColor == b.lbColor && a.lbHatch == b.lbHatch;
}

// A pen as read from a file: line style only, one width, and no absurd widths.
LOGPEN SanitizedPen(LOGPEN pen) {
    pen.lopnStyle &= kPenStyleMask;
    const LONG width = pen.lopnWidth.x;
    pen.lopnWidth.x = width < 0 ? 0 : std::min(width, kMaxPenWidth);
    pen.lopnWidth.y = 0;
    return pen;
}

// A brush as read from a file: solid, hollow or one of the six hatches; anything else is
// taken as solid.
LOGBRUSH SanitizedBrush(LOGBRUSH brush) {
    const bool known = brush.lbStyle == BS_SOLID || brush.lbStyle == BS_NULL ||
                       (brush.lbStyle == BS_HATCHED && brush.lbHatch >= HS_HORIZONTAL &&
                        brush.lbHatch <= HS_DIAGCROSS);
    if (!known) {
        brush.lbStyle = BS_SOLID;
        brush.lbHatch = 0;
    }
    return brush;
}

struct TrackerColours {
    COLORREF highlight;
    COLORREF highlightText;
    COLORREF selectDominant;
};

constexpr COLORREF kLightGrey = 0xC0C0C0;

// The system's highlight colours and "SelectColourD", from the application when there is one,
// else their usual defaults.
TrackerColours CurrentTrackerColours() {
    TrackerColours colours{RGB(0, 120, 215), RGB(255, 255, 255), 0xFF0000};
    if (const CSchematicApp* app = GetApp()) {
        if (const auto pen = app->GetPen(kPenHighlight))
            colours.highlight = pen->lopnColor;
        if (const auto pen = app->GetPen(kPenHighlightText))
            colours.highlightText = pen->lopnColor;
        colours.selectDominant = app->SelectColourD;
    }
    return colours;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

CDrawObj::CDrawObj() = default;

CDrawObj::CDrawObj(const CRect& position) : m_position(position), m_flags(kFlagOutlined) {}

CDrawObj::CDrawObj(const CDrawObj& source, CDrawDoc* document)
    : m_document(document ? document : source.m_document),
      m_position(source.m_position),
      m_flags(source.m_flags),
      m_style(source.m_style) {}

namespace {

// The numbers given to drawing objects that were asked for theirs, by object. Made on the first
// ask and never freed, so that it outlives the objects of static lifetime; drawing objects
// live on the program's one thread.
struct SerialTable {
    std::unordered_map<const CDrawObj*, std::uint64_t> numbers;
    std::uint64_t last = 0;
};
SerialTable* serials = nullptr;

}  // namespace

CDrawObj::~CDrawObj() {
    if (serials && !serials->numbers.empty())
        serials->numbers.erase(this);
}

std::uint64_t CDrawObj::GetSerial() const {
    if (!serials)
        serials = new SerialTable;
    auto [it, added] = serials->numbers.try_emplace(this, 0);
    if (added)
        it->second = ++serials->last;
    return it->second;
}

bool CDrawObj::HasSerial(std::uint64_t serial) const {
    if (!serials)
        return false;
    const auto it = serials->numbers.find(this);
    return it != serials->numbers.end() && it->second == serial;
}

// ---------------------------------------------------------------------------------------------
// File record

void CDrawObj::Serialize(CArchive& ar) {
    SerializeRecord(ar, ar.IsLoading() ? ar.GetObjectSchema() : kSchema);
}

void CDrawObj::SerializeRecord(CArchive& ar, UINT schema) {
    // What is stored is what a load gives back: the run-time marks stay out, and the pen and
    // brush are stored as they are read, so that a save after a reopen writes the same bytes.
    if (ar.IsStoring()) {
        const std::optional<LOGPEN>& pen = m_style.Pen();
        const std::optional<LOGBRUSH>& brush = m_style.Brush();
        ar << m_position << (m_flags & kFlagsKeptOnLoad) << WORD(pen ? 1 : 0)
           << WORD(brush ? 1 : 0);
        if (pen)
            ar << SanitizedPen(*pen);
        if (brush)
            ar << SanitizedBrush(*brush);
        return;
    }
    m_document = ar.m_pDocument ? ar.m_pDocument->AsDrawDoc() : nullptr;
    ar >> m_position;
    if (schema == 0) {
        WORD flags = 0;
        ar >> flags;
        m_flags = flags;
    } else {
        ar >> m_flags;
    }
    m_flags &= kFlagsKeptOnLoad;
    WORD hasPen = 0;
    WORD hasBrush = 0;
    ar >> hasPen >> hasBrush;
    m_style.Clear();
    if (hasPen) {
        LOGPEN pen;
        ar >> pen;
        m_style.EditPen() = SanitizedPen(pen);
    }
    if (hasBrush) {
        LOGBRUSH brush;
        ar >> brush;
        m_style.EditBrush() = SanitizedBrush(brush);
    }
}

// ---------------------------------------------------------------------------------------------
// Flags and document

DWORD CDrawObj::SetMark(BOOL mark) {
    if (mark)
        m_flags |= kFlagMark;
    else
        m_flags &= ~DWORD{kFlagMark};
    return m_flags;
}

DWORD CDrawObj::SetFlags(DWORD value, DWORD mask) {
    m_flags = (m_flags & ~mask) | (value & mask);
    return mask;
}

DWORD CDrawObj::PaintedMarks(const CDC* dc) const {
    const DWORD marks = m_flags & (kFlagDrcError | kFlagHighlight);
    return dc && dc->IsPrinting() ? marks & ~DWORD{kFlagHighlight} : marks;
}

CString CDrawObj::GetTipText() const {
    return {};
}

void CDrawObj::ClearFlags(DWORD mask) {
    const DWORD before = m_flags;
    m_flags &= ~mask;
    if (m_flags != before)
        Invalidate(nullptr);
}

CDrawDoc* CDrawObj::SetDocument(CDrawDoc* document) {
    m_document = document;
    return document;
}

CDrawDoc* CDrawObj::GetDocument() const {
    return m_document;
}

// ---------------------------------------------------------------------------------------------
// Attributes

CObList* CDrawObj::GetAttrTextList() {
    return nullptr;
}

CMapStringToString* CDrawObj::GetAttrMap() {
    return nullptr;
}

void CDrawObj::AddAttrTextsTo(CObList*) {}

int CDrawObj::AssignId(int) {
    return 1;
}

CAttrText* CDrawObj::ShowAttrText(const char* name, BOOL show) {
    CAttrText* existing = FindAttrText(name);
    CString value;
    if (!show || existing || !LookupAttr(name, value) || value.IsEmpty())
        return show ? nullptr : existing;
    auto* text = new CAttrText();
    text->Bind(this, name);
    if (GetAttr(name).IsEmpty())
        text->SetTextFlags(kAttrStyleEquals, kTextStyleMask);
    CObList* texts = GetAttrTextList();
    if (texts && !texts->Find(text))
        texts->AddTail(text);
    text->SetDocument(m_document);
    text->SetShownText(value);
    text->RecalcLayout();
    PlaceAttrText(text);
    return text;
}

void CDrawObj::AddContextMenu(IMenuBuilder*) {}

CNet* CDrawObj::GetNet() const {
    return nullptr;
}

CDevice* CDrawObj::GetDevice() const {
    return nullptr;
}

CDevice* CDrawObj::SetDevice(CDevice*) {
    return nullptr;
}

const CObList* CDrawObj::GetPinList() const {
    return nullptr;
}

void CDrawObj::GetAttrAt(int index, CString& key, CString& value) {
    CMapStringToString* map = GetAttrMap();
    if (!map || index < 0 || index >= map->GetCount())
        return;
    POSITION pos = map->GetStartPosition();
    for (int step = 0; step <= index; ++step)
        map->GetNextAssoc(pos, key, value);
}

CString CDrawObj::GetAttr(const char* name) {
    CString value;
    if (!LookupAttr(name, value))
        value.Empty();
    return value;
}

CString CDrawObj::GetStdAttr(int id) {
    const char* name = GetStdAttrName(id);
    return name ? GetAttr(name) : CString();
}

BOOL CDrawObj::LookupAttr(const char* name, CString& value) {
    CMapStringToString* map = GetAttrMap();
    return map && name ? map->Lookup(name, value) : FALSE;
}

int CDrawObj::SetAttr(const char*, const char*, UINT) {
    return 0;
}

int CDrawObj::CheckAttrValue(const char*, CString&) {
    return 0;
}

BOOL CDrawObj::IsIdAttrAt(int) {
    return FALSE;
}

BOOL CDrawObj::IsReadOnlyAttr(const char*) {
    return FALSE;
}

int CDrawObj::GetAttrCount() {
    CMapStringToString* map = GetAttrMap();
    return map ? map->GetCount() : 0;
}

CAttrText* CDrawObj::FindAttrText(const char* name) {
    CObList* texts = GetAttrTextList();
    for (POSITION pos = texts && name ? texts->GetHeadPosition() : nullptr; pos;) {
        auto* text = dynamic_cast<CAttrText*>(texts->GetNext(pos));
        if (text && text->GetName() == name)
            return text;
    }
    return nullptr;
}

// The text's lower left corner goes to the object's upper left corner on the sheet, then the
// text moves up clear of the object's other texts.
void CDrawObj::PlaceAttrText(CAttrText* text) {
    if (!text)
        return;
    text->SetRotation(0);
    CPoint corner(std::min(m_position.left, m_position.right),
                  std::max(m_position.top, m_position.bottom));
    LocalToDoc(&corner, 1);
    CRect box = text->GetPosition();
    box.NormalizeRect();
    text->OffsetBy(CSize(WrapSub(corner.x, box.left), WrapSub(corner.y, box.top)));
    MoveClearOfOtherTexts(text);
    text->SetTextFlags(0, kTextAlignMask);
}

void CDrawObj::RemoveAttr(const char* name) {
    CMapStringToString* map = GetAttrMap();
    if (map && name)
        map->RemoveKey(name);
}

void CDrawObj::RefreshAttrTexts(const char* name) {
    CObList* texts = GetAttrTextList();
    for (POSITION pos = texts ? texts->GetHeadPosition() : nullptr; pos;) {
        auto* text = dynamic_cast<CAttrText*>(texts->GetNext(pos));
        if (text && (!name || text->GetName() == name))
            text->UpdateText(TRUE);
    }
}

// Texts of other owners leave the list, and so do this object's texts that left the document
// (the texts are not deleted). Without a document the object keeps its texts.
void CDrawObj::PurgeAttrTexts() {
    CObList* texts = GetAttrTextList();
    for (POSITION pos = texts ? texts->GetHeadPosition() : nullptr; pos;) {
        const POSITION at = pos;
        auto* text = dynamic_cast<CAttrText*>(texts->GetNext(pos));
        const bool foreign = !text || text->GetOwner() != this;
        if (foreign || (m_document && !m_document->IsListed(text)))
            texts->RemoveAt(at);
    }
}

// A text of zero height still moves one unit per step, and after as many passes as there are
// texts every text has been stepped over, so the loop ends.
void CDrawObj::MoveClearOfOtherTexts(CDrawObj* text) const {
    CObList* texts = const_cast<CDrawObj*>(this)->GetAttrTextList();
    if (!texts || !text)
        return;
    for (int pass = 0; pass <= texts->GetCount(); ++pass) {
        bool moved = false;
        CRect box;
        text->GetBoundingRect(box);
        for (POSITION pos = texts->GetHeadPosition(); pos && !moved;) {
            auto* other = static_cast<CDrawObj*>(texts->GetNext(pos));
            if (other == text)
                continue;
            CRect otherBox;
            other->GetBoundingRect(otherBox);
            CRect common;
            if (common.IntersectRect(box, otherBox)) {
                text->OffsetBy(CSize(0, std::max(otherBox.Height(), 1)));
                moved = true;
            }
        }
        if (!moved)
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// Handles and geometry

int CDrawObj::GetObjType() const {
    return kObjBase;
}

int CDrawObj::GetHandleCount() const {
    return 8;
}

CPoint CDrawObj::GetHandle(int n) const {
    const CRect& r = m_position;
    const HandleEdges edges = EdgesOfHandle(n);
    CPoint handle(edges.x ? r.*edges.x : Mid(r.left, r.right),
                  edges.y ? r.*edges.y : Mid(r.top, r.bottom));
    LocalToDoc(&handle, 1);
    return handle;
}

CursorId CDrawObj::GetHandleCursor(int n) const {
    CPoint centre = m_position.CenterPoint();
    LocalToDoc(&centre, 1);
    const CPoint handle = GetHandle(n);
    return CursorForDirection(double(handle.x) - centre.x, double(handle.y) - centre.y);
}

void CDrawObj::LocalToDoc(CPoint*, int) const {}

void CDrawObj::DocToLocal(CPoint*, int) const {}

CPoint CDrawObj::GetNearestPoint(CPoint point) {
    const int count = GetHandleCount();
    CPoint best;
    double bestDistance = -1;
    const auto offer = [&](const CPoint& candidate) {
        const double distance = SquaredDistance(candidate, point);
        if (bestDistance < 0 || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    };
    if (count > 0) {
        for (int n = 1; n <= count; ++n)
            offer(GetHandle(n));
        return best;
    }
    const CRect& r = m_position;
    const LONG midX = Mid(r.left, r.right);
    const LONG midY = Mid(r.top, r.bottom);
    CPoint outline[] = {{r.left, r.top},     {r.left, midY},  {r.left, r.bottom}, {midX, r.bottom},
                        {r.right, r.bottom}, {r.right, midY}, {r.right, r.top},   {midX, r.top}};
    LocalToDoc(outline, 8);
    for (const CPoint& candidate : outline)
        offer(candidate);
    return best;
}

void CDrawObj::GetBoundingRect(CRect& rect) const {
    const CRect& r = m_position;
    CPoint corners[] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    LocalToDoc(corners, 4);
    PointsBoundingRect(corners, 4, rect);
    const LOGPEN pen = GetPen();
    if ((pen.lopnStyle & kPenStyleMask) != PS_INSIDEFRAME) {
        const int grow = pen.lopnWidth.x / 2 + 1;
        rect.InflateRect(grow, grow);
    }
}

BOOL CDrawObj::Intersects(const CRect& rect) {
    CRect query = NormalizedRect(rect);
    if (m_flags & kFlagOutlined) {
        const int width = GetPen().lopnWidth.x;
        query.InflateRect(width, width);
    }
    CRect bounds;
    GetBoundingRect(bounds);
    CRect common;
    if (!common.IntersectRect(query, bounds))
        return FALSE;
    const CRect& r = m_position;
    CPoint corners[] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    LocalToDoc(corners, 4);
    return PolygonMeetsRect(corners, 4, query, TRUE);
}

int CDrawObj::HitTest(CPoint point, IDocView* view, BOOL selected) {
    if (!selected) {
        DocToLocal(&point, 1);
        CRect area = NormalizedRect(m_position);
        const int width = GetPen().lopnWidth.x;
        area.InflateRect(width, width);
        return area.PtInRect(point) ? 1 : 0;
    }
    if (!view)
        return 0;
    // Sheet y grows upward: a square's top is its upper edge.
    for (int n = GetHandleCount(); n >= 1; --n) {
        const CRect square = GetHandleRect(n, view);
        if (point.x >= square.left && point.x < square.right && point.y <= square.top &&
            point.y > square.bottom)
            return n;
    }
    return 0;
}

CRect CDrawObj::GetHandleRect(int n, IDocView* view) const {
    const CPoint pixel = view->DocToClient(GetHandle(n));
    const CPoint first =
        view->ClientToDoc(CPoint(pixel.x - kHitSquareHalf, pixel.y - kHitSquareHalf));
    const CPoint last =
        view->ClientToDoc(CPoint(pixel.x + kHitSquareHalf, pixel.y + kHitSquareHalf));
    return CRect(first.x, first.y, last.x, last.y);
}

void CDrawObj::MoveHandleTo(int n, CPoint point, IDocView* view) {
    DocToLocal(&point, 1);
    CRect r = m_position;
    const HandleEdges edges = EdgesOfHandle(n);
    if (edges.x)
        r.*edges.x = point.x;
    if (edges.y)
        r.*edges.y = point.y;
    MoveTo(r, view);
}

void CDrawObj::MoveTo(const CRect& position, IDocView* view) {
    ReplacePosition(position, view);
}

BOOL CDrawObj::ReplacePosition(const CRect& position, IDocView* view) {
    if (position == m_position)
        return FALSE;
    Invalidate(view);
    m_position = position;
    Invalidate(view);
    return TRUE;
}

void CDrawObj::OffsetBy(CSize delta) {
    CPoint offset(delta.cx, delta.cy);
    DocToLocal(&offset, 1);
    Invalidate(nullptr);
    m_position.OffsetRect(offset.x, offset.y);
    Invalidate(nullptr);
}

void CDrawObj::Rotate(int, int, int, IDocView*) {}

void CDrawObj::Mirror(int, int, int, int) {}

BOOL CDrawObj::CanRotate() const {
    return FALSE;
}

void CDrawObj::CopyGeometryFrom(const CDrawObj* source) {
    if (source)
        m_position = source->m_position;
}

int CDrawObj::GetConnectionCount() {
    return GetHandleCount() + 1;
}

CPoint CDrawObj::GetConnectionPoint(int n) {
    if (n <= GetHandleCount())
        return GetHandle(n);
    CPoint centre = m_position.CenterPoint();
    LocalToDoc(&centre, 1);
    return centre;
}

CDrawObj* CDrawObj::AcceptSnap(CPoint& point, double& best, const CPoint& candidate,
                               double distance) {
    if (distance < 0)
        return nullptr;
    point = candidate;
    best = distance;
    return this;
}

CDrawObj* CDrawObj::SnapPoint(CPoint& point, ISnapGrid* grid, double& best) {
    if (!grid)
        return nullptr;
    CPoint candidate = point;
    const double distance = grid->TryRect(candidate, this, best);
    return AcceptSnap(point, best, candidate, distance);
}

void CDrawObj::GetAnchorPoint(CPoint* point, int) {
    if (point)
        *point = CPoint(kNoAnchor, kNoAnchor);
}

// ---------------------------------------------------------------------------------------------
// Pens and brushes

LOGPEN CDrawObj::GetDefaultPen() const {
    return m_document ? m_document->m_pen : CDrawDoc::kDefaultPen;
}

LOGBRUSH CDrawObj::GetDefaultBrush() const {
    return m_document ? m_document->m_brush : CDrawDoc::kDefaultBrush;
}

LOGPEN CDrawObj::GetPen() const {
    if (!m_style.Pen())
        return GetDefaultPen();
    LOGPEN pen = *m_style.Pen();
    if (pen.lopnColor == kDefaultColour)
        pen.lopnColor = GetDefaultPen().lopnColor;
    return pen;
}

LOGBRUSH CDrawObj::GetBrush() const {
    if (!m_style.Brush())
        return GetDefaultBrush();
    LOGBRUSH brush = *m_style.Brush();
    if (brush.lbColor == kDefaultColour)
        brush.lbColor = GetDefaultBrush().lbColor;
    return brush;
}

void CDrawObj::SetPen(const LOGPEN* pen) {
    if (pen)
        m_style.EditPen() = *pen;
    else
        m_style.ResetPen();
}

void CDrawObj::SetBrush(const LOGBRUSH* brush) {
    if (brush)
        m_style.EditBrush() = *brush;
    else
        m_style.ResetBrush();
}

void CDrawObj::SetLineColor(COLORREF colour) {
    if (colour == kDefaultColour && !m_style.Pen())
        return;
    if (!m_style.Pen())
        m_style.EditPen() = GetDefaultPen();
    m_style.EditPen()->lopnColor = colour;
    Invalidate(nullptr);
}

void CDrawObj::SetFillColor(COLORREF colour) {
    if (colour == kDefaultColour && !m_style.Brush())
        return;
    if (!m_style.Brush())
        m_style.EditBrush() = GetDefaultBrush();
    m_style.EditBrush()->lbColor = colour;
    Invalidate(nullptr);
}

int CDrawObj::SetLineStyle(int value) {
    const LOGPEN current = GetPen();
    LOGPEN pen = current;
    if (value > 0) {
        pen.lopnStyle = static_cast<UINT>(value);
        pen.lopnWidth = POINT{0, 0};
    } else {
        // Line widths are given in points (negative); a sheet unit is 1/1000 inch.
        const double points = std::fabs(double(value));
        const LONG width = RoundToLong(points * 10 / 72);
        pen.lopnWidth = POINT{width, width};
        if (pen.lopnStyle != PS_SOLID && pen.lopnStyle != PS_INSIDEFRAME)
            pen.lopnStyle = PS_SOLID;
    }
    if (SamePen(pen, current))
        return 0;
    m_style.EditPen() = pen;
    Invalidate(nullptr);
    return 1;
}

int CDrawObj::SetFillHatch(int hatch) {
    const LOGBRUSH current = GetBrush();
    LOGBRUSH brush = current;
    brush.lbStyle = hatch >= 0 ? BS_HATCHED : BS_SOLID;
    brush.lbHatch = hatch >= 0 ? hatch : 0;
    if (SameBrush(brush, current))
        return 0;
    m_style.EditBrush() = brush;
    Invalidate(nullptr);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Drawing and invalidation

void CDrawObj::Draw(CDC*, const double*) {}

bool CDrawObj::TrackerMeets(const CRect& rect) const {
    CRect bounds;
    GetBoundingRect(bounds);
    CRect common;
    return common.IntersectRect(NormalizedRect(bounds), NormalizedRect(rect)) != FALSE;
}

// Handle squares in window pixels around the handle (before, after); the dominant selection
// gets larger ones, a grey brush for objects without handles and the application's
// highlight-text pen and "SelectColourD" brush; the others the highlight pen and the
// highlight-text brush.
void CDrawObj::DrawTracker(CDC* dc, int state, const double* matrix) {
    if (!dc || state == kTrackerNone)
        return;
    const bool dominant = state == kTrackerDominant;
    const TrackerColours colours = CurrentTrackerColours();
    std::vector<CPoint> squares;
    COLORREF fill = colours.highlightText;
    if (const int count = GetHandleCount(); count > 0) {
        for (int n = 1; n <= count; ++n)
            squares.push_back(GetHandle(n));
        if (dominant)
            fill = colours.selectDominant;
    } else {
        const CRect& r = m_position;
        squares = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
        LocalToDoc(squares.data(), 4);
        MatrixTransformPoints(squares.data(), 4, matrix);
        if (dominant)
            fill = kLightGrey;
    }
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, dominant ? colours.highlightText : colours.highlight);
    CBrush brush(fill);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    const int before = dominant ? 3 : 2;
    const int after = dominant ? 4 : 3;
    for (CPoint centre : squares) {
        dc->LPtoDP(&centre);
        // A square at the end of the device range is cut there.
        RECT square{SaturatedLong(std::int64_t{centre.x} - before),
                    SaturatedLong(std::int64_t{centre.y} - before),
                    SaturatedLong(std::int64_t{centre.x} + after),
                    SaturatedLong(std::int64_t{centre.y} + after)};
        dc->DPtoLP(&square);
        dc->Rectangle(&square);
    }
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CDrawObj::Invalidate(IDocView* view) {
    if (!view) {
        if (m_document)
            m_document->UpdateAllViews(nullptr, kHintObject, this);
        return;
    }
    CRect bounds;
    GetBoundingRect(bounds);
    const int width = GetPen().lopnWidth.x;
    bounds.InflateRect(width, width);
    CRect pixels(view->DocToClient(bounds.TopLeft()), view->DocToClient(bounds.BottomRight()));
    pixels.NormalizeRect();
    pixels.InflateRect(kInvalidateMargin, kInvalidateMargin);
    view->InvalidateClientRect(pixels);
}

// ---------------------------------------------------------------------------------------------
// Editing

void CDrawObj::OnOpen(IDocView* view) {
    OnEditProperties(view);
}

void CDrawObj::OnEditProperties(IDocView* view) {
    if (!view)
        return;
    CObList targets;
    const DWORD pageOptions = CollectOutlineFillTargets(view->GetSelection(), targets);
    view->OnUpdate(nullptr, kHintReplaceSelection, nullptr, &targets);
    view->EditObjectProperties(targets, pageOptions);
}

CDrawObj* CDrawObj::Clone(CDrawDoc*) {
    return nullptr;
}

void CDrawObj::Remove() {
    delete this;
}

CDrawObj* CDrawObj::Duplicate() {
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Connections: the objects that hold connections give these their bodies.

void CDrawObj::GetConnectInfo(int, void*) {}

int CDrawObj::GetConnectorCount() {
    return 0;
}

int CDrawObj::ConnectWith(CDrawObj*, void*) {
    return 0;
}

void CDrawObj::CollectConnections(CConnectionList*) {}

void CDrawObj::Disconnect(const CConnectionRecord*) {}

void CDrawObj::TakeLinksFrom(CDrawObj*) {}

void CDrawObj::Connect(const CConnectionRecord*) {}

void CDrawObj::GetLinkPlaces(const CConnectionRecord&, std::vector<CLinkPlace>&) {}

void CDrawObj::GiveLinksTo(CDrawObj*) {}

void CDrawObj::MoveLinksTo(CDrawObj*) {}

int CDrawObj::CollectConnected(CObList*) {
    return 0;
}

void CDrawObj::NotifyAttached(IFollowMap*) {}

void CDrawObj::ExportDxf(IDxfSink*, int, const double*) {}

// ---------------------------------------------------------------------------------------------
// Free functions

CRect NormalizedRect(const CRect& rect) {
    CRect copy = rect;
    copy.NormalizeRect();
    return copy;
}

CursorId CursorForDirection(double dx, double dy) {
    // Signs of the vector against the unit vectors at 112.5, 157.5, 202.5 and 247.5 degrees;
    // each one turns positive as the direction passes one more sector border.
    const double c = 0.382683432;
    const double s = 0.923879532;
    const bool past1 = -c * dx + s * dy > 0;
    const int passed =
        past1 + (-s * dx + c * dy > 0) + (-s * dx - c * dy > 0) + (-c * dx - s * dy > 0);
    static constexpr CursorId kBySector[] = {CursorId::SizeWE, CursorId::SizeNESW, CursorId::SizeNS,
                                             CursorId::SizeNWSE, CursorId::SizeWE};
    return kBySector[past1 ? passed : 4 - passed];
}

std::vector<CDrawObj*> DrawObjectsOf(const CObList& list) {
    std::vector<CDrawObj*> objects;
    objects.reserve(static_cast<std::size_t>(list.GetCount()));
    for (POSITION pos = list.GetHeadPosition(); pos;)
        objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
    return objects;
}

BOOL IsObjectInList(const CDrawObj* object, const CObList* list) {
    if (!list)
        return FALSE;
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        auto* member = static_cast<CDrawObj*>(list->GetNext(pos));
        if (member == object)
            return TRUE;
        const CObList* pins = member->GetPinList();
        if (pins && object->GetObjType() == kObjPin && IsObjectInList(object, pins))
            return TRUE;
    }
    return FALSE;
}

DWORD CollectOutlineFillTargets(const CObList& selection, CObList& targets) {
    DWORD options = 0xF;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(selection.GetNext(pos));
        switch (object->GetObjType()) {
            case kObjPin:
                options = 0;
                break;
            case kObjWire:
            case kObjLine:
            case kObjBezier:
                options &= ~DWORD{0xB};
                break;
            case kObjRect:
            case kObjRoundRect:
            case kObjText:
            case kObjBus:
            case kObjFillShape:
            case kObjSpecSymbol:
                options &= ~DWORD{0x6};
                break;
            case kObjEllipse:
            case kObjPoly:
            case 15:
                break;
            default:
                continue;
        }
        targets.AddTail(object);
    }
    return options;
}
