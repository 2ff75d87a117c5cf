#pragma once
// What the symbol commands ask of the application's document windows: a symbol editor window
// for a symbol, a schematic window for a file or for a new sheet, closing one of them, and the
// name a new sub-circuit sheet is saved under. The application installs it; without an
// installed one there are no windows, and nothing opens.

#include "platform/CString.h"
#include "platform/Installed.h"

class CDrawDoc;
class CSymbol;
class CSymbolDoc;

class IDocumentWindows {
public:
    virtual ~IDocumentWindows() = default;
    // A new symbol editor window whose sheet holds copies of symbol (null: an empty sheet) to
    // be written back into owner; its symbol a Spice source when spice. Null when none could
    // be made.
    virtual CSymbolDoc* OpenSymbolEditor(CDrawDoc* /*owner*/, CSymbol* /*symbol*/, bool /*spice*/) {
        return nullptr;
    }
    // The schematic file in a window, brought forward when it is open already; null when it
    // could not be opened (the user has been told).
    virtual CDrawDoc* OpenSchematic(const CString& /*path*/) { return nullptr; }
    // A new empty schematic in a window; null when none could be made.
    virtual CDrawDoc* NewSchematic() { return nullptr; }
    // Saves the document under path, which becomes its name; FALSE when it failed (the user
    // has been told). Without windows the document saves itself.
    virtual BOOL SaveDocumentAs(CDrawDoc& document, const CString& path);
    // Closes a document and its window without asking.
    virtual void CloseDocument(CDrawDoc& /*document*/) {}
    // The file to save a new sub-circuit sheet as, chosen by the user starting from suggested
    // (confirming the replacement of an existing file); empty when the user cancelled.
    virtual CString AskSubcircuitFile(const CString& /*suggested*/) { return {}; }
};

// The installed windows, else none.
inline IDocumentWindows& GetDocumentWindows() {
    return Installed<IDocumentWindows>::Get();
}
