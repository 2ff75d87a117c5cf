#pragma once
// While it lives, no file this process writes may grow beyond a few bytes: writing more fails
// part way (EFBIG), as on a full disk.

#include <sys/resource.h>

#include <csignal>

namespace testsupport {

class TinyFileSizeLimit {
public:
    TinyFileSizeLimit() {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tiny{kBytes, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~TinyFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    TinyFileSizeLimit(const TinyFileSizeLimit&) = delete;
    TinyFileSizeLimit& operator=(const TinyFileSizeLimit&) = delete;

private:
    static constexpr rlim_t kBytes = 8;
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace testsupport
