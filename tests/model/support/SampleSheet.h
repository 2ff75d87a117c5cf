#pragma once
// A schematic holding one object of each kind that can be stored, an attribute text bound to
// a document attribute and an embedded object, two symbols sharing one device with pins
// linked to wires, wires sharing a net, a wire ending on a bus and a Spice source, saved as a
// whole .sch file.

#include <vector>

#include "platform/Types.h"

class CDevice;
class CDrawDoc;

namespace samplesheet {

// A two-gate NAND package: gates A and B with pins A, B and Y each.
CDevice* NandDevice(const char* name);
// Fills a new document with the sample objects.
void Fill(CDrawDoc& doc);
// The bytes of the sample sheet's .sch file.
std::vector<BYTE> FileBytes();

}  // namespace samplesheet
