#pragma once
// The build of a netlist or report for a document: the format and file are asked for (unless
// both are given), the output goes to the file or to a new output window, the writer writes
// its header, the connectivity walker prepares every sheet of the hierarchy and the writer
// writes the body. Progress and errors go to the output bar's log.

#include "platform/Types.h"

class CDrawDoc;
class CNetlistFormat;

// TRUE when the whole netlist was written. Files are written with CR LF line ends and replace
// the old file only when the build succeeds: a stopped or failed build leaves it as it was.
BOOL BuildDocumentNetlist(CDrawDoc& doc, const char* path, CNetlistFormat* writer);
