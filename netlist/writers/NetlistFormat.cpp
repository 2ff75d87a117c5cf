#include "netlist/writers/NetlistFormat.h"

#include <ostream>

#include "netlist/spice/SpiceFormat.h"
#include "netlist/writers/ProtelFormat.h"

namespace {

// A format whose writer this version does not have: it says so and stops the build before
// anything is written.
class CUnavailableFormat : public CNetlistFormat {
public:
    CUnavailableFormat(const char* name, const char* extension, BOOL options)
        : m_name(name), m_extension(extension), m_options(options) {}

    const char* GetName() const override { return m_name; }
    const char* GetExtension() const override { return m_extension; }
    BOOL HasOptions() const override { return m_options; }
    BOOL WriteHeader(CDocNetlist& /*walker*/, std::ostream& /*out*/, std::ostream& log) override {
        log << "Error - " << m_name << " output is not available in this version.\n";
        return FALSE;
    }

private:
    const char* m_name;
    const char* m_extension;
    BOOL m_options;
};

}  // namespace

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
    list.push_back(std::make_unique<CUnavailableFormat>("Orcad", "net", FALSE));
    list.push_back(std::make_unique<CSpiceFormat>());
    list.push_back(std::make_unique<CUnavailableFormat>("Abel", "abl", TRUE));
    list.push_back(std::make_unique<CUnavailableFormat>("CUPL", "pld", TRUE));
    list.push_back(std::make_unique<CUnavailableFormat>("Bill of Materials", "bom", TRUE));
    list.push_back(std::make_unique<CUnavailableFormat>("Pads PCB", "net", FALSE));
    list.push_back(std::make_unique<CUnavailableFormat>("Pads 2000", "net", FALSE));
    list.push_back(std::make_unique<CUnavailableFormat>("ExpressPCB", "net", FALSE));
}
