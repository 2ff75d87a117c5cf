#pragma once
// Planted for the include-directions check: a model header reaching the netlist build above it.
#include "netlist/walker/DocNetlist.h"
