#include "platform/file_attributes.h"

#include "platform/runtime_error.h"
#include "platform/system_file.h"
#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

using system_file::all_write_bits;
static_assert(longest_file_name == NAME_MAX);

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

FileKind kind_of(mode_t mode)
{
    if (S_ISREG(mode)) return FileKind::File;
    if (S_ISDIR(mode)) return FileKind::Folder;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::Device;
    if (S_ISFIFO(mode)) return FileKind::Pipe;
    if (S_ISSOCK(mode)) return FileKind::Socket;
    return FileKind::Unreachable;
}

bool in_group(gid_t group)
{
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int filled = ::getgroups(count, groups.data());
    return filled > 0 && std::find(groups.begin(), groups.begin() + filled, group) != groups.begin() + filled;
}

// The read bit of the class of users this process belongs to for the file: its owner's,
// its group's or everyone else's. Root reads any file, so for root too the bits are what
// tell whether the file can be read.
bool read_bit_for_this_process(const struct stat& info)
{
    if (info.st_uid == ::geteuid()) return (info.st_mode & S_IRUSR) != 0;
    if (in_group(info.st_gid)) return (info.st_mode & S_IRGRP) != 0;
    return (info.st_mode & S_IROTH) != 0;
}

} // namespace

FileAtPath file_at(const std::string& path)
{
    FileAtPath there;
    struct stat info {};
    if (path.empty()) return there;
    there.through_link = ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ELOOP) there.kind = FileKind::LinkLoop;
        // A missing name, and a name in a folder that is not there, name nothing.
        else if (errno != ENOENT && errno != ENOTDIR) there.kind = FileKind::Unreachable;
        return there;
    }
    there.kind = kind_of(info.st_mode);
    if (there.kind == FileKind::File) {
        there.size = info.st_size;
        there.readable = read_bit_for_this_process(info) && file_size(path) >= 0;
    }
    return there;
}

long long file_size(const std::string& path)
{
    if (path.empty()) return -1;
    const system_file::Descriptor file(system_file::open_for_reading_without_waiting(path));
    if (file.get() < 0) return -1;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return info.st_size;
}

std::string name_that_fits(std::string_view file_name)
{
    const auto system_length = [](std::string_view text) { return to_utf8(text).size(); };
    if (system_length(file_name) <= longest_file_name) return std::string(file_name);
    const std::size_t dot = file_name.rfind('.');
    std::string_view extension = dot != std::string_view::npos && dot > 0 ? file_name.substr(dot) : "";
    if (system_length(extension) >= longest_file_name) extension = {};
    std::string stem(file_name.substr(0, file_name.size() - extension.size()));
    std::size_t length = system_length(stem) + system_length(extension);
    while (length > longest_file_name) {
        length -= system_length(std::string_view(&stem.back(), 1));
        stem.pop_back();
    }
    return stem + std::string(extension);
}

bool file_exists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool is_read_only(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return true;
    return (info.st_mode & all_write_bits) == 0;
}

void set_read_only(const std::string& path)
{
    change_mode(path, mode_of(path) & ~all_write_bits);
}

void set_normal(const std::string& path)
{
    change_mode(path, mode_of(path) | S_IWUSR);
}

} // namespace platform
