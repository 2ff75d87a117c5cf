#pragma once
// The view's Library menu commands Search... (the Search Libraries dialog, the items chosen
// there read from their libraries and placed on the sheet) and Properties (the description of
// the library selected on the Files page).

#include <functional>

class CObList;
class CommandMap;
class QWidget;

// place takes the objects read (it copies what it places; they are deleted after).
void AddLibraryMenuCommands(CommandMap& commands, QWidget* parent,
                            const std::function<bool(const CObList&)>& place);
