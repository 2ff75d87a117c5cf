#include "model/app/RecentFileList.h"

#include <algorithm>

#include "platform/Paths.h"
#include "platform/SettingsStore.h"

namespace {

constexpr char kSection[] = "Recent File List";

CString Entry(size_t index) {
    return CString("File" + std::to_string(index + 1));
}

}  // namespace

CRecentFileList::CRecentFileList(long long size)
    : m_size(static_cast<int>(std::clamp<long long>(size, 0, kMaxSize))) {}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty() || m_size == 0)
        return;
    Remove(path);
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > static_cast<size_t>(m_size))
        m_files.resize(static_cast<size_t>(m_size));
}

void CRecentFileList::Remove(const std::string& path) {
    std::erase(m_files, path);
}

void CRecentFileList::ReadList(const SettingsStore& settings) {
    m_files.clear();
    for (size_t i = 0; i < static_cast<size_t>(m_size); ++i) {
        const CString stored = settings.GetProfileString(kSection, Entry(i));
        if (stored.IsEmpty())
            continue;
        std::string path = FromSettingsPath(stored).str();
        if (std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(std::move(path));
    }
}

void CRecentFileList::WriteList(SettingsStore& settings) const {
    settings.DeleteSection(kSection);
    for (size_t i = 0; i < m_files.size(); ++i)
        settings.WriteProfileString(kSection, Entry(i), CString(m_files[i]));
}
