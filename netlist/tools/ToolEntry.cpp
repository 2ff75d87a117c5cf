#include "netlist/tools/ToolEntry.h"

#include <algorithm>
#include <string>

#include "platform/SettingsStore.h"

namespace {

std::string Key(int number, const char* value) {
    return "Tool" + std::to_string(number) + value;
}

}  // namespace

CToolEntry LoadToolEntry(const SettingsStore& settings, const char* section, int number) {
    auto text = [&](const char* value) {
        return settings.GetProfileString(section, Key(number, value).c_str(), "");
    };
    CToolEntry tool;
    tool.index = number - 1;
    tool.flags = settings.GetProfileInt(section, Key(number, ".Flags").c_str(), 0);
    tool.reportType =
        static_cast<int>(settings.GetProfileInt(section, Key(number, ".ReportType").c_str(), 0));
    tool.reportFile = text(".ReportFile");
    tool.command = text(".Command");
    tool.args = text(".Args");
    tool.directory = text(".Directory");
    tool.name = text(".Name");
    return tool;
}

void SaveToolEntry(SettingsStore& settings, const char* section, int number,
                   const CToolEntry& tool) {
    auto text = [&](const char* value, const CString& field) {
        settings.WriteProfileString(section, Key(number, value).c_str(), field);
    };
    settings.WriteProfileInt(section, Key(number, ".Flags").c_str(), static_cast<int>(tool.flags));
    settings.WriteProfileInt(section, Key(number, ".ReportType").c_str(), tool.reportType);
    text(".ReportFile", tool.reportFile);
    text(".Command", tool.command);
    text(".Args", tool.args);
    text(".Directory", tool.directory);
    text(".Name", tool.name);
}

std::vector<CToolEntry> LoadToolList(const SettingsStore& settings, const char* section,
                                     bool fixedTools) {
    const int stored = static_cast<int>(settings.GetProfileInt(section, "UserTools", 0));
    const int count = std::clamp(stored, fixedTools ? kFixedTools : 0, kMaxTools);
    std::vector<CToolEntry> tools;
    for (int number = 1; number <= count; ++number)
        tools.push_back(LoadToolEntry(settings, section, number));
    if (fixedTools) {
        tools[0].name = "PCB Editor";
        tools[1].name = "PLD Compiler";
    }
    return tools;
}

void SaveToolList(SettingsStore& settings, const char* section,
                  const std::vector<CToolEntry>& tools) {
    settings.WriteProfileInt(section, "UserTools", static_cast<int>(tools.size()));
    for (size_t k = 0; k < tools.size(); ++k)
        SaveToolEntry(settings, section, static_cast<int>(k) + 1, tools[k]);
}
