#include <QApplication>

#include "platform/AppIdentity.h"
#include "platform/SettingsStore.h"
#include "shell/app/SchematicQtApp.h"
#include "shell/help/HelpService.h"

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setOrganizationName(kRegistryKey);
    CSchematicQtApp app(SettingsStore::DefaultFilePath(), HelpService::DefaultFolders());
    return app.Run(QApplication::arguments().mid(1));
}
