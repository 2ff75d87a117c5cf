#pragma once
// A design of two levels, the fixture of the writers' whole-file tests: a top sheet with a
// resistor, a two-gate package whose power pins are hidden (tied to VCC and GND by the
// device), a connector on a bus, power symbols and two blocks of one sub-circuit sheet
// "sub.sch"; the sub-circuit sheet has two ports, a resistor, a capacitor and a ground symbol
// of its own. The resistors and capacitors are "Passive" parts, the gates "Logic"; the
// connector has no category or description.

#include "netlist/support/NetlistSheet.h"

namespace nltest {

void FillTwoLevelTop(Sheet& sheet);
void FillTwoLevelSub(Sheet& sheet);

}  // namespace nltest
