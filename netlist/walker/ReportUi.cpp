#include "netlist/walker/ReportUi.h"

namespace {

IReportUi* g_reportUi = nullptr;

}  // namespace

IReportUi* SetReportUi(IReportUi* ui) {
    IReportUi* previous = g_reportUi;
    g_reportUi = ui;
    return previous;
}

IReportUi* GetReportUi() {
    return g_reportUi;
}
