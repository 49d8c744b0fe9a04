// The run of characters a wildcard pattern requires, and its search in a stretch of bytes,
// which must find every place a naive comparison finds, in either letter case.
#include "search_engine/required_run.h"
#include "search_engine/wildcard.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zentrel {
namespace {

// The run, upper-cased, as it stands in a text that holds it.
std::string spelled(const RequiredRun& run, std::string_view text_with_run)
{
    const std::size_t at = run.find(text_with_run);
    if (at == text_with_run.size()) return "(not found)";
    return platform::ucase(text_with_run.substr(at, run.size()));
}

TEST(RequiredRun, IsTheLongestRunOfLettersAndPlainCharactersOfThePattern)
{
    const struct {
        const char* pattern;
        const char* text; // a text that holds the run
        const char* run;  // the run, upper-cased; empty when there is none
    } cases[] = {
        {"holtsville*", "00501 Holtsville, NY", "HOLTSVILLE"},
        {"*, MA", "01238 Lee, MA", ", MA"},
        {"Inver*", "IV1 Inverness", "INVER"},
        {"*ville, ??", "x Coolville, OH", "VILLE, "},
        {"ab?cdef*g", "xxabZcdefQg", "CDEF"},
        {"[Hh]ay*", "Haywards", "HAY"}, // a list of one letter in both cases is that letter
        {"[!a]bc", "xbc", "BC"},
        {"01444*", "Haywards Heath 01444", "01444"},
        {"a[]b", "ab", "AB"}, // the empty list stands for nothing
        {"#####", "", ""},
        {"*", "", ""},
        {"a*b*c", "", ""},
        {"[ab]c", "", ""}, // a list of two letters is four bytes, no run
        {"x", "", ""},     // one character is no run worth a search
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        const RequiredRun run = WildcardPattern(c.pattern).required_run();
        if (std::string_view(c.run).empty()) {
            EXPECT_TRUE(run.empty());
            continue;
        }
        EXPECT_EQ(run.size(), std::string_view(c.run).size());
        EXPECT_EQ(spelled(run, c.text), c.run);
    }
}

// Every place of the run, as a plain comparison of upper-cased text finds it.
std::size_t naive_find(std::string_view upper_run, std::string_view text, std::size_t from)
{
    const std::string upper = platform::ucase(text);
    const std::size_t at = upper.find(upper_run, from);
    return at == std::string::npos ? text.size() : at;
}

TEST(RequiredRun, FindsTheFirstPlaceInEitherCaseAnywhereInTheText)
{
    const RequiredRun run = WildcardPattern("*holtsville*").required_run();
    std::string text;
    for (int i = 0; i < 40; ++i) text += "00501 Holtsvilla, NY\r\nhOLTSVILLE";
    text += "00544 Holtsville, NY\r\n";
    for (std::size_t from = 0; from < text.size(); from += 7) {
        SCOPED_TRACE(from);
        EXPECT_EQ(run.find(text, from), naive_find("HOLTSVILLE", text, from));
    }
    // At every place of a short text, the last places included, where only the scalar
    // comparison can reach.
    for (std::size_t length = 0; length < 40; ++length) {
        const std::string near_end = std::string(length, 'x') + "HoltsVille";
        EXPECT_EQ(run.find(near_end), length);
        EXPECT_EQ(run.find(near_end.substr(0, near_end.size() - 1)), near_end.size() - 1) << "cut short";
    }
}

TEST(RequiredRun, KnowsTheWindows1252LettersInBothCases)
{
    const std::string pattern = "*\x9a\xe9*"; // s caron, e acute
    const RequiredRun run = WildcardPattern(pattern).required_run();
    EXPECT_EQ(run.size(), 2u);
    const std::string text = std::string(30, '.') + "\x8a\xc9" + "tail"; // S caron, E acute
    EXPECT_EQ(run.find(text), 30u);
    EXPECT_EQ(run.find(std::string(30, '.') + "s\xc9"), 32u) << "a plain s is no s caron";
}

TEST(RequiredRun, RareAnchorsChangeNothingOfWhatIsFound)
{
    RequiredRun run = WildcardPattern("*eeeqe*").required_run();
    std::string text;
    for (int i = 0; i < 20; ++i) text += "eee eeee eeeqq eeEQe  ";
    const std::size_t before = run.find(text);
    run.choose_anchors(text);
    EXPECT_EQ(run.find(text), before);
    EXPECT_EQ(before, naive_find("EEEQE", text, 0));
    for (std::size_t from = 0; from < text.size(); from += 5) EXPECT_EQ(run.find(text, from), naive_find("EEEQE", text, from));
}

} // namespace
} // namespace zentrel
