#pragma once
// The names under which the application presents itself and keeps its settings.

// Title of the main window and caption of message boxes.
inline constexpr const char kApplicationTitle[] = "Vosk Schematic";
// Vendor key; the settings live under <vendor>/<title>.
inline constexpr const char kRegistryKey[] = "Fenwyk Systems";
// The program's version, as the About box and the files the program writes name it.
inline constexpr const char kProductVersion[] = "2.0";
