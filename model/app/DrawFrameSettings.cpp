#include "model/app/DrawFrameSettings.h"

DrawFrameSettings::DrawFrameSettings(StoredSettings& owner)
    : rulers(owner, "Settings", "Rulers", TRUE),
      m_showCmd(owner, "Settings", "ShowCmd", kShowMaximized, StoredWrite::kWhenChanged) {}

int DrawFrameSettings::ShowCommand() const {
    return m_showCmd == kShowNormal ? kShowNormal : kShowMaximized;
}

void DrawFrameSettings::SetShowCommand(int showCmd) {
    m_showCmd = showCmd;
}
