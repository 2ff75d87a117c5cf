// A sheet of 2,000 symbols and 10,000 wires built through the document's add operation, then
// moved as a whole in one transform with its joining up.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/cmd/TransformCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/support/SampleSheet.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

constexpr int kSymbols = 2000;
constexpr int kWiresPerSymbol = 5;
constexpr LONG kPitch = 1000;

CSymbol* MakeSymbol(LONG x, LONG y) {
    auto* symbol = new CSymbol();
    samplesheet::AddPin(*symbol, "1", CPoint(x + 100, y), CPoint(x, y));
    samplesheet::AddPin(*symbol, "2", CPoint(x + 300, y), CPoint(x + 400, y));
    symbol->RecalcBounds(nullptr);
    return symbol;
}

CWire* MakeWire(CPoint from, CPoint to) {
    auto* wire = new CWire;
    wire->AddPoint(from);
    wire->AddPoint(to);
    auto* net = new CNet;
    net->AddRef();
    wire->SetNet(net);
    return wire;
}

// Each symbol gets a wire from its right pin to the next symbol's left pin and four free
// wires below it.
std::unique_ptr<CDrawDoc> BuildSheet() {
    auto doc = std::make_unique<CDrawDoc>();
    CObList symbols;
    for (int i = 0; i < kSymbols; ++i)
        symbols.AddTail(MakeSymbol((i % 50) * kPitch, -(i / 50) * kPitch));
    doc->AddObjects(&symbols);
    CObList wires;
    CSymbol* previous = nullptr;
    for (POSITION pos = doc->GetObjects().GetHeadPosition(); pos;) {
        auto* symbol = static_cast<CSymbol*>(doc->GetObjects().GetNext(pos));
        auto* left = static_cast<CPin*>(symbol->GetPins().GetHead());
        const CPoint at = left->GetConnectPoint();
        if (previous) {
            auto* right = static_cast<CPin*>(previous->GetPins().GetTail());
            CWire* wire = MakeWire(right->GetConnectPoint(), at);
            wire->SetStartObject(right);
            wire->SetEndObject(left);
            wires.AddTail(wire);
        }
        for (int k = wires.IsEmpty() ? 0 : 1; k < kWiresPerSymbol; ++k)
            wires.AddTail(MakeWire(CPoint(at.x, at.y - 100 * (k + 1)),
                                   CPoint(at.x + 300, at.y - 100 * (k + 1))));
        previous = symbol;
    }
    doc->AddObjects(&wires);
    return doc;
}

void BuildSheetOnly(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildSheet());
}
BENCHMARK(BuildSheetOnly)->Unit(benchmark::kMillisecond)->Iterations(1);

void MoveAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CDrawDoc> doc = BuildSheet();
        state.ResumeTiming();
        auto* command = new CTransformCmd(doc.get(), doc->GetObjects(), kTransformMove);
        command->Begin();
        command->SetMove(100, 200);
        command->Apply();
        doc->GetUndoList().Add(command);
        benchmark::DoNotOptimize(command->JoinUp());
    }
}
BENCHMARK(MoveAll)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
