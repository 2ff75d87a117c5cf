// Everyday editing of 10,000 wired resistors as the schematic view runs it: Select All,
// dragging everything with the select tool (the step that starts the drag, each later step,
// and a whole drag), undoing that drag, a Zoom Out click at the smallest zoom, and a step of
// panning with the middle button held, through the mouse events the view gets. Each run ends
// with the window's repaint.
//
// Two sheets: a chain of resistors spread over a 62" x 122" sheet, and the same chain packed
// into 48" x 48" on a 50" sheet. The arguments are the sheet (0 chain, 1 packed) and the zoom
// in percent; the counter "zoom" tells the zoom the view took (a large sheet limits it).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <map>
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
// How far each drag step takes the selection, right or left of where it started.
constexpr LONG kDragReach = 450;
// Runs of the benchmarks whose untimed set-up takes longer than what they time.
constexpr int kSetUpHeavyRuns = 5;

// Where the resistors go: the paper, the first resistor's left pin end and the distances
// between neighbours.
struct SheetLayout {
    CSize paper;
    CPoint first;
    LONG pitchX;
    LONG pitchY;
};

constexpr int kChain = 0;
constexpr int kPacked = 1;

SheetLayout LayoutOf(int sheet) {
    if (sheet == kPacked)
        return {CSize(50000, -50000), CPoint(740, -740), 480, 480};
    return {CSize(62000, -122000), CPoint(500, -500), 600, 1200};
}

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

CPoint PartPosition(const SheetLayout& layout, int i) {
    return layout.first + CSize((i % kColumns) * layout.pitchX, -(i / kColumns) * layout.pitchY);
}

// Rows of 100 resistors joined end to end; each row's end is wired to the next row's start.
void FillChain(CDrawDoc& doc, const SheetLayout& layout) {
    doc.SetPaperSize(layout.paper.cx, layout.paper.cy);
    CSymbol* previous = nullptr;
    for (int i = 0; i < kParts; ++i) {
        const CPoint start = PartPosition(layout, i);
        CSymbol* part = AddResistor(doc, start.x, start.y, i + 1);
        if (previous) {
            const CPoint end = Pin(previous, true)->GetConnectPoint();
            const LONG between = start.y + layout.pitchY / 2;
            if (i % kColumns)
                AddWire(doc, {end, start}, Pin(previous, true), Pin(part, false), i);
            else
                AddWire(doc, {end, CPoint(end.x, between), CPoint(start.x, between), start},
                        Pin(previous, true), Pin(part, false), i);
        }
        previous = part;
    }
}

// A sheet in a window of 1600 x 1000 pixels with the select tool.
class SheetWindow {
public:
    explicit SheetWindow(int sheet) : m_previous(SetToolManager(&m_tools)) {
        BenchApplication();
        const SheetLayout layout = LayoutOf(sheet);
        FillChain(m_doc, layout);
        // The outline of the body of the resistor in the middle of the sheet.
        m_press = PartPosition(layout, kParts / 2 + kColumns / 2) + CSize(200, 50);
        m_view = std::make_unique<CDrawView>(m_doc);
        m_view->resize(1600, 1000);
        m_view->show();
        ShowAt(30);
    }
    ~SheetWindow() {
        m_view.reset();
        SetToolManager(m_previous);
    }
    SheetWindow(const SheetWindow&) = delete;
    SheetWindow& operator=(const SheetWindow&) = delete;

    CDrawView& View() { return *m_view; }
    CDrawDoc& Doc() { return m_doc; }

    // Runs the window's events: it repaints what was marked for repainting.
    static void Settle() { QApplication::processEvents(); }
    // The zoom, centred on the middle resistor, with nothing selected. The view asks the
    // program's tools, which are this window's while it is used.
    void ShowAt(int percent) {
        SetToolManager(&m_tools);
        m_view->Select(nullptr, false);
        m_view->SetZoomFactor(float(percent) / 100.0f);
        m_view->CenterOnPoint(m_press);
        Settle();
    }
    // Presses on the middle resistor's outline.
    void Press() { Tool()->OnLButtonDown(*m_view, kToolLeftButton, m_view->DocToClient(m_press)); }
    // Drag step number step takes the selection right of where it started when odd, left
    // when even.
    void DragStep(int step) {
        const CSize reach(step % 2 ? kDragReach : -kDragReach, 0);
        Tool()->OnMouseMove(*m_view, kToolLeftButton, m_view->DocToClient(m_press + reach));
    }
    void Cancel() { m_tools.EndGesture(*m_view, GestureEnd::Cancel); }
    // A mouse event at a point of the window, with the middle button held or not.
    void Mouse(QEvent::Type type, QPoint at, bool held) {
        const QPointF point(at);
        QMouseEvent event(type, point, m_view->viewport()->mapToGlobal(point),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::MiddleButton,
                          held ? Qt::MiddleButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_view->viewport(), &event);
    }
    // A whole drag of ten steps.
    void DragAll() {
        Press();
        for (int step = 1; step <= 10; ++step)
            DragStep(step);
        Tool()->OnLButtonUp(*m_view, 0, m_view->DocToClient(m_press + CSize(-kDragReach, 0)));
    }

private:
    CDrawTool* Tool() { return m_tools.CurrentTool(); }

    ToolManager m_tools;
    ToolManager* m_previous;
    CDrawDoc m_doc;
    CPoint m_press;
    std::unique_ptr<CDrawView> m_view;
};

// Like the application, never destroyed: its window would go after Qt's globals.
SheetWindow& Window(const benchmark::State& state) {
    static std::map<int, SheetWindow*> windows;
    const int sheet = int(state.range(0));
    SheetWindow*& window = windows[sheet];
    if (!window)
        window = new SheetWindow(sheet);
    window->ShowAt(int(state.range(1)));
    return *window;
}

void CountZoom(benchmark::State& state, SheetWindow& window) {
    state.counters["zoom"] = window.View().ZoomFactor();
}

void SheetsAndZooms(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)->ArgNames({"sheet", "zoom"});
    for (const int sheet : {kChain, kPacked}) {
        for (const int zoom : {30, 100, 400})
            bench->Args({sheet, zoom});
    }
}

void BM_SelectAll(benchmark::State& state) {
    SheetWindow& window = Window(state);
    for (auto _ : state) {
        state.PauseTiming();
        window.View().Select(nullptr, false);
        window.Settle();
        state.ResumeTiming();
        window.View().SelectAll();
        window.Settle();
    }
    CountZoom(state, window);
}
BENCHMARK(BM_SelectAll)->Apply(SheetsAndZooms);

// The step that starts dragging everything.
void BM_FirstDragStep(benchmark::State& state) {
    SheetWindow& window = Window(state);
    window.View().SelectAll();
    for (auto _ : state) {
        state.PauseTiming();
        window.Press();
        window.Settle();
        state.ResumeTiming();
        window.DragStep(1);
        window.Settle();
        state.PauseTiming();
        window.Cancel();
        window.Settle();
        state.ResumeTiming();
    }
    CountZoom(state, window);
}
BENCHMARK(BM_FirstDragStep)->Apply(SheetsAndZooms)->Iterations(kSetUpHeavyRuns);

// Each later step of dragging everything.
void BM_DragStep(benchmark::State& state) {
    SheetWindow& window = Window(state);
    window.View().SelectAll();
    window.Press();
    window.DragStep(1);
    window.Settle();
    int step = 2;
    for (auto _ : state) {
        window.DragStep(step++);
        window.Settle();
    }
    window.Cancel();
    window.Settle();
    CountZoom(state, window);
}
BENCHMARK(BM_DragStep)->Apply(SheetsAndZooms);

void BM_MoveAll(benchmark::State& state) {
    SheetWindow& window = Window(state);
    window.View().SelectAll();
    for (auto _ : state) {
        window.DragAll();
        window.Settle();
        state.PauseTiming();
        window.Doc().GetUndoList().Undo();
        window.Settle();
        state.ResumeTiming();
    }
    CountZoom(state, window);
}
BENCHMARK(BM_MoveAll)->Apply(SheetsAndZooms);

void BM_UndoMoveAll(benchmark::State& state) {
    SheetWindow& window = Window(state);
    window.View().SelectAll();
    for (auto _ : state) {
        state.PauseTiming();
        window.DragAll();
        window.Settle();
        state.ResumeTiming();
        window.Doc().GetUndoList().Undo();
        window.Settle();
    }
    CountZoom(state, window);
}
BENCHMARK(BM_UndoMoveAll)->Apply(SheetsAndZooms)->Iterations(kSetUpHeavyRuns);

// The repaint alone, which each action above ends with.
void BM_RepaintAll(benchmark::State& state) {
    SheetWindow& window = Window(state);
    window.View().SelectAll();
    for (auto _ : state) {
        window.View().viewport()->update();
        window.Settle();
    }
    CountZoom(state, window);
}
BENCHMARK(BM_RepaintAll)->Apply(SheetsAndZooms);

// Each step of a pan with the middle button: the sheet follows the mouse 24 pixels down or up,
// and the window repaints as it would before the next mouse event.
void BM_PanStep(benchmark::State& state) {
    SheetWindow& window = Window(state);
    const QPoint middle(800, 500);
    window.Mouse(QEvent::MouseButtonPress, middle, true);
    int step = 0;
    for (auto _ : state) {
        window.Mouse(QEvent::MouseMove, middle + QPoint(0, step++ % 2 ? 0 : 24), true);
        window.Settle();
    }
    window.Mouse(QEvent::MouseButtonRelease, middle, false);
    window.Settle();
    CountZoom(state, window);
}
BENCHMARK(BM_PanStep)->Apply(SheetsAndZooms);

void BM_ZoomOutAtTheLimit(benchmark::State& state) {
    SheetWindow& window = Window(state);
    for (auto _ : state) {
        window.View().ZoomOut(1.25f);
        window.Settle();
    }
}
BENCHMARK(BM_ZoomOutAtTheLimit)->Unit(benchmark::kMillisecond)->Args({kChain, 30});

}  // namespace
