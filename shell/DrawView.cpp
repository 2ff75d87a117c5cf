#include "shell/DrawView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "platform/Geometry.h"
#include "shell/DrawFrame.h"
#include "shell/QtDC.h"

namespace {

// Sheet units of border round the paper.
constexpr int kBorder = 100;

}  // namespace

CDrawView::CDrawView(CDrawDoc& document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document) {
    setObjectName("drawView");
    setFrameShape(QFrame::NoFrame);
    m_document.AddView(this);
}

CDrawView::~CDrawView() {
    m_document.RemoveView(this);
}

SIZE CDrawView::LogicalSize() const {
    const SIZE& paper = m_document.GetPaperSize();
    SIZE size{paper.cx + 2 * kBorder, paper.cy - 2 * kBorder};
    if (size.cx == 0 && size.cy == 0)
        size = {1, -1};
    return size;
}

QSize CDrawView::DeviceSize() const {
    const SIZE logical = LogicalSize();
    return QSize(std::max(1, MulDiv(logical.cx, logicalDpiX(), 1000)),
                 std::max(1, MulDiv(logical.cy, logicalDpiY(), -1000)));
}

DCMapping CDrawView::Mapping() const {
    DCMapping mapping(logicalDpiX(), logicalDpiY());
    mapping.SetMode(MM_ANISOTROPIC);
    const SIZE logical = LogicalSize();
    const QSize device = DeviceSize();
    mapping.SetWindowExt(logical);
    mapping.SetViewportExt(SIZE{device.width(), device.height()});
    const RECT& margins = m_document.GetMargins();
    mapping.SetWindowOrg(POINT{-kBorder - margins.left, margins.top + kBorder});
    // Scrolled along an axis with a scroll bar, centred along one without.
    const QSize client = viewport()->size();
    const int x = device.width() > client.width() ? -horizontalScrollBar()->value()
                                                  : (client.width() - device.width()) / 2;
    const int y = device.height() > client.height() ? -verticalScrollBar()->value()
                                                    : (client.height() - device.height()) / 2;
    mapping.SetViewportOrg(POINT{x, y});
    return mapping;
}

void CDrawView::OnPrepareDC(CDC& dc) const {
    const DCMapping mapping = Mapping();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(mapping.WindowExt());
    dc.SetViewportExt(mapping.ViewportExt());
    dc.SetWindowOrg(mapping.WindowOrg());
    dc.SetViewportOrg(mapping.ViewportOrg());
}

void CDrawView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    CQtDC dc(painter);
    OnPrepareDC(dc);
    // The paper, framed with a line one pixel wide.
    const SIZE logical = LogicalSize();
    const int onePixel = std::max(1, (MulDiv(10, logical.cx, DeviceSize().width()) + 5) / 10);
    const RECT& margins = m_document.GetMargins();
    CRect paper(0, 0, m_document.GetPaperSize().cx, m_document.GetPaperSize().cy);
    paper.OffsetRect(-margins.left, margins.top);
    CBrush paperBrush(m_document.m_paperColour);
    CPen framePen(PS_SOLID, onePixel, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&framePen);
    CBrush* oldBrush = dc.SelectObject(&paperBrush);
    dc.Rectangle(&paper);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);

    m_document.DrawSheetBorder(&dc, TRUE);
    m_document.Draw(&dc, this);
}

void CDrawView::UpdateScrollBars() {
    const QSize device = DeviceSize();
    const QSize client = viewport()->size();
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const int overhang[] = {device.width() - client.width(), device.height() - client.height()};
    const int page[] = {client.width(), client.height()};
    for (int i = 0; i < 2; ++i) {
        bars[i]->setRange(0, std::max(0, overhang[i]));
        bars[i]->setPageStep(std::max(1, page[i]));
        bars[i]->setSingleStep(std::max(1, page[i] / 10));
    }
}

CDrawFrame* CDrawView::Frame() const {
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* frame = qobject_cast<CDrawFrame*>(parent))
            return frame;
    }
    return nullptr;
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
    if (hint == kHintUnits)
        UpdateRulers(kRulerAll);
    else
        viewport()->update();
}

void CDrawView::SetPageSize(const SIZE&) {
    UpdateScrollBars();
    viewport()->update();
    UpdateRulers(kRulerAll);
}

CPoint CDrawView::DocToClient(const CPoint& point) const {
    return CPoint(Mapping().ToDevice(point));
}

CPoint CDrawView::ClientToDoc(const CPoint& point) const {
    return CPoint(Mapping().ToLogical(point));
}

void CDrawView::InvalidateClientRect(const CRect& rect) {
    CRect r = rect;
    r.NormalizeRect();
    viewport()->update(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
}

void CDrawView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    UpdateRulers(kRulerHorizontal | kRulerVertical);
}

void CDrawView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    UpdateScrollBars();
    UpdateRulers(kRulerAll);
}

void CDrawView::scrollContentsBy(int, int) {
    viewport()->update();
    UpdateRulers(kRulerHorizontal | kRulerVertical);
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
