#pragma once
// Running a custom tool on a schematic: the tool's texts are expanded for the document, the
// report it asks for is written with the chosen writer, then its program is started with its
// arguments. Problems are told to the user through the installed prompt.

#include "platform/Types.h"

class CDrawDoc;

constexpr const char* kToolsSection = "Tools";
constexpr const char* kSimulatorSection = "Simulator";

// Runs tool number (1 to 7) of section on document. In "Tools" a fixed tool (1 the PCB Editor,
// 2 the PLD Compiler) without a command offers the set-up sheet first and runs again after it
// closed with OK. TRUE when everything the tool asks for was done.
BOOL RunTool(int number, CDrawDoc& document, const char* section = kToolsSection);
