#pragma once
// The symbol editor view's own commands, which take the place of the schematic view's: Close
// Symbol Editor closes the document (which writes the symbol back); Draw > Pin makes the pin
// tool current and is checked while it is; File Save, Create New Symbol and the commands that
// place symbols, wires and buses are disabled and do nothing.

#include <functional>

class CommandMap;
class IToolView;

void AddSymbolEditorCommands(CommandMap& commands, IToolView& view,
                             const std::function<void()>& closeDocument);
