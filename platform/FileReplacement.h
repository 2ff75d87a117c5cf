#pragma once
// CFileReplacement: the new contents of a file that is changed as a whole. They are written
// into a temporary file beside the target, open read-write and locked for its writer alone,
// and renamed over the target when complete; until then the target stays as it was, and a
// replacement that is given up leaves no temporary file behind.

#include <memory>

#include "platform/CString.h"
#include "platform/DiskFile.h"

class CFileReplacement {
public:
    // Creates the temporary file; throws CFileException when it cannot, or (accessDenied) when
    // the user may not write the target (IsWriteProtected).
    explicit CFileReplacement(const CString& target);
    ~CFileReplacement();
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;

    CDiskFile& File() { return *m_file; }
    // Flushes the new contents and renames them over the target (the file a symbolic link
    // points to, so the link stays), which keeps its permission bits. The returned file is
    // the target now, still open and locked. Throws CFileException.
    std::unique_ptr<CDiskFile> Commit();

private:
    CString m_target;
    std::unique_ptr<CDiskFile> m_file;
};
