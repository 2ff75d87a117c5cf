#pragma once
// CExchangeCmd: the base of the commands that swap a kept state with the live one. Swapping
// twice restores the start, so undoing is doing again.

#include "model/undo/Command.h"

class CExchangeCmd : public CCommand {
public:
    BOOL Undo(CDrawDoc* doc) override { return Do(doc); }

protected:
    CExchangeCmd() = default;
};
