// Planted for the include-directions check: allowed, a model source reaching the netlist build.
#include "netlist/walker/DocNetlist.h"
