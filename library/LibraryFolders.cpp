#include "library/LibraryFolders.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "library/LibraryFile.h"
#include "model/app/PathMacros.h"
#include "model/app/SchematicApp.h"
#include "platform/AppIdentity.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLibraryFilePattern = "*.rlb";

// A path that ends with a separator, is a folder, or has no extension names no file.
bool NamesFolder(const CString& path) {
    const std::string& text = path.str();
    std::error_code ec;
    return text.empty() || text.back() == '/' || fs::is_directory(text, ec) ||
           FileExtension(path).IsEmpty();
}

std::vector<std::string> MatchingFiles(const fs::path& folder, const std::string& namePattern) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_regular_file(typeError) &&
            ::fnmatch(namePattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::vector<CString> LibraryFolders(CSchematicApp& app) {
    std::vector<CString> folders{ExpandedPath("$(UserLibDir)", app.Settings())};
    const CString standard = ExpandedPath("$(StdLibDir)", app.Settings());
    if (standard != folders.front())
        folders.push_back(standard);
    return folders;
}

CString LibraryPattern(const CString& setting, const CString& relativeTo, CSchematicApp& app,
                       const MacroDocument* document) {
    CString expanded(setting);
    if (!app.ExpandMacros(expanded, kMaxPath, document))
        return {};
    CString pattern = FromStoredPath(expanded);
    if (!pattern.str().starts_with('/'))
        pattern = JoinPath(FileDirectory(relativeTo), pattern);
    if (NamesFolder(pattern))
        pattern = JoinPath(pattern, kLibraryFilePattern);
    return pattern;
}

bool VisitLibraries(const CString& pattern, const LibraryVisitor& visit) {
    const fs::path path(pattern.str());
    std::error_code ec;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (pattern.IsEmpty() || !path.has_filename() ||
        (fs::exists(folder, ec) && !fs::is_directory(folder, ec))) {
        CString text;
        text.Format("Device symbol path invalid - \n%s", pattern.c_str());
        GetUserPrompt().MessageBox(text, kApplicationTitle, MB_OK);  // a plain box, no icon
        return true;
    }
    for (const std::string& file : MatchingFiles(folder, path.filename().string())) {
        CLibraryFile library;
        if (library.Open(file.c_str()) && !visit(library))
            return false;
    }
    return true;
}

bool SearchSymbolLibraries(CLibraryFile& own, const CString& devicePath, CSchematicApp& app,
                           const MacroDocument* document, const LibraryVisitor& visit) {
    const CString ownPath = own.GetSourcePath();
    std::vector<CString> patterns;
    bool missing = true;
    if (!devicePath.IsEmpty())
        patterns.push_back(LibraryPattern(devicePath, ownPath, app, document));
    if (devicePath.IsEmpty() || patterns.front() == ownPath)
        missing = visit(own);
    for (const char* folder : {"$(UserLibDir)", "$(StdLibDir)"}) {
        const CString pattern = LibraryPattern(folder, ownPath, app, nullptr);
        if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end())
            patterns.push_back(pattern);
    }
    for (auto it = patterns.begin(); missing && it != patterns.end(); ++it)
        missing = VisitLibraries(*it, visit);
    return missing;
}
