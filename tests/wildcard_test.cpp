#include "search_engine/wildcard.h"

#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace zentrel {
namespace {

struct MatchCase {
    std::string_view pattern;
    std::string_view text;
    bool expected;
};

void expect_matches(const MatchCase& c)
{
    SCOPED_TRACE("pattern '" + std::string(c.pattern) + "', text '" + std::string(c.text) + "'");
    EXPECT_EQ(WildcardPattern(c.pattern).matches(c.text), c.expected);
}

TEST(WildcardPattern, PlainCharactersMatchTheWholeTextOnly)
{
    const MatchCase cases[] = {
        {"London", "London", true},
        {"London", "Londo", false},
        {"London", "London2", false},
        {"London", "XLondon", false},
        {"", "", true},
        {"", "a", false},
        {" London", "London", false},
        {"London ", "London ", true},
        {"!", "!", true},
        {"!a", "!A", true},
        {"]", "]", true},
        {"a]", "A]", true},
        {"a]", "A", false},
    };
    for (const auto& c : cases) expect_matches(c);
}

TEST(WildcardPattern, QuestionMarkHashAndStarStandForCharacters)
{
    const MatchCase cases[] = {
        {"?", "a", true},
        {"?", "", false},
        {"?", "ab", false},
        {"L?nd?n", "Lundin", true},
        {"#", "5", true},
        {"#", "a", false},
        {"#", "", false},
        {"0144#", "01444", true},
        {"0144#", "0144a", false},
        {"##", "123", false},
        {"*", "", true},
        {"*", "Haywards Heath", true},
        {"Lon*", "London", true},
        {"Lon*", "Lon", true},
        {"Lon*", "Lo", false},
        {"*don", "London", true},
        {"*don", "Londo", false},
        {"L*n", "London", true},
        {"L*x", "London", false},
        {"*a*b*", "xxaxxbxx", true},
        {"*a*b", "ba", false},
        {"*ab", "aab", true},
        {"a*a", "a", false},
        {"a**b", "ab", true},
        {"*?", "", false},
        {"*?", "x", true},
        {"01361*", "01361 4", true},
        {"01361*", "0136", false},
    };
    for (const auto& c : cases) expect_matches(c);
}

TEST(WildcardPattern, ListsMatchOneCharacterOfTheList)
{
    const MatchCase cases[] = {
        {"[abc]", "b", true},
        {"[abc]", "d", false},
        {"[abc]", "", false},
        {"[abc]", "ab", false},
        {"[a-c]", "B", true},
        {"[a-c]", "d", false},
        {"[a-cx-z]", "y", true},
        {"[a-cx-z]", "m", false},
        {"[0-9][0-9]", "42", true},
        {"[a!]", "!", true},
        {"[!a-c]", "d", true},
        {"[!a-c]", "b", false},
        {"[!a-c]", "", false},
        {"[!ab]x", "cx", true},
        {"[!ab]x", "ax", false},
        {"[ ]", " ", true},
        // Ranges run over byte codes, so they cover everything between their ends.
        {"[+-/]", ",", true},
        {"[+-/]", "0", false},
        {"[\xA0-\xBF]", "\xB5", true},
        {"[\xA0-\xBF]", "A", false},
        {"[!\xA0-\xBF]", "\xA0", false},
    };
    for (const auto& c : cases) expect_matches(c);
}

TEST(WildcardPattern, WildcardsInsideBracketsStandForThemselves)
{
    const MatchCase cases[] = {
        {"[*]", "*", true},
        {"[*]", "a", false},
        {"[*]", "", false},
        {"[?]", "?", true},
        {"[?]", "x", false},
        {"[#]", "#", true},
        {"[#]", "1", false},
        {"[[]", "[", true},
        {"[[]*", "[Red", true},
        {"a[*]b", "a*b", true},
        {"a[*]b", "axb", false},
    };
    for (const auto& c : cases) expect_matches(c);
}

TEST(WildcardPattern, IgnoresCaseOfWindows1252Letters)
{
    const MatchCase cases[] = {
        {"haywards heath", "HAYWARDS HEATH", true},
        {"HAYWARDS*", "haywards heath", true},
        {"[a-z]", "Q", true},
        {"[A-Z]", "q", true},
        {"[!a-z]", "q", false},
        {"\xE9t\xE9", "\xC9T\xC9", true},   // e acute
        {"\xC9T\xC9", "\xE9t\xE9", true},
        {"\x9A", "\x8A", true},             // s caron
        {"\xFF", "\x9F", true},             // y diaeresis
        {"[\xE0-\xE5]", "\xC3", true},      // a tilde in a range of accented small a
        {"\xDF", "SS", false},              // sharp s has no capital
        {"\xF7", "\xD7", false},            // division and multiplication signs
    };
    for (const auto& c : cases) expect_matches(c);
}

// The letter pairs of Windows-1252, small then capital: a-z, the accented Latin-1 letters
// but the division and multiplication signs, s caron, oe ligature, z caron and y
// diaeresis. Sharp s and micro sign have no capital.
bool same_letter(unsigned char a, unsigned char b)
{
    const auto capital = [](unsigned char c) -> unsigned char {
        if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
        switch (c) {
        case 0x9A: return 0x8A;
        case 0x9C: return 0x8C;
        case 0x9E: return 0x8E;
        case 0xFF: return 0x9F;
        default: return c;
        }
    };
    return capital(a) == capital(b);
}

// Every byte as a one-letter pattern, alone and as a negated list, against every byte as
// a text: a letter matches itself and its other case, nothing else.
TEST(WildcardPattern, EveryByteMatchesItselfAndItsOtherCaseOnly)
{
    const std::string_view wildcards = "?*#[";
    for (int p = 0; p < 256; ++p) {
        const char letter = static_cast<char>(p);
        if (wildcards.find(letter) != std::string_view::npos) continue;
        const WildcardPattern alone(std::string(1, letter));
        // A "]" would close the list at once.
        const bool in_list = letter != ']';
        const WildcardPattern all_but(in_list ? "[!" + std::string(1, letter) + "]" : "");
        for (int t = 0; t < 256; ++t) {
            const std::string text(1, static_cast<char>(t));
            const bool same = same_letter(static_cast<unsigned char>(p), static_cast<unsigned char>(t));
            ASSERT_EQ(alone.matches(text), same) << "pattern byte " << p << ", text byte " << t;
            if (in_list) {
                ASSERT_EQ(all_but.matches(text), !same) << "pattern [!byte " << p << "], text byte " << t;
            }
        }
    }
}

// Every pattern of the table against every text below, each as the matcher has always
// answered it: the row's mask holds '1' where the text matches. Case is folded into the
// compiled pattern, so this proves that the folding left every answer as it was, for
// plain letters, Windows-1252 letters, lists, ranges, negations and stars.
TEST(WildcardPattern, AnswersEveryPatternAndTextAsItAlwaysHas)
{
    const std::vector<std::string> texts = {
        "", "a", "A", "abc", "ABC", "abcd", "xabc", "aXc", "a1c", "b", "1", "12", "-", "]", "[", "*", "?", "#",
        "\xe9" "clair", "\xc9" "CLAIR", "\xdf", "\xff", "\x9f", "\x9a", "\x8a", "a b\xa0" "c", "Lee, MA",
        "New York, NY", "01235", "Abingdon (Oxon)", "aaa", "abcabc", "ab1", "aXbYc"};
    const struct {
        std::string pattern;
        std::string mask;
    } table[] = {
        {"", "1000000000000000000000000000000000"},
        {"*", "1111111111111111111111111111111111"},
        {"?", "0110000001101111110011111000000000"},
        {"#", "0000000000100000000000000000000000"},
        {"A", "0110000000000000000000000000000000"},
        {"a", "0110000000000000000000000000000000"},
        {"abc", "0001100000000000000000000000000000"},
        {"ABC*", "0001110000000000000000000000000100"},
        {"*abc", "0001101000000000000000000000000100"},
        {"*b*", "0001111001000000000000000100010111"},
        {"a?c", "0001100110000000000000000000000000"},
        {"a#c", "0000000010000000000000000000000000"},
        {"[abc]*", "0111110111000000000000000100011111"},
        {"[!abc]*", "0000001000111111111111111011100000"},
        {"[a-c]?", "0000000000000000000000000000000000"},
        {"[!a-c]*", "0000001000111111111111111011100000"},
        {"*[0-9]", "0000000000110000000000000000100010"},
        {"[]abc", "0001100000000000000000000000000000"},
        {"[!]", "0110000001101111110011111000000000"},
        {"[a-]*", "0111110110001000000000000100011111"},
        {"[-a]*", "0111110110001000000000000100011111"},
        {"]*", "0000000000000100000000000000000000"},
        {"[[]", "0000000000000010000000000000000000"},
        {"[*]", "0000000000000001000000000000000000"},
        {"[?]", "0000000000000000100000000000000000"},
        {"[#]", "0000000000000000010000000000000000"},
        {"**a**", "0111111110000000001100000110011111"},
        {"*?*?*", "0001111110010000001100000111111111"},
        {"??", "0000000000010000000000000000000000"},
        {"\xe9""*", "0000000000000000001100000000000000"},
        {"\xc9""*", "0000000000000000001100000000000000"},
        {"[\xe0""-\xfe""]*", "0000000000000000001100000000000000"},
        {"[!\xe0""-\xfe""]*", "0111111111111111110011111111111111"},
        {"\xff""", "0000000000000000000001100000000000"},
        {"\x9a""", "0000000000000000000000011000000000"},
        {"*\xa0""*", "0000000000000000000000000100000000"},
        {"a*b*c", "0001100000000000000000000100000101"},
        {"*a*a", "0000000000000000000000000000001000"},
        {"#*#", "0000000000010000000000000000100000"},
        {"Lee, ??", "0000000000000000000000000010000000"},
        {"[L-N]*", "0000000000000000000000000011000000"},
        {"0####", "0000000000000000000000000000100000"},
        {"*(OXON)", "0000000000000000000000000000010000"},
        {"[!a]", "0000000001101111110011111000000000"},
        {"a[]bc", "0001100000000000000000000000000000"},
        {"*[!0-9]", "0111111111001111111111111111011101"},
        {"?*?", "0001111110010000001100000111111111"},
        {"*.*", "0000000000000000000000000000000000"},
        {" *", "0000000000000000000000000000000000"},
        {"[ ]*", "0000000000000000000000000000000000"},
    };
    for (const auto& row : table) {
        ASSERT_EQ(row.mask.size(), texts.size());
        const WildcardPattern pattern(row.pattern);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(pattern.matches(texts[i]), row.mask[i] == '1')
                << "pattern '" << row.pattern << "', text '" << texts[i] << "'";
        }
    }
}

TEST(WildcardPattern, OddListsHaveFixedMeanings)
{
    const MatchCase cases[] = {
        // "[]" consumes no character.
        {"[]", "", true},
        {"[]", "a", false},
        {"a[]b", "ab", true},
        {"a[]b", "axb", false},
        {"*[]*", "abc", true},
        {"[]]", "]", true},
        // "[!]" is any one character.
        {"[!]", "x", true},
        {"[!]", "]", true},
        {"[!]", "", false},
        {"[!]", "xy", false},
        // A "-" first or last stands for itself.
        {"[-a]", "-", true},
        {"[-a]", "A", true},
        {"[-a]", "b", false},
        {"[a-]", "-", true},
        {"[a-]", "a", true},
        {"[a-]", "b", false},
        {"[!-a]", "-", false},
        {"[!-a]", "a", false},
        {"[!-a]", "b", true},
        {"[-]", "-", true},
    };
    for (const auto& c : cases) expect_matches(c);
}

TEST(WildcardPattern, InvalidPatternsRaiseError93)
{
    const std::string_view patterns[] = {
        "[", "[a", "[!", "abc[", "[a-", "[a-b", "*[*", "[]*[", "[Z-A]", "[z-a]", "[9-0]",
        // Upper-casing comes first: "z" becomes "Z", which lies before "_".
        "[_-z]",
    };
    for (const auto pattern : patterns) {
        SCOPED_TRACE("'" + std::string(pattern) + "'");
        try {
            WildcardPattern compiled(pattern);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::error::invalid_pattern);
        }
    }
}

TEST(WildcardPattern, ManyStarsStayCheap)
{
    const std::string stars(5000, '*');
    const std::string as(10000, 'a');
    EXPECT_TRUE(WildcardPattern(stars).matches(as));
    EXPECT_TRUE(WildcardPattern(stars).matches(""));
    EXPECT_TRUE(WildcardPattern(stars + "b").matches(as + "b"));
    EXPECT_FALSE(WildcardPattern(stars + "b").matches(as));

    std::string star_a;
    for (int i = 0; i < 2000; ++i) star_a += "*a";
    const WildcardPattern no_b_at_the_end(star_a + "b");
    EXPECT_FALSE(no_b_at_the_end.matches(as));
    EXPECT_TRUE(no_b_at_the_end.matches(as + "b"));
    EXPECT_FALSE(no_b_at_the_end.matches(std::string(1999, 'a') + "b"));
}

// A typed letter that Windows-1252 lacks stands as "?" in the pattern's text; at the
// positions given it is that letter, which no text holds, and no wildcard.
TEST(WildcardPattern, LettersTheCodePageLacksMatchNothing)
{
    const struct {
        std::string_view pattern;
        std::vector<std::size_t> foreign;
        std::string_view text;
        bool expected;
    } cases[] = {
        {"?*", {0}, "Lodz", false},
        {"?*", {0}, "?", false},
        {"?*", {0}, "", false},
        {"?*", {}, "Lodz", true},
        {"?od?", {0}, "Lodz", false},
        {"?od?", {3}, "Lodz", false},
        {"*?*", {1}, "anything at all", false},
        {"a?b?", {1}, "axbx", false},
        {"a?b?", {3}, "axbx", false},
        {"a?b?", {}, "axbx", true},
        {"[?]", {1}, "?", false},
        {"[?a]", {1}, "A", true},
        {"[!?]", {2}, "?", true},
        {"[!?]", {2}, "x", true},
        {"[a-?]", {3}, "b", false},
        {"[?-a]", {1}, "?", false},
        {"[?-a]", {1}, "-", false},
        {"[z-?]", {3}, "z", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("pattern '" + std::string(c.pattern) + "', text '" + std::string(c.text) + "'");
        EXPECT_EQ(WildcardPattern(c.pattern, c.foreign).matches(c.text), c.expected);
    }
}

TEST(WildcardPattern, OneCompiledPatternServesManyTexts)
{
    const WildcardPattern pattern("Ab*[0-9]");
    EXPECT_TRUE(pattern.matches("Abbey 1"));
    EXPECT_FALSE(pattern.matches("Abbey"));
    EXPECT_TRUE(pattern.matches("ABERDEEN 4"));
    EXPECT_FALSE(pattern.matches("Aberdeen 4 "));
}

} // namespace
} // namespace zentrel
