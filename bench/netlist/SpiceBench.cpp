// The Spice deck of a 10,000-part design: 9,900 resistors whose device carries the element
// template, and 100 blocks of one sub-circuit sheet of 100 resistors (loaded from its file
// bytes for each block, as a build opens it). Every pin is wired, two pins a net.

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/spice/SpiceFormat.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/walker/SheetOpener.h"
#include "platform/CompoundFile.h"

namespace {

// Fills a sheet, wiring the pins of every symbol onto nets N0, N0, N1, N1, ...
class SpiceSheetMaker {
public:
    explicit SpiceSheetMaker(nltest::Sheet& sheet) : m_sheet(sheet), m_resistor(Resistor()) {}

    void AddResistors(int count) {
        for (int i = 0; i < count; ++i) {
            CSymbol* r =
                m_sheet.Part(("R" + std::to_string(i + 1)).c_str(), {"1", "2"}, m_resistor, "RES");
            r->SetAttr("_Value", "1k", kSetAttrForce);
            m_sheet.WireInPairs(r);
        }
    }
    void AddBlocks(int count, const char* file) {
        for (int i = 0; i < count; ++i)
            m_sheet.WireInPairs(
                m_sheet.Block(("S" + std::to_string(i + 1)).c_str(), file, {"IN", "OUT"}));
    }
    void AddPorts() {
        for (const char* name : {"IN", "OUT"})
            m_sheet.WireInPairs(m_sheet.Add(name, kSymbolPort, {name}));
    }

private:
    static CDevice* Resistor() {
        CDevice* device = nltest::MakeResistor();
        device->SetAttr("Spice.Device", "R,1,2", TRUE);
        return device;
    }
    nltest::Sheet& m_sheet;
    CDevice* m_resistor;
};

std::vector<BYTE> SubSheetBytes() {
    nltest::Sheet sheet;
    SpiceSheetMaker maker(sheet);
    maker.AddPorts();
    maker.AddResistors(100);
    CompoundFile file;
    sheet.doc.WriteDocument(file);
    return file.Serialize();
}

// The deck of the document, written into memory; its size.
size_t WriteSpice(CDrawDoc& doc) {
    CSpiceFormat spice;
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(doc.GetPathName());
    if (spice.WriteHeader(doc.m_netlist, out, log) &&
        doc.m_netlist.Build(top, spice, out, log) == kBuildOk)
        spice.WriteBody(doc.m_netlist, top, out, log);
    return out.view().size();
}

void SpiceDeck(benchmark::State& state) {
    const nltest::BytesOpener opener(SubSheetBytes());
    nltest::Sheet top("/bench/top.sch");
    top.doc.SetAttribute("Ground1", "N0", 0);
    SpiceSheetMaker maker(top);
    maker.AddResistors(9900);
    maker.AddBlocks(100, "sub.sch");
    size_t size = 0;
    for (auto _ : state)
        size = WriteSpice(top.doc);
    state.counters["deck_kB"] = static_cast<double>(size) / 1024.0;
}
BENCHMARK(SpiceDeck)->Unit(benchmark::kMillisecond);

}  // namespace
