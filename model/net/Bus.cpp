#include "model/net/Bus.h"

#include "model/doc/DrawDoc.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Net.h"
#include "model/net/WireSheet.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "platform/Archive.h"

IMPLEMENT_SERIAL(CBus, CWire, VERSIONABLE_SCHEMA | 2)

namespace {

constexpr const char* kDefaultBusName = "D[0..7]";
constexpr int kMaxTipLength = 259;

// A new net held once by the bus, copying source when given.
CNet* NewNet(const CNet* source) {
    auto* net = source ? new CNet(*source) : new CNet;
    net->AddRef();
    return net;
}

}  // namespace

CBus::CBus() {
    m_flags = kBusNewFlags;
    m_net = NewNet(nullptr);
}

CBus::CBus(const CBus& source, CDrawDoc* document) : CWire(source, document) {
    if (m_net)
        m_net->Release();
    m_net = NewNet(source.m_net);
    m_width = source.m_width;
}

CDrawObj* CBus::Clone(CDrawDoc* document) {
    return new CBus(*this, document);
}

CDrawObj* CBus::Duplicate() {
    return new CBus(*this, m_document);
}

void CBus::Serialize(CArchive& ar) {
    CWire::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_width);
        return;
    }
    DWORD width = 0;
    ar >> width;
    m_width = static_cast<LONG>(width);
}

CString CBus::GetTipText() const {
    CString tip;
    tip.Format("Bus %s", m_net ? m_net->GetName().c_str() : "");
    return tip.Left(kMaxTipLength);
}

// ---------------------------------------------------------------------------------------------
// Name and attributes

// An end that offers an empty name does not keep the bus unnamed.
int CBus::AssignId(int) {
    const char* idName = GetStdAttrName(kStdAttrId);
    if (!GetAttr(idName).IsEmpty())
        return TRUE;
    CString name = kDefaultBusName;
    CDrawObj* candidates[] = {dynamic_cast<CPin*>(m_start), dynamic_cast<CPin*>(m_end), m_start,
                              m_end};
    for (CDrawObj* candidate : candidates) {
        const CString id = candidate ? candidate->GetAttr(idName) : CString();
        if (!id.IsEmpty()) {
            name = id;
            break;
        }
    }
    SetAttr(idName, name, 0);
    return TRUE;
}

int CBus::SetAttr(const char* name, const char* value, UINT flags) {
    return SetNetAttr(name, value, flags);
}

void CBus::SetGroupNet(CNet*, UINT) {}

BOOL CBus::JoinNets() {
    return TRUE;
}

void CBus::Reverse() {
    CWire::Reverse();
    m_flags ^= kBusReverseFlow;
}

// ---------------------------------------------------------------------------------------------
// Geometry

BOOL CBus::RecalcBounds(IDocView* view) {
    const std::vector<POINT> outline = BuildOutline();
    if (outline.empty())
        return CWire::RecalcBounds(view);
    CRect bounds;
    PointsBoundingRect(outline.data(), static_cast<int>(outline.size()), bounds);
    return ReplacePosition(bounds, view);
}

void CBus::MoveTo(const CRect& position, IDocView* view) {
    CWire::MoveTo(position, view);
    RecalcBounds(view);
}

void CBus::OnEditProperties(IDocView* view) {
    if (view && m_document)
        EditBusProperties(*view, *m_document);
}

void CBus::OffsetBy(CSize delta) {
    CWire::OffsetBy(delta);
    RecalcBounds(nullptr);
}

BOOL CBus::Intersects(const CRect& rect) {
    const std::vector<POINT> outline = BuildOutline();
    if (outline.size() < 4)
        return FALSE;
    return PolygonMeetsRect(outline.data(), static_cast<int>(outline.size()), rect, TRUE);
}

CDrawObj* CBus::SnapPoint(CPoint& point, ISnapGrid* grid, double& best) {
    CDrawObj* found = CWire::SnapPoint(point, grid, best);
    if (found)
        best = 0;
    return found;
}
