#include "shell/view/DrawView.h"

#include <QComboBox>
#include <QCursor>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "drawtools/DrawTool.h"
#include "drawtools/ToolManager.h"
#include "gui/dialogs/commands/DlgSelectNet.h"
#include "gui/dialogs/document/PrintOptionsSheet.h"
#include "gui/interchange/dxf/DxfExportCommand.h"
#include "gui/kit/PrinterSetup.h"
#include "gui/kit/QtDC.h"
#include "gui/kit/StoredText.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "platform/Geometry.h"
#include "platform/PointerSet.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandActions.h"
#include "shell/commands/DocumentCommands.h"
#include "shell/commands/LibraryMenuCommands.h"
#include "shell/commands/PropertiesCommand.h"
#include "shell/commands/RailCommands.h"
#include "shell/commands/SpecialSymbolCommand.h"
#include "shell/commands/SpiceSourceCommands.h"
#include "shell/commands/SubcctWizardCommand.h"
#include "shell/commands/SymbolCommands.h"
#include "shell/commands/ToolsCommands.h"
#include "shell/frames/DrawFrame.h"
#include "shell/frames/StatusPaneText.h"
#include "shell/view/MovePictures.h"
#include "shell/view/SheetPrinter.h"
#include "shell/view/SnapEngine.h"
#include "shell/view/ToolEvents.h"
#include "shell/view/ViewHost.h"

namespace {
constexpr int kTipDelay = 400;    // ms
constexpr int kTipShown = 32767;  // ms
// A pointer cannot be put finer than a pixel: ends this close to a connection point look
// joined to it, so they are.
constexpr int kSnapReachPixels = 2;
// Rectangles marked for repainting before the whole window is marked instead.
constexpr int kMaxDirtyRects = 64;
}  // namespace

CDrawView::CDrawView(CDrawDoc& document, QWidget* parent)
    : ZoomScrollView(parent), m_document(document), m_tipTimer(new QTimer(this)) {
    setObjectName("drawView");
    viewport()->setMouseTracking(true);
    // The paint fills what it repaints, so a scrolled window repaints only what comes in.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_tipTimer->setSingleShot(true);
    m_tipTimer->setInterval(kTipDelay);
    connect(m_tipTimer, &QTimer::timeout, this,
            [this] { ShowTip(m_cursor, viewport()->mapToGlobal(m_cursor)); });
    m_document.AddView(this);
    m_grid.m_spaceX = m_grid.m_spaceY = 0.1f;
    m_grid.m_colour = 0xC0C0C0;
    m_grid.Update();
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    if (const CSchematicApp* app = GetApp()) {
        m_grid.Load(*app, false);
        m_viewFlags = app->GetProfileInt("Settings", "ViewFlags", int(kViewCrosshair));
    }
    SetScrollSizes(m_document.GetPaperSize());
    AddCommands();
    AddToolCommands();
    EndGestureBeforeCommands();
    m_steering.setInterval(10);
    connect(&m_steering, &QTimer::timeout, this, [this] { SteerCursor(); });
    viewport()->setMouseTracking(true);
    m_autoScroll.setInterval(50);
    connect(&m_autoScroll, &QTimer::timeout, this, [this] {
        if (CDrawTool* tool = CurrentTool())
            tool->OnAutoScroll(*this);
    });
}

CDrawView::~CDrawView() {
    m_closing = true;
    CancelTextEdit();
    if (ToolManager* tools = GetToolManager())
        tools->ViewClosing(*this);
    m_document.RemoveView(this);
}

RECT CDrawView::GetPageMargins() const {
    return m_document.GetMargins();
}

void CDrawView::AddPaneCommands() {
    m_commands.OnUpdate(ID_INDICATOR_CURSOR, [this](CmdUI& ui) {
        ui.Enable();
        ui.SetText(CursorPaneText(ClientToDoc(CPoint(m_cursor.x(), m_cursor.y())), Metric()).str());
    });
    m_commands.OnUpdate(ID_INDICATOR_POSITION, [this](CmdUI& ui) {
        ui.Enable();
        ui.SetText(SelectionTexts(m_selection, Metric()).position.str());
    });
    m_commands.OnUpdate(ID_INDICATOR_SIZE, [this](CmdUI& ui) {
        ui.Enable();
        ui.SetText(SelectionTexts(m_selection, Metric()).size.str());
    });
}

void CDrawView::OnFilePrint() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterChoice(m_document.m_printer, printer);
    const std::optional<PrintLayout> layout = SheetLayout(m_document, printer);
    if (!layout) {
        ReportUnprintable();
        return;
    }
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, layout->Pages());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_document.m_printer = PrinterChoiceOf(printer);
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (!PrintSheet(m_document, printer, false, range ? printer.fromPage() : 0,
                    range ? printer.toPage() : 0))
        ReportUnprintable();
}

void CDrawView::OnFilePrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterChoice(m_document.m_printer, printer);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintSheet(m_document, *printer, true); });
    preview.exec();
}

void CDrawView::ReportUnprintable() {
    QMessageBox::warning(this, "Vosk Schematic", "This sheet cannot be printed on this printer.");
}

void CDrawView::AddCommands() {
    AddPaneCommands();
    AddLibraryCommands();
    AddClipboardCommands();
    AddEditCommands();
    AddRailCommands(
        m_commands, m_document, m_selection, [this] { OnEndCommand(); },
        [this]() -> std::optional<CString> {
            CDlgSelectNet dialog(m_document, this);
            if (dialog.exec() != QDialog::Accepted)
                return std::nullopt;
            return dialog.NetName();
        });
    AddSpiceSourceCommands(m_commands, m_document, m_selection);
    AddSubcctWizardCommand(m_commands, m_document, m_grid);
    AddSpecialSymbolCommand(m_commands, [this](const CObList& objects) { PlaceObjects(objects); });
    AddPropertiesCommand(
        m_commands, m_selection,
        [this] {
            const CDrawTool* tool = CurrentTool();
            return tool && tool->Shape() == kToolSelect;
        },
        [this] {
            if (CDrawTool* tool = CurrentTool())
                tool->OnEditProperties(*this);
        });
    AddToolsCommands(m_commands, m_document, m_selection);
    AddSymbolCommands(m_commands, m_document, m_selection);
    AddDocumentCommands(m_commands, m_document, this);
    AddLibraryMenuCommands(m_commands, this,
                           [this](const CObList& objects) { return PlaceObjects(objects); });
    AddArrangeCommands();
    m_commands.On(ID_FILE_PRINT, [this] { OnFilePrint(); });
    m_commands.On(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    m_commands.On(ID_FILE_PRINT_SETUP, [this] { EditPrintOptions(m_document, this); });
    m_commands.On(ID_FILE_EXPORT_DXF, [this] { ExportDxfWithDialog(m_document, this); });
    m_commands.On(ID_OLE_INSERT_NEW, [this] { OnInsertObject(); });
    m_commands.On(
        ID_CONNECT_IMPLICIT, [this] { ConnectImplicitly(); },
        [this](CmdUI& ui) { ui.Enable(DominantWire() != nullptr); });
    m_commands.On(
        ID_EDIT_SELECT_ALL, [this] { SelectAll(); },
        [this](CmdUI& ui) { ui.Enable(!m_document.GetObjects().IsEmpty()); });
    m_commands.On(
        ID_EDIT_CLEAR, [this] { DeleteSelection(); },
        [this](CmdUI& ui) { ui.Enable(!m_selection.IsEmpty()); });
    m_commands.On(ID_ZOOM_IN_AT, [this] { ZoomInAt(CursorSheetPoint(), kZoomStep); });
    m_commands.On(ID_ZOOM_OUT_AT, [this] { ZoomOutAt(CursorSheetPoint(), kZoomStep); });
    m_commands.On(
        ID_ZOOM_BOX,
        [this] {
            if (auto* box = ZoomBox())
                ApplyZoomText(box->currentText());
        },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetText(std::to_string(int(std::floor(ZoomFactor() * 100.0 + 0.5))) + "%");
        });
}

void CDrawView::paintEvent(QPaintEvent* event) {
    m_dirtyRects = 0;
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    if (!PaintMoving(painter, exposed))
        PaintSheet(painter, exposed, {});
    PaintOverlays(painter);
}

void CDrawView::PaintSheet(QPainter& painter, const QRect& exposed, const DrawFilter& drawn) {
    painter.fillRect(exposed, palette().color(QPalette::Dark));
    const CRect paper = PaperRect();
    PaintPaper(painter, paper);
    PaintGrid(painter, paper, exposed);
    DrawObjects(painter, exposed, drawn, true);
}

void CDrawView::DrawObjects(QPainter& painter, const QRect& area, const DrawFilter& drawn,
                            bool border) {
    CQtDC dc(painter);
    OnPrepareDC(dc);
    const RECT clip{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    dc.SelectClipRgn(&clip);
    if (border)
        m_document.DrawSheetBorder(&dc, TRUE);
    // A pixel more all round, for pens that reach past the objects' bounds.
    const CPoint a = ClientToDoc(CPoint(area.left() - 1, area.top() - 1));
    const CPoint b = ClientToDoc(CPoint(area.right() + 2, area.bottom() + 2));
    const CRect visible(a.x, a.y, b.x, b.y);
    m_document.Draw(&dc, this, &visible, drawn);
}

void CDrawView::PaintOverlays(QPainter& painter) const {
    PaintFocusRect(painter);
    PaintCrosshair(painter);
    if (!m_dropFeedback.isEmpty()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(m_dropFeedback.adjusted(0, 0, -1, -1));
    }
}

void CDrawView::MoveCrosshair(int x, int y) {
    const bool shown = (m_viewFlags & kViewCrosshair) && !m_grabbing;
    if (shown)
        InvalidateCrosshair();
    m_crosshair = QPoint(x, y);
    if (shown)
        InvalidateCrosshair();
}

void CDrawView::InvalidateCrosshair() {
    viewport()->update(QRect(m_crosshair.x(), 0, 1, viewport()->height()));
    viewport()->update(QRect(0, m_crosshair.y(), viewport()->width(), 1));
}

// Lines one pixel wide through the crosshair point, inverted in dark grey.
void CDrawView::PaintCrosshair(QPainter& painter) const {
    if (!(m_viewFlags & kViewCrosshair) || m_grabbing)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor grey(128, 128, 128);
    painter.fillRect(QRect(m_crosshair.x(), 0, 1, viewport()->height()), grey);
    painter.fillRect(QRect(0, m_crosshair.y(), viewport()->width(), 1), grey);
    painter.restore();
}

CRect CDrawView::PaperRect() const {
    const RECT& margins = m_document.GetMargins();
    CRect paper(0, 0, m_document.GetPaperSize().cx, m_document.GetPaperSize().cy);
    paper.OffsetRect(-margins.left, margins.top);
    return paper;
}

// The paper in its colour, framed with a line one pixel wide.
void CDrawView::PaintPaper(QPainter& painter, const CRect& paper) const {
    CQtDC dc(painter);
    OnPrepareDC(dc);
    const CSize logical = View().LogicalSize();
    const int onePixel =
        std::max(1, (MulDiv(10, logical.cx, View().TotalDeviceSize().cx) + 5) / 10);
    CBrush paperBrush(m_document.m_paperColour);
    CPen framePen(PS_SOLID, onePixel, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&framePen);
    CBrush* oldBrush = dc.SelectObject(&paperBrush);
    dc.Rectangle(&paper);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

// The grid's dots in one call.
void CDrawView::PaintGrid(QPainter& painter, const CRect& paper, const QRect& exposed) const {
    const CPoint a = ClientToDoc(CPoint(exposed.left(), exposed.top()));
    const CPoint b = ClientToDoc(CPoint(exposed.right() + 1, exposed.bottom() + 1));
    const std::vector<POINT> dots = m_grid.Dots(Mapping(), paper, CRect(a.x, a.y, b.x, b.y));
    if (dots.empty())
        return;
    QPolygon points(int(dots.size()));
    for (size_t i = 0; i < dots.size(); ++i)
        points.setPoint(int(i), dots[i].x, dots[i].y);
    const COLORREF c = m_grid.m_colour;
    painter.setPen(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    painter.drawPoints(points);
}

DWORD CDrawView::SnapOptions() const {
    const CSchematicApp* app = GetApp();
    return app ? app->SnapGridOptions : 0xAFFFFFFF;
}

CDrawObj* CDrawView::SnapPoint(CPoint& point, DWORD mask, const CObList* exclude, GridSnap grid) {
    DWORD options = SnapOptions();
    if (grid == GridSnap::Inverted)
        options ^= kSnapToGrid;
    else if (grid == GridSnap::Forced)
        options |= kSnapToGrid;
    const SIZE reach = Mapping().SizeToLogical(SIZE{kSnapReachPixels, kSnapReachPixels});
    SnapEngine engine(m_document, m_grid, options, int(std::max(reach.cx, reach.cy)));
    return engine.SnapPoint(point, mask, exclude);
}

void CDrawView::SnapMove(CPoint& delta, CPoint origin, CDrawObj* object, bool invert) {
    SnapEngine engine(m_document, m_grid, SnapOptions());
    engine.SnapMove(delta, origin, object, m_selection, invert);
}

CDrawFrame* CDrawView::Frame() const {
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* frame = qobject_cast<CDrawFrame*>(parent))
            return frame;
    }
    return nullptr;
}

QComboBox* CDrawView::ZoomBox() const {
    IViewHost* host = ViewHostOf(this);
    return host ? host->ZoomBox() : nullptr;
}

void CDrawView::UpdateRulers(UINT flags) {
    CDrawFrame* frame = Frame();
    if (!frame)
        return;
    const DCMapping mapping = Mapping();
    const POINT corner = mapping.ToLogical(POINT{0, 0});
    const RECT& margins = m_document.GetMargins();
    const SIZE& paper = m_document.GetPaperSize();
    // Ruler coordinates start at the paper's top-left corner and grow downwards.
    const QPointF origin(corner.x + margins.left, margins.top - corner.y);
    const CSchematicApp* app = GetApp();
    const bool metric = app && (app->Options & kOptionMetric);
    frame->UpdateRulers(origin, 1.0 / mapping.ScaleX(), QSizeF(paper.cx, -paper.cy), metric, flags);
}

void CDrawView::OnUpdate(IDocView*, int hint, CObject* object, CObList* list) {
    if (m_movePictures) {
        // A step of the move changes only what the pictures leave out.
        if (hint == kHintObject && object &&
            !m_movePictures->Stays(static_cast<CDrawObj*>(object))) {
            if (m_dirtyRects >= 0)
                viewport()->update();
            m_dirtyRects = -1;
            return;
        }
        DropMovePictures();
    }
    switch (hint) {
        case kHintObject:
            if (object && m_dirtyRects >= 0)
                static_cast<CDrawObj*>(object)->Invalidate(this);
            break;
        case kHintSelection:
            InvalidateList(list ? *list : m_selection);
            break;
        case kHintRemoved:
            if (ToolManager* tools = GetToolManager(); tools && list)
                tools->ObjectsLeft(*this, *list);
            if (m_editedText && list && list->Find(m_editedText))
                CancelTextEdit();
            if (m_tipObject && list && list->Find(const_cast<CDrawObj*>(m_tipObject)))
                HideTip();
            DropFromSelection(list);
            break;
        case kHintOleObjects:
            for (POSITION pos = m_document.GetObjects().GetHeadPosition(); pos;) {
                auto* item = static_cast<CDrawObj*>(m_document.GetObjects().GetNext(pos));
                if (item->GetObjType() == kObjOle)
                    item->Invalidate(this);
            }
            break;
        case kHintDeselect:
            InvalidateList(m_selection);
            ChangeSelection().RemoveAll();
            break;
        case kHintReplaceSelection:
            ReplaceSelection(list);
            break;
        case kHintAddToSelection:
            AddToSelection(list);
            break;
        case kHintUnits:
            UpdateRulers(kRulerAll);
            break;
        case kHintZoomToFit:
            ZoomToRect(PaperRect());
            break;
        case kHintNone:
            viewport()->update();
            break;
        default:
            break;
    }
}

// Once the whole window is marked for repainting, the objects' own rectangles add nothing.
void CDrawView::InvalidateList(const CObList& list) {
    for (POSITION pos = list.GetHeadPosition(); pos && m_dirtyRects >= 0;)
        static_cast<CDrawObj*>(list.GetNext(pos))->Invalidate(this);
}

void CDrawView::DropFromSelection(const CObList* list) {
    if (!list)
        return;
    InvalidateList(*list);
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        if (POSITION at = m_selection.Find(list->GetNext(pos)))
            ChangeSelection().RemoveAt(at);
    }
}

void CDrawView::ReplaceInSelection(const CObList& from, const CObList& to) {
    std::unordered_map<const CObject*, CObject*> replacing;
    for (POSITION a = from.GetHeadPosition(), b = to.GetHeadPosition(); a && b;)
        replacing.emplace(from.GetNext(a), to.GetNext(b));
    for (POSITION pos = m_selection.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        const auto found = replacing.find(m_selection.GetNext(pos));
        if (found != replacing.end())
            ChangeSelection().SetAt(at, found->second);
    }
}

void CDrawView::ReplaceSelection(const CObList* list) {
    InvalidateList(m_selection);
    ChangeSelection().RemoveAll();
    if (list)
        ChangeSelection().AddTail(list);
    InvalidateList(m_selection);
}

void CDrawView::AddToSelection(const CObList* list) {
    if (!list)
        return;
    InvalidateList(*list);
    PointerSet selected(static_cast<std::size_t>(m_selection.GetCount() + list->GetCount()));
    for (POSITION pos = m_selection.GetHeadPosition(); pos;)
        selected.Insert(m_selection.GetNext(pos));
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        CObject* object = list->GetNext(pos);
        if (selected.Insert(object))
            ChangeSelection().AddTail(object);
    }
}

void CDrawView::Select(CDrawObj* object, bool add) {
    if (!add) {
        InvalidateList(m_selection);
        ChangeSelection().RemoveAll();
    }
    if (!object)
        return;
    if (POSITION at = m_selection.Find(object))
        ChangeSelection().RemoveAt(at);
    else
        object->AddAttrTextsTo(&ChangeSelection());
    ChangeSelection().AddTail(object);
    InvalidateList(m_selection);
}

void CDrawView::Deselect(CDrawObj* object) {
    POSITION at = m_selection.Find(object);
    if (!at)
        return;
    object->Invalidate(this);
    ChangeSelection().RemoveAt(at);
    if (!m_selection.IsEmpty())
        static_cast<CDrawObj*>(m_selection.GetTail())->Invalidate(this);
}

bool CDrawView::IsSelected(const CDrawObj* object) const {
    if (!m_selected) {
        m_selected.emplace(static_cast<std::size_t>(m_selection.GetCount()));
        for (POSITION pos = m_selection.GetHeadPosition(); pos;)
            m_selected->Insert(m_selection.GetNext(pos));
    }
    return m_selected->Contains(object);
}

CObList& CDrawView::ChangeSelection() {
    DropMovePictures();
    m_selected.reset();
    return m_selection;
}

void CDrawView::SelectWithinRect(const CRect& windowRect, bool add) {
    InvalidateList(m_selection);
    if (!add)
        ChangeSelection().RemoveAll();
    CRect sheet(ClientToDoc(windowRect.TopLeft()), ClientToDoc(windowRect.BottomRight()));
    sheet.NormalizeRect();
    for (POSITION pos = m_document.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(m_document.GetObjects().GetNext(pos));
        if (object->Intersects(sheet) && !m_selection.Find(object))
            ChangeSelection().AddTail(object);
    }
    InvalidateList(m_selection);
}

CRect CDrawView::GetSelectionBounds() const {
    return SelectionBounds(m_selection);
}

void CDrawView::InvalObj(CDrawObj* object) {
    object->Invalidate(this);
}

namespace {

bool HasMarkedPin(const CDrawObj* object, DWORD mask) {
    const CObList* pins = object->GetObjType() == kObjSymbol ? object->GetPinList() : nullptr;
    for (POSITION pos = pins ? pins->GetHeadPosition() : nullptr; pos;) {
        if (static_cast<const CDrawObj*>(pins->GetNext(pos))->GetFlags() & mask)
            return true;
    }
    return false;
}

}  // namespace

void CDrawView::ZoomToMarkedObjects(DWORD mask) {
    CObList marked;
    for (POSITION pos = m_document.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(m_document.GetObjects().GetNext(pos));
        if ((object->GetFlags() & mask) || HasMarkedPin(object, mask))
            marked.AddTail(object);
    }
    if (!marked.IsEmpty())
        ZoomToRect(SelectionBounds(marked), std::max(ZoomFactor(), 2.0f));
}

void CDrawView::ShowFlaggedObjects(unsigned long flagMask) {
    ZoomToMarkedObjects(DWORD(flagMask));
}

void CDrawView::SelectAll() {
    ChangeSelection().RemoveAll();
    ChangeSelection().AddTail(&m_document.GetObjects());
    viewport()->update();
}

void CDrawView::DeleteSelection() {
    CObList doomed;
    doomed.AddTail(&m_selection);
    m_document.UpdateAllViews(nullptr, kHintRemoved, &doomed);
    m_document.RemoveObjects(&doomed);
    ChangeSelection().RemoveAll();
}

bool CDrawView::Metric() const {
    const CSchematicApp* app = GetApp();
    return app && (app->Options & kOptionMetric);
}

// ---- mouse: tooltips, the status panes and middle-button panning

// The view times its tips itself (see m_tipTimer).
bool CDrawView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip)
        return true;
    if (event->type() == QEvent::Leave)
        m_tipTimer->stop();
    return ZoomScrollView::viewportEvent(event);
}

void CDrawView::ShowTip(const QPoint& at, const QPoint& global) {
    if (!viewport()->rect().contains(at)) {
        HideTip();
        return;
    }
    const CPoint cursor(at.x(), at.y());
    CDrawObj* object = ObjectAtClick(*this, cursor);
    CDrawObj* shown = object;
    // A symbol's tip is that of its pin under the cursor, when there is one.
    if (object && object->GetObjType() == kObjSymbol) {
        if (CPin* pin = static_cast<CSymbol*>(object)->FindPinAt(SheetRectAround(*this, cursor)))
            shown = pin;
    }
    const CString tip = shown ? shown->GetTipText() : CString();
    if (tip.IsEmpty()) {
        HideTip();
        return;
    }
    QToolTip::showText(global, FromStoredText(tip.str()), viewport(), QRect(), kTipShown);
    m_tipObject = object;
}

void CDrawView::HideTip() {
    m_tipTimer->stop();
    if (m_tipObject)
        QToolTip::hideText();
    m_tipObject = nullptr;
}

void CDrawView::mousePressEvent(QMouseEvent* event) {
    // Any button takes the tip away, and the one waiting to show: it would cover a menu.
    HideTip();
    // A click beside the text editor only ends the edit: by taking the focus from it, or, when
    // the menu bar had the keys, by itself.
    if (m_textEdit) {
        if (FinishInPlaceEdit())
            setFocus();
        event->accept();
        return;
    }
    if (event->button() == Qt::MiddleButton && !m_grabbing) {
        MoveCrosshair(-1000, -1000);
        m_grabbing = true;
        m_grabPoint = event->position().toPoint();
        viewport()->setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        if (EngageTools()) {
            setFocus();
            if (CDrawTool* tool = CurrentTool())
                tool->OnLButtonDown(*this, ToolFlags(event), ToolPoint(event));
        }
        event->accept();
        return;
    }
    ZoomScrollView::mousePressEvent(event);
}

void CDrawView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    m_cursor = at;
    m_tipTimer->start();
    if (!m_grabbing) {
        MoveCrosshair(at.x(), at.y());
        if (CDrawTool* tool = CurrentTool())
            tool->OnMouseMove(*this, ToolFlags(event), ToolPoint(event));
    }
    if (m_grabbing) {
        if (!(event->buttons() & Qt::MiddleButton)) {
            EndGrab();
        } else if (at != m_grabPoint) {
            const QPoint by = m_grabPoint - at;
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + by.x());
            verticalScrollBar()->setValue(verticalScrollBar()->value() + by.y());
            m_grabPoint = at;
        }
    }
    if (IViewHost* host = ViewHostOf(this))
        host->ScheduleCommandUpdate();
    ZoomScrollView::mouseMoveEvent(event);
}

void CDrawView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && m_grabbing)
        EndGrab();
    if (event->button() == Qt::LeftButton && ToolsEngaged()) {
        if (CDrawTool* tool = CurrentTool())
            tool->OnLButtonUp(*this, ToolFlags(event), ToolPoint(event));
    }
    ZoomScrollView::mouseReleaseEvent(event);
}

void CDrawView::EndGrab() {
    m_grabbing = false;
    viewport()->unsetCursor();
    MoveCrosshair(m_cursor.x(), m_cursor.y());
}

void CDrawView::SetPageSize(const SIZE& size) {
    SetScrollSizes(size);
}

void CDrawView::OnZoomChanged() {
    InvalidateAll();
    UpdateRulers(kRulerAll);
}

void CDrawView::OnScrolled(int dx, int dy) {
    // While the middle button pans, nothing of the window's own lies over the sheet: what it
    // shows moves with the sheet, and only what comes into view is painted.
    if (m_grabbing && !m_focusRect && m_dropFeedback.isEmpty() && !m_movePictures)
        viewport()->scroll(dx, dy);
    else
        InvalidateAll();
    UpdateRulers(kRulerHorizontal | kRulerVertical);
}

CPoint CDrawView::DocToClient(const CPoint& point) const {
    return View().ToDevice(point);
}

CPoint CDrawView::ClientToDoc(const CPoint& point) const {
    return View().ToLogical(point);
}

POINT CDrawView::CursorSheetPoint() const {
    QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    if (!viewport()->rect().contains(at))
        at = viewport()->rect().center();
    return ClientToDoc(CPoint(at.x(), at.y()));
}

void CDrawView::ApplyZoomText(const QString& text) {
    int percent = 0;
    if (std::sscanf(text.toUtf8().constData(), "%d", &percent) == 1)
        SetZoomPercent(float(percent / 100.0));
}

// Marking many rectangles costs more than painting the whole window once: past a few dozen,
// the whole window is marked. Rectangles outside the window are not marked at all.
void CDrawView::InvalidateClientRect(const CRect& rect) {
    if (m_dirtyRects < 0)
        return;
    CRect r = rect;
    r.NormalizeRect();
    const QRect dirty =
        QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)) & viewport()->rect();
    if (dirty.isEmpty())
        return;
    if (++m_dirtyRects > kMaxDirtyRects) {
        m_dirtyRects = -1;
        viewport()->update();
        return;
    }
    viewport()->update(dirty);
}

void CDrawView::showEvent(QShowEvent* event) {
    ZoomScrollView::showEvent(event);
    UpdateRulers(kRulerAll);
}

// The list takes the focus from a text edited in place, which ends the edit: it ends first, so
// that its step is among the rows. An edit that does not end (its value refused) keeps the
// focus, and the list is not shown.
bool CDrawView::UndoListRows(bool undo, std::vector<CString>& rows) {
    if (!FinishInPlaceEdit())
        return false;
    const CUndoList& history = m_document.GetUndoList();
    rows = undo ? history.FillUndoList() : history.FillRedoList();
    return true;
}

void CDrawView::UndoCommands(bool undo, int count) {
    UndoSteps(undo, count);
}
