#include "model/app/AppOptionsForm.h"

#include <algorithm>
#include <cmath>

#include "model/app/OptionalNumber.h"
#include "model/app/SchematicApp.h"
#include "platform/Paths.h"

namespace {

constexpr char kSettings[] = "Settings";
constexpr char kDirectories[] = "Directories";
constexpr int kMaxRecentFiles = 10;
constexpr DWORD kGeneralBits =
    kOptionPlaceOnPaste | kOptionReopenFiles | kOptionZoomToFitOnOpen | kOptionWheelZoomReversed;
constexpr COLORREF kMissingDominantColour = 0x40AF00;

constexpr const char* kColourKeys[AppColourOptions::kColourCount] = {
    "SelectColour", "SelectColourD", "HighlightColour", "DRCErrorColour"};

DWORD Bit(bool on, DWORD bit) {
    return on ? bit : 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// General

AppGeneralOptions AppGeneralOptions::Load(const CSchematicApp& app) {
    AppGeneralOptions options;
    options.reopenFiles = app.Options & kOptionReopenFiles;
    options.placeOnPaste = app.Options & kOptionPlaceOnPaste;
    options.zoomToFitOnOpen = app.Options & kOptionZoomToFitOnOpen;
    options.wheelZoomsIn = (app.Options & kOptionWheelZoomReversed) ? 1 : 0;
    options.recentFiles = int(app.GetProfileInt(kSettings, "MRU File Size", 4));
    options.loadedRecentFiles = options.recentFiles;
    return options;
}

bool AppGeneralOptions::ParseRecentFiles(const char* text, CString& message) {
    double number = 0.0;
    BOOL valid = FALSE;
    if (!ParseOptionalNumber(text, number, valid) || !valid || number != std::floor(number) ||
        number < 0.0 || number > kMaxRecentFiles) {
        message = "Please enter an integer between 0 and 10.";
        return false;
    }
    recentFiles = int(number);
    return true;
}

bool AppGeneralOptions::Apply(CSchematicApp& app) const {
    app.Options = (app.Options & ~kGeneralBits) | Bit(reopenFiles, kOptionReopenFiles) |
                  Bit(placeOnPaste, kOptionPlaceOnPaste) |
                  Bit(zoomToFitOnOpen, kOptionZoomToFitOnOpen) |
                  Bit(wheelZoomsIn == 1, kOptionWheelZoomReversed);
    if (recentFiles == loadedRecentFiles)
        return false;
    app.WriteProfileInt(kSettings, "MRU File Size", recentFiles);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Colours and other options

COLORREF AppColourOptions::DefaultColour(Colour colour) {
    static constexpr COLORREF kDefaults[kColourCount] = {0, 0xFF0000, 0x957EFE, 0x00FFFF};
    return kDefaults[colour];
}

AppColourOptions AppColourOptions::Load(const CSchematicApp& app) {
    AppColourOptions options;
    options.colours[kSelect] = app.GetProfileInt(kSettings, kColourKeys[kSelect], 0);
    options.colours[kSelectDominant] =
        app.GetProfileInt(kSettings, kColourKeys[kSelectDominant], int(kMissingDominantColour));
    options.colours[kHighlight] = app.HighlightColour;
    options.colours[kDrcError] = app.DRCErrorColour;
    options.metric = app.Options & kOptionMetric;
    options.drawBorder = app.Options & kOptionItemFrames;
    options.restoreSize = app.Options & kOptionRestoreItemSize;
    return options;
}

void AppColourOptions::Apply(CSchematicApp& app) const {
    app.SelectColour = colours[kSelect];
    app.SelectColourD = colours[kSelectDominant];
    app.HighlightColour = colours[kHighlight];
    app.DRCErrorColour = colours[kDrcError];
    const bool wasMetric = app.Options & kOptionMetric;
    app.Options = (app.Options & ~(kOptionRestoreItemSize | kOptionItemFrames)) |
                  Bit(drawBorder, kOptionItemFrames) | Bit(restoreSize, kOptionRestoreItemSize);
    // The views learn of a change of units.
    if (metric != wasMetric)
        app.SetUnits(metric);
}

// ---------------------------------------------------------------------------------------------
// Directories

const char* const AppDirectories::kEntries[kCount] = {"stdlib", "userlib", "spice",
                                                      "user1",  "user2",   "user3"};

AppDirectories AppDirectories::Load(CSchematicApp& app) {
    // The library folders come through their macros, which fill in the defaults.
    static constexpr const char* kMacros[3] = {"$(StdLibDir)", "$(UserLibDir)", "$(SpiceDir)"};
    AppDirectories directories;
    for (int i = 0; i < kCount; ++i) {
        CString folder;
        if (i < 3) {
            folder = kMacros[i];
            app.ExpandMacros(folder);
        }
        directories.folders[i] =
            FromStoredPath(app.GetProfileString(kDirectories, kEntries[i], folder));
    }
    return directories;
}

void AppDirectories::Apply(CSchematicApp& app) const {
    for (int i = 0; i < kCount; ++i)
        app.WriteProfileString(kDirectories, kEntries[i], ToStoredPath(folders[i]));
}

// ---------------------------------------------------------------------------------------------
// Function keys

CString MenuCommandLabel(const std::vector<CString>& path) {
    std::string label;
    for (const CString& part : path) {
        std::string text = part.str().substr(0, part.str().find('\t'));
        text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
        if (!label.empty())
            label += " | ";
        label += text;
    }
    return CString(label.c_str());
}

std::vector<BindableKey> ListedFunctionKeys() {
    static constexpr const char* kOwnMeaning[] = {"F10", "Shift + F10", "Ctrl + F4", "Ctrl + F6",
                                                  "Ctrl + F10"};
    std::vector<BindableKey> keys = BindableFunctionKeys();
    std::erase_if(keys, [](const BindableKey& key) {
        return std::any_of(std::begin(kOwnMeaning), std::end(kOwnMeaning),
                           [&key](const char* name) { return key.name == name; });
    });
    return keys;
}
