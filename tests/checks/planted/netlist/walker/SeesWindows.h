#pragma once
// Planted for the include-directions check: the netlist build seeing its own windows.
#include "gui/netlist/walker/DlgReport.h"
