#include "shell/DrawView.h"

#include <QComboBox>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "platform/Geometry.h"
#include "resources/CommandIds.h"
#include "shell/CommandActions.h"
#include "shell/DrawFrame.h"
#include "shell/MainFrame.h"
#include "shell/QtDC.h"
#include "shell/SnapEngine.h"

CDrawView::CDrawView(CDrawDoc& document, QWidget* parent)
    : ZoomScrollView(parent), m_document(document) {
    setObjectName("drawView");
    m_document.AddView(this);
    m_grid.m_spaceX = m_grid.m_spaceY = 0.1f;
    m_grid.m_colour = 0xC0C0C0;
    m_grid.Update();
    if (const CSchematicApp* app = GetApp())
        m_grid.Load(*app, false);
    SetScrollSizes(m_document.GetPaperSize());
    AddCommands();
}

CDrawView::~CDrawView() {
    m_document.RemoveView(this);
}

RECT CDrawView::GetPageMargins() const {
    return m_document.GetMargins();
}

void CDrawView::AddCommands() {
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
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().color(QPalette::Dark));
    const CRect paper = PaperRect();
    PaintPaper(painter, paper);
    PaintGrid(painter, paper, exposed);

    CQtDC dc(painter);
    OnPrepareDC(dc);
    const RECT clip{exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1};
    dc.SelectClipRgn(&clip);
    m_document.DrawSheetBorder(&dc, TRUE);
    m_document.Draw(&dc, this);
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

CDrawObj* CDrawView::SnapPoint(CPoint& point, DWORD mask, const CObList* exclude) {
    SnapEngine engine(m_document, m_grid, SnapOptions());
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
    auto* main = qobject_cast<CMainFrame*>(window());
    return main ? qobject_cast<QComboBox*>(main->actions().Control(ID_ZOOM_BOX)) : nullptr;
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

void CDrawView::OnUpdate(IDocView*, int hint, CObject*, CObList*) {
    switch (hint) {
        case kHintUnits:
            UpdateRulers(kRulerAll);
            break;
        case kHintZoomToFit:
            ZoomToRect(PaperRect());
            break;
        default:
            viewport()->update();
            break;
    }
}

void CDrawView::SetPageSize(const SIZE& size) {
    SetScrollSizes(size);
}

void CDrawView::OnZoomChanged() {
    viewport()->update();
    UpdateRulers(kRulerAll);
}

void CDrawView::OnScrolled(int, int) {
    viewport()->update();
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

void CDrawView::InvalidateClientRect(const CRect& rect) {
    CRect r = rect;
    r.NormalizeRect();
    viewport()->update(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
}

void CDrawView::showEvent(QShowEvent* event) {
    ZoomScrollView::showEvent(event);
    UpdateRulers(kRulerAll);
}

bool CDrawView::UndoListRows(bool undo, std::vector<CString>& rows) {
    const CUndoList& history = m_document.GetUndoList();
    rows = undo ? history.FillUndoList() : history.FillRedoList();
    return true;
}

void CDrawView::UndoCommands(bool undo, int count) {
    CUndoList& history = m_document.GetUndoList();
    if (undo)
        history.Undo(count);
    else
        history.Redo(count);
}

ColourState CDrawView::CurrentColour(UINT) {
    return {RGB(0, 0, 0), true, false};
}

FillStyleState CDrawView::CurrentFillStyle() {
    return {FillStyleState::kMixed, 0};
}

LineWidthState CDrawView::CurrentLineWidth() {
    return {LineWidthState::kMixed};
}
