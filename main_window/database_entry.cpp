#include "main_window/database_entry.h"

#include "core/category.h"

#include <array>

namespace zentrel {

namespace {

// The character classes of the trailing code, one bit each in a table of every byte: what
// the code may hold while the place name holds no bracket (the digits, "-", the space and
// the brackets), what it may hold when the name does (the same without the brackets: a
// bracket then never belongs to the code), and the brackets themselves.
enum CodeClass : unsigned char {
    code_character = 1,
    code_character_with_brackets = 2,
    bracket = 4,
};

constexpr std::array<unsigned char, 256> make_code_classes()
{
    std::array<unsigned char, 256> classes{};
    for (const char c : std::string_view("0123456789- ")) {
        classes[static_cast<unsigned char>(c)] = code_character | code_character_with_brackets;
    }
    for (const char c : std::string_view("()[]")) {
        classes[static_cast<unsigned char>(c)] = code_character_with_brackets | bracket;
    }
    return classes;
}

constexpr auto code_classes = make_code_classes();

bool is_in(std::string_view text, std::size_t index, CodeClass wanted)
{
    return (code_classes[static_cast<unsigned char>(text[index])] & wanted) != 0;
}

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

// Where the run of `wanted` characters that ends text[0, end) begins.
std::size_t start_of_run_before(std::string_view text, std::size_t end, CodeClass wanted)
{
    while (end > 0 && is_in(text, end - 1, wanted)) --end;
    return end;
}

bool holds_bracket(std::string_view text)
{
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (is_in(text, index, bracket)) return true;
    }
    return false;
}

// The trailing run with brackets holds the run without them. Where the two are the same,
// the run holds no bracket and the name need not be looked at; only a run that takes a
// bracket asks whether the name before it holds one too.
EntryFields split_trailing_code(std::string_view line)
{
    const std::size_t without_brackets = start_of_run_before(line, line.size(), code_character);
    std::size_t code_start = start_of_run_before(line, without_brackets, code_character_with_brackets);
    if (code_start != without_brackets && holds_bracket(line.substr(0, code_start))) code_start = without_brackets;
    return {line.substr(code_start), line.substr(0, code_start), {}};
}

// The name begins after the space that ends the code: the space would be trimmed from
// it, and no tag begins with one, so the name's tag is the same without it.
EntryFields split_first_word(std::string_view line)
{
    const auto space = line.find(' ');
    if (space == std::string_view::npos) return {line, {}, {}};
    return {line.substr(0, space), line.substr(space + 1), {}};
}

// Every tag ends with "*" or "]": any other last character ends the test there.
std::string_view tag_at_end(std::string_view name)
{
    if (name.empty() || (name.back() != '*' && name.back() != ']')) return {};
    std::string_view found;
    for (const auto& entry : tag_table) {
        if (name.ends_with(entry.tag)) found = name.substr(name.size() - entry.tag.size());
    }
    return found;
}

// The fields are short and rarely have outer spaces: the test of each end is inline.
std::string_view without_outer_spaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

} // namespace

LineKind line_kind_after_space(std::string_view line)
{
    const auto trimmed = without_outer_spaces(line);
    if (trimmed.empty()) return LineKind::Blank;
    return trimmed.front() == '#' ? LineKind::Comment : LineKind::Entry;
}

EntryFields split_entry(std::string_view line, Category category)
{
    EntryFields fields =
        category == Category::UKDiallingCodes ? split_trailing_code(line) : split_first_word(line);
    fields.tag = tag_at_end(fields.name);
    fields.name.remove_suffix(fields.tag.size());
    fields.code = without_outer_spaces(fields.code);
    fields.name = without_outer_spaces(fields.name);
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
