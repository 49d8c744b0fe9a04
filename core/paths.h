#pragma once
// The two things the program does with paths as text: the file name at a path's end,
// and a file name in a folder. A path is the system's own name, in UTF-8 bytes; both
// work on it as it stands, since "\" and "/" are never part of a longer UTF-8 character.
#include <string>
#include <string_view>

namespace zentrel {

// The part of a path after its last "\" or "/"; the whole path when it has neither.
std::string FileName_from_Path(std::string_view path);

// The name in the folder: joined by a "/" unless the folder is empty or already ends
// with one.
std::string path_in_folder(std::string_view folder, std::string_view name);

} // namespace zentrel
