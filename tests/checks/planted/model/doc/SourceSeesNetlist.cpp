// Planted for the include-directions check: a model source reaching the netlist build above it.
#include "netlist/walker/DocNetlist.h"
