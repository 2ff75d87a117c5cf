#include <QApplication>
#include <cstdio>
#include <exception>

#include "platform/AppIdentity.h"
#include "platform/SettingsStore.h"
#include "shell/MainFrame.h"
#include "shell/WindowPlacement.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setOrganizationName(kRegistryKey);
    SettingsStore settings(SettingsStore::DefaultFilePath());
    CMainFrame frame(settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    const int result = app.exec();
    try {
        settings.Save();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return result;
}
