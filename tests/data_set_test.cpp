// Every built-in data set run through the data-set checker by the checks all of them
// share: the module's numbers, the lines the module hands out, the file the real restore
// command writes, and searches of that file in the real main window. Each set's
// description is in a file of its own (data_sets.h). Broken copies of the smaller sets
// show that the checker notices each fault.
#include "tests/data_sets.h"
#include "tests/support/broken_copies.h"
#include "tests/support/data_checker.h"
#include "tests/support/data_checker_window.h"

#include "platform/colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

constexpr SearchDirection by_code = SearchDirection::by_code;
constexpr SearchDirection by_name = SearchDirection::by_name;
constexpr platform::Colour plain_background = platform::system_window_background;

// A data set by its name; the description is made in the test that checks it, so the
// large ones cost nothing to the tests that do not.
struct DescribedSet {
    std::string label;
    DataSet (*describe)();
};

void PrintTo(const DescribedSet& set, std::ostream* out)
{
    *out << set.label;
}

std::vector<DescribedSet> data_sets()
{
    return {{"WebDomainNames", web_domain_names},
            {"InternationalVehicleSymbols", international_vehicle_symbols},
            {"UKNumberPlates", uk_number_plates},
            {"InternationalDiallingCodes", international_dialling_codes},
            {"RadioCallSigns", radio_call_signs},
            {"UKPostCodes", uk_post_codes},
            {"UKDiallingCodes", uk_dialling_codes},
            {"USZipCodes", us_zip_codes}};
}

std::string set_name(const testing::TestParamInfo<DescribedSet>& info)
{
    return info.param.label;
}

// The set of the test's parameter, made afresh; its label is the test's name.
DataSet described(const DescribedSet& param)
{
    DataSet set = param.describe();
    EXPECT_EQ(set.label, param.label);
    return set;
}

// The lines with each computed line emptied: a computed line holds the moment it was made,
// which may differ by a second between two readings; the rules check it by its form.
DataLines without_computed_lines(const DataSet& set, DataLines lines)
{
    for (const Computed& computed : set.computed) {
        if (computed.line >= 1 && static_cast<std::size_t>(computed.line) < lines.size()) {
            lines[static_cast<std::size_t>(computed.line)].clear();
        }
    }
    return lines;
}

} // namespace

// ---------------------------------------------------------------------------------
// Each data set as its description says, through the module and through the window.

class DataSetData : public testing::TestWithParam<DescribedSet> {};

TEST_P(DataSetData, ModuleHasItsNumbersAndNothingPastItsData)
{
    const Problems problems = module_problems(described(GetParam()));
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_P(DataSetData, ProvidedLinesMeetEveryRule)
{
    const DataSet set = described(GetParam());
    const Problems problems = record_problems(set, provided_lines(set));
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_P(DataSetData, BlocksFilledOnceGiveWhatTheProviderHandsOut)
{
    const DataSet set = described(GetParam());
    const DataLines from_blocks = data_lines(set);
    const DataLines one_by_one = provided_lines(set);
    for (const Computed& computed : set.computed) {
        ASSERT_LT(static_cast<std::size_t>(computed.line), from_blocks.size());
        ASSERT_LT(static_cast<std::size_t>(computed.line), one_by_one.size());
    }
    EXPECT_EQ(without_computed_lines(set, from_blocks), without_computed_lines(set, one_by_one));
}

INSTANTIATE_TEST_SUITE_P(DataSet, DataSetData, testing::ValuesIn(data_sets()), set_name);

class DataSetInWindow : public DataSetWindowTest, public testing::WithParamInterface<DescribedSet> {};

TEST_P(DataSetInWindow, RestoredFileHasItsSizeAndMeetsEveryRule)
{
    const DataSet set = described(GetParam());
    const std::string bytes = restore_through_window(set);
    const Problems problems = restored_file_problems(set, bytes);
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_P(DataSetInWindow, SearchesOfTheRestoredFileFindTheirRows)
{
    const Problems problems = all_search_problems(described(GetParam()));
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

INSTANTIATE_TEST_SUITE_P(DataSet, DataSetInWindow, testing::ValuesIn(data_sets()), set_name);

// ---------------------------------------------------------------------------------
// The checker itself: each broken copy of a data set is noticed, with the fault named.

namespace {

// Broken copies of each set, with the words of the problem each must show.
struct SetBreakages {
    DataSet (*set)();
    std::vector<Breakage> breakages;
};

std::vector<SetBreakages> breakages()
{
    return {
        {uk_number_plates,
         {
            {"trailing spaces stripped", [](DataLines& l) { l[31] = "BC Leicester"; },
             "ending in spaces: expected 7, found 6"},
            {"two records swapped", [](DataLines& l) { std::swap(l[100], l[101]); },
             "line 101: keys ascending: "},
            {"one name misspelt", [](DataLines& l) { l[5] = "AB Worchester"; },
             "names of marks without I or Z, \"Worcester\", records: expected 4, found 3"},
            {"an Irish name on a British mark", [](DataLines& l) { l[5] = "AB Cork"; },
             "line 5: names of marks without I or Z: \"Cork\" is not one of the values listed"},
            {"a withdrawn mark issued", [](DataLines& l) { l[210] = "IG Donegal"; },
             "line 210: an issued mark: does not hold for \"IG Donegal\""},
            {"a block's last record changed", [](DataLines& l) { l[200] = "HW Bath"; },
             "block 1, last record: expected \"HW Bristol\", found \"HW Bath\""},
         }},
        {web_domain_names,
         {
            {"a trailing space added", [](DataLines& l) { l[5] = "AE United Arab Emirates "; },
             "line 5: no space at either end"},
            {"a colour tag", [](DataLines& l) { l[95] = "GY Guyana *"; },
             "records with a colour tag: expected 0, found 1"},
            {"an 8-bit letter", [](DataLines& l) { l[189] = "RE R\xE9union"; },
             "line 189: printable 7-bit ASCII"},
            {"an empty line among the records", [](DataLines& l) { l[100] = ""; },
             "line 100: expected a record, found \"\""},
            {"a second name twice", [](DataLines& l) { l[94] = "GW Guyana"; },
             "names, different values: expected 245, found 244"},
            {"two spaces inside", [](DataLines& l) { l[54] = "CU  Cuba"; },
             "line 54: no two spaces in a row"},
            {"the empty line at the end lost", [](DataLines& l) { l[250] = "# end"; },
             "line 250: expected \"\", found \"# end\""},
            {"a key of five letters", [](DataLines& l) { l[15] = "ARPAN Old-style Arpanet"; },
             "lengths of key, records of length 4: expected 2, found 1"},
         }},
        {international_vehicle_symbols,
         {
            {"the stated exception put in order", [](DataLines& l) { std::swap(l[38], l[39]); },
             "was stated to stand out of order"},
            {"a key stands twice", [](DataLines& l) { l[40] = "ES Ecaudor"; },
             "\"ES\" stands 2 times, first on line 40, and is not listed as repeated"},
            {"a key stands again apart", [](DataLines& l) { l[143] = "ZA Venezuela"; },
             "line 145: keys: \"ZA\" stands again apart from its records before (first on line 143)"},
            {"a shorter record", [](DataLines& l) { l[67] = "IS Ic"; },
             "lengths of line, shortest: expected 6, found 5"},
            {"a parenthesis inside the name", [](DataLines& l) { l[56] = "GR (Hellas) Greece"; },
             "line 56: name of words with one part"},
            {"a key left out of the list", [](DataLines& l) { l[10] = "BB Belgium"; },
             "line 10: every key in file order: expected \"B\", found \"BB\""},
         }},
        {international_dialling_codes,
         {
            {"a tag lost in run 2", [](DataLines& l) { l[51] = "212 Morocco"; },
             "tagged records of run 2: expected 19, found 18"},
            {"run 4 out of character order", [](DataLines& l) { std::swap(l[148], l[149]); },
             "run 4 by the character codes of the whole line: \"1305 Miami Beach, FL\" stands below"},
            {"a record on an empty element between the runs", [](DataLines& l) { l[74] = "246 Diego Garcia *"; },
             "line 74: expected \"## There is no data for directory line 74. ##\""},
            {"a seventh record of 1305", [](DataLines& l) { l[151] = "1305 Perrine, FL"; },
             "codes, the most records of one value: expected 6, found 7"},
            {"Andorra away from France", [](DataLines& l) { std::swap(l[440], l[441]); },
             "does not hold for \"33 France\""},
            {"a code of eight digits", [](DataLines& l) { l[460] = "39669820 Vatican City"; },
             "code of 1 to 7 digits: \"39669820\""},
         }},
        {radio_call_signs,
         {
            {"the out-of-order record put in order", [](DataLines& l) { std::swap(l[361], l[362]); },
             "was stated to stand out of order"},
            {"a second colon", [](DataLines& l) { l[364] = "FW8 France: Wallis: Futuna"; },
             "no second colon: \"France: Wallis: Futuna\""},
            {"a USA record less", [](DataLines& l) { l[801] = "WH4 Midway"; },
             "countries before the colon, \"USA\", records: expected 92, found 91"},
            {"an eighteenth Australian part", [](DataLines& l) { l[728] = "VL Australia: Coral Sea Islands"; },
             "\"Australia\" stands in 18 records, where a value not listed has fewer than 18"},
            {"a letter O written as a zero", [](DataLines& l) { l[64] = "40 Yugoslavia"; },
             "prefixes of the shape DL: expected 170, found 169"},
            {"a colour tag", [](DataLines& l) { l[209] = "A2 Botswana *"; },
             "no colour tag: \"A2 Botswana *\""},
            {"the Fiji record once", [](DataLines& l) { l[21] = "3D3 Fiji"; },
             "records standing twice, records of \"3D2 Fiji\": expected 2, found 1"},
         }},
    };
}

} // namespace

TEST(DataSetChecker, NoticesEachBrokenCopy)
{
    for (const SetBreakages& each : breakages()) expect_each_breakage_noticed(each.set(), each.breakages);
}

TEST(DataSetChecker, NoticesFaultsOfTheRestoredFile)
{
    const DataSet set = international_vehicle_symbols();
    const DataLines lines = data_lines(set);
    std::string good;
    for (std::size_t n = 1; n < lines.size() - 1; ++n) good += lines[n] + "\r\n";
    ASSERT_TRUE(restored_file_problems(set, good).empty()) << listed(restored_file_problems(set, good));

    const struct {
        const char* what;
        std::function<std::string(std::string)> harm;
        const char* problem;
    } cases[] = {
        {"no line end after the last line", [](std::string b) { return b.substr(0, b.size() - 2); },
         "does not end with CR LF"},
        {"a lone LF in place of CR LF", [](std::string b) { return b.replace(b.find("\r\n"), 2, "\n"); },
         "lone CR or LF in the restored file: expected 0, found 1"},
        {"the end of data written", [](std::string b) { return b + "#End_Of_Data#\r\n"; },
         "lines in the restored file: expected 148, found 149"},
        {"a record changed in the file", [](std::string b) { return b.replace(b.find("Ecaudor"), 7, "Ecuador"); },
         "line 40: the file holds \"EC Ecuador\", the data \"EC Ecaudor\""},
        {"the last line lost", [](std::string b) { return b.substr(0, b.rfind("ZW ")); },
         "file line 148: expected \"ZW Zimbabwe (was Rhodesia)\", found no line"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const Problems problems = restored_file_problems(set, each.harm(good));
        EXPECT_TRUE(mentions(problems, each.problem)) << listed(problems);
    }
}

TEST(DataSetChecker, FileElementsFollowALineThatSpansSeveralFileLines)
{
    const DataLines provided = {"", "# one", "# two\r\n# three\r\n# four", "A Five", "#End_Of_Data#"};
    const DataLines elements = file_elements("# one\r\n# two\r\n# 3\r\n# four\r\nA Five\r\n", provided);
    const DataLines expected = {"", "# one", "# two\r\n# 3\r\n# four", "A Five"};
    EXPECT_EQ(elements, expected);
}

// The search check on the real window: a wrong count, a row out of its place, a name as
// stored rather than as the grid shows it and a wrong colour are each reported.
TEST_F(DataSetWindowTest, SearchCheckNoticesRowsThatAreNotFound)
{
    const DataSet set = uk_number_plates();
    restore_through_window(set);
    const struct {
        Search search;
        const char* problem;
    } cases[] = {
        {{by_code, "SC*", 3, {}}, "matches: expected 3, found 2"},
        {{by_code, "SC*", 2, {{"SCY", "Truro (Isles of Scilly)"}, {"SC", "Edinburgh"}}},
         "row \"SC | Edinburgh\" not found"},
        {{by_code, "SC*", 2, {{"SCY", "Truro (Isles of Scilly)"}}, true}, "rows listed: expected 1, found 2"},
        {{by_name, "Leicester", 8, {{"BC", "Leicester  "}}}, "row \"BC | Leicester  \" not found"},
        {{by_name, "Nowhere", 1, {}}, "matches: expected 1, found 0"},
        {{by_code, "BC", 1, {{"BC", "Leicester", platform::rgb(255, 255, 255), plain_background}}},
         "row 1, text colour: expected 0x00ffffff, found 0x80000008"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.search.pattern);
        const Problems problems = search_problems(set, each.search);
        EXPECT_TRUE(mentions(problems, each.problem)) << listed(problems);
    }
}
