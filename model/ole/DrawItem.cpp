#include "model/ole/DrawItem.h"

#include "model/app/SchematicApp.h"
#include "model/doc/DocumentBase.h"
#include "model/ole/DrawOleObj.h"
#include "platform/Archive.h"
#include "platform/DC.h"

IMPLEMENT_SERIAL(CDrawItem, CObject, 0)

namespace {

CString StorageName(DWORD number) {
    CString name;
    name.Format("Embedding %lu", static_cast<unsigned long>(number));
    return name;
}

// The sheet size of a HIMETRIC length (0.01 mm in 1/1000 inch).
LONG NaturalLength(LONG himetric) {
    return MulDiv(himetric, 100, 254);
}

DWORD FirstFreeNumber(const CompoundStorage& root) {
    DWORD number = 1;
    while (root.FindStorage(StorageName(number).str()))
        ++number;
    return number;
}

CompoundStorage* RootOf(const CArchive& ar) {
    return ar.m_pDocument ? ar.m_pDocument->GetRootStorage() : nullptr;
}

}  // namespace

CDrawItem::CDrawItem() = default;

CDrawItem::CDrawItem(const CDrawItem& source)
    : CObject(),
      m_number(source.m_number),
      m_aspect(source.m_aspect),
      m_storage(source.m_storage),
      m_presentation(source.m_presentation) {}

void CDrawItem::SetStorage(const CompoundStorage& storage) {
    m_storage = storage;
    m_presentation = OlePresentation::Of(m_storage);
}

void CDrawItem::Serialize(CArchive& ar) {
    CompoundStorage* root = RootOf(ar);
    if (ar.IsStoring()) {
        if (root) {
            if (m_number == 0 || root->FindStorage(StorageName(m_number).str()))
                m_number = FirstFreeNumber(*root);
            root->CopyStorage(StorageName(m_number).str(), m_storage);
        }
        ar << m_number << m_aspect;
        return;
    }
    ar >> m_number >> m_aspect;
    const CompoundStorage* stored =
        root && m_number != 0 ? root->FindStorage(StorageName(m_number).str()) : nullptr;
    if (!stored)
        throw CArchiveException(CArchiveException::genericException);
    SetStorage(*stored);
}

// The stored presentation stands in for the server's extent. A new extent scales the
// rectangle, or with "Restore Size After Edit" gives it the natural size. An old extent with a
// zero side counts as none, so the natural size is taken rather than a division by zero.
BOOL CDrawItem::UpdateExtent() {
    if (m_state == kActive || m_state == kActiveUI)
        return TRUE;
    if (!m_pDrawObj || !m_presentation.hasExtent)
        return FALSE;
    const SIZE extent = m_presentation.extent;
    const SIZE old = m_pDrawObj->GetExtent();
    if (extent.cx == old.cx && extent.cy == old.cy)
        return FALSE;
    m_pDrawObj->Invalidate(nullptr);
    const CSchematicApp* app = GetApp();
    const bool restoreSize = app && (app->Options & kOptionRestoreItemSize);
    CRect rect = m_pDrawObj->GetPosition();
    const CPoint topLeft = rect.TopLeft();
    if (!restoreSize && old.cx != 0 && old.cy != 0) {
        rect = CRect(topLeft, CSize(MulDiv(rect.Width(), extent.cx, old.cx),
                                    MulDiv(rect.Height(), extent.cy, old.cy)));
    } else {
        rect = CRect(topLeft, CSize(NaturalLength(extent.cx), -NaturalLength(extent.cy)));
    }
    m_pDrawObj->SetPositionAndExtent(rect, extent);
    m_pDrawObj->Invalidate(nullptr);
    return TRUE;
}

void CDrawItem::Draw(CDC* dc, const CRect& rect) const {
    if (m_presentation.image) {
        dc->DrawImage(&rect, *m_presentation.image);
        return;
    }
    DrawPlaceholder(dc, rect);
}

// A frame with the object's type name in its middle.
void CDrawItem::DrawPlaceholder(CDC* dc, const CRect& rect) const {
    const int saved = dc->SaveDC();
    dc->SelectStockObject(BLACK_PEN);
    dc->SelectStockObject(HOLLOW_BRUSH);
    dc->Rectangle(&rect);
    CRect inside = rect;
    inside.NormalizeRect();
    dc->SetBkMode(TRANSPARENT);
    const CString label =
        m_presentation.userType.IsEmpty() ? CString("Embedded object") : m_presentation.userType;
    dc->DrawText(label, -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->RestoreDC(saved);
}
