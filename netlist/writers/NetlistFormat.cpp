#include "netlist/writers/NetlistFormat.h"

#include <ostream>

#include "netlist/spice/SpiceFormat.h"
#include "netlist/writers/AbelFormat.h"
#include "netlist/writers/BomFormat.h"
#include "netlist/writers/CuplFormat.h"
#include "netlist/writers/ExpressPcbFormat.h"
#include "netlist/writers/OrcadFormat.h"
#include "netlist/writers/PadsFormat.h"
#include "netlist/writers/ProtelFormat.h"

int CNetlistFormat::EditOptions(CDocNetlist* /*walker*/) {
    return 0;
}

BOOL CNetlistFormat::HasOptions() const {
    return FALSE;
}

BOOL CNetlistFormat::WriteHeader(CDocNetlist& /*walker*/, std::ostream& out,
                                 std::ostream& /*log*/) {
    return out.good() ? TRUE : FALSE;
}

int CNetlistFormat::PrepareSheet(CDocNetlist& /*walker*/, CNetNode& /*node*/, std::ostream& /*out*/,
                                 std::ostream& /*log*/) {
    return 1;
}

int CNetlistFormat::WriteBody(CDocNetlist& /*walker*/, CNetNode& /*topNode*/, std::ostream& /*out*/,
                              std::ostream& /*log*/) {
    return 1;
}

void FillReportFormatList(CNetlistFormatList& list) {
    list.push_back(std::make_unique<CProtelFormat>());
    list.push_back(std::make_unique<CTangoFormat>());
    list.push_back(std::make_unique<COrcadFormat>());
    list.push_back(std::make_unique<CSpiceFormat>());
    list.push_back(std::make_unique<CAbelFormat>());
    list.push_back(std::make_unique<CCuplFormat>());
    list.push_back(std::make_unique<CBomFormat>());
    list.push_back(std::make_unique<CPadsPcbFormat>());
    list.push_back(std::make_unique<CPads2000Format>());
    list.push_back(std::make_unique<CExpressPcbFormat>());
}
