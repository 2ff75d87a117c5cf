#pragma once
// The desktop's launcher: existing documents open with the program the desktop chooses for
// them, programs start on their own with an argument list (no shell reads it).

#include "platform/ProgramLauncher.h"

class CDesktopLauncher : public IProgramLauncher {
public:
    bool OpenDocument(const CString& path) override;
    bool StartProgram(const CString& program, const std::vector<CString>& arguments,
                      const CString& directory) override;
};
