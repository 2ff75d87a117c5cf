#pragma once
// The file system as the library browser sees it: paths as lists of names from the root,
// display and parsing names, the kinds of item the browser shows, its wildcard match and the
// own commands its context menus add.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

// Kinds of shell items: the low four bits, and a flag for folders with sub-folders.
constexpr UINT kShellHidden = 0;  // not a file-system item: not shown
constexpr UINT kShellFile = 1;
constexpr UINT kShellFolder = 2;
constexpr UINT kShellSchematic = 3;
constexpr UINT kShellLibrary = 4;
constexpr UINT kShellLibraryItem = 5;  // plus the record's item type: 5 to 8
constexpr UINT kShellKindMask = 0xF;
constexpr UINT kShellHasSubFolders = 0x10000;

constexpr UINT ShellKindOf(UINT kind) {
    return kind & kShellKindMask;
}
constexpr bool IsLibraryItemKind(UINT kind) {
    return ShellKindOf(kind) >= kShellLibraryItem && ShellKindOf(kind) <= kShellLibraryItem + 3;
}

// A path as the names from the root folder down; the root itself is the empty list.
using ShellPath = std::vector<std::string>;

// The absolute, normalised form of path (symbolic links resolved where they exist); none for
// an empty or unreadable path.
bool ParseShellPath(std::string_view path, ShellPath& result);
std::string ShellPathText(const ShellPath& path);

// -1 when the names differ in length, else 0 when equal and -1 or 1 by the first differing
// byte.
int CompareItemIds(std::string_view a, std::string_view b);
// 2 when a is a prefix of b (or equal), 1 when b is a proper prefix of a, 0 otherwise.
int IsItemIdListPrefix(const ShellPath& a, const ShellPath& b);
ShellPath ConcatItemIdLists(const ShellPath& a, const ShellPath& b);

// The name shown for an item: its file name, "File System" for the root.
std::string ShellDisplayName(const std::filesystem::path& path);

// The kind of item at path (see above); kShellHidden for what does not exist.
UINT ClassifyShellItem(const std::filesystem::path& path);
// The same without looking into folders for sub-folders: the low four bits only.
UINT ShellItemKind(const std::filesystem::path& path);
// Whether a folder holds a folder or a library, which the folder tree shows as children.
bool HasShellChildren(const std::filesystem::path& folder);

// The browser's wildcard test: "*" ends the match with success, "?" matches any one
// character, others must be equal byte for byte; text and pattern must end together.
bool MatchPattern(std::string_view text, std::string_view pattern);

// Pieces of a file name upper-cased for filtering and sorting: "a.Rlb" gives "A" and "RLB".
struct NameParts {
    std::string name;
    std::string extension;
};
NameParts UpperNameParts(std::string_view fileName);

// Own commands of the browser's context menus, and the fixed verbs that follow them.
enum ShellMenuCommand : UINT {
    kOwnNewFolder = 1,
    kOwnNewLibrary = 2,
    kOwnRenameItem = 3,
    kOwnPasteObject = 4,
    kVerbOpen = 256,
    kVerbOpenFolder = 257,
    kVerbCopyPath = 258,
    kVerbDelete = 259,
};

struct ShellMenuItem {
    UINT id;
    const char* text;
    const char* help;
    bool enabled;
};

// The menu for an item of kind: the own commands (for a library "&Rename Item" and "&Paste
// Object", the latter only with library items to paste; else "New &Folder", "New &Library"
// and "&Rename Item"), then the verbs.
std::vector<ShellMenuItem> ShellMenuItems(UINT kind, bool canPaste);
// The menu for a root of the browser's tree, which stands for its whole folder: "New &Folder"
// and "New &Library" in it, then the verbs that leave the folder itself alone.
std::vector<ShellMenuItem> RootMenuItems();
