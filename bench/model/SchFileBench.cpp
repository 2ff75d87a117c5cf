// Saving and loading a large sheet as a .sch file in memory: gates of the sample sheet's shared
// package, each with an identifier text, a wire from each gate's output to the next one's
// input, and a text box beside each. The peak resident size is reported with the times.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/support/SampleSheet.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "platform/CompoundFile.h"

namespace {

constexpr int kObjectsPerPart = 4;  // symbol, identifier text, wire, text box

// A sheet of count objects: rows of gates of one package, each one's output wired to the next
// one's first input.
void FillSheet(CDrawDoc& doc, int count) {
    CDevice* device = samplesheet::NandDevice("7400");
    CPin* previous = nullptr;
    for (int i = 0; i < count / kObjectsPerPart; ++i) {
        const LONG x = 500 * (i % 100);
        const LONG y = -500 * (i / 100);
        CString id;
        id.Format("U%dA", i + 1);
        CSymbol* gate = samplesheet::AddGate(doc, device, id, x, y);
        CWire* wire =
            samplesheet::AddWire<CWire>(doc, {{x - 300, y + 50}, {x - 200, y + 50}}, new CNet());
        wire->SetStartObject(i % 100 != 0 ? previous : nullptr);
        wire->SetEndObject(gate->FindPin("A"));
        previous = gate->FindPin("Y");
        auto* note = new CTextBox(CRect(x - 100, y - 100, x + 100, y - 180));
        note->SetText("74HC00", FALSE);
        note->SetDocument(&doc);
        doc.GetObjects().AddTail(note);
    }
}

std::vector<BYTE> Save(CDrawDoc& doc) {
    CompoundFile file;
    doc.WriteDocument(file);
    return file.Serialize();
}

void SetPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void SaveSheet(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    CDrawDoc doc;
    FillSheet(doc, count);
    size_t size = 0;
    for (auto _ : state) {
        const std::vector<BYTE> bytes = Save(doc);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_kB"] = static_cast<double>(size) / 1024.0;
    SetPeakMemory(state);
}
BENCHMARK(SaveSheet)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void LoadSheet(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::vector<BYTE> bytes;
    {
        CDrawDoc doc;
        FillSheet(doc, count);
        bytes = Save(doc);
    }
    for (auto _ : state) {
        CompoundFile file = CompoundFile::ParseInPlace(bytes);
        auto doc = std::make_unique<CDrawDoc>();
        doc->ReadDocument(file);
        benchmark::DoNotOptimize(doc->GetObjects().GetCount());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    SetPeakMemory(state);
}
BENCHMARK(LoadSheet)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
