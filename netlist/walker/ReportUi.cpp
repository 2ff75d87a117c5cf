#include "netlist/walker/ReportUi.h"

namespace {

class NoReportUi : public IReportUi {
public:
    int ChooseReport(const CNetlistFormatList&, CDocNetlist&, CString&, BOOL&) override {
        return -1;
    }
    std::streambuf* NewOutputWindow() override { return nullptr; }
};

}  // namespace

template <>
IReportUi& Installed<IReportUi>::Fallback() {
    static NoReportUi ui;
    return ui;
}
