#pragma once
// The links between pins and wire ends, checked from both sides: a wire's start or end is a pin
// of the document that names the wire back, or a wire or bus of the document that lists it among
// its junctions; a pin's wire and a wire's junctions stand in the document and end on it.

#include <string>

class CDrawDoc;

namespace testsupport {

// The first link that does not hold, described; empty when all hold.
std::string FirstBrokenLink(CDrawDoc& doc);

// The first thing the save's purge of texts and links would repair, described; empty when
// none. The purge hides these from the saved bytes: an attribute text whose owner has left the
// document or does not list it, a text listed by an owner it does not name, and a wire end
// linked to a pin away from the pin's connection point. No link is followed before it is found
// in the document.
std::string FirstPurgeRepair(CDrawDoc& doc);

}  // namespace testsupport
