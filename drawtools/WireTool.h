#pragma once
// CWireTool: draws wires (shape 8) and buses (shape 9) click by click with orthogonal elbows,
// starting and ending on pins, wires and buses. A wire that ends on a bus is named after one
// of the bus's members. A press on the free end of a wire of the tool's own kind drags that
// end instead.

#include <vector>

#include "drawtools/DrawTool.h"
#include "model/undo/UndoList.h"

class CDrawObj;
class CWire;

// Object types the tools end wires on: wires, symbols and buses; buses end on symbols and
// buses.
constexpr DWORD kWireSnapMask = 0x80C;
constexpr DWORD kBusSnapMask = 0x808;

class CWireTool : public CDrawTool {
public:
    CWireTool(ToolManager& tools, int shape) : CDrawTool(tools, shape) {}

    void OnLButtonDown(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonUp(IToolView& view, UINT flags, CPoint point) override;
    void OnMouseMove(IToolView& view, UINT flags, CPoint point) override;
    void OnContextMenu(IToolView& view, CPoint screen) override;
    void EndGesture(IToolView& view, GestureEnd how) override;
    void OnObjectsLeft(IToolView& view, const CObList& objects) override;
    void OnAutoScroll(IToolView& view) override;
    bool HasOpenObject() const override { return m_wire != nullptr; }
    void AddHeldObjects(std::vector<const CDrawObj*>& held) const override;

    CWire* OpenWire() const { return m_wire; }

protected:
    virtual bool IsBus() const { return Shape() == kToolBus; }
    // Snaps the sheet point for the tool; the object it landed on, or null.
    CDrawObj* SnapTarget(IToolView& view, UINT flags, CPoint& sheet) const;
    // Two points one unit right of the sheet point: the elbow and the end that follow the
    // mouse.
    void AppendFloatingPoints(IToolView& view, CPoint sheet);
    // Drops the points left following the mouse after the last click.
    void DropFloatingPoints() const;
    // The end of the open wire that the select tool's rules would give a target.
    CDrawObj* EndObjectFor(CDrawObj* target) const;
    // Takes the open wire back out of its document: the step that added it, when nothing was
    // recorded after it; else the wire stays as drawn. The tool forgets it either way.
    void TakeBack(IToolView& view);

    CWire* m_wire = nullptr;   // the wire or bus being drawn
    StepId m_added = kNoStep;  // the step that added it, while it is drawn
    // The segment following the mouse turns twice: its second elbow goes before it is routed
    // anew.
    bool m_twoElbows = false;

private:
    bool StartWire(IToolView& view, CPoint sheet, CDrawObj* target);
    bool DragFreeEnd(IToolView& view, CPoint sheet, CDrawObj* target);
    void EndWire(IToolView& view, CPoint sheet, CDrawObj* target);
    // Ends the open wire where it stands: kept when longer than a click's wobble and its nets
    // join (those of the pins, wires and rails its start lies on), else taken back.
    void KeepOrTakeBack(IToolView& view);
    // Names a wire that ends on a bus after a member of the bus.
    void NameFromBus(IToolView& view);
    // What ending the wire changed that no recorded step names: the wires of its group (their
    // links, and the name a bus may have given their net), the objects their ends lie on, and
    // the symbols whose pins those are.
    std::vector<CDrawObj*> EndedChanges() const;
};
