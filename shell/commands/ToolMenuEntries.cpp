#include "shell/commands/ToolMenuEntries.h"

#include <algorithm>
#include <array>

#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"

namespace {

constexpr int kMaxTools = 10;
constexpr int kMaxEntries = 5;

// The entries for count tools whose names are read from section, tool firstTool onwards.
std::vector<ToolMenuEntry> Entries(const SettingsStore& settings, const char* section,
                                   const std::array<UINT, kMaxEntries>& ids, int count,
                                   int firstTool) {
    if (count <= 0)
        return {{ids[0], "none\t "}};
    std::vector<ToolMenuEntry> entries;
    for (int k = 0; k < std::min(count, kMaxEntries); ++k) {
        const std::string entry = "Tool" + std::to_string(firstTool + k) + ".Name";
        entries.push_back(
            {ids[k], settings.GetProfileString(section, entry.c_str(), "").str() + "\t "});
    }
    return entries;
}

int StoredToolCount(const SettingsStore& settings, const char* section) {
    const int stored = static_cast<int>(settings.GetProfileInt(section, "UserTools", 0));
    return std::clamp(stored, 0, kMaxTools);
}

}  // namespace

std::vector<ToolMenuEntry> UserToolMenuEntries(const SettingsStore& settings) {
    constexpr std::array<UINT, kMaxEntries> ids = {
        ID_TOOL_FIRST, ID_TOOL_FIRST + 1, ID_TOOL_FIRST + 2, ID_TOOL_FIRST + 3, ID_TOOL_LAST};
    return Entries(settings, "Tools", ids, StoredToolCount(settings, "Tools") - 2, 3);
}

std::vector<ToolMenuEntry> SimulatorMenuEntries(const SettingsStore& settings) {
    constexpr std::array<UINT, kMaxEntries> ids = {ID_SIMULATOR_FIRST, ID_SIMULATOR_2,
                                                   ID_SIMULATOR_2 + 1, ID_SIMULATOR_2 + 2,
                                                   ID_SIMULATOR_LAST};
    return Entries(settings, "Simulator", ids, StoredToolCount(settings, "Simulator"), 1);
}
