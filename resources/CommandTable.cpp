#include "resources/CommandTable.h"

#include <algorithm>

#include "resources/CommandIds.h"

namespace {

// clang-format off
constexpr CommandInfo kCommands[] = {
    // File
    {ID_FILE_NEW, "&New\tCtrl+N", "Create a new schematic\nNew", "Ctrl+N", ":/icons/new.svg"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing document\nOpen", "Ctrl+O", ":/icons/open.svg"},
    {ID_FILE_CLOSE, "&Close", "Close the active document\nClose", "", ""},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document\nSave", "Ctrl+S", ":/icons/save.svg"},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As", "", ""},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document\nPrint", "Ctrl+P", ":/icons/print.svg"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview", "", ""},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", "", ""},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit", "", ""},

    // Edit
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo", "Ctrl+Z", ":/icons/undo.svg"},
    {ID_EDIT_REDO, "&Redo\tCtrl+Y", "Redo the previously undone action\nRedo", "Ctrl+Y", ":/icons/redo.svg"},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the clipboard\nCut", "Ctrl+X", ":/icons/cut.svg"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the clipboard\nCopy", "Ctrl+C", ":/icons/copy.svg"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert the clipboard contents\nPaste", "Ctrl+V", ":/icons/paste.svg"},
    {ID_EDIT_CLEAR, "&Delete\tDel", "Delete the selection\nDelete", "Del", ""},
    {ID_EDIT_SELECT_ALL, "Select &All", "Select all objects of the sheet\nSelect All", "", ""},
    {ID_EDIT_FIND, "&Find...\tCtrl+F", "Find library items\nFind", "Ctrl+F", ""},
    {ID_EDIT_FIND_NEXT, "Find &Next\tCtrl+G", "Find the next matching item\nFind Next", "Ctrl+G", ""},

    // View
    {ID_VIEW_TOOLBAR, "&Main Toolbar", "Show or hide the main toolbar\nToggle Main Toolbar", "", ""},
    {ID_VIEW_DRAWING_BAR, "&Drawing Toolbar", "Show or hide the drawing toolbar\nToggle Drawing Toolbar", "", ""},
    {ID_VIEW_TEXT_BAR, "&Text Toolbar", "Show or hide the text toolbar\nToggle Text Toolbar", "", ""},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle Status Bar", "", ""},
    {ID_VIEW_WORKSPACE, "&Workspace", "Show or hide the workspace\nToggle Workspace", "", ""},
    {ID_VIEW_OUTPUT, "&Output", "Show or hide the output window\nToggle Output Window", "", ""},
    {ID_VIEW_RULERS, "&Rulers", "Show or hide the rulers\nToggle Rulers", "", ""},
    {ID_UNITS_CM, "cm", "Show lengths in centimetres\ncm", "", ""},
    {ID_UNITS_INCHES, "inches", "Show lengths in inches\ninches", "", ""},
    {ID_ZOOM_BOX, "Zoom", "Zoom factor of the active view\nZoom", "", ""},
    {ID_ZOOM_IN_AT, "Zoom In", "Zoom in\nZoom In", "", ":/icons/zoom-in.svg"},
    {ID_ZOOM_OUT_AT, "Zoom Out", "Zoom out\nZoom Out", "", ":/icons/zoom-out.svg"},
    {ID_ZOOM_AREA, "&Area", "Zoom to an area of the sheet\nZoom Area", "", ":/icons/zoom-area.svg"},

    // Draw
    {ID_DRAW_SELECT, "&Select\tS", "Select, move and resize objects\nSelect", "", ":/icons/select.svg"},
    {ID_DRAW_WIRE, "&Wire\tW", "Draw a wire between pins\nWire", "", ":/icons/wire.svg"},
    {ID_DRAW_BUS, "&Bus\tB", "Draw a bus\nBus", "", ":/icons/bus.svg"},
    {ID_DRAW_LINE, "&Line\tL", "Draw a line\nLine", "", ":/icons/line.svg"},
    {ID_DRAW_RECT, "&Rectangle\tR", "Draw a rectangle\nRectangle", "", ":/icons/rectangle.svg"},
    {ID_DRAW_ROUNDRECT, "Rou&nd Rectangle\tN", "Draw a rounded rectangle\nRound Rectangle", "", ":/icons/round-rectangle.svg"},
    {ID_DRAW_ELLIPSE, "&Ellipse\tE", "Draw an ellipse\nEllipse", "", ":/icons/ellipse.svg"},
    {ID_DRAW_ARC, "&Arc\tA", "Draw an arc\nArc", "", ":/icons/arc.svg"},
    {ID_DRAW_POLYGON, "&Polygon\tP", "Draw a polygon\nPolygon", "", ":/icons/polygon.svg"},
    {ID_DRAW_BEZIER, "Be&zier\tZ", "Draw a Bezier curve\nBezier", "", ":/icons/bezier.svg"},
    {ID_DRAW_TEXT, "&Text\tT", "Add a text box\nText", "", ":/icons/text.svg"},
    {ID_DRAW_ARROW_LINE, "Arro&wed Line", "Draw a line with an arrow\nArrowed Line", "", ""},
    {ID_DRAW_DOUBLE_ARROW_LINE, "&Double Arrowed Line", "Draw a line with two arrows\nDouble Arrowed Line", "", ""},
    {ID_DRAW_POLYLINE, "Pol&yline", "Draw a polyline\nPolyline", "", ""},
    {ID_END_POLYGON, "End &Polygon", "End the shape being drawn\nEnd Polygon", "", ""},
    {ID_END_WIRE, "End &Wire", "End the wire being drawn\nEnd Wire", "", ""},
    {ID_CANCEL, "&Cancel\tEsc", "Cancel the current operation\nCancel", "", ""},
    {ID_PALETTE_1, "Palette &1", "Place Symbol\nSymbol", "", ":/icons/palette-resistor.svg"},
    {ID_PALETTE_2, "Palette &2", "Place Symbol\nSymbol", "", ":/icons/palette-capacitor.svg"},
    {ID_PALETTE_3, "Palette &3", "Place Symbol\nSymbol", "", ":/icons/palette-transistor.svg"},
    {ID_PALETTE_4, "Palette &4", "Place Symbol\nSymbol", "", ":/icons/palette-gate.svg"},
    {ID_LINE_COLOUR, "Line &Colour", "Change the line colour\nLine Colour", "", ":/icons/line-colour.svg"},
    {ID_FILL_COLOUR, "&Fill Colour", "Change the fill colour\nFill Colour", "", ":/icons/fill-colour.svg"},
    {ID_LINE_WIDTH, "Line &Style", "Change the object's line style\nLine Style", "", ":/icons/line-width.svg"},
    {ID_FILL_STYLE, "Fill St&yle", "Change the object's fill hatch style\nFill Style", "", ":/icons/fill-style.svg"},

    // Text format
    {ID_TEXT_BOLD, "&Bold", "Set bold font\nBold", "", ":/icons/bold.svg"},
    {ID_TEXT_ITALIC, "&Italic", "Set italic font\nItalic", "", ":/icons/italic.svg"},
    {ID_TEXT_UNDERLINE, "&Underline", "Set underline font\nUnderline", "", ":/icons/underline.svg"},
    {ID_TEXT_LEFT, "&Left", "Align text left\nLeft", "", ":/icons/align-left.svg"},
    {ID_TEXT_CENTRE, "&Centre", "Align text centred\nCentre", "", ":/icons/align-centre.svg"},
    {ID_TEXT_RIGHT, "&Right", "Align text right\nRight", "", ":/icons/align-right.svg"},
    {ID_TEXT_FACE, "Font", "Font of the selected text\nFont", "", ""},
    {ID_TEXT_SIZE, "Size", "Size of the selected text\nFont Size", "", ""},

    // Library and Object > Connect Wire To
    {ID_LIBRARY_ADD_TO, "Add Selection &to...", "Add the selection to a library\nAdd to Library", "", ""},
    {ID_LIBRARY_ADD_SELECTED, "&Add Selection to Library", "Add the selection to the library selected in the workspace\nAdd to Library", "", ""},
    {ID_LIBRARY_LIST_ITEMS, "&List Items...", "Show the items of a library\nList Items", "", ""},
    {ID_LIBRARY_NEW, "&New...", "Create a new library\nNew Library", "", ""},
    {ID_CONNECT_GROUND1, "Ground 1", "Connect the wire to ground 1\nGround 1", "", ""},
    {ID_CONNECT_GROUND2, "Ground 2", "Connect the wire to ground 2\nGround 2", "", ""},
    {ID_CONNECT_POWER1, "Power 1", "Connect the wire to power rail 1\nPower 1", "", ""},
    {ID_CONNECT_POWER1 + 1, "Power 2", "Connect the wire to power rail 2\nPower 2", "", ""},
    {ID_CONNECT_POWER1 + 2, "Power 3", "Connect the wire to power rail 3\nPower 3", "", ""},
    {ID_CONNECT_POWER4, "Power 4", "Connect the wire to power rail 4\nPower 4", "", ""},

    // Tools
    {ID_TOOL_FIRST, "Tool 1\t  ", "Run a custom tool\nRun Tool", "", ":/icons/tool.svg"},
    {ID_TOOL_FIRST + 1, "tool2", "Run a custom tool\nRun Tool", "", ":/icons/tool.svg"},
    {ID_TOOL_FIRST + 2, "tool3", "Run a custom tool\nRun Tool", "", ":/icons/tool.svg"},
    {ID_TOOL_FIRST + 3, "tool4", "Run a custom tool\nRun Tool", "", ":/icons/tool.svg"},
    {ID_TOOL_LAST, "tool5", "Run a custom tool\nRun Tool", "", ":/icons/tool.svg"},
    {ID_SIMULATOR_FIRST, "Spice\t  ", "Select the simulator\nSimulator", "", ":/icons/simulator.svg"},
    {ID_SIMULATOR_2, "spice2", "Select the simulator\nSimulator", "", ":/icons/simulator.svg"},
    {ID_SIMULATOR_2 + 1, "spice3", "Select the simulator\nSimulator", "", ":/icons/simulator.svg"},
    {ID_SIMULATOR_2 + 2, "spice4", "Select the simulator\nSimulator", "", ":/icons/simulator.svg"},
    {ID_SIMULATOR_LAST, "spice5", "Select the simulator\nSimulator", "", ":/icons/simulator.svg"},

    // Window
    {ID_WINDOW_CASCADE, "&Cascade", "Arrange the windows so they overlap\nCascade Windows", "", ""},
    {ID_WINDOW_TILE_HORZ, "&Tile", "Arrange the windows as non-overlapping tiles\nTile Windows", "", ""},
    {ID_WINDOW_ARRANGE, "&Arrange Icons", "Arrange the icons at the bottom of the window\nArrange Icons", "", ""},
    {ID_WINDOW_CLOSE, "C&lose\tCtrl+F4", "Close the active window\nClose Window", "Ctrl+F4", ""},
    {ID_WINDOW_NEXT, "Ne&xt\tCtrl+F6", "Switch to the next window\nNext Window", "Ctrl+F6", ""},
    {ID_WINDOW_PREVIOUS, "&Previous", "Switch to the previous window\nPrevious Window", "", ""},

    // Help
    {ID_HELP_FINDER, "&Contents\tF1", "List the help topics\nHelp Contents", "F1", ":/icons/help.svg"},
    {ID_HELP_INDEX, "&Index", "Show the help index\nHelp Index", "", ""},
    {ID_HELP_SEARCH, "&Search", "Search the help pages\nSearch Help", "", ""},
    {ID_HELP_TUTORIAL, "&Tutorial", "Open the tutorial\nTutorial", "", ""},
    {ID_HELP_HOME_PAGE, "&Vosk Schematic Home Page...\t", "Open the Vosk Schematic web site\nHome Page", "", ""},
    {ID_HELP_MAKER_PAGE, "&Fenwyk Systems Home Page...\t", "Open the Fenwyk Systems web site\nFenwyk Systems", "", ""},
    {ID_APP_ABOUT, "&About Vosk Schematic..", "Display program information and version\nAbout", "", ":/icons/about.svg"},
    {ID_HELP_USING, "&Using Help", "Opens Windows Help\nUsing Help", "", ""},
    {ID_CONTEXT_HELP, "Context &Help", "Display help for a clicked item\nHelp", "", ""},
    {ID_HELP, "&Help", "Display help for the current task\nHelp", "", ""},
    {ID_DEFAULT_HELP, "&Help", "Display the help contents\nHelp", "", ""},
};
// clang-format on

constexpr UINT kPendingCommands[] = {
    // the document's commands
    ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
    // the view's commands
    ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR,
    ID_EDIT_SELECT_ALL, ID_EDIT_FIND, ID_EDIT_FIND_NEXT, ID_ZOOM_BOX, ID_ZOOM_IN_AT, ID_ZOOM_OUT_AT,
    ID_ZOOM_AREA, ID_UNITS_CM, ID_UNITS_INCHES, ID_DRAW_SELECT, ID_DRAW_WIRE, ID_DRAW_BUS,
    ID_DRAW_LINE, ID_DRAW_RECT, ID_DRAW_ROUNDRECT, ID_DRAW_ELLIPSE, ID_DRAW_ARC, ID_DRAW_POLYGON,
    ID_DRAW_BEZIER, ID_DRAW_TEXT, ID_PALETTE_1, ID_PALETTE_2, ID_PALETTE_3, ID_PALETTE_4,
    ID_LINE_COLOUR, ID_FILL_COLOUR, ID_LINE_WIDTH, ID_FILL_STYLE, ID_TEXT_BOLD, ID_TEXT_ITALIC,
    ID_TEXT_UNDERLINE, ID_TEXT_LEFT, ID_TEXT_CENTRE, ID_TEXT_RIGHT, ID_TEXT_FACE, ID_TEXT_SIZE,
    ID_TOOL_FIRST, ID_TOOL_FIRST + 1, ID_TOOL_FIRST + 2, ID_TOOL_FIRST + 3, ID_TOOL_LAST,
    ID_SIMULATOR_FIRST, ID_SIMULATOR_2, ID_SIMULATOR_2 + 1, ID_SIMULATOR_2 + 2, ID_SIMULATOR_LAST,
    ID_LIBRARY_ADD_TO, ID_LIBRARY_ADD_SELECTED, ID_LIBRARY_LIST_ITEMS, ID_LIBRARY_NEW,
    ID_CONNECT_GROUND1, ID_CONNECT_GROUND2, ID_CONNECT_POWER1, ID_CONNECT_POWER1 + 1,
    ID_CONNECT_POWER1 + 2, ID_CONNECT_POWER4,
    // the application's commands
    ID_FILE_PRINT_SETUP};

}  // namespace

std::span<const CommandInfo> AllCommands() {
    return kCommands;
}

const CommandInfo* FindCommandInfo(UINT id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const UINT> PendingCommandIds() {
    return kPendingCommands;
}
