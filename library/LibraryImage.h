#pragma once
// The clipboard format that carries library records between libraries: a complete library
// image whose description is the full path of the library the records were copied from, each
// record byte for byte as it stands there. The view puts the bytes on the clipboard under this
// format's name and takes them off again.

#include <optional>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CLibraryFile;

constexpr const char* kLibraryItemsFormat = "Vosk Library Items Format";

// An image of the records of the library at path, by index in the given order; a record whose
// name was copied already is left out. None, after telling the user, when the library cannot
// be opened.
std::optional<std::vector<BYTE>> BuildLibraryImage(const CString& path,
                                                   const std::vector<int>& indices);

// Adds the records of an image to target, in order. For a name target has already the user is
// asked whether to replace its record: No skips the record, Cancel ends the paste (the records
// added before stay). FALSE when the image cannot be read.
BOOL PasteLibraryImage(CLibraryFile& target, std::vector<BYTE> image);
