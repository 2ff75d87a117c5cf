// A symbol of 100 wired pins on a sheet of 2,000 two-pin symbols, each chained to the next by
// a wire: opened in the symbol editor, changed and written back as one step, then undone.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "model/doc/DrawDoc.h"
#include "model/doc/SymbolDoc.h"
#include "model/net/Wire.h"
#include "model/support/SampleSheet.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

constexpr int kSymbols = 2000;
constexpr int kWidePins = 100;
constexpr LONG kPitch = 1000;

CWire* Wire(CDrawDoc& doc, CPin* from, CPin* to) {
    auto* wire = new CWire;
    wire->AddPoint(from->GetConnectPoint());
    wire->AddPoint(to ? to->GetConnectPoint() : from->GetConnectPoint() + CSize(-500, 0));
    wire->SetDocument(&doc);
    doc.GetObjects().AddTail(wire);
    wire->SetStartObject(from);
    if (to)
        wire->SetEndObject(to);
    return wire;
}

CSymbol* Symbol(CDrawDoc& doc, LONG x, LONG y, int pins) {
    auto* symbol = new CSymbol();
    for (int i = 0; i < pins; ++i) {
        const LONG py = y - i * 100;
        samplesheet::AddPin(*symbol, std::to_string(i + 1).c_str(), CPoint(x + 100, py),
                            CPoint(x, py));
    }
    symbol->SetDocument(&doc);
    symbol->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(symbol);
    return symbol;
}

void BM_SymbolWriteBack(benchmark::State& state) {
    CDrawDoc doc;
    CSymbol* previous = nullptr;
    for (int i = 0; i < kSymbols; ++i) {
        CSymbol* symbol = Symbol(doc, (i % 50) * kPitch, -(i / 50) * kPitch, 2);
        if (previous)
            Wire(doc, static_cast<CPin*>(previous->GetPins().GetTail()),
                 static_cast<CPin*>(symbol->GetPins().GetHead()));
        previous = symbol;
    }
    CSymbol* wide = Symbol(doc, 60 * kPitch, 0, kWidePins);
    for (POSITION pos = wide->GetPins().GetHeadPosition(); pos;)
        Wire(doc, static_cast<CPin*>(wide->GetPins().GetNext(pos)), nullptr);
    for (auto _ : state) {
        CSymbolDoc editor;
        editor.LoadSymbol(&doc, wide);
        editor.SetModifiedFlag();
        benchmark::DoNotOptimize(editor.SaveModified({}));
        doc.GetUndoList().Undo();
    }
}
BENCHMARK(BM_SymbolWriteBack)->Unit(benchmark::kMillisecond);

}  // namespace
