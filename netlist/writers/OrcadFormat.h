#pragma once
// The OrCAD PCB II netlist: one block per part, opened by a time stamp (the part's position,
// eight digits), the footprint, identifier and value, listing the nets of its pins.
//
// Footprints and values that this format and the PADS formats, which part their fields by
// blanks, cannot carry are written as given and reported in the log.

#include "netlist/writers/NetlistFormat.h"

class CComponentRecord;

class COrcadFormat : public CNetlistFormat {
public:
    const char* GetName() const override { return "Orcad"; }
    const char* GetExtension() const override { return "net"; }
    BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log) override;
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                     std::ostream& log) override;
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;

protected:
    // Logs a warning for a footprint or value holding a blank.
    static void WarnAboutBlanks(const CComponentRecord& part, std::ostream& log);
};
