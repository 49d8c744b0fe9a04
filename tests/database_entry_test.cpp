#include "main_window/database_entry.h"

#include "platform/colours.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

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
