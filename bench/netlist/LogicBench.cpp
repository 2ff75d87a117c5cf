// Abel and CUPL sources of a generated 2,000-part logic design: a chain of two-input gates
// whose every part carries one ranged declaration and two equations, with eight input and
// eight output ports and every tenth net named illegally for both languages. One run
// prepares the sheet and writes both sources; it should take well under 0.1 s.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "model/symbol/Pin.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/AbelFormat.h"
#include "netlist/writers/CuplFormat.h"

namespace {

constexpr int kPorts = 8;

std::string NetName(int index) {
    return (index % 10 == 0 ? "S-" : "S") + std::to_string(index);
}

void AddPort(nltest::Sheet& sheet, const std::string& name, const std::string& net, int type) {
    CSymbol* port = sheet.Add(name.c_str(), kSymbolPort, {name.c_str()});
    CPin* pin = port->FindPin(name.c_str());
    pin->SetPinType(type);
    pin->SetAttr("CUPL.PinType", std::to_string(type * 10 + 2).c_str(), kSetAttrForce);
    sheet.Wire(port, name.c_str(), net.c_str());
}

// Part i drives net i from nets i - 1 and i - 2 and has a four-bit bus of its own.
void FillDesign(nltest::Sheet& sheet, int parts) {
    for (int i = 0; i < kPorts; ++i) {
        AddPort(sheet, "I" + std::to_string(i), NetName(i), 0);
        AddPort(sheet, "O" + std::to_string(i), NetName(parts - 1 - i), 1);
    }
    const char* equations = "\"Y\" = \"A\" & \"B\";\n\"Y\".oe = \"Q[0..3]\";";
    for (int i = 2; i < parts; ++i) {
        CSymbol* part = sheet.Part(("U" + std::to_string(i)).c_str(), {"A", "B", "Y", "Q[0..3]"},
                                   nullptr, "AND");
        part->SetAttr("Abel.Equations", equations, kSetAttrForce);
        part->SetAttr("CUPL.Equations", equations, kSetAttrForce);
        part->SetAttr("Abel.Declaration", "\"Q[0..3]\" istype 'com';", kSetAttrForce);
        sheet.Wire(part, "A", NetName(i - 2).c_str());
        sheet.Wire(part, "B", NetName(i - 1).c_str());
        sheet.Wire(part, "Y", NetName(i).c_str());
        sheet.Bus(part, "Q[0..3]", ("B" + std::to_string(i) + "_[0..3]").c_str());
    }
}

size_t Write(CNetlistFormat& writer, CDrawDoc& doc) {
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(doc.GetPathName());
    writer.WriteHeader(doc.m_netlist, out, log);
    if (doc.m_netlist.Build(top, writer, out, log) == kBuildOk)
        writer.WriteBody(doc.m_netlist, top, out, log);
    return out.view().size();
}

void AbelAndCupl(benchmark::State& state) {
    nltest::Sheet sheet("/bench/logic.sch");
    FillDesign(sheet, static_cast<int>(state.range(0)));
    CAbelFormat abel;
    CCuplFormat cupl;
    size_t size = 0;
    for (auto _ : state)
        size = Write(abel, sheet.doc) + Write(cupl, sheet.doc);
    state.counters["sources_kB"] = static_cast<double>(size) / 1024.0;
}
BENCHMARK(AbelAndCupl)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
