#pragma once
// The two things the program does with paths as text: the file name at a path's end,
// and a file name in a folder.
#include <string>
#include <string_view>

namespace zentrel {

// The part of a path after its last "\" or "/"; the whole path when it has neither.
std::string FileName_from_Path(std::string_view path);

// The name in the folder: joined by a "/" unless the folder is empty or already ends
// with one.
std::string path_in_folder(std::string_view folder, std::string_view name);

} // namespace zentrel
