#include "gui/kit/UserLibraryFolder.h"

#include "gui/kit/StoredText.h"
#include "model/app/PathMacros.h"
#include "model/app/SchematicApp.h"

QString UserLibraryFolder(SettingsStore& settings) {
    return FromStoredText(ExpandedPath("$(UserLibDir)", settings).str());
}

QString UserLibraryFolder() {
    CSchematicApp* app = GetApp();
    return app ? UserLibraryFolder(app->Settings()) : QString();
}
