#pragma once
// The status-bar prompts of the tools and the context menus they show.

#include "drawtools/ToolView.h"
#include "platform/Types.h"

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
