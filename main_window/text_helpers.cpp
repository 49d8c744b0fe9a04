#include "main_window/text_helpers.h"

#include <utility>

namespace zentrel {

namespace {

// With one character to find and a replacement that lacks it, every original occurrence
// is replaced exactly once and nothing new can appear, so one pass gives the same text.
std::string replace_each_character(std::string_view text, char find, std::string_view replacement)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == find) {
            result += replacement;
        } else {
            result += c;
        }
    }
    return result;
}

// A replacement may join with its neighbours into a new occurrence, so each pass searches
// from the start again.
std::string replace_first_until_none(std::string text, std::string_view find,
                                     std::string_view replacement)
{
    for (auto position = text.find(find); position != std::string::npos;
         position = text.find(find)) {
        text.replace(position, find.size(), replacement);
    }
    return text;
}

const char* kind_name(platform::FileKind kind)
{
    switch (kind) {
    case platform::FileKind::Folder: return "a folder";
    case platform::FileKind::Device: return "a device";
    case platform::FileKind::Pipe: return "a pipe (FIFO)";
    case platform::FileKind::Socket: return "a socket";
    default: return "something else";
    }
}

} // namespace

std::string plural_s(long long count) { return count == 1 || count == -1 ? "" : "s"; }

std::string replace_all(std::string text, std::string_view find, std::string& replacement)
{
    if (find.empty()) return text;

    // Cleared only at the end: find may be a view of the caller's replacement.
    const bool replacement_holds_find = replacement.find(find) != std::string::npos;
    const std::string_view used = replacement_holds_find ? std::string_view() : replacement;

    std::string result = find.size() == 1 ? replace_each_character(text, find[0], used)
                                          : replace_first_until_none(std::move(text), find, used);
    if (replacement_holds_find) replacement.clear();
    return result;
}

std::string not_a_file_text(const platform::FileAtPath& there)
{
    switch (there.kind) {
    case platform::FileKind::LinkLoop: return "is a loop of symbolic links, not a file.";
    case platform::FileKind::Unreachable: return "cannot be looked at.";
    default: break;
    }
    if (there.through_link) return std::string("is a link to ") + kind_name(there.kind) + ", not to a file.";
    return std::string("is ") + kind_name(there.kind) + ", not a file.";
}

} // namespace zentrel
