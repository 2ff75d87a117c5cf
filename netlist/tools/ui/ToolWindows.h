#pragma once
// The custom tools' windows as the application installs them: programs are started detached
// with their argument list, and the set-up sheet is shown modally over the active window.

#include "netlist/tools/ProcessLauncher.h"
#include "netlist/tools/ToolSetupUi.h"

// A program file (or a name found on the search path) is started with its arguments in the
// directory; any other existing file is opened with the desktop's application for it.
class CToolLauncher : public IProcessLauncher {
public:
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::string& directory) override;
};

class CToolSetupWindow : public IToolSetupUi {
public:
    bool EditCustomTools(int initialTool) override;
};
