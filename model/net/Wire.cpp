#include "model/net/Wire.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/geometry/VectorAngle.h"
#include "model/net/Net.h"
#include "model/net/WireSheet.h"
#include "model/object/StdAttrNames.h"
#include "model/text/AttrText.h"
#include "platform/Archive.h"
#include "platform/CollectionArchive.h"

IMPLEMENT_SERIAL(CWire, CDrawPoly, VERSIONABLE_SCHEMA | 1)

namespace {

// Junction dots reach this far beyond the points.
constexpr LONG kJunctionMargin = 25;
// Tooltips fit a buffer of 260 bytes.
constexpr int kMaxTipLength = 259;
// A point lies on a wire below this squared distance.
constexpr double kOnWireSquared = 2.0;
// Smaller turns of an attribute text, in tenths of a degree, are not applied.
constexpr int kMinTextTurn = 6;

CRect ClientRectOf(IDocView& view, const CRect& rect) {
    CRect pixels(view.DocToClient(rect.TopLeft()), view.DocToClient(rect.BottomRight()));
    pixels.NormalizeRect();
    return pixels;
}

}  // namespace

CWire::CWire() {
    m_flags |= kFlagOpen;
}

CWire::CWire(const CWire& source, CDrawDoc* document) : CDrawPoly(source, document) {
    m_flags |= kFlagOpen;
    SetNet(source.m_net);
    if (m_net)
        m_net->AddRef();
}

CWire::~CWire() {
    if (m_net)
        m_net->Release();
}

CDrawObj* CWire::Clone(CDrawDoc* document) {
    return new CWire(*this, document);
}

CDrawObj* CWire::Duplicate() {
    return new CWire(*this, m_document);
}

// A wire read without a net gets a new unnamed one, so that every wire of the document
// carries a net when nets are joined.
void CWire::Serialize(CArchive& ar) {
    CDrawPoly::Serialize(ar);
    SerializeObjectList(ar, m_junctions, RUNTIME_CLASS(CWire));
    if (ar.IsStoring()) {
        ar.WriteObject(m_net);
        ar.WriteObject(m_start);
        ar.WriteObject(m_end);
    } else {
        // The net held so far (a bus's own) goes only once the stored one was read: a damaged
        // record must leave the wire holding a live net.
        auto* net = static_cast<CNet*>(ar.ReadObject(RUNTIME_CLASS(CNet)));
        if (!net)
            net = new CNet;
        net->AddRef();
        if (CNet* held = SetNet(net))
            held->Release();
        m_start = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
        m_end = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
    }
    SerializeObjectList(ar, m_attrTexts, RUNTIME_CLASS(CAttrText));
}

void CWire::OnEditProperties(IDocView* view) {
    if (view && m_document)
        EditWireProperties(*view, *m_document);
}

CNet* CWire::SetNet(CNet* net) {
    return std::exchange(m_net, net);
}

// ---------------------------------------------------------------------------------------------
// Attributes, through the net

CMapStringToString* CWire::GetAttrMap() {
    return m_net ? m_net->GetAttrMap() : nullptr;
}

void CWire::AddAttrTextsTo(CObList* list) {
    for (POSITION pos = list ? m_attrTexts.GetHeadPosition() : nullptr; pos;) {
        CObject* text = m_attrTexts.GetNext(pos);
        if (!list->Find(text))
            list->AddTail(text);
    }
}

int CWire::AssignId(int) {
    return JoinNets();
}

void CWire::GetAttrAt(int index, CString& key, CString& value) {
    if (m_net)
        m_net->GetAttrAt(index, key, value);
}

CString CWire::GetAttr(const char* name) {
    return m_net ? m_net->GetAttr(name) : CString();
}

BOOL CWire::LookupAttr(const char* name, CString& value) {
    return m_net && m_net->LookupAttr(name, value);
}

int CWire::CheckAttrValue(const char* name, CString& value) {
    return m_net ? m_net->CheckAttrValue(name, value) : 0;
}

BOOL CWire::IsIdAttrAt(int index) {
    return m_net && m_net->IsIdAttrAt(index);
}

BOOL CWire::IsReadOnlyAttr(const char* name) {
    return name && CString(name) == GetStdAttrName(kStdAttrId);
}

int CWire::GetAttrCount() {
    return m_net ? m_net->GetAttrCount() : 0;
}

CString CWire::GetTipText() const {
    CString tip;
    tip.Format("Wire\nNet : %s\n", m_net ? m_net->GetName().c_str() : "None assigned");
    if (m_net) {
        tip += "Attributes:";
        for (int i = 1; i < m_net->GetAttrCount(); ++i) {
            CString key;
            CString value;
            m_net->GetAttrAt(i, key, value);
            tip += "\n" + key + " = " + value;
        }
    }
    return tip.Left(kMaxTipLength);
}

// ---------------------------------------------------------------------------------------------
// Pens, hit tests and repainting

LOGPEN CWire::GetDefaultPen() const {
    return m_document ? m_document->m_wirePen : CDrawDoc::kDefaultWirePen;
}

LOGBRUSH CWire::GetDefaultBrush() const {
    return m_document ? m_document->m_wireBrush : CDrawDoc::kDefaultWireBrush;
}

BOOL CWire::Intersects(const CRect& rect) {
    CRect area = NormalizedRect(rect);
    CRect bounds = NormalizedRect(m_position);
    bounds.InflateRect(1, 1);
    if (area.left > bounds.right || area.right < bounds.left || area.top > bounds.bottom ||
        area.bottom < bounds.top)
        return FALSE;
    const LONG grow = (GetPen().lopnWidth.x + 1) / 2;
    area.InflateRect(grow, grow);
    for (int i = 0; i + 1 < m_count; ++i) {
        const CPoint& a = m_points[static_cast<size_t>(i)];
        const CPoint& b = m_points[static_cast<size_t>(i) + 1];
        if (SegmentMeetsRect(area, a.x, a.y, b.x, b.y))
            return TRUE;
    }
    return FALSE;
}

void CWire::Invalidate(IDocView* view) {
    if (!view) {
        if (m_document)
            m_document->UpdateAllViews(nullptr, kHintObject, this);
        return;
    }
    CRect bounds = NormalizedRect(m_position);
    CRect handles = ClientRectOf(*view, bounds);
    handles.InflateRect(kHandleMargin, kHandleMargin);
    bounds.InflateRect(kJunctionMargin, kJunctionMargin);
    CRect pixels;
    pixels.UnionRect(ClientRectOf(*view, bounds), handles);
    view->InvalidateClientRect(pixels);
}

// ---------------------------------------------------------------------------------------------
// Points

CPoint CWire::GetPointFromEnd(int fromEnd, int n) const {
    const int index = fromEnd ? m_count - 1 - n : n;
    return m_points[static_cast<size_t>(std::clamp(index, 0, std::max(m_count - 1, 0)))];
}

BOOL CWire::PointOnWire(int x, int y) const {
    const CPoint p(x, y);
    for (int i = 0; i + 1 < m_count; ++i) {
        if (SquaredDistanceToSegment(p, m_points[static_cast<size_t>(i)],
                                     m_points[static_cast<size_t>(i) + 1]) < kOnWireSquared)
            return TRUE;
    }
    return FALSE;
}

void CWire::Reverse() {
    std::reverse(m_points.begin(), m_points.begin() + m_count);
    std::swap(m_start, m_end);
    m_flags = ((m_flags >> 2) & 0x300) | ((m_flags & 0x300) << 2) | (m_flags & ~DWORD{0xF00});
}

void CWire::GetConnectInfo(int, void* info) {
    auto* record = static_cast<ConnectInfo*>(info);
    if (!record)
        return;
    record->kind = 1;
    record->acceptedTypes = ObjTypeMask(kObjWire) | ObjTypeMask(kObjSymbol);
    record->freeEnds = (m_start ? 0 : 1) + (m_end ? 0 : 1);
}

void CWire::PlaceAttrText(CAttrText* text) {
    if (!text || m_count < 2)
        return;
    const auto onBus = [](const CDrawObj* object) {
        return object && object->GetObjType() == kObjBus;
    };
    const bool last = m_start && !onBus(m_start) && (!m_end || onBus(m_end));
    const CPoint a = GetPointFromEnd(last ? 1 : 0, last ? 1 : 0);
    const CPoint b = GetPointFromEnd(last ? 1 : 0, last ? 0 : 1);
    const CPoint middle((a.x + b.x) / 2, (a.y + b.y) / 2);
    text->SetRotation(0);
    const CRect box = NormalizedRect(text->GetPosition());
    text->OffsetBy(CSize(middle.x - (box.left + box.Width() / 2), middle.y - box.top));
    int angle = AngleFromVector(b.y - a.y, b.x - a.x);
    if (angle >= 900)
        angle -= 1800;
    if (std::abs(angle) >= kMinTextTurn)
        text->Rotate(angle, middle.x, middle.y, nullptr);
}

// The nearest of: the points, and where the horizontal and the vertical line through the
// point cross a segment. A segment along either line offers only its end points.
CPoint CWire::GetNearestPoint(CPoint point) {
    if (m_count == 0)
        return point;
    CPoint best = m_points[0];
    double bestDistance = -1;
    const auto offer = [&](double x, double y) {
        const double dx = x - point.x;
        const double dy = y - point.y;
        const double distance = dx * dx + dy * dy;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = CPoint(static_cast<LONG>(std::floor(x + 0.5)),
                          static_cast<LONG>(std::floor(y + 0.5)));
        }
    };
    for (int i = 0; i < m_count; ++i)
        offer(m_points[static_cast<size_t>(i)].x, m_points[static_cast<size_t>(i)].y);
    for (int i = 0; i + 1 < m_count; ++i) {
        const CPoint& a = m_points[static_cast<size_t>(i)];
        const CPoint& b = m_points[static_cast<size_t>(i) + 1];
        if (a.y != b.y && std::min(a.y, b.y) <= point.y && point.y <= std::max(a.y, b.y))
            offer(a.x + double(b.x - a.x) * (point.y - a.y) / double(b.y - a.y), point.y);
        if (a.x != b.x && std::min(a.x, b.x) <= point.x && point.x <= std::max(a.x, b.x))
            offer(point.x, a.y + double(b.y - a.y) * (point.x - a.x) / double(b.x - a.x));
    }
    return best;
}
