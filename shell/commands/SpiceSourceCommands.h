#pragma once
// The view's "Source Parameters.." command: the parameter page of the simulation source selected
// last, the one a right click picks out of a larger selection; OK applies its kind and sets as
// one undoable edit.

class CDrawDoc;
class CObList;
class CommandMap;

void AddSpiceSourceCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection);
