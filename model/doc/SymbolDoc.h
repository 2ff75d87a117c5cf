#pragma once
// CSymbolDoc: the sheet of the symbol editor, on which one symbol's pins and graphics are
// drawn. It starts empty, to make a new component, or with copies of the pins and graphics of
// a symbol placed on a schematic (the owner). Closed after changes, it writes the edited
// symbol back into the owner as one undoable step. The file layout is the schematic's.
//
// The owner knows its symbol editors: when it closes first it detaches them, and a detached
// editor saves like any document. The edited symbol is found again in the owner by its serial
// number, so a symbol that was deleted and freed is never mistaken for another one that took
// its address.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "model/doc/DrawDoc.h"

class CConnectionList;
class CPin;

class CSymbolDoc : public CDrawDoc {
    DECLARE_DYNCREATE(CSymbolDoc)
public:
    CSymbolDoc();
    ~CSymbolDoc() override;

    // A symbol sheet holds pins and graphics: no wires or buses, attribute texts, symbols or
    // embedded objects.
    BOOL IsObjectAllowed(CObject* object) override;
    // The schematic's new document with no margins, border flags 0xA0 and a 20000 x 15000
    // sheet.
    BOOL OnNewDocument() override;

    // Takes the symbol of owner to edit (null: a new component for owner; a null owner: a
    // symbol on its own). Copies of its pins, then of its graphics, become the sheet's
    // objects, moved together into the middle of the sheet; what a symbol sheet may not hold
    // is left out and named in the output window. The views then show all the objects.
    void LoadSymbol(CDrawDoc* owner, CSymbol* symbol);
    // A new symbol for the owner made of copies of the sheet's objects, in the loaded
    // symbol's own coordinates: a Spice source symbol when the spice flag is set.
    CSymbol* BuildSymbol();
    // Whether the document may close. The selections are emptied first. Without an owner it
    // is the usual save prompt, askToSave. Otherwise a changed sheet is written back into the
    // owner as one undoable step, "symbol edit" in place of the edited symbol (a Spice source
    // keeps its kind and values) or "create component" when there is none (any more; a new
    // Spice source is made an element of the deck), and the sheet counts as unchanged.
    BOOL SaveModified(const std::function<BOOL()>& askToSave);

    // The first pin of the sheet whose "_ID" is id, or null.
    CPin* FindPinById(const char* id);
    // "Pin 1", "Pin 2"... the first that no pin of the sheet has as "_ID".
    CString MakePinName();
    // For each pin of the old symbol, the links the list recorded move to the new symbol's pin
    // of the same non-empty "_ID"; without such a pin they are dropped.
    static void TransferPinLinks(CConnectionList& list, CSymbol* oldSymbol, CSymbol* newSymbol);

    // The owner closed: the editor keeps its sheet and edits on its own.
    void OwnerClosed();

    CDrawDoc* GetOwnerDoc() const { return m_pOwnerDoc; }
    // The edited symbol while the owner still holds it, else null.
    CSymbol* FindSourceSymbol() const;
    BOOL IsSpiceSymbol() const { return m_bSpiceSymbol; }
    void SetSpiceSymbol(BOOL spice) { m_bSpiceSymbol = spice; }

private:
    // Copies of the objects that the sheet may hold go to m_objects; the others are counted
    // by kind in leftOut.
    void AppendCopies(const CObList& objects, std::map<std::string, int>& leftOut);
    // Moves the loaded copies into the middle of the sheet (m_shift).
    void CentreOnSheet();
    void PlaceOnOwnerGrid(CSymbol& symbol) const;
    // The steps of the write-back; each answers the symbol that now stands in the owner.
    CSymbol* CreateComponent(CSymbol* symbol);
    CSymbol* ReplaceSymbol(CSymbol* source, CSymbol* symbol);

    CDrawDoc* m_pOwnerDoc = nullptr;
    std::uint64_t m_sourceSerial = 0;  // of the edited symbol; 0 for a new component
    BOOL m_bSpiceSymbol = FALSE;
    CSize m_shift;  // from the symbol's own coordinates to the sheet's
};
