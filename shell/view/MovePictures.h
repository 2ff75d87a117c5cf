#pragma once
// MovePictures: what a schematic view paints a moving selection from while the select tool
// drags it, each drawn once: the window without the objects the move changes ("rest"), and the
// objects that only move by the offset, with their trackers, on a transparent picture
// ("moving"). A step of the drag then shows the rest, the moving picture shifted by the
// distance moved since, and draws only the objects the move reshapes (the wires following it,
// moved wires tied to what stays). The pictures hold for one move at one mapping of the
// window: the view drops them for anything else.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "platform/DCMapping.h"
#include "platform/Geometry.h"
#include "platform/PointerSet.h"

class CDrawObj;
class CTransformCmd;

class MovePictures {
public:
    // Sorts the move's objects as it stands; the pictures are drawn by the view.
    MovePictures(const CTransformCmd& move, const DCMapping& mapping, QSize window, qreal ratio);

    // Whether the pictures still serve: the same move, with no object reshaped since they were
    // taken, the window mapped and sized as then, and the moving picture reaching far enough.
    // shift is the moving picture's shift in window pixels.
    bool Serve(const CTransformCmd& move, const DCMapping& mapping, QSize window, qreal ratio,
               QPoint shift) const;
    // In the moving picture.
    bool Moves(const CDrawObj* object) const { return m_moved.Contains(object); }
    // Drawn at each step.
    bool Reshaped(const CDrawObj* object) const { return m_reshaped.Contains(object); }
    // Neither: in the rest.
    bool Stays(const CDrawObj* object) const;
    // The move's offset when the pictures were taken, sheet units.
    CSize Offset() const { return m_offset; }
    // The part of the window the moving picture covers: the window and a margin of a quarter
    // of its size all round, for the objects the drag brings into view. (Each pixel of margin
    // costs drawing at the drag's first step; a drag that goes further takes the pictures
    // again, which costs more than painting the window once, so the margin is kept wide
    // enough for the sweeps of a hand zoomed in.)
    QRect MovingArea() const;

    QImage rest;
    QImage moving;

private:
    const CTransformCmd* m_move;  // only told apart from another move
    int m_substituted;  // the move's substituted objects then: more means more are reshaped
    CSize m_offset;
    DCMapping m_mapping;
    QSize m_window;
    qreal m_ratio;
    // The objects sorted, as the move is not asked again: it may be gone before the pictures.
    PointerSet m_moved;
    PointerSet m_reshaped;
};
