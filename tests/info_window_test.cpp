// The information window on one result row, composed after (or during) a real search:
// its caption, every printed line with its font, colour and place, the finished and the
// running blocks, the file link laid over the printed path and its click, and the
// window's life across the user closing it, by its close box or with Esc.
#include "tests/support/main_window_fixture.h"

#include "info_windows/frm_datainfo.h"
#include "core/date_time.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

using testing_support::click;
using testing_support::MainWindowTest;
using namespace zentrel;
using platform::Colour;
using zentrel::DateTime;
using zentrel::make_date_time;
namespace box = platform::message_box;

namespace {

constexpr Colour red = platform::rgb(255, 0, 0);
constexpr Colour button_text = platform::system_button_text;
constexpr double standard_value_x = 1600;

const platform::Font arial_10_bold{"Arial", 10, true, false, false};
const platform::Font arial_8{"Arial", 8, false, false, false};
const platform::Font arial_8_bold{"Arial", 8, true, false, false};

// Where a printed text starts on its line: at the left edge, at the value column, or
// straight after the text printed before it.
enum class Place { Left, Value, Follows };

// One text that the composition prints. Lines count from 1, empty lines included;
// lines 1 and 2 are in Arial 10, the rest in Arial 8.
struct Expected {
    int line;
    std::string text;
    Place place;
    bool bold;
    Colour colour = button_text;
};

std::string describe(const std::vector<platform::PrintedText>& printed)
{
    std::ostringstream out;
    for (const auto& item : printed) {
        out << "  [" << item.x << ", " << item.y << "] \"" << item.text << "\"" << (item.font.bold ? " bold" : "")
            << "\n";
    }
    return out.str();
}

// A US ZIP-code file of four entries of 8 characters each: 40 bytes with the line ends.
const std::string four_zip_entries = "00001 Aa\r\n00002 Bb\r\n00003 Cc\r\n00004 Dd\r\n";

} // namespace

class InfoWindowTest : public MainWindowTest {
protected:
    // A search of the names in a ZIP-code file of these bytes.
    void search_zip_names(std::string_view pattern, const std::string& file_bytes)
    {
        search(Category::USZipCodes, pattern, SearchField::Name, file_bytes);
    }

    // The open information window; a test that finds none fails.
    frm_DataInfo& info()
    {
        frm_DataInfo* open = info_window();
        if (open == nullptr) throw std::logic_error("no information window is open");
        return *open;
    }
    const std::vector<platform::PrintedText>& printed() { return info().ui().frm.printed(); }

    double height_of(const platform::Font& font)
    {
        ruler.set_font(font);
        return ruler.text_height();
    }

    double width_of(const std::string& text, const platform::Font& font)
    {
        ruler.set_font(font);
        return ruler.text_width(text);
    }

    // The top of a line: two lines of Arial 10, then lines of Arial 8.
    double line_y(int line)
    {
        if (line <= 2) return (line - 1) * height_of(arial_10_bold);
        return 2 * height_of(arial_10_bold) + (line - 3) * height_of(arial_8);
    }

    std::vector<std::string> texts_on_line(int line)
    {
        std::vector<std::string> texts;
        const double y = line_y(line);
        for (const auto& item : printed()) {
            if (std::fabs(item.y - y) < 0.5) texts.push_back(item.text);
        }
        return texts;
    }

    const platform::PrintedText* find_printed(const std::string& text)
    {
        for (const auto& item : printed()) {
            if (item.text == text) return &item;
        }
        return nullptr;
    }

    void expect_printed(const std::vector<Expected>& expected, double value_x = standard_value_x)
    {
        const auto& got = printed();
        ASSERT_EQ(got.size(), expected.size()) << describe(got);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const Expected& want = expected[i];
            const platform::PrintedText& item = got[i];
            SCOPED_TRACE("line " + std::to_string(want.line) + ": \"" + want.text + "\"");
            EXPECT_EQ(item.text, want.text);
            EXPECT_EQ(item.font.name, "Arial");
            EXPECT_EQ(item.font.size, want.line <= 2 ? 10 : 8);
            EXPECT_EQ(item.font.bold, want.bold);
            EXPECT_FALSE(item.font.italic);
            EXPECT_FALSE(item.font.underline);
            EXPECT_EQ(item.colour, want.colour);
            EXPECT_NEAR(item.y, line_y(want.line), 0.01);
            double x = 0;
            if (want.place == Place::Value) x = value_x;
            if (want.place == Place::Follows && i > 0) x = got[i - 1].x + width_of(got[i - 1].text, got[i - 1].font);
            EXPECT_DOUBLE_EQ(item.x, x);
        }
    }

    // Searches the four-entry file and clicks row 2 at the third yield, when two lines
    // have been read (16 of 40 bytes: 40%) and both have matched.
    void compose_while_running(const std::string& pattern, const std::string& file_bytes)
    {
        event_loop.on_yield = [&](int yield) {
            if (yield == 2) clock.time = make_date_time(2026, 12, 10, 15, 7, 12);
            if (yield != 3) return;
            ASSERT_TRUE(form->search_state().Search_Running);
            caption_while_running = form->ui().frm.caption();
            click_row(2);
        };
        search_zip_names(pattern, file_bytes);
        event_loop.on_yield = nullptr;
    }

    // Opens the window on row 1 of a finished search, then composes it again with a search
    // state set by hand: counts and captions that no search of a small file reaches.
    void compose_with(DateTime start, DateTime last, bool running, std::int32_t matches = 0)
    {
        click_row(1);
        zentrel::SearchState state = form->search_state();
        state.Search_Start = start;
        state.Search_Last = last;
        state.Search_Running = running;
        state.Match_Count = matches;
        const zentrel::InfoRow row{.name_text = cell(1, 1),
                                   .code_text = cell(1, 0),
                                   .colour = form->ui().flx_ResultsChart.cell(1, 0).fore,
                                   .code_caption = form->ui().opt_DiallOption(0).caption(),
                                   .value_column = standard_value_x,
                                   .main_caption = form->ui().frm.caption(),
                                   .main_window = &form->ui().frm};
        info().Show_Row_Info(row, state);
    }

    platform::Window ruler{"ruler", 1000, 1000};
    std::string caption_while_running;
};

// ---------------------------------------------------------------------------------
// The composition

TEST_F(InfoWindowTest, FinishedSearchPrintsEveryLineInItsPlace)
{
    event_loop.on_yield = [&](int yield) {
        if (yield == 2) clock.time = make_date_time(2026, 12, 10, 14, 7, 10);
    };
    search_zip_names("*", "00401 Pleasantville, NY\r\n01238 Lee, MA\r\n");
    const std::string path = database_path(Category::USZipCodes);
    click_row(2);

    EXPECT_EQ(info().ui().frm.caption(), "Information on; Lee, MA");
    expect_printed({
        {1, " Information on; ", Place::Left, true},
        {1, "Lee, MA", Place::Value, true},
        {2, " ZIP code; ", Place::Left, true},
        {2, "01238", Place::Value, true},
        {5, " Searched for; ", Place::Left, false},
        {5, "*", Place::Value, true},
        {6, " Search started at; ", Place::Left, false},
        {6, " 2:05:09pm", Place::Value, false},
        {7, " Search ended at; ", Place::Left, false},
        {7, " 2:07:10pm", Place::Value, false},
        {8, " Total search time; ", Place::Left, false},
        {8, " 0:02:01", Place::Value, false},
        {9, " Total matches found; ", Place::Left, false},
        {9, "2", Place::Value, true},
        {11, " Data read from file; ", Place::Left, false},
        {11, path, Place::Value, true},
        {12, " File created on; ", Place::Left, false},
        {12, "- to do -", Place::Value, true},
        {13, " File updated on; ", Place::Left, false},
        {13, "- to do -", Place::Value, true},
        {15, " This part of the program has not yet been written.", Place::Left, false,
         platform::system_window_text},
    });
    EXPECT_TRUE(info().ui().frm.is_shown());
    EXPECT_EQ(info().ui().frm.client_width(), 4680);
    EXPECT_EQ(info().ui().frm.client_height(), 3195);
    // The grid was moved to the name cell to read it and is left on the code cell.
    EXPECT_EQ(form->ui().flx_ResultsChart.row(), 2);
    EXPECT_EQ(form->ui().flx_ResultsChart.col(), 0);
}

TEST_F(InfoWindowTest, RunningSearchPrintsItsOwnBlockAndKeepsItAfterTheEnd)
{
    compose_while_running("*", four_zip_entries);
    ASSERT_EQ(caption_while_running, "Zentrel is searching for; \"*\"    [ 40% ]");

    // The search has ended since: the window is a snapshot of the moment of the click.
    EXPECT_FALSE(form->search_state().Search_Running);
    EXPECT_EQ(info().ui().frm.caption(), "Information on; Bb");
    expect_printed({
        {1, " Information on; ", Place::Left, true},
        {1, "Bb", Place::Value, true},
        {2, " ZIP code; ", Place::Left, true},
        {2, "00002", Place::Value, true},
        {5, " Searched for; ", Place::Left, false},
        {5, "*", Place::Value, true},
        {6, " Search started at; ", Place::Left, false},
        {6, " 2:05:09pm", Place::Value, false},
        {7, " Time now; ", Place::Left, false},
        {7, " 3:07:12pm", Place::Value, false},
        {8, " Total time so far; ", Place::Left, false},
        {8, "  1:02:03", Place::Value, false},
        {9, " Total matches found so far; ", Place::Left, false},
        {9, "2", Place::Follows, true},
        {11, " Data read from file; ", Place::Left, false},
        {11, database_path(Category::USZipCodes), Place::Value, true},
        {13, " Zentrel has not yet finished searching.", Place::Left, true, red},
        {14, " 40% of file searched only.", Place::Left, true, red},
    });
    EXPECT_EQ(info().ui().frm.fore_colour(), button_text);
    EXPECT_FALSE(info().ui().frm.font().bold);
}

TEST_F(InfoWindowTest, BeforeAnySearchTheTimesAreMidnightAndTheCountZero)
{
    // Before any search, the one road to a row is a restore that cannot write its file.
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    answer_message(box::answer_yes);
    answer_message(box::answer_ok);
    choose_from_menu("&Restore/fix the Directory.dat file", Qt::ShiftModifier);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    ASSERT_EQ(rows(), 2);
    click_row(1);

    const std::string path = database_path(Category::UKDiallingCodes);
    EXPECT_EQ(info().ui().frm.caption(), "Information on; " + path + " is locked.");
    EXPECT_EQ(texts_on_line(2), (std::vector<std::string>{" Dialling code; ", "File;"}));
    // The empty pattern prints nothing at the value column.
    EXPECT_EQ(texts_on_line(5), std::vector<std::string>{" Searched for; "});
    EXPECT_EQ(texts_on_line(6), (std::vector<std::string>{" Search started at; ", " 12:00:00am"}));
    EXPECT_EQ(texts_on_line(7), (std::vector<std::string>{" Search ended at; ", " 12:00:00am"}));
    EXPECT_EQ(texts_on_line(8), (std::vector<std::string>{" Total search time; ", " 0:00:00"}));
    EXPECT_EQ(texts_on_line(9), (std::vector<std::string>{" Total matches found; ", "0"}));
    EXPECT_EQ(texts_on_line(11), (std::vector<std::string>{" Data read from file; ", path}));
    ASSERT_FALSE(printed().empty());
    EXPECT_EQ(printed().back().colour, red) << "the row's colour";
}

TEST_F(InfoWindowTest, RowZeroOrLessDescribesRowOne)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n01238 Lee, MA\r\n");
    // Row 0 is the header row.
    const struct {
        int row;
        const char* name;
        const char* code;
        int grid_row;
    } cases[] = {
        {0, "Pleasantville, NY", "00401", 1},
        {2, "Lee, MA", "01238", 2},
        {0, "Pleasantville, NY", "00401", 1},
        {1, "Pleasantville, NY", "00401", 1},
        {2, "Lee, MA", "01238", 2},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE("row " + std::to_string(each.row));
        click_row(each.row);
        EXPECT_EQ(info().ui().frm.caption(), std::string("Information on; ") + each.name);
        EXPECT_EQ(texts_on_line(1), (std::vector<std::string>{" Information on; ", each.name}));
        EXPECT_EQ(texts_on_line(2), (std::vector<std::string>{" ZIP code; ", each.code}));
        EXPECT_EQ(form->ui().flx_ResultsChart.row(), each.grid_row);
        EXPECT_EQ(form->ui().flx_ResultsChart.col(), 0);
    }
}

TEST_F(InfoWindowTest, EachCategoryPrintsItsCodeCaptionAndValueColumn)
{
    const struct {
        Category category;
        const char* entry;
        const char* code;
        const char* code_line;
        double value_x;
    } cases[] = {
        {Category::UKDiallingCodes, "Haywards Heath 01444", "01444", " Dialling code; ", 1600},
        {Category::UKPostCodes, "RH16 Haywards Heath", "RH16", " Post code; ", 1600},
        {Category::RadioCallSigns, "G United Kingdom", "G", " Call sign; ", 1600},
        {Category::InternationalDiallingCodes, "44 United Kingdom", "44", " Dialing prefix; ", 1600},
        {Category::WebDomainNames, "uk United Kingdom", "uk", " URL abbreviation; ", 1900},
        {Category::UKVehicleNumberPlates, "A Aberdeen", "A", " Plate letter; ", 1600},
        {Category::InternationalCarSymbols, "GB United Kingdom", "GB", " Abbreviation; ", 1600},
        {Category::USZipCodes, "00401 Pleasantville, NY", "00401", " ZIP code; ", 1600},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE("category " + std::to_string(index_of(each.category)));
        search(each.category, "*", SearchField::Name, std::string(each.entry) + "\r\n");
        click_row(1);
        EXPECT_EQ(texts_on_line(2), (std::vector<std::string>{each.code_line, each.code}));
        int values = 0;
        for (const auto& item : printed()) {
            if (item.x == 0) continue;
            EXPECT_EQ(item.x, each.value_x) << item.text;
            ++values;
        }
        EXPECT_EQ(values, 10); // lines 1, 2, 5 to 9, 11, 12 and 13
        EXPECT_EQ(info().ui().lab_LinkToFile.left(), each.value_x);
    }
}

TEST_F(InfoWindowTest, CodeCaptionLosesOnlyOneFinalSmallS)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n");
    const struct {
        const char* caption;
        const char* printed;
    } cases[] = {
        {"Post codes", " Post code; "},
        {"Call sign", " Call sign; "},
        {"CODES", " CODES; "},
        {"Codess", " Codes; "},
        {"s", " ; "},
        {"", " ; "},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.caption);
        // The code option's caption is the program's alone; these are no category's.
        form->ui().opt_DiallOption_0.set_caption(each.caption);
        click_row(1);
        ASSERT_FALSE(texts_on_line(2).empty());
        EXPECT_EQ(texts_on_line(2).front(), each.printed);
    }
}

TEST_F(InfoWindowTest, LastLineTakesTheRowsTextColour)
{
    search_zip_names("*",
                     "00001 Plain\r\n00002 Red[*Red data]\r\n00003 Blue[*Blue data]\r\n00004 Grey[*Gray data]\r\n"
                     "00005 White *\r\n");
    const Colour expected[] = {platform::system_window_text, red, platform::rgb(0, 0, 255),
                               platform::rgb(127, 127, 127), platform::rgb(255, 255, 255)};
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        click_row(row);
        ASSERT_FALSE(printed().empty());
        const auto& last = printed().back();
        EXPECT_EQ(last.text, " This part of the program has not yet been written.");
        EXPECT_EQ(last.colour, expected[row - 1]);
        // Everything above it keeps the button-text colour, whatever the row's.
        for (std::size_t i = 0; i + 1 < printed().size(); ++i) EXPECT_EQ(printed()[i].colour, button_text);
        EXPECT_EQ(info().ui().frm.back_colour(), platform::system_button_face);
    }
}

TEST_F(InfoWindowTest, MarkupInThePatternIsPrintedAsPlainText)
{
    search_zip_names("<b>x</b>", "00001 <b>x</b>\r\n");
    ASSERT_EQ(rows(), 2);
    click_row(1);
    EXPECT_EQ(info().ui().frm.caption(), "Information on; <b>x</b>");
    EXPECT_EQ(texts_on_line(1), (std::vector<std::string>{" Information on; ", "<b>x</b>"}));
    EXPECT_EQ(texts_on_line(5), (std::vector<std::string>{" Searched for; ", "<b>x</b>"}));
}

// ---------------------------------------------------------------------------------
// Times, counts and the progress number

TEST_F(InfoWindowTest, ElapsedTimeShowsOnlyTheHoursBeyondWholeDays)
{
    const DateTime start = make_date_time(2026, 12, 10, 14, 5, 9);
    const struct {
        const char* name;
        DateTime last;
        bool running;
        const char* ended;
        const char* total;
    } cases[] = {
        {"one day and a bit", make_date_time(2026, 12, 11, 15, 6, 10), false, " 3:06:10pm", " 1:01:01"},
        {"exactly two days", make_date_time(2026, 12, 12, 14, 5, 9), false, " 2:05:09pm", " 0:00:00"},
        {"just under a day", make_date_time(2026, 12, 11, 14, 5, 8), false, " 2:05:08pm", " 23:59:59"},
        {"one day and an hour, running", make_date_time(2026, 12, 11, 15, 5, 9), true, " 3:05:09pm",
         "  1:00:00"},
        {"ending at midnight", make_date_time(2026, 12, 11, 0, 0, 0), false, " 12:00:00am", " 9:54:51"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        // The search starts at the start time and its first line is read at the last
        // time; a running search's row is clicked as the second line is due.
        clock.time = start;
        event_loop.yields = 0;
        event_loop.on_yield = [&](int yield) {
            if (yield == 1) clock.time = each.last;
            if (yield == 2 && each.running) click_row(1);
        };
        search_zip_names("*", "00401 Pleasantville, NY\r\n01238 Lee, MA\r\n");
        event_loop.on_yield = nullptr;
        if (!each.running) click_row(1);
        EXPECT_EQ(texts_on_line(7),
                  (std::vector<std::string>{each.running ? " Time now; " : " Search ended at; ", each.ended}));
        EXPECT_EQ(texts_on_line(8), (std::vector<std::string>{
                                        each.running ? " Total time so far; " : " Total search time; ", each.total}));
    }
}

TEST_F(InfoWindowTest, MatchCountIsGroupedInThousands)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n");
    const DateTime start = make_date_time(2026, 12, 10, 14, 5, 9);
    const struct {
        std::int32_t count;
        bool running;
        const char* printed;
    } cases[] = {
        {0, false, "0"},
        {999, false, "999"},
        {1000, false, "1,000"},
        {50000, false, "50,000"},
        {1234567, false, "1,234,567"},
        {2147483647, false, "2,147,483,647"},
        {7654321, true, "7,654,321"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.printed);
        compose_with(start, start, each.running, each.count);
        const auto* value = find_printed(each.printed);
        ASSERT_NE(value, nullptr) << describe(printed());
        EXPECT_TRUE(value->font.bold);
        EXPECT_NEAR(value->y, line_y(9), 0.01);
        const double x = each.running ? width_of(" Total matches found so far; ", arial_8) : standard_value_x;
        EXPECT_DOUBLE_EQ(value->x, x);
    }
}

TEST_F(InfoWindowTest, ProgressNumberIsTakenBackFromTheMainCaption)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n");
    const struct {
        const char* caption;
        const char* line;
    } cases[] = {
        {"Zentrel is searching for; \"Lee*\"    [ 37% ]", " 37% of file searched only."},
        {"Zentrel is searching for; \"5%*\"    [ 12% ]", " \"5% of file searched only."},
        {"US ZIP Code Directory.", " Directory.% of file searched only."},
        {"99% ]", " 99% of file searched only."},
        {"", " % of file searched only."},
    };
    const DateTime start = make_date_time(2026, 12, 10, 14, 5, 9);
    for (const auto& each : cases) {
        SCOPED_TRACE(each.caption);
        form->ui().frm.set_caption(each.caption);
        compose_with(start, start, true);
        EXPECT_EQ(texts_on_line(14), std::vector<std::string>{each.line});
    }
}

TEST_F(InfoWindowTest, PercentInTheRunningPatternEndsTheProgressNumberEarly)
{
    compose_while_running("*%*", "00001 1% a\r\n00002 2% b\r\n00003 3% c\r\n");
    // The first "%" of the caption is the pattern's, so the number is the text between
    // the last blank before it and it: the opening quote and the "*".
    ASSERT_EQ(caption_while_running.substr(0, 31), "Zentrel is searching for; \"*%*\"");
    EXPECT_EQ(texts_on_line(13), std::vector<std::string>{" Zentrel has not yet finished searching."});
    EXPECT_EQ(texts_on_line(14), std::vector<std::string>{" \"*% of file searched only."});
}

// ---------------------------------------------------------------------------------
// The file link

TEST_F(InfoWindowTest, LinkIsHiddenUntilTheFirstComposition)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n");
    EXPECT_EQ(info_window(), nullptr) << "no window, so no link, before a row is clicked";
    click_row(1);
    const platform::Label& link = info().ui().lab_LinkToFile;
    EXPECT_TRUE(link.visible());
    EXPECT_TRUE(link.auto_size());
    EXPECT_TRUE(link.font().underline);
    EXPECT_TRUE(link.link_cursor());
    EXPECT_EQ(link.fore_colour(), platform::system_highlight);
}

TEST_F(InfoWindowTest, LinkLiesExactlyOverThePrintedPath)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n");
    click_row(1);
    const std::string path = database_path(Category::USZipCodes);
    const platform::PrintedText* printed_path = find_printed(path);
    ASSERT_NE(printed_path, nullptr) << describe(printed());

    const platform::Label& link = info().ui().lab_LinkToFile;
    EXPECT_EQ(link.caption(), path);
    EXPECT_EQ(link.tooltip(), " Load file; ZipCodesUS.dat ");
    EXPECT_EQ(link.left(), printed_path->x);
    EXPECT_EQ(link.top(), printed_path->y);
    EXPECT_EQ(link.font().name, "Arial");
    EXPECT_EQ(link.font().size, 8);
    EXPECT_TRUE(link.font().bold);
    EXPECT_FALSE(link.font().italic);
    EXPECT_TRUE(link.font().underline);
    // The label sizes itself in whole screen pixels (15 twips), so it covers the path
    // with less than one pixel to spare.
    const double path_width = width_of(path, arial_8_bold);
    EXPECT_GE(link.width(), path_width);
    EXPECT_LT(link.width(), path_width + 15);
    EXPECT_GE(link.height(), height_of(arial_8_bold));
}

TEST_F(InfoWindowTest, LinkOpensThePathOrSaysThatItIsGone)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n");
    click_row(1);
    const std::string path = database_path(Category::USZipCodes);

    click(info().ui().lab_LinkToFile);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, path);
    EXPECT_EQ(shell.opened[0].show_state, platform::show_state::normal);
    EXPECT_TRUE(message_boxes.shown.empty());

    ASSERT_EQ(std::remove(path.c_str()), 0);
    answer_message(box::answer_ok);
    click(info().ui().lab_LinkToFile);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text, "Zentrel can't find file;\r\n" + path);
    EXPECT_EQ(message_boxes.shown[0].style, box::ok_only | box::exclamation);
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel can't find file.");
    EXPECT_EQ(shell.opened.size(), 1u) << "nothing more may be opened";
}

TEST_F(InfoWindowTest, LinkKeepsItsPathAfterTheCategoryChanges)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n");
    click_row(1);
    const std::string zip_path = database_path(Category::USZipCodes);

    pick_category(Category::UKDiallingCodes);
    ASSERT_EQ(form->search_state().DataFile_Path, database_path(Category::UKDiallingCodes));
    EXPECT_EQ(info().ui().lab_LinkToFile.caption(), zip_path);
    ASSERT_NE(find_printed(zip_path), nullptr);

    click(info().ui().lab_LinkToFile);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, zip_path);
}

// ---------------------------------------------------------------------------------
// The window's life

TEST_F(InfoWindowTest, OneWindowIsReusedUntilTheUserClosesIt)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n01238 Lee, MA\r\n");
    EXPECT_EQ(info_window(), nullptr);
    click_row(1);
    frm_DataInfo* first = info_window();
    ASSERT_NE(first, nullptr);
    const std::size_t printed_once = printed().size();

    click_row(2);
    EXPECT_EQ(info_window(), first);
    EXPECT_EQ(printed().size(), printed_once) << "the surface is cleared before every composition";
    EXPECT_EQ(first->ui().frm.caption(), "Information on; Lee, MA");
    EXPECT_TRUE(first->ui().frm.is_shown());

    testing_support::close_window(first->ui().frm);
    EXPECT_TRUE(first->closed());
    EXPECT_EQ(info_window(), nullptr);

    click_row(1);
    ASSERT_NE(info_window(), nullptr);
    frm_DataInfo& fresh = *info_window();
    EXPECT_FALSE(fresh.closed());
    EXPECT_TRUE(fresh.ui().frm.is_shown());
    EXPECT_EQ(fresh.ui().frm.caption(), "Information on; Pleasantville, NY");
    EXPECT_EQ(fresh.ui().frm.printed().size(), printed_once);
    EXPECT_TRUE(fresh.ui().lab_LinkToFile.visible());
    EXPECT_EQ(fresh.ui().frm.client_width(), 4680);
    EXPECT_EQ(fresh.ui().frm.client_height(), 3195);
}

TEST_F(InfoWindowTest, EscapeClosesTheWindowAndOtherKeysLeaveItOpen)
{
    search_zip_names("*", "00401 Pleasantville, NY\r\n01238 Lee, MA\r\n");
    click_row(1);
    frm_DataInfo& window = info();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_A, Qt::Key_Pause, Qt::Key_F1}) {
        testing_support::press_key(window.ui().frm, key);
        EXPECT_TRUE(window.ui().frm.is_shown()) << "key " << key;
    }
    testing_support::press_key(window.ui().frm, Qt::Key_Escape);
    EXPECT_FALSE(window.ui().frm.is_shown());
    EXPECT_TRUE(window.closed());
    EXPECT_EQ(info_window(), nullptr);

    // Closed by its key as by its close box: the next click opens a fresh window.
    click_row(2);
    ASSERT_NE(info_window(), nullptr);
    EXPECT_EQ(info().ui().frm.caption(), "Information on; Lee, MA");
    EXPECT_TRUE(info().ui().frm.is_shown());
}
