#pragma once
// The one Qt application of the shell benchmarks: offscreen, on the fixed screen the GUI tests
// use, made by whichever benchmark runs first and never destroyed (at exit Qt's own globals go
// first, and an application destroyed after them crashes).

#include <QApplication>

inline QApplication& BenchApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" VOSK_SOURCE_DIR "/tests/gui/support/offscreen-screen.json");
    static auto* app = new QApplication(argc, argv);
    return *app;
}
