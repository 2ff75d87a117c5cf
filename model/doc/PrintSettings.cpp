#include "model/doc/PrintSettings.h"

#include <cmath>

#include "platform/Archive.h"
#include "platform/CString.h"
#include "platform/SettingsStore.h"

namespace {
constexpr const char* kSection = "Printing";
}  // namespace

bool CPrintSettings::IsSaneScale(double scale) {
    return std::isfinite(scale) && scale >= kMinScale && scale <= kMaxScale;
}

void CPrintSettings::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_flags << m_scale << m_offsetX << m_offsetY;
        return;
    }
    ar >> m_flags >> m_scale >> m_offsetX >> m_offsetY;
    if (!IsSaneScale(m_scale))
        m_scale = 1.0f;
}

void CPrintSettings::LoadDefaults(const SettingsStore& store) {
    m_flags = store.GetProfileInt(kSection, "Settings", 20);
    double scale = 1.0;
    CString text = store.GetProfileString(kSection, "Scale", "1.0");
    if (!ParseDouble(text, scale) || !IsSaneScale(scale))
        scale = 1.0;
    m_scale = static_cast<float>(scale);
    m_offsetX = static_cast<LONG>(store.GetProfileInt(kSection, "OffsetX", 0));
    m_offsetY = static_cast<LONG>(store.GetProfileInt(kSection, "OffsetY", 0));
}

void CPrintSettings::SaveDefaults(SettingsStore& store) const {
    store.WriteProfileInt(kSection, "Settings", static_cast<int>(m_flags));
    CString scale;
    scale.Format("%f", static_cast<double>(m_scale));
    store.WriteProfileString(kSection, "Scale", scale.c_str());
    store.WriteProfileInt(kSection, "OffsetX", m_offsetX);
    store.WriteProfileInt(kSection, "OffsetY", m_offsetY);
}
