#include "main_window/database_entry.h"

#include "core/category.h"
#include "platform/text.h"

#include <array>

namespace zentrel {

namespace {

// What the trailing code may hold while the place name holds no bracket ...
constexpr std::string_view code_characters_with_brackets = "0123456789()[]- ";
// ... and what it may hold when the name does: a bracket then never belongs to the code.
constexpr std::string_view code_characters = "0123456789- ";
constexpr std::string_view brackets = "()[]";

struct TagColours {
    std::string_view tag;
    RowColours colours;
};

// Tested in this order; later tags win, though no name can end with two of them.
constexpr std::array<TagColours, 4> tag_table = {{
    {"*", {platform::white, platform::rgb(128, 64, 0)}},
    {"[*Red data]", {platform::red, platform::system_window_background}},
    {"[*Blue data]", {platform::rgb(0, 0, 255), platform::system_window_background}},
    {"[*Gray data]", {platform::rgb(127, 127, 127), platform::system_window_background}},
}};

constexpr RowColours untagged_colours = {platform::system_window_text,
                                         platform::system_window_background};

// Where the run of characters from `allowed` that ends the line begins.
std::size_t start_of_trailing_run(std::string_view line, std::string_view allowed)
{
    const auto last_other = line.find_last_not_of(allowed);
    return last_other == std::string_view::npos ? 0 : last_other + 1;
}

EntryFields split_trailing_code(std::string_view line)
{
    auto code_start = start_of_trailing_run(line, code_characters_with_brackets);
    if (line.substr(0, code_start).find_first_of(brackets) != std::string_view::npos) {
        code_start = start_of_trailing_run(line, code_characters);
    }
    return {line.substr(code_start), line.substr(0, code_start), {}};
}

EntryFields split_first_word(std::string_view line)
{
    const auto space = line.find(' ');
    if (space == std::string_view::npos) return {line, {}, {}};
    return {line.substr(0, space), line.substr(space), {}};
}

std::string_view tag_at_end(std::string_view name)
{
    std::string_view found;
    for (const auto& entry : tag_table) {
        if (name.ends_with(entry.tag)) found = name.substr(name.size() - entry.tag.size());
    }
    return found;
}

} // namespace

LineKind line_kind(std::string_view line)
{
    const auto trimmed = platform::trim_view(line);
    if (trimmed.empty()) return LineKind::Blank;
    return trimmed.front() == '#' ? LineKind::Comment : LineKind::Entry;
}

EntryFields split_entry(std::string_view line, Category category)
{
    EntryFields fields =
        category == Category::UKDiallingCodes ? split_trailing_code(line) : split_first_word(line);
    fields.tag = tag_at_end(fields.name);
    fields.name.remove_suffix(fields.tag.size());
    fields.code = platform::trim_view(fields.code);
    fields.name = platform::trim_view(fields.name);
    return fields;
}

RowColours tag_colours(std::string_view tag)
{
    for (const auto& entry : tag_table) {
        if (entry.tag == tag) return entry.colours;
    }
    return untagged_colours;
}

} // namespace zentrel
