// The document's netlist and report build.

#include "model/doc/DrawDoc.h"
#include "netlist/walker/NetlistBuild.h"

BOOL CDrawDoc::BuildNetlist(const char* path, CNetlistFormat* writer) {
    return BuildDocumentNetlist(*this, path, writer);
}
