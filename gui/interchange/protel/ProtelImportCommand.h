#pragma once
// "&File", "&Import", "&Protel File": the user picks a Protel binary schematic, binary library or
// DOS schematic, the chosen file filter deciding the format; schematics become new documents,
// a library is added to a library file the user picks. The steps are written to the Output bar.

#include <functional>
#include <ostream>
#include <string>

#include "interchange/protel/ProtelImportRun.h"

class QWidget;
class SettingsStore;

// The filter texts of the Open dialog, in the order of their indexes 1 to 3.
extern const char* const kProtelFileFilters[3];

struct ProtelFileChoice {
    std::string path;  // empty when the user cancelled
    int filter = 1;    // 1 binary schematic, 2 binary library, 3 DOS schematic
};

struct ProtelImportSeams {
    std::function<ProtelFileChoice(QWidget* parent, const std::string& folder, int filter)>
        chooseFile;
    // The library file to add to, or empty when cancelled.
    std::function<std::string(QWidget* parent, const std::string& folder)> chooseLibrary;
    ProtelDocumentHooks documents;
    // Refreshes the Files page, selects the library written there (none when empty) and shows
    // the Workspace bar.
    std::function<void(const std::string& library)> showLibraries;
};

ProtelFileChoice AskForProtelFile(QWidget* parent, const std::string& folder, int filter);
std::string AskForProtelTargetLibrary(QWidget* parent, const std::string& folder);

// Runs the command, its steps written to log; settings keep the folder and the filter, and
// the library dialog starts in the user's library folder ("$(UserLibDir)").
void RunProtelImport(QWidget* parent, SettingsStore& settings, std::ostream& log,
                     const ProtelImportSeams& seams);
