#pragma once
// The windows of a netlist build: the Generate Report dialog and the output window that takes
// a netlist written to the screen. The application installs them; without them a build that
// has to ask for its format ends as if cancelled, and screen output cannot be made.

#include <streambuf>

#include "netlist/writers/NetlistFormat.h"
#include "platform/CString.h"
#include "platform/Installed.h"

class CDocNetlist;

class IReportUi {
public:
    virtual ~IReportUi() = default;
    // The Generate Report dialog over the formats, with path as the proposed file. The index
    // of the chosen format, with path and toScreen set; -1 when the user cancelled.
    virtual int ChooseReport(const CNetlistFormatList& formats, CDocNetlist& walker, CString& path,
                             BOOL& toScreen) = 0;
    // A new output window; its buffer takes the text and lives as long as the window. Null
    // when no window could be made.
    virtual std::streambuf* NewOutputWindow() = 0;
};

// Without installed windows the dialog is cancelled and no output window can be made.
template <>
IReportUi& Installed<IReportUi>::Fallback();

// Installs ui for the whole process (null uninstalls) and returns the one it replaces. The
// caller keeps ownership and uninstalls it before destroying it.
inline IReportUi* SetReportUi(IReportUi* ui) {
    return Installed<IReportUi>::Install(ui);
}
// The installed windows, else the fallback.
inline IReportUi& GetReportUi() {
    return Installed<IReportUi>::Get();
}
