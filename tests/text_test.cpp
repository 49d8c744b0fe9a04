#include "platform/text.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <string_view>

namespace {

using platform::cp1252_to_unicode;
using platform::from_utf16;
using platform::from_utf8;
using platform::ucase_utf8;
using platform::to_utf8;
using platform::to_utf16;
using platform::unicode_to_cp1252;
using platform::upper_byte;

struct TrimCase {
    std::string_view text;
    std::string_view trimmed;
    std::string_view right_trimmed;
};

TEST(Trim, RemovesOnlySpaces)
{
    const TrimCase cases[] = {
        {"", "", ""},
        {"   ", "", ""},
        {"  abc  ", "abc", "  abc"},
        {"a b", "a b", "a b"},
        {"\tabc\t", "\tabc\t", "\tabc\t"},
        {" \t x \t ", "\t x \t", " \t x \t"},
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
        {"\r\nx\r\n", "\r\nx\r\n", "\r\nx\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(platform::trim(c.text), c.trimmed);
        EXPECT_EQ(platform::trim_view(c.text), c.trimmed);
        EXPECT_EQ(platform::rtrim(c.text), c.right_trimmed);
    }
}

// The upper case of every byte by the Windows-1252 letters, stated byte by byte.
unsigned char expected_upper(int byte)
{
    if (byte >= 'a' && byte <= 'z') return static_cast<unsigned char>(byte - 32);
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<unsigned char>(byte - 32);
    switch (byte) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return static_cast<unsigned char>(byte);
    }
}

TEST(Ucase, UpperCasesEveryByteByTheCodePage)
{
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(upper_byte(static_cast<unsigned char>(byte)), expected_upper(byte));
    }
}

TEST(Ucase, KeepsLettersWithoutAnUpperCase)
{
    const struct {
        std::string_view text;
        std::string_view upper;
    } cases[] = {
        {"", ""},
        {"abc xyz", "ABC XYZ"},
        {"ABC 123 #*?[]", "ABC 123 #*?[]"},
        {"stra\xDF" "e", "STRA\xDF" "E"},       // sharp s stays
        {"\xB5m", "\xB5M"},                     // micro sign stays
        {"\xE0\xE9\xF6\xFE", "\xC0\xC9\xD6\xDE"},
        {"\xF7", "\xF7"},                       // division sign
        {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
        {std::string_view("a\0b", 3), std::string_view("A\0B", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(platform::ucase(c.text), c.upper);
    }
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip)
{
    std::string all_bytes;
    for (int byte = 0; byte < 256; ++byte) all_bytes.push_back(static_cast<char>(byte));
    const std::u16string unicode = to_utf16(all_bytes);
    ASSERT_EQ(unicode.size(), 256u);
    EXPECT_EQ(from_utf16(unicode), all_bytes);
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(unicode_to_cp1252(cp1252_to_unicode(static_cast<unsigned char>(byte))), byte);
    }
}

TEST(CodePage, MapsTheHighBytesToTheirCharacters)
{
    const struct {
        unsigned char byte;
        char16_t code_point;
    } cases[] = {
        {0x41, u'A'},     {0x80, u'\u20AC'}, {0x82, u'\u201A'}, {0x8A, u'\u0160'},
        {0x81, u'\u0081'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xE9, u'\u00E9'},
        {0xFF, u'\u00FF'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(cp1252_to_unicode(c.byte), c.code_point);
        EXPECT_EQ(unicode_to_cp1252(c.code_point), c.byte);
    }
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    for (char16_t code_point : {u'\u0100', u'\u03A9', u'\u4E2D', u'\u2028', u'\uFFFD'}) {
        SCOPED_TRACE(static_cast<int>(code_point));
        EXPECT_EQ(unicode_to_cp1252(code_point), '?');
    }
    EXPECT_EQ(from_utf16(u"a\u03A9b\u20AC"), "a?b\x80");
}

TEST(CodePage, FileNamesGoToTheSystemInUtf8)
{
    const struct {
        std::string_view cp1252;
        std::string_view utf8;
    } cases[] = {
        {"/tmp/Directory.dat", "/tmp/Directory.dat"},
        {"/home/caf\xE9/Help.htm", "/home/caf\xC3\xA9/Help.htm"},
        {"\x80 \x9F \xA0 \xFF", "\xE2\x82\xAC \xC5\xB8 \xC2\xA0 \xC3\xBF"},
        {"\x81\x8D", "\xC2\x81\xC2\x8D"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.cp1252));
        EXPECT_EQ(to_utf8(c.cp1252), c.utf8);
    }
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const QString character(QChar(cp1252_to_unicode(static_cast<unsigned char>(byte))));
        EXPECT_EQ(to_utf8(std::string(1, static_cast<char>(byte))), character.toUtf8().toStdString());
    }
}

TEST(CodePage, SystemTextIsShownInTheCodePageWithAQuestionMarkForWhatItLacks)
{
    const struct {
        std::string_view utf8;
        std::string_view shown;
    } cases[] = {
        {"/tmp/Directory.dat", "/tmp/Directory.dat"},
        {"/home/caf\xC3\xA9/\xE2\x82\xAC.txt", "/home/caf\xE9/\x80.txt"},
        {"/home/\xD0\xB6\xD1\x83\xD0\xBA/Help.htm", "/home/???" "/Help.htm"},       // Cyrillic
        {"\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", "?????"},                 // Greek
        {"\xE5\x8C\x97\xE4\xBA\xAC/\xE2\x80\x9C", "??" "/\x93"},                   // Chinese, a quote
        {"\xF0\x9F\x90\x9E bug", "? bug"},                                    // beyond 16 bits
        {"\xC2\x81\xC2\x8D", "\x81\x8D"},                                      // the unassigned bytes
        {"\xC2\x80", "?"},                                                       // a C1 control the code page lacks
        {"", ""},
        // Bytes that begin no UTF-8 character each show as one "?".
        {"caf\xE9", "caf?"},
        {"\x80\xBF", "??"},
        {"\xD0", "?"},
        {"\xD0" "A", "?A"},
        {"\xE2\x82", "??"},
        {"\xC0\xAF", "??"},                 // an overlong "/"
        {"\xE0\x80\xAF", "???"},
        {"\xED\xA0\x80", "???"},            // a surrogate
        {"\xF4\x90\x80\x80", "????"},       // beyond U+10FFFF
        {"\xF8\x88\x80\x80\x80", "?????"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.utf8));
        EXPECT_EQ(from_utf8(c.utf8), c.shown);
    }
}

TEST(CodePage, EveryCharacterOfTheSystemShowsAsTheToolkitEncodesIt)
{
    for (char32_t code_point = 0; code_point <= 0xFFFF; ++code_point) {
        if (code_point >= 0xD800 && code_point <= 0xDFFF) continue;
        SCOPED_TRACE(static_cast<int>(code_point));
        const QString character(QChar(static_cast<char16_t>(code_point)));
        const std::string shown = from_utf8(character.toUtf8().toStdString());
        ASSERT_EQ(shown, std::string(1, static_cast<char>(unicode_to_cp1252(static_cast<char16_t>(code_point)))));
    }
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(from_utf8(to_utf8(one)), one) << "every byte of the code page comes back";
    }
}

TEST(CodePage, SystemTextIsUpperCasedInTheLettersOfTheCodePageOnly)
{
    const struct {
        std::string_view utf8;
        std::string_view upper;
    } cases[] = {
        {"/tmp/directory.dat", "/TMP/DIRECTORY.DAT"},
        {"caf\xC3\xA9", "CAF\xC3\x89"},
        {"\xC5\x93 \xC3\xBF \xC5\xA1", "\xC5\x92 \xC5\xB8 \xC5\xA0"}, // oe, y diaeresis, s caron
        {"\xC3\xB7 \xC3\x9F", "\xC3\xB7 \xC3\x9F"},                     // division sign, sharp s
        {"\xD0\xB6\xD1\x83\xD0\xBA", "\xD0\xB6\xD1\x83\xD0\xBA"},        // outside the code page
        {"\xC4\x9A \xC4\x8A", "\xC4\x9A \xC4\x8A"},                     // two letters that differ in one byte
        {"caf\xE9 \xF0\x9F\x90\x9E", "CAF\xE9 \xF0\x9F\x90\x9E"},         // no UTF-8, beyond 16 bits
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.utf8));
        EXPECT_EQ(ucase_utf8(c.utf8), c.upper);
    }
}

} // namespace
