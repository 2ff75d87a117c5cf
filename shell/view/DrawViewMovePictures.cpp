// The schematic view while the select tool drags a move of the selection: each step is painted
// from pictures of what stays and of what moves rigidly (see MovePictures).

#include <QPainter>

#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "model/cmd/TransformCmd.h"
#include "shell/view/DrawView.h"
#include "shell/view/MovePictures.h"

namespace {

// A picture of a part of the window at the window's pixel ratio and resolution, transparent
// unless opaque.
QImage PictureFor(const QWidget& window, QSize size, bool opaque) {
    const qreal ratio = window.devicePixelRatioF();
    QImage picture((QSizeF(size) * ratio).toSize(),
                   opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.setDotsPerMeterX(qRound(window.logicalDpiX() / 0.0254));
    picture.setDotsPerMeterY(qRound(window.logicalDpiY() / 0.0254));
    picture.fill(Qt::transparent);
    return picture;
}

}  // namespace

void CDrawView::SetCapture(bool on) {
    if (on != m_capture)
        DropMovePictures();
    m_capture = on;
}

const CTransformCmd* CDrawView::SelectionMove() const {
    const auto* tool = m_capture ? dynamic_cast<const CSelectTool*>(CurrentTool()) : nullptr;
    const CTransformCmd* move = tool ? tool->SelectionMove() : nullptr;
    return move && move->GetDocument() == &m_document ? move : nullptr;
}

// The rest, the moving picture shifted, then the reshaped objects drawn as they are now. A
// picture taken elsewhere in the window, or pictures dropped at the end of the move, repaint
// the whole window, so that nothing of another picture stays on it.
bool CDrawView::PaintMoving(QPainter& painter, const QRect& exposed) {
    const CTransformCmd* move = SelectionMove();
    const bool whole = exposed == viewport()->rect();
    if (!move) {
        if (m_movePictures && !whole)
            viewport()->update();
        m_movePictures.reset();
        return false;
    }
    if (!m_movePictures ||
        !m_movePictures->Serve(*move, Mapping(), viewport()->size(),
                               viewport()->devicePixelRatioF(), MoveShift(*move))) {
        TakeMovePictures(*move);
        if (!whole)
            viewport()->update();
    }
    const MovePictures& pictures = *m_movePictures;
    painter.save();
    painter.setClipRect(exposed);
    painter.drawImage(QPoint(0, 0), pictures.rest);
    painter.drawImage(pictures.MovingArea().topLeft() + MoveShift(*move), pictures.moving);
    painter.restore();
    DrawObjects(
        painter, exposed, [&pictures](const CDrawObj* object) { return pictures.Reshaped(object); },
        false);
    return true;
}

void CDrawView::TakeMovePictures(const CTransformCmd& move) {
    m_movePictures = std::make_unique<MovePictures>(move, Mapping(), viewport()->size(),
                                                    viewport()->devicePixelRatioF());
    MovePictures& pictures = *m_movePictures;
    pictures.rest = PictureFor(*viewport(), viewport()->size(), true);
    {
        QPainter painter(&pictures.rest);
        PaintSheet(painter, viewport()->rect(),
                   [&pictures](const CDrawObj* object) { return pictures.Stays(object); });
    }
    const QRect area = pictures.MovingArea();
    pictures.moving = PictureFor(*viewport(), area.size(), false);
    QPainter painter(&pictures.moving);
    painter.translate(-area.topLeft());
    DrawObjects(
        painter, area, [&pictures](const CDrawObj* object) { return pictures.Moves(object); },
        false);
}

// The window pixels of a grid step are seldom a whole number: the picture shifted by the
// rounded distance may then lie a pixel off where the objects would be drawn. That lasts only
// while the drag goes on: its end drops the pictures and repaints the window.
QPoint CDrawView::MoveShift(const CTransformCmd& move) const {
    if (!m_movePictures)
        return QPoint(0, 0);
    const CSize now = move.GetMove();
    const CSize then = m_movePictures->Offset();
    const CPoint from = DocToClient(CPoint(0, 0));
    const CPoint to = DocToClient(CPoint(now.cx - then.cx, now.cy - then.cy));
    return QPoint(to.x - from.x, to.y - from.y);
}

void CDrawView::DropMovePictures() {
    if (!m_movePictures)
        return;
    m_movePictures.reset();
    m_dirtyRects = -1;
    viewport()->update();
}
