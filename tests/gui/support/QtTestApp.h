#pragma once
// One QApplication for a whole test program, created on first use. On the offscreen platform
// the screen is made desktop-sized (1600 x 1000) instead of the platform's 800 x 800, so that
// windows get the sizes they would have on a desktop.

#include <QApplication>

class QtTestApp {
public:
    static QApplication& ensure() {
        static int argc = 1;
        static char name[] = "vosk-tests";
        static char* argv[] = {name, nullptr};
        static QApplication* app = QApplication::instance() ? nullptr : create(argc, argv);
        (void)app;
        return *qApp;
    }

private:
    static QApplication* create(int& argc, char** argv) {
        if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VOSK_SOURCE_DIR
                                       "/tests/gui/support/offscreen-screen.json");
        return new QApplication(argc, argv);
    }
};
