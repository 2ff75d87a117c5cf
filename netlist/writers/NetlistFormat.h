#pragma once
// CNetlistFormat: one netlist or report format. A writer names itself, tells its file
// extension and whether it has options, and writes in three steps that the document's build
// drives: the header, one preparation per sheet of the design hierarchy (through the
// connectivity walker), and the body.

#include <iosfwd>
#include <memory>
#include <vector>

#include "platform/Types.h"

class CDocNetlist;
class CNetNode;

class CNetlistFormat {
public:
    CNetlistFormat() = default;
    virtual ~CNetlistFormat() = default;
    CNetlistFormat(const CNetlistFormat&) = delete;
    CNetlistFormat& operator=(const CNetlistFormat&) = delete;

    virtual const char* GetName() const = 0;
    // Without the dot.
    virtual const char* GetExtension() const = 0;
    // Shows the format's options; nothing by default.
    virtual int EditOptions(CDocNetlist* walker);
    virtual BOOL HasOptions() const;
    // FALSE stops the build. By default nothing is written and the answer is whether the
    // output is still good.
    virtual BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log);
    // Once per sheet of the hierarchy, parents before children.
    virtual int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                             std::ostream& log);
    // Once after every sheet was prepared; 0 when the netlist could not be written.
    virtual int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                          std::ostream& log);
};

using CNetlistFormatList = std::vector<std::unique_ptr<CNetlistFormat>>;

// Positions in the format list, which stored settings keep.
enum NetlistFormatIndex : int {
    kFormatProtel = 0,
    kFormatTango,
    kFormatOrcad,
    kFormatSpice,
    kFormatAbel,
    kFormatCupl,
    kFormatBom,
    kFormatPadsPcb,
    kFormatPads2000,
    kFormatExpressPcb,
    kFormatCount
};

// Appends one new writer of each format, in the order of NetlistFormatIndex.
void FillReportFormatList(CNetlistFormatList& list);
