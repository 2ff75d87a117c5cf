#pragma once
// A design of two levels: a top sheet with a resistor, a two-gate package whose power pins
// are hidden (tied to VCC and GND by the device), a connector on a bus, power symbols and two
// blocks of one sub-circuit sheet; the sub-circuit sheet has two ports, a resistor, a
// capacitor and a ground symbol of its own.

#include "netlist/support/NetlistSheet.h"

namespace nltest {

// The top sheet; its blocks name "sub.sch" (beside the top sheet's file).
void FillTopSheet(Sheet& sheet);
void FillSubSheet(Sheet& sheet);

}  // namespace nltest
