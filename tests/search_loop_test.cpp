// The scan of a database file without a window: what it reports to its listener, when
// it stops, and the pattern taken as typed.
#include "search_engine/search_loop.h"
#include "platform/runtime_error.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace zentrel {
namespace {

// Records what the scan reports and stops it after a given number of lines. It takes its
// turn before every line, or only before the lines whose number (from 1) a test names.
class RecordingListener final : public SearchListener {
public:
    bool turn_due() override
    {
        ++lines_asked;
        return turn_before_lines.empty() ||
               std::find(turn_before_lines.begin(), turn_before_lines.end(), lines_asked) != turn_before_lines.end();
    }
    void turn(const SearchProgress& progress) override { before_each_line.push_back(progress); }
    void matched(const EntryFields& entry, const SearchProgress& progress) override
    {
        matches.push_back(std::string(entry.code) + "|" + std::string(entry.name));
        match_numbers.push_back(progress.matches);
    }
    bool going_on() override { return ++lines_done < stop_after_lines; }

    std::vector<int> turn_before_lines;
    int lines_asked = 0;
    std::vector<SearchProgress> before_each_line;
    std::vector<std::string> matches;
    std::vector<std::int32_t> match_numbers;
    int lines_done = 0;
    int stop_after_lines = 1000;
};

class SearchLoopTest : public testing::Test {
protected:
    std::string write(const std::string& bytes)
    {
        folder.write_file("ZipCodesUS.dat", bytes);
        return folder.file("ZipCodesUS.dat");
    }

    testing_support::TempFolder folder;
    RecordingListener listener;
};

TEST_F(SearchLoopTest, ReportsEveryMatchAndTheProgressBeforeEveryLine)
{
    const std::string bytes = "# comment\r\n01238 Lee, MA\r\n   \r\n01240 Lenox, MA\r\n02108 Boston, MA *\r\n";
    const std::string path = write(bytes);
    const SearchProgress end = SearchLoop(Category::USZipCodes, SearchField::Name, "le*").run(path, listener);
    EXPECT_EQ(listener.matches, (std::vector<std::string>{"01238|Lee, MA", "01240|Lenox, MA"}));
    EXPECT_EQ(listener.match_numbers, (std::vector<std::int32_t>{1, 2}));
    ASSERT_EQ(listener.before_each_line.size(), 5u);
    EXPECT_EQ(listener.before_each_line[0].characters_read, 0);
    EXPECT_EQ(listener.before_each_line[2].characters_read, 9 + 13) << "line ends are not counted";
    EXPECT_EQ(end.entries_read, 3);
    EXPECT_EQ(end.matches, 2);
    EXPECT_EQ(end.file_size, static_cast<long long>(bytes.size()));
}

TEST_F(SearchLoopTest, MatchesTheCodeFieldByTheCategorysRule)
{
    const std::string path = write("Haywards Heath 01444\r\nHorsham 01403\r\n");
    SearchLoop(Category::UKDiallingCodes, SearchField::Code, "0144#").run(path, listener);
    EXPECT_EQ(listener.matches, std::vector<std::string>{"01444|Haywards Heath"});
}

TEST_F(SearchLoopTest, KeepsThePatternsOuterSpaces)
{
    const std::string path = write("1 Lee\r\n2  Lee\r\n");
    SearchLoop(Category::USZipCodes, SearchField::Name, " Lee").run(path, listener);
    EXPECT_TRUE(listener.matches.empty()) << "the name carries no outer spaces, the pattern does";
}

TEST_F(SearchLoopTest, StopsWhenTheListenerSaysSo)
{
    const std::string path = write("1 A\r\n2 B\r\n3 C\r\n4 D\r\n");
    listener.stop_after_lines = 2;
    const SearchProgress end = SearchLoop(Category::USZipCodes, SearchField::Name, "*").run(path, listener);
    EXPECT_EQ(listener.lines_done, 2);
    EXPECT_EQ(end.matches, 2);
}

TEST_F(SearchLoopTest, TurnsComeOnlyWhenTheListenerAsksWithTheProgressSoFar)
{
    const std::string path = write("# comment\r\n01238 Lee, MA\r\n01240 Lenox, MA\r\n02108 Boston, MA\r\n");
    listener.turn_before_lines = {3};
    const SearchProgress end = SearchLoop(Category::USZipCodes, SearchField::Name, "*").run(path, listener);
    EXPECT_EQ(listener.lines_asked, 4) << "asked before every line";
    ASSERT_EQ(listener.before_each_line.size(), 1u);
    const SearchProgress& before_third = listener.before_each_line[0];
    EXPECT_EQ(before_third.lines_read, 2);
    EXPECT_EQ(before_third.characters_read, 9 + 13);
    EXPECT_EQ(before_third.entries_read, 1);
    EXPECT_EQ(before_third.matches, 1);
    EXPECT_EQ(end.lines_read, 4);
    EXPECT_EQ(end.matches, 3);
}

TEST_F(SearchLoopTest, AMissingFileIsError53AndABadPatternFailsAtTheFirstEntry)
{
    try {
        SearchLoop(Category::USZipCodes, SearchField::Name, "*").run(folder.file("none.dat"), listener);
        ADD_FAILURE() << "no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 53);
    }
    const std::string path = write("# only a comment\r\n1 A\r\n");
    try {
        SearchLoop(Category::USZipCodes, SearchField::Name, "[A").run(path, listener);
        ADD_FAILURE() << "no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 93);
        EXPECT_EQ(listener.before_each_line.size(), 2u) << "the comment line was read first";
    }
}

} // namespace
} // namespace zentrel
