#include "drawtools/PolyTool.h"

#include <cmath>

#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawPoly.h"

namespace {

constexpr DWORD kSnapAll = 0xEFFFFFFF;
// Smoothed Bezier control points are kept only inside this part of the sheet.
constexpr LONG kControlMinX = -4000;
constexpr LONG kControlMaxX = 25000;
constexpr LONG kControlMinY = -25000;
constexpr LONG kControlMaxY = 4000;

bool OnSheet(const CPoint& point) {
    return point.x >= kControlMinX && point.x <= kControlMaxX && point.y >= kControlMinY &&
           point.y <= kControlMaxY;
}

}  // namespace

void CPolyTool::OnLButtonDown(IToolView& view, UINT flags, CPoint point) {
    CDrawTool::OnLButtonDown(view, flags, point);
    CPoint sheet = view.ClientToDoc(point);
    view.SnapPoint(sheet, kSnapAll, &view.GetSelection(), AltRule(flags));
    if (!m_poly) {
        if (!Start(view, sheet))
            return;
    } else if (sheet == m_poly->GetPoint(0)) {
        Close(view);
        return;
    }
    if (IsBezier()) {
        m_poly->InsertPoint(m_poly->GetPointCount(), sheet.x, sheet.y);
        m_poly->InsertPoint(m_poly->GetPointCount(), sheet.x, sheet.y);
    }
    m_poly->InsertPoint(m_poly->GetPointCount(), sheet.x + 1, sheet.y);
    ToolState& state = State();
    state.selectMode = kSelectAddPoints;
    view.SetPrompt(kPromptShapePoints);
    state.dragHandle = m_poly->GetPointCount();
    state.lastSheet = sheet;
}

bool CPolyTool::Start(IToolView& view, CPoint sheet) {
    auto poly = std::make_unique<CDrawPoly>(CRect(sheet, sheet));
    if (Shape() == kToolBezier)
        poly->SetFlags(kFlagOpen | kFlagBezier, kFlagOpen | kFlagBezier);
    else if (Shape() == kToolPolyline)
        poly->SetFlags(kFlagOpen, kFlagOpen);
    CDrawPoly* added = poly.get();
    if (!view.Document().AddObject(std::move(poly))) {
        view.SetCapture(false);
        SetShape(kToolSelect);
        return false;
    }
    m_poly = added;
    m_added = view.Document().GetUndoList().LastStep();
    view.Select(m_poly, false);
    m_poly->AddPoint(sheet);
    return true;
}

// A click on the first point closes the shape.
void CPolyTool::Close(IToolView& view) {
    view.SetCapture(false);
    if (!IsBezier())
        m_poly->RemovePoint(m_poly->GetPointCount() - 1);
    if (m_poly->GetPointCount() < 2) {
        TakeBack(view);
    } else {
        m_poly->RecalcBounds(&view);
        m_poly->Invalidate(&view);
    }
    m_poly = nullptr;
    State().selectMode = kSelectNone;
    SetShape(kToolSelect);
}

void CPolyTool::OnLButtonUp(IToolView&, UINT, CPoint) {}

void CPolyTool::OnMouseMove(IToolView& view, UINT flags, CPoint point) {
    view.SetCursor(ToolCursor::Cross);
    m_tools.SelectTool().OnMouseMove(view, flags, point);
    if (m_poly && IsBezier() && m_poly->GetPointCount() > 4)
        SmoothBezier(view);
    if (m_poly)
        m_poly->Invalidate(&view);
}

// The two control points before the floating point keep the curve smooth through the last
// anchor: the second lies on the line from the anchor before through the last anchor, the
// first mirrors the floating point's direction.
void CPolyTool::SmoothBezier(IToolView& view) {
    const int count = m_poly->GetPointCount();
    const CPoint end = m_poly->GetPoint(count - 1);
    const CPoint anchor = m_poly->GetPoint(count - 4);
    const CPoint before = m_poly->GetPoint(count - 5);
    const double inX = double(anchor.x) - before.x;
    const double inY = double(anchor.y) - before.y;
    const double outX = double(end.x) - anchor.x;
    const double outY = double(end.y) - anchor.y;
    const double inLength = std::sqrt(inX * inX + inY * inY);
    const double outLength = std::sqrt(outX * outX + outY * outY);
    if (inLength == 0 || outLength == 0)
        return;
    const double reach = outLength / 3.0;
    const CPoint first(anchor.x + LONG(std::lround(inX / inLength * reach)),
                       anchor.y + LONG(std::lround(inY / inLength * reach)));
    const CPoint second(end.x - LONG(std::lround(outX / 3.0)),
                        end.y - LONG(std::lround(outY / 3.0)));
    if (!OnSheet(first) || !OnSheet(second))
        return;
    m_poly->MoveHandleTo(count - 2, first, &view);
    m_poly->MoveHandleTo(count - 1, second, &view);
}

void CPolyTool::DropFloatingPoint(IToolView& view) {
    const int count = m_poly->GetPointCount();
    if (IsBezier() || count <= 2)
        return;
    const CPoint last = m_poly->GetPoint(count - 1);
    const CPoint before = m_poly->GetPoint(count - 2);
    if (last == before || (last.y == before.y && last.x == before.x + 1)) {
        m_poly->RemovePoint(count - 1);
        m_poly->RecalcBounds(&view);
        m_poly->Invalidate(&view);
    }
}

// A double click ends the shape as drawn, without the point that followed the mouse.
void CPolyTool::OnLButtonDblClk(IToolView& view, UINT, CPoint) {
    if (m_poly)
        DropFloatingPoint(view);
    m_poly = nullptr;
    State().selectMode = kSelectNone;
    view.SetCapture(false);
    SetShape(kToolSelect);
}

// Finished (by End Polygon, which keeps the tool for the next shape, or by whatever comes
// first) as drawn, unless nothing beyond its first click was drawn: that is taken back.
// Cancelled as Esc cancels it: the shape stays as drawn.
void CPolyTool::EndGesture(IToolView& view, GestureEnd how) {
    if (!m_poly || m_poly->GetDocument() != &view.Document())
        return;
    DropFloatingPoint(view);
    if (how != GestureEnd::Cancel && HasOnlyItsStart())
        TakeBack(view);
    m_poly = nullptr;
}

bool CPolyTool::HasOnlyItsStart() const {
    const CPoint start = m_poly->GetPoint(0);
    for (int i = 1; i < m_poly->GetPointCount(); ++i) {
        const CPoint point = m_poly->GetPoint(i);
        if (point != start && !(point.y == start.y && point.x == start.x + 1))
            return false;
    }
    return true;
}

void CPolyTool::TakeBack(IToolView& view) {
    view.Select(nullptr, false);
    view.Document().GetUndoList().CancelStep(m_added);
    m_poly = nullptr;
}

void CPolyTool::OnObjectsLeft(IToolView&, const CObList& objects) {
    if (m_poly && objects.Find(m_poly))
        m_poly = nullptr;
}

void CPolyTool::AddHeldObjects(std::vector<const CDrawObj*>& held) const {
    if (m_poly)
        held.push_back(m_poly);
}

void CPolyTool::OnContextMenu(IToolView& view, CPoint screen) {
    const bool captured = view.HasCapture();
    if (captured)
        view.SetCapture(false);
    const UINT id = view.TrackMenu(PolyToolMenu(), screen);
    if (captured)
        view.SetCapture(true);
    if (id)
        view.RunCommand(id);
}
