#pragma once
// Planted for the include-directions check: a model header reaching the netlist build, which
// only model sources may.
#include "netlist/walker/DocNetlist.h"
