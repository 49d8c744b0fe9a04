#pragma once
// The two small procedures of the save command: whether the chosen file is locked, and
// the replacement that keeps separator characters out of the saved cells.
#include <string>
#include <string_view>

namespace zentrel {

// True when the file has no write permission bit, and also when its attributes cannot be
// read (a missing file among them); false otherwise.
bool File_is_ReadOnly(const std::string& path);

// text with every occurrence of find replaced, matched with letter case, searching from
// the start again after each replacement until find no longer occurs. An empty find
// leaves text unchanged; a replacement that holds find could never finish, so every find
// is removed instead.
std::string Replace_Text(std::string_view text, std::string_view find, std::string_view replacement);

} // namespace zentrel
