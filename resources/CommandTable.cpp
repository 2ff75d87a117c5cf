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
    {ID_FILE_EXPORT_DXF, "&DXF File", "Export the drawing as a DXF file\nExport DXF", "", ""},
    {ID_FILE_IMPORT_PROTEL, "&Protel File\t", "Import a Protel schematic or library\nImport Protel", "", ""},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document\nPrint", "Ctrl+P", ":/icons/print.svg"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview", "", ""},
    {ID_FILE_SUMMARY_INFO, "S&ummary Info...", "Show and edit the document's properties\nSummary Info", "", ""},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", "", ""},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit", "", ""},

    // Edit
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo", "Ctrl+Z", ":/icons/undo.svg"},
    {ID_EDIT_REDO, "&Redo\tCtrl+Y", "Redo the previously undone action\nRedo", "Ctrl+Y", ":/icons/redo.svg"},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the clipboard\nCut", "Ctrl+X", ":/icons/cut.svg"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the clipboard\nCopy", "Ctrl+C", ":/icons/copy.svg"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert the clipboard contents\nPaste", "Ctrl+V", ":/icons/paste.svg"},
    {ID_EDIT_CLEAR, "&Delete\tDel", "Delete the selection\nDelete", "Del", ""},
    {ID_EDIT_PROPERTIES, "Propertie&s\tAlt+Enter", "Edit the properties of the selection\nProperties", "Alt+Enter", ""},
    {ID_EDIT_SELECT_ALL, "Select &All", "Select all objects of the sheet\nSelect All", "", ""},
    {ID_EDIT_FIND, "&Find...\tCtrl+F", "Find library items\nFind", "Ctrl+F", ""},
    {ID_EDIT_FIND_NEXT, "Find &Next\tCtrl+G", "Find the next matching item\nFind Next", "Ctrl+G", ""},
    {ID_EDIT_CREATE_FILL_SHAPE, "Create Fill S&hape", "Group the selected lines into a filled shape\nCreate Fill Shape", "", ""},
    {ID_EDIT_NEW_DEVICE, "Create New &Device..", "Describe a new device\nCreate New Device", "", ""},
    {ID_OLE_INSERT_NEW, "Insert &New Object...", "Insert a file as an embedded object\nInsert Object", "", ""},
    {ID_EDIT_CREATE_SYMBOL, "Create New S&ymbol", "Open an empty symbol editor\nCreate New Symbol", "", ""},
    {ID_EDIT_GROUP, "Group O&bjects", "Group the selected objects into a symbol\nGroup", "", ""},
    {ID_EDIT_ROTATE, "R&otate...\tCtrl+R", "Rotate the selection by an angle\nRotate", "Ctrl+R", ""},
    {ID_EDIT_ROTATE_90, "Rotate &90 Degrees\tSpace", "Rotate the selection anti-clockwise\nRotate 90", "", ""},
    {ID_EDIT_ROTATE_MINUS_90, "Rotat&e -90 Degrees\tCtrl+Space", "Rotate the selection clockwise\nRotate -90", "Ctrl+Space", ""},
    {ID_EDIT_MIRROR_HORZ, "Mirror &Horizontally\tX", "Mirror the selection left to right\nMirror Horizontally", "", ""},
    {ID_EDIT_MIRROR_VERT, "&Mirror Vertically\tY", "Mirror the selection top to bottom\nMirror Vertically", "", ""},
    {ID_ALIGN_TOP, "&Top\t  ", "Align the tops of the selection with the last selected object\nAlign Top", "", ""},
    {ID_ALIGN_HORIZONTAL, "&Horizontal Midpoint\t  ", "Align the selection on the last selected object's horizontal midpoint\nAlign Horizontal Midpoint", "", ""},
    {ID_ALIGN_BOTTOM, "&Bottom", "Align the bottoms of the selection with the last selected object\nAlign Bottom", "", ""},
    {ID_ALIGN_VERTICAL, "&Vertical Midpoint", "Align the selection on the last selected object's vertical midpoint\nAlign Vertical Midpoint", "", ""},
    {ID_ALIGN_LEFT, "&Left", "Align the left sides of the selection with the last selected object\nAlign Left", "", ""},
    {ID_ALIGN_RIGHT, "&Right", "Align the right sides of the selection with the last selected object\nAlign Right", "", ""},
    {ID_SPACE_ACROSS, "&Across\t  ", "Space the selection evenly across\nSpace Across", "", ""},
    {ID_SPACE_DOWN, "&Down", "Space the selection evenly down\nSpace Down", "", ""},
    {ID_SAME_WIDTH, "&Width", "Give the selection the width of the last selected object\nSame Width", "", ""},
    {ID_SAME_HEIGHT, "&Height\t  ", "Give the selection the height of the last selected object\nSame Height", "", ""},
    {ID_SAME_SIZE, "&Both", "Give the selection the size of the last selected object\nSame Size", "", ""},

    // Object
    {ID_OBJECT_LINE_COLOUR, "&Line Colour...", "Choose the line colour of the selection\nLine Colour", "", ""},
    {ID_OBJECT_FILL_COLOUR, "&Fill Colour...", "Choose the fill colour of the selection\nFill Colour", "", ""},
    {ID_OBJECT_MOVE_BACK, "Move B&ack\tMinus", "Move the selection back one place\nMove Back", "", ""},
    {ID_OBJECT_MOVE_FORWARD, "&Move Forward\tPlus", "Move the selection forward one place\nMove Forward", "", ""},
    {ID_OBJECT_MOVE_TO_FRONT, "Move To F&ront\tCtrl+Plus", "Draw the selection in front of all objects\nMove To Front", "", ""},
    {ID_OBJECT_MOVE_TO_BACK, "Move To &Back\tCtrl+Minus", "Draw the selection behind all objects\nMove To Back", "", ""},
    {ID_SHOW_DEVICE_NAME, "&Show Device Name", "Show or hide the device names of the selected symbols\nShow Device Name", "", ""},
    {ID_SHOW_VALUE, "Show Value", "Show or hide the values of the selected symbols\nShow Value", "", ""},
    {ID_SHOW_IDENTIFIER, "Show &Identifier", "Show or hide the identifiers or net names of the selection\nShow Identifier", "", ""},
    {ID_SHOW_PIN_NAMES, "Show Pin &Names", "Show or hide the pin names of the selected symbols\nShow Pin Names", "", ""},
    {ID_EDIT_SYMBOL, "&Edit Symbol", "Edit the selected symbol in the symbol editor\nEdit Symbol", "", ""},
    {ID_OPEN_SUBCIRCUIT, "Open Sub-circuit", "Open the file of the selected sub-circuit\nOpen Sub-circuit", "", ""},
    {ID_SYMBOL_CLOSE_EDITOR, "&Close Symbol Editor", "Close the symbol editor and put the symbol into its schematic\nClose Symbol Editor", "", ""},
    {ID_SHOW_PIN_NUMBERS, "Show Pin N&umbers", "Show or hide the pin numbers of the selected symbols\nShow Pin Numbers", "", ""},

    // View
    {ID_VIEW_TOOLBAR, "&Main Toolbar", "Show or hide the main toolbar\nToggle Main Toolbar", "", ""},
    {ID_VIEW_DRAWING_BAR, "&Drawing Toolbar", "Show or hide the drawing toolbar\nToggle Drawing Toolbar", "", ""},
    {ID_VIEW_TEXT_BAR, "&Text Toolbar", "Show or hide the text toolbar\nToggle Text Toolbar", "", ""},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle Status Bar", "", ""},
    {ID_VIEW_WORKSPACE, "&Workspace", "Show or hide the workspace\nToggle Workspace", "", ""},
    {ID_VIEW_OUTPUT, "&Output", "Show or hide the output window\nToggle Output Window", "", ""},
    {ID_VIEW_RULERS, "&Rulers", "Show or hide the rulers\nToggle Rulers", "", ""},
    {ID_VIEW_PAPER_COLOUR, "&Paper Colour...", "Change the colour of the paper\nPaper Colour", "", ""},
    {ID_VIEW_DOCUMENT_SETTINGS, "&Document Settings...", "Change the document's defaults, sheet, frame and printing\nDocument Settings", "", ""},
    {ID_UNITS_CM, "cm", "Show lengths in centimetres\ncm", "", ""},
    {ID_UNITS_INCHES, "inches", "Show lengths in inches\ninches", "", ""},
    {ID_VIEW_SHOW_OBJECTS, "S&how Objects", "Show or hide the indication of embedded objects\nShow Objects", "", ""},
    {ID_HIGHLIGHT_SELECTION, "&Highlight Selection", "Highlight the selected objects\nHighlight Selection", "", ""},
    {ID_REMOVE_HIGHLIGHTS, "&Remove Highlights", "Remove the highlights of all objects\nRemove Highlights", "", ""},
    {ID_SNAP_TO_GRID, "Snap to Grid\tG", "Snap points to the grid\nSnap to Grid", "", ""},
    {ID_GRID_001, "0.01\"", "Set the grid spacing to 0.01 inch\nGrid 0.01 inch", "", ""},
    {ID_GRID_002, "0.02\"", "Set the grid spacing to 0.02 inch\nGrid 0.02 inch", "", ""},
    {ID_GRID_005, "0.05\"", "Set the grid spacing to 0.05 inch\nGrid 0.05 inch", "", ""},
    {ID_GRID_010, "0.10\"", "Set the grid spacing to 0.10 inch\nGrid 0.10 inch", "", ""},
    {ID_GRID_025, "0.25\"", "Set the grid spacing to 0.25 inch\nGrid 0.25 inch", "", ""},
    {ID_GRID_DOWN, "Down\tD", "Make the grid finer\nGrid Down", "", ""},
    {ID_GRID_UP, "Up\tU", "Make the grid coarser\nGrid Up", "", ""},
    {ID_SHOW_GRID, "&Show Snap Grid", "Show or hide the snap grid\nShow Snap Grid", "", ""},
    {ID_VIEW_OPTIONS, "Options..", "Change the program's options\nOptions", "", ""},
    {ID_GRID_OPTIONS, "Snap Grid &Options...", "Change the snap grid settings\nSnap Grid Options", "", ""},
    {ID_ZOOM_100, "&100%", "Zoom to 100%\nZoom 100%", "", ""},
    {ID_ZOOM_50, "50%", "Zoom to 50%\nZoom 50%", "", ""},
    {ID_ZOOM_75, "&75%", "Zoom to 75%\nZoom 75%", "", ""},
    {ID_ZOOM_200, "&200%", "Zoom to 200%\nZoom 200%", "", ""},
    {ID_ZOOM_400, "&400%", "Zoom to 400%\nZoom 400%", "", ""},
    {ID_ZOOM_PAGE, "&View Page\tHome", "Show the whole page\nView Page", "", ""},
    {ID_ZOOM_OBJECTS, "&Objects", "Show all objects of the sheet\nZoom to Objects", "", ""},
    {ID_ZOOM_IN, "&In\tPage Up", "Zoom in about the window centre\nZoom In", "", ""},
    {ID_ZOOM_OUT, "Ou&t\tPage Down", "Zoom out about the window centre\nZoom Out", "", ""},
    {ID_FULL_SCREEN_CURSOR, "&Full Screen Cursor", "Show a crosshair across the window at the cursor\nFull Screen Cursor", "", ""},
    {ID_ZOOM_BOX, "Zoom", "Zoom factor of the active view\nZoom", "", ""},
    {ID_ZOOM_IN_AT, "Zoom In", "Zoom in\nZoom In", "", ":/icons/zoom-in.svg"},
    {ID_ZOOM_OUT_AT, "Zoom Out", "Zoom out\nZoom Out", "", ":/icons/zoom-out.svg"},
    {ID_ZOOM_AREA, "&Area", "Zoom to an area of the sheet\nZoom Area", "", ":/icons/zoom-area.svg"},

    // Draw
    {ID_DRAW_SELECT, "&Select\tS", "Select, move and resize objects\nSelect", "", ":/icons/select.svg"},
    {ID_DRAW_WIRE, "&Wire\tW", "Draw a wire between pins\nWire", "", ":/icons/wire.svg"},
    {ID_DRAW_PIN, "P&in", "Draw a pin of the symbol\nPin", "", ""},
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
    {ID_DRAW_INSERT_TITLE_BLOCK, "&Insert Title Block...", "Fill the title block of the sheet border with fields\nInsert Title Block", "", ""},
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
    {ID_HIGHLIGHT_SYMBOL, "Highlight Symbol", "Show the symbol in its document\nHighlight Symbol", "", ""},
    {ID_HIGHLIGHT_NET, "Highlight Net", "Highlight the net in its document\nHighlight Net", "", ""},
    {ID_HIGHLIGHT_PIN, "Highlight Pin", "Show the pin in its document\nHighlight Pin", "", ""},
    {ID_LIBRARY_ADD_TO, "Add Selection &to...", "Add the selection to a library\nAdd to Library", "", ""},
    {ID_LIBRARY_ADD_SELECTED, "&Add Selection to Library", "Add the selection to the library selected in the workspace\nAdd to Library", "", ""},
    {ID_LIBRARY_LIST_ITEMS, "&List Items...", "Show the items of a library\nList Items", "", ""},
    {ID_LIBRARY_NEW, "&New...", "Create a new library\nNew Library", "", ""},
    {ID_SPICE_SOURCE, "Source &Parameters..", "Edit the waveform of the simulation source\nSource Parameters", "", ""},
    {ID_LIBRARY_PROPERTIES, "&Properties", "Change the description of the library selected in the workspace\nLibrary Properties", "", ""},
    {ID_LIBRARY_SEARCH, "&Search...", "Search the libraries for items and place them\nSearch Libraries", "", ""},
    {ID_CONNECT_GROUND1, "Ground 1", "Connect the wire to ground 1\nGround 1", "", ""},
    {ID_CONNECT_GROUND2, "Ground 2", "Connect the wire to ground 2\nGround 2", "", ""},
    {ID_CONNECT_POWER1, "Power 1", "Connect the wire to power rail 1\nPower 1", "", ""},
    {ID_CONNECT_POWER1 + 1, "Power 2", "Connect the wire to power rail 2\nPower 2", "", ""},
    {ID_CONNECT_POWER1 + 2, "Power 3", "Connect the wire to power rail 3\nPower 3", "", ""},
    {ID_CONNECT_POWER4, "Power 4", "Connect the wire to power rail 4\nPower 4", "", ""},

    // Tools
    {ID_TOOLS_GENERATE_REPORT, "Generate &Report...", "Write a netlist or report of the schematic\nGenerate Report", "", ""},
    {ID_RENUMBER_SELECTION, "Renumber &Selection", "Give the selected parts new identifiers\nRenumber Selection", "", ""},
    {ID_RENUMBER_ALL, "Renumber &All", "Give every part new identifiers\nRenumber All", "", ""},
    {ID_RUN_SIMULATOR, "R&un Simulator", "Run the simulator on the schematic\nRun Simulator", "", ""},
    {ID_PAUSE_SIMULATOR, "Pause simulator", "Pause the simulator\nPause Simulator", "", ""},
    {ID_STOP_SIMULATOR, "Stop simulator", "Stop the simulator\nStop Simulator", "", ""},
    {ID_RUN_PCB_TOOL, "Run &PCB Layout Tool", "Run the PCB layout tool on the schematic\nRun PCB Layout Tool", "", ""},
    {ID_RUN_PLD_TOOL, "Run P&LD Compiler Tool", "Run the PLD compiler tool on the schematic\nRun PLD Compiler Tool", "", ""},
    {ID_CUSTOM_TOOLS_SETUP, "Cust&om Tools Setup..", "Set up the custom tools\nCustom Tools Setup", "", ""},
    {ID_SIMULATOR_SETUP, "S&imulator Setup...", "Set up the simulators\nSimulator Setup", "", ""},
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
    {ID_TOOLS_DRC, "&Design Rule Check", "Check the schematic against the design rules\nDesign Rule Check", "", ""},
    {ID_TOOLS_DRC_SETUP, "Design Rule Chec&k Setup...", "Set up the design rules\nDesign Rule Check Setup", "", ""},

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
    ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_EXPORT_DXF,
    // the view's commands
    ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR,
    ID_EDIT_SELECT_ALL, ID_EDIT_FIND, ID_EDIT_CREATE_FILL_SHAPE, ID_OLE_INSERT_NEW,
    ID_EDIT_FIND_NEXT, ID_ZOOM_BOX, ID_ZOOM_IN_AT, ID_ZOOM_OUT_AT, ID_ZOOM_AREA, ID_UNITS_CM,
    ID_UNITS_INCHES, ID_DRAW_SELECT, ID_DRAW_WIRE, ID_DRAW_BUS, ID_DRAW_LINE, ID_DRAW_RECT,
    ID_DRAW_ROUNDRECT, ID_DRAW_ELLIPSE, ID_DRAW_ARC, ID_DRAW_POLYGON, ID_DRAW_BEZIER, ID_DRAW_TEXT,
    ID_PALETTE_1, ID_PALETTE_2, ID_PALETTE_3, ID_PALETTE_4, ID_LINE_COLOUR, ID_FILL_COLOUR,
    ID_LINE_WIDTH, ID_FILL_STYLE, ID_TEXT_BOLD, ID_TEXT_ITALIC, ID_TEXT_UNDERLINE, ID_TEXT_LEFT,
    ID_TEXT_CENTRE, ID_TEXT_RIGHT, ID_TEXT_FACE, ID_TEXT_SIZE, ID_TOOL_FIRST, ID_TOOL_FIRST + 1,
    ID_TOOL_FIRST + 2, ID_TOOL_FIRST + 3, ID_TOOL_LAST, ID_SIMULATOR_FIRST, ID_SIMULATOR_2,
    ID_SIMULATOR_2 + 1, ID_SIMULATOR_2 + 2, ID_SIMULATOR_LAST, ID_RENUMBER_SELECTION,
    ID_RENUMBER_ALL, ID_OPEN_SUBCIRCUIT, ID_RUN_SIMULATOR, ID_PAUSE_SIMULATOR, ID_STOP_SIMULATOR,
    ID_RUN_PCB_TOOL, ID_RUN_PLD_TOOL, ID_CUSTOM_TOOLS_SETUP, ID_SIMULATOR_SETUP, ID_LIBRARY_ADD_TO,
    ID_LIBRARY_ADD_SELECTED, ID_LIBRARY_LIST_ITEMS, ID_LIBRARY_NEW, ID_CONNECT_GROUND1,
    ID_CONNECT_GROUND2, ID_CONNECT_POWER1, ID_CONNECT_POWER1 + 1, ID_CONNECT_POWER1 + 2,
    ID_CONNECT_POWER4, ID_EDIT_GROUP, ID_EDIT_ROTATE, ID_EDIT_ROTATE_90, ID_EDIT_ROTATE_MINUS_90,
    ID_EDIT_MIRROR_HORZ, ID_EDIT_MIRROR_VERT, ID_OBJECT_LINE_COLOUR, ID_OBJECT_FILL_COLOUR,
    ID_OBJECT_MOVE_BACK, ID_OBJECT_MOVE_FORWARD, ID_OBJECT_MOVE_TO_FRONT, ID_OBJECT_MOVE_TO_BACK,
    ID_ALIGN_TOP, ID_ALIGN_HORIZONTAL, ID_ALIGN_BOTTOM, ID_ALIGN_VERTICAL, ID_ALIGN_LEFT,
    ID_ALIGN_RIGHT, ID_SPACE_ACROSS, ID_SPACE_DOWN, ID_SAME_HEIGHT, ID_SAME_WIDTH, ID_SAME_SIZE,
    ID_SNAP_TO_GRID, ID_GRID_001, ID_GRID_002, ID_GRID_005, ID_GRID_010, ID_GRID_025, ID_GRID_DOWN,
    ID_GRID_UP, ID_SHOW_GRID, ID_GRID_OPTIONS, ID_ZOOM_100, ID_ZOOM_50, ID_ZOOM_75, ID_ZOOM_200,
    ID_SHOW_DEVICE_NAME, ID_SHOW_VALUE, ID_SHOW_IDENTIFIER, ID_SHOW_PIN_NAMES, ID_SHOW_PIN_NUMBERS,
    ID_VIEW_SHOW_OBJECTS, ID_HIGHLIGHT_SELECTION, ID_REMOVE_HIGHLIGHTS, ID_ZOOM_400, ID_ZOOM_PAGE,
    ID_ZOOM_OBJECTS, ID_ZOOM_IN, ID_ZOOM_OUT, ID_FULL_SCREEN_CURSOR, ID_SPICE_SOURCE,
    ID_EDIT_CREATE_SYMBOL,
    // the symbol editor's commands
    ID_SYMBOL_CLOSE_EDITOR, ID_DRAW_PIN,
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
