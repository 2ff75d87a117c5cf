#pragma once
// CWireDragTool: picks up the free end of a wire or bus and re-routes it click by click, as
// the wire tool draws. A copy stands in the document while the end moves; finishing records
// one "wire re-route", in which the picked-up wire leaves the document and its attribute
// texts go over to the copy; cancelling puts the picked-up wire back as it was.

#include <utility>
#include <vector>

#include "drawtools/WireTool.h"
#include "model/undo/ConnectionList.h"
#include "platform/ObList.h"

class CWireDragTool : public CWireTool {
public:
    explicit CWireDragTool(ToolManager& tools) : CWireTool(tools, kToolWireDrag) {}
    ~CWireDragTool() override;

    // Picks up the wire's end given by the drag handle (1: the start, else the end).
    void Start(IToolView& view, CWire* wire);
    // Records the re-route of the copy as it stands.
    void FinishDrag(IToolView& view);

    void OnLButtonDown(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) override;
    void EndGesture(IToolView& view, GestureEnd how) override;
    void OnObjectsLeft(IToolView& view, const CObList& objects) override;

    CWire* PickedUp() const { return m_pickedUp; }
    void AddHeldObjects(std::vector<const CDrawObj*>& held) const override;

protected:
    bool IsBus() const override;

private:
    // A target the drag may end on: not the copy's start object nor its pin, a bus for a bus,
    // and not selected.
    bool CanEndOn(IToolView& view, CDrawObj* target) const;
    void Forget();
    // Puts the picked-up wire back in place of the copy, with its links, and frees the copy.
    void PutBack(IToolView& view);
    // The drag is put back and the select tool is current.
    void Cancel(IToolView& view);

    CWire* m_pickedUp = nullptr;  // out of the document while the copy is dragged
    CConnectionList m_before;     // the picked-up wire's links
    CObList m_labels;             // its attribute texts, which go over to the copy
    // Wires whose start (false) or end (true) lay on the picked-up wire.
    std::vector<std::pair<CWire*, bool>> m_junctionEnds;
};
