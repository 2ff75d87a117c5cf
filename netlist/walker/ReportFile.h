#pragma once
// The output file of a report: the name proposed for a format, where a relative name lands,
// and the file filter of the save dialog.

#include "netlist/writers/NetlistFormat.h"
#include "platform/CString.h"

// The document's file name without folder and extension, a dot and the extension: "amp.net"
// for /work/amp.sch; "untitled.net" for a document that has no file yet.
CString ReportFileName(const CString& docPath, const char* extension);

// A relative name is taken in the document's folder, or in the current folder for a document
// that has no file yet; an absolute name stays as it is.
CString ResolveReportPath(const CString& name, const CString& docPath);

// "<name> Files (*.<ext>)|*.<ext>|" for every writer in list order, then
// "All Files (*.*)|*.*||".
CString ReportFileFilter(const CNetlistFormatList& formats);
