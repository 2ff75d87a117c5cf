#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <cstdio>
#include <exception>

#include "platform/AppIdentity.h"
#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "shell/AboutDlg.h"
#include "shell/AboutProduct.h"
#include "shell/HelpService.h"
#include "shell/MainFrame.h"
#include "shell/WindowPlacement.h"

namespace {

// The application's own commands: help, the web pages and the About box.
void AddApplicationCommands(CommandMap& app, CMainFrame& frame, HelpService& help) {
    app.On(ID_HELP_SEARCH, [&help] { help.DisplaySearch(); });
    app.On(ID_HELP_TUTORIAL, [&help] { help.DisplayTopic("html\\tutorial.htm"); });
    app.On(ID_HELP_HOME_PAGE, [] { QDesktopServices::openUrl(QUrl(kProductHomePage)); });
    app.On(ID_HELP_MAKER_PAGE, [] { QDesktopServices::openUrl(QUrl(kMakerHomePage)); });
    app.On(ID_APP_ABOUT, [&frame] { CAboutDlg(&frame).exec(); });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setOrganizationName(kRegistryKey);
    SettingsStore settings(SettingsStore::DefaultFilePath());
    HelpService help(HelpService::DefaultFolders());
    CMainFrame frame(settings);
    frame.setHelpHandler([&help](DWORD data, UINT command) { help.WinHelp(data, command); });
    CommandMap appCommands;
    AddApplicationCommands(appCommands, frame, help);
    frame.router().SetApplicationTarget(&appCommands);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    const int result = app.exec();
    try {
        settings.Save();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return result;
}
