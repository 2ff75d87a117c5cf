#include "library/PreviewGrid.h"

#include <algorithm>
#include <vector>

#include "library/LibraryItemData.h"
#include "model/object/DrawObj.h"
#include "platform/DC.h"

namespace {

constexpr int kFrame = 2;
constexpr int kButtonRowHeight = 13;
constexpr int kPlaceWidth = 50;
constexpr int kNameBandHeight = 10;
constexpr int kImageMargin = 3;

void DeleteObjects(CObList& objects) {
    std::vector<CObject*> owned;
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        owned.push_back(objects.GetNext(pos));
    objects.RemoveAll();
    for (CObject* object : owned) {
        if (auto* drawObj = dynamic_cast<CDrawObj*>(object))
            drawObj->Remove();
        else
            delete object;
    }
}

}  // namespace

PreviewLayout MakePreviewLayout(int width, int height, UINT flags) {
    PreviewLayout layout;
    layout.inner = CRect(kFrame, kFrame, width - kFrame, height - kFrame);
    const CRect& inner = layout.inner;
    const int row = (flags & kPreviewNoTabs) ? 0 : kButtonRowHeight;
    layout.buttonRow = CRect(inner.left, inner.bottom - row, inner.right, inner.bottom);
    layout.place = CRect(inner.left, layout.buttonRow.top, inner.left + kPlaceWidth, inner.bottom);
    layout.tabs = CRect(inner.left + kPlaceWidth, layout.buttonRow.top, inner.right, inner.bottom);
    layout.description = CRect(inner.left, inner.top, inner.right, layout.buttonRow.top);
    layout.nameBand = CRect(inner.left, layout.buttonRow.top - kNameBandHeight, inner.right,
                            layout.buttonRow.top);
    layout.image = CRect(inner.left, inner.top, inner.right, layout.nameBand.top);
    layout.image.DeflateRect(kImageMargin, kImageMargin);
    return layout;
}

size_t CPreviewGrid::CellIndex(int row, int column) const {
    return static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column);
}

CPreviewGrid::~CPreviewGrid() {
    Clear();
}

void CPreviewGrid::Clear() {
    for (Cell& cell : m_cells) {
        for (Alternative& alternative : cell.alternatives)
            DeleteObjects(*alternative);
    }
    m_cells.clear();
    m_rows = m_columns = 0;
}

void CPreviewGrid::Resize(int rows, int columns) {
    Clear();
    m_rows = rows;
    m_columns = columns;
    m_cells.resize(static_cast<size_t>(rows) * static_cast<size_t>(columns));
}

void CPreviewGrid::SetObjects(CObList& objects) {
    Resize(1, 1);
    auto alternative = std::make_unique<CObList>();
    alternative->AddTail(&objects);
    objects.RemoveAll();
    m_cells.front().alternatives.push_back(std::move(alternative));
}

void CPreviewGrid::ShowItem(CLibraryItemData& item) {
    if (item.m_deviceSymbols.empty() || item.m_rows <= 0 || item.m_columns <= 0) {
        SetObjects(item.m_objects);
        item.Clear();
        return;
    }
    Resize(item.m_rows, item.m_columns);
    int cell = -1;
    for (size_t i = 0; i < item.m_deviceSymbols.size(); ++i) {
        cell += StartsGate(item.m_deviceSymbols, i) ? 1 : 0;
        if (cell >= static_cast<int>(m_cells.size()))
            break;
        auto alternative = std::make_unique<CObList>();
        alternative->AddTail(&item.m_deviceSymbols[i]->m_objects);
        item.m_deviceSymbols[i]->m_objects.RemoveAll();
        m_cells[static_cast<size_t>(cell)].alternatives.push_back(std::move(alternative));
    }
    // Entries beyond the grid, if any, still hold their objects and go with the item.
    item.m_objects.RemoveAll();
    item.m_deviceSymbols.clear();
}

const CPreviewGrid::Cell& CPreviewGrid::CellAt(int row, int column) const {
    return m_cells.at(CellIndex(row, column));
}

bool CPreviewGrid::HasObjects() const {
    return std::any_of(m_cells.begin(), m_cells.end(), [](const Cell& cell) {
        return std::any_of(cell.alternatives.begin(), cell.alternatives.end(),
                           [](const Alternative& a) { return !a->IsEmpty(); });
    });
}

CRect CPreviewGrid::CellRect(const CRect& image, int row, int column) const {
    const int width = m_columns > 0 ? image.Width() / m_columns : 0;
    const int height = m_rows > 0 ? image.Height() / m_rows : 0;
    const int left = image.left + column * width;
    const int top = image.top + row * height;
    return CRect(left, top, left + width, top + height);
}

CString CPreviewGrid::CaptionOf(const Cell& cell) {
    CString caption;
    if (cell.alternatives.size() >= 2)
        caption.Format("%d of %d", cell.shown + 1, static_cast<int>(cell.alternatives.size()));
    return caption;
}

bool CPreviewGrid::Click(const CRect& image, CPoint point, int captionHeight) {
    if (m_rows <= 0 || m_columns <= 0)
        return false;
    const CRect first = CellRect(image, 0, 0);
    if (first.Width() < kMinClickableCell || first.Height() < kMinClickableCell ||
        !image.PtInRect(point))
        return false;
    const int column = (point.x - image.left) / first.Width();
    const int row = (point.y - image.top) / first.Height();
    if (row >= m_rows || column >= m_columns)
        return false;
    Cell& cell = m_cells[CellIndex(row, column)];
    const CRect rect = CellRect(image, row, column);
    const int count = static_cast<int>(cell.alternatives.size());
    if (count < 2 || rect.Height() < kMinCaptionedCell || point.y < rect.bottom - captionHeight)
        return false;
    if (point.x >= rect.right - kArrowWidth)
        cell.shown = (cell.shown + 1) % count;
    else if (point.x < rect.left + kArrowWidth)
        cell.shown = (cell.shown + count - 1) % count;
    else
        return false;
    return true;
}

void CPreviewGrid::CollectShown(CObList& list) const {
    for (const Cell& cell : m_cells) {
        if (!cell.alternatives.empty())
            list.AddTail(cell.alternatives[static_cast<size_t>(cell.shown)].get());
    }
}

CRect ObjectsExtent(const CObList& objects) {
    bool any = false;
    CRect extent(0, 0, 0, 0);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = dynamic_cast<CDrawObj*>(objects.GetNext(pos));
        if (!object)
            continue;
        CRect rect;
        object->GetBoundingRect(rect);
        rect.NormalizeRect();
        if (!any)
            extent = rect;
        extent.SetRect(std::min(extent.left, rect.left), std::min(extent.top, rect.top),
                       std::max(extent.right, rect.right), std::max(extent.bottom, rect.bottom));
        any = true;
    }
    return extent;
}

void MapObjectsOntoCell(CDC& dc, const CObList& objects, const CRect& cell) {
    const CRect extent = ObjectsExtent(objects);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(std::max(1, extent.Width()), std::max(1, extent.Height()));
    dc.SetViewportExt(std::max(1, cell.Width()), -std::max(1, cell.Height()));
    dc.SetWindowOrg(extent.CenterPoint());
    dc.SetViewportOrg(cell.CenterPoint());
}
