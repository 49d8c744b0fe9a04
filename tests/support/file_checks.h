#pragma once
// Small helpers for tests that look at the files the program writes.
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace testing_support {

// The number of lines that end in CR LF.
inline long long crlf_line_count(const std::string& bytes)
{
    long long count = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++count;
    return count;
}

// A file of these bytes and mode in a folder of its own, and a symbolic link to it at
// `link`; gives the file's path.
inline std::string file_behind_link(const TempFolder& elsewhere, const std::string& name, const std::string& bytes,
                                    mode_t mode, const std::string& link)
{
    elsewhere.write_file(name, bytes);
    const std::string named = elsewhere.file(name);
    EXPECT_EQ(::chmod(named.c_str(), mode), 0);
    EXPECT_EQ(::symlink(named.c_str(), link.c_str()), 0);
    return named;
}

// A character device node at `path` with the numbers of /dev/zero, in a folder of the
// test's own, where the system allows it (CAP_MKNOD); false where it does not.
inline bool make_zero_device(const std::string& path)
{
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0;
}

// A socket bound at `path`, which stays when its descriptor closes; false where it could
// not be made.
inline bool make_socket(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    path.copy(address.sun_path, path.size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return false;
    const bool bound = ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return bound;
}

// The kind of what stands at the path, its links not followed: S_IFREG, S_IFIFO ...
inline mode_t kind_at(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
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
