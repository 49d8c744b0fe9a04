// The search through the real main window: its rows, colours, captions, report rows,
// messages and the way every road ends with the window idle and the file closed.
#include "tests/support/main_window_fixture.h"

#include "platform/runtime_error.h"
#include "platform/text_file.h"
#include "platform/widgets/app_state.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <dirent.h>
#include <unistd.h>

#include <filesystem>

using testing_support::MainWindowTest;
using namespace zentrel;
namespace box = platform::message_box;

namespace {

constexpr platform::Colour red = platform::rgb(255, 0, 0);
const std::string no_break_hint_tail = [] {
    std::string tail = " Click select here for more information. ";
    for (char& c : tail) {
        if (c == ' ') c = static_cast<char>(0xA0);
    }
    return tail;
}();

int open_descriptors()
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

} // namespace

class SearchTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        descriptors_before = open_descriptors();
    }

    void search(int category, const std::string& pattern, int direction, const std::string& file_bytes)
    {
        write_database(category, file_bytes);
        choose(category, pattern, direction);
        form->com_Search_Click();
    }

    // What every road out of a search leaves behind.
    void expect_idle(const std::string& caption)
    {
        EXPECT_EQ(form->ui().frm.caption(), caption);
        EXPECT_FALSE(form->search_state().Search_Running);
        EXPECT_TRUE(form->ui().txt_Inputbox.enabled());
        EXPECT_TRUE(form->ui().com_SearchType.enabled());
        EXPECT_TRUE(form->ui().opt_DiallOption_0.enabled());
        EXPECT_TRUE(form->ui().opt_DiallOption_1.enabled());
        EXPECT_TRUE(form->ui().lab_Direction.enabled());
        EXPECT_TRUE(form->ui().com_Search.enabled());
        EXPECT_EQ(form->ui().fra_Search.caption(), " Search for ");
        EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::standard);
        EXPECT_EQ(form->ui().frm.back_colour(), platform::system_button_face);
        EXPECT_EQ(form->ui().txt_Inputbox.back_colour(), platform::system_window_background);
        EXPECT_EQ(form->ui().com_SearchType.back_colour(), platform::system_window_background);
        EXPECT_EQ(form->ui().fra_TheResults.back_colour(), platform::system_button_face);
        EXPECT_EQ(open_descriptors(), descriptors_before) << "the database file was left open";
    }

    void expect_row(int row, const std::string& code, const std::string& name)
    {
        ASSERT_LT(row, rows());
        EXPECT_EQ(cell(row, 0), code);
        EXPECT_EQ(cell(row, 1), name);
    }

    int descriptors_before = 0;
};

// ---------------------------------------------------------------------------------
// Matches

struct SearchCase {
    const char* name;
    int category;
    int direction;
    const char* pattern;
    std::vector<std::pair<std::string, std::string>> rows;
};

TEST_F(SearchTest, FindsTheMatchingEntriesInFileOrder)
{
    const std::string dialling = "# UK dialling codes\r\n"
                                 "Abbey St.Bathans 01361 4\r\n"
                                 "Abbey St.Bathans 01361\r\n"
                                 "Abingdon (Oxon) 01235\r\n"
                                 "   \r\n"
                                 "  # indented comment 01361\r\n"
                                 "haywards heath 01444\r\n"
                                 "Haywards Heath 01444\r\n";
    const std::string zip = "# USA zip codes\r\n00401 Pleasantville, NY\r\n01238 Lee, MA\r\n02138 Cambridge, MA\r\n"
                            "10001 New York, NY\r\n";
    const SearchCase cases[] = {
        {"code prefix with and without local digits", 0, 0, "01361*",
         {{"01361 4", "Abbey St.Bathans"}, {"01361", "Abbey St.Bathans"}}},
        {"name in small letters", 0, 1, "haywards*", {{"01444", "haywards heath"}, {"01444", "Haywards Heath"}}},
        {"whole field only", 0, 1, "Abbey", {}},
        {"bracketed qualifier stays in the name", 0, 1, "*(OXON)", {{"01235", "Abingdon (Oxon)"}}},
        {"digits by #", 7, 0, "0####", {{"00401", "Pleasantville, NY"}, {"01238", "Lee, MA"}, {"02138", "Cambridge, MA"}}},
        {"list and range", 7, 1, "[L-N]*", {{"01238", "Lee, MA"}, {"10001", "New York, NY"}}},
        {"negated list", 7, 1, "[!LNP]*", {{"02138", "Cambridge, MA"}}},
        {"question marks", 7, 1, "Lee, ??", {{"01238", "Lee, MA"}}},
    };
    for (const SearchCase& each : cases) {
        SCOPED_TRACE(each.name);
        search(each.category, each.pattern, each.direction, each.category == 0 ? dialling : zip);
        if (each.rows.empty()) {
            EXPECT_EQ(rows(), 2);
            continue;
        }
        ASSERT_EQ(rows(), static_cast<int>(each.rows.size()) + 1);
        for (std::size_t i = 0; i < each.rows.size(); ++i) {
            expect_row(static_cast<int>(i) + 1, each.rows[i].first, each.rows[i].second);
        }
        EXPECT_EQ(form->search_state().Match_Count, static_cast<int>(each.rows.size()));
    }
}

TEST_F(SearchTest, TaggedEntriesTakeTheirColours)
{
    search(3, "*", 0, "1 Canada *\r\n1 USA\r\n7 Russia[*Red data]\r\n8 Blue[*Blue data]\r\n9 Grey[*Gray data]\r\n"
                      "1 Spaced * \r\n");
    ASSERT_EQ(rows(), 7);
    const struct {
        const char* name;
        platform::Colour fore;
        platform::Colour back;
    } expected[] = {
        {"Canada", platform::rgb(255, 255, 255), platform::rgb(128, 64, 0)},
        {"USA", platform::system_window_text, platform::system_window_background},
        {"Russia", platform::rgb(255, 0, 0), platform::system_window_background},
        {"Blue", platform::rgb(0, 0, 255), platform::system_window_background},
        {"Grey", platform::rgb(127, 127, 127), platform::system_window_background},
        {"Spaced *", platform::system_window_text, platform::system_window_background},
    };
    for (int row = 1; row < 7; ++row) {
        const auto& want = expected[row - 1];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(cell(row, 1), want.name);
        for (int col = 0; col < 2; ++col) {
            EXPECT_EQ(form->ui().flx_ResultsChart.cell(row, col).fore, want.fore);
            EXPECT_EQ(form->ui().flx_ResultsChart.cell(row, col).back, want.back);
            EXPECT_EQ(form->ui().flx_ResultsChart.cell(row, col).alignment, platform::cell_alignment::left_centre);
        }
    }
}

TEST_F(SearchTest, SummaryHintCountsTheMatches)
{
    search(7, "Lee, MA", 1, "01238 Lee, MA\r\n");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " Lee, MA was found 1 time. " + no_break_hint_tail);
    search(7, "*", 1, "01238 Lee, MA\r\n02138 Cambridge, MA\r\n");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " * was found 2 times. " + no_break_hint_tail);
    expect_idle("US ZIP Code Directory.");
}

TEST_F(SearchTest, NothingFoundRowNamesTheTrimmedPattern)
{
    search(7, "  Nowhere  ", 1, "01238 Lee, MA\r\n");
    ASSERT_EQ(rows(), 2);
    expect_row(1, "Nowhere", "Can't find any area code name matches with; Nowhere");
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(1, 0).fore, red);
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(1, 1).back, platform::system_window_background);
    EXPECT_EQ(form->search_state().Search_Text, "Nowhere");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " Nowhere was found 0 times. " + no_break_hint_tail);

    search(7, "9*", 0, "01238 Lee, MA\r\n");
    expect_row(1, "9*", "Can't find any dialing code number matches with; 9*");
}

TEST_F(SearchTest, PatternKeepsItsSpacesForTheMatch)
{
    search(7, "Lee, MA ", 1, "01238 Lee, MA\r\n");
    EXPECT_EQ(form->search_state().Search_Text, "Lee, MA");
    expect_row(1, "Lee, MA", "Can't find any area code name matches with; Lee, MA");
}

TEST_F(SearchTest, EmptyPatternMatchesOnlyEmptyFields)
{
    write_database(7, "01238 Lee, MA\r\n99999\r\n");
    choose(7, "", 1);
    int enter = platform::key_code::enter;
    form->txt_Inputbox_KeyPress(enter);
    ASSERT_EQ(rows(), 2);
    expect_row(1, "99999", "");

    choose(7, "   ", 1);
    form->txt_Inputbox_KeyPress(enter);
    expect_row(1, "", "Can't find any area code name matches with; ");
}

TEST_F(SearchTest, StopsAtFiftyThousandMatches)
{
    std::string bytes;
    for (int i = 0; i < 50001; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    search(7, "Place", 1, bytes);
    ASSERT_EQ(rows(), 50002);
    EXPECT_EQ(form->search_state().Match_Count, 50000);
    expect_row(50000, "59999", "Place");
    EXPECT_EQ(cell(50001, 0), "Can't load any more data.");
    // 50,000 lines of 11 characters read out of 50,001 lines of 13 bytes.
    EXPECT_EQ(cell(50001, 1), "50,000 matches displayed only. (85% of data read.)");
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(50001, 0).fore, red);
    EXPECT_EQ(event_loop.yields, 50000);
    expect_idle("US ZIP Code Directory.");
}

// ---------------------------------------------------------------------------------
// While it runs

TEST_F(SearchTest, BusyWindowShowsProgressAndRefusesInput)
{
    const std::string bytes = "# two entries\r\n01238 Lee, MA\r\n02138 Cambridge, MA\r\n";
    std::vector<std::string> captions;
    std::vector<std::string> frame_captions;
    event_loop.on_yield = [&](int) {
        captions.push_back(form->ui().frm.caption());
        frame_captions.push_back(form->ui().fra_Search.caption());
        EXPECT_TRUE(form->search_state().Search_Running);
        EXPECT_FALSE(form->ui().txt_Inputbox.enabled());
        EXPECT_FALSE(form->ui().com_SearchType.enabled());
        EXPECT_FALSE(form->ui().opt_DiallOption_0.enabled());
        EXPECT_FALSE(form->ui().lab_Direction.enabled());
        EXPECT_FALSE(form->ui().com_Search.enabled());
        EXPECT_EQ(form->ui().frm.back_colour(), platform::rgb(127, 255, 127));
        EXPECT_EQ(form->ui().txt_Inputbox.back_colour(), platform::rgb(127, 255, 127));
        EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::arrow_hourglass);
    };
    search(7, "*MA", 1, bytes);
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[0], "Zentrel is searching for; \"*MA\"    [ 0% ]");
    // 13 characters of the first line out of 51 bytes
    EXPECT_EQ(captions[1], "Zentrel is searching for; \"*MA\"    [ 25% ]");
    EXPECT_EQ(frame_captions[0], " 0% of data read.  (0 matches out of 0 records.) ");
    EXPECT_EQ(frame_captions[2], " 51% of data read.  (1 matches out of 1 records.) ");
    expect_idle("US ZIP Code Directory.");
    EXPECT_EQ(rows(), 3);
}

TEST_F(SearchTest, AbortEndsTheSearchAtTheNextLine)
{
    std::string bytes;
    for (int i = 0; i < 100; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    event_loop.on_yield = [&](int yield) {
        if (yield == 3) form->menu_AbortSearch_Click();
    };
    message_boxes.expect(box::answer_ok);
    search(7, "Place", 1, bytes);
    ASSERT_EQ(rows(), 5) << "the line of the aborting pass is still read and matched";
    // Two lines of 11 characters read out of 1,300 bytes when the abort came.
    const std::string progress = " 2% of data read.  (2 matches out of 2 records.) ";
    expect_row(4, "This search was aborted.", "Aborted after " + progress);
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(4, 0).fore, platform::rgb(255, 255, 255));
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(4, 1).back, 1u);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text, "This search was aborted.\r\n\r\nAborted after " + progress);
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel - Search aborted.");
    EXPECT_EQ(message_boxes.shown[0].style, box::exclamation);
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " Place was found 3 times. " + no_break_hint_tail);
    expect_idle("US ZIP Code Directory.");
}

TEST_F(SearchTest, AbortBeforeAnyMatchAddsBothReportRows)
{
    event_loop.on_yield = [&](int) { form->menu_AbortSearch_Click(); };
    message_boxes.expect(box::answer_ok);
    search(7, "Nowhere", 1, "01238 Lee, MA\r\n02138 Cambridge, MA\r\n");
    ASSERT_EQ(rows(), 3);
    expect_row(1, "Nowhere", "Can't find any area code name matches with; Nowhere");
    EXPECT_EQ(cell(2, 0), "This search was aborted.");
    EXPECT_EQ(cell(2, 1).rfind("Aborted after  ", 0), 0u);
}

TEST_F(SearchTest, GridClickDuringTheSearchSeesTheRowsSoFar)
{
    std::string bytes;
    for (int i = 0; i < 10; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    int rows_seen = 0;
    event_loop.on_yield = [&](int yield) {
        if (yield == 5) rows_seen = rows();
    };
    search(7, "Place", 1, bytes);
    EXPECT_EQ(rows_seen, 5);
}

TEST_F(SearchTest, ClosingTheWindowDuringASearchEndsTheProgramAtOnce)
{
    std::string bytes;
    for (int i = 0; i < 100; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    write_database(7, bytes);
    choose(7, "Place", 1);
    event_loop.on_yield = [&](int yield) {
        if (yield == 4) form->ui().frm.close();
    };
    platform::dispatch_event([&] { form->com_Search_Click(); });
    EXPECT_TRUE(platform::program_ending());
    EXPECT_EQ(event_loop.yields, 4);
    EXPECT_EQ(rows(), 4) << "nothing is added after the close";
    EXPECT_EQ(open_descriptors(), descriptors_before);
    EXPECT_FALSE(form->ui().frm.is_shown());
}

// ---------------------------------------------------------------------------------
// Failure roads and awkward files

TEST_F(SearchTest, MissingFileTellsHowToRestoreIt)
{
    message_boxes.expect(box::answer_ok);
    choose(5, "A*", 0);
    form->com_Search_Click();
    const std::string path = folder.file("VehiclePlates.dat");
    ASSERT_EQ(rows(), 2);
    expect_row(1, "Can't find file;", path);
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(1, 1).fore, red);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel search error.");
    EXPECT_EQ(message_boxes.shown[0].text,
              "Zentrel search error.\r\n\r\nCan't find file; " + path +
                  "\r\n\r\n\tTo create this file;\r\n\t1; Click on OK to close this window.\r\n"
                  "\t2; Hold down the SHIFT key and click menu over the Zentrel window.\r\n"
                  "\t3; Click on ''Options, Restore/fix the VehiclePlates.dat file.''");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), "");
    expect_idle("UK Vehicle Number Plate Directory.");
}

TEST_F(SearchTest, UnclosedBracketIsAnInvalidPattern)
{
    message_boxes.expect(box::answer_ok);
    search(7, "[", 1, "# comment first\r\n01238 Lee, MA\r\n02138 Cambridge, MA\r\n");
    ASSERT_EQ(rows(), 2);
    expect_row(1, "Error 93.", "Invalid pattern string.");
    EXPECT_EQ(message_boxes.shown.at(0).text, "Zentrel search error.\r\n\r\nError 93.\r\nInvalid pattern string.");
    EXPECT_EQ(message_boxes.shown.at(0).title, "Zentrel search error.");
    EXPECT_EQ(event_loop.yields, 2) << "the pattern fails at the first entry line";
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), "");
    expect_idle("US ZIP Code Directory.");
}

TEST_F(SearchTest, OddListsNeverCrash)
{
    for (const char* pattern : {"[]", "[!]", "[a-]", "[-a]", "[z-a]", "[]]", "[!]]", "]", "[[]"}) {
        SCOPED_TRACE(pattern);
        message_boxes.shown.clear();
        if (std::string(pattern) == "[z-a]") message_boxes.expect(box::answer_ok);
        search(2, pattern, 0, "A Alpha\r\n- Dash\r\n] Bracket\r\n[ Open\r\n\r\n");
        expect_idle("Radio Call Sign Directory.");
        EXPECT_GE(rows(), 2);
    }
}

TEST_F(SearchTest, ThousandsOfStarsMatchWithoutBacktrackingForever)
{
    const std::string stars(5000, '*');
    search(7, stars + "b", 1, "00001 " + std::string(20000, 'a') + "\r\n00002 ab\r\n");
    ASSERT_EQ(rows(), 2);
    expect_row(1, "00002", "ab");
}

TEST_F(SearchTest, AwkwardFilesEndIdle)
{
    const std::string binary = std::string("00001 Nul\0here\r\n", 16) +
                               std::string("\x80\x81\xFF\xE9 caf\xE9\r\n", 11) + std::string(1, '\0');
    const struct {
        const char* name;
        std::string bytes;
        int expected_rows;
        int expected_yields;
    } cases[] = {
        {"empty file", "", 2, 0},
        {"comments and blanks only", "# one\r\n   \r\n\r\n  # two", 2, 4},
        {"binary bytes", binary, 4, 3},
        // One yield before the line and one for each further block the line goes on through.
        {"one line of 10 MB", "00001 " + std::string(10 * 1024 * 1024, 'x') + "\r\n", 2,
         static_cast<int>(10 * 1024 * 1024 / platform::InputFile::block_size)},
        {"lone CR ends a line", "00001 One\r00002 Two\r", 3, 2},
        {"lone LF stays inside the line", "00001 One\n00002 Two\r\n", 2, 1},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        event_loop.yields = 0;
        search(7, "*", 1, each.bytes);
        EXPECT_EQ(rows(), each.expected_rows);
        EXPECT_EQ(event_loop.yields, each.expected_yields);
        expect_idle("US ZIP Code Directory.");
    }
}

TEST_F(SearchTest, CommentsOnlyFileCountsNoRecords)
{
    std::string last_frame_caption;
    event_loop.on_yield = [&](int) { last_frame_caption = form->ui().fra_Search.caption(); };
    search(7, "*", 1, "# one\r\n\r\n# two\r\n");
    EXPECT_EQ(last_frame_caption.substr(last_frame_caption.find('(')), "(0 matches out of 0 records.) ");
    expect_row(1, "*", "Can't find any area code name matches with; *");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " * was found 0 times. " + no_break_hint_tail);
}

TEST_F(SearchTest, FolderInPlaceOfTheFileIsAnAccessError)
{
    std::filesystem::create_directory(database_path(7));
    message_boxes.expect(box::answer_ok);
    choose(7, "*", 1);
    form->com_Search_Click();
    ASSERT_EQ(rows(), 2);
    expect_row(1, "Error 75.", "Path/File access error.");
    expect_idle("US ZIP Code Directory.");
}

TEST_F(SearchTest, FileRemovedOrCutShortWhileReading)
{
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    const std::string path = database_path(7);
    event_loop.on_yield = [&](int yield) {
        if (yield == 3) std::filesystem::remove(path);
    };
    search(7, "Place", 1, bytes);
    EXPECT_EQ(rows(), 20001) << "an open file reads to its end after it was removed";
    expect_idle("US ZIP Code Directory.");

    const off_t cuts[] = {0, static_cast<off_t>(bytes.size() / 2), static_cast<off_t>(bytes.size() - 1)};
    for (const off_t cut : cuts) {
        SCOPED_TRACE(cut);
        event_loop.on_yield = [&](int yield) {
            if (yield == 3) {
                ASSERT_EQ(::truncate(path.c_str(), cut), 0);
            }
        };
        event_loop.yields = 0;
        message_boxes.shown.clear();
        message_boxes.expect(box::answer_ok);
        search(7, "Place", 1, bytes);
        ASSERT_GE(rows(), 4);
        EXPECT_LE(rows(), 20002) << "the rows found before the cut stay, the error row after them";
        expect_row(rows() - 1, "Error 65.", "File changed while it was read.");
        EXPECT_EQ(form->ui().flx_ResultsChart.cell(rows() - 1, 0).fore, red);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        EXPECT_EQ(message_boxes.shown[0].text,
                  "Zentrel search error.\r\n\r\nError 65.\r\nFile changed while it was read.");
        EXPECT_EQ(message_boxes.shown[0].title, "Zentrel search error.");
        EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), "");
        expect_idle("US ZIP Code Directory.");
    }
}

// ---------------------------------------------------------------------------------
// Commands and keys

TEST_F(SearchTest, ClearEmptiesTheGridAndThePattern)
{
    search(7, "*", 0, "01238 Lee, MA\r\n");
    ASSERT_EQ(rows(), 2);
    form->menu_ClearSearchResults_Click();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
    EXPECT_EQ(form->search_state().Search_Text, "");
    EXPECT_EQ(form->search_state().Match_Count, 0);
    EXPECT_TRUE(form->ui().opt_DiallOption_1.value());
    EXPECT_EQ(form->search_state().DataFile_Path, database_path(7));
}

TEST_F(SearchTest, ShiftFunctionKeysSearchForSamples)
{
    write_database(0, "Haywards Heath 01444\r\nLondon 020\r\n");
    const struct {
        int key;
        int shift;
        const char* pattern;
        bool by_code;
        int rows;
    } cases[] = {
        {platform::key_code::f1, platform::shift_key::shift, "Haywards Heath", false, 2},
        {platform::key_code::f2, platform::shift_key::shift, "01444", true, 2},
        {platform::key_code::f3, platform::shift_key::shift, "London", false, 2},
        {platform::key_code::f2, platform::shift_key::shift | platform::shift_key::ctrl, "", false, 1},
        {platform::key_code::f2, 0, "", false, 1},
        {platform::key_code::f4, platform::shift_key::shift, "", false, 1},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.pattern);
        form->menu_ClearSearchResults_Click();
        form->txt_Inputbox_KeyDown(each.key, each.shift);
        EXPECT_EQ(form->ui().txt_Inputbox.text(), each.pattern);
        EXPECT_EQ(form->ui().opt_DiallOption_0.value(), each.by_code);
        EXPECT_EQ(rows(), each.rows);
    }
}

TEST_F(SearchTest, ShiftPauseOrEscapeEmptiesThePatternBox)
{
    for (int key : {platform::key_code::pause, platform::key_code::escape}) {
        form->ui().txt_Inputbox.set_text("London");
        form->txt_Inputbox_KeyDown(key, platform::shift_key::shift);
        EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
        EXPECT_FALSE(form->ui().com_Search.enabled());
    }
}

TEST_F(SearchTest, EnterTypedIntoThePatternBoxSearches)
{
    write_database(7, "01238 Lee, MA\r\n");
    form->ui().com_SearchType.set_list_index(7);
    QWidget* box_widget = form->ui().txt_Inputbox.widget();
    for (const char* key : {"L", "e", "e", "*"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
        QCoreApplication::sendEvent(box_widget, &press);
    }
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "Lee*");
    EXPECT_TRUE(form->ui().com_Search.enabled());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(box_widget, &enter);
    ASSERT_EQ(rows(), 2);
    expect_row(1, "01238", "Lee, MA");
}

TEST_F(SearchTest, TypedLetterTheCodePageLacksIsNoWildcard)
{
    write_database(7, "10000 Lodz\r\n10001 ?uery\r\n10002 Zgierz\r\n");
    form->ui().com_SearchType.set_list_index(7);
    auto* box_widget = static_cast<QLineEdit*>(form->ui().txt_Inputbox.widget());
    const QString typed = QStringLiteral(u"\u0142*"); // a small l with stroke, then a star
    for (QChar key : typed) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
        QCoreApplication::sendEvent(box_widget, &press);
    }
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "?*") << "the program's text shows the code page's stand-in";
    for (int search = 1; search <= 2; ++search) {
        SCOPED_TRACE(search);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(box_widget, &enter);
        ASSERT_EQ(rows(), 2) << "no entry holds the letter";
        expect_row(1, "?*", "Can't find any area code name matches with; ?*");
        platform::Control::flush_all();
        EXPECT_EQ(box_widget->text(), typed) << "the box keeps what was typed";
    }
}
