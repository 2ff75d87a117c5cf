#include "resources/MenuTable.h"

#include <algorithm>

#include "resources/CommandIds.h"

namespace {

constexpr MenuItem Cmd(UINT id, const char* text = nullptr) {
    return {MenuItem::kCommand, id, text, {}};
}
constexpr MenuItem Sep() {
    return {MenuItem::kSeparator, 0, nullptr, {}};
}
constexpr MenuItem Popup(const char* text, std::span<const MenuItem> items) {
    return {MenuItem::kPopup, 0, text, items};
}
constexpr MenuItem RecentFiles() {
    return {MenuItem::kRecentFiles, ID_FILE_MRU_FIRST, nullptr, {}};
}
constexpr MenuItem WindowList() {
    return {MenuItem::kWindowList, ID_WINDOW_CHILD_FIRST, nullptr, {}};
}

// The frame's menu while no document is open.
constexpr MenuItem kImport[] = {Cmd(ID_FILE_IMPORT_PROTEL)};
constexpr MenuItem kFrameFile[] = {Cmd(ID_FILE_NEW),
                                   Cmd(ID_FILE_OPEN),
                                   Popup("&Import", kImport),
                                   Sep(),
                                   Cmd(ID_FILE_PRINT_SETUP),
                                   Cmd(ID_TOOLS_DRC_SETUP, "&Setup DRC.."),
                                   Sep(),
                                   RecentFiles(),
                                   Sep(),
                                   Cmd(ID_APP_EXIT)};
constexpr MenuItem kBarsItems[] = {Cmd(ID_VIEW_TOOLBAR),
                                   Cmd(ID_VIEW_DRAWING_BAR),
                                   Cmd(ID_VIEW_TEXT_BAR),
                                   Cmd(ID_VIEW_STATUS_BAR),
                                   Cmd(ID_VIEW_WORKSPACE),
                                   Cmd(ID_VIEW_OUTPUT),
                                   Sep(),
                                   Cmd(ID_VIEW_OPTIONS)};
constexpr MenuItem kWeb[] = {Cmd(ID_HELP_HOME_PAGE), Cmd(ID_HELP_MAKER_PAGE)};
constexpr MenuItem kHelp[] = {Cmd(ID_HELP_FINDER),        Cmd(ID_HELP_INDEX),
                              Cmd(ID_HELP_SEARCH),        Sep(),
                              Cmd(ID_HELP_TUTORIAL),      Sep(),
                              Popup("On the &Web", kWeb), Sep(),
                              Cmd(ID_APP_ABOUT)};
constexpr MenuItem kFrameMenu[] = {Popup("&File", kFrameFile), Popup("&View", kBarsItems),
                                   Popup("&Help", kHelp)};

// The menus of the open documents.
constexpr MenuItem kExport[] = {Cmd(ID_FILE_EXPORT_DXF)};
constexpr MenuItem kDocFile[] = {Cmd(ID_FILE_NEW),
                                 Cmd(ID_FILE_OPEN),
                                 Cmd(ID_FILE_CLOSE),
                                 Sep(),
                                 Cmd(ID_FILE_SAVE),
                                 Cmd(ID_FILE_SAVE_AS),
                                 Popup("&Import", kImport),
                                 Popup("&Export", kExport),
                                 Sep(),
                                 Cmd(ID_FILE_PRINT),
                                 Cmd(ID_FILE_PRINT_PREVIEW),
                                 Cmd(ID_FILE_PRINT_SETUP),
                                 Sep(),
                                 Cmd(ID_FILE_SUMMARY_INFO),
                                 Sep(),
                                 RecentFiles(),
                                 Sep(),
                                 Cmd(ID_APP_EXIT)};
constexpr MenuItem kRotate[] = {Cmd(ID_EDIT_ROTATE), Cmd(ID_EDIT_ROTATE_90),
                                Cmd(ID_EDIT_ROTATE_MINUS_90)};
constexpr MenuItem kMirror[] = {Cmd(ID_EDIT_MIRROR_HORZ), Cmd(ID_EDIT_MIRROR_VERT)};
constexpr MenuItem kAlign[] = {Cmd(ID_ALIGN_TOP),  Cmd(ID_ALIGN_BOTTOM), Cmd(ID_ALIGN_HORIZONTAL),
                               Cmd(ID_ALIGN_LEFT), Cmd(ID_ALIGN_RIGHT),  Cmd(ID_ALIGN_VERTICAL)};
constexpr MenuItem kSameSize[] = {Cmd(ID_SAME_WIDTH), Cmd(ID_SAME_HEIGHT), Cmd(ID_SAME_SIZE)};
constexpr MenuItem kSpaceEvenly[] = {Cmd(ID_SPACE_ACROSS), Cmd(ID_SPACE_DOWN)};
constexpr MenuItem kEdit[] = {Cmd(ID_EDIT_UNDO),
                              Cmd(ID_EDIT_REDO),
                              Sep(),
                              Cmd(ID_EDIT_CUT),
                              Cmd(ID_EDIT_COPY),
                              Cmd(ID_EDIT_PASTE),
                              Cmd(ID_EDIT_CLEAR),
                              Sep(),
                              Cmd(ID_EDIT_PROPERTIES),
                              Cmd(ID_DEVICE_PROPERTIES),
                              Sep(),
                              Cmd(ID_EDIT_SELECT_ALL),
                              Cmd(ID_EDIT_GROUP),
                              Popup("R&otate", kRotate),
                              Popup("&Mirror", kMirror),
                              Cmd(ID_EDIT_CREATE_FILL_SHAPE),
                              Cmd(ID_EDIT_NEW_DEVICE),
                              Cmd(ID_EDIT_CREATE_SYMBOL),
                              Cmd(ID_CREATE_SPICE_SOURCE),
                              Sep(),
                              Popup("Ali&gn", kAlign),
                              Popup("Make Same Si&ze\t  ", kSameSize),
                              Popup("Space &Evenly\t  ", kSpaceEvenly),
                              Sep(),
                              Cmd(ID_EDIT_FIND),
                              Cmd(ID_EDIT_FIND_NEXT),
                              Sep(),
                              Cmd(ID_OLE_INSERT_NEW)};
constexpr MenuItem kUnits[] = {Cmd(ID_UNITS_CM), Cmd(ID_UNITS_INCHES)};
constexpr MenuItem kGridSpacing[] = {Cmd(ID_GRID_001),  Cmd(ID_GRID_002), Cmd(ID_GRID_005),
                                     Cmd(ID_GRID_010),  Cmd(ID_GRID_025), Sep(),
                                     Cmd(ID_GRID_DOWN), Cmd(ID_GRID_UP)};
constexpr MenuItem kZoom[] = {
    Cmd(ID_ZOOM_50), Cmd(ID_ZOOM_75),   Cmd(ID_ZOOM_100),     Cmd(ID_ZOOM_200), Cmd(ID_ZOOM_400),
    Sep(),           Cmd(ID_ZOOM_PAGE), Cmd(ID_ZOOM_OBJECTS), Cmd(ID_ZOOM_IN),  Cmd(ID_ZOOM_OUT)};
// The bars' letters here give way to the drawing's own items.
constexpr MenuItem kDrawingView[] = {Cmd(ID_VIEW_TOOLBAR),
                                     Cmd(ID_VIEW_DRAWING_BAR, "Dr&awing Toolbar"),
                                     Cmd(ID_VIEW_TEXT_BAR),
                                     Cmd(ID_VIEW_STATUS_BAR, "Status &Bar"),
                                     Cmd(ID_VIEW_WORKSPACE),
                                     Cmd(ID_VIEW_OUTPUT, "O&utput"),
                                     Sep(),
                                     Cmd(ID_VIEW_RULERS, "Ru&lers"),
                                     Popup("Units", kUnits),
                                     Cmd(ID_VIEW_PAPER_COLOUR),
                                     Cmd(ID_VIEW_DOCUMENT_SETTINGS),
                                     Sep(),
                                     Cmd(ID_SNAP_TO_GRID),
                                     Popup("Grid Spacing", kGridSpacing),
                                     Cmd(ID_SHOW_GRID),
                                     Cmd(ID_GRID_OPTIONS),
                                     Sep(),
                                     Popup("Zoom", kZoom),
                                     Cmd(ID_VIEW_SHOW_OBJECTS),
                                     Cmd(ID_HIGHLIGHT_SELECTION),
                                     Cmd(ID_REMOVE_HIGHLIGHTS),
                                     Cmd(ID_FULL_SCREEN_CURSOR),
                                     Sep(),
                                     Cmd(ID_VIEW_OPTIONS)};
constexpr MenuItem kDraw[] = {Cmd(ID_DRAW_SELECT),
                              Sep(),
                              Cmd(ID_DRAW_WIRE),
                              Cmd(ID_DRAW_BUS),
                              Sep(),
                              Cmd(ID_DRAW_LINE),
                              Cmd(ID_DRAW_ARROW_LINE),
                              Cmd(ID_DRAW_DOUBLE_ARROW_LINE),
                              Cmd(ID_DRAW_RECT),
                              Cmd(ID_DRAW_ROUNDRECT),
                              Cmd(ID_DRAW_ELLIPSE),
                              Cmd(ID_DRAW_ARC),
                              Cmd(ID_DRAW_POLYGON),
                              Cmd(ID_DRAW_BEZIER),
                              Cmd(ID_DRAW_POLYLINE),
                              Cmd(ID_DRAW_TEXT),
                              Cmd(ID_DRAW_SPECIAL_SYMBOL),
                              Sep(),
                              Cmd(ID_DRAW_INSERT_TITLE_BLOCK),
                              Sep(),
                              Cmd(ID_END_POLYGON),
                              Cmd(ID_END_WIRE)};
constexpr MenuItem kSymbolDraw[] = {Cmd(ID_DRAW_SELECT),
                                    Sep(),
                                    Cmd(ID_DRAW_PIN),
                                    Sep(),
                                    Cmd(ID_DRAW_LINE),
                                    Cmd(ID_DRAW_ARROW_LINE),
                                    Cmd(ID_DRAW_DOUBLE_ARROW_LINE),
                                    Cmd(ID_DRAW_RECT),
                                    Cmd(ID_DRAW_ROUNDRECT),
                                    Cmd(ID_DRAW_ELLIPSE),
                                    Cmd(ID_DRAW_ARC),
                                    Cmd(ID_DRAW_POLYGON),
                                    Cmd(ID_DRAW_BEZIER),
                                    Cmd(ID_DRAW_POLYLINE),
                                    Cmd(ID_DRAW_TEXT),
                                    Cmd(ID_DRAW_SPECIAL_SYMBOL),
                                    Sep(),
                                    Cmd(ID_END_POLYGON)};
constexpr MenuItem kSymbol[] = {Cmd(ID_SYMBOL_CLOSE_EDITOR)};
constexpr MenuItem kRunTool[] = {Cmd(ID_TOOL_FIRST), Cmd(ID_TOOL_FIRST + 1), Cmd(ID_TOOL_FIRST + 2),
                                 Cmd(ID_TOOL_FIRST + 3), Cmd(ID_TOOL_LAST)};
constexpr MenuItem kSimulators[] = {Cmd(ID_SIMULATOR_FIRST), Cmd(ID_SIMULATOR_2),
                                    Cmd(ID_SIMULATOR_2 + 1), Cmd(ID_SIMULATOR_2 + 2),
                                    Cmd(ID_SIMULATOR_LAST)};
constexpr MenuItem kConnectWireTo[] = {Cmd(ID_CONNECT_GROUND1),    Cmd(ID_CONNECT_GROUND2),
                                       Cmd(ID_CONNECT_POWER1),     Cmd(ID_CONNECT_POWER1 + 1),
                                       Cmd(ID_CONNECT_POWER1 + 2), Cmd(ID_CONNECT_POWER4),
                                       Cmd(ID_CONNECT_OTHER_NET)};
constexpr MenuItem kObject[] = {Cmd(ID_OBJECT_LINE_COLOUR),
                                Cmd(ID_OBJECT_FILL_COLOUR),
                                Sep(),
                                Cmd(ID_OBJECT_MOVE_BACK),
                                Cmd(ID_OBJECT_MOVE_FORWARD),
                                Cmd(ID_OBJECT_MOVE_TO_FRONT),
                                Cmd(ID_OBJECT_MOVE_TO_BACK),
                                Sep(),
                                Cmd(ID_SHOW_DEVICE_NAME),
                                Cmd(ID_SHOW_VALUE),
                                Cmd(ID_SHOW_IDENTIFIER),
                                Cmd(ID_SHOW_PIN_NAMES),
                                Cmd(ID_SHOW_PIN_NUMBERS),
                                Sep(),
                                Cmd(ID_OBJECT_DEVICE),
                                Popup("Connect Wire To", kConnectWireTo),
                                Cmd(ID_CONNECT_IMPLICIT)};
constexpr MenuItem kLibrary[] = {
    Cmd(ID_LIBRARY_ADD_TO),     Cmd(ID_LIBRARY_ADD_SELECTED), Sep(), Cmd(ID_LIBRARY_SEARCH),
    Cmd(ID_LIBRARY_LIST_ITEMS), Cmd(ID_LIBRARY_NEW),          Sep(), Cmd(ID_LIBRARY_PROPERTIES)};
constexpr MenuItem kTools[] = {Cmd(ID_TOOLS_GENERATE_REPORT),
                               Sep(),
                               Cmd(ID_RENUMBER_SELECTION),
                               Cmd(ID_RENUMBER_ALL),
                               Sep(),
                               Cmd(ID_SUBCIRCUIT_WIZARD),
                               Sep(),
                               Cmd(ID_RUN_SIMULATOR),
                               Cmd(ID_PAUSE_SIMULATOR),
                               Cmd(ID_STOP_SIMULATOR),
                               Popup("S&elect Simulator", kSimulators),
                               Cmd(ID_SIMULATOR_SETUP),
                               Sep(),
                               Cmd(ID_RUN_PCB_TOOL),
                               Cmd(ID_RUN_PLD_TOOL),
                               Popup("Run &Tool", kRunTool),
                               Cmd(ID_CUSTOM_TOOLS_SETUP),
                               Sep(),
                               Cmd(ID_TOOLS_DRC),
                               Cmd(ID_TOOLS_DRC_SETUP)};
constexpr MenuItem kWindow[] = {Cmd(ID_WINDOW_CASCADE),
                                Cmd(ID_WINDOW_TILE_HORZ),
                                Cmd(ID_WINDOW_ARRANGE),
                                Sep(),
                                Cmd(ID_WINDOW_CLOSE),
                                Cmd(ID_WINDOW_NEXT),
                                Cmd(ID_WINDOW_PREVIOUS),
                                Sep(),
                                WindowList()};
constexpr MenuItem kSchematicMenu[] = {
    Popup("&File", kDocFile), Popup("&Edit", kEdit),     Popup("&View", kDrawingView),
    Popup("&Draw", kDraw),    Popup("&Object", kObject), Popup("&Library", kLibrary),
    Popup("&Tools", kTools),  Popup("&Window", kWindow), Popup("&Help", kHelp)};
constexpr MenuItem kSymbolMenu[] = {Popup("&File", kDocFile),     Popup("&Edit", kEdit),
                                    Popup("&View", kDrawingView), Popup("&Draw", kSymbolDraw),
                                    Popup("&Object", kObject),    Popup("&Symbol", kSymbol),
                                    Popup("&Window", kWindow),    Popup("&Help", kHelp)};
constexpr MenuItem kOutputView[] = {Cmd(ID_VIEW_TOOLBAR),
                                    Cmd(ID_VIEW_DRAWING_BAR),
                                    Cmd(ID_VIEW_TEXT_BAR),
                                    Cmd(ID_VIEW_STATUS_BAR),
                                    Cmd(ID_VIEW_WORKSPACE),
                                    Cmd(ID_VIEW_OUTPUT),
                                    Sep(),
                                    Cmd(ID_VIEW_OPTIONS)};
constexpr MenuItem kOutputMenu[] = {Popup("&File", kDocFile), Popup("&View", kOutputView),
                                    Popup("&Window", kWindow), Popup("&Help", kHelp)};

// Popup menus.
constexpr MenuItem kBarsPopup[] = {Cmd(ID_VIEW_TOOLBAR),    Cmd(ID_VIEW_DRAWING_BAR),
                                   Cmd(ID_VIEW_STATUS_BAR), Cmd(ID_VIEW_RULERS),
                                   Cmd(ID_VIEW_WORKSPACE),  Cmd(ID_VIEW_OUTPUT, "&Output Window")};

constexpr MenuInfo kMenus[] = {{IDR_MAINFRAME, kFrameMenu},  {IDR_SCHEMATIC, kSchematicMenu},
                               {IDR_SYMBOL, kSymbolMenu},    {IDR_OUTPUT, kOutputMenu},
                               {IDR_BARS_POPUP, kBarsPopup}, {IDR_UNITS_POPUP, kUnits}};

}  // namespace

std::span<const MenuInfo> AllMenus() {
    return kMenus;
}

const MenuInfo* FindMenu(UINT id) {
    auto it = std::find_if(std::begin(kMenus), std::end(kMenus),
                           [id](const MenuInfo& m) { return m.id == id; });
    return it == std::end(kMenus) ? nullptr : &*it;
}
