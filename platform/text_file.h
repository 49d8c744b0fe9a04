#pragma once
// Sequential text files as the program reads and writes them: lines of bytes that are
// neither converted nor interpreted. On reading a line ends at CR LF or at a lone CR (a
// lone LF is part of the line); on writing every line gets CR LF. Also the size of a file
// and its read-only attribute, which on this platform is the file's write permission bits.
// Failures are thrown as RuntimeError with the program's error numbers. Paths are the
// system's own names (UTF-8 bytes on this desktop) and reach it unchanged: the program
// folder and every path built on it are kept as the system gave them.
#include <cstddef>
#include <functional>
#include <memory>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// The length in bytes of a regular file that can be opened for reading; -1 for anything
// else (a missing file, a folder, an empty path, a device, a file that cannot be opened).
long long file_size(const std::string& path);

// The longest file name the system takes, in the bytes of its own encoding (UTF-8).
constexpr std::size_t longest_file_name = 255;
// A Windows-1252 file name cut at its end, before any extension, so that the system's
// encoding of it fits longest_file_name; a name that fits is given back unchanged.
std::string name_that_fits(std::string_view file_name);

// A file opened for reading line by line. Closes itself when destroyed.
class InputFile final {
public:
    // The size of one read from the file; lines may be longer than this.
    static constexpr std::size_t block_size = 64 * 1024;
    // The longest line that is read, far beyond any line of a real database file: a file
    // without line ends (zeros, a binary file) fails with error 7 (out of memory) here
    // instead of taking all the memory there is.
    static constexpr std::size_t longest_line = 64 * 1024 * 1024;
    // Told the length so far each time a block is added to a line that crosses blocks,
    // so that a long read can let the window take its turn; it may throw to give up.
    using LongLineWatch = std::function<void(std::size_t length_so_far)>;

    // Throws 53 for a missing file, 75 for a folder, a file that may not be read or a
    // file that is not a regular file (a pipe or a device, whose reads could wait for
    // ever), 76 when a folder on the path does not exist.
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // True when no byte is left to read.
    bool eof()
    {
        // The usual case, inline: the line end of the line before is passed over in the
        // block in hand, and bytes are left in it.
        if (line_feed_may_follow_ && begin_ < end_) {
            line_feed_may_follow_ = false;
            if (buffer_[begin_] == '\n') ++begin_;
        }
        if (begin_ < end_ && !line_feed_may_follow_) return false;
        return eof_past_block();
    }
    // The next line without its line end, into `line` (its capacity is reused); false,
    // with `line` empty, at the end of the file.
    bool read_line(std::string& line);
    // The same without a copy: `line` views the file's buffer, or a line of the file's own
    // where a line crosses a block, and stays valid until the next call on the file.
    // Lines longer than longest_line fail with 7. A file that was cut short while it was
    // read fails with 65 when the reading reaches its end.
    bool next_line(std::string_view& line)
    {
        // The usual case, inline: the line ends in the block in hand.
        if (begin_ < end_ && !line_feed_may_follow_) {
            const char* start = buffer_.get() + begin_;
            const auto* carriage_return = static_cast<const char*>(std::memchr(start, '\r', end_ - begin_));
            if (carriage_return != nullptr) {
                const auto length = static_cast<std::size_t>(carriage_return - start);
                line = std::string_view(start, length);
                begin_ += length + 1;
                line_feed_may_follow_ = true;
                return true;
            }
        }
        return next_line_past_block(line);
    }
    void watch_long_lines(LongLineWatch watch) { watch_ = std::move(watch); }
    void close();

    // Once eof() has said that a line is left: where in the file that line begins, and the
    // bytes from there to the end of the block in hand, which the next lines are read from.
    // A scan may look ahead in them for what it seeks.
    long long position() const { return position_ - static_cast<long long>(end_ - begin_); }
    std::string_view read_ahead() const { return {buffer_.get() + begin_, end_ - begin_}; }

private:
    bool eof_past_block();
    bool next_line_past_block(std::string_view& line);
    bool has_data();
    bool fill_buffer();
    bool cut_short() const;
    std::string_view rest_of_long_line();
    void require_open() const;

    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    // A line ended at a CR: a LF that follows belongs to that line end. It is skipped
    // when the next byte is looked at, which may be in the next block.
    bool line_feed_may_follow_ = false;
    // A line that crossed the end of a block.
    std::string long_line_;
    LongLineWatch watch_;
    // The file's size when it was opened, and the bytes read from it so far.
    long long size_at_open_ = 0;
    long long position_ = 0;
    int fd_ = -1;
};

// A file written line by line into a temporary file beside `path`, which replaces any old
// file at `path` only on commit(). Destroyed without a commit, it removes the temporary
// and leaves the old file as it was. The temporary is a hidden file of the program's own
// pattern, ".", the file's name, ".zentrel-" and six letters or digits, locked while it
// is written; the temporaries of that pattern that no writer holds locked, left by a
// process that was killed, are removed when the file is written again. Where `path` is a
// symbolic link, the file the link names is the one replaced and the link stays. The new
// file keeps the permission bits (and, where the process may, the owner) of the file it
// replaces; a new file gets the bits the umask allows.
class OutputFile final {
public:
    // Throws 75 when the folder or an existing file at `path` has no write bit or `path`
    // is a folder, 76 when the folder does not exist.
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes the bytes of `line` followed by CR LF. A write that fails (61 for a full disk)
    // discards the temporary; every later call then fails with 52.
    void write_line(std::string_view line);
    // Writes what is buffered and renames the file over the old one.
    void commit();

private:
    void flush_buffer();
    [[noreturn]] void fail(int errno_value);
    void discard() noexcept;
    void require_open() const;

    std::string path_;
    std::string temp_path_;
    std::string buffer_;
    int fd_ = -1;
};

// True when a regular file stands at the path (a symbolic link is followed).
bool file_exists(const std::string& path);
// True when the file has no write bit at all, and when its attributes cannot be read.
bool is_read_only(const std::string& path);
// Clears every write bit of the file.
void set_read_only(const std::string& path);
// Gives the file its owner's write bit back; nothing else changes.
void set_normal(const std::string& path);

} // namespace platform
