#include "search_engine/database_entry.h"

#include "core/category.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
EntryFields split_trailing_code_by_byte(std::string_view line)
{
    const std::size_t without_brackets = start_of_run_before(line, line.size(), code_character);
    std::size_t code_start = start_of_run_before(line, without_brackets, code_character_with_brackets);
    if (code_start != without_brackets && holds_bracket(line.substr(0, code_start))) code_start = without_brackets;
    return {line.substr(code_start), line.substr(0, code_start), {}};
}

constexpr std::size_t window_size = 16;

// The same classes for sixteen bytes at once, one bit per byte (the first byte in the
// lowest bit): the bytes outside each of the code's two classes, and the brackets. The
// bytes are compared as a whole where the processor can (SSE2), else looked up one by one
// in the table; the test of every byte value holds the two together.
struct WindowClasses {
    unsigned outside_code;
    unsigned outside_code_with_brackets;
    unsigned brackets;
};

#if defined(__SSE2__)
[[gnu::always_inline]] inline WindowClasses classes_of_window(const char* bytes)
{
    const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const auto is = [&](char c) { return _mm_cmpeq_epi8(window, _mm_set1_epi8(c)); };
    const __m128i digit =
        _mm_and_si128(_mm_cmpgt_epi8(window, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(window, _mm_set1_epi8('9' + 1)));
    const __m128i code = _mm_or_si128(digit, _mm_or_si128(is('-'), is(' ')));
    const __m128i brackets = _mm_or_si128(_mm_or_si128(is('('), is(')')), _mm_or_si128(is('['), is(']')));
    const auto code_bits = static_cast<unsigned>(_mm_movemask_epi8(code));
    const auto bracket_bits = static_cast<unsigned>(_mm_movemask_epi8(brackets));
    return {~code_bits & 0xFFFFu, ~(code_bits | bracket_bits) & 0xFFFFu, bracket_bits};
}
#else
[[gnu::always_inline]] inline WindowClasses classes_of_window(const char* bytes)
{
    WindowClasses classes{};
    for (std::size_t index = 0; index < window_size; ++index) {
        const unsigned byte_classes = code_classes[static_cast<unsigned char>(bytes[index])];
        classes.outside_code |= ((byte_classes & code_character) == 0 ? 1u : 0u) << index;
        classes.outside_code_with_brackets |= ((byte_classes & code_character_with_brackets) == 0 ? 1u : 0u) << index;
        classes.brackets |= ((byte_classes & bracket) != 0 ? 1u : 0u) << index;
    }
    return classes;
}
#endif

// The bits of the first `count` bytes of a window, count at most window_size.
unsigned first_bytes(std::size_t count) { return (1u << count) - 1u; }

// Whether line[0, code_start) holds a bracket, where the window at window_start, whose
// brackets are given, reaches past code_start. The bytes before the window, of a line
// longer than it, are looked at window by window, each wholly inside the line.
bool holds_bracket_before(std::string_view line, std::size_t code_start, std::size_t window_start,
                          unsigned window_brackets)
{
    if ((window_brackets & first_bytes(code_start - window_start)) != 0) return true;
    for (std::size_t at = 0; at < window_start; at += window_size) {
        const unsigned before_code = first_bytes(std::min(code_start - at, window_size));
        if ((classes_of_window(line.data() + at).brackets & before_code) != 0) return true;
    }
    return false;
}

// The same split, sixteen bytes at a time: each run begins after the last byte outside
// it in the window at the line's end. A line shorter than the window is looked at from
// its start, with the readable bytes after it left out; a line that does not end in a
// code character has an empty code, told at once. The line is looked at byte by byte only
// where fewer than sixteen bytes may be read, or where the code's run fills the window.
// There is no branch on where the runs begin, which differs from line to line.
EntryFields split_trailing_code(std::string_view line, std::size_t readable)
{
    if (readable < window_size) return split_trailing_code_by_byte(line);
    if (line.empty() || !is_in(line, line.size() - 1, code_character_with_brackets)) {
        return {line.substr(line.size()), line, {}};
    }
    const std::size_t in_window = std::min(line.size(), window_size);
    const std::size_t window_start = line.size() - in_window;
    const WindowClasses classes = classes_of_window(line.data() + window_start);
    const unsigned outside_with_brackets = classes.outside_code_with_brackets & first_bytes(in_window);
    if (outside_with_brackets == 0 && window_start > 0) return split_trailing_code_by_byte(line);
    std::size_t code_start = window_start + static_cast<std::size_t>(std::bit_width(outside_with_brackets));
    const std::size_t without_brackets =
        window_start + static_cast<std::size_t>(std::bit_width(classes.outside_code & first_bytes(in_window)));
    if (code_start != without_brackets && holds_bracket_before(line, code_start, window_start, classes.brackets)) {
        code_start = without_brackets;
    }
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

EntryFields split_entry(std::string_view line, Category category) { return split_entry(line, category, line); }

EntryFields split_entry(std::string_view line, Category category, std::string_view readable)
{
    const bool line_begins_readable = readable.data() == line.data() && readable.size() >= line.size();
    const std::size_t readable_size = line_begins_readable ? readable.size() : line.size();
    EntryFields fields = category == Category::UKDiallingCodes ? split_trailing_code(line, readable_size)
                                                                : split_first_word(line);
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
