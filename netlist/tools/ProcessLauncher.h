#pragma once
// Starting an external program for the custom tools. The window shell installs a launcher
// that starts the program detached with the arguments as a list (never through a shell) and
// opens a file that is no program with its usual application; without one nothing starts.

#include <string>
#include <vector>

#include "platform/Installed.h"

class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;
    // Starts program with args in directory (the current folder when empty); false when it
    // could not be started.
    virtual bool Start(const std::string& /*program*/, const std::vector<std::string>& /*args*/,
                       const std::string& /*directory*/) {
        return false;
    }
};
