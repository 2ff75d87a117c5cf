#pragma once
// The view's "Special Symbol..." command: the Insert Symbol sheet, opened on the page used
// last, and the chosen character or symbol handed to the placing tool.

#include <functional>

class CObList;
class CommandMap;

// place starts placing copies of the objects.
void AddSpecialSymbolCommand(CommandMap& commands,
                             std::function<void(const CObList& objects)> place);
