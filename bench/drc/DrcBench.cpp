// The design rule check of a flat sheet of 10,000 parts: two-pin resistors and the gates of
// quad packages with shared power pins, every drawn pin wired, two pins a net; and of one net
// of 2,000 Output pins, which conflict pair by pair. Each run checks the whole sheet through
// the DRC page's steps, from the request to the written report.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "drc/DrcRun.h"
#include "drc/support/DrcFixture.h"
#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

// Parts alternate between a resistor and a gate of the next package. Pin i and pin i + n / 2
// of the n pins share a net, so that no part's pins lie on one net.
void Fill(nltest::Sheet& sheet, int parts) {
    CDevice* resistor = nltest::MakeResistor();
    CDevice* nand = nltest::MakeQuadNand();
    std::vector<std::pair<CSymbol*, CString>> pins;
    for (int i = 0; i < parts; ++i) {
        const std::string number = std::to_string(i / 8 + 1);
        CSymbol* symbol =
            i % 2 == 0
                ? sheet.Part(("R" + std::to_string(i + 1)).c_str(), {"1", "2"}, resistor, "RES")
                : sheet.Part((number + static_cast<char>('A' + (i / 2) % 4)).insert(0, "U").c_str(),
                             {"A", "B", "Y"}, nand, "NAND");
        for (POSITION pos = symbol->GetPins().GetHeadPosition(); pos;)
            pins.emplace_back(symbol,
                              static_cast<CPin*>(symbol->GetPins().GetNext(pos))->GetAttr("_ID"));
    }
    const size_t half = pins.size() / 2;
    for (size_t i = 0; i < pins.size(); ++i)
        sheet.Wire(pins[i].first, pins[i].second, ("N" + std::to_string(i % half)).c_str());
}

// Drivers U1, U2, ... each with its Output pin Y on net OUT.
void FillOneNet(nltest::Sheet& sheet, int drivers) {
    for (int i = 0; i < drivers; ++i) {
        CSymbol* driver = sheet.Part(("U" + std::to_string(i + 1)).c_str(), {"Y"}, nullptr, "BUF");
        drctest::SetPinType(driver, "Y", 1);
        sheet.Wire(driver, "Y", "OUT");
    }
}

void Check(benchmark::State& state, void (*fill)(nltest::Sheet&, int)) {
    drctest::FakeDrcServices services;
    nltest::Sheet sheet("/bench/flat.sch");
    fill(sheet, static_cast<int>(state.range(0)));
    services.open.push_back(&sheet.doc);
    CDrcRun run;
    for (auto _ : state) {
        run.QueueCheck(nullptr);
        while (run.OnIdle()) {
        }
    }
    state.counters["objects"] = static_cast<double>(sheet.doc.GetObjects().GetCount());
    state.counters["findings"] = static_cast<double>(run.Findings().size());
}

void CheckSheet(benchmark::State& state) {
    Check(state, Fill);
}

void CheckOneLargeNet(benchmark::State& state) {
    Check(state, FillOneNet);
}

}  // namespace

BENCHMARK(CheckSheet)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckOneLargeNet)->Arg(2000)->Unit(benchmark::kMillisecond);
