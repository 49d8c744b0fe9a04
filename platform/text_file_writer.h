#pragma once
// Whole files as the program writes them in place of older ones: lines of bytes, each
// followed by CR LF, into a temporary file that takes the old file's place only when
// every line is written. Failures are thrown as RuntimeError with the program's error
// numbers. Paths are the system's own names (UTF-8 bytes on this desktop) and reach it
// unchanged.
#include <string>
#include <string_view>

namespace platform {

// A file written line by line into a temporary file beside `path`, which replaces any old
// file at `path` only on commit(). Destroyed without a commit, it removes the temporary
// and leaves the old file as it was. The temporary is a hidden file of the program's own
// pattern, ".", the file's name, ".zentrel-" and six letters or digits, locked while it
// is written; the temporaries of that pattern that no writer holds locked, left by a
// process that was killed, are removed when the file is written again. Where `path` is a
// symbolic link, the file the link names is the one replaced and the link stays. Only a
// regular file is replaced: a folder, a device or a pipe at `path` (or where its links
// lead) is refused. The new file keeps the permission bits (and, where the process may,
// the owner) of the file it replaces; a new file gets the bits the umask allows; either
// way its owner may read it.
class OutputFile final {
public:
    // Throws 75 when the folder or an existing file at `path` has no write bit or what
    // stands at `path` is no regular file, 76 when the folder does not exist.
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes the bytes of `line` followed by CR LF. A write that fails (61 for a full disk)
    // discards the temporary; every later call then fails with 52.
    void write_line(std::string_view line);
    // Writes what is buffered, flushes the file to the disk, renames it over the old one
    // and flushes the folder; 75 when something other than a file has come to stand at
    // the path meanwhile.
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

} // namespace platform
