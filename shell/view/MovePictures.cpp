#include "shell/view/MovePictures.h"

#include <cstdlib>

#include "model/cmd/TransformCmd.h"
#include "model/object/DrawObj.h"

namespace {

bool SameMapping(const DCMapping& a, const DCMapping& b) {
    const POINT aw = a.WindowOrg(), bw = b.WindowOrg(), av = a.ViewportOrg(), bv = b.ViewportOrg();
    const SIZE awe = a.WindowExt(), bwe = b.WindowExt(), ave = a.ViewportExt(),
               bve = b.ViewportExt();
    return aw.x == bw.x && aw.y == bw.y && av.x == bv.x && av.y == bv.y && awe.cx == bwe.cx &&
           awe.cy == bwe.cy && ave.cx == bve.cx && ave.cy == bve.cy;
}

}  // namespace

// What the move reshapes: the objects it substituted but does not transform (the wires and
// texts that follow), and those it transforms that do not move rigidly.
MovePictures::MovePictures(const CTransformCmd& move, const DCMapping& mapping, QSize window,
                           qreal ratio)
    : m_move(&move),
      m_substituted(move.GetCopies().GetCount()),
      m_offset(move.GetMove()),
      m_mapping(mapping),
      m_window(window),
      m_ratio(ratio) {
    const CObList& copies = move.GetCopies();
    for (POSITION pos = copies.GetHeadPosition(); pos;) {
        const auto* copy = static_cast<const CDrawObj*>(copies.GetNext(pos));
        if (!move.MovesItself(copy))
            m_reshaped.Insert(copy);
    }
    const CObList& objects = move.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const auto* object = static_cast<const CDrawObj*>(objects.GetNext(pos));
        if (move.MovesRigidly(object))
            m_moved.Insert(object);
        else
            m_reshaped.Insert(object);
    }
}

bool MovePictures::Serve(const CTransformCmd& move, const DCMapping& mapping, QSize window,
                         qreal ratio, QPoint shift) const {
    const QRect area = MovingArea();
    return &move == m_move && move.GetCopies().GetCount() == m_substituted &&
           SameMapping(mapping, m_mapping) && window == m_window && ratio == m_ratio &&
           std::abs(shift.x()) <= -area.left() && std::abs(shift.y()) <= -area.top();
}

bool MovePictures::Stays(const CDrawObj* object) const {
    return !m_moved.Contains(object) && !m_reshaped.Contains(object);
}

QRect MovePictures::MovingArea() const {
    const int dx = m_window.width() / 4;
    const int dy = m_window.height() / 4;
    return QRect(QPoint(0, 0), m_window).adjusted(-dx, -dy, dx, dy);
}
