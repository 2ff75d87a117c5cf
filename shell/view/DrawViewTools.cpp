// The schematic view's side of the drawing tools: the feedback they ask for, the events they
// get and the commands that choose them.

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "drawtools/PlaceTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "shell/commands/AcceleratorKeys.h"
#include "shell/commands/GestureCommands.h"
#include "shell/view/DrawView.h"
#include "shell/view/ToolEvents.h"
#include "shell/view/ViewHost.h"

namespace {

Qt::CursorShape CursorShape(ToolCursor cursor) {
    switch (cursor) {
        case ToolCursor::Cross:
            return Qt::CrossCursor;
        case ToolCursor::MoveOne:
        case ToolCursor::MoveMany:
            return Qt::SizeAllCursor;
        case ToolCursor::CopyOne:
        case ToolCursor::CopyMany:
            return Qt::DragCopyCursor;
        case ToolCursor::Zoom:
            return Qt::CrossCursor;
        case ToolCursor::SizeWE:
            return Qt::SizeHorCursor;
        case ToolCursor::SizeNESW:
            return Qt::SizeBDiagCursor;
        case ToolCursor::SizeNS:
            return Qt::SizeVerCursor;
        case ToolCursor::SizeNWSE:
            return Qt::SizeFDiagCursor;
        case ToolCursor::SizeAll:
            return Qt::SizeAllCursor;
        default:
            return Qt::ArrowCursor;
    }
}

// The entries look as the same commands of the main menu do: the view's update of a command
// may grey its entry and give it the text of the moment (a rail's net name, "End Bezier").
void AddMenuEntries(QMenu& menu, const ToolMenu& entries, const CommandMap& commands) {
    for (const ContextMenuEntry& entry : entries) {
        if (!entry.submenu.empty()) {
            AddMenuEntries(*menu.addMenu(QString::fromUtf8(entry.text.c_str())), entry.submenu,
                           commands);
            continue;
        }
        if (entry.id == 0) {
            menu.addSeparator();
            continue;
        }
        CmdUI ui{entry.id, entry.enabled, std::nullopt, entry.text};
        const CommandMap::Entry* command = commands.Find(entry.id);
        if (command && command->update) {
            command->update(ui);
            ui.enabled = ui.enabled && entry.enabled;
        }
        QAction* action = menu.addAction(QString::fromUtf8(ui.text->c_str()));
        action->setData(entry.id);
        action->setEnabled(ui.enabled);
    }
}

}  // namespace

CDrawTool* CDrawView::CurrentTool() const {
    ToolManager* tools = GetToolManager();
    return tools ? tools->CurrentTool() : nullptr;
}

bool CDrawView::PlaceObjects(const CObList& objects) {
    ToolManager* tools = GetToolManager();
    CObList copies;
    if (!tools || !m_document.CopyObjects(objects, copies))
        return false;
    tools->EndGesture(*this);
    tools->Engage(*this);
    const bool placed = tools->PlaceTool().StartPlacing(*this, copies);
    // What the document refused is still ours.
    for (POSITION pos = copies.GetHeadPosition(); pos;)
        delete copies.GetNext(pos);
    // The keys that turn, mirror and drop the carried objects are the view's.
    if (placed)
        setFocus();
    return placed;
}

void CDrawView::CarryPastedObjects() {
    ToolManager* tools = GetToolManager();
    if (!tools || m_selection.IsEmpty())
        return;
    tools->EndGesture(*this);
    if (m_selection.IsEmpty())
        return;
    tools->Engage(*this);
    tools->PlaceTool().CarrySelection(*this);
}

bool CDrawView::CloneSelection() {
    CObList copies;
    copies.AddTail(&m_selection);
    m_document.SortInDrawingOrder(&copies);
    if (!m_document.AddObjectCopies(&copies))
        return false;
    ReplaceSelection(&copies);
    return true;
}

CRect CDrawView::ClientRect() const {
    return CRect(0, 0, viewport()->width(), viewport()->height());
}

CPoint CDrawView::CursorPosition() const {
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    return CPoint(at.x(), at.y());
}

CSize CDrawView::GridSpacing() const {
    return CSize(int(m_grid.m_logicalX), int(m_grid.m_logicalY));
}

bool CDrawView::SnapsToGrid() const {
    return (SnapOptions() & kSnapToGrid) != 0;
}

void CDrawView::SetPrompt(UINT id) {
    IViewHost* host = m_closing ? nullptr : ViewHostOf(this);
    if (host)
        host->ShowPrompt(id == kPromptReady ? QString() : QString::fromUtf8(PromptText(id)));
}

void CDrawView::SetCursor(ToolCursor cursor) {
    viewport()->setCursor(CursorShape(cursor));
}

void CDrawView::ShowFocusRect(const CRect* windowRect) {
    if (m_focusRect)
        viewport()->update(m_focusRect->adjusted(-1, -1, 1, 1));
    if (!windowRect) {
        m_focusRect.reset();
        return;
    }
    CRect r = *windowRect;
    r.NormalizeRect();
    m_focusRect = QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
    viewport()->update(m_focusRect->adjusted(-1, -1, 1, 1));
}

void CDrawView::PaintFocusRect(QPainter& painter) const {
    if (!m_focusRect)
        return;
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(*m_focusRect);
    painter.restore();
}

void CDrawView::SetAutoScroll(bool on) {
    if (on && !m_autoScroll.isActive())
        m_autoScroll.start();
    else if (!on)
        m_autoScroll.stop();
}

void CDrawView::ScrollLines(int dx, int dy) {
    const CSize line = View().LineStep();
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx * line.cx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy * line.cy);
}

void CDrawView::ZoomAt(CPoint sheet, bool in) {
    if (in)
        ZoomInAt(sheet, kZoomStep);
    else
        ZoomOutAt(sheet, kZoomStep);
}

UINT CDrawView::TrackMenu(const ToolMenu& entries, CPoint screen) {
    QMenu menu(this);
    AddMenuEntries(menu, entries, m_commands);
    const QAction* chosen = menu.exec(QPoint(screen.x, screen.y));
    return chosen ? chosen->data().toUInt() : 0;
}

void CDrawView::RunCommand(UINT id) {
    if (IViewHost* host = ViewHostOf(this))
        host->ExecuteCommand(id);
}

void CDrawView::InvalidateAll() {
    DropMovePictures();
    viewport()->update();
}

// ---- events

bool CDrawView::EngageTools() {
    ToolManager* tools = GetToolManager();
    return !tools || tools->Engage(*this);
}

bool CDrawView::ToolsEngaged() const {
    const ToolManager* tools = GetToolManager();
    return tools && tools->IsEngaged(*this);
}

void CDrawView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        ZoomScrollView::mouseDoubleClickEvent(event);
        return;
    }
    if (CDrawTool* tool = EngageTools() ? CurrentTool() : nullptr)
        tool->OnLButtonDblClk(*this, ToolFlags(event), ToolPoint(event));
    event->accept();
}

void CDrawView::keyPressEvent(QKeyEvent* event) {
    if (!EngageTools()) {
        event->accept();
        return;
    }
    if (TakeViewKey(event))
        return;
    CDrawTool* tool = CurrentTool();
    const ToolKey key = ToolKeyOf(event);
    if (tool && tool->OnKeyDown(*this, key, ToolFlags(event))) {
        event->accept();
        return;
    }
    if (const UINT command = ViewKeyCommand(*event)) {
        if (IViewHost* host = ViewHostOf(this))
            host->TriggerCommand(command);
        event->accept();
        return;
    }
    if (key == ToolKey::Escape) {
        OnCancelCommand();
        event->accept();
        return;
    }
    ZoomScrollView::keyPressEvent(event);
}

// While objects are placed, the keys that turn and mirror them are the tool's, not shortcuts.
// Esc, the window's Cancel elsewhere, goes to the tool or the text editor here as a key.
bool CDrawView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const ToolManager* tools = GetToolManager();
        const ToolKey key = ToolKeyOf(static_cast<QKeyEvent*>(event));
        if (key == ToolKey::Escape ||
            (tools && tools->state.currentShape == kToolPlace && key != ToolKey::Other)) {
            event->accept();
            return true;
        }
    }
    return ZoomScrollView::event(event);
}

void CDrawView::contextMenuEvent(QContextMenuEvent* event) {
    HideTip();
    if (CDrawTool* tool = EngageTools() ? CurrentTool() : nullptr)
        tool->OnContextMenu(*this, CPoint(event->globalPos().x(), event->globalPos().y()));
    event->accept();
}

// ---- commands

void CDrawView::ChooseShapeCommand(UINT id, int shape) {
    m_commands.On(
        id,
        [this, shape] {
            if (ToolManager* tools = GetToolManager())
                tools->ChooseShape(*this, shape);
        },
        [shape](CmdUI& ui) {
            const ToolManager* tools = GetToolManager();
            ui.Enable(tools != nullptr);
            ui.SetCheck(tools && tools->state.currentShape == shape);
        });
}

void CDrawView::AddToolCommands() {
    const std::pair<UINT, int> shapes[] = {{ID_DRAW_SELECT, kToolSelect},
                                           {ID_DRAW_LINE, kToolLine},
                                           {ID_DRAW_RECT, kToolRect},
                                           {ID_DRAW_ROUNDRECT, kToolRoundRect},
                                           {ID_DRAW_ELLIPSE, kToolEllipse},
                                           {ID_DRAW_POLYGON, kToolPolygon},
                                           {ID_DRAW_TEXT, kToolText},
                                           {ID_DRAW_WIRE, kToolWire},
                                           {ID_DRAW_BUS, kToolBus},
                                           {ID_ZOOM_AREA, kToolZoom},
                                           {ID_DRAW_ARC, kToolArc},
                                           {ID_DRAW_BEZIER, kToolBezier},
                                           {ID_DRAW_POLYLINE, kToolPolyline},
                                           {ID_DRAW_ARROW_LINE, kToolArrowLine},
                                           {ID_DRAW_DOUBLE_ARROW_LINE, kToolDoubleArrowLine}};
    for (const auto& [id, shape] : shapes)
        ChooseShapeCommand(id, shape);
    m_commands.On(ID_CANCEL, [this] { OnCancelCommand(); });
    const auto updateEnd = [this](CmdUI& ui) {
        const ToolManager* tools = GetToolManager();
        ui.Enable(tools && tools->HasOpenObjectIn(*this));
        // A menu item keeps a text once given, so without one of the tool's it gets its own
        // back ("End Bus" goes); a right-click menu's entry brings its own.
        if (const char* text = tools ? tools->EndCommandText() : nullptr)
            ui.SetText(text);
        else if (const CommandInfo* own = ui.text ? nullptr : FindCommandInfo(ui.id))
            ui.SetText(own->text);
    };
    m_commands.On(
        ID_END_POLYGON, [this] { OnEndCommand(); }, updateEnd);
    m_commands.On(
        ID_END_WIRE, [this] { OnEndCommand(); }, updateEnd);
}

void CDrawView::OnCancelCommand() {
    HideTip();
    CancelTextEdit();
    EndTool();
}

void CDrawView::EndTool() {
    m_capture = false;
    if (ToolManager* tools = GetToolManager())
        tools->EndGesture(*this, GestureEnd::Cancel);
    SetPrompt(kPromptReady);
}

// The open object is finished as its tool finishes it; anything else open ends too.
void CDrawView::OnEndCommand() {
    if (ToolManager* tools = GetToolManager())
        tools->EndGesture(*this, GestureEnd::Finish);
}

void CDrawView::EndGesture() {
    if (ToolManager* tools = GetToolManager())
        tools->EndGesture(*this);
    else
        EndInPlaceEdit(GestureEnd::Interrupt);
}

void CDrawView::EndGestureBeforeCommands() {
    m_commands.Precede([](UINT id) { return !LeavesGestureOpen(id); }, [this] { EndGesture(); });
}
