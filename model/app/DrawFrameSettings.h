#pragma once
// Settings shared by all drawing frames: how new frames are shown and whether their rulers
// are visible. Kept by the application object among its stored numbers, so that a change
// reaches the settings store at once; the frames read and change them.

#include "platform/StoredSetting.h"
#include "platform/Types.h"

class DrawFrameSettings {
public:
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMaximized = 3;

    explicit DrawFrameSettings(StoredSettings& owner);

    // How new frames are shown: restored (kShowNormal) or maximised ("Settings"/"ShowCmd"). A
    // stored value that would hide or minimise them is not taken.
    int ShowCommand() const;
    // The user left a frame restored (kShowNormal) or maximised (kShowMaximized). The value is
    // written only when it differs from the one stored, so a start that changed nothing writes
    // none.
    void SetShowCommand(int showCmd);

    // Whether the rulers of the frames show ("Settings"/"Rulers").
    StoredNumber<BOOL> rulers;

private:
    StoredNumber<int> m_showCmd;
};
