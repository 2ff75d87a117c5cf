#pragma once
// Net connectors that stand for one of their sheet's rails: the standard library's ground
// carries the attribute "Rail" naming the document attribute of its rail ("Ground1"). Such a
// connector bears the rail's net name, which meets a net the user named as a named net does.
// Its pin names the net its wire is on, also when the user kept a net of another name where
// the connector joined it: the rail's name then stays on the connector alone.

#include "platform/CString.h"

class CSymbol;

// The document attribute of the rail the symbol stands for, or empty.
CString RailOf(CSymbol& symbol);
