#pragma once
// Planted for the include-directions check: the libraries seeing the netlist build beside them.
#include "netlist/walker/DocNetlist.h"
