#pragma once
// The view's Tools-menu commands: renumbering the parts, opening an empty symbol editor for a
// new Spice source, the Device Properties of the one selected symbol with a device, the
// simulator (run, pause, stop, choice of simulator and its set-up), the custom tools (the PCB
// layout and PLD compiler tools, the user tools and their set-up) and the design rule check.

class CDrawDoc;
class CObList;
class CommandMap;

void AddToolsCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection);
