#pragma once
// The windows of the design-rule check as the rest of the program reaches them. The
// application installs them; without them every call does nothing.

#include "platform/Installed.h"

class IDrcServices {
public:
    virtual ~IDrcServices() = default;
    // Brings the design-rule page of the workspace bar to the front; it then checks the active
    // schematic.
    virtual void ShowDrcPage() {}
    // The design-rule set-up sheet.
    virtual void ShowDrcSetup() {}
};

// The installed windows, else ones that do nothing.
inline IDrcServices& GetDrcServices() {
    return Installed<IDrcServices>::Get();
}
