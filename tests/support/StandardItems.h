#pragma once
// Items of the standard libraries that the build makes, read for a document.

class CDrawDoc;
class CLibraryItemData;

namespace testsupport {

// Reads the item called name of the standard library file (basic.rlb, discrete.rlb, logic.rlb)
// into item, for document; false when the library or the item cannot be read.
bool ReadStandardItem(CDrawDoc& document, const char* library, const char* name,
                      CLibraryItemData& item);

}  // namespace testsupport
