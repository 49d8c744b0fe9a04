#include "platform/text.h"

#include "core/paths.h"

#include <algorithm>
#include <array>

namespace platform {

std::string_view trim_view(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string trim(std::string_view text) { return std::string(trim_view(text)); }

std::string rtrim(std::string_view text)
{
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

namespace {

constexpr std::array<unsigned char, 256> make_upper_table()
{
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<unsigned char>(byte);
    for (int byte = 'a'; byte <= 'z'; ++byte) table[byte] = static_cast<unsigned char>(byte - 32);
    for (int byte = 0xE0; byte <= 0xFE; ++byte) {
        if (byte != 0xF7) table[byte] = static_cast<unsigned char>(byte - 32);
    }
    table[0x9A] = 0x8A; // s caron
    table[0x9C] = 0x8C; // oe ligature
    table[0x9E] = 0x8E; // z caron
    table[0xFF] = 0x9F; // y diaeresis
    return table;
}

constexpr auto upper_table = make_upper_table();

// Code points of the bytes 0x80 to 0x9F; the unassigned ones keep their own value.
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

unsigned char upper_byte(unsigned char byte) { return upper_table[byte]; }

std::string ucase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(upper_table[static_cast<unsigned char>(c)]);
    return upper;
}

char16_t cp1252_to_unicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) return high_controls[byte - 0x80];
    return byte;
}

unsigned char unicode_to_cp1252(char16_t code_point)
{
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
        return static_cast<unsigned char>(code_point);
    }
    for (std::size_t i = 0; i < high_controls.size(); ++i) {
        if (high_controls[i] == code_point) return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

std::u16string to_utf16(std::string_view cp1252)
{
    std::u16string text;
    text.reserve(cp1252.size());
    for (char c : cp1252) text.push_back(cp1252_to_unicode(static_cast<unsigned char>(c)));
    return text;
}

std::string from_utf16(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text) bytes.push_back(static_cast<char>(unicode_to_cp1252(c)));
    return bytes;
}

namespace {

void append_utf8(std::string& utf8, char16_t code_point)
{
    if (code_point < 0x80) {
        utf8.push_back(static_cast<char>(code_point));
    } else if (code_point < 0x800) {
        utf8.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
        utf8.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else {
        utf8.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
        utf8.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
        utf8.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    }
}

// One character at the start of UTF-8 text: its code point and its length in bytes. A
// byte that begins no well-formed character (a stray continuation byte, a cut or
// overlong sequence, a surrogate, a code point beyond U+10FFFF) is one invalid
// character of its own.
struct Utf8Character {
    char32_t code_point;
    std::size_t length;
    bool valid;
};

// The bytes that begin a character of two, three or four bytes, and the smallest code
// point each may stand for (a smaller one is an overlong form).
struct LeadBytes {
    unsigned char first;
    unsigned char last;
    std::size_t length;
    unsigned char value_bits;
    char32_t smallest;
};
constexpr std::array<LeadBytes, 3> lead_bytes = {{
    {0xC2, 0xDF, 2, 0x1F, 0x80},
    {0xE0, 0xEF, 3, 0x0F, 0x800},
    {0xF0, 0xF4, 4, 0x07, 0x10000},
}};

Utf8Character first_utf8_character(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80) return {lead, 1, true};
    constexpr Utf8Character invalid{0, 1, false};
    const auto* kind = std::find_if(lead_bytes.begin(), lead_bytes.end(), [lead](const LeadBytes& bytes) {
        return lead >= bytes.first && lead <= bytes.last;
    });
    if (kind == lead_bytes.end() || text.size() < kind->length) return invalid;
    char32_t code_point = lead & kind->value_bits;
    for (std::size_t i = 1; i < kind->length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) return invalid;
        code_point = (code_point << 6) | (byte & 0x3F);
    }
    const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
    if (code_point < kind->smallest || code_point > 0x10FFFF || surrogate) return invalid;
    return {code_point, kind->length, true};
}

// The Windows-1252 byte of a UTF-8 character, or '?' where the code page has none.
unsigned char cp1252_of(const Utf8Character& character)
{
    if (!character.valid || character.code_point > 0xFFFF) return '?';
    return unicode_to_cp1252(static_cast<char16_t>(character.code_point));
}

// Calls `visit` with each character of UTF-8 text and the bytes it was read from.
template <typename Visit>
void for_each_utf8_character(std::string_view utf8, Visit visit)
{
    while (!utf8.empty()) {
        const Utf8Character character = first_utf8_character(utf8);
        visit(character, utf8.substr(0, character.length));
        utf8.remove_prefix(character.length);
    }
}

} // namespace

std::string to_utf8(std::string_view cp1252)
{
    std::string utf8;
    utf8.reserve(cp1252.size());
    for (char c : cp1252) append_utf8(utf8, cp1252_to_unicode(static_cast<unsigned char>(c)));
    return utf8;
}

std::string from_utf8(std::string_view utf8)
{
    std::string text;
    text.reserve(utf8.size());
    for_each_utf8_character(utf8, [&](const Utf8Character& character, std::string_view) {
        text.push_back(static_cast<char>(cp1252_of(character)));
    });
    return text;
}

std::string ucase_utf8(std::string_view utf8)
{
    std::string upper;
    upper.reserve(utf8.size());
    for_each_utf8_character(utf8, [&](const Utf8Character& character, std::string_view bytes) {
        const unsigned char byte = cp1252_of(character);
        const unsigned char upper_letter = upper_table[byte];
        if (upper_letter != byte) {
            append_utf8(upper, cp1252_to_unicode(upper_letter));
        } else {
            upper.append(bytes);
        }
    });
    return upper;
}

std::string shown_path(std::string_view path) { return from_utf8(path); }

std::string shown_file_name(std::string_view path) { return from_utf8(zentrel::FileName_from_Path(path)); }

} // namespace platform
