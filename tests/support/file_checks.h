#pragma once
// Small helpers for tests that look at the files the program writes.
#include <csignal>
#include <string>

#include <sys/resource.h>

namespace testing_support {

// The number of lines that end in CR LF.
inline long long crlf_line_count(const std::string& bytes)
{
    long long count = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++count;
    return count;
}

// Lowers the largest file this process may write, with SIGXFSZ ignored so that a write
// past it fails with EFBIG; both are put back when the guard goes.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, saved_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*saved_handler_)(int) = SIG_DFL;
    bool active_ = false;
};

} // namespace testing_support
