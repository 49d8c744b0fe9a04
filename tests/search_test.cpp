// The search through the real main window: its rows, colours, captions, report rows,
// messages and the way every road ends with the window idle and the file closed.
#include "tests/support/main_window_fixture.h"

#include "platform/runtime_error.h"
#include "platform/text_file_reader.h"
#include "platform/widgets/app_state.h"

#include <QLineEdit>
#include <QTest>

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

using testing_support::MainWindowTest;
using testing_support::click;
using testing_support::press_key;
using namespace zentrel;
namespace box = platform::message_box;

namespace {

constexpr platform::Colour red = platform::rgb(255, 0, 0);
constexpr Category dialling_codes = Category::UKDiallingCodes;
constexpr Category zip_codes = Category::USZipCodes;
constexpr SearchField by_code = SearchField::Code;
constexpr SearchField by_name = SearchField::Name;
const std::string no_break_hint_tail = [] {
    std::string tail = " Click select here for more information. ";
    for (char& c : tail) {
        if (c == ' ') c = static_cast<char>(0xA0);
    }
    return tail;
}();

// The descriptors this process holds open on files in the folder, read from what each
// open descriptor names (a removed file keeps its path, marked deleted). The toolkit's
// own descriptors, which its thread pool opens and closes as it likes, are not counted.
int descriptors_open_in(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code unreadable; // the descriptor of the listing itself is closed by now
        const std::string target = std::filesystem::read_symlink(entry.path(), unreadable).string();
        if (target.starts_with(folder + "/")) ++count;
    }
    return count;
}

} // namespace

class SearchTest : public MainWindowTest {
protected:
    // What every road out of a search leaves behind: the window idle under the caption of
    // its category, and the database file closed again.
    void expect_idle_and_closed(const std::string& caption)
    {
        expect_idle();
        EXPECT_EQ(form->ui().frm.caption(), caption);
        EXPECT_EQ(descriptors_open_in(folder.path()), 0) << "the database file was left open";
    }

    void expect_row(int row, const std::string& code, const std::string& name)
    {
        ASSERT_LT(row, rows());
        EXPECT_EQ(cell(row, 0), code);
        EXPECT_EQ(cell(row, 1), name);
    }
};

// ---------------------------------------------------------------------------------
// Matches

struct SearchCase {
    const char* name;
    Category category;
    SearchField field;
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
        {"code prefix with and without local digits", dialling_codes, by_code, "01361*",
         {{"01361 4", "Abbey St.Bathans"}, {"01361", "Abbey St.Bathans"}}},
        {"name in small letters", dialling_codes, by_name, "haywards*",
         {{"01444", "haywards heath"}, {"01444", "Haywards Heath"}}},
        {"whole field only", dialling_codes, by_name, "Abbey", {}},
        {"bracketed qualifier stays in the name", dialling_codes, by_name, "*(OXON)", {{"01235", "Abingdon (Oxon)"}}},
        {"digits by #", zip_codes, by_code, "0####",
         {{"00401", "Pleasantville, NY"}, {"01238", "Lee, MA"}, {"02138", "Cambridge, MA"}}},
        {"list and range", zip_codes, by_name, "[L-N]*", {{"01238", "Lee, MA"}, {"10001", "New York, NY"}}},
        {"negated list", zip_codes, by_name, "[!LNP]*", {{"02138", "Cambridge, MA"}}},
        {"question marks", zip_codes, by_name, "Lee, ??", {{"01238", "Lee, MA"}}},
    };
    for (const SearchCase& each : cases) {
        SCOPED_TRACE(each.name);
        search(each.category, each.pattern, each.field, each.category == dialling_codes ? dialling : zip);
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
    search(Category::InternationalDiallingCodes, "*", by_code,
           "1 Canada *\r\n1 USA\r\n7 Russia[*Red data]\r\n8 Blue[*Blue data]\r\n9 Grey[*Gray data]\r\n"
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
    search(zip_codes, "Lee, MA", by_name, "01238 Lee, MA\r\n");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " Lee, MA was found 1 time. " + no_break_hint_tail);
    search(zip_codes, "*", by_name, "01238 Lee, MA\r\n02138 Cambridge, MA\r\n");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " * was found 2 times. " + no_break_hint_tail);
    expect_idle_and_closed("US ZIP Code Directory.");
}

TEST_F(SearchTest, NothingFoundRowNamesTheTrimmedPattern)
{
    search(zip_codes, "  Nowhere  ", by_name, "01238 Lee, MA\r\n");
    ASSERT_EQ(rows(), 2);
    expect_row(1, "Nowhere", "Can't find any area code name matches with; Nowhere");
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(1, 0).fore, red);
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(1, 1).back, platform::system_window_background);
    EXPECT_EQ(form->search_state().Search_Text, "Nowhere");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " Nowhere was found 0 times. " + no_break_hint_tail);

    search(zip_codes, "9*", by_code, "01238 Lee, MA\r\n");
    expect_row(1, "9*", "Can't find any dialing code number matches with; 9*");
}

TEST_F(SearchTest, PatternKeepsItsSpacesForTheMatch)
{
    search(zip_codes, "Lee, MA ", by_name, "01238 Lee, MA\r\n");
    EXPECT_EQ(form->search_state().Search_Text, "Lee, MA");
    expect_row(1, "Lee, MA", "Can't find any area code name matches with; Lee, MA");
}

TEST_F(SearchTest, EmptyPatternMatchesOnlyEmptyFields)
{
    // The Search button stays disabled for them; Enter in the pattern box searches all the same.
    write_database(zip_codes, "01238 Lee, MA\r\n99999\r\n");
    search_with_enter(zip_codes, "", by_name);
    ASSERT_EQ(rows(), 2);
    expect_row(1, "99999", "");

    search_with_enter(zip_codes, "   ", by_name);
    expect_row(1, "", "Can't find any area code name matches with; ");
}

TEST_F(SearchTest, StopsAtFiftyThousandMatches)
{
    std::string bytes;
    for (int i = 0; i < 50001; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    search(zip_codes, "Place", by_name, bytes);
    ASSERT_EQ(rows(), 50002);
    EXPECT_EQ(form->search_state().Match_Count, 50000);
    expect_row(50000, "59999", "Place");
    EXPECT_EQ(cell(50001, 0), "Can't load any more data.");
    // 50,000 lines of 11 characters read out of 50,001 lines of 13 bytes.
    EXPECT_EQ(cell(50001, 1), "50,000 matches displayed only. (85% of data read.)");
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(50001, 0).fore, red);
    EXPECT_EQ(event_loop.yields, 50000);
    expect_idle_and_closed("US ZIP Code Directory.");
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
    search(zip_codes, "*MA", by_name, bytes);
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[0], "Zentrel is searching for; \"*MA\"    [ 0% ]");
    // 13 characters of the first line out of 51 bytes
    EXPECT_EQ(captions[1], "Zentrel is searching for; \"*MA\"    [ 25% ]");
    EXPECT_EQ(frame_captions[0], " 0% of data read.  (0 matches out of 0 records.) ");
    EXPECT_EQ(frame_captions[2], " 51% of data read.  (1 matches out of 1 records.) ");
    expect_idle_and_closed("US ZIP Code Directory.");
    EXPECT_EQ(rows(), 3);
}

TEST_F(SearchTest, AbortEndsTheSearchAtTheNextLine)
{
    std::string bytes;
    for (int i = 0; i < 100; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    event_loop.on_yield = [&](int yield) {
        if (yield == 3) choose_from_menu("Abort &this search");
    };
    answer_message(box::answer_ok);
    search(zip_codes, "Place", by_name, bytes);
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
    expect_idle_and_closed("US ZIP Code Directory.");
}

TEST_F(SearchTest, AbortBeforeAnyMatchAddsBothReportRows)
{
    // Ctrl+X, the abort's shortcut, at the first chance.
    event_loop.on_yield = [&](int) { press_key(form->ui().frm, Qt::Key_X, Qt::ControlModifier); };
    answer_message(box::answer_ok);
    search(zip_codes, "Nowhere", by_name, "01238 Lee, MA\r\n02138 Cambridge, MA\r\n");
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
        if (yield != 5) return;
        rows_seen = rows();
        click_row(4);
    };
    search(zip_codes, "Place", by_name, bytes);
    EXPECT_EQ(rows_seen, 5);
    ASSERT_NE(info_window(), nullptr) << "the click opened the information window on its row";
    const auto& printed = info_window()->ui().frm.printed();
    EXPECT_TRUE(std::any_of(printed.begin(), printed.end(),
                            [](const platform::PrintedText& each) { return each.text == "10003"; }))
        << "the fourth row, the last one listed at the click";
}

TEST_F(SearchTest, ClosingTheWindowDuringASearchEndsTheProgramAtOnce)
{
    std::string bytes;
    for (int i = 0; i < 100; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    event_loop.on_yield = [&](int yield) {
        if (yield == 4) form->ui().frm.close();
    };
    search(zip_codes, "Place", by_name, bytes);
    EXPECT_TRUE(platform::program_ending());
    EXPECT_EQ(event_loop.yields, 4);
    EXPECT_EQ(rows(), 4) << "nothing is added after the close";
    EXPECT_EQ(descriptors_open_in(folder.path()), 0) << "the database file was left open";
    EXPECT_FALSE(form->ui().frm.is_shown());
}

// ---------------------------------------------------------------------------------
// Failure roads and awkward files

TEST_F(SearchTest, MissingFileTellsHowToRestoreIt)
{
    answer_message(box::answer_ok);
    search(Category::UKVehicleNumberPlates, "A*", by_code);
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
    expect_idle_and_closed("UK Vehicle Number Plate Directory.");
}

TEST_F(SearchTest, UnclosedBracketIsAnInvalidPattern)
{
    answer_message(box::answer_ok);
    search(zip_codes, "[", by_name, "# comment first\r\n01238 Lee, MA\r\n02138 Cambridge, MA\r\n");
    ASSERT_EQ(rows(), 2);
    expect_row(1, "Error 93.", "Invalid pattern string.");
    EXPECT_EQ(message_boxes.shown.at(0).text, "Zentrel search error.\r\n\r\nError 93.\r\nInvalid pattern string.");
    EXPECT_EQ(message_boxes.shown.at(0).title, "Zentrel search error.");
    EXPECT_EQ(event_loop.yields, 2) << "the pattern fails at the first entry line";
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), "");
    expect_idle_and_closed("US ZIP Code Directory.");
}

TEST_F(SearchTest, OddListsNeverCrash)
{
    for (const char* pattern : {"[]", "[!]", "[a-]", "[-a]", "[z-a]", "[]]", "[!]]", "]", "[[]"}) {
        SCOPED_TRACE(pattern);
        message_boxes.shown.clear();
        if (std::string(pattern) == "[z-a]") answer_message(box::answer_ok);
        search(Category::RadioCallSigns, pattern, by_code, "A Alpha\r\n- Dash\r\n] Bracket\r\n[ Open\r\n\r\n");
        expect_idle_and_closed("Radio Call Sign Directory.");
        EXPECT_GE(rows(), 2);
    }
}

TEST_F(SearchTest, ThousandsOfStarsMatchWithoutBacktrackingForever)
{
    const std::string stars(5000, '*');
    write_database(zip_codes, "00001 " + std::string(20000, 'a') + "\r\n00002 ab\r\n");
    pick_category(zip_codes);
    paste_pattern(stars + "b");
    click_search();
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
        search(zip_codes, "*", by_name, each.bytes);
        EXPECT_EQ(rows(), each.expected_rows);
        EXPECT_EQ(event_loop.yields, each.expected_yields);
        expect_idle_and_closed("US ZIP Code Directory.");
    }
}

TEST_F(SearchTest, CommentsOnlyFileCountsNoRecords)
{
    std::string last_frame_caption;
    event_loop.on_yield = [&](int) { last_frame_caption = form->ui().fra_Search.caption(); };
    search(zip_codes, "*", by_name, "# one\r\n\r\n# two\r\n");
    EXPECT_EQ(last_frame_caption.substr(last_frame_caption.find('(')), "(0 matches out of 0 records.) ");
    expect_row(1, "*", "Can't find any area code name matches with; *");
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), " * was found 0 times. " + no_break_hint_tail);
}

TEST_F(SearchTest, FolderInPlaceOfTheFileIsAnAccessError)
{
    std::filesystem::create_directory(database_path(zip_codes));
    answer_message(box::answer_ok);
    search(zip_codes, "*", by_name);
    ASSERT_EQ(rows(), 2);
    expect_row(1, "Error 75.", "Path/File access error.");
    expect_idle_and_closed("US ZIP Code Directory.");
}

TEST_F(SearchTest, FileRemovedOrCutShortWhileReading)
{
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    const std::string path = database_path(zip_codes);
    event_loop.on_yield = [&](int yield) {
        if (yield == 3) std::filesystem::remove(path);
    };
    search(zip_codes, "Place", by_name, bytes);
    EXPECT_EQ(rows(), 20001) << "an open file reads to its end after it was removed";
    expect_idle_and_closed("US ZIP Code Directory.");

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
        answer_message(box::answer_ok);
        search(zip_codes, "Place", by_name, bytes);
        ASSERT_GE(rows(), 4);
        EXPECT_LE(rows(), 20002) << "the rows found before the cut stay, the error row after them";
        expect_row(rows() - 1, "Error 65.", "File changed while it was read.");
        EXPECT_EQ(form->ui().flx_ResultsChart.cell(rows() - 1, 0).fore, red);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        EXPECT_EQ(message_boxes.shown[0].text,
                  "Zentrel search error.\r\n\r\nError 65.\r\nFile changed while it was read.");
        EXPECT_EQ(message_boxes.shown[0].title, "Zentrel search error.");
        EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), "");
        expect_idle_and_closed("US ZIP Code Directory.");
    }
}

// ---------------------------------------------------------------------------------
// Commands and keys

TEST_F(SearchTest, ClearEmptiesTheGridAndThePattern)
{
    search(zip_codes, "*", by_code, "01238 Lee, MA\r\n");
    ASSERT_EQ(rows(), 2);
    choose_from_menu("Clear the search &results");
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
    EXPECT_EQ(form->search_state().Search_Text, "");
    EXPECT_EQ(form->search_state().Match_Count, 0);
    EXPECT_TRUE(form->ui().opt_DiallOption_1.value());
    EXPECT_EQ(form->search_state().DataFile_Path, database_path(zip_codes));
}

TEST_F(SearchTest, ShiftFunctionKeysSearchForSamples)
{
    write_database(dialling_codes, "Haywards Heath 01444\r\nLondon 020\r\n");
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* pattern;
        bool by_code;
        int rows;
    } cases[] = {
        {Qt::Key_F1, Qt::ShiftModifier, "Haywards Heath", false, 2},
        {Qt::Key_F2, Qt::ShiftModifier, "01444", true, 2},
        {Qt::Key_F3, Qt::ShiftModifier, "London", false, 2},
        {Qt::Key_F2, Qt::ShiftModifier | Qt::ControlModifier, "", false, 1},
        {Qt::Key_F2, Qt::NoModifier, "", false, 1},
        {Qt::Key_F4, Qt::ShiftModifier, "", false, 1},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.pattern);
        // The menu offers the clear while there are rows; without them the box and the
        // options are as the clear leaves them.
        if (rows() > 1) choose_from_menu("Clear the search &results");
        click(form->ui().txt_Inputbox);
        press_key(form->ui().frm, each.key, each.modifiers);
        EXPECT_EQ(form->ui().txt_Inputbox.text(), each.pattern);
        EXPECT_EQ(form->ui().opt_DiallOption_0.value(), each.by_code);
        EXPECT_EQ(rows(), each.rows);
    }
}

TEST_F(SearchTest, ShiftPauseOrEscapeEmptiesThePatternBox)
{
    for (Qt::Key key : {Qt::Key_Pause, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        type_pattern("London");
        ASSERT_TRUE(form->ui().com_Search.enabled());
        press_key(form->ui().frm, key, Qt::ShiftModifier);
        EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
        EXPECT_FALSE(form->ui().com_Search.enabled());
    }
}

TEST_F(SearchTest, EnterTypedIntoThePatternBoxSearches)
{
    write_database(zip_codes, "01238 Lee, MA\r\n");
    pick_category(zip_codes);
    type_pattern("Lee*");
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "Lee*");
    EXPECT_TRUE(form->ui().com_Search.enabled());
    press_enter();
    ASSERT_EQ(rows(), 2);
    expect_row(1, "01238", "Lee, MA");
}

TEST_F(SearchTest, TypedLetterTheCodePageLacksIsNoWildcard)
{
    write_database(zip_codes, "10000 Lodz\r\n10001 ?uery\r\n10002 Zgierz\r\n");
    pick_category(zip_codes);
    auto* box_widget = static_cast<QLineEdit*>(form->ui().txt_Inputbox.widget());
    const QString typed = QStringLiteral(u"\u0142*"); // a small l with stroke, then a star
    click(form->ui().txt_Inputbox);
    // The letter comes as the keyboard layout gives it: its text, with no key code of its own.
    QTest::sendKeyEvent(QTest::Click, box_widget, Qt::Key_unknown, typed.left(1), Qt::NoModifier);
    QTest::keyClick(box_widget, '*');
    platform::Control::flush_all();
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "?*") << "the program's text shows the code page's stand-in";
    for (int search = 1; search <= 2; ++search) {
        SCOPED_TRACE(search);
        press_enter();
        ASSERT_EQ(rows(), 2) << "no entry holds the letter";
        expect_row(1, "?*", "Can't find any area code name matches with; ?*");
        platform::Control::flush_all();
        EXPECT_EQ(box_widget->text(), typed) << "the box keeps what was typed";
    }
}
