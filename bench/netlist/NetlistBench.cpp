// Netlists of large generated designs: a flat sheet of two-pin parts and four-gate packages
// (hidden power pins, every drawn pin wired, two pins a net), loaded from its file bytes and
// written as a Protel netlist; and a hierarchy of 100 instances of a 100-part sheet. The peak
// resident size is reported with the times. A sheet of two-pin parts is also opened from its
// file and netlisted to a file by a child process, whose own peak is reported: the memory the
// editor needs for that work, without the benchmark's.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/symbol/Symbol.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/walker/SheetOpener.h"
#include "netlist/writers/ProtelFormat.h"
#include "platform/CompoundFile.h"

namespace {

CDevice* Resistor() {
    CDevice* device = nltest::MakeResistor();
    device->SetAttr("_Pref", "R", TRUE);
    return device;
}

CDevice* QuadNand() {
    CDevice* device = nltest::MakeQuadNand();
    device->SetAttr("_Pref", "U", TRUE);
    return device;
}

// Fills a sheet with parts, wiring every pin; pins are paired onto named nets in the order made.
class SheetMaker {
public:
    explicit SheetMaker(nltest::Sheet& sheet)
        : m_sheet(sheet), m_resistor(Resistor()), m_nand(QuadNand()) {}

    void AddParts(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string number = std::to_string(i + 1);
            if (i % 2 == 0) {
                m_sheet.WireInPairs(
                    m_sheet.Part(("R" + number).c_str(), {"1", "2"}, m_resistor, "RES"));
                continue;
            }
            for (char gate = 'A'; gate <= 'D'; ++gate)
                m_sheet.WireInPairs(
                    m_sheet.Part(("U" + number + gate).c_str(), {"A", "B", "Y"}, m_nand, "NAND"));
        }
    }
    // A block of the sheet file with pins IN and OUT.
    void AddBlock(const std::string& id, const char* file) {
        m_sheet.WireInPairs(m_sheet.Block(id.c_str(), file, {"IN", "OUT"}));
    }
    // Port symbols IN and OUT.
    void AddPorts() {
        for (const char* name : {"IN", "OUT"})
            m_sheet.WireInPairs(m_sheet.Add(name, kSymbolPort, {name}));
    }

private:
    nltest::Sheet& m_sheet;
    CDevice* m_resistor;
    CDevice* m_nand;
};

std::vector<BYTE> FileBytes(const std::function<void(SheetMaker&)>& fill) {
    nltest::Sheet sheet;
    SheetMaker maker(sheet);
    fill(maker);
    CompoundFile file;
    sheet.doc.WriteDocument(file);
    return file.Serialize();
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
    return out.view().size();
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
        auto doc = nltest::LoadSheet(bytes, path);
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

// The load alone; the document is freed untimed.
void FlatLoad(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    const std::vector<BYTE> bytes =
        FileBytes([parts](SheetMaker& maker) { maker.AddParts(parts); });
    for (auto _ : state) {
        auto doc = nltest::LoadSheet(bytes, "/bench/flat.sch");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    SetPeakMemory(state);
}
BENCHMARK(FlatLoad)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The netlist alone, of a sheet loaded once.
void FlatProtel(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    auto doc = nltest::LoadSheet(FileBytes([parts](SheetMaker& maker) { maker.AddParts(parts); }),
                                 "/bench/flat.sch");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteProtel(*doc));
    SetPeakMemory(state);
}
BENCHMARK(FlatProtel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void HierarchyProtel(benchmark::State& state) {
    const nltest::BytesOpener opener(FileBytes([](SheetMaker& maker) {
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

// A folder of its own for the files of one benchmark, removed with it.
class ScratchFolder {
public:
    ScratchFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("vosk-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string File(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Runs the child program on the sheet; its peak resident size in bytes, or -1 when it failed.
long OpenAndNetlistInChild(const std::string& sheet, const std::string& netlist) {
    const std::string command =
        std::string("'") + VOSK_OPEN_AND_NETLIST + "' '" + sheet + "' '" + netlist + "'";
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return -1;
    long kib = -1;
    if (std::fscanf(child, "%ld", &kib) != 1)
        kib = -1;
    return pclose(child) == 0 && kib >= 0 ? kib * 1024L : -1;
}

// Each run is a new process that opens the sheet file of two-pin parts and writes its Protel
// netlist file; child_peak_MiB is the largest peak of those processes.
void FreshOpenAndProtel(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    const ScratchFolder folder;
    const std::string sheet = folder.File("chain.sch");
    {
        nltest::Sheet chain;
        CDevice* resistor = Resistor();
        for (int i = 0; i < parts; ++i) {
            const std::string id = "R" + std::to_string(i + 1);
            chain.WireInPairs(chain.Part(id.c_str(), {"1", "2"}, resistor, "RES"));
        }
        CompoundFile file;
        chain.doc.WriteDocument(file);
        file.SaveToFile(sheet);
        state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(sheet)) / 1e6;
    }
    long peak = 0;
    for (auto _ : state) {
        const long bytes = OpenAndNetlistInChild(sheet, folder.File("chain.net"));
        if (bytes < 0) {
            state.SkipWithError("the child program failed");
            return;
        }
        peak = std::max(peak, bytes);
    }
    state.counters["child_peak_MiB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
}
BENCHMARK(FreshOpenAndProtel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
