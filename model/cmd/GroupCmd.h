#pragma once
// CGroupCmd: objects of the document grouped into a new symbol ("group objects"). Doing moves
// the objects into the symbol and puts the symbol at the tail of the list; undoing takes the
// symbol out, empties it and puts the objects back at the tail. The command owns the symbol
// while it is undone.

#include "model/undo/Command.h"
#include "platform/ObList.h"

class CSymbol;

class CGroupCmd : public CCommand {
public:
    // The symbol is new and empty; the objects are in the document.
    CGroupCmd(CSymbol* symbol, const CObList& objects);
    ~CGroupCmd() override;
    CGroupCmd(const CGroupCmd&) = delete;
    CGroupCmd& operator=(const CGroupCmd&) = delete;

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return "group objects"; }

private:
    CSymbol* m_symbol;
    CObList m_objects;
    bool m_done = false;
};
