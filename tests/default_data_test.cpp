// The default-data line providers: the contract that the restore command relies on, for
// every one of the eight modules from one table of cases; the edge cases of single
// modules; the general module on tables of its own; and the built tables against the
// data files they come from.
#include "default_data/default_data_module.h"
#include "default_data/default_modules.h"
#include "default_data/data_tables.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zentrel {
namespace {

// The module of one category, which the restore command would use.
DefaultDataModule& module_of(Category category) { return *default_data_for_category(category); }


constexpr std::string_view end_of_data = "#End_Of_Data#";

struct ModuleCase {
    std::string_view name;
    int category;
    std::string_view data_file; // under default_data/
    std::string_view count_text;
    std::int32_t upper_bound;
    int fillers;
    std::int32_t first_end_of_data;
    std::string_view placeholder;
    std::vector<std::pair<std::int32_t, std::string_view>> header_lines;
    std::vector<std::int32_t> null_lines;
    bool has_stamp = false;
};

// A case prints as its module's name, so each test's name stays the same from run to run.
void PrintTo(const ModuleCase& c, std::ostream* out) { *out << c.name; }

constexpr std::string_view help_line = "# Read the 'Help.txt' file inside the application for details on how to";
constexpr std::string_view directory_wording = "## There is no data for directory line ";

std::vector<ModuleCase> module_cases()
{
    return {
        {"modDefaultDIRECTORY", 0, "uk_dialling/uk_dialling_codes.lines", "5273", 5473, 28,
         5273, directory_wording,
         {{1, "# UK Dialling code directory"},
          {4, "#"},
          {5, "# Read the \x90ReadMe\x91 file inside the application for details on how to"},
          {6, "# alter this file."},
          {7, "#"},
          {5273, end_of_data},
          {5281, end_of_data},
          {5401, end_of_data}},
         {9},
         true},
        {"modDefaultPOSTCODES", 1, "uk_post_codes.lines", "2905", 3105, 15, 2905,
         "## There is no data for postcode line ",
         {{1, "# UK postal codes"},
          {2, "# Post code - Place name"},
          {4, "#"},
          {5, help_line},
          {6, "# alter this file."},
          {7, "#"},
          {2905, end_of_data},
          {2910, end_of_data},
          {2915, end_of_data}},
         {9},
         true},
        {"modDefaultCALLSIGNS", 2, "radio_call_signs.lines", "925", 1125, 5, 925,
         directory_wording,
         {{1, "# Radio Callsigns"},
          {2, "# Callsign - Country"},
          {4, "#"},
          {5, help_line},
          {6, "# alter this file."},
          {7, "# This file was restored on; 12/06/2005 - 11:36:58am"},
          {925, end_of_data}},
         {9}},
        {"modDefaultInternationalTel", 3, "international_dialling_codes.lines", "9999",
         10199, 3, 551, directory_wording,
         {{1, "# International dialling codes"}, {2, "# Dial Code - Place Name"}, {551, end_of_data}},
         {5, 550}},
        {"modDefaultWebDomainNames", 4, "web_domain_names.lines", "251", 451, 2, 251,
         directory_wording,
         {{1, "# Internet domain names"}, {2, "# Domain name - Country"}, {251, end_of_data}},
         {3, 250}},
        {"modDefaultUKNumberPlates", 5, "uk_number_plates.lines", "628", 828, 4, 628,
         directory_wording,
         {{1, "# UK vehicle index marks"}, {2, "# Index Mark - Place Name"}, {628, end_of_data}},
         {3}},
        {"modDefaultInternationalCarIDs", 6, "international_vehicle_symbols.lines",
         "149", 349, 1, 149, directory_wording,
         {{1, "# International vehicle plates"}, {2, "# Letters - Country"}, {149, end_of_data}},
         {3}},
        {"modDefaultUSZipCodes", 7, "us_zip/us_zip_codes.lines", "42159", 42359, 211, 42159,
         directory_wording,
         {{1, "# USA zip codes"}, {2, "# Zip Code - Place Name"}, {42159, end_of_data}},
         {3, 42158}},
    };
}

std::string placeholder(std::string_view wording, std::int32_t n)
{
    return std::string(wording) + std::to_string(n) + ". ##";
}

// The restore command's end test: equal to "#End_Of_Data#", ignoring case and outer spaces.
bool ends_the_data(std::string_view line)
{
    return platform::ucase(platform::trim_view(line)) == "#END_OF_DATA#";
}

void expect_error_9(DefaultDataModule& module, std::int32_t n)
{
    try {
        module.Default_Line(n);
        ADD_FAILURE() << "line " << n << " gave no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 9) << "line " << n;
    }
}

class ModuleContract : public testing::TestWithParam<ModuleCase> {
protected:
    DefaultDataModule& module() { return module_of(static_cast<Category>(GetParam().category)); }
};

TEST_P(ModuleContract, HasTheNumbersOfTheModuleTable)
{
    const ModuleCase& c = GetParam();
    EXPECT_EQ(module().name(), c.name);
    EXPECT_EQ(module().Default_Line(0), c.count_text);
    EXPECT_EQ(module().upper_bound(), c.upper_bound);
    EXPECT_EQ(module().filler_count(), c.fillers);
    EXPECT_EQ(module().Default_Lines().size(), static_cast<std::size_t>(c.upper_bound) + 1);
    EXPECT_EQ(default_data_for_category(static_cast<Category>(c.category)), &module());
    EXPECT_EQ(module().has_restore_stamp(), c.has_stamp);
    // Every element the table holds lies within the array and within a block that has a filler.
    EXPECT_LE(module().table().size(), static_cast<std::size_t>(c.upper_bound));
    EXPECT_LE(module().table().size(), static_cast<std::size_t>(200 * c.fillers));
}

TEST_P(ModuleContract, RestoreLoopStopsAtTheFirstEndOfDataWithinTheCount)
{
    const ModuleCase& c = GetParam();
    const auto count = static_cast<std::int32_t>(std::stol(module().Default_Line(0)));
    std::int32_t stopped_at = 0;
    for (std::int32_t n = 1; n <= count; ++n) {
        if (ends_the_data(module().Default_Line(n))) {
            stopped_at = n;
            break;
        }
    }
    EXPECT_EQ(stopped_at, c.first_end_of_data);
}

TEST_P(ModuleContract, LinesOutsideZeroToTheUpperBoundRaiseError9AndChangeNothing)
{
    const ModuleCase& c = GetParam();
    module().Default_Line(1);
    const std::vector<std::string> before = module().Default_Lines();
    for (const std::int32_t n : {-1, c.upper_bound + 1, c.upper_bound + 200, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()}) {
        expect_error_9(module(), n);
    }
    EXPECT_TRUE(module().Default_Lines() == before);
}

TEST_P(ModuleContract, ElementsNoFillerStoresGiveTheModulesPlaceholder)
{
    const ModuleCase& c = GetParam();
    const auto first_never_stored = static_cast<std::int32_t>(module().table().size()) + 1;
    const std::int32_t above_last_block = 200 * c.fillers + 1;
    std::vector<std::int32_t> lines = {first_never_stored, c.upper_bound};
    if (above_last_block <= c.upper_bound) lines.push_back(above_last_block);
    for (const std::int32_t n : lines) {
        EXPECT_EQ(module().Default_Line(n), placeholder(c.placeholder, n)) << "line " << n;
    }
}

TEST_P(ModuleContract, NullLinesComeBackEmpty)
{
    for (const std::int32_t n : GetParam().null_lines) {
        EXPECT_EQ(module().table()[static_cast<std::size_t>(n - 1)], ":Null") << "line " << n;
        EXPECT_EQ(module().Default_Line(n), "") << "line " << n;
    }
}

TEST_P(ModuleContract, HeaderLinesStandAtTheirElements)
{
    for (const auto& [n, text] : GetParam().header_lines) {
        EXPECT_EQ(module().Default_Line(n), text) << "line " << n;
    }
}

std::string case_name(const testing::TestParamInfo<ModuleCase>& info)
{
    return std::string(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(DefaultData, ModuleContract, testing::ValuesIn(module_cases()), case_name);

TEST(DefaultDataForCategory, TheCasesHoldEveryCategoryOnce)
{
    std::vector<int> categories;
    for (const ModuleCase& c : module_cases()) categories.push_back(c.category);
    std::vector<int> every(category_count);
    for (int index = 0; index < category_count; ++index) every[static_cast<std::size_t>(index)] = index;
    EXPECT_EQ(categories, every) << "one case per category, in category order";
}

TEST(DefaultDataForCategory, GivesNoModuleOutsideTheEightCategories)
{
    for (const int category : {-1, category_count, category_count + 1, 100, int{std::numeric_limits<std::int16_t>::min()}}) {
        EXPECT_EQ(default_data_for_category(static_cast<Category>(category)), nullptr) << category;
    }
}

// The edge cases of single modules.

TEST(DefaultLineEdgeCases, InternationalTelEmptyElementsGiveTheirOwnNumber)
{
    for (const std::int32_t n : {46, 74, 75, 76, 95, 96, 97}) {
        EXPECT_EQ(module_of(Category::InternationalDiallingCodes).Default_Line(n), placeholder(directory_wording, n));
    }
    EXPECT_EQ(module_of(Category::InternationalDiallingCodes).Default_Line(46), "## There is no data for directory line 46. ##");
}

TEST(DefaultLineEdgeCases, CallSignsUpperBoundIsAPlaceholderAndOneMoreIsError9)
{
    EXPECT_EQ(module_of(Category::RadioCallSigns).Default_Line(1125), "## There is no data for directory line 1125. ##");
    expect_error_9(module_of(Category::RadioCallSigns), 1126);
}

TEST(DefaultLineEdgeCases, PostCodesPlaceholderNamesPostcodeLines)
{
    EXPECT_EQ(module_of(Category::UKPostCodes).Default_Line(3000), "## There is no data for postcode line 3000. ##");
}

TEST(DefaultLineEdgeCases, DirectoryEndOfDataLinesBeyondTheCount)
{
    EXPECT_EQ(module_of(Category::UKDiallingCodes).Default_Line(5274), end_of_data);
    EXPECT_EQ(module_of(Category::UKDiallingCodes).Default_Line(5282), placeholder(directory_wording, 5282));
    EXPECT_EQ(module_of(Category::UKDiallingCodes).Default_Line(5400), placeholder(directory_wording, 5400));
    EXPECT_EQ(module_of(Category::UKDiallingCodes).Default_Line(5401), end_of_data);
    EXPECT_EQ(module_of(Category::UKDiallingCodes).Default_Line(5402), placeholder(directory_wording, 5402));
}

// A module of its own over the ZIP-code table, so that what one call stores is seen alone.
DefaultDataModule fresh_zip_codes()
{
    return DefaultDataModule({.name = "zip",
                              .line_count = 42159,
                              .filler_count = 211,
                              .placeholder = directory_placeholder,
                              .table = us_zip_codes_lines,
                              .last_updated_line = {}});
}

TEST(DefaultLineEdgeCases, ZipLine42200RunsTheLastFillerAnd42201None)
{
    DefaultDataModule in_last_block = fresh_zip_codes();
    EXPECT_EQ(in_last_block.Default_Line(42200), "## There is no data for directory line 42200. ##");
    EXPECT_EQ(in_last_block.Default_Lines()[42159], end_of_data) << "filler 211 has run";

    DefaultDataModule above_last_block = fresh_zip_codes();
    EXPECT_EQ(above_last_block.Default_Line(42201), "## There is no data for directory line 42201. ##");
    EXPECT_EQ(above_last_block.Default_Lines()[42159], "") << "no filler has run";
}

// The general module, on tables of its own.

constexpr std::string_view small_table[] = {
    "# header", ":Null", ":NULL", "  :null  ", ":Nul", ":Null.", "x:Null", "\t:Null", "", "trailing  ",
};

DefaultDataModule small_module(int fillers = 1)
{
    return DefaultDataModule({.name = "small",
                              .line_count = 10,
                              .filler_count = fillers,
                              .placeholder = directory_placeholder,
                              .table = small_table,
                              .last_updated_line = {}});
}

TEST(DefaultDataModule, NullInAnyCaseWithOuterSpacesIsEmptyAndNothingElseIs)
{
    DefaultDataModule module = small_module();
    const std::pair<std::int32_t, std::string_view> cases[] = {
        {2, ""},       {3, ""},      {4, ""},        {5, ":Nul"},     {6, ":Null."},
        {7, "x:Null"}, {8, "\t:Null"}, {10, "trailing  "}, {1, "# header"},
    };
    for (const auto& [n, expected] : cases) EXPECT_EQ(module.Default_Line(n), expected) << "line " << n;
}

TEST(DefaultDataModule, EmptyAndUnstoredElementsGiveThePlaceholderAndLineZeroTheCount)
{
    DefaultDataModule module = small_module();
    EXPECT_EQ(module.Default_Line(9), "## There is no data for directory line 9. ##");
    EXPECT_EQ(module.Default_Line(11), "## There is no data for directory line 11. ##");
    EXPECT_EQ(module.Default_Line(210), "## There is no data for directory line 210. ##");
    EXPECT_EQ(module.Default_Line(0), "10");
    expect_error_9(module, 211);
}

TEST(DefaultDataModule, ArrayStartsEmptyAndACallStoresOnlyItsOwnBlock)
{
    std::vector<std::string> texts;
    for (int n = 1; n <= 450; ++n) texts.push_back("line " + std::to_string(n));
    const std::vector<std::string_view> table(texts.begin(), texts.end());
    DefaultDataModule module({.name = "three blocks",
                              .line_count = 450,
                              .filler_count = 3,
                              .placeholder = directory_placeholder,
                              .table = table,
                              .last_updated_line = {}});

    const std::vector<std::string>& lines = module.Default_Lines();
    ASSERT_EQ(lines.size(), 651u);
    for (const std::string& line : lines) EXPECT_EQ(line, "");

    EXPECT_EQ(module.Default_Line(250), "line 250");
    EXPECT_EQ(lines[200], "");
    EXPECT_EQ(lines[201], "line 201");
    EXPECT_EQ(lines[400], "line 400");
    EXPECT_EQ(lines[401], "");

    module.Fill_Block(3);
    EXPECT_EQ(lines[401], "line 401");
    EXPECT_EQ(lines[450], "line 450");
    EXPECT_EQ(lines[451], "") << "the last block stores only what the table holds";
    EXPECT_EQ(lines[1], "") << "block 1 was never asked for";
}

TEST(DefaultDataModule, BlocksOutsideTheFillersStoreNothing)
{
    DefaultDataModule module = small_module();
    module.Fill_Block(0);
    module.Fill_Block(2);
    module.Fill_Block(-5);
    for (const std::string& line : module.Default_Lines()) EXPECT_EQ(line, "");
}

// The built tables against the data files.

std::string read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> lf_lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find('\n', start);
        lines.push_back(bytes.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

class DataFileTable : public ModuleContract {};

TEST_P(DataFileTable, HoldsTheDataFileByteForByte)
{
    const ModuleCase& c = GetParam();
    const std::string bytes = read_bytes(std::string(ZENTREL_DEFAULT_DATA_DIR) + "/" + std::string(c.data_file));
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << "LF line ends only";
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');

    const std::vector<std::string> file_lines = lf_lines(bytes);
    const auto table = module().table();
    ASSERT_EQ(table.size(), file_lines.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        ASSERT_EQ(table[i], file_lines[i]) << "element " << i + 1;
    }
    if (c.has_stamp) {
        EXPECT_EQ(table[7], "") << "element 8 is computed";
    }
}

INSTANTIATE_TEST_SUITE_P(DefaultData, DataFileTable, testing::ValuesIn(module_cases()), case_name);

} // namespace
} // namespace zentrel
