#pragma once
// Searching library files for items by name and kind: the search words, the item filter, the
// walk over a folder of libraries (or one library) one entry per step, and the history of
// searched locations ("Search Dialog" settings section).

#include <deque>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CLibraryFile;
class CLibraryItem;
class SettingsStore;

// Bits of the search options.
constexpr UINT kSearchMatchCase = 0x01;
constexpr UINT kSearchSymbols = 0x04;
constexpr UINT kSearchDevices = 0x08;
constexpr UINT kSearchCircuits = 0x10;
constexpr UINT kSearchFolderMode = 0x20;  // set while searching a folder's contents
constexpr UINT kSearchSingleChoice = 0x40;
constexpr UINT kSearchFootprints = 0x80;
constexpr UINT kSearchDefaultOptions = 0x1C;

constexpr int kMaxSearchWords = 20;
constexpr int kMaxSearchRows = 20000;
constexpr int kMaxSearchChoices = 20;
constexpr int kSearchHistorySize = 10;

// The words of a search text, split at blanks, commas, tabs and line breaks, upper-cased
// unless matchCase; none for "*"; at most the first 20.
std::vector<CString> SplitSearchWords(const CString& text, bool matchCase);

// "Symbols: %d, Devices: %d, Circuits: %d, Total: %d".
CString SearchCountText(int symbols, int devices, int circuits, int total);

// Accepts the items of the wanted kinds whose name or description holds one of the words; a
// "*" in a word stands for any run of characters, so "CAP", "*CAP" and "cap*" find "CAPPOL".
class CLibrarySearchFilter {
public:
    // A filter of the caller's own, given the open library and the item's entry.
    using CallerFilter = std::function<bool(CLibraryFile&, const CLibraryItem&)>;

    CLibrarySearchFilter(std::vector<CString> words, bool matchCase, bool symbols, bool devices,
                         bool circuits, bool footprints, CallerFilter caller = nullptr);
    bool Accepts(CLibraryFile& library, const CLibraryItem& item) const;

private:
    bool WantsKind(int kind) const;
    bool HasWord(const CString& text) const;

    std::vector<CString> m_words;
    bool m_matchCase;
    bool m_symbols, m_devices, m_circuits, m_footprints;
    CallerFilter m_caller;
};

// An item the user chose: its library and its place there.
struct SearchChoice {
    CString library;
    CString name;
    int index = 0;  // in the library, in record order
    int kind = 0;
};

// One item found.
struct SearchResult {
    CString name;
    CString description;
    CString library;  // the library file's full path
    int index = 0;    // in record order, from 0
    int kind = 0;
};

// A library searched that is damaged behind its first `readable` records.
struct DamagedLibrary {
    CString library;
    int readable = 0;
};

// The walk over the look-in path. A path ending in a separator is a folder whose contents
// are searched (folder mode); any other path names the one entry searched: a folder (whose
// contents are then searched) or a library file. Sub-folders are entered only with
// subfolders set, or when the path itself named the folder.
class CLibrarySearchWalk {
public:
    enum Step { kDone = 0, kMoved = 1, kLibraryRead = 2 };

    CLibrarySearchWalk(const CLibrarySearchFilter& filter, bool subfolders);
    // Starts at path (relative paths from the current folder); false with error set when the
    // path cannot be searched.
    bool Start(const std::filesystem::path& path, std::error_code& error);
    // One entry: a folder entered or passed over, or a library read.
    Step DoStep();
    bool IsFolderMode() const { return m_folderMode; }

    // The folder being searched and the entry met last, for the status line.
    CString CurrentFolder() const;
    const CString& CurrentEntry() const { return m_entry; }
    const std::vector<SearchResult>& Results() const { return m_results; }
    // The libraries read so far whose records could be read only in part, in the order met;
    // their readable records are among the results.
    const std::vector<DamagedLibrary>& Damaged() const { return m_damaged; }
    int Found(int kind) const;

private:
    struct Level {
        std::filesystem::path folder;
        std::vector<std::filesystem::directory_entry> entries;
        size_t next = 0;
    };
    static bool List(const std::filesystem::path& folder, Level& level);
    void ReadLibrary(const std::filesystem::path& path);

    const CLibrarySearchFilter& m_filter;
    bool m_subfolders;
    bool m_folderMode = false;
    std::deque<Level> m_levels;
    CString m_entry;
    std::vector<SearchResult> m_results;
    std::vector<DamagedLibrary> m_damaged;
    int m_found[3] = {0, 0, 0};
};

// The searched locations, newest first.
std::vector<CString> SearchHistory(const SettingsStore& settings);
// Puts path first in the history (once), keeping ten; the root folder is not stored.
void AddToSearchHistory(SettingsStore& settings, const CString& path);
