#pragma once
// A document's contents as its archive writes them: the oracle of the edit, undo and redo tests.

#include <vector>

#include "platform/Types.h"

class CDrawDoc;

namespace testsupport {

std::vector<BYTE> DocumentBytes(CDrawDoc& doc);

}  // namespace testsupport
