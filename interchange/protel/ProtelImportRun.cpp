#include "interchange/protel/ProtelImportRun.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>

#include <sys/stat.h>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelImporter.h"
#include "library/LibraryFile.h"
#include "model/doc/DrawDoc.h"
#include "platform/DiskFile.h"

namespace {

constexpr const char* kFormatError = "\nError : File is corrupted or the wrong format.\n";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenProtelFile(std::ostream& log, const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        log << "\nError : Could not open file :\n" << path;
    return file;
}

// The file's modification time in local time, when its directory entry can be read.
bool FileTime(const std::string& path, std::tm& local) {
    struct stat entry {};
    if (stat(path.c_str(), &entry) != 0)
        return false;
    const std::time_t seconds = entry.st_mtime;
    return localtime_r(&seconds, &local) != nullptr;
}

void SetFileDate(CDrawDoc& document, const std::string& path) {
    std::tm local{};
    if (!FileTime(path, local))
        return;
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%y", &local);
    document.SetAttribute(".date", text, 0);
    std::strftime(text, sizeof text, "%H:%M", &local);
    document.SetAttribute(".time", text, 0);
}

}  // namespace

std::string ProtelDocumentTitle(const std::string& path) {
    return std::filesystem::path(path).stem().string() + "_vsch";
}

CDrawDoc* ImportProtelSchematicFile(std::ostream& log, const std::string& path, ProtelFileKind kind,
                                    const ProtelDocumentHooks& hooks) {
    FilePtr file = OpenProtelFile(log, path);
    if (!file)
        return nullptr;
    ByteSource source = ByteSource::FromFile(file.get());
    CDrawDoc* document = hooks.create ? hooks.create() : nullptr;
    if (!document) {
        log << "Error - failed to create new document\n";
        return nullptr;
    }
    const bool read = kind == ProtelFileKind::DosSchematic
                          ? ImportProtelDosSchematic(log, source, *document)
                          : ImportProtelBinarySchematic(log, source, *document);
    if (!read) {
        log << kFormatError;
        if (hooks.discard)
            hooks.discard(*document);
        return nullptr;
    }
    document->SetTitle(ProtelDocumentTitle(path).c_str());
    SetFileDate(*document, path);
    log << "\nOK.\n";
    return document;
}

bool ImportProtelLibraryFile(std::ostream& log, const std::string& path,
                             const std::string& libraryPath) {
    FilePtr file = OpenProtelFile(log, path);
    if (!file)
        return false;
    ByteSource source = ByteSource::FromFile(file.get());
    CLibraryFile library;
    const bool opened = std::filesystem::exists(libraryPath)
                            ? library.Open(libraryPath.c_str(), CDiskFile::modeReadWrite)
                            : library.Create(libraryPath.c_str()) == kCreateDone;
    // The items go into an image of the library in memory, which then replaces the library
    // in one write: an import of many items does not write the whole library for each.
    CLibraryFile image;
    if (!opened || !library.CopyToImage(image)) {
        log << "\nError : Could not open : " << libraryPath << " for writing.\n";
        return false;
    }
    const bool read = ImportProtelLibrary(log, source, image);
    if (!library.ReplaceContents(image)) {
        log << "\nError : Could not write : " << libraryPath << "\n";
        return false;
    }
    log << (read ? "\nOK.\n" : kFormatError);
    return read;
}
