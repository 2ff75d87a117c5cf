#pragma once
// Opening documents with the programs the desktop chooses and starting programs, for the
// symbols that name a file to open. Programs get their arguments as a list, never through a
// shell. The window shell installs the desktop's launcher; tests a recording one; without one
// nothing opens or starts.

#include <vector>

#include "platform/CString.h"
#include "platform/Installed.h"

class IProgramLauncher {
public:
    virtual ~IProgramLauncher() = default;
    // Opens the document at path with the desktop's program for it; false when nothing could.
    virtual bool OpenDocument(const CString& /*path*/) { return false; }
    // Starts program with the arguments in directory (empty: the current one) and does not
    // wait for it; false when it did not start.
    virtual bool StartProgram(const CString& /*program*/, const std::vector<CString>& /*arguments*/,
                              const CString& /*directory*/) {
        return false;
    }
};

// The installed launcher, else one that opens and starts nothing.
inline IProgramLauncher& GetProgramLauncher() {
    return Installed<IProgramLauncher>::Get();
}
