// Adding many objects to a document as one step, then undoing and redoing that step; and
// renumbering every symbol of a large sheet. Two sizes each show how the time grows.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/Maps.h"

namespace {

// A symbol as far as identifiers go: an attribute map with a prefix and an identifier that the
// document assigns.
class BenchSymbol : public CDrawObj {
public:
    BenchSymbol() : CDrawObj(CRect(0, 0, 100, -100)) { m_attrs.SetAt("_Pref", "R"); }

    int GetObjType() const override { return kObjSymbol; }
    CMapStringToString* GetAttrMap() override { return &m_attrs; }
    int SetAttr(const char* name, const char* value, UINT) override {
        m_attrs.SetAt(name, value);
        return TRUE;
    }
    int CheckAttrValue(const char*, CString& value) override {
        return value.IsEmpty() || m_document->IsIdInUse(this, value) ? 1 : 0;
    }
    int AssignId(int) override {
        CString id = GetAttr("_ID");
        m_document->MakeObjectId(id, this);
        SetAttr("_ID", id, 0);
        return TRUE;
    }

private:
    CMapStringToString m_attrs;
};

void AddUndoRedo(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CDrawDoc>();
        CObList list;
        for (int i = 0; i < count; ++i)
            list.AddTail(new CDrawObj(CRect(i, 0, i + 10, -10)));
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
BENCHMARK(AddUndoRedo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void RenumberAll(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CDrawDoc>();
        for (int i = 0; i < count; ++i) {
            auto* symbol = new BenchSymbol;
            CString id;
            id.Format("R%d", count - i);
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
