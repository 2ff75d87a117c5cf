#pragma once
// The custom tools' set-up sheet as the application installs it: shown modally over the
// active window.

#include "netlist/tools/ToolSetupUi.h"

class CToolSetupWindow : public IToolSetupUi {
public:
    bool EditCustomTools(int initialTool) override;
};
