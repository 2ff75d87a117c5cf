#pragma once
// The links between pins and wire ends, checked from both sides: a wire's start or end is a pin
// of the document that names the wire back, or a wire or bus of the document that lists it among
// its junctions; a pin's wire and a wire's junctions stand in the document and end on it.

#include <string>

class CDrawDoc;

namespace testsupport {

// The first link that does not hold, described; empty when all hold.
std::string FirstBrokenLink(CDrawDoc& doc);

}  // namespace testsupport
