#include "ToolTestView.h"

#include "drawtools/ToolManager.h"
#include "shell/frames/StatusPaneText.h"

void ToolTestView::OnUpdate(IDocView*, int hint, CObject*, CObList* list) {
    switch (hint) {
        case kHintRemoved:
            // As the schematic view: the tools hear of it first.
            if (ToolManager* tools = GetToolManager(); tools && list)
                tools->ObjectsLeft(*this, *list);
            for (POSITION pos = list ? list->GetHeadPosition() : nullptr; pos;) {
                if (POSITION at = selection.Find(list->GetNext(pos)))
                    selection.RemoveAt(at);
            }
            break;
        case kHintDeselect:
            selection.RemoveAll();
            break;
        case kHintReplaceSelection:
            selection.RemoveAll();
            if (list)
                selection.AddTail(list);
            break;
        case kHintAddToSelection:
            for (POSITION pos = list ? list->GetHeadPosition() : nullptr; pos;) {
                CObject* object = list->GetNext(pos);
                if (!selection.Find(object))
                    selection.AddTail(object);
            }
            break;
        default:
            break;
    }
}

void ToolTestView::Select(CDrawObj* object, bool add) {
    if (!add)
        selection.RemoveAll();
    if (!object)
        return;
    if (POSITION at = selection.Find(object))
        selection.RemoveAt(at);
    else
        object->AddAttrTextsTo(&selection);
    selection.AddTail(object);
}

void ToolTestView::Deselect(CDrawObj* object) {
    if (POSITION at = selection.Find(object))
        selection.RemoveAt(at);
}

void ToolTestView::SelectWithinRect(const CRect& windowRect, bool add) {
    if (!add)
        selection.RemoveAll();
    CRect sheet(ClientToDoc(windowRect.TopLeft()), ClientToDoc(windowRect.BottomRight()));
    sheet.NormalizeRect();
    for (POSITION pos = m_doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(m_doc.GetObjects().GetNext(pos));
        if (object->Intersects(sheet) && !selection.Find(object))
            selection.AddTail(object);
    }
}

CRect ToolTestView::GetSelectionBounds() const {
    return SelectionBounds(selection);
}

bool ToolTestView::CloneSelection() {
    CObList copies;
    copies.AddTail(&selection);
    m_doc.SortInDrawingOrder(&copies);
    if (!m_doc.AddObjectCopies(&copies))
        return false;
    selection.RemoveAll();
    selection.AddTail(&copies);
    return true;
}

CDrawObj* ToolTestView::SnapPoint(CPoint& point, DWORD mask, const CObList* exclude,
                                  GridSnap mode) {
    DWORD used = options;
    if (mode == GridSnap::Inverted)
        used ^= 0x20000000;
    else if (mode == GridSnap::Forced)
        used |= 0x20000000;
    return SnapEngine(m_doc, grid, used).SnapPoint(point, mask, exclude);
}
