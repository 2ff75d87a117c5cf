#include "model/ole/DrawOleObj.h"

#include "model/app/SchematicApp.h"
#include "model/object/ShapePaintScope.h"
#include "model/ole/DrawItem.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/GdiArchive.h"
#include "platform/UserPrompt.h"

IMPLEMENT_SERIAL(CDrawOleObj, CDrawObj, VERSIONABLE_SCHEMA | 1)

namespace {
constexpr const char* kCannotOpen =
    "Embedded objects cannot be opened or edited on this system; they are kept as they are.";
}  // namespace

CDrawOleObj::CDrawOleObj() = default;

CDrawOleObj::CDrawOleObj(const CRect& position) : CDrawObj(position) {
    SetFlags(kFlagOutlined, ~DWORD{0});
}

CDrawOleObj::CDrawOleObj(const CDrawOleObj& source, CDrawDoc* document)
    : CDrawObj(source, document) {}

CDrawOleObj::~CDrawOleObj() = default;

int CDrawOleObj::GetObjType() const {
    return kObjOle;
}

void CDrawOleObj::SetItem(std::unique_ptr<CDrawItem> item) {
    m_item = std::move(item);
    if (m_item)
        m_item->m_pDrawObj = this;
}

void CDrawOleObj::SetPositionAndExtent(const CRect& position, SIZE extent) {
    m_position = position;
    m_extent = extent;
}

void CDrawOleObj::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_extent;
        ar.WriteObject(m_item.get());
        return;
    }
    ar >> m_extent;
    auto* item = static_cast<CDrawItem*>(ar.ReadObject(RUNTIME_CLASS(CDrawItem)));
    // An item serves one object; a second holder would own it twice.
    if (item && item->m_pDrawObj)
        throw CArchiveException(CArchiveException::genericException);
    SetItem(std::unique_ptr<CDrawItem>(item));
}

void CDrawOleObj::Draw(CDC* dc, const double* /*matrix*/) {
    if (!m_item)
        return;
    m_item->Draw(dc, m_position);
    const CSchematicApp* app = GetApp();
    if (dc->IsPrinting() || !app || !(app->Options & kOptionItemFrames))
        return;
    const int saved = dc->SaveDC();
    dc->SelectStockObject(BLACK_PEN);
    dc->SelectStockObject(HOLLOW_BRUSH);
    dc->Rectangle(&m_position);
    dc->RestoreDC(saved);
}

void CDrawOleObj::DrawTracker(CDC* dc, int state, const double* /*matrix*/) {
    {
        const ShapePaintScope scope(dc, state);
        dc->SelectStockObject(HOLLOW_BRUSH);
        dc->Rectangle(&m_position);
    }
    CDrawObj::DrawTracker(dc, state, nullptr);
}

void CDrawOleObj::OnOpen(IDocView* /*view*/) {
    AfxMessageBox(kCannotOpen, MB_OK | MB_ICONINFORMATION);
}

void CDrawOleObj::OnEditProperties(IDocView* /*view*/) {
    AfxMessageBox(kCannotOpen, MB_OK | MB_ICONINFORMATION);
}

CDrawObj* CDrawOleObj::Clone(CDrawDoc* document) {
    auto* copy = new CDrawOleObj(*this, document ? document : GetDocument());
    if (m_item)
        copy->SetItem(std::make_unique<CDrawItem>(*m_item));
    return copy;
}

CDrawObj* CDrawOleObj::Duplicate() {
    return new CDrawOleObj(*this, nullptr);
}

void CDrawOleObj::GiveLinksTo(CDrawObj* replacing) {
    if (auto* other = dynamic_cast<CDrawOleObj*>(replacing); other && other != this)
        other->SetItem(std::move(m_item));
}

void CDrawOleObj::TakeLinksFrom(CDrawObj* replaced) {
    if (auto* other = dynamic_cast<CDrawOleObj*>(replaced); other && other != this)
        SetItem(std::move(other->m_item));
}
