#pragma once
// Sequential text files as the program reads them: lines of bytes that are neither
// converted nor interpreted. A line ends at CR LF or at a lone CR; a lone LF is part of
// the line. Failures are thrown as RuntimeError with the program's error numbers. Paths
// are the system's own names (UTF-8 bytes on this desktop) and reach it unchanged.
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

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
    // so that a long read can let the window take its turn. It answers whether the read
    // goes on: false gives the line up, and the file then reads as ended.
    using LongLineWatch = std::function<bool(std::size_t length_so_far)>;

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
    // read fails with 65 when the reading reaches its end. False, with `line` empty, also
    // where the watch of a long line gave the line up.
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
    bool read_rest_of_long_line();
    void give_up_long_line();
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

} // namespace platform
