// The design tree of a sheet of 10,000 symbols, each with two pins on wires of their own nets:
// filling the document with its symbols and nets shown, and following one edit (a symbol
// renamed the way the editor does it, as an undoable step; a wire drawn, deleted, and either
// undone or redone) from its change notices through the idle refresh until the tree is up to
// date.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "library/DesignTreeModel.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "platform/AppServices.h"

namespace {

constexpr int kSymbols = 10000;

void AddPinOnNet(CDrawDoc& doc, CSymbol* symbol, const char* id, const std::string& net) {
    auto* pin = new CPin(symbol);
    pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
    pin->GetAttrMap()->SetAt("_ID", id);
    symbol->GetPins().AddTail(pin);
    auto* wire = new CWire;
    wire->AddPoint(CPoint(100, 0));
    wire->AddPoint(CPoint(200, 0));
    wire->SetDocument(&doc);
    auto* shared = new CNet(net.c_str());
    shared->AddRef();
    wire->SetNet(shared);
    pin->SetWire(wire);
    doc.GetObjects().AddTail(wire);
}

std::unique_ptr<CDrawDoc> MakeSheet() {
    auto doc = std::make_unique<CDrawDoc>();
    doc->SetTitle("big.sch");
    for (int i = 0; i < kSymbols; ++i) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(doc.get());
        symbol->GetAttrMap()->SetAt("_ID", ("R" + std::to_string(i + 1)).c_str());
        doc->GetObjects().AddTail(symbol);
        AddPinOnNet(*doc, symbol, "1", "N" + std::to_string(i));
        AddPinOnNet(*doc, symbol, "2", "N" + std::to_string(i + 1));
    }
    return doc;
}

CDesignTreeNode* Child(CDesignTreeNode* node, const char* label) {
    for (const auto& child : node->Children()) {
        if (child->Label() == label)
            return child.get();
    }
    return nullptr;
}

// The document's node with its symbols and nets expanded.
void Fill(CDesignTreeModel& tree, CDrawDoc& doc) {
    tree.Initialize(&doc);
    tree.Expand(*tree.Root());
    tree.Expand(*Child(tree.Root(), "Symbols"));
    tree.Expand(*Child(tree.Root(), "Nets"));
}

void BM_DesignTreeFill(benchmark::State& state) {
    const auto doc = MakeSheet();
    for (auto _ : state) {
        CDesignTreeModel tree([&] { return std::vector<CDrawDoc*>{doc.get()}; });
        Fill(tree, *doc);
        benchmark::DoNotOptimize(tree.Root()->Children().size());
    }
}
BENCHMARK(BM_DesignTreeFill)->Unit(benchmark::kMillisecond);

// Keeps the change notices the edits send, as the application queues them for its windows.
class NoticeQueue : public IAppServices {
public:
    void NotifyDocumentChanged(void* document, int code) override {
        notices.push_back({document, code});
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    struct Notice {
        void* document;
        int code;
    };
    std::vector<Notice> notices;
};

void BM_DesignTreeFollowOneEdit(benchmark::State& state) {
    const auto doc = MakeSheet();
    CDesignTreeModel tree([&] { return std::vector<CDrawDoc*>{doc.get()}; });
    Fill(tree, *doc);
    NoticeQueue queue;
    IAppServices* const replaced = SetAppServices(&queue);
    auto* symbol = static_cast<CSymbol*>(doc->GetObjects().GetHead());
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        queue.notices.clear();
        symbol->SetAttr("_ID", ("Q" + std::to_string(++round)).c_str(), kSetAttrUndoable);
        state.ResumeTiming();
        for (const auto& notice : queue.notices)
            tree.MarkForRefresh(notice.code, static_cast<CDrawDoc*>(notice.document));
        while (tree.OnIdle()) {
        }
    }
    if (Child(Child(tree.Root(), "Symbols"), ("Q" + std::to_string(round)).c_str()) == nullptr)
        state.SkipWithError("the tree did not follow the edit");
    SetAppServices(replaced);
}
BENCHMARK(BM_DesignTreeFollowOneEdit)->Unit(benchmark::kMillisecond);

// The sheet with its tree filled, the edits' notices kept and handed to the tree.
class FollowedSheet {
public:
    FollowedSheet() : m_doc(MakeSheet()), m_replaced(SetAppServices(&m_queue)) {
        Fill(m_tree, *m_doc);
    }
    ~FollowedSheet() { SetAppServices(m_replaced); }
    FollowedSheet(const FollowedSheet&) = delete;
    FollowedSheet& operator=(const FollowedSheet&) = delete;

    CDrawDoc& Doc() { return *m_doc; }
    CDesignTreeModel& Tree() { return m_tree; }
    // The tree brought up to date with the edits made since the last call.
    void Follow() {
        for (const auto& notice : m_queue.notices)
            m_tree.MarkForRefresh(notice.code, static_cast<CDrawDoc*>(notice.document));
        m_queue.notices.clear();
        while (m_tree.OnIdle()) {
        }
    }
    // A wire drawn where nothing else lies: it gets a net of its own, named as a new one is.
    void DrawWire() {
        auto wire = std::make_unique<CWire>();
        wire->AddPoint(CPoint(0, 500));
        wire->AddPoint(CPoint(100, 500));
        m_doc->AddObject(std::move(wire));
    }
    // The wire on the second pin of the first symbol deleted; its net's name stays, carried by
    // the wire on the first pin of the second symbol.
    void DeleteWire() {
        const CObList& objects = m_doc->GetObjects();
        CObList removed;
        removed.AddTail(objects.GetAt(objects.FindIndex(2)));
        m_doc->RemoveObjects(&removed);
    }

private:
    std::unique_ptr<CDrawDoc> m_doc;
    CDesignTreeModel m_tree{[this] { return std::vector<CDrawDoc*>{m_doc.get()}; }};
    NoticeQueue m_queue;
    IAppServices* m_replaced;
};

// Each benchmark times following one edit; the edits that set the sheet up for it, and taking
// it back, are not timed.
using SheetEdit = void (FollowedSheet::*)();

void TimeFollowingEdit(benchmark::State& state, SheetEdit edit) {
    FollowedSheet sheet;
    for (auto _ : state) {
        state.PauseTiming();
        (sheet.*edit)();
        state.ResumeTiming();
        sheet.Follow();
        state.PauseTiming();
        sheet.Doc().GetUndoList().Undo();
        sheet.Follow();
        state.ResumeTiming();
    }
}

void TimeFollowingUndo(benchmark::State& state, SheetEdit edit) {
    FollowedSheet sheet;
    for (auto _ : state) {
        state.PauseTiming();
        (sheet.*edit)();
        sheet.Follow();
        sheet.Doc().GetUndoList().Undo();
        state.ResumeTiming();
        sheet.Follow();
    }
}

void BM_DesignTreeFollowWireDrawn(benchmark::State& state) {
    TimeFollowingEdit(state, &FollowedSheet::DrawWire);
}
BENCHMARK(BM_DesignTreeFollowWireDrawn)->Unit(benchmark::kMillisecond);

void BM_DesignTreeFollowWireDrawnUndone(benchmark::State& state) {
    TimeFollowingUndo(state, &FollowedSheet::DrawWire);
}
BENCHMARK(BM_DesignTreeFollowWireDrawnUndone)->Unit(benchmark::kMillisecond);

void BM_DesignTreeFollowWireDrawnRedone(benchmark::State& state) {
    FollowedSheet sheet;
    sheet.DrawWire();
    sheet.Follow();
    for (auto _ : state) {
        state.PauseTiming();
        sheet.Doc().GetUndoList().Undo();
        sheet.Follow();
        sheet.Doc().GetUndoList().Redo();
        state.ResumeTiming();
        sheet.Follow();
    }
}
BENCHMARK(BM_DesignTreeFollowWireDrawnRedone)->Unit(benchmark::kMillisecond);

void BM_DesignTreeFollowWireDeleted(benchmark::State& state) {
    TimeFollowingEdit(state, &FollowedSheet::DeleteWire);
}
BENCHMARK(BM_DesignTreeFollowWireDeleted)->Unit(benchmark::kMillisecond);

void BM_DesignTreeFollowWireDeletedUndone(benchmark::State& state) {
    TimeFollowingUndo(state, &FollowedSheet::DeleteWire);
}
BENCHMARK(BM_DesignTreeFollowWireDeletedUndone)->Unit(benchmark::kMillisecond);

}  // namespace
