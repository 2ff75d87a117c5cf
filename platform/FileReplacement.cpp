#include "platform/FileReplacement.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>

#include "platform/WriteAccess.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;

CString ResolvedTarget(const CString& target) {
    std::error_code ec;
    if (!fs::is_symlink(target.str(), ec))
        return target;
    const fs::path resolved = fs::weakly_canonical(target.str(), ec);
    return ec ? target : CString(resolved.string());
}

}  // namespace

CFileReplacement::CFileReplacement(const CString& target)
    : m_target(ResolvedTarget(target)), m_file(std::make_unique<CDiskFile>()) {
    if (IsWriteProtected(m_target.str()))
        throw CFileException(CFileException::accessDenied, EACCES, m_target);
    std::random_device seed;
    std::mt19937_64 random(seed() ^ (static_cast<std::uint64_t>(::getpid()) << 32));
    const fs::path path(m_target.str());
    const UINT flags = CDiskFile::modeCreate | CDiskFile::modeNoOverwrite |
                       CDiskFile::modeReadWrite | CDiskFile::shareExclusive;
    CFileException error(CFileException::none, 0, m_target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        fs::path candidate = path;
        candidate.replace_filename("." + path.filename().string() + ".tmp" +
                                   std::to_string(random() % 1000000000));
        if (m_file->Open(candidate.c_str(), flags, &error))
            return;
        if (error.m_lOsError != EEXIST)
            break;
    }
    throw CFileException(error.m_cause, error.m_lOsError, m_target);
}

CFileReplacement::~CFileReplacement() {
    if (m_file && m_file->IsOpen())
        ::unlink(m_file->GetFilePath().c_str());
}

std::unique_ptr<CDiskFile> CFileReplacement::Commit() {
    std::error_code ec;
    const fs::perms perms = fs::status(m_target.str(), ec).permissions();
    if (!ec)
        fs::permissions(m_file->GetFilePath().str(), perms, ec);
    m_file->Flush();
    m_file->Rename(m_target.c_str());
    return std::move(m_file);
}
