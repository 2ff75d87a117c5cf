#pragma once
// The view's "Source Parameters.." command: the parameter page of the one selected simulation
// source; OK applies its kind and sets as one undoable edit.

class CDrawDoc;
class CObList;
class CommandMap;

void AddSpiceSourceCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection);
