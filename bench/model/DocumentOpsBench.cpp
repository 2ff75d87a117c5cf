// Adding many objects to a document as one step, then undoing and redoing that step; and
// renumbering every symbol of a large sheet. Two sizes each show how the time grows. A bare
// walk that asks each of the same objects its type shows how much of that growth the machine's
// caches alone make: at 10,000 the objects fit in a core's own cache, at 100,000 they do not.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/support/TestPart.h"

namespace {

// count plain shapes side by side at the list's tail.
void AddShapes(CObList& list, int count) {
    for (int i = 0; i < count; ++i)
        list.AddTail(new CDrawObj(CRect(i, 0, i + 10, -10)));
}

void AddUndoRedo(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CDrawDoc>();
        CObList list;
        AddShapes(list, count);
        state.ResumeTiming();

        doc->AddObjects(&list);
        doc->GetUndoList().Undo();
        doc->GetUndoList().Redo();

        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(AddUndoRedo)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void ReadEachObject(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        CObList list;
        AddShapes(list, count);
        state.ResumeTiming();

        int types = 0;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            types += static_cast<CDrawObj*>(list.GetNext(pos))->GetObjType();
        benchmark::DoNotOptimize(types);

        state.PauseTiming();
        DeleteListedObjects(list);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(ReadEachObject)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void RenumberAll(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CDrawDoc>();
        for (int i = 0; i < count; ++i) {
            auto* symbol = new TestPart(kObjSymbol, CRect(0, 0, 100, -100));
            CString id;
            id.Format("R%d", count - i);
            symbol->SetAttr("_Pref", "R", 0);
            symbol->SetAttr("_ID", id, 0);
            symbol->SetDocument(doc.get());
            doc->GetObjects().AddTail(symbol);
        }
        state.ResumeTiming();

        doc->RenumberObjects(&doc->GetObjects());

        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(RenumberAll)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
