#pragma once
// Replace Symbol without its window: the pairing of the old symbol's pins with the new
// symbol's, and the rewrite of every device record of a library whose pin map uses the old
// symbol. Pins are paired by name, so that a map line is rewritten only when each of its pin
// names is one of the old symbol's; any other line stays as it is.

#include <vector>

#include "platform/CString.h"

class CDevice;
class CLibraryFile;

// Pin names in the order both pin lists show them: without regard to case, then byte order.
bool PinNameBefore(const CString& a, const CString& b);

// The pairing the dialog edits: the old pins in PinNameBefore order, each paired with one row
// of the replacement list.
class CPinPairing {
public:
    // Pins of the new symbol with a name of the old one pair with it; the others are paired in
    // order with the remaining old pins. Both lists must be equally long.
    CPinPairing(std::vector<CString> oldPins, const std::vector<CString>& newPins);

    const std::vector<CString>& OldPins() const { return m_old; }
    const std::vector<CString>& NewRows() const { return m_new; }
    // The replacement row paired with old pin row.
    int PairOf(int row) const { return m_pair[row]; }
    // Pairs old pin row with replacement row, giving the old partner to the row that had it.
    void Pair(int row, int replacementRow);
    // Reorders the replacement rows so that row i belongs to old pin i.
    void Reorder();
    // The new name of each old pin, in OldPins() order.
    std::vector<CString> NewNames() const;

private:
    std::vector<CString> m_old;
    std::vector<CString> m_new;
    std::vector<int> m_pair;
};

// Rewrites the lines of the device's "_Map" for oldSymbol; the number of lines changed (0 when
// the map does not parse or the device refuses the new map).
int RewriteDeviceMap(CDevice& device, const CString& oldSymbol, const CString& newSymbol,
                     const std::vector<CString>& oldPins, const std::vector<CString>& newPins);

struct ReplaceSymbolCount {
    int found = 0;
    int modified = 0;
};

// Rewrites every device record of the library (open for writing); a changed device moves to
// the end of the library. A device record whose objects cannot be loaded is told and passed
// over. The user is told when a record cannot be rewritten, which ends the walk with the
// library as it was for that record. A library damaged behind some records is told and left
// as it is.
ReplaceSymbolCount ReplaceSymbolInDevices(CLibraryFile& library, const CString& oldSymbol,
                                          const CString& newSymbol,
                                          const std::vector<CString>& oldPins,
                                          const std::vector<CString>& newPins);
