#include "library/ShellItem.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

bool HasSubFolder(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            return true;
    }
    return false;
}

}  // namespace

bool ParseShellPath(std::string_view path, ShellPath& result) {
    result.clear();
    if (path.empty())
        return false;
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(fs::absolute(fs::path(path), ec), ec);
    if (ec)
        return false;
    for (const fs::path& part : full.relative_path()) {
        if (!part.empty())
            result.push_back(part.string());
    }
    return true;
}

std::string ShellPathText(const ShellPath& path) {
    std::string text;
    for (const std::string& name : path)
        text += "/" + name;
    return text.empty() ? "/" : text;
}

int CompareItemIds(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return -1;
    const int result = a.compare(b);
    return (result > 0) - (result < 0);
}

int IsItemIdListPrefix(const ShellPath& a, const ShellPath& b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        if (CompareItemIds(a[i], b[i]) != 0)
            return 0;
    }
    return a.size() <= b.size() ? 2 : 1;
}

ShellPath ConcatItemIdLists(const ShellPath& a, const ShellPath& b) {
    ShellPath joined = a;
    joined.insert(joined.end(), b.begin(), b.end());
    return joined;
}

std::string ShellDisplayName(const fs::path& path) {
    const std::string name = path.filename().string();
    if (!name.empty())
        return name;
    return path.has_parent_path() && path.parent_path() != path
               ? ShellDisplayName(path.parent_path())
               : std::string("File System");
}

UINT ClassifyShellItem(const fs::path& path) {
    const UINT kind = ShellItemKind(path);
    return kind == kShellFolder && HasSubFolder(path) ? kind | kShellHasSubFolders : kind;
}

UINT ShellItemKind(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status))
        return kShellHidden;
    if (fs::is_directory(status))
        return kShellFolder;
    const std::string extension = UpperNameParts(path.filename().string()).extension;
    if (extension == "RLB")
        return kShellLibrary;
    if (extension == "SCH")
        return kShellSchematic;
    return kShellFile;
}

bool HasShellChildren(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const UINT kind = ShellItemKind(it->path());
        if (kind == kShellFolder || kind == kShellLibrary)
            return true;
    }
    return false;
}

bool MatchPattern(std::string_view text, std::string_view pattern) {
    size_t i = 0;
    for (; i < pattern.size(); ++i) {
        if (pattern[i] == '*')
            return true;
        if (i >= text.size() || (pattern[i] != '?' && pattern[i] != text[i]))
            return false;
    }
    return i == text.size();
}

NameParts UpperNameParts(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName == "." || fileName == "..")
        return {Upper(fileName), ""};
    return {Upper(fileName.substr(0, dot)), Upper(fileName.substr(dot + 1))};
}

namespace {

constexpr ShellMenuItem kNewFolderItem{kOwnNewFolder, "New &Folder", "Create a new folder.", true};
constexpr ShellMenuItem kNewLibraryItem{kOwnNewLibrary, "New &Library",
                                        "Create a new library file.", true};
constexpr ShellMenuItem kOpenItem{kVerbOpen, "&Open", "Open the item with its program.", true};
constexpr ShellMenuItem kCopyPathItem{kVerbCopyPath, "Copy &Path",
                                      "Copy the item's path to the clipboard.", true};

}  // namespace

std::vector<ShellMenuItem> ShellMenuItems(UINT kind, bool canPaste) {
    std::vector<ShellMenuItem> items;
    if (ShellKindOf(kind) == kShellLibrary) {
        items.push_back({kOwnRenameItem, "&Rename Item", "Rename the selected item.", true});
        items.push_back(
            {kOwnPasteObject, "&Paste Object", "Paste library items into the library.", canPaste});
    } else {
        items.push_back(kNewFolderItem);
        items.push_back(kNewLibraryItem);
        items.push_back({kOwnRenameItem, "&Rename Item", "Rename the selected item.", true});
    }
    items.push_back(kOpenItem);
    items.push_back({kVerbOpenFolder, "Open &Containing Folder", "Show the item's folder.", true});
    items.push_back(kCopyPathItem);
    items.push_back({kVerbDelete, "&Delete", "Move the item to the trash.", true});
    return items;
}

std::vector<ShellMenuItem> RootMenuItems() {
    return {kNewFolderItem, kNewLibraryItem, kOpenItem, kCopyPathItem};
}
