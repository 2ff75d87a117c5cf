#pragma once
// What the application's "Options" sheet edits, without its windows: the option boxes and the
// recent-file count (General), the selection and highlight colours, units and embedded-object
// options (Colours and Other Options), the six folders (Directories) and the function keys.

#include <array>
#include <vector>

#include "model/app/FunctionKeys.h"
#include "platform/CString.h"
#include "platform/Types.h"

class CSchematicApp;

inline constexpr char kRecentFilesRestartMessage[] =
    "Changes to the MRU file list size will be applied next time Vosk Schematic starts.";

// The General page.
struct AppGeneralOptions {
    bool reopenFiles = false;
    bool placeOnPaste = false;
    bool zoomToFitOnOpen = false;
    int wheelZoomsIn = 0;  // radio index: 1 when a forward roll zooms in
    int recentFiles = 4;
    int loadedRecentFiles = 4;

    static AppGeneralOptions Load(const CSchematicApp& app);
    // A count of 0 to 10; false with message set otherwise.
    bool ParseRecentFiles(const char* text, CString& message);
    // Sets the four option bits and writes the option word, and the count when it changed;
    // true when the count changed (the caller tells the user it takes effect at the next start).
    bool Apply(CSchematicApp& app) const;
};

// The Colours and Other Options page.
struct AppColourOptions {
    enum Colour : int { kSelect = 0, kSelectDominant, kHighlight, kDrcError, kColourCount };

    std::array<COLORREF, kColourCount> colours{};
    bool metric = false;
    bool drawBorder = false;
    bool restoreSize = false;

    // What each button's "Automatic" entry gives.
    static COLORREF DefaultColour(Colour colour);
    static AppColourOptions Load(const CSchematicApp& app);
    // Stores the colours in the application and its settings and sets option bits 0x02,
    // 0x04 and 0x08 (the others kept).
    void Apply(CSchematicApp& app) const;
};

// The Directories page: "stdlib", "userlib", "spice", "user1", "user2" and "user3". The settings
// hold the folders in stored form ("\home\me\Libraries"); the form holds them as paths of this
// system, as the page shows them and the folder chooser takes them.
struct AppDirectories {
    static constexpr int kCount = 6;
    static const char* const kEntries[kCount];
    std::array<CString, kCount> folders;

    static AppDirectories Load(CSchematicApp& app);
    void Apply(CSchematicApp& app) const;
};

// One command of the main menu, as the Function Keys page lists it.
struct MenuCommand {
    CString label;  // "File | Open..."
    UINT id;
};

// An item's label: its parents and its text joined by " | ", each without "&" and cut at the
// first tab.
CString MenuCommandLabel(const std::vector<CString>& path);

// The keys the Function Keys page lists: the bindable keys less F10, Shift + F10, Ctrl + F4,
// Ctrl + F6 and Ctrl + F10, which keep their own meaning.
std::vector<BindableKey> ListedFunctionKeys();
