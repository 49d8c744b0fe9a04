#include "main_window/text_helpers.h"

#include "core/paths.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

namespace zentrel {
namespace {

TEST(PluralS, IsEmptyOnlyForOneAndMinusOne)
{
    const struct {
        long long count;
        std::string_view expected;
    } cases[] = {
        {0, "s"}, {1, ""}, {-1, ""}, {2, "s"}, {-5, "s"}, {50000, "s"}, {LLONG_MIN, "s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(plural_s(c.count), c.expected);
    }
}

struct ReplaceCase {
    std::string_view text;
    std::string_view find;
    std::string_view replacement;
    std::string_view expected;
    std::string_view replacement_after;
};

TEST(ReplaceAll, ReplacesUntilNoOccurrenceIsLeft)
{
    const ReplaceCase cases[] = {
        {" Click select here for more information. ", " ", "\xA0",
         "\xA0" "Click\xA0select\xA0here\xA0" "for\xA0more\xA0information.\xA0", "\xA0"},
        {"a,b,,c", ",", "", "abc", ""},
        {"a.b", ".", "::", "a::b", "::"},
        {"no commas", ",", ";", "no commas", ";"},
        {"", ",", ";", "", ";"},
        // An empty find leaves everything as it was.
        {"some text", "", "x", "some text", "x"},
        // A replacement that holds find is emptied, so every find is removed.
        {"a-b-c", "-", "x-y", "abc", ""},
        {"aXa", "a", "a", "X", ""},
        {"a--b", "--", "[--]", "ab", ""},
        // Several characters to find: a replacement may join its neighbours into a new
        // occurrence, which is replaced as well.
        {"abb", "ab", "a", "a", "a"},
        {"aabbb", "ab", "a", "aa", "a"},
        {"aabb", "ab", "", "", ""},
        {"one\r\ntwo\r\n", "\r\n", " ", "one two ", " "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + std::string(c.text) + "' '" + std::string(c.find) + "' '" +
                     std::string(c.replacement) + "'");
        std::string replacement(c.replacement);
        EXPECT_EQ(replace_all(std::string(c.text), c.find, replacement), c.expected);
        EXPECT_EQ(replacement, c.replacement_after);
    }
}

TEST(ReplaceAll, FindMayBeTheCallersReplacementItself)
{
    std::string replacement = "-";
    EXPECT_EQ(replace_all("a-b-c", replacement, replacement), "abc");
    EXPECT_EQ(replacement, "");
}

TEST(ReplaceAll, HandlesLongTextsWithManyOccurrences)
{
    const std::string text(200000, ' ');
    std::string replacement = "\xA0\xA0";
    const std::string result = replace_all(text, " ", replacement);
    ASSERT_EQ(result.size(), 400000u);
    EXPECT_EQ(result.find_first_not_of('\xA0'), std::string::npos);
}

TEST(FileNameFromPath, KeepsWhatFollowsTheLastSeparator)
{
    const struct {
        std::string_view path;
        std::string_view expected;
    } cases[] = {
        {"Directory.dat", "Directory.dat"},
        {"/opt/zentrel/Directory.dat", "Directory.dat"},
        {"C:\\Zentrel\\ZipCodesUS.dat", "ZipCodesUS.dat"},
        {"a/b\\c.dat", "c.dat"},
        {"a\\b/c.dat", "c.dat"},
        {"/opt/zentrel/", ""},
        {"C:\\Zentrel\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path));
        EXPECT_EQ(FileName_from_Path(c.path), c.expected);
    }
}

} // namespace
} // namespace zentrel

namespace zentrel {
namespace {

TEST(PathInFolder, JoinsWithOneSlash)
{
    const struct {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        {"/opt/zentrel", "Help.htm", "/opt/zentrel/Help.htm"},
        {"/opt/zentrel/", "Help.htm", "/opt/zentrel/Help.htm"},
        {"/", "Help.htm", "/Help.htm"},
        {"", "Help.htm", "Help.htm"},
        // Only "/" separates folders here.
        {"C:\\WINDOWS\\media", "tada.wav", "C:\\WINDOWS\\media/tada.wav"},
        {"/opt/zentrel", "Utopia Windows Start.wav", "/opt/zentrel/Utopia Windows Start.wav"},
    };
    for (const auto& c : cases) EXPECT_EQ(path_in_folder(c.folder, c.name), c.expected) << c.folder;
}

} // namespace
} // namespace zentrel
