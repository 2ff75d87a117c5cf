#include "platform/SettingsStore.h"

#include <pwd.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/AppIdentity.h"
#include "platform/AtomicFile.h"
#include "platform/UserPrompt.h"

namespace fs = std::filesystem;

namespace {

constexpr char kFileName[] = "settings.reg";

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    passwd entry;
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};  // the current folder, the best that is left
}

// A decimal number as the profile functions of .INI files read it.
UINT ParseProfileInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    UINT value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + static_cast<UINT>(text[i] - '0');
    return negative ? 0u - value : value;
}

// The section or value of that name in items (a vector, const or not), or items.end().
template <typename Items>
auto FindNamed(Items& items, LPCTSTR name) {
    return std::find_if(items.begin(), items.end(),
                        [&](const auto& item) { return SettingsNamesEqual(item.name, name); });
}

}  // namespace

fs::path SettingsStore::DefaultFilePath() {
    if (const char* dir = std::getenv("VOSK_SETTINGS_DIR"); dir && *dir)
        return fs::path(dir) / kFileName;
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        config = xdg;
    else
        config = HomeFolder() / ".config";
    return config / kRegistryKey / kApplicationTitle / kFileName;
}

SettingsStore::SettingsStore(fs::path file) : m_file(std::move(file)) {
    Load();
}

bool SettingsStore::Load() {
    m_sections.clear();
    m_loadError.Empty();
    m_modified = false;
    std::string text;
    try {
        text = ReadWholeFile(m_file, kMaxFileBytes);
    } catch (const FileReadError& error) {
        if (error.IsMissing())
            return true;
        StartAfterFault(error.what());
        return false;
    }
    try {
        m_sections = ParseSettings(text);
    } catch (const SettingsSyntaxError& error) {
        StartAfterFault("The settings file " + QuotedPath(m_file) + " is damaged (" + error.what() +
                        ").");
        return false;
    }
    return true;
}

void SettingsStore::StartAfterFault(const std::string& problem) {
    fs::path backup = m_file;
    backup += ".bad";
    std::error_code ec;
    fs::rename(m_file, backup, ec);
    std::string message = problem;
    if (ec)
        message += " It could not be moved aside (" + ec.message() + ").";
    else
        message += " It was moved to " + QuotedPath(backup) + ".";
    m_loadError = CString(message + " The default settings are used.");
}

void SettingsStore::Save() {
    if (!m_modified)
        return;
    if (fs::path folder = m_file.parent_path(); !folder.empty()) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec)
            throw FileWriteError("Cannot save " + QuotedPath(m_file) +
                                     ": creating its folder failed (" + ec.message() + ").",
                                 ec);
    }
    WriteFileAtomically(m_file, FormatSettings(m_sections));
    m_modified = false;
}

bool SettingsStore::SaveOrTell() {
    try {
        Save();
        m_failureTold = false;
        return true;
    } catch (const FileWriteError& error) {
        // Set before the message shows: writes run while it is open stay silent.
        if (!std::exchange(m_failureTold, true))
            AfxMessageBox(error.what(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
}

void SettingsStore::WriteChangesAtOnce(WriteScheduler schedule) {
    m_schedule = std::move(schedule);
}

void SettingsStore::Changed() {
    m_modified = true;
    if (!m_schedule || m_writePending)
        return;
    m_writePending = true;
    m_schedule([this] {
        m_writePending = false;
        SaveOrTell();
    });
}

const SettingsData* SettingsStore::FindData(LPCTSTR section, LPCTSTR entry) const {
    if (!section || !entry)
        return nullptr;
    auto found = FindNamed(m_sections, section);
    if (found == m_sections.end())
        return nullptr;
    auto value = FindNamed(found->values, entry);
    return value == found->values.end() ? nullptr : &value->data;
}

UINT SettingsStore::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) const {
    const SettingsData* data = FindData(section, entry);
    if (const auto* number = data ? std::get_if<DWORD>(data) : nullptr)
        return *number;
    if (const auto* text = data ? std::get_if<std::string>(data) : nullptr)
        return ParseProfileInt(*text);
    return static_cast<UINT>(defaultValue);
}

CString SettingsStore::GetProfileString(LPCTSTR section, LPCTSTR entry,
                                        LPCTSTR defaultValue) const {
    const SettingsData* data = FindData(section, entry);
    if (const auto* text = data ? std::get_if<std::string>(data) : nullptr)
        return CString(*text);
    return CString(defaultValue);
}

BOOL SettingsStore::GetProfileBinary(LPCTSTR section, LPCTSTR entry,
                                     std::vector<BYTE>& data) const {
    const SettingsData* found = FindData(section, entry);
    if (const auto* bytes = found ? std::get_if<std::vector<BYTE>>(found) : nullptr) {
        data = *bytes;
        return TRUE;
    }
    data.clear();
    return FALSE;
}

BOOL SettingsStore::SetData(LPCTSTR section, LPCTSTR entry, SettingsData data) {
    if (!section || !entry)
        return FALSE;
    auto found = FindNamed(m_sections, section);
    if (found == m_sections.end())
        found = m_sections.insert(m_sections.end(), SettingsSection{section, {}});
    auto value = FindNamed(found->values, entry);
    if (value == found->values.end()) {
        found->values.push_back(SettingsValue{entry, std::move(data)});
    } else if (value->data != data) {
        value->data = std::move(data);
    } else {
        return TRUE;
    }
    Changed();
    return TRUE;
}

BOOL SettingsStore::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    return SetData(section, entry, static_cast<DWORD>(value));
}

BOOL SettingsStore::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    if (entry && !value)
        return DeleteValue(section, entry);
    return WriteProfileString(section, entry, CString(value));
}

BOOL SettingsStore::WriteProfileString(LPCTSTR section, LPCTSTR entry, const CString& value) {
    if (!entry)
        return DeleteSection(section);
    return SetData(section, entry, value.str());
}

BOOL SettingsStore::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data,
                                       UINT size) {
    if (!data && size != 0)
        return FALSE;
    return SetData(section, entry, std::vector<BYTE>(data, data + size));
}

BOOL SettingsStore::DeleteValue(LPCTSTR section, LPCTSTR entry) {
    if (!section || !entry)
        return FALSE;
    auto found = FindNamed(m_sections, section);
    if (found == m_sections.end())
        return FALSE;
    auto value = FindNamed(found->values, entry);
    if (value == found->values.end())
        return FALSE;
    found->values.erase(value);
    Changed();
    return TRUE;
}

BOOL SettingsStore::DeleteSection(LPCTSTR section) {
    if (!section)
        return FALSE;
    auto found = FindNamed(m_sections, section);
    if (found == m_sections.end())
        return FALSE;
    m_sections.erase(found);
    Changed();
    return TRUE;
}

std::vector<CString> SettingsStore::EnumerateSections() const {
    std::vector<CString> names;
    for (const SettingsSection& section : m_sections)
        names.emplace_back(section.name);
    return names;
}

std::vector<CString> SettingsStore::EnumerateValues(LPCTSTR section) const {
    std::vector<CString> names;
    if (!section)
        return names;
    auto found = FindNamed(m_sections, section);
    if (found != m_sections.end()) {
        for (const SettingsValue& value : found->values)
            names.emplace_back(value.name);
    }
    return names;
}
