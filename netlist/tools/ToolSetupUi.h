#pragma once
// The "Custom Tools Setup" sheet as the tool run needs it: a fixed tool without a command sends
// the user there. The window shell installs the sheet; without one it is never shown.

#include "platform/Installed.h"

class IToolSetupUi {
public:
    virtual ~IToolSetupUi() = default;
    // Shows the custom tools of "Tools" with the tool at initialTool (from 0) shown first;
    // true when the sheet was closed with OK.
    virtual bool EditCustomTools(int /*initialTool*/) { return false; }
};
