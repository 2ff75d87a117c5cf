#include <QApplication>

#include "shell/MainFrame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vosk Schematic");
    QApplication::setOrganizationName("Fenwyk Systems");
    CMainFrame frame;
    frame.show();
    return app.exec();
}
