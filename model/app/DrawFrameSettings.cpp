#include "model/app/DrawFrameSettings.h"

#include "platform/SettingsStore.h"

void DrawFrameSettings::Load(const SettingsStore& settings) {
    showCmd = static_cast<int>(settings.GetProfileInt("Settings", "ShowCmd", showCmd));
    m_storedShowCmd = showCmd;
    rulers = static_cast<BOOL>(settings.GetProfileInt("Settings", "Rulers", 1));
}

void DrawFrameSettings::Save(SettingsStore& settings) {
    settings.WriteProfileInt("Settings", "Rulers", rulers);
    if (showCmd == m_storedShowCmd)
        return;
    settings.WriteProfileInt("Settings", "ShowCmd", showCmd);
    m_storedShowCmd = showCmd;
}
