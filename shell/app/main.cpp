#include <QApplication>

#include "dialogs/commands/NetsShortedDlg.h"
#include "dialogs/objects/WireSheetDlg.h"
#include "library/ConnectorSymbolLibrary.h"
#include "platform/AppIdentity.h"
#include "platform/SettingsStore.h"
#include "shell/app/MessageBoxPrompt.h"
#include "shell/app/SchematicQtApp.h"
#include "shell/help/HelpService.h"

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setOrganizationName(kRegistryKey);
    CMessageBoxPrompt prompt;
    IUserPrompt* previousPrompt = SetUserPrompt(&prompt);
    CNetsShortedChooser chooser;
    INetChooser* previousChooser = SetNetChooser(&chooser);
    CWireSheetRunner sheets;
    IWireSheetRunner* previousSheets = SetWireSheetRunner(&sheets);
    int result = 0;
    {
        CSchematicQtApp app(SettingsStore::DefaultFilePath(), HelpService::DefaultFolders());
        CConnectorSymbolLibrary rails(app.App());
        IConnectorSymbolSource* previousRails = SetConnectorSymbolSource(&rails);
        const bool started = app.InitInstance(QApplication::arguments().mid(1));
        result = app.ExitInstance(started ? QApplication::exec() : app.ExitCode());
        SetConnectorSymbolSource(previousRails);
    }
    SetWireSheetRunner(previousSheets);
    SetNetChooser(previousChooser);
    SetUserPrompt(previousPrompt);
    return result;
}
