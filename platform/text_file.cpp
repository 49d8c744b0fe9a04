#include "platform/text_file.h"

#include "platform/runtime_error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

constexpr mode_t all_write_bits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t written_file_mode = 0644;

// The folder part of a path: "." when it has none, "/" for a file in the root.
std::string parent_folder(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string file_name_part(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool is_folder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

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

// O_NONBLOCK keeps the open of a FIFO without a writer from hanging.
int open_for_reading_raw(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

int open_error_number(const std::string& path, int errno_value)
{
    switch (errno_value) {
    case ENOENT: return is_folder(parent_folder(path)) ? error::file_not_found : error::path_not_found;
    case ENOTDIR: return error::path_not_found;
    case EACCES:
    case EPERM: return error::path_file_access;
    default: return error_from_errno(errno_value);
    }
}

int open_for_reading(const std::string& path)
{
    if (path.empty()) raise_error(error::path_file_access);
    Descriptor file(open_for_reading_raw(path));
    if (file.get() < 0) raise_error(open_error_number(path, errno));

    struct stat info {};
    if (::fstat(file.get(), &info) != 0) raise_error(error_from_errno(errno));
    if (S_ISDIR(info.st_mode)) raise_error(error::path_file_access);

    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        raise_error(error_from_errno(errno));
    }
    return file.release();
}

// An existing file at `path` must be one whose mode lets it be replaced.
void check_target(const std::string& path)
{
    if (path.empty()) raise_error(error::path_file_access);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode) || (info.st_mode & all_write_bits) == 0) {
            raise_error(error::path_file_access);
        }
        return;
    }
    if (errno == ENOTDIR) raise_error(error::path_not_found);
    if (errno != ENOENT) raise_error(error_from_errno(errno));
}

void check_folder(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        raise_error(errno == ENOENT || errno == ENOTDIR ? error::path_not_found
                                                         : error_from_errno(errno));
    }
    if (!S_ISDIR(info.st_mode)) raise_error(error::path_not_found);
    if ((info.st_mode & S_IWUSR) == 0) raise_error(error::path_file_access);
}

std::string temporary_template(const std::string& path)
{
    std::string folder = parent_folder(path);
    if (folder.back() != '/') folder += '/';
    return folder + "." + file_name_part(path) + ".XXXXXX";
}

void change_mode(const std::string& path, mode_t mode)
{
    if (::chmod(path.c_str(), mode) != 0) raise_error(error_from_errno(errno));
}

mode_t mode_of(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) raise_error(error_from_errno(errno));
    return info.st_mode & 07777;
}

} // namespace

long long file_size(const std::string& path)
{
    if (path.empty()) return -1;
    const Descriptor file(open_for_reading_raw(path));
    if (file.get() < 0) return -1;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return info.st_size;
}

// ---- InputFile ----

InputFile::InputFile(const std::string& path)
    : buffer_(std::make_unique_for_overwrite<char[]>(block_size))
{
    fd_ = open_for_reading(path);
}

InputFile::~InputFile() { close(); }

void InputFile::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    begin_ = end_ = 0;
    at_end_ = true;
}

void InputFile::require_open() const
{
    if (fd_ < 0) raise_error(error::bad_file_name_or_number);
}

bool InputFile::eof()
{
    require_open();
    return !has_data();
}

bool InputFile::read_line(std::string& line)
{
    require_open();
    line.clear();
    if (!has_data()) return false;
    for (;;) {
        const char* start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const auto* carriage_return = static_cast<const char*>(std::memchr(start, '\r', available));
        if (carriage_return != nullptr) {
            const auto length = static_cast<std::size_t>(carriage_return - start);
            line.append(start, length);
            begin_ += length + 1;
            skip_line_feed();
            return true;
        }
        line.append(start, available);
        begin_ = end_;
        if (!fill_buffer()) return true; // the last line has no line end
    }
}

bool InputFile::has_data() { return begin_ < end_ || fill_buffer(); }

// A CR may be the last byte of one block and its LF the first of the next.
void InputFile::skip_line_feed()
{
    if (has_data() && buffer_[begin_] == '\n') ++begin_;
}

// Reads the next block; false once the file has no more bytes. A file truncated
// while it is read simply ends there.
bool InputFile::fill_buffer()
{
    begin_ = end_ = 0;
    while (!at_end_) {
        const ssize_t count = ::read(fd_, buffer_.get(), block_size);
        if (count > 0) {
            end_ = static_cast<std::size_t>(count);
            return true;
        }
        if (count == 0) {
            at_end_ = true;
        } else if (errno != EINTR) {
            raise_error(error_from_errno(errno));
        }
    }
    return false;
}

// ---- OutputFile ----

OutputFile::OutputFile(const std::string& path) : path_(path)
{
    check_target(path);
    check_folder(parent_folder(path));
    temp_path_ = temporary_template(path);
    fd_ = ::mkostemp(temp_path_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temp_path_.clear();
        raise_error(error_from_errno(errno));
    }
    buffer_.reserve(InputFile::block_size + 2);
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::require_open() const
{
    if (fd_ < 0) raise_error(error::bad_file_name_or_number);
}

void OutputFile::write_line(std::string_view line)
{
    require_open();
    buffer_.append(line);
    buffer_.append("\r\n");
    if (buffer_.size() >= InputFile::block_size) flush_buffer();
}

void OutputFile::flush_buffer()
{
    std::size_t written = 0;
    while (written < buffer_.size()) {
        const ssize_t count = ::write(fd_, buffer_.data() + written, buffer_.size() - written);
        if (count >= 0) {
            written += static_cast<std::size_t>(count);
        } else if (errno != EINTR) {
            fail(errno);
        }
    }
    buffer_.clear();
}

void OutputFile::commit()
{
    require_open();
    flush_buffer();
    if (::fchmod(fd_, written_file_mode) != 0) fail(errno);
    if (::close(std::exchange(fd_, -1)) != 0) fail(errno);
    if (::rename(temp_path_.c_str(), path_.c_str()) != 0) fail(errno);
    temp_path_.clear();
}

void OutputFile::fail(int errno_value)
{
    const int number = error_from_errno(errno_value);
    discard();
    raise_error(number);
}

void OutputFile::discard() noexcept
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
    temp_path_.clear();
    buffer_.clear();
}

// ---- Read-only attribute ----

bool is_read_only(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return true;
    return (info.st_mode & all_write_bits) == 0;
}

void set_read_only(const std::string& path) { change_mode(path, mode_of(path) & ~all_write_bits); }

void set_normal(const std::string& path) { change_mode(path, mode_of(path) | S_IWUSR); }

std::int32_t file_size_32(const std::string& path)
{
    const long long size = file_size(path);
    return size > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                             : static_cast<std::int32_t>(size);
}

} // namespace platform
