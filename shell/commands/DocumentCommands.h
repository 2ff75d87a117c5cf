#pragma once
// The view's commands that act on its document as a whole: Generate Report (the netlist and
// report build, which asks for the format and the file), Paper Colour (not undoable: the
// document is marked modified and every view repainted), Summary Info (the "Document
// Properties" sheet), Document Settings and Insert Title Block (each one undoable step).

class CDrawDoc;
class CommandMap;
class QWidget;

// parent is the window the commands' dialogs are shown over.
void AddDocumentCommands(CommandMap& commands, CDrawDoc& document, QWidget* parent);
