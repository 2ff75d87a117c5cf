// The schematic view's searching with the settings of the main frame's "Find" dialog.

#include <algorithm>

#include "gui/library/DlgFind.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "shell/frames/StatusPaneText.h"
#include "shell/view/DrawView.h"
#include "shell/view/ViewHost.h"

void CDrawView::AddFindCommands() {
    m_commands.On(ID_EDIT_FIND, [this] {
        if (IViewHost* host = ViewHostOf(this))
            host->findDialog().ShowFind();
    });
    m_commands.On(
        ID_EDIT_FIND_NEXT, [this] { FindNext(); },
        [this](CmdUI& ui) {
            const IViewHost* host = ViewHostOf(this);
            const CDlgFind* dialog = host ? host->existingFindDialog() : nullptr;
            ui.Enable(dialog && dialog->HasText());
        });
    m_commands.On(ID_FIND_HIGHLIGHT_ALL, [this] { FindAll(false); });
    m_commands.On(ID_FIND_SELECT_ALL, [this] { FindAll(true); });
    // What the search highlighted is for the screen while the dialog is open.
    m_commands.On(ID_FIND_CLOSED, [this] { m_document.ClearFlagsAndInvalidate(kFlagHighlight); });
}

void CDrawView::FindNext() {
    IViewHost* host = ViewHostOf(this);
    if (!host)
        return;
    CDlgFind& dialog = host->findDialog();
    CDrawObj* match = FindNextMatch(m_document, dialog.Options(), dialog.Position());
    if (!match) {
        AfxMessageBox("The specified search text was not found");
        return;
    }
    CObList found;
    found.AddTail(match);
    HighlightOnly(found);
    dialog.MoveClearOf(GlobalRect(SelectionBounds(found)));
}

// The window area of a sheet rectangle, in global coordinates.
QRect CDrawView::GlobalRect(const CRect& sheet) const {
    const CPoint a = DocToClient(sheet.TopLeft());
    const CPoint b = DocToClient(sheet.BottomRight());
    const QPoint topLeft(std::min(a.x, b.x), std::min(a.y, b.y));
    const QPoint bottomRight(std::max(a.x, b.x), std::max(a.y, b.y));
    return QRect(viewport()->mapToGlobal(topLeft), viewport()->mapToGlobal(bottomRight));
}

// Highlight All marks the matches, pins themselves; Select All selects them, a symbol for
// its pins.
void CDrawView::FindAll(bool select) {
    IViewHost* host = ViewHostOf(this);
    if (!host)
        return;
    CObList found;
    FindAllMatches(m_document, host->findDialog().Options(), select, found);
    if (found.IsEmpty()) {
        AfxMessageBox("No matching objects found");
        return;
    }
    if (select)
        m_document.UpdateAllViews(nullptr, kHintReplaceSelection, &found);
    else
        HighlightOnly(found);
}

// Every other highlight goes; the view zooms to the objects.
void CDrawView::HighlightOnly(const CObList& objects) {
    m_document.ClearFlagsAndInvalidate(kFlagHighlight | kFlagDrcError);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        object->SetFlags(kFlagHighlight, kFlagHighlight);
        object->Invalidate(nullptr);
    }
    ZoomToMarkedObjects(kFlagHighlight);
}
