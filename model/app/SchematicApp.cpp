#include "model/app/SchematicApp.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <utility>

#include "model/doc/DocView.h"
#include "platform/AppServices.h"
#include "platform/Paths.h"

namespace {

constexpr char kLastOpen[] = "LastOpen";

std::atomic<CSchematicApp*> g_app{nullptr};

// "Colour3", "File12", ...
CString Numbered(const char* name, int number) {
    return CString(name + std::to_string(number));
}

LOGPEN Pen(UINT style, COLORREF colour) {
    LOGPEN pen;
    pen.lopnStyle = style;
    pen.lopnColor = colour;
    return pen;
}

}  // namespace

CSchematicApp* GetApp() {
    return g_app.load();
}

CSchematicApp* SetApp(CSchematicApp* app) {
    return g_app.exchange(app);
}

CSchematicApp::CSchematicApp(std::filesystem::path settingsFile)
    : m_settings(std::move(settingsFile)) {
    for (int i = 0; i < kCustomColours; ++i)
        m_customColours.emplace_back(m_stored, "Colours", Numbered("Colour", i), 0);
}

void CSchematicApp::LoadSettings() {
    m_stored.Load();
    FunctionKeys.Load(m_settings);
}

void CSchematicApp::StoreSettings() {
    m_stored.WriteAll();
}

bool CSchematicApp::SaveSettings() {
    StoreSettings();
    return m_settings.SaveOrTell();
}

UINT CSchematicApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) const {
    return m_settings.GetProfileInt(section, entry, defaultValue);
}

CString CSchematicApp::GetProfileString(LPCTSTR section, LPCTSTR entry,
                                        LPCTSTR defaultValue) const {
    return m_settings.GetProfileString(section, entry, defaultValue);
}

BOOL CSchematicApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    return m_settings.WriteProfileInt(section, entry, value);
}

BOOL CSchematicApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    return m_settings.WriteProfileString(section, entry, value);
}

double CSchematicApp::GetProfileDouble(LPCTSTR section, LPCTSTR entry, double defaultValue) const {
    double value = 0.0;
    const CString text = m_settings.GetProfileString(section, entry);
    return ParseDouble(text, value) ? value : defaultValue;
}

BOOL CSchematicApp::WriteProfileDouble(LPCTSTR section, LPCTSTR entry, double value) {
    CString text;
    text.Format("%f", value);
    return m_settings.WriteProfileString(section, entry, text);
}

DWORD CSchematicApp::GetProfileBinary(LPCTSTR section, LPCTSTR entry, void* buffer,
                                      DWORD size) const {
    std::vector<BYTE> data;
    if (!buffer || !m_settings.GetProfileBinary(section, entry, data) || data.size() > size)
        return 0;
    std::memcpy(buffer, data.data(), data.size());
    return static_cast<DWORD>(data.size());
}

std::optional<LOGPEN> CSchematicApp::GetPen(int index) const {
    switch (index) {
        case kPenSelection:
        case kPenSelection + 1:
        case kPenSelection + 2:
            return Pen(PS_DOT, SelectColour);
        case kPenDominantSelection:
            return Pen(PS_DOT, SelectColourD);
        case kPenHighlight:
            return Pen(PS_SOLID, m_systemHighlight);
        case kPenHighlightText:
            return Pen(PS_SOLID, m_systemHighlightText);
        case kPenRed:
            return Pen(PS_SOLID, RGB(255, 0, 0));
        default:
            return std::nullopt;
    }
}

void CSchematicApp::SetSystemColours(COLORREF highlight, COLORREF highlightText) {
    m_systemHighlight = highlight;
    m_systemHighlightText = highlightText;
}

void CSchematicApp::SaveFunctionKeys() {
    FunctionKeys.Save(m_settings);
}

void CSchematicApp::SetUnits(BOOL metric) {
    if (metric > 0)
        Options |= kOptionMetric;
    else
        Options &= ~kOptionMetric;
    GetAppServices().UpdateAllViews(kHintUnits);
}

void CSchematicApp::RecordOpenSchematics(const std::vector<CString>& pathNames) {
    m_settings.WriteProfileInt(kLastOpen, "Count", 0);
    int count = 0;
    for (const CString& path : pathNames) {
        if (path.IsEmpty())
            continue;
        ++count;
        m_settings.WriteProfileString(kLastOpen, Numbered("File", count), path);
        m_settings.WriteProfileInt(kLastOpen, "Count", count);
    }
}

std::vector<CString> CSchematicApp::RecordedSchematics() const {
    // A damaged count cannot make this read more entries than the section holds.
    const size_t count = std::min<size_t>(m_settings.GetProfileInt(kLastOpen, "Count", 0),
                                          m_settings.EnumerateValues(kLastOpen).size());
    std::vector<CString> paths;
    for (size_t i = 1; i <= count; ++i) {
        const CString path =
            m_settings.GetProfileString(kLastOpen, Numbered("File", static_cast<int>(i)));
        if (!path.IsEmpty())
            paths.push_back(FromSettingsPath(path));
    }
    return paths;
}

BOOL CSchematicApp::ExpandMacros(CString& text, int bufferSize, const MacroDocument* document) {
    return ExpandPathMacros(text, bufferSize, m_settings, document);
}
