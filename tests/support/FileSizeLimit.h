// A full disk for one scope: the file-size limit set low with SIGXFSZ ignored,
// so a write past it fails with EFBIG instead of ending the process. Restored
// however the scope ends.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace kw::test {

struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    rlimit saved{};
    void (*previous)(int) = nullptr;
};

} // namespace kw::test
