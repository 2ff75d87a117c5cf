// The schematic view's arranging commands: aligning and sizing the selection, the snap grid
// and units, the zoom presets, the full-screen crosshair and the undo and redo items.

#include <algorithm>
#include <array>
#include <optional>

#include "model/app/SchematicApp.h"
#include "model/cmd/ArrangeEdits.h"
#include "model/doc/DrawDoc.h"
#include "model/text/AttrText.h"
#include "model/undo/UndoList.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"
#include "shell/view/SnapGridDlg.h"
#include "shell/view/ViewMapping.h"

namespace {

struct GridPreset {
    UINT id;
    float inches;
    float logical;  // sheet units
};
// The spacings of the menu, smallest first.
constexpr std::array<GridPreset, 5> kGridPresets{{{ID_GRID_001, 0.01f, 10.0f},
                                                  {ID_GRID_002, 0.02f, 20.0f},
                                                  {ID_GRID_005, 0.05f, 50.0f},
                                                  {ID_GRID_010, 0.10f, 100.0f},
                                                  {ID_GRID_025, 0.25f, 250.0f}}};

// The largest spacing of the menu below the spacing s (sheet units), if any.
std::optional<float> GridSpacingBelow(float s) {
    for (auto it = kGridPresets.rbegin(); it != kGridPresets.rend(); ++it) {
        if (it->logical < s)
            return it->inches;
    }
    return std::nullopt;
}

// The smallest spacing of the menu above the spacing s (sheet units), if any.
std::optional<float> GridSpacingAbove(float s) {
    for (const GridPreset& preset : kGridPresets) {
        if (preset.logical > s)
            return preset.inches;
    }
    return std::nullopt;
}

// Attribute texts the user does not see.
bool IsHiddenAttrText(const CDrawObj* object) {
    const auto* text = dynamic_cast<const CAttrText*>(object);
    return text && (text->GetTextFlags() & kTextStyleMask) == kTextStyleMask;
}

// The sheet units of 0.2 inch left round the objects zoomed to.
constexpr int kObjectsMargin = 200;
// The crosshair's place while it is off the screen.
constexpr int kCrosshairAway = -10000;

}  // namespace

void CDrawView::AddArrangeCommands() {
    const std::pair<UINT, AlignMode> aligns[] = {{ID_ALIGN_TOP, AlignMode::kTop},
                                                 {ID_ALIGN_VERTICAL, AlignMode::kVertical},
                                                 {ID_ALIGN_BOTTOM, AlignMode::kBottom},
                                                 {ID_ALIGN_LEFT, AlignMode::kLeft},
                                                 {ID_ALIGN_HORIZONTAL, AlignMode::kHorizontal},
                                                 {ID_ALIGN_RIGHT, AlignMode::kRight}};
    for (const auto& [id, mode] : aligns) {
        m_commands.On(
            id, [this, mode] { AlignSelection(m_document, m_selection, mode); },
            [this](CmdUI& ui) { ui.Enable(CanAlign(m_selection)); });
    }
    const std::pair<UINT, SizeMode> sizes[] = {{ID_SAME_WIDTH, SizeMode::kWidth},
                                               {ID_SAME_HEIGHT, SizeMode::kHeight},
                                               {ID_SAME_SIZE, SizeMode::kBoth}};
    for (const auto& [id, mode] : sizes) {
        m_commands.On(
            id, [this, mode] { MakeSelectionSameSize(m_document, m_selection, mode); },
            [this](CmdUI& ui) { ui.Enable(CanMakeSameSize(m_selection)); });
    }
    for (UINT id : {ID_SPACE_ACROSS, ID_SPACE_DOWN})
        m_commands.On(
            id, [] {}, [this](CmdUI& ui) { ui.Enable(m_selection.GetCount() >= 3); });
    AddGridCommands();
    AddZoomCommands();
    AddUndoCommands();
    AddToggleCommands();
    AddFindCommands();
}

void CDrawView::AddGridCommands() {
    m_commands.On(
        ID_SNAP_TO_GRID,
        [] {
            if (CSchematicApp* app = GetApp())
                app->SnapGridOptions ^= kSnapToGrid;
        },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck((SnapOptions() & kSnapToGrid) != 0);
        });
    for (const GridPreset& preset : kGridPresets) {
        m_commands.On(
            preset.id, [this, preset] { SetGridSpacing(preset.inches); },
            [this, preset](CmdUI& ui) {
                ui.Enable();
                ui.SetCheck(m_grid.m_logicalX == preset.logical &&
                            m_grid.m_logicalY == preset.logical);
            });
    }
    m_commands.On(ID_GRID_DOWN, [this] {
        if (const auto below = GridSpacingBelow(std::min(m_grid.m_logicalX, m_grid.m_logicalY)))
            SetGridSpacing(*below);
    });
    m_commands.On(ID_GRID_UP, [this] {
        if (const auto above = GridSpacingAbove(std::max(m_grid.m_logicalX, m_grid.m_logicalY)))
            SetGridSpacing(*above);
    });
    m_commands.On(
        ID_SHOW_GRID,
        [this] {
            m_grid.m_shown = !m_grid.m_shown;
            InvalidateAll();
        },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(m_grid.m_shown != 0);
        });
    m_commands.On(ID_GRID_OPTIONS, [this] { EditGridOptions(); });
    const auto setUnits = [](BOOL metric) {
        if (CSchematicApp* app = GetApp())
            app->SetUnits(metric);
    };
    m_commands.On(
        ID_UNITS_CM, [setUnits] { setUnits(TRUE); },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(Metric());
        });
    m_commands.On(
        ID_UNITS_INCHES, [setUnits] { setUnits(FALSE); },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(!Metric());
        });
}

void CDrawView::SetGridSpacing(float inches) {
    m_grid.m_metric = 0;
    m_grid.m_spaceX = m_grid.m_spaceY = inches;
    m_grid.Update();
    InvalidateAll();
}

void CDrawView::EditGridOptions() {
    CSchematicApp* app = GetApp();
    const DWORD options = SnapOptions();
    CSnapGridDlg dialog(SnapGridSettings::From(m_grid, options), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DWORD applied = dialog.Settings().ApplyTo(m_grid, options);
    if (app) {
        app->SnapGridOptions = applied;
        m_grid.Save(*app, m_symbolGrid);
    }
    InvalidateAll();
}

void CDrawView::UseSymbolGrid() {
    m_symbolGrid = true;
    m_grid.m_spaceX = m_grid.m_spaceY = 0.02f;
    m_grid.m_colour = 0x800000;
    m_grid.Update();
    if (const CSchematicApp* app = GetApp())
        m_grid.Load(*app, true);
    InvalidateAll();
}

void CDrawView::ZoomToObjects() {
    if (const std::optional<CRect> bounds = VisibleObjectsBounds()) {
        CRect rect = *bounds;
        rect.InflateRect(kObjectsMargin, kObjectsMargin);
        ZoomToRect(rect);
    }
}

void CDrawView::AddZoomCommands() {
    const std::pair<UINT, float> presets[] = {{ID_ZOOM_100, 1.0f},
                                              {ID_ZOOM_50, 0.5f},
                                              {ID_ZOOM_75, 0.75f},
                                              {ID_ZOOM_200, 2.0f},
                                              {ID_ZOOM_400, 4.0f}};
    for (const auto& [id, factor] : presets)
        m_commands.On(id, [this, factor] { SetZoomFactor(factor); });
    m_commands.On(ID_ZOOM_PAGE, [this] { ZoomToRect(PaperRect()); });
    m_commands.On(
        ID_ZOOM_OBJECTS, [this] { ZoomToObjects(); },
        [this](CmdUI& ui) { ui.Enable(VisibleObjectsBounds().has_value()); });
    m_commands.On(ID_ZOOM_IN, [this] { ZoomIn(kZoomStep); });
    m_commands.On(ID_ZOOM_OUT, [this] { ZoomOut(kZoomStep); });
    m_commands.On(
        ID_FULL_SCREEN_CURSOR, [this] { ToggleCrosshair(); },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck((m_viewFlags & kViewCrosshair) != 0);
        });
}

// The union of the normalised bounds of the objects, hidden attribute texts left out.
std::optional<CRect> CDrawView::VisibleObjectsBounds() const {
    std::optional<CRect> bounds;
    const CObList& objects = m_document.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const auto* object = static_cast<const CDrawObj*>(objects.GetNext(pos));
        if (IsHiddenAttrText(object))
            continue;
        CRect rect;
        object->GetBoundingRect(rect);
        rect = NormalizedRect(rect);
        if (bounds)
            bounds->UnionRect(*bounds, rect);
        else
            bounds = rect;
    }
    return bounds;
}

void CDrawView::ToggleCrosshair() {
    if (m_viewFlags & kViewCrosshair)
        MoveCrosshair(kCrosshairAway, kCrosshairAway);
    else
        m_crosshair = QPoint(kCrosshairAway, kCrosshairAway);
    m_viewFlags ^= kViewCrosshair;
    if (CSchematicApp* app = GetApp())
        app->WriteProfileInt("Settings", "ViewFlags", int(m_viewFlags));
}

void CDrawView::UndoSteps(bool undo, int count) {
    CUndoList& list = m_document.GetUndoList();
    const int before = list.GetCount();
    EndGesture();
    if (undo)
        list.Undo(count - std::max(before - list.GetCount(), 0));
    else
        list.Redo(count);
}

void CDrawView::AddUndoCommands() {
    for (const bool undo : {true, false}) {
        m_commands.On(
            undo ? ID_EDIT_UNDO : ID_EDIT_REDO, [this, undo] { UndoSteps(undo, 1); },
            [this, undo](CmdUI& ui) {
                const CUndoList& list = m_document.GetUndoList();
                const bool can = undo ? list.CanUndo() : list.CanRedo();
                std::string text = undo ? "Cant Undo" : "Cant Redo";
                if (can)
                    text = std::string(undo ? "&Undo " : "&Redo ") +
                           (undo ? list.GetUndoName() : list.GetRedoName());
                ui.Enable(can);
                ui.SetText(text + (undo ? "\tCrtl+Z" : "\tCrtl+Y"));
            });
    }
}
