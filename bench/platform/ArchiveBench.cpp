// Storing and loading many strings through the archive, and filling string maps: the work of
// saving and opening a large sheet's attributes.

#include <benchmark/benchmark.h>

#include "platform/Archive.h"
#include "platform/Maps.h"
#include "platform/MemFile.h"

namespace {

CString NameOf(int i) {
    CString name;
    name.Format("Attr%d.Name", i);
    return name;
}

void StoreAndLoadStrings(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CMemFile file;
        CArchive out(&file, CArchive::store);
        for (int i = 0; i < count; ++i)
            out << NameOf(i);
        out.Close();
        file.SeekToBegin();
        CArchive in(&file, CArchive::load);
        CString text;
        for (int i = 0; i < count; ++i)
            in >> text;
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(StoreAndLoadStrings)->Arg(1000)->Arg(100000);

void FillStringMap(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CMapStringToString map;
        for (int i = 0; i < count; ++i)
            map.SetAt(NameOf(i), "value");
        benchmark::DoNotOptimize(map.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(FillStringMap)->Arg(1000)->Arg(10000);

}  // namespace
