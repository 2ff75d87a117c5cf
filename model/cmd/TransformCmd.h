#pragma once
// CTransformCmd: moving, resizing, rotating or mirroring objects ("move", "resize object",
// "rotate", "mirror vertically", "mirror horizontally"). It works by substitution: an object
// that has wires attached (and every object being resized) is replaced in the document by a
// duplicate, and so are the attached wires; the duplicates are transformed and the wires follow.
// Wires and texts that the following reaches further are substituted when it reaches them.
// Undoing puts the untouched source objects back. Objects with nothing attached are transformed
// in place; undoing gives them back their geometry as it was, not an inverse transform.
//
// Use by a drag: construct with the objects, Begin, SetDragPoints with the drag's start point
// and Track as the pointer moves, Finish, then record the command as done and call JoinUp.
// Rotating and mirroring: Begin, SetRotation or SetMirror, Apply, then TidyWires and record
// (the menu's turns join nothing up) or record and JoinUp. Abort instead of recording puts
// everything back.

#include <memory>
#include <vector>

#include "model/object/FollowMap.h"
#include "model/undo/Command.h"
#include "model/undo/ConnectionList.h"
#include "platform/Geometry.h"
#include "platform/ObList.h"
#include "platform/PointerMap.h"
#include "platform/PointerSet.h"

class IDocView;

constexpr int kTransformMove = 2;
constexpr int kTransformResize = 4;
constexpr int kTransformRotate = 6;
constexpr int kTransformMirrorVertically = 7;
constexpr int kTransformMirrorHorizontally = 8;

class CTransformCmd : public CCommand, public IFollowMap {
public:
    // Marks the objects as being transformed (object flag 0x4).
    CTransformCmd(CDrawDoc* doc, const CObList& objects, int kind);
    ~CTransformCmd() override;
    CTransformCmd(const CTransformCmd&) = delete;
    CTransformCmd& operator=(const CTransformCmd&) = delete;

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override;

    // Substitutes the objects with attached wires, and the wires, by duplicates; the views'
    // selections hold the duplicates in the sources' places.
    void Begin();
    // The drag from first to second: a move by second - first, or the dragged handle (see
    // SetResize) taken to second. The objects take that shape from where they started, and
    // what is attached follows.
    void SetDragPoints(CPoint first, CPoint second);
    // The pointer moved: by step for a move, to point for a resize.
    void Track(IDocView* view, CPoint point);
    // The drag ended: the objects are no longer marked as being transformed.
    void Finish();
    // The move offset, end point minus start point.
    void SetMove(LONG dx, LONG dy);
    void SetRotation(int angle, CPoint centre);
    // Mirror axis through the centre: horizontal for kind 7 (y flips), vertical for kind 8.
    void SetMirror(CPoint centre);
    // The handle dragged from one point to another.
    void SetResize(int handle, CPoint from, CPoint to);
    // Transforms the objects, lets the attached wires follow and finishes.
    void Apply();
    // Puts back what Begin and the transform changed; the command can then be deleted.
    void Abort();
    // Takes the repeated and collinear vertices out of the wires it moved or re-routed.
    void TidyWires();
    // Tidies the wires, connects the free ends of the transformed objects to what they now
    // touch and joins the nets that meet: the document's joining result, or 1 when no nets met.
    int JoinUp();

    // The duplicate standing in for object, made now when object is in the document and not
    // yet substituted; object itself when it is a duplicate or transformed in place.
    CDrawObj* SubstituteObject(CDrawObj* object);

    // IFollowMap
    CDrawObj* Substitute(CDrawObj* object) override { return SubstituteObject(object); }
    CDrawObj* Original(const CDrawObj* object) override;
    bool MovesItself(const CDrawObj* object) const override;
    // Whether object, one of the objects a move transforms, only moves by the offset as the
    // move goes on, its tracker with it. Not so a wire with an end on something that stays (it
    // stretches to keep it), nor a text tied to an object that stays (its tracker's tie reaches
    // the object).
    bool MovesRigidly(const CDrawObj* object) const;

    CDrawDoc* GetDocument() const { return m_doc; }
    int GetKind() const { return m_kind; }
    // The move offset set last (see SetMove).
    CSize GetMove() const { return CSize(m_dx, m_dy); }
    const CObList& GetObjects() const { return m_objects; }
    const CObList& GetSources() const { return m_sources; }
    const CObList& GetCopies() const { return m_copies; }

private:
    void ApplyTo(CDrawObj* object, bool forward) const;
    // Whether object goes with the transformed objects: one of them, or a pin of one.
    bool Carried(const CDrawObj* object) const;
    // Every duplicate and every object transformed in place takes its starting shape again.
    void RestoreGeometry();
    // From the starting shapes: the transform, then the following.
    void Reapply();
    void ApplyInPlace();
    void RestoreInPlace();
    void Pair(CDrawObj* source, CDrawObj* copy);
    void SwapIn();
    void SwapOut();
    // Both objects of every pair repaint.
    void InvalidatePairs();
    // Replaces objects of the document's list by those the map names, in one pass.
    void ReplaceInDocument(const CObList& from, const CObList& to);
    void ReplaceInSelections(const CObList& from, const CObList& to);
    void ClearMarks();

    CDrawDoc* m_doc;
    CObList m_copies;
    CObList m_sources;
    CObList m_objects;
    CConnectionList m_links;
    int m_kind;
    bool m_done = false;
    int m_count = 0;
    LONG m_dx = 0;
    LONG m_dy = 0;
    int m_angle = 0;
    CPoint m_centre{0, 0};
    int m_handle = 0;
    CPoint m_from{0, 0};
    CPoint m_to{0, 0};
    // An object transformed in place, with copies of its geometry before and, for a wire once
    // undone, after the edit (which the following of wires and the joining up may have changed).
    struct InPlace {
        CDrawObj* object;
        std::unique_ptr<CDrawObj> before;
        std::unique_ptr<CDrawObj> after;
    };
    std::vector<InPlace> m_inPlace;
    // Flat tables, as a large selection fills them with thousands of objects.
    PointerMap m_inPlaceBefore;  // an object transformed in place to its geometry before
    PointerMap m_copyOf;         // source to duplicate
    PointerMap m_sourceOf;       // duplicate to source
    PointerSet m_transformed;    // the objects of m_objects
};
