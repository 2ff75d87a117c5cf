#pragma once
// The view's "Sub-circuit Wizard" command: the wizard on the view's document; a symbol it
// made goes to the first free place on the sheet, its pins on the view's grid, and is
// selected, and a new sub-circuit without a schematic of its own is saved under a name the
// user chooses.

class CDrawDoc;
class CDrawObj;
class CSnapGrid;
class CommandMap;

void AddSubcctWizardCommand(CommandMap& commands, CDrawDoc& document, const CSnapGrid& grid);

// Moves symbol (taken over) to the first free place, its first pin's end on the grid, adds it
// to the document as one step and selects it in the views. Whether the document took it.
bool PlaceSubcctSymbol(CDrawDoc& document, CDrawObj* symbol, const CSnapGrid& grid);
