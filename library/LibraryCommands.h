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
// Shows the item dialog for the objects to be stored in the library; none when the user
// cancelled. A name the library holds already is answered only when the user agreed to
// replace that record.
using LibraryItemDialog =
    std::function<std::optional<LibraryItemChoice>(CLibraryFile&, const CObList& objects)>;

// Stores the selected objects other than embedded ones, in drawing order, as a record of the
// library, named by the dialog; it takes the place of a record of the same name. A device
// record stores the device of the first object that has one, alone. FALSE when there was nothing to
// store (the user is told), the dialog was cancelled or the record could not be written.
BOOL AddSelectionToLibrary(CLibraryFile& library, const CObList& selection, CDrawDoc& document,
                           const LibraryItemDialog& dialog);
