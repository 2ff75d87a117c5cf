// Exporting a large sheet as a DXF file: rows of outlined rectangles, ellipses, lines and
// one-line text boxes, written through the temporary file and renamed like every export.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "interchange/dxf/DxfExport.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/text/TextBox.h"

namespace {

constexpr int kKinds = 4;

CDrawObj* MakeObject(int i) {
    const LONG x = 600 * (i % 200);
    const LONG y = -400 * (i / 200);
    switch (i % kKinds) {
        case 0: {
            auto* rect = new CDrawRect(CRect(x, y, x + 500, y - 300));
            rect->SetFlags(kFlagOutlined, kFlagOutlined);
            return rect;
        }
        case 1:
            return new CEllipse(CRect(x, y, x + 500, y - 300));
        case 2: {
            auto* line = new CDrawRect(CRect(x, y, x + 500, y - 300));
            line->SetShape(kShapeLine);
            return line;
        }
        default: {
            auto* text = new CTextBox(CRect(x, y, x + 500, y - 150));
            text->SetTextFlags(0, 0xFF);
            text->SetText(("Note " + std::to_string(i)).c_str(), FALSE);
            return text;
        }
    }
}

void BM_ExportDxf(benchmark::State& state) {
    CDrawDoc doc;
    doc.SetTitle("large.sch");
    for (int i = 0; i < state.range(0); ++i) {
        CDrawObj* object = MakeObject(i);
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
    }
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("vosk-dxf-bench-" + std::to_string(::getpid()));
    for (auto _ : state)
        ExportDxfFile(doc, file);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExportDxf)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
