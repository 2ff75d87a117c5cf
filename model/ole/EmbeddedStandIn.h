#pragma once
// Embedded objects made on this system from dropped or pasted data, in place of the objects a
// server would make: a picture (its bitmap as the cached presentation) or a package holding a
// file's name and bytes (drawn as a frame labelled "Package"). Their storages are what an
// embedded object's storage holds, so they are saved and loaded like any other.

#include <memory>
#include <vector>

#include "platform/CString.h"
#include "platform/DibImage.h"
#include "platform/Geometry.h"

class CDrawOleObj;

// A picture object on rect; its extent is the image's size at 96 pixels an inch.
std::unique_ptr<CDrawOleObj> MakeEmbeddedPicture(const CRect& rect, const DibImage& image);
// A package of the file's name (as the user sees it) and bytes, on rect.
std::unique_ptr<CDrawOleObj> MakeEmbeddedPackage(const CRect& rect, const CString& fileName,
                                                 const std::vector<BYTE>& bytes);
