#pragma once
// The schematic view's symbol commands: Create New Symbol opens an empty symbol editor whose
// symbol goes into the view's document; Edit Symbol opens the last selected symbol in the
// symbol editor; Open Sub-circuit opens the file of the last selected sub-circuit symbol;
// Device... gives the selected Physical Device symbols a device chosen in "Choose Device".

class CDrawDoc;
class CObList;
class CommandMap;

void AddSymbolCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection);
