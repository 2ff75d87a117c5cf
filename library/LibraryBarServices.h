#pragma once
// The Files page of the workspace bar as the rest of the program reaches it: its library list
// and folder tree, the library selected on it, and bringing it to the front. The application
// installs it; without a Files page every call does nothing.

#include "platform/CString.h"
#include "platform/Installed.h"
#include "platform/Types.h"

class CLibraryFile;

class ILibraryBarServices {
public:
    virtual ~ILibraryBarServices() = default;
    // Refill the library list after a library file changed, or the folder tree after the
    // library folders changed.
    virtual void RefreshLibraryList() {}
    virtual void RefreshLibraryFolders() {}
    // Opens the selected library into library in the given mode; with a null library only
    // tells whether one is selected. FALSE when there is no Files page.
    virtual BOOL OpenSelectedLibrary(CLibraryFile* /*library*/, UINT /*mode*/) { return FALSE; }
    // The path of the selected library, for messages; empty when none is selected.
    virtual CString SelectedLibraryPath() const { return CString(); }
    // Expands the folder tree to path, selects it and shows the workspace bar.
    virtual void SelectLibraryPath(const CString& /*path*/) {}
    // Brings the Files page to the front of the workspace bar.
    virtual void ShowLibraryPage() {}
};

// The installed Files page, else one that does nothing.
inline ILibraryBarServices& GetLibraryBarServices() {
    return Installed<ILibraryBarServices>::Get();
}
