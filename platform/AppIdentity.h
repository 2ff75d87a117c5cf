#pragma once
// The names under which the application presents itself and keeps its settings.

// Title of the main window and caption of message boxes.
inline constexpr const char kApplicationTitle[] = "Vosk Schematic";
// Vendor key; the settings live under <vendor>/<title>.
inline constexpr const char kRegistryKey[] = "Fenwyk Systems";
