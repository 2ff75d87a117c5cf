// Everyday editing of a chain of 10,000 resistors on a 62" x 122" sheet, as the schematic view
// runs it: Select All, dragging everything with the select tool, undoing that drag, and a Zoom
// Out click at the smallest zoom. Each run ends with the window's repaint.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "bench/shell/BenchApplication.h"
#include "drawtools/ToolManager.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "shell/view/DrawView.h"

namespace {

constexpr int kParts = 10000;
constexpr int kColumns = 100;
constexpr LONG kPitchX = 600;
constexpr LONG kPitchY = 1200;

void AddToDocument(CDrawDoc& doc, CDrawObj* object) {
    object->SetDocument(&doc);
    doc.GetObjects().AddTail(object);
}

// A resistor with its pins' hot ends at (x, y) and (x + 400, y), and its identifier shown.
CSymbol* AddResistor(CDrawDoc& doc, LONG x, LONG y, int number) {
    auto* symbol = new CSymbol();
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(100, 50, 300, -50)));
    for (const LONG end : {0, 400}) {
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(end == 0 ? 100 : 300, 0), CPoint(end, 0));
        symbol->GetPins().AddTail(pin);
    }
    symbol->RecalcBounds(nullptr);
    symbol->SetAttr("_ID", ("R" + std::to_string(number)).c_str(), kSetAttrForce);
    AddToDocument(doc, symbol);
    symbol->OffsetBy(CSize(x, y));
    AddToDocument(doc, symbol->ShowAttrText("_ID", TRUE));
    return symbol;
}

void AddWire(CDrawDoc& doc, std::initializer_list<CPoint> points, CPin* from, CPin* to, int n) {
    auto* wire = new CWire;
    for (const CPoint point : points)
        wire->AddPoint(point);
    // The wire holds the net's one reference.
    auto* net = new CNet(("N" + std::to_string(n)).c_str());
    net->AddRef();
    wire->SetNet(net);
    wire->SetStartObject(from);
    wire->SetEndObject(to);
    AddToDocument(doc, wire);
}

CPin* Pin(CSymbol* symbol, bool second) {
    CObList& pins = symbol->GetPins();
    return static_cast<CPin*>(second ? pins.GetTail() : pins.GetHead());
}

// Rows of 100 resistors joined end to end; each row's end is wired to the next row's start.
void FillChain(CDrawDoc& doc) {
    doc.SetPaperSize(62000, -122000);
    CSymbol* previous = nullptr;
    for (int i = 0; i < kParts; ++i) {
        const LONG x = 500 + (i % kColumns) * kPitchX;
        const LONG y = -500 - (i / kColumns) * kPitchY;
        CSymbol* part = AddResistor(doc, x, y, i + 1);
        if (previous) {
            const CPoint end = Pin(previous, true)->GetConnectPoint();
            const CPoint start(x, y);
            if (i % kColumns)
                AddWire(doc, {end, start}, Pin(previous, true), Pin(part, false), i);
            else
                AddWire(doc,
                        {end, CPoint(end.x, y + kPitchY / 2), CPoint(x, y + kPitchY / 2), start},
                        Pin(previous, true), Pin(part, false), i);
        }
        previous = part;
    }
}

// The chain in a window of 1600 x 1000 pixels at the smallest zoom, with the select tool.
class ChainWindow {
public:
    ChainWindow() : m_previous(SetToolManager(&m_tools)) {
        BenchApplication();
        FillChain(m_doc);
        m_view = std::make_unique<CDrawView>(m_doc);
        m_view->resize(1600, 1000);
        m_view->show();
        m_view->SetZoomFactor(0.3f);
        m_view->CenterOnPoint(POINT{30000, -30000});
        Settle();
    }
    ~ChainWindow() {
        m_view.reset();
        SetToolManager(m_previous);
    }
    ChainWindow(const ChainWindow&) = delete;
    ChainWindow& operator=(const ChainWindow&) = delete;

    CDrawView& View() { return *m_view; }
    CDrawDoc& Doc() { return m_doc; }

    // Runs the window's events: it repaints what was marked for repainting.
    static void Settle() { QApplication::processEvents(); }
    // Presses on the first resistor's body and drags the selection 2 inches right in ten steps.
    void DragAll() {
        CDrawTool* tool = m_tools.CurrentTool();
        const CPoint press = m_view->DocToClient(CPoint(700, -500));
        tool->OnLButtonDown(*m_view, kToolLeftButton, press);
        for (int step = 1; step <= 10; ++step)
            tool->OnMouseMove(*m_view, kToolLeftButton, press + CSize(step * 58, 0));
        tool->OnLButtonUp(*m_view, 0, press + CSize(580, 0));
    }

private:
    ToolManager m_tools;
    ToolManager* m_previous;
    CDrawDoc m_doc;
    std::unique_ptr<CDrawView> m_view;
};

// Like the application, never destroyed: its window would go after Qt's globals.
ChainWindow& Window() {
    static auto* window = new ChainWindow;
    return *window;
}

void BM_SelectAll(benchmark::State& state) {
    ChainWindow& window = Window();
    for (auto _ : state) {
        state.PauseTiming();
        window.View().Select(nullptr, false);
        window.Settle();
        state.ResumeTiming();
        window.View().SelectAll();
        window.Settle();
    }
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

void BM_MoveAll(benchmark::State& state) {
    ChainWindow& window = Window();
    window.View().SelectAll();
    for (auto _ : state) {
        window.DragAll();
        window.Settle();
        state.PauseTiming();
        window.Doc().GetUndoList().Undo();
        window.Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MoveAll)->Unit(benchmark::kMillisecond);

void BM_UndoMoveAll(benchmark::State& state) {
    ChainWindow& window = Window();
    window.View().SelectAll();
    for (auto _ : state) {
        state.PauseTiming();
        window.DragAll();
        window.Settle();
        state.ResumeTiming();
        window.Doc().GetUndoList().Undo();
        window.Settle();
    }
}
BENCHMARK(BM_UndoMoveAll)->Unit(benchmark::kMillisecond);

// The repaint alone, which each action above ends with.
void BM_RepaintAll(benchmark::State& state) {
    ChainWindow& window = Window();
    window.View().SelectAll();
    for (auto _ : state) {
        window.View().viewport()->update();
        window.Settle();
    }
}
BENCHMARK(BM_RepaintAll)->Unit(benchmark::kMillisecond);

void BM_ZoomOutAtTheLimit(benchmark::State& state) {
    ChainWindow& window = Window();
    window.View().Select(nullptr, false);
    window.Settle();
    for (auto _ : state) {
        window.View().ZoomOut(1.25f);
        window.Settle();
    }
}
BENCHMARK(BM_ZoomOutAtTheLimit)->Unit(benchmark::kMillisecond);

}  // namespace
