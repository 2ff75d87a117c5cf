#pragma once
// Palette files made byte by byte, damaged ones included.

#include <functional>
#include <vector>

#include "platform/Types.h"

class CArchive;

namespace testsupport {

// A palette file of six rows of five buttons of 30 × 30, captioned "X", whose thirty buttons
// (flags 2, no text) hold the objects writeButton(archive, button index) writes, all through
// one archive as the format has it.
std::vector<BYTE> PaletteFileBytes(const std::function<void(CArchive&, int)>& writeButton);

// A palette whose first button's object list is also, by a back reference, the second
// button's: damage that must be refused.
std::vector<BYTE> PaletteWithSharedList();

}  // namespace testsupport
