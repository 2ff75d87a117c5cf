#pragma once
// The view's Library > Search... command: the Search Libraries dialog, and the items chosen
// there read from their libraries and placed on the sheet.

#include <functional>

class CObList;
class CommandMap;
class QWidget;

// place takes the objects read (it copies what it places; they are deleted after).
void AddLibrarySearchCommand(CommandMap& commands, QWidget* parent,
                             const std::function<bool(const CObList&)>& place);
