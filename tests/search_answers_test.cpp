// The search's answers against the reference scan (tests/support/reference_search.h): in
// every category's file restored from the built-in data, and in a made-up file of the lines
// a fast scan could get wrong, the same rows in the same colours, the same summary, and
// the same progress before every line, so that every yield shows the same captions.
#include "tests/support/main_window_fixture.h"
#include "tests/support/reference_search.h"

#include "platform/file_attributes.h"
#include "platform/formats.h"
#include "platform/text_file_reader.h"

#include <algorithm>
#include <string>
#include <vector>

using testing_support::MainWindowTest;
using testing_support::ReferenceScan;
using namespace zentrel;

namespace {

struct Search {
    Category category;
    SearchField field;
    std::string pattern;
};

constexpr Category dialling_codes = Category::UKDiallingCodes;
constexpr Category post_codes = Category::UKPostCodes;
constexpr Category call_signs = Category::RadioCallSigns;
constexpr Category international_codes = Category::InternationalDiallingCodes;
constexpr Category domain_names = Category::WebDomainNames;
constexpr Category number_plates = Category::UKVehicleNumberPlates;
constexpr Category car_symbols = Category::InternationalCarSymbols;
constexpr Category zip_codes = Category::USZipCodes;
constexpr SearchField by_code = SearchField::Code;
constexpr SearchField by_name = SearchField::Name;

bool same_progress(const SearchProgress& a, const SearchProgress& b)
{
    return a.file_size == b.file_size && a.lines_read == b.lines_read && a.characters_read == b.characters_read &&
           a.entries_read == b.entries_read && a.matches == b.matches;
}

// Takes its turn before every line and keeps the progress of each turn and the rows.
class EveryLineListener final : public SearchListener {
public:
    bool turn_due() override { return true; }
    void turn(const SearchProgress& progress) override { before_each_line.push_back(progress); }
    void matched(const EntryFields& entry, const SearchProgress&) override
    {
        rows.push_back({std::string(entry.code), std::string(entry.name), std::string(entry.tag)});
    }
    bool going_on() override { return true; }

    std::vector<SearchProgress> before_each_line;
    std::vector<testing_support::ReferenceRow> rows;
};

} // namespace

class SearchAnswersTest : public MainWindowTest {
protected:
    // The scan's rows and the progress before every line are the reference's.
    void expect_scan_as_reference(const Search& search, const ReferenceScan& reference)
    {
        EveryLineListener listener;
        const SearchProgress end =
            SearchLoop(search.category, search.field, search.pattern).run(database_path(search.category), listener);
        EXPECT_EQ(listener.rows, reference.rows);
        EXPECT_TRUE(same_progress(end, reference.end));
        ASSERT_EQ(listener.before_each_line.size(), reference.before_each_line.size());
        const auto differs = std::mismatch(listener.before_each_line.begin(), listener.before_each_line.end(),
                                           reference.before_each_line.begin(), same_progress);
        EXPECT_EQ(differs.first, listener.before_each_line.end())
            << "the progress before line " << (differs.first - listener.before_each_line.begin()) + 1 << " differs";
    }

    // The window, searched with the Enter key, lists the reference's rows in their tags'
    // colours and sums them up in its hint.
    void expect_window_as_reference(const Search& search, const ReferenceScan& reference)
    {
        search_with_enter(search.category, search.pattern, search.field);
        const auto& grid = form->ui().flx_ResultsChart;
        const int matches = static_cast<int>(reference.rows.size());
        ASSERT_EQ(rows(), 1 + matches + (matches == 0 ? 1 : 0));
        for (int index = 0; index < matches; ++index) {
            const auto& expected = reference.rows[static_cast<std::size_t>(index)];
            const RowColours colours = tag_colours(expected.tag);
            SCOPED_TRACE(expected.code + " " + expected.name);
            for (int col = 0; col < 2; ++col) {
                const auto& shown = grid.cell(index + 1, col);
                EXPECT_EQ(shown.text, col == 0 ? expected.code : expected.name);
                EXPECT_EQ(shown.fore, colours.text);
                EXPECT_EQ(shown.back, colours.background);
            }
        }
        const std::string summary = " " + search.pattern + " was found " + platform::format_grouped(matches) +
                                    " time" + (matches == 1 ? "" : "s") + ". ";
        EXPECT_EQ(grid.tooltip().substr(0, summary.size()), summary);
    }

    void expect_as_reference(const std::vector<Search>& searches)
    {
        for (const Search& search : searches) {
            SCOPED_TRACE("\"" + search.pattern + "\" in category " + decimal_text(search.category) +
                         (search.field == by_code ? " by code" : " by name"));
            const ReferenceScan reference = testing_support::reference_scan(
                database_path(search.category), search.category, search.field, search.pattern);
            expect_scan_as_reference(search, reference);
            expect_window_as_reference(search, reference);
        }
    }
};

TEST_F(SearchAnswersTest, EveryCategorysBuiltInFileGivesTheReferencesRowsColoursAndProgress)
{
    for (int index = 0; index < category_count; ++index) restore_built_in_file(static_cast<Category>(index));
    expect_as_reference({
        {dialling_codes, by_name, "haywards*"}, {dialling_codes, by_code, "01444*"},
        {dialling_codes, by_name, "*(*)"}, {dialling_codes, by_code, "0#####"},
        {dialling_codes, by_name, "*heath*"}, {dialling_codes, by_code, "01361 4"},
        {dialling_codes, by_name, "Abingdon (Oxon)"}, {dialling_codes, by_name, "*[[]*"},
        {dialling_codes, by_name, "rhos*"}, {dialling_codes, by_code, "*78"},
        {dialling_codes, by_name, "*restored*"}, {dialling_codes, by_name, "*GeoNames*"},
        {post_codes, by_name, "aberdeen*"}, {post_codes, by_code, "AB#"}, {post_codes, by_name, "*(Aberdeenshire)"},
        {post_codes, by_code, "ab1*"}, {post_codes, by_name, "*file*"}, {call_signs, by_name, "great britain*"},
        {call_signs, by_code, "2?"}, {call_signs, by_name, "*island*"}, {international_codes, by_name, "canada"},
        {international_codes, by_name, "*ica"}, {international_codes, by_code, "2#"},
        {international_codes, by_name, "*[*]*"}, {international_codes, by_name, "*older data*"},
        {domain_names, by_code, "A?"}, {domain_names, by_name, "*united*"}, {number_plates, by_name, "worcester"},
        {number_plates, by_code, "A[A-C]"}, {car_symbols, by_name, "*(was *"}, {car_symbols, by_code, "a*"},
        {zip_codes, by_name, "holtsville*"}, {zip_codes, by_name, "*, MA"}, {zip_codes, by_code, "0060#"},
        {zip_codes, by_name, "[A-C]*, NY"}, {zip_codes, by_name, "*ville, ??"}, {zip_codes, by_name, "inver*"},
        {zip_codes, by_name, "*usa*"}, {zip_codes, by_code, "*99"}, {zip_codes, by_name, ""},
    });
}

// Lines made to catch a scan that passes over lines by the run it looks for: tags of every
// kind, comments and indented lines that hold the run, lone CRs and LFs, a line that
// crosses the end of the reader's block and one longer than a block, and a last line
// without a line end.
TEST_F(SearchAnswersTest, LinesAroundTheRunGiveTheReferencesRowsInEitherSplit)
{
    std::string bytes = "# Lee, MA in a comment\r\n   # Lee, MA indented comment\r\n  \r\n"
                        "01238 Lee, MA\r\n01239 Lee, MA *\r\n01240 Lee, MA [*Red data]\r\n"
                        "01241 Lee, MA [*Blue data]\r\n01242 Lee, MA [*Gray data]\r\n01243 Lee, MA[*Red data]\r\n"
                        "01244 Lee, MA [*red data]\r\n01245 Lee, MA * \r\n  01246 Lee, MA\r\n"
                        "Lee, MA (Town) 01247\r\nLee [MA] (01248)\r\nLee, MA\rLee, MA\n01249\r\n";
    while (bytes.size() < platform::InputFile::block_size - 5) bytes += "01250 Other, NY\r\n";
    bytes.resize(platform::InputFile::block_size - 5);
    bytes += "\r\n01251 Lee, MA across the block\r\n";
    bytes += "01252 " + std::string(platform::InputFile::block_size + 100, 'x') + " Lee, MA\r\n";
    bytes += "01253 LEE, ma";
    for (const Category category : {dialling_codes, zip_codes}) write_database(category, bytes);
    expect_as_reference({
        {zip_codes, by_name, "lee, ma*"}, {zip_codes, by_name, "*lee, ma"}, {zip_codes, by_name, "*lee, ma*"},
        {zip_codes, by_code, "0124#"}, {dialling_codes, by_name, "*lee, ma*"}, {dialling_codes, by_code, "*012##"},
        {dialling_codes, by_name, "*(town)"}, {dialling_codes, by_code, "(01248)"},
    });
}

// The trailing code's split of short lines that end near the end of the reader's block,
// where fewer bytes than a line's worth follow them, and of lines that cross it: each
// block ends one byte further after the start of a line taken in turn from a few made
// around brackets, tags and codes at the very start; the last line is short and has no
// line end.
TEST_F(SearchAnswersTest, UKDiallingCodesOfShortLinesAtTheBlocksEndGiveTheReferencesRows)
{
    const std::string short_lines[] = {"Q 9",          "Qa (9)",           "Q(b) 9 1",  "Q [*Red data] 9",
                                       "9 1",          "Q 9-1 2 3 4 5 6 7", "Q (c) 91234 5", "Q * 9 ",
                                       "(9) 1",        "Quite a long place (Shire) 9", "Q[9]"};
    const std::string filler = "Abbotsbury 01305\r\n";
    const std::size_t block = platform::InputFile::block_size;
    std::string bytes;
    for (std::size_t from_end = 1; from_end <= 24; ++from_end) {
        const std::size_t line_start = from_end * block - from_end;
        while (bytes.size() + filler.size() + 3 <= line_start) bytes += filler;
        bytes += "P" + std::string(line_start - bytes.size() - 3, 'x') + "\r\n";
        bytes += short_lines[from_end % std::size(short_lines)] + "\r\n";
    }
    bytes += "Q 9";
    write_database(dialling_codes, bytes);
    expect_as_reference(
        {{dialling_codes, by_name, "q*"}, {dialling_codes, by_code, "*9*"}, {dialling_codes, by_name, "*]"}});
}
