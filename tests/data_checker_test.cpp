// The data-set checker on a small ZIP-code set of its own: the set as described passes,
// and each broken copy fails with the fault named, one case per kind of rule. The
// checker's patterns are compared with the standard library's regular expressions, and
// its orders with the collations the data sets use.
#include "tests/support/broken_copies.h"
#include "tests/support/data_checker.h"
#include "tests/support/data_pattern.h"

#include "default_data/default_modules.h"
#include "default_data/restore_stamp.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

// ---------------------------------------------------------------------------------
// Patterns

TEST(DataPattern, MatchesWholeTextsAsTheStandardExpressionsDo)
{
    const std::vector<std::string> texts = {
        "", "A", "AB", "ABC", "ABCD", "a", "E9", "E10", "1 Canada *", "1201 Newark, NJ *", "AB Aberdeen",
        "M  Manchester", "BC Leicester  ", "00401 Pleasantville, NY", "96202 , CA", "98799 F P O 98799, WA",
        "Crookham @1089 082", "GY Guyana *", "X[*Red data]", "tab\there", "R\xE9union", "(was Aden)", "a-b/c.d",
    };
    const std::vector<std::string> patterns = {
        "[A-Z]{2,4}", "[A-Z]{1,3}", "[A-PR-Z]{1,3}", ".*", ".+", "", "A|AB|ABC", "(A|B)*C?D?", "[^ ]+( [^ ]+)*",
        R"(\d{5} .*, [A-Z]{2})", R"(\d+ [^\d]*)", R"([A-Za-z()&./-]+( [A-Za-z()&./-]+)*)", "[ -~]*", ".*  .*",
        R"(.*(\*|\[\*Red data\]|\[\*Blue data\]|\[\*Gray data\]))", R"(.*\(was [A-Za-z ]+\))", "(?:AB)+C*",
        R"(\w+\s\w+.*)", R"(E\d{1,2})", "[]A]+", "[^]A]", "a{0}", "A{2}B?", "x?y*z+|.*Newark.*", R"([\-/.]+|a.b.c.d)",
        R"(\S+)", R"(\D+)", "[0-9 ]*", "^AB$", "(((A)))B*",
    };
    for (const std::string& expression : patterns) {
        const Pattern pattern(expression);
        const std::regex standard(expression);
        for (const std::string& text : texts) {
            EXPECT_EQ(pattern.matches(text), std::regex_match(text, standard))
                << "pattern " << expression << " on " << text;
        }
    }
}

TEST(DataPattern, RefusesWhatItCannotMatch)
{
    for (const char* expression :
         {"(?=A)", "A{2,1}", "[B-A]", R"(\1)", "(A", "A)", "[ABC", R"(\q)", "A^B", "A$B", "*A", "A{1001}", "A*?"}) {
        EXPECT_THROW(Pattern{expression}, std::invalid_argument) << expression;
    }
}

TEST(DataPattern, CopiesShareWhatTheyHaveLearnt)
{
    const Pattern first("[A-Z]+ [a-z]+");
    const Pattern copy = first;
    EXPECT_TRUE(first.matches("AB cd"));
    EXPECT_TRUE(copy.matches("AB cd"));
    EXPECT_FALSE(copy.matches("AB Cd"));
    EXPECT_EQ(copy.expression(), "[A-Z]+ [a-z]+");
}

// ---------------------------------------------------------------------------------
// Fields

TEST(DataCheckerFields, SplitRecordsAsTheirDataSetsDescribeThem)
{
    const struct {
        Fields fields;
        std::string record;
        std::vector<std::string> expected;
    } cases[] = {
        {first_word_fields(), "1201 Newark, NJ *", {"1201", "Newark, NJ", "*"}},
        {first_word_fields(), "BC Leicester  ", {"BC", "Leicester", ""}},
        {first_word_fields(), "M  Manchester", {"M", "Manchester", ""}},
        {zip_fields(), "19397 Southeastern, Pa., PA", {"19397", "Southeastern, Pa.", "PA"}},
        {zip_fields(), "96202 , CA", {"96202", "", "CA"}},
        {zip_fields(), "96940 Koror, Caroline Islands, PW", {"96940", "Koror, Caroline Islands", "PW"}},
        {trailing_code_fields(), "Abbey St.Bathans 01361 4",
         {"01361 4", "Abbey St.Bathans", "", "Abbey St.Bathans", "", "01361", "4"}},
        {trailing_code_fields(), "Abingdon (Oxon) 01235",
         {"01235", "Abingdon (Oxon)", "", "Abingdon", "Oxon", "01235", ""}},
        {trailing_code_fields(), "Rhosllanerchrugog [Rhos (WX)] 01978",
         {"01978", "Rhosllanerchrugog [Rhos (WX)]", "", "Rhosllanerchrugog [Rhos (WX)]", "", "01978", ""}},
        {trailing_code_fields(), "Crookham @1089 082", {"1089 082", "Crookham @", "", "Crookham @", "", "1089", "082"}},
    };
    for (const auto& each : cases) {
        std::vector<std::string_view> found(each.fields.names.size());
        each.fields.split(each.record, found);
        EXPECT_EQ(std::vector<std::string>(found.begin(), found.end()), each.expected) << each.record;
    }
}

// ---------------------------------------------------------------------------------
// A small set with a rule of every kind

bool opens_a_place_of_three(const RecordList& records, std::size_t index)
{
    const std::string_view place = records.field(index, "place");
    std::size_t end = index;
    while (end < records.size() && records.field(end, "place") == place) ++end;
    return end - index >= 3;
}

const std::string stamp = zentrel::Restore_Stamp("# Last updated: 20th July 1996",
                                                 zentrel::make_date_time(2024, 7, 5, 15, 4, 5));

DataLines small_lines()
{
    return {"",
            "# Test zip codes",
            stamp,
            "00401 Pleasantville, NY",
            "00501 Holtsville, NY",
            "00601 Adjuntas, PR",
            "00602 Aguada, PR",
            "00801 Charlotte Amalie, VI",
            "00900 San Juan, PR",
            "00901 San Juan, PR",
            "00902 San Juan, PR",
            "00903 Old San Juan, PR",
            "00904 San Juan, PR",
            "#End_Of_Data#"};
}

Computed stamp_at_line_2()
{
    Computed computed = restore_stamp("# Last updated: 20th July 1996");
    computed.line = 2;
    return computed;
}

DataSet small_set()
{
    DataSet set;
    set.label = "SmallZip";
    set.module = {.module = &testing_support::module_of<zentrel::Category::USZipCodes>};
    set.fields = zip_fields();
    set.other_lines = {{.lines = {1, 1}, .pattern = "# .*"}, {.lines = {13, 13}, .text = "#End_Of_Data#"}};
    set.computed = {stamp_at_line_2()};
    set.record_lines = {{3, 12}};
    set.records = 10;
    set.quoted = {{3, "00401 Pleasantville, NY"}};
    set.present = {{.field = "place", .values = {"Aguada", "Holtsville"}}};
    set.exactly = {{.label = "the Virgin Islands", .scope = {.lines = {}, .where = {.field = "state", .pattern = "VI"}},
                    .values = {"00801 Charlotte Amalie, VI"}, .in_order = false}};
    set.blocks = {{.number = 1, .lines = {1, 13}, .first_line = "# Test zip codes", .last_line = "#End_Of_Data#",
                   .first_record = "00401 Pleasantville, NY", .last_record = "00904 San Juan, PR", .records = 10,
                   .field = "state", .sequence = {{"NY", 2}, {"PR", 2}, {"VI", 1}, {"PR", 5}}}};
    set.runs = {{.field = "state", .value = "PR", .lines = {8, 12}, .records = 5, .first_key = "00900",
                 .last_key = "00904", .first_record = "00900 San Juan, PR", .last_record = "00904 San Juan, PR"}};
    set.sequences = {{.field = "state", .runs = 4, .stretches = {{"NY", 2}, {"PR", 2}, {"VI", 1}, {"PR", 5}}}};
    set.shapes = {{.label = "a ZIP record", .pattern = R"(\d{5} [A-Za-z ]+, [A-Z]{2})"},
                  {.label = "no Old", .field = "place", .pattern = ".*Old.*", .forbidden = true,
                   .exception_lines = {11}},
                  {.label = "NY or PR", .field = "state", .pattern = "NY|PR",
                   .exception_records = {"00801 Charlotte Amalie, VI"}}};
    set.tallies = {{.label = "Puerto Rico", .scope = {.lines = {}, .where = {.field = "state", .pattern = "PR"}}, .records = 7}};
    set.occurrences = {{.field = "place", .text = "San", .records = 5, .times = 5}};
    set.lengths = {{.field = "place", .min = 6, .max = 16, .at_min = 1, .at_max = 1}};
    set.values = {{.label = "states", .field = "state",
                   .counts = {{"NY", 2, 3}, {"PR", 7, 5}, {"VI", 1, 7}},
                   .complete = true,
                   .in_order_of_first_appearance = true},
                  {.label = "places of one code", .field = "place", .counts = {{"San Juan", 4}},
                   .others_fewer_than = 2}};
    set.repeats = {{.label = "ZIP codes", .no_two_alike = true},
                   {.label = "places", .field = "place", .distinct = 7, .repeated = 1, .records_repeated = 4, .most = 4,
                    .most_values = {"San Juan"}, .times = {{"San Juan", 4}}, .others_once = true,
                    .apart = std::vector<std::string>{"San Juan"}},
                   {.label = "states", .field = "state", .apart = std::vector<std::string>{"PR"}}};
    set.orders = {{.label = "ZIP codes", .strict = true},
                  {.label = "San Juan places", .scope = {.lines = {8, 12}, .where = {}}, .field = "place",
                   .break_records = {"00903 Old San Juan, PR"}}};
    set.hooks = {{.name = "a ZIP code ending in 00 opens a place of three or more",
                  .scope = {.lines = {}, .where = {.field = "zip", .pattern = ".*00"}},
                  .records = 1,
                  .holds = opens_a_place_of_three},
                 {.name = "in San Juan",
                  .holds = [](const RecordList& records, std::size_t index) {
                      return records.field(index, "place") == "San Juan";
                  },
                  .holding = 4}};
    return set;
}

TEST(DataChecker, SmallSetAsDescribedPasses)
{
    const Problems problems = record_problems(small_set(), small_lines());
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

struct Harm {
    const char* what;
    std::function<void(DataLines&)> harm;
    const char* problem;
};

// Broken copies of the small set, one for each kind of fault.
std::vector<Harm> harms_of_the_small_set()
{
    return {
        {"a record missing at the end", [](DataLines& l) { l.resize(10); }, "lines 10-12 of the records are missing"},
        {"a line beyond the records", [](DataLines& l) { l.push_back("00905 San Juan, PR"); },
         "line 14: \"00905 San Juan, PR\" stands outside the records and is not listed"},
        {"a comment without its mark", [](DataLines& l) { l[1] = "Test zip codes"; },
         "line 1: \"Test zip codes\" does not match \"# .*\""},
        {"the end of the data changed", [](DataLines& l) { l[13] = "#End#"; },
         "line 13: expected \"#End_Of_Data#\", found \"#End#\""},
        {"a stamp with the day's zero", [](DataLines& l) { l[2].replace(l[2].find(" 5/07"), 5, "05/07"); },
         "line 2: printed line 2 \"# This file was restored on; 05/07/2024"},
        {"a stamp of two lines", [](DataLines& l) { l[2] = l[2].substr(0, l[2].rfind("\r\n")); },
         "line 2: printed lines of the computed line: expected 3, found 2"},
        {"a quoted record changed", [](DataLines& l) { l[3] = "00401 Pleasantvale, NY"; },
         "line 3: expected \"00401 Pleasantville, NY\", found \"00401 Pleasantvale, NY\""},
        {"a record of another shape", [](DataLines& l) { l[4] = "00501 Holtsville NY"; },
         "line 4: a ZIP record: \"00501 Holtsville NY\" does not match"},
        {"a stated exception that meets its rule", [](DataLines& l) { l[11] = "00903 New San Juan, PR"; },
         "line 11: no Old: \"New San Juan\" is a stated exception but meets the rule"},
        {"a stated exception that is gone", [](DataLines& l) { l[7] = "00801 Charlotte Amalie, PR"; },
         "NY or PR: the stated exception \"00801 Charlotte Amalie, VI\" is not among the records"},
        {"a block of other states", [](DataLines& l) { l[4] = "00501 Holtsville, PR"; },
         "block 1, records by state: expected NY 2, PR 2, VI 1, PR 5, found NY 1, PR 3, VI 1, PR 5"},
        {"a block's first line changed", [](DataLines& l) { l[1] = "# Other zip codes"; },
         "line 1: block 1, first line: expected \"# Test zip codes\", found \"# Other zip codes\""},
        {"a run that goes on before its lines", [](DataLines& l) { l[7] = "00801 Charlotte Amalie, PR"; },
         "line 7: the run of state \"PR\" on lines 8-12: the run goes on before its lines"},
        {"a run of another first key", [](DataLines& l) { l[8] = "00899 San Juan, PR"; },
         "line 8: the run of state \"PR\" on lines 8-12, first key: expected \"00900\", found \"00899\""},
        {"a sequence of fewer runs", [](DataLines& l) { l[7] = "00801 Charlotte Amalie, PR"; },
         "runs of state, runs: expected 4, found 2"},
        {"a tally one short", [](DataLines& l) { l[5] = "00601 Adjuntas, NY"; }, "Puerto Rico: expected 7, found 6"},
        {"a text more often", [](DataLines& l) { l[6] = "00602 San Aguada, PR"; },
         "\"San\" in place, records: expected 5, found 6"},
        {"a shorter place", [](DataLines& l) { l[6] = "00602 Aguas, PR"; },
         "lengths of place, shortest: expected 6, found 5"},
        {"a state first seen earlier", [](DataLines& l) { l[3] = "00401 Pleasantville, PR"; },
         "states, \"PR\", first line: expected 5, found 3"},
        {"a state not listed", [](DataLines& l) { l[6] = "00602 Aguada, GU"; },
         "line 6: states: \"GU\" is not one of the values listed"},
        {"a value not listed as common as the stated limit", [](DataLines& l) { l[6] = "00602 Adjuntas, PR"; },
         "line 5: places of one code: \"Adjuntas\" stands in 2 records, where a value not listed has fewer than 2"},
        {"a ZIP code twice", [](DataLines& l) { l[4] = "00401 Holtsville, NY"; },
         "line 4: ZIP codes: \"00401\" stands 2 times, first on line 3; no two may be alike"},
        {"fewer records of the commonest place", [](DataLines& l) { l[9] = "00901 Old San Juan, PR"; },
         "places, the most records of one value: expected 4, found 3"},
        {"another place as common",
         [](DataLines& l) {
             l[3] = "00401 Aguada, NY";
             l[4] = "00501 Aguada, NY";
             l[5] = "00601 Aguada, PR";
         },
         "places, the values with the most records: expected \"San Juan\", found"},
        {"a place repeated that was not", [](DataLines& l) { l[4] = "00501 Pleasantville, NY"; },
         "line 4: places: \"Pleasantville\" stands 2 times, first on line 3, and is not listed as repeated"},
        {"stated apart, side by side", [](DataLines& l) { l[11] = "00903 San Juan, PR"; },
         "places: the records of \"San Juan\" were to stand apart, but they stand side by side"},
        {"apart where not stated", [](DataLines& l) { l[6] = "00602 Pleasantville, PR"; },
         "line 6: places: \"Pleasantville\" stands again apart from its records before (first on line 3)"},
        {"two ZIP codes swapped", [](DataLines& l) { std::swap(l[9], l[10]); },
         "line 10: ZIP codes: \"00901 San Juan, PR\" stands below \"00902 San Juan, PR\" (line 9)"},
        {"a stated break put in order", [](DataLines& l) { l[10] = "00902 Arecibo, PR"; },
         "line 11: San Juan places: \"00903 Old San Juan, PR\" was stated to stand out of order, but follows"},
        {"a stated record missing", [](DataLines& l) { l[6] = "00602 Aguadilla, PR"; },
         "records of place: \"Aguada\" is missing"},
        {"a record of the kind not listed", [](DataLines& l) { l[5] = "00601 Adjuntas, VI"; },
         "line 5: the Virgin Islands: \"00601 Adjuntas, VI\" is not one of them"},
        {"a hook that does not hold", [](DataLines& l) { l[9] = "00901 Ponce, PR"; },
         "line 8: a ZIP code ending in 00 opens a place of three or more where zip is \".*00\": does not hold for "
         "\"00900 San Juan, PR\""},
        {"a hook holding for fewer", [](DataLines& l) { l[12] = "00904 Ponce, PR"; },
         "in San Juan, records it holds for: expected 4, found 3"},
    };
}

TEST(DataChecker, NoticesEachKindOfFaultInABrokenCopy)
{
    const DataSet set = small_set();
    for (const Harm& each : harms_of_the_small_set()) {
        SCOPED_TRACE(each.what);
        DataLines lines = small_lines();
        each.harm(lines);
        const Problems problems = record_problems(set, lines);
        EXPECT_TRUE(mentions(problems, each.problem)) << listed(problems);
    }
}

// ---------------------------------------------------------------------------------
// Broken copies checked against the rules that see their changed lines

// The small set with rules over a few of its lines: on lines 3-4 a tally, a run, and a
// hook that also reads the last record; on lines 5-6 a hook that states it reads one record
// before them.
DataSet small_set_with_rules_on_some_lines()
{
    DataSet set = small_set();
    const LineRange lines = {3, 4};
    set.tallies.push_back(
        {.label = "New York", .scope = {.lines = lines, .where = {.field = "state", .pattern = "NY"}}, .records = 2});
    set.runs.push_back({.field = "state", .value = "NY", .lines = lines, .records = 2});
    set.hooks.push_back({.name = "the last record is in San Juan",
                         .scope = {.lines = lines, .where = {}},
                         .holds = [](const RecordList& records, std::size_t) {
                             return records.field(records.size() - 1, "place") == "San Juan";
                         }});
    set.hooks.push_back({.name = "follows a New York or Puerto Rico record",
                         .scope = {.lines = {5, 6}, .where = {}},
                         .holds = [](const RecordList& records, std::size_t index) {
                             const std::string_view before = records.field(index - 1, "state");
                             return before == "NY" || before == "PR";
                         },
                         .reach = Reach{.before = 1, .after = 0}});
    return set;
}

TEST(DataCheckerBrokenCopy, FindsWhatTheWholeCheckFinds)
{
    const DataSet set = small_set_with_rules_on_some_lines();
    const DataLines good = small_lines();
    for (const Harm& each : harms_of_the_small_set()) {
        SCOPED_TRACE(each.what);
        DataLines lines = good;
        each.harm(lines);
        EXPECT_EQ(broken_copy_problems(set, good, lines), record_problems(set, lines));
    }
}

TEST(DataCheckerBrokenCopy, AsksEveryRuleThatCanSeeAChangedLine)
{
    const std::vector<Breakage> breakages = {
        {"a record far from a hook's lines that the hook reads", [](DataLines& l) { l[12] = "00904 Ponce, PR"; },
         "line 3: the last record is in San Juan on lines 3-4: does not hold for \"00401 Pleasantville, NY\""},
        {"the record after a run's lines", [](DataLines& l) { l[5] = "00601 Adjuntas, NY"; },
         "line 5: the run of state \"NY\" on lines 3-4: the run goes on after its lines"},
        {"a record on a tally's lines", [](DataLines& l) { l[4] = "00501 Holtsville, PR"; },
         "New York: expected 2, found 1"},
        {"the record before a hook's lines, within its reach", [](DataLines& l) { l[4] = "00501 Holtsville, VI"; },
         "line 5: follows a New York or Puerto Rico record on lines 5-6: does not hold for \"00601 Adjuntas, PR\""},
    };
    const DataSet set = small_set_with_rules_on_some_lines();
    const DataLines good = small_lines();
    expect_each_breakage_noticed(set, good, breakages);
    for (const Breakage& breakage : breakages) {
        DataLines lines = good;
        breakage.harm(lines);
        EXPECT_EQ(broken_copy_problems(set, good, lines), record_problems(set, lines)) << breakage.what;
    }
}

// A rule whose lines are far from every changed line is not asked again: here rules that
// the unbroken lines already break show only in the whole check.
TEST(DataCheckerBrokenCopy, LeavesOutTheRulesThatCannotSeeAChangedLine)
{
    const struct {
        const char* what;
        std::function<void(DataSet&)> misstate;
        const char* problem;
    } cases[] = {
        {"a tally on lines 3-4", [](DataSet& s) { s.tallies.back().records = 3; }, "New York: expected 3, found 2"},
        {"a hook that reads one record before lines 5-6", [](DataSet& s) { s.hooks.back().records = 3; },
         "follows a New York or Puerto Rico record on lines 5-6, records: expected 3, found 2"},
    };
    const DataLines good = small_lines();
    DataLines lines = good;
    lines[10] = "00902 Santurce, PR";
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        DataSet set = small_set_with_rules_on_some_lines();
        each.misstate(set);
        EXPECT_TRUE(mentions(record_problems(set, lines), each.problem));
        const Problems problems = broken_copy_problems(set, good, lines);
        EXPECT_FALSE(mentions(problems, each.problem)) << listed(problems);
        EXPECT_TRUE(mentions(problems, "places, the most records of one value: expected 4, found 3"))
            << listed(problems);
    }
}

TEST(DataChecker, SaysWhenADescriptionCannotBeChecked)
{
    const struct {
        const char* what;
        std::function<void(DataSet&)> change;
        const char* problem;
    } cases[] = {
        {"an unknown field", [](DataSet& s) { s.lengths.front().field = "town"; }, "no field named \"town\""},
        {"a pattern it cannot match", [](DataSet& s) { s.shapes.front().pattern = "(?=0)"; },
         "pattern \"(?=0)\""},
        {"a hook without a predicate", [](DataSet& s) { s.hooks.front().holds = nullptr; },
         "opens a place of three or more where zip is \".*00\": the hook has no predicate"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        DataSet set = small_set();
        each.change(set);
        const Problems problems = record_problems(set, small_lines());
        EXPECT_TRUE(mentions(problems, "the description cannot be checked: ")) << listed(problems);
        EXPECT_TRUE(mentions(problems, each.problem)) << listed(problems);
    }
}

TEST(DataChecker, NumbersThatAreNotStatedAreNotChecked)
{
    DataSet set;
    set.module = {.module = &testing_support::module_of<zentrel::Category::USZipCodes>};
    set.fields = zip_fields();
    set.record_lines = {{1, 3}};
    set.lengths = {{.field = "place"}};
    set.repeats = {{.field = "state"}};
    set.blocks = {{.number = 1}};
    set.runs = {{.field = "state", .value = "NY", .lines = {1, 3}}};
    const DataLines lines = {"", "00401 Pleasantville, NY", "00501 Holtsville, NY", "00544 Holtsville, NY"};
    const Problems problems = record_problems(set, lines);
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

// ---------------------------------------------------------------------------------
// A computed line in a restored file

constexpr std::string_view stamped_table[] = {
    "# Stamped", "#", "#", "#", "#", "#", "#", "(computed)", ":Null", "AB Aberdeen", "AL St.Albans", "#End_Of_Data#",
};

zentrel::DefaultDataModule& stamped_module()
{
    static zentrel::DefaultDataModule module({.name = "stamped",
                                              .line_count = 12,
                                              .filler_count = 1,
                                              .placeholder = zentrel::postcode_placeholder,
                                              .table = stamped_table,
                                              .last_updated_line = "# Last updated: 20th July 1996"});
    return module;
}

DataSet stamped_set()
{
    DataSet set;
    set.module = {.module = &stamped_module};
    set.other_lines = {{.lines = {1, 7}, .pattern = "#.*"}, {.lines = {9, 9}, .text = ":Null"},
                       {.lines = {12, 12}, .text = "#End_Of_Data#"}};
    set.computed = {restore_stamp("# Last updated: 20th July 1996")};
    set.record_lines = {{10, 11}};
    set.records = 2;
    set.restored = {.lines = 13,
                    .lines_at = {{8, "# Last updated: 20th July 1996"}, {11, ""}, {12, "AB Aberdeen"},
                                 {13, "AL St.Albans"}}};
    return set;
}

// The file as the restore writes it: each line the provider hands out, with CR LF.
std::string stamped_file()
{
    std::string bytes;
    for (std::int32_t n = 1; n < 12; ++n) bytes += stamped_module().Default_Line(n) + "\r\n";
    return bytes;
}

TEST(DataChecker, ComputedLineIsCheckedByItsFormAndShiftsTheLinesAfterIt)
{
    const DataSet set = stamped_set();
    const std::string good = stamped_file();
    ASSERT_TRUE(restored_file_problems(set, good).empty()) << listed(restored_file_problems(set, good));
    const struct {
        const char* what;
        std::function<std::string(std::string)> harm;
        const char* problem;
    } cases[] = {
        {"a time of another form", [](std::string b) { return b.replace(b.find("; ") + 2, 1, "X"); },
         "line 8: printed line 2 \"# This file was restored on; X"},
        {"a stamp printed on one line", [](std::string b) { return b.replace(b.find("1996\r\n") + 4, 2, " "); },
         "file line 12: expected \"AB Aberdeen\", found \"AL St.Albans\""},
        {"the empty line after the stamp lost", [](std::string b) { return b.replace(b.find("\r\n\r\n") + 2, 2, ""); },
         "file line 11: expected \"\", found \"AB Aberdeen\""},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const Problems problems = restored_file_problems(set, each.harm(good));
        EXPECT_TRUE(mentions(problems, each.problem)) << listed(problems);
    }
}

// ---------------------------------------------------------------------------------
// Orders under collations

TEST(DataCheckerOrder, PlacesNeighboursByTheirCollations)
{
    const Collation plain;
    const Collation by_value{.numbers_by_value = true};
    const Collation any_case{.ignore_case = true};
    const Collation saint{.ignore_case = true, .read_as = {{"St.", "Saint"}}};
    const Collation letter_by_letter{.ignore_case = true, .ignored = " -'"};
    const struct {
        std::vector<Collation> collations;
        std::string then_field;
        bool strict;
        std::string before;
        std::string after;
        const char* problem; // empty: in order
    } cases[] = {
        {{plain}, "", false, "E10 x", "E9 x", ""},
        {{plain}, "", false, "E9 x", "E10 x", "stands below"},
        {{by_value}, "", false, "E9 x", "E10 x", ""},
        {{by_value}, "", false, "E10 x", "E9 x", "stands below"},
        {{by_value}, "", false, "3 South", "20 Egypt", ""},
        {{plain}, "", false, "dunamanagh x", "Dunbar x", "stands below"},
        {{any_case}, "", false, "dunamanagh x", "Dunbar x", ""},
        {{plain}, "", false, "St.Albans x", "Salcombe x", "stands below"},
        {{saint}, "", false, "St.Albans x", "Salcombe x", ""},
        {{saint}, "", false, "Saffron x", "St.Albans x", ""},
        {{plain}, "", false, "Abbotsbury x", "Abbots-Ripton x", "stands below"},
        {{letter_by_letter}, "", false, "Abbotsbury x", "Abbots-Ripton x", ""},
        {{any_case, letter_by_letter}, "", false, "Amman-Valley x", "Ammanford x", ""},
        {{any_case, letter_by_letter}, "", false, "Abbotsbury x", "Abbots-Ripton x", ""},
        {{any_case, letter_by_letter}, "", false, "Abbots-Ripton x", "Abbey x", "stands below"},
        {{by_value}, "name", false, "1 USA", "1 Canada", "stands below"},
        {{by_value}, "name", false, "1 Canada", "1 USA", ""},
        {{plain}, "", false, "AB x", "AB y", ""},
        {{plain}, "", true, "AB x", "AB y", "is equal to"},
        {{plain}, "name", true, "AB x", "AB x", "is equal to"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.before + " / " + each.after);
        DataSet set;
        set.module = {.module = &testing_support::module_of<zentrel::Category::USZipCodes>};
        set.record_lines = {{1, 2}};
        set.orders = {{.label = "order",
                       .field = "key",
                       .collations = each.collations,
                       .then_field = each.then_field,
                       .strict = each.strict}};
        const Problems problems = record_problems(set, {"", each.before, each.after});
        if (std::string(each.problem).empty()) {
            EXPECT_TRUE(problems.empty()) << listed(problems);
        } else {
            EXPECT_TRUE(mentions(problems, each.problem)) << listed(problems);
        }
    }
}

} // namespace
