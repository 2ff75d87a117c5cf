#include "library/ShellRows.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

#include "library/LabelCompare.h"
#include "library/LibraryFile.h"
#include "library/ShellItem.h"
#include "platform/UserPrompt.h"

namespace fs = std::filesystem;

namespace {

// Rank of each kind in a folder's order.
constexpr std::array<int, 9> kKindRank = {8, 7, 0, 2, 1, 3, 5, 4, 6};

int KindRank(UINT kind) {
    return kind < kKindRank.size() ? kKindRank[kind] : static_cast<int>(kKindRank.size());
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

int CompareParts(const NameParts& a, const NameParts& b, bool extensionFirst) {
    const std::string& firstA = extensionFirst ? a.extension : a.name;
    const std::string& firstB = extensionFirst ? b.extension : b.name;
    if (const int first = CompareLabelsNumeric(firstA, firstB); first != 0)
        return first;
    return CompareLabelsNumeric(extensionFirst ? a.name : a.extension,
                                extensionFirst ? b.name : b.extension);
}

int CompareByDate(const ShellRow& a, const ShellRow& b) {
    if (a.created != b.created)
        return a.created < b.created ? -1 : 1;
    const NameParts partsA = UpperNameParts(a.name);
    const NameParts partsB = UpperNameParts(b.name);
    if (const int names = Sign(partsA.name.compare(partsB.name)); names != 0)
        return names;
    return Sign(partsA.extension.compare(partsB.extension));
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool KindShown(const ListSettings& settings, UINT kind) {
    return kind != kShellHidden && kind < 32 && (settings.mask & (DWORD{1} << kind)) != 0;
}

}  // namespace

bool IsFileRowShown(const ListSettings& settings, UINT kind, const std::string& fileName) {
    if (!KindShown(settings, kind))
        return false;
    if (!(settings.mask & kListFilterFiles))
        return true;
    const NameParts parts = UpperNameParts(fileName);
    return MatchPattern(parts.name, settings.namePattern) &&
           MatchPattern(parts.extension, settings.extensionPattern);
}

bool IsItemRowShown(const ListSettings& settings, UINT kind, const std::string& name) {
    if (!KindShown(settings, kind))
        return false;
    return !(settings.mask & kListFilterItems) || MatchPattern(Upper(name), settings.itemPattern);
}

int CompareFolderRows(const ShellRow& a, const ShellRow& b, int sortMode) {
    if (a.kind != b.kind)
        return KindRank(a.kind) < KindRank(b.kind) ? -1 : 1;
    if (IsLibraryItemKind(a.kind))
        return 0;
    if (sortMode == kSortByDate)
        return CompareByDate(a, b);
    return CompareParts(UpperNameParts(a.name), UpperNameParts(b.name), sortMode == kSortByType);
}

bool LibraryRowLess(const ShellRow& a, const ShellRow& b) {
    const UINT device = kShellLibraryItem + kItemDevice;
    if (a.kind != b.kind) {
        if (a.kind == device || b.kind == device)
            return a.kind == device;
        return a.kind < b.kind;
    }
    return a.name < b.name;
}

std::int64_t FileCreationTime(const fs::path& path) {
    struct statx info {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) != 0)
        return 0;
    const statx_timestamp& time = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_mtime;
    return time.tv_sec * 1000000000LL + time.tv_nsec;
}

std::vector<ShellRow> ListFolderRows(const fs::path& folder, const ListSettings& settings) {
    std::vector<ShellRow> rows;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const UINT kind = ShellItemKind(it->path());
        std::string name = it->path().filename().string();
        if (!IsFileRowShown(settings, kind, name))
            continue;
        ShellRow row{std::move(name), it->path().string(), kind};
        if (settings.sortMode == kSortByDate)
            row.created = FileCreationTime(it->path());
        rows.push_back(std::move(row));
    }
    // The label compare is no strict weak order: only a stable sort is safe with it.
    std::stable_sort(rows.begin(), rows.end(), [&](const ShellRow& a, const ShellRow& b) {
        return CompareFolderRows(a, b, settings.sortMode) < 0;
    });
    return rows;
}

std::optional<LibraryRows> ListLibraryRows(const std::string& path, const ListSettings& settings) {
    CLibraryFile library;
    if (!library.Open(path.c_str())) {
        CString text;
        text.Format("Error - could not open the library %s for reading.", path.c_str());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    LibraryRows listed;
    const int read = library.VisitItemHeaders([&](int index, const CLibraryItem& item) {
        // Only symbols, circuits, devices and models have kinds of their own.
        if (item.m_type < kItemSymbol || item.m_type > kItemModel)
            return;
        const UINT kind = kShellLibraryItem + static_cast<UINT>(item.m_type);
        if (IsItemRowShown(settings, kind, item.m_name.str()))
            listed.rows.push_back(ShellRow{item.m_name.str(), path, kind, index});
    });
    if (read < library.GetItemCount())
        listed.damagedAfter = read;
    std::stable_sort(listed.rows.begin(), listed.rows.end(), LibraryRowLess);
    return listed;
}
