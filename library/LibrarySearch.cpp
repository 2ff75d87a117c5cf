#include "library/LibrarySearch.h"

#include <algorithm>

#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "platform/SettingsStore.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHistorySection = "Search Dialog";

CString Upper(CString text) {
    text.MakeUpper();
    return text;
}

CString HistoryKey(int index) {
    CString key;
    key.Format("Location%d", index);
    return key;
}

bool IsLibraryFile(const fs::path& path) {
    return Upper(CString(path.extension().string())) == ".RLB";
}

// Whether word occurs in text, a "*" in the word standing for any run of characters: the
// pieces between the stars occur in their order. A word of stars alone occurs everywhere.
bool Occurs(const std::string& text, const std::string& word) {
    size_t at = 0;
    for (size_t start = 0; start <= word.size();) {
        const size_t end = std::min(word.find('*', start), word.size());
        if (end > start) {
            at = text.find(word.substr(start, end - start), at);
            if (at == std::string::npos)
                return false;
            at += end - start;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

std::vector<CString> SplitSearchWords(const CString& text, bool matchCase) {
    std::vector<CString> words;
    if (text == "*")
        return words;
    const std::string source = matchCase ? text.str() : Upper(text).str();
    size_t start = 0;
    while (start < source.size() && static_cast<int>(words.size()) < kMaxSearchWords) {
        const size_t end = std::min(source.find_first_of(" ,\t\r\n", start), source.size());
        if (end > start)
            words.emplace_back(source.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

CString SearchCountText(int symbols, int devices, int circuits, int total) {
    CString text;
    text.Format("Symbols: %d, Devices: %d, Circuits: %d, Total: %d", symbols, devices, circuits,
                total);
    return text;
}

// ---- the filter

CLibrarySearchFilter::CLibrarySearchFilter(std::vector<CString> words, bool matchCase, bool symbols,
                                           bool devices, bool circuits, bool footprints,
                                           CallerFilter caller)
    : m_words(std::move(words)),
      m_matchCase(matchCase),
      m_symbols(symbols),
      m_devices(devices),
      m_circuits(circuits),
      m_footprints(footprints),
      m_caller(std::move(caller)) {}

bool CLibrarySearchFilter::WantsKind(int kind) const {
    switch (kind) {
        case kItemSymbol:
            return m_symbols;
        case kItemCircuit:
            return m_circuits;
        case kItemDevice:
            return m_devices;
        case kItemFootprint:
            return m_footprints;
        default:
            return false;
    }
}

bool CLibrarySearchFilter::HasWord(const CString& text) const {
    const std::string searched = m_matchCase ? text.str() : Upper(text).str();
    return std::any_of(m_words.begin(), m_words.end(),
                       [&](const CString& word) { return Occurs(searched, word.str()); });
}

bool CLibrarySearchFilter::Accepts(CLibraryFile& library, const CLibraryItem& item) const {
    if (!WantsKind(item.m_type))
        return false;
    if (!m_words.empty() && !HasWord(item.m_name) && !HasWord(item.m_description))
        return false;
    return !m_caller || m_caller(library, item);
}

// ---- the walk

CLibrarySearchWalk::CLibrarySearchWalk(const CLibrarySearchFilter& filter, bool subfolders)
    : m_filter(filter), m_subfolders(subfolders) {}

bool CLibrarySearchWalk::List(const fs::path& folder, Level& level) {
    std::error_code error;
    level.folder = folder;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        level.entries.push_back(*it);
    if (error)
        return false;
    std::sort(level.entries.begin(), level.entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    return true;
}

bool CLibrarySearchWalk::Start(const fs::path& path, std::error_code& error) {
    m_levels.clear();
    m_results.clear();
    m_damaged.clear();
    std::fill(std::begin(m_found), std::end(m_found), 0);
    const fs::path absolute = fs::absolute(path, error);
    if (error)
        return false;
    Level first;
    m_folderMode = !absolute.has_filename();
    if (m_folderMode) {
        if (!List(absolute, first)) {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
            return false;
        }
    } else {
        fs::directory_entry entry(absolute, error);
        if (error || !entry.exists()) {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
            return false;
        }
        first.folder = absolute.parent_path();
        first.entries.push_back(entry);
    }
    m_levels.push_back(std::move(first));
    return true;
}

CLibrarySearchWalk::Step CLibrarySearchWalk::DoStep() {
    while (!m_levels.empty() && m_levels.back().next >= m_levels.back().entries.size())
        m_levels.pop_back();
    if (m_levels.empty())
        return kDone;
    Level& level = m_levels.back();
    const fs::directory_entry entry = level.entries[level.next++];
    m_entry = CString(entry.path().filename().string());
    std::error_code error;
    if (entry.is_directory(error)) {
        const bool named = m_levels.size() == 1 && !m_folderMode;
        Level inner;
        if ((m_subfolders || named) && List(entry.path(), inner))
            m_levels.push_back(std::move(inner));
        return kMoved;
    }
    if (!entry.is_regular_file(error) || !IsLibraryFile(entry.path()))
        return kMoved;
    ReadLibrary(entry.path());
    return kLibraryRead;
}

void CLibrarySearchWalk::ReadLibrary(const fs::path& path) {
    CLibraryFile library;
    if (!library.Open(path.string().c_str()))
        return;
    // The caller's filter may read the library: the walk goes on after each record.
    const int read = library.VisitItemHeaders([&](int index, const CLibraryItem& item) {
        if (!m_filter.Accepts(library, item))
            return;
        if (item.m_type >= kItemSymbol && item.m_type <= kItemDevice)
            ++m_found[item.m_type];
        m_results.push_back(SearchResult{item.m_name, item.m_description, CString(path.string()),
                                         index, item.m_type});
    });
    if (read < library.GetItemCount())
        m_damaged.push_back(DamagedLibrary{CString(path.string()), read});
}

CString CLibrarySearchWalk::CurrentFolder() const {
    if (m_levels.empty())
        return CString();
    std::string folder = m_levels.back().folder.string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return CString(folder);
}

int CLibrarySearchWalk::Found(int kind) const {
    return kind >= kItemSymbol && kind <= kItemDevice ? m_found[kind] : 0;
}

// ---- the history

std::vector<CString> SearchHistory(const SettingsStore& settings) {
    std::vector<CString> locations;
    for (int i = 0; i < kSearchHistorySize; ++i) {
        const CString location = settings.GetProfileString(kHistorySection, HistoryKey(i), "");
        if (!location.IsEmpty())
            locations.push_back(location);
    }
    return locations;
}

void AddToSearchHistory(SettingsStore& settings, const CString& path) {
    if (path.IsEmpty() || fs::path(path.str()) == fs::path(path.str()).root_path())
        return;
    std::vector<CString> locations = SearchHistory(settings);
    const auto same = std::find(locations.begin(), locations.end(), path);
    if (same != locations.end())
        locations.erase(same);
    locations.insert(locations.begin(), path);
    locations.resize(std::min<size_t>(locations.size(), kSearchHistorySize));
    for (size_t i = 0; i < locations.size(); ++i)
        settings.WriteProfileString(kHistorySection, HistoryKey(static_cast<int>(i)), locations[i]);
}
