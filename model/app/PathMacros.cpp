#include "model/app/PathMacros.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/Paths.h"
#include "platform/SettingsStore.h"

namespace {

constexpr char kDirectories[] = "Directories";

CString WithoutTrailingSeparator(CString path) {
    const int last = path.GetLength() - 1;
    if (last >= 0 && (path[last] == '\\' || path[last] == '/'))
        path = path.Left(last);
    return path;
}

// A folder under the program's folder, in stored form.
CString ProgramSubfolder(const char* subfolder) {
    return JoinPath(ToStoredPath(ProgramDirectory()), subfolder);
}

// A library folder setting; an empty one gets its default, which is stored at once.
CString LibraryFolder(SettingsStore& settings, const char* entry, const CString& defaultFolder) {
    const CString folder = settings.GetProfileString(kDirectories, entry);
    if (!folder.IsEmpty())
        return WithoutTrailingSeparator(folder);
    settings.WriteProfileString(kDirectories, entry, defaultFolder);
    return defaultFolder;
}

CString CurrentDirectory() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? CString() : WithoutTrailingSeparator(ToStoredPath(current.string()));
}

enum class Macro {
    FileName,
    FileExt,
    FileDir,
    CurDir,
    StdLibDir,
    UserLibDir,
    SpiceDir,
    UserDir1,
    UserDir2,
    UserDir3
};

struct MacroWord {
    std::string_view word;
    Macro macro;
};

constexpr MacroWord kMacroWords[] = {
    {"$(FileName)", Macro::FileName},   {"$(FileExt)", Macro::FileExt},
    {"$(FileDir)", Macro::FileDir},     {"$(CurDir)", Macro::CurDir},
    {"$(StdLibDir)", Macro::StdLibDir}, {"$(UserLibDir)", Macro::UserLibDir},
    {"$(SpiceDir)", Macro::SpiceDir},   {"$(UserDir1)", Macro::UserDir1},
    {"$(UserDir2)", Macro::UserDir2},   {"$(UserDir3)", Macro::UserDir3},
};

// The value of a macro; none for a document macro without a document.
std::optional<CString> MacroValue(Macro macro, SettingsStore& settings,
                                  const MacroDocument* document) {
    switch (macro) {
        case Macro::FileName:
            return document ? std::optional(FileTitle(document->title)) : std::nullopt;
        case Macro::FileExt:
            return document ? std::optional(FileExtension(document->title)) : std::nullopt;
        case Macro::FileDir:
            if (!document)
                return std::nullopt;
            return WithoutTrailingSeparator(ToStoredPath(FileDirectory(document->pathName)));
        case Macro::CurDir:
            return CurrentDirectory();
        case Macro::StdLibDir:
            return LibraryFolder(settings, "stdlib", DefaultStandardFolder(ProgramDirectory()));
        case Macro::UserLibDir:
            return LibraryFolder(settings, "userlib", ProgramSubfolder("Libraries"));
        case Macro::SpiceDir:
            return LibraryFolder(settings, "spice", ProgramSubfolder("Libraries\\Spice"));
        case Macro::UserDir1:
            return settings.GetProfileString(kDirectories, "user1");
        case Macro::UserDir2:
            return settings.GetProfileString(kDirectories, "user2");
        case Macro::UserDir3:
            return settings.GetProfileString(kDirectories, "user3");
    }
    return std::nullopt;
}

// Cuts text to at most size bytes without splitting a UTF-8 sequence.
void CutAtCharacterStart(std::string& text, size_t size) {
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80)
        --size;
    text.resize(size);
}

// Appends in to out with its macros replaced by their values, left to right. The macros are
// expanded in the order of kMacroWords, each everywhere before the next: so in a value inserted
// for macro `owner`, only the macros after it in that order are expanded; the ones before it,
// and the owner itself (whose value names itself), stay as they stand. Every nesting moves on in
// the order, so expansion ends. Stops as soon as out can no longer fit into limit bytes.
void AppendExpanded(std::string_view in, int owner, size_t limit, std::string& out,
                    SettingsStore& settings, const MacroDocument* document) {
    for (size_t i = 0; i < in.size() && out.size() < limit;) {
        std::optional<CString> value;
        int index = 0;
        for (const MacroWord& macro : kMacroWords) {
            if (index > owner && in.substr(i, macro.word.size()) == macro.word) {
                value = MacroValue(macro.macro, settings, document);
                if (value)
                    i += macro.word.size();
                break;
            }
            ++index;
        }
        if (value)
            AppendExpanded(value->str(), index, limit, out, settings, document);
        else
            out += in[i++];
    }
}

}  // namespace

CString DefaultStandardFolder(const CString& programDirectory) {
    namespace fs = std::filesystem;
    const fs::path program(programDirectory.str());
    std::error_code error;
    const fs::path installed = program / ".." / "share" / "vosk" / "Libraries";
    if (!fs::is_directory(program / "Libraries", error) && fs::is_directory(installed, error))
        return ToStoredPath(fs::weakly_canonical(installed, error).string());
    return JoinPath(ToStoredPath(programDirectory), "Libraries");
}

BOOL ExpandPathMacros(CString& text, int bufferSize, SettingsStore& settings,
                      const MacroDocument* document) {
    CString source(text);
    source.TrimLeft();
    const size_t limit = bufferSize > 0 ? static_cast<size_t>(bufferSize) : 0;
    std::string out;
    AppendExpanded(source.str(), -1, limit, out, settings, document);
    const BOOL fits = out.size() < limit;
    if (!fits)
        CutAtCharacterStart(out, limit > 0 ? limit - 1 : 0);
    text = CString(std::move(out));
    return fits;
}

CString ExpandedPath(const CString& setting, SettingsStore& settings) {
    CString text = setting;
    if (!ExpandPathMacros(text, kMaxPath, settings, nullptr))
        return CString();
    return FromStoredPath(text);
}
