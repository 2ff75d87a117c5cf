#pragma once
// Which commands leave a drawing gesture open. Every other command ends the open gesture (a
// wire being drawn, a drag, a text being edited in place) before it runs, wherever it lives.

#include "platform/Types.h"

// Commands that only change how the sheet is seen, and those that end the gesture their own way
// (Esc, End Wire, the undo steps, the connections that finish the wire being drawn first).
// A gesture open in another window than the command's ends even before these.
bool LeavesGestureOpen(UINT id);
