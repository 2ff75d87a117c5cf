// Import of a generated Protel binary schematic: 10,000 placed resistors in rows of 100, each
// joined to the next by a wire, in a few milliseconds per thousand components.

#include <benchmark/benchmark.h>

#include <sstream>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "interchange/protel/ProtelImporter.h"
#include "model/doc/DrawDoc.h"

namespace {

std::vector<unsigned char> Schematic(int components) {
    ProtelFileBuilder file;
    file.SchematicStart(1).ComponentHead({"RES"}, "resistor", "AXIAL0.4", "R?", 1).PartStart();
    file.Pin(0, 0, 2, "1", "1")
        .Pin(100, 0, 0, "2", "2")
        .Rectangle(0, -20, 100, 20)
        .End()
        .End()
        .End();
    file.SheetHeader(0, 0, 1600, 600, 1);
    for (int i = 0; i < components; ++i) {
        const int x = 150 * (i % 100), y = 50 * (i / 100);
        file.Instance(x, y, 0, 0, 0, 1, 0, "R" + std::to_string(i + 1));
        file.Wire({{x + 120, y}, {x + 130, y}});
    }
    return file.End().Bytes();
}

void BM_ProtelBinaryImport(benchmark::State& state) {
    const std::vector<unsigned char> bytes = Schematic(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ByteSource source(bytes);
        std::ostringstream log;
        CDrawDoc doc;
        if (!ImportProtelBinarySchematic(log, source, doc))
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(doc.GetObjects().GetCount());
    }
}
BENCHMARK(BM_ProtelBinaryImport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
