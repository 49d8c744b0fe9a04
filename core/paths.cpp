#include "core/paths.h"

#include <filesystem>

namespace zentrel {

std::string FileName_from_Path(std::string_view path)
{
    const auto separator = path.find_last_of("\\/");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string path_in_folder(std::string_view folder, std::string_view name)
{
    return (std::filesystem::path(folder) / std::filesystem::path(name)).string();
}

} // namespace zentrel
