#include "drawtools/RectTool.h"

#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/symbol/Pin.h"
#include "model/text/TextBox.h"
#include "platform/UserPrompt.h"

namespace {

constexpr DWORD kSnapEverything = 0xFFFFFFFF;
constexpr DWORD kArrowAtEnd = 0x800;
constexpr DWORD kArrowsAtBothEnds = 0xA00;

std::unique_ptr<CDrawObj> NewLine(CPoint sheet, DWORD arrows) {
    auto line = std::make_unique<CDrawRect>(CRect(sheet, sheet));
    line->SetShape(kShapeLine);
    line->SetFlags(kFlagOpen | arrows, kFlagOpen | arrows);
    return line;
}

}  // namespace

std::unique_ptr<CDrawObj> CRectTool::NewObject(CPoint sheet) const {
    const CRect empty(sheet, sheet);
    switch (Shape()) {
        case kToolLine:
            return NewLine(sheet, 0);
        case kToolArrowLine:
            return NewLine(sheet, kArrowAtEnd);
        case kToolDoubleArrowLine:
            return NewLine(sheet, kArrowsAtBothEnds);
        case kToolRoundRect: {
            auto rect = std::make_unique<CDrawRect>(empty);
            rect->SetShape(kShapeRoundRect);
            return rect;
        }
        case kToolEllipse:
            return std::make_unique<CEllipse>(empty);
        case kToolArc: {
            auto arc = std::make_unique<CEllipse>(empty);
            arc->SetFlags(kFlagOpen, kFlagOpen);
            return arc;
        }
        case kToolText:
            return std::make_unique<CTextBox>(empty);
        case kToolPin: {
            auto pin = std::make_unique<CPin>();
            pin->SetEnds(sheet, sheet);
            return pin;
        }
        default:
            return std::make_unique<CDrawRect>(empty);
    }
}

bool CRectTool::IsLineTool() const {
    return Shape() == kToolLine || Shape() == kToolArrowLine || Shape() == kToolDoubleArrowLine;
}

void CRectTool::OnLButtonDown(IToolView& view, UINT flags, CPoint point) {
    CDrawTool::OnLButtonDown(view, flags, point);
    m_created = nullptr;
    CPoint sheet = view.ClientToDoc(point);
    view.SnapPoint(sheet, kSnapEverything, nullptr, AltRule(flags));
    std::unique_ptr<CDrawObj> object = NewObject(sheet);
    CDrawObj* added = object.get();
    // A refused object is the document's to delete; nothing of it may be touched here.
    if (!view.Document().AddObject(std::move(object))) {
        view.SetCapture(false);
        AfxMessageBox("Add object failed");
        return;
    }
    m_created = added;
    m_added = view.Document().GetUndoList().LastStep();
    view.Select(added, false);
    ToolState& state = State();
    state.selectMode = kSelectSizing;
    view.SetPrompt(kPromptDrawShape);
    state.dragHandle = 1;
    state.lastSheet = sheet;
}

void CRectTool::OnMouseMove(IToolView& view, UINT flags, CPoint point) {
    view.SetCursor(ToolCursor::Cross);
    m_tools.SelectTool().OnMouseMove(view, flags, point);
}

void CRectTool::OnLButtonUp(IToolView& view, UINT flags, CPoint point) {
    // A click keeps the tool: the select tool sees a point beside the press.
    if (point == State().downPoint)
        point.x += 1;
    m_tools.SelectTool().OnLButtonUp(view, flags, point);
    CDrawObj* created = m_created;
    m_created = nullptr;
    if (created && created == PrimaryObject(view))
        GiveDefaultSize(view, created);
}

void CRectTool::GiveDefaultSize(IToolView& view, CDrawObj* object) const {
    if (auto* pin = dynamic_cast<CPin*>(object)) {
        if (pin->GetBodyEnd() == pin->GetHotEnd())
            pin->MoveHandleTo(2, pin->GetBodyEnd() + CSize(kDefaultPinLength, 0), &view);
        return;
    }
    auto* text = dynamic_cast<CTextBox*>(object);
    const CRect position = object->GetPosition();
    const bool flat = position.Width() == 0 || position.Height() == 0;
    const bool point = position.Width() == 0 && position.Height() == 0;
    if (flat && text) {
        text->RecalcLayout();
        text->Invalidate(&view);
    } else if (IsLineTool() ? point : flat) {
        object->Invalidate(&view);
        const CPoint centre((position.left + position.right) / 2,
                            (position.top + position.bottom) / 2);
        object->MoveTo(
            CRect(centre.x, centre.y, centre.x + kDefaultShapeSize, centre.y + kDefaultShapeSize),
            &view);
        object->Invalidate(&view);
    }
    if (text)
        text->OnOpen(&view);
}

// A new object being sized is taken back whichever way its gesture ends: it has no size yet.
void CRectTool::EndGesture(IToolView& view, GestureEnd) {
    if (!m_created || m_created->GetDocument() != &view.Document())
        return;
    ToolState& state = State();
    if (state.selectMode == kSelectSizing) {
        view.Select(nullptr, false);
        view.Document().GetUndoList().CancelStep(m_added);
        state.selectMode = kSelectNone;
        view.SetCapture(false);
    }
    m_created = nullptr;
}

void CRectTool::OnObjectsLeft(IToolView&, const CObList& objects) {
    if (m_created && objects.Find(m_created))
        m_created = nullptr;
}

void CRectTool::AddHeldObjects(std::vector<const CDrawObj*>& held) const {
    if (m_created)
        held.push_back(m_created);
}

void CRectTool::OnContextMenu(IToolView& view, CPoint screen) {
    if (view.HasCapture())
        return;
    if (const UINT id = view.TrackMenu(ShapeToolMenu(), screen))
        view.RunCommand(id);
}
