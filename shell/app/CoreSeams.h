#pragma once
// Every interface through which the core reaches the user and the windows, installed in one
// place. The application's own services (the application object implements them: its
// services, the Files page, the design-rule windows and the document windows) are installed
// for the application object's whole life. The windows that ask the user (message boxes, the
// "Nets Shorted" dialog, the wire and bus sheets, the bill of materials options, the Spice
// writer's options and reference-net dialog, the custom tools' set-up sheet, the Generate
// Report dialog and its output windows, the Search Libraries dialog of the pickers), the
// launchers of programs and documents, the standard library's connector symbols and the text
// metrics of the screen's fonts are installed by a run of the program; tests that make the
// application script their own.
// Everything is uninstalled, the replaced ones put back, when the application object ends.

#include <memory>

#include "drc/DrcServices.h"
#include "library/LibraryBarServices.h"
#include "model/doc/DocumentWindows.h"
#include "platform/AppServices.h"
#include "platform/Installed.h"

class CSchematicQtApp;

class CCoreSeams {
public:
    explicit CCoreSeams(CSchematicQtApp& app);
    ~CCoreSeams();
    CCoreSeams(const CCoreSeams&) = delete;
    CCoreSeams& operator=(const CCoreSeams&) = delete;

    // Installs the windows that ask the user, the connector symbols and the text metrics, at
    // the start of a run.
    void InstallWindows();

private:
    struct Windows;

    CSchematicQtApp& m_app;
    ScopedInstall<IAppServices> m_services;
    ScopedInstall<ILibraryBarServices> m_libraryBar;
    ScopedInstall<IDrcServices> m_drc;
    ScopedInstall<IDocumentWindows> m_documentWindows;
    std::unique_ptr<Windows> m_windows;  // uninstalled before the services
};
