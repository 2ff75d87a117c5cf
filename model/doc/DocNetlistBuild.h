#pragma once
// What the document asks of the netlist build, which stands above the model: the connectivity
// walker every document keeps, and the build of a netlist or report over the document's sheet
// hierarchy. The netlist build installs itself when the program starts (every program takes
// the whole core); a document cannot be made without it.

#include <memory>

#include "platform/Installed.h"
#include "platform/Types.h"

class CDocNetlist;
class CDrawDoc;
class CNetlistFormat;

class IDocNetlistBuild {
public:
    // The walker, with the build's own way of releasing it.
    using Walker = std::unique_ptr<CDocNetlist, void (*)(CDocNetlist*)>;

    virtual ~IDocNetlistBuild() = default;
    // The connectivity walker of a new document.
    virtual Walker MakeWalker(CDrawDoc& document) = 0;
    // Builds a netlist or report of the document's sheet and its sub-circuit sheets (see
    // CDrawDoc::BuildNetlist); TRUE when the whole output was written.
    virtual BOOL BuildNetlist(CDrawDoc& document, const char* path, CNetlistFormat* writer) = 0;
};

// Without an installed build, making a document throws std::logic_error.
template <>
IDocNetlistBuild& Installed<IDocNetlistBuild>::Fallback();
