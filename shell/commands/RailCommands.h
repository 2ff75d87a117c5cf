#pragma once
// The view's "Connect Wire To" commands of the rails (Ground 1, Ground 2, Power 1 to 4): the
// last selected wire, when it has a free end, ends on the rail's symbol. The items are enabled
// only for such a wire and show the rails' net names.

#include <functional>

class CDrawDoc;
class CObList;
class CommandMap;

// finishOpenObject ends a wire still being drawn before it is connected.
void AddRailCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection,
                     const std::function<void()>& finishOpenObject);
