#pragma once
// The status-bar prompts of the tools and the context menus they show.

#include "platform/Types.h"
#include "shell/tools/ToolView.h"

class CDrawObj;

enum ToolPrompt : UINT {
    kPromptMove = 251,
    kPromptRubberBand = 252,
    kPromptDrawShape = 253,
    kPromptWirePoints = 255,
    kPromptShapePoints = 256,
    kPromptStartShape = 257,
    kPromptStartPolygon = 258,
    kPromptStartBezier = 259,
    kPromptStartWire = 260,
    kPromptStartBus = 261,
    kPromptZoom = 262,
    kPromptZoomRect = 263,
    kPromptWireDrag = 264,
    kPromptResize = 266,
    kPromptPlace = 267,
    kPromptCompleteMove = 268,
    kPromptReady = 57345
};

// Commands of the menus, as the main window's command table numbers them.
enum ToolMenuCommand : UINT {
    kMenuCancel = 32768,
    kMenuSelectionTool = 32770,
    kMenuProperties = 32785,
    kMenuViewPage = 32848,
    kMenuZoomToObjects = 32901,
    kMenuRotate90 = 32906,
    kMenuMirrorHorizontally = 32909,
    kMenuMirrorVertically = 32910,
    kMenuRotateMinus90 = 32911,
    kMenuNormalSize = 32946,
    kMenuEndPolygon = 32949,
    kMenuEndWire = 32950,
    kMenuGround1 = 32956,
    kMenuPower1 = 32958,
    kMenuGround2 = 32962,
    kMenuAddToLibrary = 32967,
    kMenuOtherNet = 32992,
    kMenuZoomToArea = 32842,
    kMenuZoomIn = 33049,
    kMenuZoomOut = 33050,
    kMenuDelete = 57632,
    kMenuCopy = 57634,
    kMenuCut = 57635,
    kMenuPaste = 57637,
    kMenuUndo = 57643,
    kMenuRedo = 57644
};

// The text of a prompt; empty for an unknown id.
const char* PromptText(UINT id);

// The menus of the tools.
// The select tool over an object: the view's commands with the object's own entries.
ToolMenu ObjectMenu(CDrawObj& object);
ToolMenu SheetMenu();      // the select tool over nothing
ToolMenu ShapeToolMenu();  // the rectangle-family tools
ToolMenu PolyToolMenu();
ToolMenu WireToolMenu();
ToolMenu PlaceToolMenu();
ToolMenu ZoomToolMenu();
