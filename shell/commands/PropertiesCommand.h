#pragma once
// Edit > Properties: the current tool's properties command for the view. The item is enabled
// for a selection under the select tool and is named after the last selected object's sheet.

#include <functional>

class CObList;
class CommandMap;

// selectToolActive tells whether the select tool is current; edit runs the command.
void AddPropertiesCommand(CommandMap& commands, const CObList& selection,
                          std::function<bool()> selectToolActive, std::function<void()> edit);
