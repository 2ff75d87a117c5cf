#pragma once
// Qt's mouse and key events in the terms of the drawing tools.

#include "drawtools/ToolView.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class QInputEvent;
class QKeyEvent;
class QMouseEvent;

// The buttons and keys held: left button, Shift, Ctrl and Alt.
UINT ToolFlags(const QInputEvent* event);
// The window point of a mouse event.
CPoint ToolPoint(const QMouseEvent* event);
ToolKey ToolKeyOf(const QKeyEvent* event);
