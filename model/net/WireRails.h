#pragma once
// The "Connect Wire To" commands: the last selected wire, when it has a free end, ends on the
// symbol of a power or ground rail whose net and symbol names the document's attributes give
// ("Ground1" and "Ground1.Symbol"...), with their defaults.

#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CDrawDoc;
class CNet;
class CObList;
class CWire;

// The rails in the menu's order: Ground 1, Ground 2, Power 1 to Power 4.
constexpr int kRailCount = 6;

// The document attribute that names the rail ("Ground1" .. "Power4").
const char* RailAttribute(int rail);
// The rail whose document attribute is named attribute ("Ground1" .. "Power4"), else -1.
int FindRail(const char* attribute);
// The rail's net name: the document attribute ("Ground1", ...), else its default ("GND", ...).
CString RailNetName(CDrawDoc& doc, int rail);
// Two rails never share a net name, which would join their nets: the message that refuses
// document attributes taking the values given (name, value) and losing those removed (whose
// rails go back to their defaults), naming both rails and the name, when a rail they change
// would bear another rail's name; empty when every rail keeps a name of its own.
CString RailNameClash(CDrawDoc& doc, const std::vector<std::pair<CString, CString>>& values,
                      const std::vector<CString>& removed = {});
// The library symbol that ends the wire ("Ground1.Symbol", ...), else "Power Rail".
CString RailSymbolName(CDrawDoc& doc, int rail);
// The wire the commands act on: the last selected object when it is a wire not linked at both
// ends; else null.
CWire* WireToConnect(const CObList& selection);
// Ends that wire on the rail's symbol, which stands for the rail from then on; FALSE when
// nothing was added.
BOOL ConnectWireToRail(CDrawDoc& doc, const CObList& selection, int rail);
// "Connect Wire Implicitly To..": the net is tied to the hidden pins of pins ("_Implicit",
// "<identifier>:<pin>" items parted by commas; empty unties every pin) as one step, with the
// texts that show the list shown anew; FALSE, and nothing recorded, when the net keeps its ties.
BOOL ConnectWireImplicitly(CDrawDoc& doc, CNet& net, const CString& pins);
