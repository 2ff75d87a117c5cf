#pragma once
// What can be shown of an embedded object without its server: the cached presentation
// ("\2OlePres000": its extent and, for a bitmap, the picture) and the user type name
// ("\1CompObj") of the object's storage.

#include <optional>

#include "platform/CString.h"
#include "platform/DibImage.h"
#include "platform/GdiTypes.h"

class CompoundStorage;

struct OlePresentation {
    bool hasExtent = false;
    SIZE extent{};                  // HIMETRIC (0.01 mm)
    std::optional<DibImage> image;  // when the cache holds a bitmap
    CString userType;               // "" when the storage does not name it

    // Damaged or unknown streams give what could be read: nothing at worst.
    static OlePresentation Of(const CompoundStorage& storage);
};
