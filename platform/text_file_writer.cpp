#include "platform/text_file_writer.h"

#include "core/paths.h"
#include "platform/file_attributes.h"
#include "platform/runtime_error.h"
#include "platform/system_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

using system_file::all_write_bits;
constexpr mode_t permission_bits = 0777;
// The bytes gathered before they are written to the file.
constexpr std::size_t flush_size = 64 * 1024;
// A new file may be read and written by all whom the process's umask allows.
constexpr mode_t new_file_mode = 0666;
// The longest chain of symbolic links that is followed, as the system itself allows.
constexpr int link_depth_limit = 40;

// A temporary's name: ".", the name of the file it stands in for, the marker and as many
// random letters or digits.
constexpr std::string_view temporary_marker = ".zentrel-";
constexpr std::size_t temporary_letter_count = 6;
constexpr std::string_view temporary_letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string file_name_part(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// A name in the folder of `path`.
std::string beside(const std::string& path, const std::string& name)
{
    return zentrel::path_in_folder(system_file::parent_folder(path), name);
}

// What stands at `path`, once its links are followed, must be nothing or a regular file
// whose mode lets it be replaced: a folder, a device or a pipe is never renamed over.
void check_target(const std::string& path)
{
    if (path.empty()) raise_error(error::path_file_access);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || (info.st_mode & all_write_bits) == 0) {
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

// The file that `path` stands for: a symbolic link is followed, through any chain of
// links, to the file it names (which need not exist yet), so that a write replaces that
// file and the link stays a link.
std::string followed_links(std::string path)
{
    for (int depth = 0; depth < link_depth_limit; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::array<char, PATH_MAX> target{};
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) raise_error(error_from_errno(errno));
        if (static_cast<std::size_t>(length) >= target.size()) raise_error(error_from_errno(ENAMETOOLONG));
        const std::string named(target.data(), static_cast<std::size_t>(length));
        path = named.front() == '/' ? named : beside(path, named);
    }
    raise_error(error_from_errno(ELOOP));
}

// The start of the names of the temporaries of the file at `path`: the file's name is cut,
// at a character of its UTF-8, so that a temporary's whole name fits the system's limit.
std::string temporary_prefix(const std::string& path)
{
    std::string name = file_name_part(path);
    const std::size_t room = longest_file_name - 1 - temporary_marker.size() - temporary_letter_count;
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return "." + name + std::string(temporary_marker);
}

bool same_file(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// True when the name in the folder still stands for the open file.
bool still_named(int fd, const std::string& path)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && same_file(held, named);
}

// A new, empty hidden file beside `path` that no other file had, open for writing and
// locked, so that no other writer takes it for a leftover while it is written.
int create_temporary(const std::string& path, mode_t mode, std::string& temp_path)
{
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, temporary_letters.size() - 1);
    const std::string prefix = beside(path, temporary_prefix(path));
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_path = prefix;
        for (std::size_t i = 0; i < temporary_letter_count; ++i) temp_path += temporary_letters[letter(random)];
        system_file::Descriptor file(::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (file.get() < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        // Another writer may have found the new file unlocked and be removing it.
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0 && still_named(file.get(), temp_path)) return file.release();
    }
    errno = EEXIST;
    return -1;
}

bool is_temporary_name(const std::string& name, const std::string& prefix)
{
    return name.size() == prefix.size() + temporary_letter_count && name.starts_with(prefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return temporary_letters.find(c) != std::string_view::npos; });
}

// Removes a temporary that no writer holds: its writer was killed before it could remove
// it. A file that cannot be opened and locked, or is no regular file, stays.
void remove_if_abandoned(const std::string& temp_path)
{
    const system_file::Descriptor file(::open(temp_path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) return; // a writer is at work on it
    if (still_named(file.get(), temp_path)) ::unlink(temp_path.c_str());
}

// The temporaries of the file at `path` that killed writers left in its folder. Only
// names of the program's own pattern for this file are looked at; a folder that cannot
// be listed is no failure of the write.
void remove_abandoned_temporaries(const std::string& path)
{
    const std::string prefix = temporary_prefix(path);
    std::error_code failure;
    std::filesystem::directory_iterator entry(system_file::parent_folder(path), failure);
    for (; !failure && entry != std::filesystem::directory_iterator(); entry.increment(failure)) {
        if (is_temporary_name(entry->path().filename().string(), prefix)) remove_if_abandoned(entry->path().string());
    }
}

// Gives the new file the permission bits, and where the process may, the owner and
// group of the file it replaces; a new file keeps what the umask gave it. Only the owner
// may refuse: a user cannot give a file away, and that is no failure of the write. Either
// way its owner may read it: a file written to be read never comes out unreadable, even
// where the old one had lost its owner's read bit.
void take_over_attributes(int fd, const std::string& old_file)
{
    struct stat old {};
    mode_t mode = 0;
    if (::stat(old_file.c_str(), &old) == 0) {
        [[maybe_unused]] const int owner_refused = ::fchown(fd, old.st_uid, old.st_gid);
        mode = old.st_mode & permission_bits;
    } else if (::fstat(fd, &old) == 0) {
        mode = old.st_mode & permission_bits;
        if ((mode & S_IRUSR) != 0) return;
    } else {
        raise_error(error_from_errno(errno));
    }
    if (::fchmod(fd, mode | S_IRUSR) != 0) raise_error(error_from_errno(errno));
}

// Whatever now stands at the path, its links not followed, is a regular file, a link,
// or nothing: the one last look before the rename, as the question before the write may
// have waited long for its answer.
bool may_be_renamed_over(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode) || S_ISLNK(info.st_mode);
}

// Writes the folder's entries to the disk, so that the new name of a renamed file
// survives a power cut. A file system that cannot do so for a folder (EINVAL) has
// nothing more to write.
int sync_folder(const std::string& folder)
{
    const system_file::Descriptor entries(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (entries.get() < 0) return errno;
    if (::fsync(entries.get()) != 0 && errno != EINVAL) return errno;
    return 0;
}

} // namespace

OutputFile::OutputFile(const std::string& path)
{
    check_target(path);
    path_ = followed_links(path);
    check_folder(system_file::parent_folder(path_));
    remove_abandoned_temporaries(path_);
    fd_ = create_temporary(path_, new_file_mode, temp_path_);
    if (fd_ < 0) {
        const int number = error_from_errno(errno);
        temp_path_.clear();
        raise_error(number);
    }
    try {
        take_over_attributes(fd_, path_);
    } catch (...) {
        discard();
        throw;
    }
    buffer_.reserve(flush_size + 2);
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
    if (buffer_.size() >= flush_size) flush_buffer();
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

// The new file's bytes reach the disk before it takes the old one's name, and the
// folder's entry of that name after: a power cut at any moment leaves the old file or the
// new one whole, never an empty or a part-written one under the name.
void OutputFile::commit()
{
    require_open();
    flush_buffer();
    if (::fsync(fd_) != 0) fail(errno);
    // A copy of the descriptor keeps the temporary locked until it has its new name: the
    // close still reports what the system could not write.
    const system_file::Descriptor lock(::dup(fd_));
    if (lock.get() < 0) fail(errno);
    if (::close(std::exchange(fd_, -1)) != 0) fail(errno);
    if (!may_be_renamed_over(path_)) fail(EISDIR); // error 75, as when the writer was made
    if (::rename(temp_path_.c_str(), path_.c_str()) != 0) fail(errno);
    temp_path_.clear();
    if (const int failure = sync_folder(system_file::parent_folder(path_)); failure != 0) {
        raise_error(error_from_errno(failure));
    }
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

} // namespace platform
