#include "platform/StoredSetting.h"

#include <utility>

void StoredSettings::Load() {
    for (StoredSetting* setting : m_settings)
        setting->Load();
}

void StoredSettings::WriteAll() {
    for (StoredSetting* setting : m_settings) {
        if (setting->Write() == StoredWrite::kAlways)
            setting->SetValue(setting->Value());
    }
}

StoredSetting::StoredSetting(StoredSettings& owner, CString section, CString entry,
                             DWORD defaultValue, StoredWrite write)
    : m_store(owner.m_store),
      m_section(std::move(section)),
      m_entry(std::move(entry)),
      m_default(defaultValue),
      m_value(defaultValue),
      m_write(write) {
    owner.m_settings.push_back(this);
}

void StoredSetting::SetValue(DWORD value) {
    if (m_write == StoredWrite::kWhenChanged && value == m_value)
        return;
    m_value = value;
    m_store.WriteProfileInt(m_section, m_entry, static_cast<int>(value));
}

void StoredSetting::Load() {
    m_value = m_store.GetProfileInt(m_section, m_entry, static_cast<int>(m_default));
}
