#pragma once
// A writer run over a sheet made in memory as the document's build drives it: the header,
// the sheets, and the body when the sheets were built.

#include <string>

#include "netlist/support/NetlistSheet.h"
#include "netlist/writers/NetlistFormat.h"

namespace nltest {

struct WriterRun {
    std::string out;  // lines end in "\n": the file's CR LF is the build's
    std::string log;
};

WriterRun RunWriter(CNetlistFormat& writer, Sheet& sheet);

}  // namespace nltest
