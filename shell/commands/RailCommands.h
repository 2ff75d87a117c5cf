#pragma once
// The view's "Connect Wire To" commands of the rails (Ground 1, Ground 2, Power 1 to 4) and of
// another net: the last selected wire, when it has a free end, ends on the rail's symbol, or
// on a "Net Connector" of the net asked for. The items are enabled only for such a wire and
// the rails' items show their net names.

#include <functional>
#include <optional>

#include "platform/CString.h"

class CDrawDoc;
class CObList;
class CommandMap;

// finishOpenObject ends a wire still being drawn before it is connected; askNet asks for
// the other net's name (none when cancelled).
void AddRailCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection,
                     const std::function<void()>& finishOpenObject,
                     const std::function<std::optional<CString>()>& askNet);
