#include "platform/WriteAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/AtomicFile.h"

bool IsWriteProtected(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (::geteuid() == 0)
        return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    // The system's own answer for everyone else, with access control lists and all.
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

std::string WriteProtectedText(const std::filesystem::path& file) {
    return "Cannot save " + QuotedPath(file) + ": the file is write-protected.";
}
