#pragma once
// The custom tools of a settings section ("Tools" for the Tools menu, "Simulator" for the
// simulators): up to seven external programs, each optionally writing a report first. The
// first two tools of "Tools" are the fixed PCB Editor and PLD Compiler.

#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class SettingsStore;

constexpr int kMaxTools = 7;
constexpr int kFixedTools = 2;

// Bits of CToolEntry::flags.
constexpr DWORD kToolGenerateReport = 1;   // write a report before running
constexpr DWORD kToolRedirectConsole = 2;  // kept and edited, not used when running
constexpr DWORD kToolExecuteCommand = 4;   // start the command

struct CToolEntry {
    int index = 0;  // position in the tool list
    DWORD flags = 0;
    int reportType = 0;  // position of the report format in the format list
    CString name;
    CString reportFile;
    CString command;
    CString args;
    CString directory;
};

// Tool number (from 1) of section as stored; missing values take their defaults.
CToolEntry LoadToolEntry(const SettingsStore& settings, const char* section, int number);
void SaveToolEntry(SettingsStore& settings, const char* section, int number,
                   const CToolEntry& tool);

// The stored tools of section ("UserTools" of them, at most kMaxTools). With fixedTools there
// are at least two, named "PCB Editor" and "PLD Compiler" whatever is stored.
std::vector<CToolEntry> LoadToolList(const SettingsStore& settings, const char* section,
                                     bool fixedTools);
// Writes "UserTools" and the tools numbered from 1; values of higher numbers stay stored.
void SaveToolList(SettingsStore& settings, const char* section,
                  const std::vector<CToolEntry>& tools);
