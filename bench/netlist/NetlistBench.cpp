// Netlists of large generated designs: a flat sheet of two-pin parts and four-gate packages
// (hidden power pins, every drawn pin wired, two pins a net), loaded from its file bytes and
// written as a Protel netlist; and a hierarchy of 100 instances of a 100-part sheet. The peak
// resident size is reported with the times.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/walker/SheetOpener.h"
#include "netlist/writers/ProtelFormat.h"
#include "platform/CompoundFile.h"

namespace {

CDevice* Resistor() {
    auto* device = new CDevice("RES");
    device->SetAttr("_Pref", "R", TRUE);
    device->SetAttr("_Footprint", "AXIAL0.4", TRUE);
    device->SetAttr("_Map",
                    "RES\x01\x01"
                    "1\x01"
                    "1\x01"
                    "2\x01"
                    "2",
                    TRUE);
    return device;
}

CDevice* QuadNand() {
    auto* device = new CDevice("7400");
    device->SetAttr("_Pref", "U", TRUE);
    device->SetAttr("_Footprint", "DIP14", TRUE);
    std::string map;
    for (int gate = 0; gate < 4; ++gate) {
        if (gate)
            map += '\n';
        map += "NAND\x01";
        map += static_cast<char>('A' + gate);
        for (int pin = 0; pin < 3; ++pin)
            map += std::string("\x01") + "ABY"[pin] + "\x01" + std::to_string(gate * 3 + pin + 1);
    }
    device->SetAttr("_Map", map.c_str(), TRUE);
    device->SetAttr("_Implicit", "VCC\x01(14)\x01GND\x01(7)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    return device;
}

// Fills a sheet with parts, wiring every pin; pins are paired onto nets in the order made.
class SheetMaker {
public:
    explicit SheetMaker(CDrawDoc& doc) : m_doc(doc), m_resistor(Resistor()), m_nand(QuadNand()) {}

    void AddParts(int count) {
        for (int i = 0; i < count; ++i) {
            if (i % 2 == 0) {
                AddSymbol("R" + std::to_string(i + 1), "RES", {"1", "2"}, m_resistor);
                continue;
            }
            for (int gate = 0; gate < 4; ++gate)
                AddSymbol("U" + std::to_string(i + 1) + static_cast<char>('A' + gate), "NAND",
                          {"A", "B", "Y"}, m_nand);
        }
    }
    // A block of the sheet file with pins IN and OUT.
    void AddBlock(const std::string& id, const char* file) {
        CSymbol* block = AddSymbol(id, nullptr, {"IN", "OUT"}, nullptr);
        block->SetFlags(kSymbolSubCircuit, kSymbolKindMask);
        block->SetAttr("_Subcct", file, kSetAttrForce);
    }
    // Port symbols IN and OUT.
    void AddPorts() {
        for (const char* name : {"IN", "OUT"})
            AddSymbol(name, nullptr, {name}, nullptr)->SetFlags(kSymbolPort, kSymbolKindMask);
    }

private:
    CSymbol* AddSymbol(const std::string& id, const char* name,
                       std::initializer_list<const char*> pins, CDevice* device) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&m_doc);
        if (name)
            symbol->SetAttr("_Name", name, kSetAttrForce);
        symbol->SetAttr("_ID", id.c_str(), kSetAttrForce);
        if (device) {
            device->AddRef();
            symbol->SetDevice(device);
        }
        m_doc.GetObjects().AddTail(symbol);
        LONG y = 0;
        for (const char* id : pins) {
            auto* pin = new CPin(symbol);
            pin->SetEnds(CPoint(0, y), CPoint(-100, y));
            pin->SetAttr("_ID", id, kSetAttrForce);
            symbol->GetPins().AddTail(pin);
            Wire(pin);
            y -= 100;
        }
        return symbol;
    }
    void Wire(CPin* pin) {
        if (m_pins++ % 2 == 0) {
            m_net = new CNet(("N" + std::to_string(m_pins / 2)).c_str());
            m_net->SetFlags(kNetNamed, kNetNamed);
        }
        auto* wire = new CWire;
        wire->AddPoint(CPoint(0, 0));
        wire->AddPoint(CPoint(100, 0));
        wire->SetDocument(&m_doc);
        m_net->AddRef();
        wire->SetNet(m_net);
        wire->SetStartObject(pin);
        m_doc.GetObjects().AddTail(wire);
    }

    CDrawDoc& m_doc;
    CDevice* m_resistor;
    CDevice* m_nand;
    CNet* m_net = nullptr;
    int m_pins = 0;
};

std::vector<BYTE> FileBytes(const std::function<void(SheetMaker&)>& fill) {
    CDrawDoc doc;
    SheetMaker maker(doc);
    fill(maker);
    CompoundFile file;
    doc.WriteDocument(file);
    return file.Serialize();
}

std::unique_ptr<CDrawDoc> Load(const std::vector<BYTE>& bytes, const char* path) {
    CompoundFile file = CompoundFile::Parse(bytes);
    auto doc = std::make_unique<CDrawDoc>();
    doc->ReadDocument(file);
    doc->SetPathName(path, FALSE);
    return doc;
}

// The Protel netlist of the document, written into memory; its size.
size_t WriteProtel(CDrawDoc& doc) {
    CProtelFormat protel;
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(doc.GetPathName());
    protel.WriteHeader(doc.m_netlist, out, log);
    if (doc.m_netlist.Build(top, protel, out, log) == kBuildOk)
        protel.WriteBody(doc.m_netlist, top, out, log);
    return out.str().size();
}

void SetPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Each run loads the file and writes its Protel netlist; the document is freed untimed.
void LoadAndWriteProtel(benchmark::State& state, const std::vector<BYTE>& bytes, const char* path) {
    size_t size = 0;
    for (auto _ : state) {
        auto doc = Load(bytes, path);
        size = WriteProtel(*doc);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["netlist_kB"] = static_cast<double>(size) / 1024.0;
    SetPeakMemory(state);
}

void FlatLoadAndProtel(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    const std::vector<BYTE> bytes =
        FileBytes([parts](SheetMaker& maker) { maker.AddParts(parts); });
    LoadAndWriteProtel(state, bytes, "/bench/flat.sch");
}
BENCHMARK(FlatLoadAndProtel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The netlist alone, of a sheet loaded once.
void FlatProtel(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    auto doc =
        Load(FileBytes([parts](SheetMaker& maker) { maker.AddParts(parts); }), "/bench/flat.sch");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteProtel(*doc));
    SetPeakMemory(state);
}
BENCHMARK(FlatProtel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Serves the sub-circuit sheet from its file bytes.
class BytesOpener : public ISheetOpener {
public:
    explicit BytesOpener(std::vector<BYTE> bytes)
        : m_bytes(std::move(bytes)), m_previous(SetSheetOpener(this)) {}
    ~BytesOpener() override { SetSheetOpener(m_previous); }
    BytesOpener(const BytesOpener&) = delete;
    BytesOpener& operator=(const BytesOpener&) = delete;
    std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) override {
        return Load(m_bytes, path);
    }

private:
    std::vector<BYTE> m_bytes;
    ISheetOpener* m_previous;
};

void HierarchyProtel(benchmark::State& state) {
    const BytesOpener opener(FileBytes([](SheetMaker& maker) {
        maker.AddPorts();
        maker.AddParts(100);
    }));
    const std::vector<BYTE> top = FileBytes([](SheetMaker& maker) {
        for (int i = 0; i < 100; ++i)
            maker.AddBlock("S" + std::to_string(i + 1), "sub.sch");
    });
    LoadAndWriteProtel(state, top, "/bench/top.sch");
}
BENCHMARK(HierarchyProtel)->Unit(benchmark::kMillisecond);

}  // namespace
