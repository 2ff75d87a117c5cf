// One full repaint of a sheet of 10,000 shapes shown whole ("zoom to page"), into an
// offscreen image, and the same at a close zoom where few shapes meet the window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "shell/view/DrawView.h"

namespace {

QApplication& App() {
    // Another benchmark of the program may have made the application already.
    if (auto* existing = qobject_cast<QApplication*>(QApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// 100 x 100 rectangles, each 80 x 60 units, spread over the drawing area.
void FillSheet(CDrawDoc& doc) {
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

void Repaint(benchmark::State& state, bool whole) {
    App();
    CDrawDoc doc;
    FillSheet(doc);
    CDrawView view(doc);
    view.resize(1600, 1000);
    doc.UpdateAllViews(nullptr, kHintZoomToFit);
    if (!whole) {
        view.SetZoomFactor(4.0f);
        view.CenterOnPoint(POINT{5000, -3000});
    }
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.viewport()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_RepaintWholeSheet(benchmark::State& state) {
    Repaint(state, true);
}
BENCHMARK(BM_RepaintWholeSheet)->Unit(benchmark::kMillisecond);

void BM_RepaintCloseUp(benchmark::State& state) {
    Repaint(state, false);
}
BENCHMARK(BM_RepaintCloseUp)->Unit(benchmark::kMillisecond);

}  // namespace
