#pragma once
// CRenumberCmd: new identifiers ("_ID") for symbols ("renumber"). The caller records each
// symbol with its identifier and then the places of their texts before the renumbering; doing
// and undoing exchange the kept identifiers with the symbols' present ones, and give the texts
// their rectangles back.

#include <vector>

#include "model/cmd/AttrTextPlaces.h"
#include "model/cmd/ExchangeCmd.h"
#include "platform/CString.h"

class CRenumberCmd : public CExchangeCmd {
public:
    void Add(const char* id, CDrawObj* symbol) { m_entries.push_back({id, symbol}); }
    BOOL IsEmpty() const { return m_entries.empty(); }
    // The places the texts of the symbols added have before the renumbering, which undo gives
    // back.
    void KeepTextPlaces() { m_texts.Keep(Symbols()); }

    // FALSE, changing nothing, when a symbol refuses an identifier.
    BOOL Do(CDrawDoc* doc) override;
    const char* GetName() const override { return "renumber"; }

private:
    struct Entry {
        CString id;
        CDrawObj* symbol;
    };
    static bool Exchange(Entry& entry);
    std::vector<CDrawObj*> Symbols() const;

    std::vector<Entry> m_entries;
    AttrTextPlaces m_texts;
};
