#pragma once
// The "Insert Symbol" sheet: a character of a font or a built-in special symbol, whichever
// page was shown last when "Insert" was pressed.

#include "gui/kit/PropertySheet.h"

class CDlgInsSymbol;
class CDlgInsertSymbol;
class CDrawObj;

class CInsertSymbolPropSheet : public CPropertySheet {
    Q_OBJECT
public:
    // Opens on the page at pageIndex (0 the characters, 1 the symbols).
    explicit CInsertSymbolPropSheet(int pageIndex, QWidget* parent = nullptr);

    CDlgInsSymbol* CharacterPage() const { return m_characters; }
    CDlgInsertSymbol* SymbolPage() const { return m_symbols; }
    // The page shown last: 0 or 1.
    int LastPageIndex() const { return m_lastPage; }
    // A new object of the last page's choice; null when it has none.
    CDrawObj* MakeChoice() const;

private:
    void PageShown(int index);

    CDlgInsSymbol* m_characters;
    CDlgInsertSymbol* m_symbols;
    int m_lastPage = -1;
};
