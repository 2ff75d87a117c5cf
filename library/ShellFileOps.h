#pragma once
// What the library browser does to files and libraries: renaming without ever replacing a
// file, new folders and libraries under free names, renaming and deleting library records,
// and reading the text of the filter dialog. Failures are told to the user.

#include <optional>
#include <string>
#include <vector>

enum class RenameResult { kDone, kUnchanged, kFailed };

// Renames the file or folder at path to newName in the same folder; label names it in the
// message. A name holding a separator or NUL, "." and "..", and a name that exists already
// are refused: nothing is ever moved elsewhere or replaced. On kDone newPath holds the new path.
RenameResult RenameShellItem(const std::string& path, const std::string& newName,
                             const std::string& label, std::string* newPath = nullptr);

// Makes "New Folder", else the first free "New Folder (2)", "New Folder (3)", ... in folder;
// the name made, or none after telling the user.
std::optional<std::string> CreateNewFolder(const std::string& folder);

// How new libraries are named: from the list "New Library.rlb", "New Library(2).rlb", ...; from
// the folder tree "Untitled.rlb", "Untitled2.rlb", ...
enum class LibraryNaming { kList, kTree };
// Creates an empty library under the first free name; its path, or none after telling the user.
std::optional<std::string> CreateNewLibrary(const std::string& folder, LibraryNaming naming);

// Asks once, then removes the records at indices (any order) from the library at path. False
// when the user cancelled or the library could not be opened for writing.
bool DeleteLibraryItems(const std::string& path, std::vector<int> indices);
// Renames record index; refused when another record has the name. False on any failure.
bool RenameLibraryItem(const std::string& path, int index, const std::string& newName);

// The text of the filter dialog, upper-cased. For files it splits at the last dot into name and
// extension ("*" without a dot); for library items the whole text is the pattern.
struct FilterText {
    std::string name;
    std::string extension;
};
FilterText SplitFilterText(const std::string& text, bool files);
