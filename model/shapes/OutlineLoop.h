#pragma once
// The closed outline that a set of pieces forms (lines, arcs, polylines and Bezier curves), as
// the records of a fill shape's path.
//
// Each piece has two ends. Every end is linked to the nearest end of another piece (squared
// distances); an end takes a partner only when that partner has none as near, taking it breaks
// the partner's previous link, and the pairing repeats until a whole pass breaks no link. The
// walk then starts at the first piece's start and follows the links; it must come back to the
// start after visiting every piece once. Pieces walked from their end are reversed; ends that
// do not meet are joined by a line.

#include <optional>
#include <vector>

#include "model/shapes/FillPath.h"

class CObList;

// The records of the loop (the first is the starting point), or nothing when an object is not
// a piece (only lines, arcs, polylines and Bezier curves of two points or more are) or the
// pieces do not form one closed loop.
std::optional<std::vector<PathRecord>> BuildOutlineLoop(const CObList& pieces);
