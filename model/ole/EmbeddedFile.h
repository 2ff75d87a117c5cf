#pragma once
// The storages of objects made from files, for "Insert New Object" where no object servers
// exist: a picture becomes a static picture whose cached presentation is its bitmap; any
// other file becomes a package holding the file's name and bytes, shown as a labelled frame.

#include <string>
#include <vector>

#include "platform/CompoundStorage.h"
#include "platform/DibImage.h"

// extent: the picture's size in HIMETRIC (0.01 mm).
CompoundStorage PictureStorage(const DibImage& picture, SIZE extent);
// path is the file's full name; contents its bytes.
CompoundStorage PackageStorage(const std::string& path, const std::vector<BYTE>& contents);
