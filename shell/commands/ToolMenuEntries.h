#pragma once
// The entries of the Run Tool and Select Simulator menus, from the tool settings: the user
// tools are "Tools" tools 3 to 7 (1 and 2 are the PCB and PLD tools), the simulators
// "Simulator" tools 1 to 5. An empty list shows the single entry "none".

#include <string>
#include <vector>

#include "platform/Types.h"

class SettingsStore;

struct ToolMenuEntry {
    UINT id;
    std::string text;
};

std::vector<ToolMenuEntry> UserToolMenuEntries(const SettingsStore& settings);
std::vector<ToolMenuEntry> SimulatorMenuEntries(const SettingsStore& settings);
