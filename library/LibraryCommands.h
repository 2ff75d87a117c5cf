#pragma once
// The schematic view's library commands without their windows: storing the selection as a
// library record, and ending a dangling wire on a power-rail symbol.

#include <functional>
#include <optional>

#include "platform/CString.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;
class CLibraryFile;
class CWire;

// What the item dialog answers for a new record.
struct LibraryItemChoice {
    CString name;
    CString description;
    int type = 0;
    // 0: the links between the stored objects and the rest of the sheet are cut while writing.
    int keepConnections = 0;
};
// Shows the item dialog for the library; none when the user cancelled.
using LibraryItemDialog = std::function<std::optional<LibraryItemChoice>(CLibraryFile&)>;

// Stores the selected objects other than embedded ones, in drawing order, as a new record of
// the library, named by the dialog. FALSE when there was nothing to store (the user is told),
// the dialog was cancelled or the record could not be added.
BOOL AddSelectionToLibrary(CLibraryFile& library, const CObList& selection, CDrawDoc& document,
                           const LibraryItemDialog& dialog);

// The six rails: grounds 1 and 2, then powers 1 to 4.
constexpr int kRailCount = 6;
struct RailNames {
    CString net;
    CString symbol;
};
// The rail's net and symbol names from the document's attributes, or their defaults.
RailNames RailNamesOf(CDrawDoc& document, int rail);

// The last selected object when it is a wire with a free end; null otherwise.
CWire* DanglingSelectedWire(const CObList& selection);
// Ends the dangling selected wire on the rail's symbol, with the rail's net. FALSE when there
// is no such wire or nothing was added.
BOOL ConnectWireToRail(CDrawDoc& document, const CObList& selection, int rail);
