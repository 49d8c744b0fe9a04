#include "platform/file_attributes.h"

#include "platform/runtime_error.h"
#include "platform/system_file.h"
#include "platform/text.h"

#include <cerrno>
#include <climits>

#include <sys/stat.h>

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

} // namespace

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
