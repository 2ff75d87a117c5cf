#pragma once
// The application's side of the design-rule check: its rule set, its schematics, and the
// windows of the check as the rest of the program reaches them. The application installs it;
// without it the built-in rules apply, no schematic is open and the windows do nothing.

#include <vector>

#include "platform/Installed.h"

class CDrawDoc;
class CDrcRules;

class IDrcServices {
public:
    virtual ~IDrcServices() = default;
    // Brings the design-rule page of the workspace bar to the front; it then checks the active
    // schematic.
    virtual void ShowDrcPage() {}
    // The design-rule set-up sheet.
    virtual void ShowDrcSetup() {}

    // The rule set of the run.
    virtual CDrcRules& Rules();
    // The schematic of the active window, or null.
    virtual CDrawDoc* ActiveSchematic() { return nullptr; }
    // Every open schematic.
    virtual std::vector<CDrawDoc*> OpenSchematics() { return {}; }
};

// The installed windows, else ones that do nothing.
inline IDrcServices& GetDrcServices() {
    return Installed<IDrcServices>::Get();
}
