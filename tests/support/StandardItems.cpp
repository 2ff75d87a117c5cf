#include "support/StandardItems.h"

#include <string>

#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "library/LibraryItemData.h"

namespace testsupport {

bool ReadStandardItem(CDrawDoc& document, const char* library, const char* name,
                      CLibraryItemData& item) {
    CLibraryFile file;
    if (!file.Open((std::string(VOSK_BINARY_DIR) + "/Libraries/" + library).c_str()))
        return false;
    CLibraryItem entry;
    const int index = file.FindItem(entry, name);
    return index != kItemNotFound && file.ReadItem(&document, index, item);
}

}  // namespace testsupport
