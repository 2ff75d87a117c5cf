#pragma once
// A schematic holding one object of each kind that can be stored, an attribute text bound to
// a document attribute and an embedded object, two symbols sharing one device with pins
// linked to wires, wires sharing a net, a wire ending on a bus and a Spice source, saved as a
// whole .sch file.

#include <initializer_list>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Types.h"

class CDevice;
class CDrawDoc;
class CNet;
class CSymbol;

namespace samplesheet {

// A two-gate NAND package: gates A and B with pins A, B and Y each.
CDevice* NandDevice(const char* name);
// A pin of the symbol from body to its hot end, with the identifier id.
void AddPin(CSymbol& symbol, const char* id, CPoint body, CPoint hot);
// A gate of the device at (x, y), with inputs A and B on the left and output Y on the right,
// its identifier shown by an attribute text; both go into the document.
CSymbol* AddGate(CDrawDoc& doc, CDevice* device, const char* id, LONG x, LONG y);
// A wire (CWire or CBus) through the points on net, in the document.
template <class T>
T* AddWire(CDrawDoc& doc, std::initializer_list<CPoint> points, CNet* net);
// Fills a new document with the sample objects.
void Fill(CDrawDoc& doc);
// The bytes of the sample sheet's .sch file.
std::vector<BYTE> FileBytes();

}  // namespace samplesheet
