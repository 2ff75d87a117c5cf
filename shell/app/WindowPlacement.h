#pragma once
// The main window's placement as the settings keep it ("Settings"/"WindowPos"): ten numbers,
// "flags,show command,min x,min y,max x,max y,left,top,right,bottom".

#include <optional>
#include <string>

#include "platform/GdiTypes.h"
#include "platform/Types.h"

class QWidget;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;

// Placement flag: a minimised window comes back maximised.
constexpr UINT WPF_RESTORETOMAXIMIZED = 2;

struct WindowPlacement {
    UINT flags = 0;
    UINT showCmd = SW_SHOWNORMAL;
    POINT minPosition{-1, -1};
    POINT maxPosition{-1, -1};
    RECT normal{};  // right and bottom exclusive
};

std::string FormatWindowPlacement(const WindowPlacement& placement);
// The placement of text, or nothing when text does not start with ten comma-separated
// numbers (blanks allowed before each number) or the normal rectangle is empty.
std::optional<WindowPlacement> ParseWindowPlacement(const std::string& text);

// How to show a window restored from placement when the program was started with
// startShowCmd: a start command other than SW_SHOWNORMAL wins; a stored minimised or hidden
// state comes back normal, or maximised when the flags say so.
int ResolveShowCommand(const WindowPlacement& placement, int startShowCmd);

// Shows window as showCmd asks: hidden, maximised, minimised or normal.
void ShowWithCommand(QWidget& window, int showCmd);
