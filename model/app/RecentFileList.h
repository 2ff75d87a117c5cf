#pragma once
// The files used most recently, newest first, as the File menu lists them. They are kept in
// the settings section "Recent File List" as "File1".."File<n>", as paths of this system
// (lists written on Windows are converted when read).

#include <string>
#include <vector>

class SettingsStore;

class CRecentFileList {
public:
    static constexpr int kMaxSize = 16;

    // A list of up to size entries; sizes outside 0..kMaxSize are clamped.
    explicit CRecentFileList(long long size);

    int GetSize() const { return m_size; }
    const std::vector<std::string>& Files() const { return m_files; }

    // Puts path at the top, removing it from further down; the oldest entry beyond the size
    // drops out. Empty paths are ignored.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    // Reads "File1".."File<size>"; empty and repeated entries are skipped.
    void ReadList(const SettingsStore& settings);
    // Replaces the section with the entries.
    void WriteList(SettingsStore& settings) const;

private:
    int m_size;
    std::vector<std::string> m_files;
};
