#pragma once
// The drawing objects of library records on the clipboard (kLibraryItemsFormat), as a view
// pastes them.

#include <vector>

#include "platform/Types.h"

class CDrawDoc;
class CObList;

// Loads every record of the library image for document, in order, and appends the objects
// to out, which then own them; a device record gives its symbols. A record that cannot be
// read or whose objects are damaged is told to the user and left out. FALSE when the image is
// no library; any other failure ends the paste with an exception after every object loaded
// has been deleted.
BOOL LoadLibraryImageObjects(CDrawDoc* document, std::vector<BYTE> image, CObList& out);
