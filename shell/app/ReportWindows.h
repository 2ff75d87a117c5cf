#pragma once
// The windows of a netlist build: the Generate Report dialog over the main window, and a new
// output-text window for a report written to the screen.

#include "netlist/walker/ReportUi.h"

class CSchematicQtApp;

class CReportWindows : public IReportUi {
public:
    explicit CReportWindows(CSchematicQtApp& app) : m_app(app) {}

    int ChooseReport(const CNetlistFormatList& formats, CDocNetlist& walker, CString& path,
                     BOOL& toScreen) override;
    // The window closes without the save prompt: its text is the report, made again at will.
    std::streambuf* NewOutputWindow() override;

private:
    CSchematicQtApp& m_app;
};
