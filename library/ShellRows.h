#pragma once
// The rows of the library browser's list: the files and folders of a folder, or the records of
// a library, filtered by kind and name and kept in the browser's order.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

// Bits of ListSettings::mask besides the kind bits (1 << kind).
constexpr DWORD kListFilterFiles = 0x40000;
constexpr DWORD kListFilterItems = 0x80000;

// Sort modes of a folder's rows.
enum ListSortMode : int { kSortByType = 0, kSortByName = 1, kSortByDate = 2 };

struct ListSettings {
    DWORD mask = 0xFFFFFFFF;
    int sortMode = kSortByType;
    std::string namePattern = "*";
    std::string extensionPattern = "*";
    std::string itemPattern = "*";
};

struct ShellRow {
    std::string name;          // the label: a file name or a record's name
    std::string path;          // the file's path; for a record, its library's
    UINT kind = 0;             // of ShellItem.h, without the sub-folder flag
    int index = -1;            // a record's index in its library
    std::int64_t created = 0;  // a file's creation time, for sorting by date

    bool operator==(const ShellRow&) const = default;
};

// Whether a file or folder of kind named fileName passes the kind bits and the file filter.
bool IsFileRowShown(const ListSettings& settings, UINT kind, const std::string& fileName);
// Whether a record of kind named name passes the kind bits and the item filter; the name is
// upper-cased like the filter.
bool IsItemRowShown(const ListSettings& settings, UINT kind, const std::string& name);

// The order of a folder's rows: folders, libraries, schematics, records, other files; within
// one kind by the sort mode (extension or name first, numbers by value; or creation time).
int CompareFolderRows(const ShellRow& a, const ShellRow& b, int sortMode);
// The order of a library's rows: devices first, then the other kinds, each by name.
bool LibraryRowLess(const ShellRow& a, const ShellRow& b);

// The shown rows of a folder in order; empty when it cannot be read.
std::vector<ShellRow> ListFolderRows(const std::filesystem::path& folder,
                                     const ListSettings& settings);
// The shown records of a library in order, and the number of records read when the library
// is damaged behind them.
struct LibraryRows {
    std::vector<ShellRow> rows;
    std::optional<int> damagedAfter;
};
// The records of a library. None, after telling the user, when the library cannot be opened.
std::optional<LibraryRows> ListLibraryRows(const std::string& path, const ListSettings& settings);

// A file's creation time where the file system keeps one, else its modification time.
std::int64_t FileCreationTime(const std::filesystem::path& path);
