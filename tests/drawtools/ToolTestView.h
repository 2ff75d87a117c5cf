#pragma once
// A view for driving the drawing tools without windows: one window pixel is one sheet unit
// (y flipped) unless zoomed out, the grid is 100 units, snapping is real; it keeps a selection as
// the schematic view does and records the feedback the tools give.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "drawtools/ToolManager.h"
#include "drawtools/ToolView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/ObList.h"
#include "shell/view/SnapEngine.h"
#include "shell/view/ViewSnapGrid.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

class ToolTestView : public IToolView {
public:
    explicit ToolTestView(CDrawDoc& doc) : m_doc(doc) {
        grid.m_spaceX = grid.m_spaceY = 0.1f;
        grid.Update();
        m_doc.AddView(this);
    }
    ~ToolTestView() override { m_doc.RemoveView(this); }
    ToolTestView(const ToolTestView&) = delete;
    ToolTestView& operator=(const ToolTestView&) = delete;

    // Window pixels for a sheet point.
    static CPoint At(LONG x, LONG y) { return CPoint(x, -y); }

    CDrawDoc& Document() override { return m_doc; }
    void OnUpdate(IDocView*, int hint, CObject* object, CObList* list) override;
    void SetPageSize(const SIZE&) override {}
    CPoint DocToClient(const CPoint& point) const override {
        return CPoint(std::lround(point.x / unitsPerPixel), -std::lround(point.y / unitsPerPixel));
    }
    CPoint ClientToDoc(const CPoint& point) const override {
        return CPoint(std::lround(point.x * unitsPerPixel), -std::lround(point.y * unitsPerPixel));
    }
    void InvalidateClientRect(const CRect&) override {}
    const CObList& GetSelection() const override { return selection; }
    // As the schematic view: an edit that stands copies in for objects selects the copies.
    void ReplaceInSelection(const CObList& from, const CObList& to) override {
        for (POSITION a = from.GetHeadPosition(), b = to.GetHeadPosition(); a && b;) {
            CObject* replaced = from.GetNext(a);
            CObject* replacing = to.GetNext(b);
            if (POSITION at = selection.Find(replaced))
                selection.SetAt(at, replacing);
        }
    }
    bool ShowsTrackers() const override { return true; }
    void ShowFlaggedObjects(unsigned long) override {}
    void EditObjectProperties(CObList&, DWORD) override {}

    void Select(CDrawObj* object, bool add) override;
    void Deselect(CDrawObj* object) override;
    bool IsSelected(const CDrawObj* object) const override {
        return selection.Find(const_cast<CDrawObj*>(object)) != nullptr;
    }
    void SelectWithinRect(const CRect& windowRect, bool add) override;
    CRect GetSelectionBounds() const override;
    bool CloneSelection() override;
    CRect ClientRect() const override { return CRect(0, 0, 800, 600); }
    CPoint CursorPosition() const override { return cursor; }
    CDrawObj* SnapPoint(CPoint& point, DWORD mask, const CObList* exclude, GridSnap mode) override;
    void SnapMove(CPoint& delta, CPoint origin, CDrawObj* object, bool invert) override {
        SnapEngine(m_doc, grid, options).SnapMove(delta, origin, object, selection, invert);
    }
    CSize GridSpacing() const override { return CSize(100, 100); }
    bool SnapsToGrid() const override { return options & 0x20000000; }
    void SetPrompt(UINT id) override { prompts.push_back(id); }
    void SetCursor(ToolCursor shown) override { cursorShape = shown; }
    void SetCapture(bool on) override { capture = on; }
    bool HasCapture() const override { return capture; }
    void ShowFocusRect(const CRect* rect) override {
        focusRect = rect ? std::optional<CRect>(*rect) : std::nullopt;
    }
    void SetAutoScroll(bool on) override { autoScroll = on; }
    void ScrollLines(int, int) override {}
    void ZoomToSheetRect(const CRect& sheet) override { zoomedTo = sheet; }
    void ZoomAt(CPoint sheet, bool in) override { zoomedAt.emplace_back(sheet, in); }
    UINT TrackMenu(const ToolMenu& menu, CPoint) override {
        shownMenus.push_back(menu);
        return menuAnswer;
    }
    void RunCommand(UINT id) override { commands.push_back(id); }
    void InvalidateAll() override {}
    void EndInPlaceEdit(GestureEnd) override {}
    bool FinishInPlaceEdit() override { return !textEditGoesOn; }

    CSnapGrid grid;
    double unitsPerPixel = 1;  // 1000 / 96 at the editor's 100 %
    DWORD options = 0xAFFFFFFF;
    CObList selection;
    CPoint cursor{400, 300};
    bool capture = false;
    bool autoScroll = false;
    ToolCursor cursorShape = ToolCursor::Arrow;
    std::optional<CRect> focusRect;
    std::vector<UINT> prompts;
    std::optional<CRect> zoomedTo;
    std::vector<std::pair<CPoint, bool>> zoomedAt;
    std::vector<ToolMenu> shownMenus;
    UINT menuAnswer = 0;
    std::vector<UINT> commands;
    // Whether a text edited in place here is refused and the user goes on editing it.
    bool textEditGoesOn = false;

private:
    CDrawDoc& m_doc;
};

using testsupport::DocumentBytes;

// One document, its view and the tools, with the gestures of a mouse in sheet coordinates.
class ToolTest {
public:
    ToolTest() : m_previous(SetToolManager(&tools)) {}
    ~ToolTest() { SetToolManager(m_previous); }
    ToolTest(const ToolTest&) = delete;
    ToolTest& operator=(const ToolTest&) = delete;

    CDrawTool& Tool() const { return *tools.CurrentTool(); }
    void Choose(int shape) { tools.ChooseShape(view, shape); }
    void Press(LONG x, LONG y, UINT flags = 0) {
        Tool().OnLButtonDown(view, flags | kToolLeftButton, ToolTestView::At(x, y));
    }
    void Move(LONG x, LONG y, UINT flags = 0) {
        view.cursor = ToolTestView::At(x, y);
        Tool().OnMouseMove(view, flags, ToolTestView::At(x, y));
    }
    void Release(LONG x, LONG y, UINT flags = 0) {
        Tool().OnLButtonUp(view, flags, ToolTestView::At(x, y));
    }
    void Click(LONG x, LONG y, UINT flags = 0) {
        Press(x, y, flags);
        Release(x, y, flags);
    }
    void DoubleClick(LONG x, LONG y, UINT flags = 0) {
        Click(x, y, flags);
        Tool().OnLButtonDblClk(view, flags, ToolTestView::At(x, y));
        Release(x, y, flags);
    }
    void Drag(CPoint from, CPoint to, UINT flags = 0) {
        Press(from.x, from.y, flags);
        Move((from.x + to.x) / 2, (from.y + to.y) / 2, flags | kToolLeftButton);
        Move(to.x, to.y, flags | kToolLeftButton);
        Release(to.x, to.y, flags);
    }
    // Esc as the view has it: first the tool's key, then the Cancel command.
    void Escape() {
        if (Tool().OnKeyDown(view, ToolKey::Escape, 0))
            return;
        view.capture = false;
        tools.EndGesture(view, GestureEnd::Cancel);
    }
    int Steps() { return doc.GetUndoList().GetCount(); }

    testsupport::RecordingAppServices services;
    ToolManager tools;
    CDrawDoc doc;
    ToolTestView view{doc};

private:
    ToolManager* m_previous;
};
