#pragma once
// The view of the symbol editor: the schematic view on a symbol sheet, with a finer grid of
// its own (settings section "SymbGrid"), the pin tool, and the commands that make no sense in
// a symbol disabled (see SymbolEditorCommands).

#include "shell/view/DrawView.h"

class CSymbolDoc;

class CSymbolView : public CDrawView {
    Q_OBJECT
public:
    explicit CSymbolView(CSymbolDoc& document, QWidget* parent = nullptr);

private:
    // Closes the window, and so the document, once the running command has returned.
    void CloseEditor();
};
