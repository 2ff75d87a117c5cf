#include "library/ShellFileOps.h"

#include <fcntl.h>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "library/LibraryFile.h"
#include "platform/CString.h"
#include "platform/DiskFile.h"
#include "platform/UserPrompt.h"

namespace fs = std::filesystem;

namespace {

// Bounds the search for a free name, which a folder full of them would make endless.
constexpr int kMaxNameTries = 1000;

void ReportError(const char* format, const std::string& subject, int error) {
    CString text;
    text.Format(format, subject.c_str());
    const char* reason = error ? std::strerror(error) : nullptr;
    text += reason && *reason ? reason : "Unknown Error!";
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

// rename that never replaces: the system's no-replace rename, or, on file systems without it,
// a check just before.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec)))
        return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string LibraryName(LibraryNaming naming, int number) {
    const bool list = naming == LibraryNaming::kList;
    if (number == 1)
        return list ? "New Library.rlb" : "Untitled.rlb";
    CString name;
    name.Format(list ? "New Library(%d).rlb" : "Untitled%d.rlb", number);
    return name.str();
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void ReportNotWritable(const std::string& path) {
    CString text;
    text.Format("Error - could not open the library %s for writing.", path.c_str());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

}  // namespace

RenameResult RenameShellItem(const std::string& path, const std::string& newName,
                             const std::string& label, std::string* newPath) {
    const fs::path from(path);
    if (newName == from.filename().string())
        return RenameResult::kUnchanged;
    if (!IsPlainName(newName)) {
        ReportError("Cannot rename %s\nReason: ", label, EINVAL);
        return RenameResult::kFailed;
    }
    const std::string to = (from.parent_path() / newName).string();
    if (const int error = RenameNoReplace(path, to); error != 0) {
        ReportError("Cannot rename %s\nReason: ", label, error);
        return RenameResult::kFailed;
    }
    if (newPath)
        *newPath = to;
    return RenameResult::kDone;
}

std::optional<std::string> CreateNewFolder(const std::string& folder) {
    const std::string base = WithSeparator(folder);
    for (int number = 1; number <= kMaxNameTries; ++number) {
        CString name("New Folder");
        if (number > 1)
            name.Format("%s (%d)", "New Folder", number);
        const std::string path = base + name.str();
        std::error_code ec;
        if (fs::create_directory(path, ec))
            return name.str();
        const int error = ec ? ec.value() : EEXIST;
        if (error != EEXIST) {
            ReportError("Cannot create folder %s\nReason: ", path, error);
            return std::nullopt;
        }
    }
    ReportError("Cannot create folder %s\nReason: ", base + "New Folder", EEXIST);
    return std::nullopt;
}

std::optional<std::string> CreateNewLibrary(const std::string& folder, LibraryNaming naming) {
    const std::string base = WithSeparator(folder);
    int answer = kCreateExists;
    for (int number = 1; number <= kMaxNameTries && answer == kCreateExists; ++number) {
        const std::string path = base + LibraryName(naming, number);
        CLibraryFile library;
        answer = library.Create(path.c_str());
        if (answer == kCreateDone)
            return path;
    }
    CString text;
    text.Format("Failed to create library file - %d.\n", answer);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return std::nullopt;
}

bool DeleteLibraryItems(const std::string& path, std::vector<int> indices) {
    if (AfxMessageBox("Are you sure you want to permanently delete these items?", MB_OKCANCEL) !=
        IDOK)
        return false;
    CLibraryFile library;
    if (!library.Open(path.c_str(), CDiskFile::modeReadWrite)) {
        ReportNotWritable(path);
        return false;
    }
    for (size_t i = 0; i < indices.size(); ++i) {
        const int removed = indices[i];
        if (removed < 0 || !library.RemoveItem(removed))
            continue;
        // The records behind the removed one moved down.
        for (size_t j = i + 1; j < indices.size(); ++j) {
            if (indices[j] == removed)
                indices[j] = -1;
            else if (indices[j] > removed)
                --indices[j];
        }
    }
    return true;
}

bool RenameLibraryItem(const std::string& path, int index, const std::string& newName) {
    CLibraryFile library;
    if (!library.Open(path.c_str(), CDiskFile::modeReadWrite)) {
        ReportNotWritable(path);
        return false;
    }
    // The renamed record goes to the end of the library.
    if (!library.AllItemsReadableOrReport())
        return false;
    CLibraryItem entry;
    entry.m_name = newName.c_str();
    const int result = library.UpdateItem(index, entry, kUpdateName | kUpdateNoPrompt);
    if (result == 4) {
        CString text;
        text.Format("Error - an item named %s already exists.", newName.c_str());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return false;
    }
    if (result != 1) {
        ReportNotWritable(path);
        return false;
    }
    return true;
}

FilterText SplitFilterText(const std::string& text, bool files) {
    const size_t dot = text.rfind('.');
    if (!files || dot == std::string::npos)
        return {Upper(text), "*"};
    return {Upper(text.substr(0, dot)), Upper(text.substr(dot + 1))};
}
