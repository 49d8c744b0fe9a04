#include "platform/text_file_reader.h"

#include "platform/runtime_error.h"
#include "platform/system_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool is_folder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int open_error_number(const std::string& path, int errno_value)
{
    switch (errno_value) {
    case ENOENT: return is_folder(system_file::parent_folder(path)) ? error::file_not_found : error::path_not_found;
    case ENOTDIR: return error::path_not_found;
    case EACCES:
    case EPERM: return error::path_file_access;
    default: return error_from_errno(errno_value);
    }
}

int open_for_reading(const std::string& path)
{
    if (path.empty()) raise_error(error::path_file_access);
    system_file::Descriptor file(system_file::open_for_reading_without_waiting(path));
    if (file.get() < 0) raise_error(open_error_number(path, errno));

    // A pipe or a device is no database file, and a read from it may wait for ever.
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) raise_error(error_from_errno(errno));
    if (!S_ISREG(info.st_mode)) raise_error(error::path_file_access);

    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        raise_error(error_from_errno(errno));
    }
    return file.release();
}

} // namespace

InputFile::InputFile(const std::string& path)
    : buffer_(std::make_unique_for_overwrite<char[]>(block_size))
{
    fd_ = open_for_reading(path);
    struct stat info {};
    if (::fstat(fd_, &info) == 0) size_at_open_ = info.st_size;
}

InputFile::~InputFile() { close(); }

void InputFile::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    begin_ = end_ = 0;
    at_end_ = true;
    line_feed_may_follow_ = false;
    std::string().swap(long_line_);
}

void InputFile::require_open() const
{
    if (fd_ < 0) raise_error(error::bad_file_name_or_number);
}

bool InputFile::eof_past_block()
{
    require_open();
    return !has_data();
}

bool InputFile::read_line(std::string& line)
{
    std::string_view view;
    const bool read = next_line(view);
    line.assign(view);
    return read;
}

bool InputFile::next_line_past_block(std::string_view& line)
{
    require_open();
    line = {};
    if (!has_data()) return false;
    const char* start = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const auto* carriage_return = static_cast<const char*>(std::memchr(start, '\r', available));
    if (carriage_return == nullptr) {
        long_line_.assign(start, available);
        begin_ = end_;
        if (!read_rest_of_long_line()) {
            give_up_long_line();
            return false;
        }
        line = long_line_;
        return true;
    }
    const auto length = static_cast<std::size_t>(carriage_return - start);
    line = std::string_view(start, length);
    begin_ += length + 1;
    line_feed_may_follow_ = true;
    return true;
}

// Reads on from a block's end to the line's end, adding to the line begun in long_line_;
// false where the watch gave the line up.
bool InputFile::read_rest_of_long_line()
{
    while (fill_buffer()) {
        const char* start = buffer_.get();
        const auto* carriage_return = static_cast<const char*>(std::memchr(start, '\r', end_));
        const std::size_t length = carriage_return != nullptr ? static_cast<std::size_t>(carriage_return - start) : end_;
        if (long_line_.size() + length > longest_line) {
            std::string().swap(long_line_); // the memory goes back at once, not when the file closes
            raise_error(error::out_of_memory);
        }
        long_line_.append(start, length);
        begin_ = length;
        if (carriage_return != nullptr) {
            ++begin_;
            line_feed_may_follow_ = true;
            return true;
        }
        if (watch_ && !watch_(long_line_.size())) return false;
    }
    return true; // the last line has no line end
}

// The read ends inside a long line: its memory goes back at once, and nothing more is
// read from the file, which now reads as ended.
void InputFile::give_up_long_line()
{
    std::string().swap(long_line_);
    begin_ = end_ = 0;
    at_end_ = true;
    line_feed_may_follow_ = false;
}

bool InputFile::has_data()
{
    if (begin_ == end_ && !fill_buffer()) return false;
    if (!line_feed_may_follow_) return true;
    line_feed_may_follow_ = false;
    if (buffer_[begin_] == '\n') ++begin_;
    return begin_ < end_ || fill_buffer();
}

// True at the end of the file when less was read than the file held when it was opened,
// or the file is now shorter than what was read of it: it was cut while it was read.
bool InputFile::cut_short() const
{
    struct stat info {};
    return position_ < size_at_open_ || (::fstat(fd_, &info) == 0 && info.st_size < position_);
}

// Reads the next block; false once the file has no more bytes. A file cut short while it
// was read has lost lines that were never read, and the reader says so rather than end as
// if the file were complete.
bool InputFile::fill_buffer()
{
    begin_ = end_ = 0;
    while (!at_end_) {
        const ssize_t count = ::read(fd_, buffer_.get(), block_size);
        if (count > 0) {
            end_ = static_cast<std::size_t>(count);
            position_ += count;
            return true;
        }
        if (count == 0) {
            at_end_ = true;
            if (cut_short()) raise_error(error::file_changed);
        } else if (errno != EINTR) {
            raise_error(error_from_errno(errno));
        }
    }
    return false;
}

} // namespace platform
