#pragma once
// The application object of the headless core: the settings every view and object reads
// (option bits, snap options, colours, the shared pens, the function keys, the simulator
// mode), the settings store they live in, and the text services that depend on them. The
// window shell creates one at start-up and installs it; GetApp reaches it from everywhere.

#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

#include "model/app/DrawFrameSettings.h"
#include "model/app/FunctionKeys.h"
#include "model/app/PathMacros.h"
#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/SettingsStore.h"
#include "platform/StoredSetting.h"
#include "platform/Types.h"

// Bits of CSchematicApp::Options ("Settings"/"Options").
constexpr DWORD kOptionMetric = 0x02;             // lengths in centimetres, not inches
constexpr DWORD kOptionRestoreItemSize = 0x04;    // embedded items take their natural size
constexpr DWORD kOptionItemFrames = 0x08;         // embedded items are drawn with a frame
constexpr DWORD kOptionPlaceOnPaste = 0x10;       // pasted objects follow the mouse
constexpr DWORD kOptionReopenFiles = 0x20;        // reopen the schematics of the last run
constexpr DWORD kOptionZoomToFitOnOpen = 0x40;    // show the whole sheet of an opened file
constexpr DWORD kOptionWheelZoomReversed = 0x80;  // the wheel zooms the other way

// Bits of CSchematicApp::SnapGridOptions ("Grid"/"SnapGridOptions"): snap to grid, and one bit
// per object type code that snapping to objects considers.
constexpr DWORD kSnapToGrid = 0x20000000;
constexpr DWORD kSnapObjectMask = 0x0FFFFFFF;

// Indexes of GetPen.
constexpr int kPenSelection = 0;  // 0, 1 and 2 all give the selection pen
constexpr int kPenDominantSelection = 3;
constexpr int kPenHighlight = 4;
constexpr int kPenHighlightText = 5;
constexpr int kPenRed = 6;

constexpr int kCustomColours = 16;

class CSchematicApp {
    // First, since the stored settings below are bound to them.
    SettingsStore m_settings;
    StoredSettings m_stored{m_settings};

public:
    // The settings are read from settingsFile (a missing file gives the defaults) into the
    // store; LoadSettings then takes the application's values from it.
    explicit CSchematicApp(std::filesystem::path settingsFile);
    CSchematicApp(const CSchematicApp&) = delete;
    CSchematicApp& operator=(const CSchematicApp&) = delete;

    SettingsStore& Settings() { return m_settings; }
    const SettingsStore& Settings() const { return m_settings; }

    // The settings below that are kept in the store as numbers: each change to one is
    // written to the store at once.
    StoredSettings& StoredNumbers() { return m_stored; }

    // Reads every setting below from the store, missing ones taking their defaults.
    void LoadSettings();
    // Writes every setting below into the store, also those never changed (but for the frames'
    // show command, written only when it changes), as the program does at its end.
    void StoreSettings();
    // Stores them and saves the store to its file; a failure is told as SaveOrTell tells it.
    // Whether the file holds them now.
    bool SaveSettings();

    // Profile values of the store.
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) const;
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr) const;
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    // A number kept as "%f" text; the default when the value is missing or holds no number.
    double GetProfileDouble(LPCTSTR section, LPCTSTR entry, double defaultValue) const;
    BOOL WriteProfileDouble(LPCTSTR section, LPCTSTR entry, double value);
    // Copies a binary value into buffer; returns its size, or 0 when it is missing, is no
    // binary value or does not fit into size bytes.
    DWORD GetProfileBinary(LPCTSTR section, LPCTSTR entry, void* buffer, DWORD size) const;

    // The pens that mark selected and highlighted objects (the kPen... indexes); none for any
    // other index. All are one pixel wide.
    std::optional<LOGPEN> GetPen(int index) const;
    // The system's highlight colours, which the highlight pens take; the shell sets them.
    void SetSystemColours(COLORREF highlight, COLORREF highlightText);

    // The custom colours of the colour dialogs, which change them in place
    // ("Colours"/"Colour0".."Colour15").
    std::deque<StoredNumber<COLORREF>>& GetCustomColours() { return m_customColours; }

    // Writes all 36 "Settings"/"Key<slot>" values of FunctionKeys.
    void SaveFunctionKeys();

    // Sets (metric > 0) or clears kOptionMetric, then tells every view that the units changed.
    void SetUnits(BOOL metric);

    // Records the open schematics ("LastOpen"/"Count" and "File1".."File<Count>"), given in
    // the order of their template; never-saved ones (empty paths) are left out.
    void RecordOpenSchematics(const std::vector<CString>& pathNames);
    // The recorded schematics, in order, empty entries left out.
    std::vector<CString> RecordedSchematics() const;

    // Expands the path macros of text (see ExpandPathMacros); TRUE when the result fits into
    // bufferSize bytes.
    BOOL ExpandMacros(CString& text, int bufferSize = kMaxPath,
                      const MacroDocument* document = nullptr);

    // Settings read and changed directly by the rest of the program.
    StoredNumber<DWORD> SnapGridOptions{m_stored, "Grid", "SnapGridOptions", 0xAFFFFFFF};
    StoredNumber<DWORD> Options{m_stored, "Settings", "Options", 0};
    StoredNumber<COLORREF> SelectColour{m_stored, "Settings", "SelectColour", 0};
    StoredNumber<COLORREF> SelectColourD{m_stored, "Settings", "SelectColourD", 0xFF0000};
    StoredNumber<COLORREF> DRCErrorColour{m_stored, "Settings", "DRCErrorColour", 0x00FFFF};
    StoredNumber<COLORREF> HighlightColour{m_stored, "Settings", "HighlightColour", 0x957EFE};
    StoredNumber<int> SimulatorMode{m_stored, "Simulator", "Mode", 1};
    // The simulator's state, which the simulator commands show: set while a run is under way,
    // and while one is paused.
    BOOL SimulatorRunning = FALSE;
    BOOL SimulatorPaused = FALSE;
    FunctionKeyTable FunctionKeys;
    DrawFrameSettings FrameSettings{m_stored};
    // Set while a netlist is being built; documents opened meanwhile stay off the recent list.
    BOOL BuildingNetlist = FALSE;

private:
    std::deque<StoredNumber<COLORREF>> m_customColours;
    COLORREF m_systemHighlight = RGB(0, 120, 215);
    COLORREF m_systemHighlightText = RGB(255, 255, 255);
};

// The installed application object; null when none is installed.
CSchematicApp* GetApp();
// Installs app (null uninstalls) and returns the one it replaces.
CSchematicApp* SetApp(CSchematicApp* app);

// Installs an application object for its lifetime, then puts the previous one back.
class ScopedApp {
public:
    explicit ScopedApp(CSchematicApp& app) : m_previous(SetApp(&app)) {}
    ~ScopedApp() { SetApp(m_previous); }
    ScopedApp(const ScopedApp&) = delete;
    ScopedApp& operator=(const ScopedApp&) = delete;

private:
    CSchematicApp* m_previous;
};
