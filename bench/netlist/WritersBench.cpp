// Every printed-circuit netlist (Protel, Tango, OrCAD, PADS-PCB, PADS2000, ExpressPCB) and
// the bill of materials of one flat 10,000-part sheet, written one after the other as one
// run: resistors and capacitors of a few dozen values and quad gate packages (hidden power
// pins), every drawn pin wired, two pins a net.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/symbol/Symbol.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/NetlistFormat.h"

namespace {

CDevice* Passive(const char* name, const char* footprint, const char* description) {
    CDevice* device = nltest::MakeDevice(name, name, {{"", "1=1;2=2"}}, footprint);
    device->SetAttr("_Desc", description, TRUE);
    device->SetAttr("_Cat", "Passive", TRUE);
    return device;
}

CDevice* QuadNand() {
    CDevice* device = nltest::MakeQuadNand();
    device->SetAttr("_Desc", "Quad NAND", TRUE);
    device->SetAttr("_Cat", "Logic", TRUE);
    return device;
}

// Parts numbered downwards, so that sorting and grouping have work to do.
class DesignMaker {
public:
    explicit DesignMaker(nltest::Sheet& sheet)
        : m_sheet(sheet),
          m_resistor(Passive("RES", "AXIAL0.4", "Resistor")),
          m_capacitor(Passive("CAP", "RAD0.1", "Capacitor")),
          m_nand(QuadNand()) {}

    void AddParts(int count) {
        for (int i = count; i > 0; --i) {
            const std::string number = std::to_string(i);
            const std::string value = std::to_string(1 + i % 24) + (i % 3 ? "K" : "0K");
            switch (i % 3) {
                case 0:
                    Part(("R" + number).c_str(), m_resistor, "RES", value.c_str());
                    break;
                case 1:
                    Part(("C" + number).c_str(), m_capacitor, "CAP", (value + "p").c_str());
                    break;
                default:
                    for (char gate = 'A'; gate <= 'D'; ++gate)
                        m_sheet.WireInPairs(m_sheet.Part(("U" + number + gate).c_str(),
                                                         {"A", "B", "Y"}, m_nand, "NAND"));
            }
        }
    }

private:
    void Part(const char* id, CDevice* device, const char* name, const char* value) {
        CSymbol* part = m_sheet.Part(id, {"1", "2"}, device, name);
        part->SetAttr("_Value", value, kSetAttrForce);
        m_sheet.WireInPairs(part);
    }
    nltest::Sheet& m_sheet;
    CDevice* m_resistor;
    CDevice* m_capacitor;
    CDevice* m_nand;
};

// The output of one writer over the document, written into memory; its size.
size_t Write(CNetlistFormat& writer, CDrawDoc& doc) {
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(doc.GetPathName());
    writer.WriteHeader(doc.m_netlist, out, log);
    if (doc.m_netlist.Build(top, writer, out, log) == kBuildOk)
        writer.WriteBody(doc.m_netlist, top, out, log);
    return out.view().size();
}

void AllPcbFormatsAndBom(benchmark::State& state) {
    nltest::Sheet sheet("/bench/flat.sch");
    DesignMaker(sheet).AddParts(static_cast<int>(state.range(0)));
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    size_t size = 0;
    for (auto _ : state) {
        size = 0;
        for (int index : {kFormatProtel, kFormatTango, kFormatOrcad, kFormatPadsPcb,
                          kFormatPads2000, kFormatExpressPcb, kFormatBom})
            size += Write(*formats[static_cast<size_t>(index)], sheet.doc);
    }
    state.counters["output_kB"] = static_cast<double>(size) / 1024.0;
}
BENCHMARK(AllPcbFormatsAndBom)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
