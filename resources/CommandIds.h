#pragma once
// Command and control ids of the menus, toolbars, accelerators and bars. The numbers are the
// ones the settings, the help pages and the function-key table store.

#include "platform/Types.h"

// File
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_FILE_SUMMARY_INFO = 33141;
constexpr UINT ID_FILE_MRU_FIRST = 57616;  // the recent-file entries, 16 at most
constexpr UINT ID_FILE_MRU_LAST = 57631;
constexpr UINT ID_FILE_EXPORT_DXF = 33110;
constexpr UINT ID_FILE_IMPORT_PROTEL = 33073;
constexpr UINT ID_APP_EXIT = 57665;

// Edit
constexpr UINT ID_EDIT_CLEAR = 57632;
constexpr UINT ID_EDIT_PROPERTIES = 32785;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_FIND = 57636;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_EDIT_FIND_NEXT = 33075;
constexpr UINT ID_FIND_HIGHLIGHT_ALL = 33076;  // from the Find dialog
constexpr UINT ID_FIND_SELECT_ALL = 33077;
constexpr UINT ID_FIND_CLOSED = 33074;  // the Find dialog was closed
constexpr UINT ID_EDIT_CREATE_FILL_SHAPE = 32914;
constexpr UINT ID_OLE_INSERT_NEW = 57856;
constexpr UINT ID_CONNECT_IMPLICIT = 32951;
constexpr UINT ID_EDIT_GROUP = 32812;
constexpr UINT ID_EDIT_NEW_DEVICE = 32939;
constexpr UINT ID_EDIT_ROTATE = 32908;
constexpr UINT ID_EDIT_ROTATE_90 = 32906;
constexpr UINT ID_EDIT_ROTATE_MINUS_90 = 32911;
constexpr UINT ID_EDIT_MIRROR_HORZ = 32909;
constexpr UINT ID_EDIT_MIRROR_VERT = 32910;
constexpr UINT ID_EDIT_CREATE_SYMBOL = 32916;

// Edit > Align, Make Same Size and Space Evenly
constexpr UINT ID_ALIGN_TOP = 33111;
constexpr UINT ID_ALIGN_HORIZONTAL = 33112;
constexpr UINT ID_ALIGN_BOTTOM = 33113;
constexpr UINT ID_ALIGN_VERTICAL = 33114;
constexpr UINT ID_ALIGN_LEFT = 33115;
constexpr UINT ID_ALIGN_RIGHT = 33116;
constexpr UINT ID_SPACE_ACROSS = 33117;
constexpr UINT ID_SPACE_DOWN = 33118;
constexpr UINT ID_SAME_HEIGHT = 33119;
constexpr UINT ID_SAME_WIDTH = 33120;
constexpr UINT ID_SAME_SIZE = 33121;

// Object
constexpr UINT ID_OBJECT_LINE_COLOUR = 32775;
constexpr UINT ID_OBJECT_FILL_COLOUR = 32776;
constexpr UINT ID_OBJECT_MOVE_TO_FRONT = 32777;
constexpr UINT ID_OBJECT_MOVE_TO_BACK = 32778;
constexpr UINT ID_OBJECT_MOVE_FORWARD = 32779;
constexpr UINT ID_OBJECT_MOVE_BACK = 32780;
constexpr UINT ID_SHOW_PIN_NUMBERS = 32953;
constexpr UINT ID_SHOW_PIN_NAMES = 32954;
constexpr UINT ID_SHOW_IDENTIFIER = 32955;
constexpr UINT ID_SHOW_DEVICE_NAME = 32971;
constexpr UINT ID_SHOW_VALUE = 33053;
constexpr UINT ID_OBJECT_DEVICE = 33008;
constexpr UINT ID_EDIT_SYMBOL = 33005;  // the symbol's context menu
constexpr UINT ID_OPEN_SUBCIRCUIT = 33004;

// Symbol editor
constexpr UINT ID_SYMBOL_CLOSE_EDITOR = 32834;
constexpr UINT ID_DRAW_PIN = 32837;

// Window
constexpr UINT ID_WINDOW_ARRANGE = 57649;
constexpr UINT ID_WINDOW_CASCADE = 57650;
constexpr UINT ID_WINDOW_TILE_HORZ = 57651;
constexpr UINT ID_WINDOW_CLOSE = 33071;
constexpr UINT ID_WINDOW_NEXT = 33078;
constexpr UINT ID_WINDOW_PREVIOUS = 33079;
constexpr UINT ID_WINDOW_CHILD_FIRST = 65280;  // the window list, 9 entries at most
constexpr UINT ID_WINDOW_CHILD_LAST = 65288;

// Help
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_HELP_INDEX = 57666;
constexpr UINT ID_HELP_FINDER = 57667;
constexpr UINT ID_HELP_USING = 57668;
constexpr UINT ID_CONTEXT_HELP = 57669;
constexpr UINT ID_HELP = 57670;
constexpr UINT ID_DEFAULT_HELP = 57671;
constexpr UINT ID_HELP_TUTORIAL = 33102;
constexpr UINT ID_HELP_SEARCH = 33103;
constexpr UINT ID_HELP_HOME_PAGE = 33106;
constexpr UINT ID_HELP_MAKER_PAGE = 33107;

// View: bars (the ids double as the bars' window ids)
constexpr UINT ID_VIEW_TOOLBAR = 59392;
constexpr UINT ID_VIEW_STATUS_BAR = 59393;
constexpr UINT ID_VIEW_DRAWING_BAR = 32898;
constexpr UINT ID_VIEW_WORKSPACE = 32917;
constexpr UINT ID_VIEW_OUTPUT = 33056;
constexpr UINT ID_VIEW_TEXT_BAR = 33130;
constexpr UINT ID_VIEW_RULERS = 32913;
constexpr UINT ID_VIEW_RULERS_KEY = 127;

// View: zoom and units
constexpr UINT ID_ZOOM_BOX = 32840;
constexpr UINT ID_ZOOM_AREA = 32842;
constexpr UINT ID_ZOOM_IN_AT = 33049;
constexpr UINT ID_ZOOM_OUT_AT = 33050;
constexpr UINT ID_UNITS_BUTTON = 33058;
constexpr UINT ID_UNITS_CM = 33059;
constexpr UINT ID_UNITS_INCHES = 33060;
constexpr UINT ID_ZOOM_100 = 32946;
constexpr UINT ID_ZOOM_50 = 33067;
constexpr UINT ID_ZOOM_75 = 33068;
constexpr UINT ID_ZOOM_200 = 33069;
constexpr UINT ID_ZOOM_400 = 33070;
constexpr UINT ID_ZOOM_PAGE = 32848;
constexpr UINT ID_ZOOM_OBJECTS = 32901;
constexpr UINT ID_ZOOM_IN = 33063;
constexpr UINT ID_ZOOM_OUT = 33064;
constexpr UINT ID_FULL_SCREEN_CURSOR = 33065;

// View: the document's looks
constexpr UINT ID_VIEW_PAPER_COLOUR = 33140;
constexpr UINT ID_VIEW_DOCUMENT_SETTINGS = 33142;

constexpr UINT ID_VIEW_SHOW_OBJECTS = 32784;
constexpr UINT ID_HIGHLIGHT_SELECTION = 32963;
constexpr UINT ID_REMOVE_HIGHLIGHTS = 32964;

// The design tree's context menus, handled by the tree itself
constexpr UINT ID_HIGHLIGHT_SYMBOL = 33084;
constexpr UINT ID_HIGHLIGHT_NET = 33085;
constexpr UINT ID_HIGHLIGHT_PIN = 33086;

// View: the snap grid
constexpr UINT ID_SHOW_GRID = 32769;
constexpr UINT ID_GRID_OPTIONS = 32839;
constexpr UINT ID_VIEW_OPTIONS = 33006;
constexpr UINT ID_SNAP_TO_GRID = 33087;
constexpr UINT ID_GRID_010 = 33088;
constexpr UINT ID_GRID_025 = 33090;
constexpr UINT ID_GRID_005 = 33091;
constexpr UINT ID_GRID_002 = 33092;
constexpr UINT ID_GRID_001 = 33093;
constexpr UINT ID_GRID_UP = 33098;
constexpr UINT ID_GRID_DOWN = 33099;

// Draw: the drawing tools
constexpr UINT ID_DRAW_SELECT = 32770;
constexpr UINT ID_DRAW_LINE = 32771;
constexpr UINT ID_DRAW_RECT = 32772;
constexpr UINT ID_DRAW_ROUNDRECT = 32773;
constexpr UINT ID_DRAW_ELLIPSE = 32774;
constexpr UINT ID_DRAW_POLYGON = 32782;
constexpr UINT ID_DRAW_TEXT = 32824;
constexpr UINT ID_DRAW_WIRE = 32838;
constexpr UINT ID_DRAW_BUS = 32854;
constexpr UINT ID_DRAW_BEZIER = 32855;
constexpr UINT ID_DRAW_ARC = 32915;
constexpr UINT ID_DRAW_ARROW_LINE = 32975;
constexpr UINT ID_DRAW_DOUBLE_ARROW_LINE = 32976;
constexpr UINT ID_DRAW_POLYLINE = 32978;
constexpr UINT ID_DRAW_SPECIAL_SYMBOL = 33109;
constexpr UINT ID_END_POLYGON = 32949;
constexpr UINT ID_END_WIRE = 32950;
constexpr UINT ID_DRAW_INSERT_TITLE_BLOCK = 33143;
constexpr UINT ID_CANCEL = 32768;

// Drawing toolbar: symbol palettes and style pickers
constexpr UINT ID_PALETTE_1 = 32881;
constexpr UINT ID_PALETTE_2 = 32885;
constexpr UINT ID_PALETTE_3 = 32883;
constexpr UINT ID_PALETTE_4 = 32884;
constexpr UINT ID_LINE_COLOUR = 32872;
constexpr UINT ID_FILL_COLOUR = 32864;
constexpr UINT ID_LINE_WIDTH = 32858;
constexpr UINT ID_FILL_STYLE = 32999;

// Text toolbar
constexpr UINT ID_TEXT_BOLD = 33122;
constexpr UINT ID_TEXT_ITALIC = 33123;
constexpr UINT ID_TEXT_UNDERLINE = 33124;
constexpr UINT ID_TEXT_LEFT = 33125;
constexpr UINT ID_TEXT_CENTRE = 33126;
constexpr UINT ID_TEXT_RIGHT = 33127;
constexpr UINT ID_TEXT_FACE = 33128;
constexpr UINT ID_TEXT_SIZE = 33129;

// Library and Object > Connect Wire To
constexpr UINT ID_LIBRARY_ADD_TO = 32967;        // asks for the library
constexpr UINT ID_LIBRARY_ADD_SELECTED = 32972;  // the library selected on the Files page
constexpr UINT ID_LIBRARY_LIST_ITEMS = 32988;
constexpr UINT ID_LIBRARY_NEW = 32987;
constexpr UINT ID_LIBRARY_SEARCH = 32990;
constexpr UINT ID_LIBRARY_PROPERTIES = 32989;

// Tools
constexpr UINT ID_RENUMBER_SELECTION = 32997;
constexpr UINT ID_RENUMBER_ALL = 32998;
constexpr UINT ID_SUBCIRCUIT_WIZARD = 33003;
constexpr UINT ID_CREATE_SPICE_SOURCE = 33011;
constexpr UINT ID_DEVICE_PROPERTIES = 33016;  // also the symbol's context menu
constexpr UINT ID_RUN_SIMULATOR = 33017;
constexpr UINT ID_STOP_SIMULATOR = 33018;
constexpr UINT ID_PAUSE_SIMULATOR = 33019;
constexpr UINT ID_RUN_PCB_TOOL = 33020;
constexpr UINT ID_RUN_PLD_TOOL = 33021;
constexpr UINT ID_CUSTOM_TOOLS_SETUP = 33022;
constexpr UINT ID_SIMULATOR_SETUP = 33024;
// Tools: the report, the user tools and the simulators
constexpr UINT ID_TOOLS_GENERATE_REPORT = 32983;
constexpr UINT ID_TOOL_FIRST = 33026;  // user tools 33026..33030
constexpr UINT ID_TOOL_LAST = 33030;
constexpr UINT ID_SIMULATOR_FIRST = 33023;  // then 33031..33034
constexpr UINT ID_SIMULATOR_2 = 33031;
constexpr UINT ID_SIMULATOR_LAST = 33034;
constexpr UINT ID_TOOLS_DRC = 32981;        // the DRC page checks the active schematic
constexpr UINT ID_TOOLS_DRC_SETUP = 32982;  // the design-rule set-up sheet

// Object: the wire's context menu
constexpr UINT ID_OBJECT_SHOW_ID = 32955;
constexpr UINT ID_CONNECT_GROUND1 = 32956;
constexpr UINT ID_CONNECT_GROUND2 = 32962;
constexpr UINT ID_CONNECT_POWER1 = 32958;  // Power 1..4: 32958..32961
constexpr UINT ID_CONNECT_POWER4 = 32961;
constexpr UINT ID_CONNECT_OTHER_NET = 32992;
// Object: the simulation source's context menu
constexpr UINT ID_SPICE_SOURCE = 33131;

// Status bar panes
constexpr UINT ID_INDICATOR_CURSOR = 170;
constexpr UINT ID_INDICATOR_POSITION = 171;
constexpr UINT ID_INDICATOR_SIZE = 172;
constexpr UINT ID_INDICATOR_UNITS = 173;

// Window ids of the bars and rulers
constexpr UINT ID_BAR_WORKSPACE = 59400;
constexpr UINT ID_BAR_DRAWING = 59401;
constexpr UINT ID_RULER_HORZ = 59402;
constexpr UINT ID_RULER_VERT = 59403;
constexpr UINT ID_BAR_OUTPUT = 59404;
constexpr UINT ID_BAR_TEXT = 59409;

// Menus
constexpr UINT IDR_MAINFRAME = 2;  // the frame's menu while no document is open
constexpr UINT IDR_SCHEMATIC = 3;
constexpr UINT IDR_OUTPUT = 8;
constexpr UINT IDR_SYMBOL = 123;
constexpr UINT IDR_BARS_POPUP = 146;   // the bars' context menu
constexpr UINT IDR_UNITS_POPUP = 427;  // the rulers' units menu

// Toolbars
constexpr UINT IDR_MAIN_TOOLBAR = 2;
constexpr UINT IDR_DRAWING_TOOLBAR = 111;
constexpr UINT IDR_TEXT_TOOLBAR = 485;
