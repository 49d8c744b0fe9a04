#pragma once
// What the program asks of a file without reading it: its size, what stands at a path,
// whether a file stands there, and its read-only attribute, which on this platform is the file's write
// permission bits; and the longest file name the system takes. Paths are the system's
// own names (UTF-8 bytes on this desktop) and reach it unchanged.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The length in bytes of a regular file that can be opened for reading; -1 for anything
// else (a missing file, a folder, an empty path, a device, a file that cannot be opened).
long long file_size(const std::string& path);

// The longest file name the system takes, in the bytes of its own encoding (UTF-8).
constexpr std::size_t longest_file_name = 255;
// A Windows-1252 file name cut at its end, before any extension, so that the system's
// encoding of it fits longest_file_name; a name that fits is given back unchanged.
std::string name_that_fits(std::string_view file_name);

// What stands at a path once its symbolic links are followed.
enum class FileKind {
    Missing,     // nothing: the name is free, or a link names a file not yet there
    File,        // a regular file
    Folder,
    Device,      // a character or block device
    Pipe,        // a FIFO
    Socket,
    LinkLoop,    // links that lead round in a circle, or too far
    Unreachable, // what is there cannot be looked at (a folder on the way may not be searched)
};

struct FileAtPath {
    FileKind kind = FileKind::Missing;
    // The path itself is a symbolic link.
    bool through_link = false;
    // Of a regular file: its length in bytes, and whether it can be read: the read bit
    // of this process's class of users (owner, group, others) is set, for root as well,
    // which reads any file, and this process can open it for reading.
    long long size = 0;
    bool readable = false;

    // Only nothing or a regular file may be replaced by a file the program writes.
    bool replaceable() const { return kind == FileKind::Missing || kind == FileKind::File; }
};

FileAtPath file_at(const std::string& path);

// True when a regular file stands at the path (a symbolic link is followed).
bool file_exists(const std::string& path);
// True when the file has no write bit at all, and when its attributes cannot be read.
bool is_read_only(const std::string& path);
// Clears every write bit of the file.
void set_read_only(const std::string& path);
// Gives the file its owner's write bit back; nothing else changes.
void set_normal(const std::string& path);

} // namespace platform
