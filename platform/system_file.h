#pragma once
// What the file reader, the file writer and the file attributes share at the system's
// level: the write bits, a descriptor that closes itself, the folder of a path, and an
// open for reading that never waits.
#include <filesystem>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system_file {

// Read-only is the absence of every write bit.
constexpr mode_t all_write_bits = S_IWUSR | S_IWGRP | S_IWOTH;

// Closes the descriptor it holds unless it was released.
class Descriptor final {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// The folder part of a path: "." when it has none, "/" for a file in the root.
inline std::string parent_folder(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// O_NONBLOCK keeps the open of a FIFO without a writer from hanging.
inline int open_for_reading_without_waiting(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

} // namespace platform::system_file
