// Saving and loading a large sheet as a .sch file in memory: symbols of one shared device with
// two pins each and an identifier text, a wire from each symbol's output to the next one's
// input, and a text box beside each. The peak resident size is reported with the times.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <vector>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "platform/CompoundFile.h"

namespace {

constexpr int kObjectsPerPart = 4;  // symbol, identifier text, wire, text box

void AddPin(CSymbol& symbol, const char* id, CPoint body, CPoint hot) {
    auto* pin = new CPin(&symbol);
    pin->SetEnds(body, hot);
    pin->SetAttr("_ID", id, kSetAttrForce);
    symbol.GetPins().AddTail(pin);
}

CSymbol* AddResistor(CDrawDoc& doc, CDevice* device, int number, LONG x, LONG y) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetAttr("_Name", "RES", kSetAttrForce);
    CString id;
    id.Format("R%d", number);
    symbol->SetAttr("_ID", id, kSetAttrForce);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 40, 100, -40)));
    AddPin(*symbol, "1", CPoint(-100, 0), CPoint(-200, 0));
    AddPin(*symbol, "2", CPoint(100, 0), CPoint(200, 0));
    const double matrix[6] = {1, 0, static_cast<double>(x), 0, 1, static_cast<double>(y)};
    symbol->SetMatrix(matrix);
    symbol->RecalcBounds(nullptr);
    device->AddRef();
    symbol->SetDevice(device);
    doc.GetObjects().AddTail(symbol);
    auto* text = new CAttrText(CRect(x - 100, y + 150, x + 100, y + 70));
    text->Bind(symbol, "_ID");
    symbol->GetAttrTextList()->AddTail(text);
    doc.GetObjects().AddTail(text);
    return symbol;
}

void AddWire(CDrawDoc& doc, CPin* from, CPin* to, LONG x, LONG y) {
    auto* wire = new CWire;
    wire->AddPoint(CPoint(x - 300, y));
    wire->AddPoint(CPoint(x - 200, y));
    wire->SetDocument(&doc);
    auto* net = new CNet();
    net->AddRef();
    if (CNet* old = wire->SetNet(net))
        old->Release();
    wire->SetStartObject(from);
    wire->SetEndObject(to);
    doc.GetObjects().AddTail(wire);
}

// A sheet of count objects: rows of resistors in series.
void FillSheet(CDrawDoc& doc, int count) {
    auto* device = new CDevice("RES");
    device->SetAttr("_Pref", "R", TRUE);
    CPin* previous = nullptr;
    for (int i = 0; i < count / kObjectsPerPart; ++i) {
        const LONG x = 500 * (i % 100);
        const LONG y = -500 * (i / 100);
        CSymbol* symbol = AddResistor(doc, device, i + 1, x, y);
        if (previous && i % 100 != 0)
            AddWire(doc, previous, symbol->FindPin("1"), x, y);
        else
            AddWire(doc, nullptr, symbol->FindPin("1"), x, y);
        previous = symbol->FindPin("2");
        auto* note = new CTextBox(CRect(x - 100, y - 100, x + 100, y - 180));
        note->SetText("1k 1%", FALSE);
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
        CompoundFile file = CompoundFile::Parse(bytes);
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
