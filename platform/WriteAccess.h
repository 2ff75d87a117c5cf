#pragma once
// Whether the user may change an existing file. Files are saved by writing a temporary file
// beside them and renaming it over the old one, which needs only the right to write the folder;
// the writers ask here first, so that a file the user may not write is never replaced.

#include <filesystem>
#include <string>

// True when file exists and the user may not write it. The superuser may write any file, so
// for him a file counts as write-protected when it has no write permission bit at all: what
// its owner marked read-only stays so. A missing file is not write-protected (it can be made);
// neither is a folder or a device, which the writers refuse on their own.
bool IsWriteProtected(const std::filesystem::path& file);

// What the user is told when file is refused for being write-protected.
std::string WriteProtectedText(const std::filesystem::path& file);
