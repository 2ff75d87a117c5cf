#pragma once
// The simulator commands: a run starts the simulator tool chosen in "Simulator"/"Mode" (tool
// number Mode of section "Simulator") on the schematic, with the application's running flag
// set while it is under way.

#include "platform/Types.h"

class CDrawDoc;

BOOL RunSimulator(CDrawDoc& document);
// Pausing and stopping a run are not offered; says so.
void StopSimulator();
