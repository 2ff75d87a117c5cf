#pragma once
// The user's library folder ("$(UserLibDir)"), where the library and palette file dialogs
// start: the stored path with its macros expanded, decoded as stored text for the window.

#include <QString>

class SettingsStore;

QString UserLibraryFolder(SettingsStore& settings);
// The same from the application's settings; empty without an application.
QString UserLibraryFolder();
