#pragma once
// Connecting the free connectors of objects that were moved or reshaped to what they now
// touch: a wire's or bus's free end to a pin's connection point or to a wire it lies on, a
// symbol's free pin to a wire end on it. Each link is made at once; the caller records it and
// joins the nets the links bring together.

#include <functional>

#include "platform/ObList.h"

class CConnectionRecord;
class CDrawObj;

// Which objects of the document a connector may be linked to.
using CandidateFilter = std::function<bool(const CDrawObj* candidate)>;
// Told of every link made.
using LinkMade = std::function<void(const CConnectionRecord& record)>;

// Links the free connectors of each of objects to what they touch among candidates (the
// document's objects, scanned in list order; a null filter lets all through, an object is
// never linked to itself). A null made is allowed. Returns whether a link brought two different
// nets together, or a net to a net connector: the document must then join its nets.
bool ConnectFreeConnectors(const CObList& objects, const CObList& candidates,
                           const CandidateFilter& filter, const LinkMade& made);
