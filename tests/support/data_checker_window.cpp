#include "tests/support/data_checker_window.h"

#include "core/paths.h"
#include "tests/support/data_checker_rules.h"

#include <iomanip>
#include <sstream>

namespace testing_support {

namespace {

std::string colour_text(platform::Colour colour)
{
    std::ostringstream text;
    text << "0x" << std::hex << std::setw(8) << std::setfill('0') << colour;
    return text.str();
}

} // namespace

std::string DataSetWindowTest::restore_through_window(const DataSet& set)
{
    EXPECT_EQ(zentrel::FileName_from_Path(database_path(set.module.category)), set.module.file_name);
    restore_built_in_file(set.module.category);
    return folder.read_file(set.module.file_name);
}

Problems DataSetWindowTest::search_problems(const DataSet& set, const Search& search)
{
    prepare_search(set.module.category, search.pattern,
                   search.direction == SearchDirection::by_code ? zentrel::SearchField::Code
                                                                : zentrel::SearchField::Name);
    Problems problems;
    const std::string which = "search " + checker_detail::quoted(search.pattern) +
                              (search.direction == SearchDirection::by_code ? " by code" : " by name") + ": ";
    if (form->ui().txt_Inputbox.text() != search.pattern) {
        problems.push_back(which + "the pattern box holds " + checker_detail::quoted(form->ui().txt_Inputbox.text()));
        return problems;
    }
    click_search();

    checker_detail::expect_count(problems, which + "matches", form->search_state().Match_Count, search.found);
    if (search.found) {
        checker_detail::expect_count(problems, which + "grid rows", rows(), *search.found == 0 ? 2 : *search.found + 1);
    }
    const int found = form->search_state().Match_Count;
    if (search.rows_are_all) checker_detail::expect_count(problems, which + "rows listed", found, static_cast<int>(search.rows.size()));
    std::size_t next = 0;
    for (int row = 1; row <= found && row < rows() && next < search.rows.size(); ++row) {
        const Row& want = search.rows[next];
        const bool same = cell(row, 0) == want.code && cell(row, 1) == want.name;
        if (!same) {
            if (search.rows_are_all) {
                problems.push_back(which + "row " + std::to_string(row) + ": expected " +
                                   checker_detail::quoted(want.code + " | " + want.name) + ", found " +
                                   checker_detail::quoted(cell(row, 0) + " | " + cell(row, 1)));
                return problems;
            }
            continue;
        }
        for (int col = 0; col < 2; ++col) {
            const platform::GridCell& shown = form->ui().flx_ResultsChart.cell(row, col);
            if (want.text_colour && shown.fore != *want.text_colour) {
                problems.push_back(which + "row " + std::to_string(row) + ", text colour: expected " +
                                   colour_text(*want.text_colour) + ", found " + colour_text(shown.fore));
            }
            if (want.background && shown.back != *want.background) {
                problems.push_back(which + "row " + std::to_string(row) + ", background: expected " +
                                   colour_text(*want.background) + ", found " + colour_text(shown.back));
            }
        }
        ++next;
    }
    if (next < search.rows.size()) {
        problems.push_back(which + "row " + checker_detail::quoted(search.rows[next].code + " | " + search.rows[next].name) +
                           " not found in its place");
    }
    return problems;
}

Problems DataSetWindowTest::all_search_problems(const DataSet& set)
{
    restore_through_window(set);
    Problems problems;
    for (const Search& search : set.searches) {
        const Problems found = search_problems(set, search);
        problems.insert(problems.end(), found.begin(), found.end());
    }
    return problems;
}

} // namespace testing_support
