#pragma once
// One line of a database file: whether it is a comment, a blank or an entry, how an
// entry splits into a code, a name and a colour tag, and the row colours a tag chooses.
// The split works on the line in hand only and allocates nothing, because the search
// runs it for every line of files of tens of thousands of lines.
#include "core/category.h"
#include "platform/colours.h"

#include <string_view>

namespace zentrel {

enum class LineKind { Comment, Blank, Entry };

// The kind of a line as read, without its line end. Only the space counts as blank.
// Most lines begin with what decides their kind, which is told inline; only a leading
// space asks for more.
LineKind line_kind_after_space(std::string_view line);
inline LineKind line_kind(std::string_view line)
{
    if (line.empty()) return LineKind::Blank;
    if (line.front() != ' ') return line.front() == '#' ? LineKind::Comment : LineKind::Entry;
    return line_kind_after_space(line);
}

// Views into the line that was split; code and name carry no outer spaces, and tag is
// one of "*", "[*Red data]", "[*Blue data]", "[*Gray data]" or empty.
struct EntryFields {
    std::string_view code;
    std::string_view name;
    std::string_view tag;
};

// Splits an entry line exactly as read (not trimmed). The UK dialling codes (Category::UKDiallingCodes)
// take the code from the end of the line; every other category value takes the first
// word. A colour tag at the very end of the name is then removed from it.
EntryFields split_entry(std::string_view line, Category category);
// The same for a line that `readable` begins with: the bytes after the line up to the end
// of `readable` may be read too, though they are no part of the entry, so that a short
// line can be looked at in one piece with what follows it. A `readable` that does not
// begin with the whole line is not used.
EntryFields split_entry(std::string_view line, Category category, std::string_view readable);

struct RowColours {
    platform::Colour text;
    platform::Colour background;
};

// The colours of a result row with the given tag; any other text gives the default ones.
RowColours tag_colours(std::string_view tag);

} // namespace zentrel
