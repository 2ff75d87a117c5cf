// Repaints of a drawing window shown at 1600 x 1000 on a desktop-sized offscreen screen: a sheet
// of 10,000 shapes shown whole ("zoom to page") and at a close zoom, and a chain of 10,000
// wired parts at "zoom to page" and zoomed out to about a thousand parts. The counter "visible"
// tells how many shapes, or parts, met the window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>
#include <string>

#include "bench/shell/BenchApplication.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "shell/view/DrawView.h"

namespace {

constexpr int kWindowWidth = 1600;
constexpr int kWindowHeight = 1000;

// 100 x 100 rectangles, each 80 x 60 units, spread over the drawing area.
void FillShapes(CDrawDoc& doc) {
    CObList shapes;
    for (int row = 0; row < 100; ++row) {
        for (int column = 0; column < 100; ++column) {
            const int x = 100 + column * 110;
            const int y = -100 - row * 75;
            shapes.AddTail(new CDrawRect(CRect(x, y, x + 80, y - 60)));
        }
    }
    doc.AddObjects(&shapes);
}

constexpr int kParts = 10000;
constexpr int kPartsPerRow = 100;
constexpr LONG kPartPitchX = 600;
constexpr LONG kPartPitchY = 1000;

CPin* AddPin(CSymbol& symbol, const char* id, CPoint body, CPoint hot) {
    auto* pin = new CPin(&symbol);
    pin->SetEnds(body, hot);
    pin->SetAttr("_ID", id, kSetAttrForce);
    symbol.GetPins().AddTail(pin);
    return pin;
}

// A two-pin part at (x, y): a body 200 x 100 units, pins left and right, its identifier shown
// above it.
CSymbol* AddPart(CDrawDoc& doc, int index, LONG x, LONG y) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetAttr("_ID", ("R" + std::to_string(index + 1)).c_str(), kSetAttrForce);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(x - 100, y + 50, x + 100, y - 50)));
    AddPin(*symbol, "1", CPoint(x - 100, y), CPoint(x - 200, y));
    AddPin(*symbol, "2", CPoint(x + 100, y), CPoint(x + 200, y));
    symbol->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(symbol);
    auto* text = new CAttrText(CRect(x - 100, y + 150, x + 100, y + 70));
    text->Bind(symbol, "_ID");
    symbol->GetAttrTextList()->AddTail(text);
    doc.GetObjects().AddTail(text);
    return symbol;
}

void AddWire(CDrawDoc& doc, CPin* from, CPin* to) {
    auto* wire = new CWire;
    wire->AddPoint(from->GetConnectPoint());
    wire->AddPoint(to->GetConnectPoint());
    wire->SetDocument(&doc);
    doc.GetObjects().AddTail(wire);
    wire->SetStartObject(from);
    wire->SetEndObject(to);
}

// Rows of parts, each wired to the next from its right pin to the next one's left pin.
void FillChain(CDrawDoc& doc) {
    CSymbol* previous = nullptr;
    for (int i = 0; i < kParts; ++i) {
        const LONG x = 300 + (i % kPartsPerRow) * kPartPitchX;
        const LONG y = -300 - (i / kPartsPerRow) * kPartPitchY;
        CSymbol* part = AddPart(doc, i, x, y);
        if (previous)
            AddWire(doc, static_cast<CPin*>(previous->GetPins().GetTail()),
                    static_cast<CPin*>(part->GetPins().GetHead()));
        previous = part;
    }
}

bool Meets(const CDrawObj& object, const CRect& area) {
    CRect bounds;
    object.GetBoundingRect(bounds);
    bounds.NormalizeRect();
    CRect common;
    return common.IntersectRect(bounds, area) != FALSE;
}

// The objects of the kind counted that meet the window.
int CountVisible(const CDrawDoc& doc, const CDrawView& view, const CRuntimeClass* counted) {
    const QSize size = view.viewport()->size();
    const CPoint a = view.ClientToDoc(CPoint(0, 0));
    const CPoint b = view.ClientToDoc(CPoint(size.width(), size.height()));
    CRect area(a.x, a.y, b.x, b.y);
    area.NormalizeRect();
    int count = 0;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        const auto* object = static_cast<const CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->IsKindOf(counted) && Meets(*object, area))
            ++count;
    }
    return count;
}

using Framing = std::function<void(CDrawView&)>;

void ZoomToPage(CDrawView& view) {
    view.GetDocument().UpdateAllViews(nullptr, kHintZoomToFit);
}

void Repaint(benchmark::State& state, void (*fill)(CDrawDoc&), const CRuntimeClass* counted,
             const Framing& framing) {
    BenchApplication();
    CDrawDoc doc;
    fill(doc);
    CDrawView view(doc);
    view.resize(kWindowWidth, kWindowHeight);
    view.show();
    QApplication::processEvents();
    ZoomToPage(view);
    framing(view);
    QApplication::processEvents();
    for (auto _ : state)
        view.viewport()->repaint();
    state.counters["visible"] = CountVisible(doc, view, counted);
}

void BM_RepaintWholeSheet(benchmark::State& state) {
    Repaint(state, FillShapes, RUNTIME_CLASS(CDrawRect), ZoomToPage);
}
BENCHMARK(BM_RepaintWholeSheet)->Unit(benchmark::kMillisecond);

void BM_RepaintCloseUp(benchmark::State& state) {
    Repaint(state, FillShapes, RUNTIME_CLASS(CDrawRect), [](CDrawView& view) {
        view.SetZoomFactor(4.0f);
        view.CenterOnPoint(POINT{5000, -3000});
    });
}
BENCHMARK(BM_RepaintCloseUp)->Unit(benchmark::kMillisecond);

void BM_RepaintChainPage(benchmark::State& state) {
    Repaint(state, FillChain, RUNTIME_CLASS(CSymbol), ZoomToPage);
}
BENCHMARK(BM_RepaintChainPage)->Unit(benchmark::kMillisecond);

void BM_RepaintChainZoomedOut(benchmark::State& state) {
    Repaint(state, FillChain, RUNTIME_CLASS(CSymbol), [](CDrawView& view) {
        view.SetZoomFactor(view.ZoomFactor() / 3.7f);
        view.CenterOnPoint(POINT{30000, -25000});
    });
}
BENCHMARK(BM_RepaintChainZoomedOut)->Unit(benchmark::kMillisecond);

}  // namespace
