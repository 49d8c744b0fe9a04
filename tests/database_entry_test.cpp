#include "search_engine/database_entry.h"

#include "platform/colours.h"
#include "tests/support/reference_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {
namespace {

struct KindCase {
    std::string_view line;
    LineKind expected;
};

TEST(LineKind, TellsCommentsBlanksAndEntriesApart)
{
    const KindCase cases[] = {
        {"# UK dialling codes", LineKind::Comment},
        {"#", LineKind::Comment},
        {"    # indented comment", LineKind::Comment},
        {"#End_Of_Data#  ", LineKind::Comment},
        {"", LineKind::Blank},
        {"     ", LineKind::Blank},
        // Only the space is blank: a Tab or a lone LF makes an entry.
        {"\t", LineKind::Entry},
        {" \n ", LineKind::Entry},
        {"\t# not a comment", LineKind::Entry},
        {"Abbotsbury 01305", LineKind::Entry},
        {"C# 1234", LineKind::Entry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + std::string(c.line) + "'");
        EXPECT_EQ(line_kind(c.line), c.expected);
    }
}

struct SplitCase {
    std::string_view line;
    int category;
    std::string_view code;
    std::string_view name;
    std::string_view tag;
};

void expect_split(const SplitCase& c)
{
    SCOPED_TRACE("'" + std::string(c.line) + "' in category " + std::to_string(c.category));
    const EntryFields fields = split_entry(c.line, static_cast<Category>(c.category));
    EXPECT_EQ(fields.code, c.code);
    EXPECT_EQ(fields.name, c.name);
    EXPECT_EQ(fields.tag, c.tag);
}

TEST(SplitEntry, UKDiallingCodesTakeTheCodeFromTheEnd)
{
    const SplitCase cases[] = {
        {"Abbey St.Bathans 01361 4", 0, "01361 4", "Abbey St.Bathans", ""},
        {"Abbotsbury 01305", 0, "01305", "Abbotsbury", ""},
        // The first pass takes ") 01235", finds "(" in the rest and starts again.
        {"Abingdon (Oxon) 01235", 0, "01235", "Abingdon (Oxon)", ""},
        {"Ashby-De-La-Zouch 01530", 0, "01530", "Ashby-De-La-Zouch", ""},
        // Brackets around the digits belong to the code while the name holds none.
        {"London (020) 7", 0, "(020) 7", "London", ""},
        {"London [020]", 0, "[020]", "London", ""},
        {"Leeds 0113-2", 0, "0113-2", "Leeds", ""},
        // Once the name holds a bracket, a bracket never belongs to the code.
        {"Abingdon (Oxon) (01235)", 0, "", "Abingdon (Oxon) (01235)", ""},
        {"Reading [Berks] 0118 9", 0, "0118 9", "Reading [Berks]", ""},
        // Digits and spaces only: all of it, trimmed, is the code.
        {"  01234 567  ", 0, "01234 567", "", ""},
        {"(01234)", 0, "(01234)", "", ""},
        // A name that ends in a digit gives that digit to the code.
        {"Area 5 01234", 0, "5 01234", "Area", ""},
        {"Exeter", 0, "", "Exeter", ""},
        {"", 0, "", "", ""},
    };
    for (const auto& c : cases) expect_split(c);
}

TEST(SplitEntry, UKDiallingCodeTagsStandBetweenNameAndCode)
{
    const SplitCase cases[] = {
        {"Bristol * 0117", 0, "0117", "Bristol", "*"},
        // "]" may end a code, so the first pass takes "] 0117"; the "[" then left in the
        // name sends the split to its second pass, which leaves the tag whole.
        {"Bristol [*Red data] 0117", 0, "0117", "Bristol", "[*Red data]"},
        {"Bristol [*Gray data] 0117 9", 0, "0117 9", "Bristol", "[*Gray data]"},
        // A tag after the number leaves the code empty and the number in the name.
        {"Bristol 0117 *", 0, "", "Bristol 0117", "*"},
        {"Bristol 0117 [*Blue data]", 0, "", "Bristol 0117", "[*Blue data]"},
    };
    for (const auto& c : cases) expect_split(c);
}

TEST(SplitEntry, OtherCategoriesTakeTheFirstWordAsTheCode)
{
    const SplitCase cases[] = {
        {"AB1 Aberdeen (Aberdeenshire)", 1, "AB1", "Aberdeen (Aberdeenshire)", ""},
        {"3B6 Chagos Island", 2, "3B6", "Chagos Island", ""},
        {"1 USA", 3, "1", "USA", ""},
        {"00401 Pleasantville, NY", 7, "00401", "Pleasantville, NY", ""},
        {"BC Leicester  ", 5, "BC", "Leicester", ""},
        {"uk United Kingdom 0123", 4, "uk", "United Kingdom 0123", ""},
        {"D  Germany", 6, "D", "Germany", ""},
        {" Leading space", 1, "", "Leading space", ""},
        {"NoSpaceAtAll", 2, "NoSpaceAtAll", "", ""},
        {"\t", 4, "\t", "", ""},
        {"A\tB C", 6, "A\tB", "C", ""},
        // Category::None and any other value split the same way.
        {"AB1 Aberdeen", -1, "AB1", "Aberdeen", ""},
        {"AB1 Aberdeen", 8, "AB1", "Aberdeen", ""},
        {"Abingdon (Oxon) 01235", 1, "Abingdon", "(Oxon) 01235", ""},
    };
    for (const auto& c : cases) expect_split(c);
}

TEST(SplitEntry, ColourTagsAreExactAndLast)
{
    const SplitCase cases[] = {
        {"1 Canada *", 3, "1", "Canada", "*"},
        {"1 Canada*", 3, "1", "Canada", "*"},
        {"X Red [*Red data]", 3, "X", "Red", "[*Red data]"},
        {"X Blue[*Blue data]", 3, "X", "Blue", "[*Blue data]"},
        {"X Grey [*Gray data]", 3, "X", "Grey", "[*Gray data]"},
        {"X *", 3, "X", "", "*"},
        // A space after the tag, or other letter case, makes it part of the name.
        {"1 Canada * ", 3, "1", "Canada *", ""},
        {"X Red [*red data]", 3, "X", "Red [*red data]", ""},
        {"X Red [*RED DATA]", 3, "X", "Red [*RED DATA]", ""},
        {"X Grey [*Grey data]", 3, "X", "Grey [*Grey data]", ""},
        {"X Red [*Red data] ", 3, "X", "Red [*Red data]", ""},
        // Only the last tag is taken.
        {"X Red [*Red data]*", 3, "X", "Red [*Red data]", "*"},
        // The tag belongs to the name, never to the code.
        {"*", 1, "*", "", ""},
        {"A*", 2, "A*", "", ""},
    };
    for (const auto& c : cases) expect_split(c);
}

TEST(SplitEntry, FieldsAreViewsIntoTheLine)
{
    const std::string line = "Abingdon (Oxon) * 01235";
    const EntryFields fields = split_entry(line, Category::UKDiallingCodes);
    const auto inside_line = [&](std::string_view field) {
        return field.data() >= line.data() && field.data() + field.size() <= line.data() + line.size();
    };
    EXPECT_TRUE(inside_line(fields.code));
    EXPECT_TRUE(inside_line(fields.name));
    EXPECT_TRUE(inside_line(fields.tag));
    EXPECT_EQ(fields.code, "01235");
    EXPECT_EQ(fields.name, "Abingdon (Oxon)");
    EXPECT_EQ(fields.tag, "*");
}

// Lines made around the places where a split that takes the line's end sixteen bytes at a
// time could go wrong: every length up to past that window (each prefix and suffix of long
// lines, so that codes stand at the very start too), every byte before, inside and after a
// code, brackets near and far from the end, tags and trailing spaces.
std::vector<std::string> lines_around_the_window()
{
    std::vector<std::string> lines;
    for (const std::string long_line : {"Abingdon (Oxon) [*Gray data] (01235) 0-1 2", "Long Place Name (County) 01234 567",
                                        "Newport [Gwent] * 01633 8   ", "(0) 1 (2) 3 [4] 5 - 6 7 8 9 0 1 2 3 4 5",
                                        "0123456789 0123456789 0123456789", "Name ( with a far bracket 01234 5"}) {
        for (std::size_t length = 0; length <= long_line.size(); ++length) {
            lines.push_back(long_line.substr(0, length));
            lines.push_back(long_line.substr(long_line.size() - length));
        }
    }
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        for (const std::string& line : {byte, byte + "01234", "Name" + byte + "01234", "Name 01" + byte + "234 5",
                                        "(Name)" + byte + "(01)", "Place (County) 0" + byte, byte + "A 0123456789012345"}) {
            lines.push_back(line);
        }
    }
    return lines;
}

// The split of a line that the reader's buffer holds with the given bytes after it, in a
// buffer of exactly that size, so that a read past it is caught (AddressSanitizer).
EntryFields split_in_buffer(std::unique_ptr<char[]>& buffer, const std::string& line, std::string_view after,
                            bool readable_given)
{
    buffer = std::make_unique_for_overwrite<char[]>(line.size() + after.size());
    std::copy(line.begin(), line.end(), buffer.get());
    std::copy(after.begin(), after.end(), buffer.get() + line.size());
    const std::string_view in_buffer(buffer.get(), line.size());
    if (!readable_given) return split_entry(in_buffer, Category::UKDiallingCodes);
    return split_entry(in_buffer, Category::UKDiallingCodes, std::string_view(buffer.get(), line.size() + after.size()));
}

TEST(SplitEntry, UKDiallingCodesAreTheReferencesWhateverFollowsTheLine)
{
    struct Following {
        std::string_view bytes;
        bool readable_given;
    };
    // Nothing may be read past the line, or bytes that would change the split if they
    // were taken as part of it: a short run of them, too short to look at, or a long one.
    const Following followings[] = {
        {"", false},          {"", true},
        {"\r\n", true},       {"0123", true},
        {"xxxxxxxxxxxxxxxxxxxx", true}, {"01234567890123456789", true},
        {"(0) [1] - 2 3 4 5 6 7 8", true},
    };
    std::unique_ptr<char[]> buffer;
    for (const std::string& line : lines_around_the_window()) {
        const testing_support::ReferenceRow expected = testing_support::reference_split(line, Category::UKDiallingCodes);
        for (const auto& following : followings) {
            SCOPED_TRACE("'" + line + "' followed by '" + std::string(following.bytes) + "'" +
                         (following.readable_given ? ", readable" : ""));
            const EntryFields fields = split_in_buffer(buffer, line, following.bytes, following.readable_given);
            EXPECT_EQ(fields.code, expected.code);
            EXPECT_EQ(fields.name, expected.name);
            EXPECT_EQ(fields.tag, expected.tag);
            const auto inside_line = [&](std::string_view field) {
                return field.empty() ||
                       (field.data() >= buffer.get() && field.data() + field.size() <= buffer.get() + line.size());
            };
            EXPECT_TRUE(inside_line(fields.code) && inside_line(fields.name) && inside_line(fields.tag));
        }
    }
}

// A readable view that does not begin with the whole line is not read: the split is the
// line's own.
TEST(SplitEntry, ReadableBytesThatDoNotHoldTheLineAreNotUsed)
{
    const std::string bytes = "Leeds 0113xxxxxxxxxxxxxxxxxx";
    const std::string_view line = std::string_view(bytes).substr(0, 10);
    for (const std::string_view readable : {std::string_view(bytes).substr(1), std::string_view(bytes).substr(0, 5),
                                            std::string_view("Leeds 0113xxxxxxxxxxxxxxxxxxxxx")}) {
        const EntryFields fields = split_entry(line, Category::UKDiallingCodes, readable);
        EXPECT_EQ(fields.code, "0113");
        EXPECT_EQ(fields.name, "Leeds");
    }
}

struct ColourCase {
    std::string_view tag;
    platform::Colour text;
    platform::Colour background;
};

TEST(TagColours, ChooseTheRowColours)
{
    const ColourCase cases[] = {
        {"*", platform::rgb(255, 255, 255), platform::rgb(128, 64, 0)},
        {"[*Red data]", platform::rgb(255, 0, 0), platform::system_window_background},
        {"[*Blue data]", platform::rgb(0, 0, 255), platform::system_window_background},
        {"[*Gray data]", platform::rgb(127, 127, 127), platform::system_window_background},
        {"", platform::system_window_text, platform::system_window_background},
        {"[*red data]", platform::system_window_text, platform::system_window_background},
        {"**", platform::system_window_text, platform::system_window_background},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + std::string(c.tag) + "'");
        const RowColours colours = tag_colours(c.tag);
        EXPECT_EQ(colours.text, c.text);
        EXPECT_EQ(colours.background, c.background);
    }
}

TEST(TagColours, FollowTheTagOfASplitEntry)
{
    const RowColours tagged = tag_colours(split_entry("1 Canada *", Category::InternationalDiallingCodes).tag);
    EXPECT_EQ(tagged.text, platform::rgb(255, 255, 255));
    EXPECT_EQ(tagged.background, platform::rgb(128, 64, 0));

    const RowColours plain = tag_colours(split_entry("1 USA", Category::InternationalDiallingCodes).tag);
    EXPECT_EQ(plain.text, platform::system_window_text);
    EXPECT_EQ(plain.background, platform::system_window_background);
}

} // namespace
} // namespace zentrel
