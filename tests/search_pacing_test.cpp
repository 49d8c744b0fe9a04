// The search's yields to the event loop as the real event loop paces them, by time and
// not before every line, seen through the real window: the abort from the context menu,
// the captions that every yield shows, and the rows of the built-in data, which are the
// same whether the search yields before every line or only when a yield is due.
#include "tests/support/main_window_fixture.h"

#include "platform/formats.h"

#include <string>
#include <vector>

using testing_support::MainWindowTest;
using namespace zentrel;
namespace box = platform::message_box;

namespace {

// Lines "100000 Place" on: every one an entry of 12 characters, 14 bytes with its CR LF.
// Every `other_every`th line is "1nnnnn Other" instead.
std::string numbered_lines(int count, int other_every = 0)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * 14);
    for (int i = 0; i < count; ++i) {
        const bool other = other_every > 0 && i % other_every == 0;
        bytes += std::to_string(100000 + i) + (other ? " Other\r\n" : " Place\r\n");
    }
    return bytes;
}

constexpr int characters_per_line = 12;
constexpr int bytes_per_line = 14;

// The direction frame's caption while the search has read `records` such lines and found
// `matches`, in a file of `lines` lines.
std::string progress_text(long records, long matches, long lines)
{
    const double percent = static_cast<double>(records * characters_per_line) * 100.0 /
                           static_cast<double>(lines * bytes_per_line);
    return " " + platform::format_whole(percent) + "% of data read.  (" + platform::format_grouped(matches) +
           " matches out of " + platform::format_grouped(records) + " records.) ";
}

} // namespace

class SearchPacingTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        event_loop.pump_real_events = true;
        event_loop.paced_as_real = true;
    }

    // The grid as a user reads it: codes, names and colours of every row.
    std::vector<std::string> grid_rows() const
    {
        std::vector<std::string> shown;
        for (int row = 0; row < rows(); ++row) {
            const auto& code = form->ui().flx_ResultsChart.cell(row, 0);
            const auto& name = form->ui().flx_ResultsChart.cell(row, 1);
            shown.push_back(code.text + "|" + name.text + "|" + std::to_string(code.fore) + "|" +
                            std::to_string(name.back));
        }
        return shown;
    }
};

TEST_F(SearchPacingTest, AbortFromTheMenuEndsTheSearchOnceTheLineOfThatPassIsMatched)
{
    const int lines = 300000;
    write_database(Category::USZipCodes, numbered_lines(lines));
    int matches_at_abort = -1;
    std::string progress_at_abort;
    event_loop.on_yield = [&](int yield) {
        if (yield != 3) return;
        matches_at_abort = rows() - 1;
        progress_at_abort = form->ui().fra_Search.caption();
        choose_from_menu("Abort &this search");
    };
    answer_message(box::answer_ok);
    search_with_enter(Category::USZipCodes, "Place", SearchField::Name);

    ASSERT_EQ(popup_menus.opened.size(), 1u);
    EXPECT_EQ(event_loop.yields, 3) << "no yield after the abort";
    EXPECT_GT(matches_at_abort, 2) << "the search does not yield before every line";
    EXPECT_EQ(progress_at_abort, progress_text(matches_at_abort, matches_at_abort, lines))
        << "the captions of the yield show the lines read before it";
    EXPECT_EQ(form->search_state().Match_Count, matches_at_abort + 1)
        << "the line read after the abort's yield is still matched";
    EXPECT_EQ(event_loop.questions, matches_at_abort + 1) << "a yield is asked for before every line";
    ASSERT_EQ(rows(), matches_at_abort + 3);
    EXPECT_EQ(cell(rows() - 2, 0), std::to_string(100000 + matches_at_abort));
    EXPECT_EQ(cell(rows() - 1, 0), "This search was aborted.");
    EXPECT_EQ(cell(rows() - 1, 1), "Aborted after " + progress_at_abort);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text, "This search was aborted.\r\n\r\nAborted after " + progress_at_abort);
    EXPECT_FALSE(form->search_state().Search_Running);
}

TEST_F(SearchPacingTest, EveryYieldShowsTheProgressOfTheLinesReadBeforeIt)
{
    const int lines = 200000;
    write_database(Category::USZipCodes, numbered_lines(lines, 100));
    struct Seen {
        std::string window_caption;
        std::string frame_caption;
        int rows_listed;
    };
    std::vector<Seen> seen;
    event_loop.on_yield = [&](int) {
        seen.push_back({form->ui().frm.caption(), form->ui().fra_Search.caption(), rows() - 1});
    };
    search_with_enter(Category::USZipCodes, "other", SearchField::Name);

    EXPECT_EQ(form->search_state().Match_Count, lines / 100);
    ASSERT_FALSE(seen.empty());
    EXPECT_LT(seen.size(), static_cast<std::size_t>(lines / 2)) << "yields by time, not before every line";
    long last_records = -1;
    for (const Seen& each : seen) {
        SCOPED_TRACE(each.frame_caption);
        const auto out_of = each.frame_caption.find(" matches out of ");
        ASSERT_NE(out_of, std::string::npos);
        std::string digits;
        for (char c : each.frame_caption.substr(out_of + 16)) {
            if (c >= '0' && c <= '9') digits += c;
        }
        const long records = std::stol(digits);
        EXPECT_GT(records, last_records);
        last_records = records;
        const long matches = (records + 99) / 100; // lines 0, 100, 200 ... are the matches
        EXPECT_EQ(each.rows_listed, matches);
        EXPECT_EQ(each.frame_caption, progress_text(records, matches, lines));
        const std::string percent = each.frame_caption.substr(1, each.frame_caption.find('%'));
        EXPECT_EQ(each.window_caption, "Zentrel is searching for; \"other\"    [ " + percent + " ]");
    }
}

TEST_F(SearchPacingTest, BuiltInDataGivesTheSameRowsWhetherTheSearchYieldsByTimeOrBeforeEveryLine)
{
    constexpr Category dialling_codes = Category::UKDiallingCodes;
    constexpr Category zip_codes = Category::USZipCodes;
    constexpr SearchField by_code = SearchField::Code;
    constexpr SearchField by_name = SearchField::Name;
    const struct {
        Category category;
        SearchField field;
        const char* pattern;
    } cases[] = {
        {zip_codes, by_name, "holtsville*"},  {zip_codes, by_name, "*"},         {zip_codes, by_code, "0060#"},
        {zip_codes, by_name, "[A-C]*, NY"},   {zip_codes, by_name, "*ville, ??"}, {zip_codes, by_code, "[!0-4]*"},
        {zip_codes, by_name, "?"},            {dialling_codes, by_name, "haywards*"},
        {dialling_codes, by_code, "01444*"},  {dialling_codes, by_name, "*(*)"},  {dialling_codes, by_code, "0#####"},
        {dialling_codes, by_name, "[!A-Z]*"},
    };
    for (const Category category : {dialling_codes, zip_codes}) restore_built_in_file(category);
    for (const auto& each : cases) {
        SCOPED_TRACE(std::string(each.pattern) + " in category " + decimal_text(each.category));
        event_loop.paced_as_real = false;
        search_with_enter(each.category, each.pattern, each.field);
        const std::vector<std::string> before_every_line = grid_rows();
        const std::string hint = form->ui().flx_ResultsChart.tooltip();
        const int yields_before_every_line = event_loop.yields;

        event_loop.yields = 0;
        event_loop.paced_as_real = true;
        press_enter();
        EXPECT_EQ(grid_rows(), before_every_line);
        EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), hint);
        EXPECT_LE(event_loop.yields, yields_before_every_line);
        event_loop.yields = 0;
    }
    search_with_enter(zip_codes, "holtsville*", by_name);
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(cell(1, 0) + " " + cell(2, 0) + " " + cell(3, 0), "00501 00544 11742") << "the built-in data's own lines";
}
