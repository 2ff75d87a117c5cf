#include "resources/ToolbarTable.h"

#include <algorithm>

#include "resources/CommandIds.h"

namespace {

constexpr ToolbarButton Button(UINT id) {
    return {ToolbarButton::kButton, id, 0};
}
constexpr ToolbarButton Sep() {
    return {ToolbarButton::kSeparator, 0, 0};
}
constexpr ToolbarButton DropDown(UINT id, int width = 0) {
    return {ToolbarButton::kDropDown, id, width};
}
constexpr ToolbarButton Combo(UINT id, int width) {
    return {ToolbarButton::kCombo, id, width};
}

constexpr ToolbarButton kMainButtons[] = {Button(ID_FILE_NEW),
                                          Button(ID_FILE_OPEN),
                                          Button(ID_FILE_SAVE),
                                          Sep(),
                                          Button(ID_EDIT_CUT),
                                          Button(ID_EDIT_COPY),
                                          Button(ID_EDIT_PASTE),
                                          Sep(),
                                          DropDown(ID_EDIT_UNDO, 36),
                                          DropDown(ID_EDIT_REDO, 36),
                                          Sep(),
                                          Button(ID_FILE_PRINT),
                                          Sep(),
                                          Combo(ID_ZOOM_BOX, 80),
                                          Button(ID_ZOOM_IN_AT),
                                          Button(ID_ZOOM_OUT_AT),
                                          Sep(),
                                          Button(ID_HELP_FINDER)};

constexpr ToolbarButton kDrawingButtons[] = {Button(ID_DRAW_SELECT),
                                             Button(ID_ZOOM_AREA),
                                             Sep(),
                                             Button(ID_DRAW_WIRE),
                                             Button(ID_DRAW_BUS),
                                             Sep(),
                                             Button(ID_DRAW_LINE),
                                             Button(ID_DRAW_RECT),
                                             Button(ID_DRAW_ROUNDRECT),
                                             Button(ID_DRAW_ELLIPSE),
                                             Button(ID_DRAW_ARC),
                                             Button(ID_DRAW_POLYGON),
                                             Button(ID_DRAW_BEZIER),
                                             Button(ID_DRAW_TEXT),
                                             Sep(),
                                             DropDown(ID_PALETTE_1),
                                             DropDown(ID_PALETTE_2),
                                             DropDown(ID_PALETTE_3),
                                             DropDown(ID_PALETTE_4),
                                             Sep(),
                                             DropDown(ID_LINE_COLOUR),
                                             DropDown(ID_FILL_COLOUR),
                                             DropDown(ID_LINE_WIDTH),
                                             DropDown(ID_FILL_STYLE)};

constexpr ToolbarButton kTextButtons[] = {
    Combo(ID_TEXT_FACE, 150), Combo(ID_TEXT_SIZE, 50),   Sep(), Button(ID_TEXT_BOLD),
    Button(ID_TEXT_ITALIC),   Button(ID_TEXT_UNDERLINE), Sep(), Button(ID_TEXT_LEFT),
    Button(ID_TEXT_CENTRE),   Button(ID_TEXT_RIGHT)};

constexpr ToolbarInfo kToolbars[] = {
    {IDR_MAIN_TOOLBAR, ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, "Main Toolbar", true, kMainButtons},
    {IDR_DRAWING_TOOLBAR, ID_BAR_DRAWING, ID_VIEW_DRAWING_BAR, "Drawing", true, kDrawingButtons},
    {IDR_TEXT_TOOLBAR, ID_BAR_TEXT, ID_VIEW_TEXT_BAR, "Text Toolbar", false, kTextButtons}};

}  // namespace

std::span<const ToolbarInfo> AllToolbars() {
    return kToolbars;
}

const ToolbarInfo* FindToolbar(UINT resourceId) {
    auto it =
        std::find_if(std::begin(kToolbars), std::end(kToolbars),
                     [resourceId](const ToolbarInfo& t) { return t.resourceId == resourceId; });
    return it == std::end(kToolbars) ? nullptr : &*it;
}
