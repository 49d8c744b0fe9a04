#pragma once
// Small text functions that the main window's messages and captions are built with.
#include "platform/file_attributes.h"

#include <string>
#include <string_view>

namespace zentrel {

// "s" for a count that needs a plural, "" for 1 and -1.
std::string plural_s(long long count);

// Replaces find in text, again and again from the start, until text no longer holds it;
// an empty find leaves text unchanged. A replacement that holds find could never finish,
// so it is set to "" in the caller's variable and every find is removed instead.
std::string replace_all(std::string text, std::string_view find, std::string& replacement);

// What stands at a path where a file was looked for, as the end of a sentence that begins
// with the path: "is a folder, not a file.", "is a link to a device, not to a file."
std::string not_a_file_text(const platform::FileAtPath& there);

} // namespace zentrel
