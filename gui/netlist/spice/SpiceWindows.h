#pragma once
// The Spice writer's windows as the application installs them: the options sheet and the
// reference-net dialog, shown modally over the active window.

#include "netlist/spice/SpiceUi.h"

class CSpiceWindows : public ISpiceUi {
public:
    BOOL EditOptions(CDocNetlist* walker) override;
    BOOL ChooseReferenceNet(CDocNetlist& walker, CString& net) override;
};
