#pragma once
// CExchangeCmd: the base of the commands that swap a kept state with the live one. Swapping
// twice restores the start, so undoing is doing again.

#include <cstddef>

#include "model/undo/Command.h"

class CExchangeCmd : public CCommand {
public:
    BOOL Undo(CDrawDoc* doc) override { return Do(doc); }

protected:
    CExchangeCmd() = default;

    // Swaps every entry; when one fails, the ones already swapped are swapped back.
    template <class Entries, class Swap>
    static BOOL ExchangeAll(Entries& entries, Swap swap) {
        for (std::size_t done = 0; done < entries.size(); ++done) {
            if (swap(entries[done]))
                continue;
            while (done-- > 0)
                swap(entries[done]);
            return FALSE;
        }
        return TRUE;
    }
};
