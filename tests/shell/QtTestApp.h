#pragma once
// One QApplication for a whole test program, created on first use.

#include <QApplication>

class QtTestApp {
public:
    static QApplication& ensure() {
        static int argc = 1;
        static char name[] = "vosk-tests";
        static char* argv[] = {name, nullptr};
        static QApplication* app =
            QApplication::instance() ? nullptr : new QApplication(argc, argv);
        (void)app;
        return *qApp;
    }
};
