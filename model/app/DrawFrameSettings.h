#pragma once
// Settings shared by all drawing frames: how new frames are shown and whether their rulers
// are visible. Kept by the application object; the frames read and change them.

#include "platform/Types.h"

class SettingsStore;

struct DrawFrameSettings {
    static constexpr int kShowMaximized = 3;

    int showCmd = kShowMaximized;
    BOOL rulers = TRUE;

    // Reads "Settings"/"ShowCmd" (default: the current show command) and "Settings"/"Rulers"
    // (default 1).
    void Load(const SettingsStore& settings);
    // Writes "Rulers"; writes "ShowCmd" only when it changed since it was last read or written.
    void Save(SettingsStore& settings);

private:
    int m_storedShowCmd = kShowMaximized;
};
