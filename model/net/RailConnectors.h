#pragma once
// Net connectors that stand for one of their sheet's rails: the standard library's ground and
// power rail, and the symbols the "Connect Wire To" rail commands end wires on, carry the
// attribute "Rail" naming the document attribute of their rail ("Ground1" .. "Power4"). Such a
// connector bears the rail's present net name, whatever the order in which it is placed or
// pasted and the rail renamed, and the wire it named takes that name with it. Its pin names the
// net its wire is on, also when the user kept a net of another name where the connector joined
// it: the rail's name then stays on the connector alone.
//
// A name the user gives such a connector (its identifier, in its properties or its text, or
// the name of its wire's net) that is not the rail's own ends its standing for the rail: "Rail"
// is left empty, the name stays through saving, pasting and later renames of the rail, and its
// net carries the name. Only the document's attributes rename a rail.

#include <vector>

#include "platform/CString.h"

class CDrawDoc;
class CSymbol;

// The document attribute of the rail the symbol stands for, or empty.
CString RailOf(CSymbol& symbol);

// What FollowRail records in the undo list, each change joined to the last step.
enum class RailRecord {
    kNothing,  // a load
    kNet,      // a placing, whose step holds the connector itself: only the net that moves
    kAll,      // the connector's name and the net
};

// Gives a connector that stands for a rail the rail's net name on its sheet (nothing when the
// rail has none); the wire on its pin moves along when it was on the net the connector named.
void FollowRail(CSymbol& connector, RailRecord record);

// A document attribute that changed, and its value before.
struct RailRename {
    CString rail;
    CString old;
};

// After document attributes of rails changed: the net of each rail's old name (the rail's net)
// and every connector standing for the rail take the rail's new name, joined to the last step.
// Attributes that name no rail are passed over.
void FollowRailRenames(CDrawDoc& doc, const std::vector<RailRename>& renames);

// Whether name, given to the connector or to its net, leaves the connector standing for its
// rail: an empty name, a rail's own rename (SetAttr's kSetAttrRailRename) or the rail's present
// name; false for a connector that stands for no rail.
bool StaysOnRail(CSymbol& connector, const CString& name, UINT flags = 0);

// The connector stands for its rail no more: "Rail" is left empty, recorded when record, joined
// to the last step when merge, else as a step of its own.
void LeaveRail(CSymbol& connector, bool record, bool merge = true);

// After the user gave a connector that stands for a rail its identifier: unless the name leaves
// it on the rail (StaysOnRail), it leaves the rail (recorded when recordRail) and the net of its
// wire takes the name, recorded and joined to the last step.
void KeepUserName(CSymbol& connector, bool recordRail);

// After a load: a library ground of a sheet written before grounds stood for a rail (a net
// connector named "Ground" with neither identifier nor rail) stands for the first ground rail,
// and takes its wire along unless the user named that wire's net. Nothing else changes, and
// nothing is recorded.
void FollowRailsAfterLoad(CDrawDoc& doc);
