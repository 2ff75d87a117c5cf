#include "gui/library/PreviewWnd.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/kit/QtDC.h"
#include "library/LibraryItemData.h"
#include "model/object/DrawObj.h"

namespace {

constexpr int kPlaceButtonId = 456;
constexpr int kTabPadding = 20;
constexpr int kTabOverlap = 6;
constexpr int kCaptionRoom = 7;

QRect ToQRect(const CRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

void PaintArrow(QPainter& painter, QRect area, bool right) {
    QPolygon arrow;
    const int x0 = area.left();
    const int x1 = area.left() + kArrowWidth - 1;
    const int mid = area.top() + kArrowHeight / 2;
    if (right)
        arrow << QPoint(x0, area.top()) << QPoint(x1, mid) << QPoint(x0, area.top() + kArrowHeight);
    else
        arrow << QPoint(x1, area.top()) << QPoint(x0, mid) << QPoint(x1, area.top() + kArrowHeight);
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(arrow);
}

}  // namespace

CPreviewWnd::CPreviewWnd(UINT flags, QWidget* parent)
    : QWidget(parent),
      m_flags(flags),
      m_description(new QPlainTextEdit(this)),
      m_placeButton(new QPushButton("Place", this)) {
    setObjectName("preview");
    setMinimumHeight(40);
    m_captionFont.setPixelSize(10);
    m_captionFont.setWeight(QFont::ExtraLight);
    m_description->setReadOnly(true);
    m_description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont descriptionFont;
    descriptionFont.setPixelSize(10);
    m_description->setFont(descriptionFont);
    m_description->hide();
    m_placeButton->setObjectName("place");
    m_placeButton->setProperty("controlId", kPlaceButtonId);
    m_placeButton->setFont(m_captionFont);
    m_placeButton->setEnabled(false);
    m_placeButton->setVisible(!(m_flags & (kPreviewNoPlace | kPreviewNoTabs)));
    connect(m_placeButton, &QPushButton::clicked, this, &CPreviewWnd::Place);
}

CPreviewWnd::~CPreviewWnd() = default;

PreviewLayout CPreviewWnd::Layout() const {
    return MakePreviewLayout(width(), height(), m_flags);
}

void CPreviewWnd::ShowItem(CLibraryItemData& item) {
    m_name = item.m_name;
    m_description->setPlainText(QString::fromStdString(item.m_description.str()));
    m_grid.ShowItem(item);
    Changed();
}

void CPreviewWnd::SetObjects(CObList& objects, const CString& description, const CString& name) {
    m_name = name;
    m_description->setPlainText(QString::fromStdString(description.str()));
    m_grid.SetObjects(objects);
    Changed();
}

void CPreviewWnd::Changed() {
    m_placeButton->setEnabled(m_grid.HasObjects());
    update();
}

void CPreviewWnd::Place() {
    if (!m_place || !m_grid.HasObjects())
        return;
    CObList objects;
    m_grid.CollectShown(objects);
    m_place(objects);
}

void CPreviewWnd::resizeEvent(QResizeEvent* /*event*/) {
    const PreviewLayout layout = Layout();
    m_description->setGeometry(ToQRect(layout.description));
    m_placeButton->setGeometry(ToQRect(layout.place));
}

int CPreviewWnd::CaptionHeight() const {
    return QFontMetrics(m_captionFont).height();
}

QRect CPreviewWnd::TabRect(int tab) const {
    const CRect strip = Layout().tabs;
    const QFontMetrics metrics(m_captionFont);
    const int imageWidth = metrics.horizontalAdvance("Image") + kTabPadding;
    if (tab == 0)
        return QRect(strip.left, strip.top, imageWidth, strip.Height());
    return QRect(strip.left + imageWidth - kTabOverlap, strip.top,
                 metrics.horizontalAdvance("Description") + kTabPadding, strip.Height());
}

void CPreviewWnd::SetMode(int mode) {
    m_mode = mode;
    m_description->setVisible(mode == 1);
    update();
}

void CPreviewWnd::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!(m_flags & kPreviewNoTabs))
        PaintTabs(painter);
    if (m_mode == 0) {
        painter.setFont(m_captionFont);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(ToQRect(Layout().nameBand), Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromStdString(m_name.str()));
        PaintCells(painter);
    }
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
    qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), true, 1);
}

void CPreviewWnd::PaintTabs(QPainter& painter) const {
    painter.setFont(m_captionFont);
    const char* captions[] = {"Image", "Description"};
    const int inactive = 1 - m_mode;
    for (int tab : {inactive, m_mode}) {
        const QRect box = TabRect(tab);
        const int slant = box.height() / 2;
        QPolygon shape;
        shape << QPoint(box.left(), box.top()) << QPoint(box.right(), box.top())
              << QPoint(box.right() - slant, box.bottom())
              << QPoint(box.left() + slant, box.bottom());
        painter.setPen(palette().color(QPalette::Text));
        painter.setBrush(tab == m_mode ? palette().color(QPalette::Base) : QColor(Qt::lightGray));
        painter.drawPolygon(shape);
        painter.drawText(box, Qt::AlignCenter, captions[tab]);
    }
}

void CPreviewWnd::PaintCells(QPainter& painter) const {
    const CRect image = Layout().image;
    for (int row = 0; row < m_grid.Rows(); ++row) {
        for (int column = 0; column < m_grid.Columns(); ++column) {
            const CRect cell = m_grid.CellRect(image, row, column);
            const CPreviewGrid::Cell& data = m_grid.CellAt(row, column);
            if (cell.Height() <= 1 || data.alternatives.empty())
                continue;
            CRect drawn = cell;
            const bool captioned =
                data.alternatives.size() >= 2 && cell.Height() >= kMinCaptionedCell;
            if (captioned)
                drawn.bottom -= CaptionHeight();
            const CObList& objects = *data.alternatives[static_cast<size_t>(data.shown)];
            {
                CQtDC dc(painter);
                MapObjectsOntoCell(dc, objects, drawn);
                for (POSITION pos = objects.GetHeadPosition(); pos;)
                    static_cast<CDrawObj*>(objects.GetNext(pos))->Draw(&dc, nullptr);
            }
            if (captioned)
                PaintCaption(painter, cell, data);
        }
    }
}

void CPreviewWnd::PaintCaption(QPainter& painter, const CRect& cell,
                               const CPreviewGrid::Cell& data) const {
    const int height = CaptionHeight();
    const QRect band(cell.left, cell.bottom - height, cell.Width(), height);
    painter.setFont(m_captionFont);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(band.adjusted(kCaptionRoom, 0, -kCaptionRoom, 0), Qt::AlignCenter,
                     QString::fromStdString(CPreviewGrid::CaptionOf(data).str()));
    const int top = band.top() + (height - kArrowHeight) / 2;
    PaintArrow(painter, QRect(band.left(), top, kArrowWidth, kArrowHeight), false);
    PaintArrow(painter, QRect(band.right() + 1 - kArrowWidth, top, kArrowWidth, kArrowHeight),
               true);
}

void CPreviewWnd::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!(m_flags & kPreviewNoTabs) && ToQRect(Layout().tabs).contains(point)) {
        for (int tab : {0, 1}) {
            const QRect box = TabRect(tab);
            const int slant = box.height() / 2;
            if (box.adjusted(slant, 0, -slant, 0).contains(point) && tab != m_mode)
                SetMode(tab);
        }
        return;
    }
    if (m_mode == 0 && m_grid.Click(Layout().image, CPoint(point.x(), point.y()), CaptionHeight()))
        update();
}

void CPreviewWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if ((m_flags & kPreviewNoPlace) || m_mode != 0)
        return;
    if (!(m_flags & kPreviewNoTabs) && ToQRect(Layout().buttonRow).contains(point))
        return;
    // A double click on an arrow steps twice; it places nothing.
    if (m_grid.Click(Layout().image, CPoint(point.x(), point.y()), CaptionHeight())) {
        update();
        return;
    }
    Place();
}
