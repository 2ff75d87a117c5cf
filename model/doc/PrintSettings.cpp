#include "model/doc/PrintSettings.h"

#include "platform/Archive.h"
#include "platform/CString.h"
#include "platform/SettingsStore.h"

namespace {
constexpr const char* kSection = "Printing";
// A stored scale that is no number, not positive or beyond this many times is damaged.
constexpr double kMaxScale = 1000.0;
}  // namespace

void CPrintSettings::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_flags << m_scale << m_offsetX << m_offsetY;
    else
        ar >> m_flags >> m_scale >> m_offsetX >> m_offsetY;
}

void CPrintSettings::LoadDefaults(const SettingsStore& store) {
    m_flags = store.GetProfileInt(kSection, "Settings", 20);
    double scale = 1.0;
    CString text = store.GetProfileString(kSection, "Scale", "1.0");
    if (!ParseDouble(text, scale) || !(scale > 0.0 && scale <= kMaxScale))
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
