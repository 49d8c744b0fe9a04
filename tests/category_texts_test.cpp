// The per-category texts: every key answers for every category, the fall-back rows for
// a category outside the list, a few telling texts, how keys are found, and the
// categories with their list texts and file names.
#include "main_window/category_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace zentrel {
namespace {

constexpr std::string_view list_text = "Search for nothing at all.";

// Every key of the table, in its look-up order.
constexpr std::array<std::string_view, 18> keys = {
    "Dialling code directory", "Search type", "Select your search category here.", "Search for",
    "Dialling codes", "Dialling areas", "Diall_Option_Width", "Search for names from a number.",
    "Search for numbers from a name.", "Enter your search pattern here.", "&Search", "Get the list of matches.",
    "Area code", "Place name", "DefaultSaveName", "FirstTabAt", "flxTabAt", "telephone",
};

// The six keys whose text is the key itself for every category.
constexpr std::array<std::string_view, 6> fixed_keys = {
    "Search type", "Select your search category here.", "Search for", "Enter your search pattern here.",
    "&Search", "Get the list of matches.",
};

constexpr Category category(int index) { return static_cast<Category>(index); }

// The first value after the last category.
constexpr Category past_the_last = category(category_count);

constexpr std::array<Category, 4> categories_outside_the_list = {
    Category::None, past_the_last, category(category_count + 1), category(32767)};

std::string lower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string upper(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

TEST(TextForCategory, EveryKeyAnswersForEveryCategory)
{
    for (const std::string_view key : keys) {
        for (int index = -1; index <= category_count; ++index) {
            SCOPED_TRACE(std::string(key) + " / " + std::to_string(index));
            const std::string text = text_for_category(key, category(index), list_text);
            EXPECT_FALSE(text.empty());
            EXPECT_FALSE(text.starts_with("#Can't find;"));
        }
    }
    for (const std::string_view key : fixed_keys) {
        for (int index = -1; index <= category_count; ++index) EXPECT_EQ(text_for_category(key, category(index), list_text), key);
    }
}

TEST(TextForCategory, PerCategoryKeysTellTheCategoriesApart)
{
    for (const std::string_view key : keys) {
        if (std::find(fixed_keys.begin(), fixed_keys.end(), key) != fixed_keys.end()) continue;
        std::string texts;
        std::string first_for_each;
        const std::string first = text_for_category(key, Category::UKDiallingCodes, list_text) + "|";
        for (int index = 0; index < category_count; ++index) {
            texts += text_for_category(key, category(index), list_text) + "|";
            first_for_each += first;
        }
        SCOPED_TRACE(std::string(key));
        EXPECT_NE(texts, first_for_each) << "the same text for every category";
    }
}

TEST(TextForCategory, GivesTheFallBackRowsOutsideTheList)
{
    const struct {
        std::string_view key;
        std::string_view fall_back;
    } rows[] = {
        {"Dialling code directory", "? Search for nothing at all. code not found. ?"},
        {"Dialling codes", "No code for Dialling codes"},
        {"Dialling areas", "ERROR IN CODE"},
        {"Diall_Option_Width", "3000"},
        {"Search for names from a number.", "ERROR IN CODE"},
        {"Search for numbers from a name.", "ERROR IN CODE"},
        {"Area code", "- ERROR -"},
        {"Place name", "- ERROR IN CODE -"},
        {"DefaultSaveName", "DataResults"},
        {"FirstTabAt", "2600"},
        {"flxTabAt", "1100"},
        {"telephone", "data"},
    };
    for (const auto& row : rows) {
        for (const Category outside : categories_outside_the_list) {
            SCOPED_TRACE(std::string(row.key) + " / " + decimal_text(outside));
            EXPECT_EQ(text_for_category(row.key, outside, list_text), row.fall_back);
        }
    }
}

TEST(TextForCategory, TellingTextsStandAsWritten)
{
    const struct {
        std::string_view key;
        Category category;
        std::string_view text;
    } cases[] = {
        {"Dialling code directory", Category::USZipCodes, "US ZIP Code Directory."},
        {"Dialling codes", Category::InternationalDiallingCodes, "Dialing prefix"},
        {"Dialling areas", Category::InternationalDiallingCodes, "Dialling countries"},
        {"Diall_Option_Width", Category::UKVehicleNumberPlates, "2200"},
        {"Search for numbers from a name.", Category::UKPostCodes, "Get post code from the postal area."},
        {"Search for names from a number.", Category::InternationalCarSymbols,
         "Get the country name from the vehicles symbol."},
        {"Place name", Category::UKVehicleNumberPlates, "Vehicles registration counties"},
        {"Place name", Category::USZipCodes, "American States"},
        {"DefaultSaveName", Category::WebDomainNames, "InterDomainNameResults"},
        {"FirstTabAt", Category::WebDomainNames, "1900"},
        {"flxTabAt", Category::InternationalDiallingCodes, "700"},
        {"telephone", Category::RadioCallSigns, "radio call sign"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + decimal_text(c.category));
        EXPECT_EQ(text_for_category(c.key, c.category, list_text), c.text);
    }
}

TEST(TextForCategory, FindsKeysWhateverTheirCaseAndOuterSpaces)
{
    for (const std::string_view key : keys) {
        const std::array<std::string, 5> spellings = {lower(key), upper(key), "  " + std::string(key),
                                                      std::string(key) + " ", " " + lower(key) + "   "};
        for (const auto& spelling : spellings) {
            for (const Category each : {Category::UKDiallingCodes, Category::InternationalDiallingCodes,
                                        Category::USZipCodes}) {
                SCOPED_TRACE("'" + spelling + "' / " + decimal_text(each));
                EXPECT_EQ(text_for_category(spelling, each, list_text), text_for_category(key, each, list_text));
            }
        }
    }
}

TEST(TextForCategory, GridWidthIsTheSameForCapitalsAndSmallLetters)
{
    EXPECT_EQ(text_for_category("FLXTABAT", Category::InternationalDiallingCodes, list_text), "700");
    EXPECT_EQ(text_for_category("flxtabat", Category::InternationalDiallingCodes, list_text), "700");
}

struct FallBackCase {
    std::string_view key;
    Category category;
    std::string_view list_text;
    std::string_view expected;
};

TEST(TextForCategory, FallBacksShowTheKeyAsPassedAndTheListText)
{
    const FallBackCase cases[] = {
        {"Dialling codes", past_the_last, list_text, "No code for Dialling codes"},
        {"Dialling codes", category(-1), list_text, "No code for Dialling codes"},
        {" dialling CODES  ", category(-1), list_text, "No code for  dialling CODES  "},
        {"Diall_Option_Width", past_the_last, list_text, "3000"},
        {"telephone", category(-1), list_text, "data"},
        // An empty list text leaves two spaces between the "?" and "code".
        {"Dialling code directory", category(-1), "", "?  code not found. ?"},
        {"Dialling code directory", past_the_last, "Search for US ZIP codes.",
         "? Search for US ZIP codes. code not found. ?"},
        // Inside the list the list text plays no part.
        {"Dialling code directory", category(0), "", "UK Dialling Code Directory."},
        {"Dialling codes", category(3), "", "Dialing prefix"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + decimal_text(c.category));
        EXPECT_EQ(text_for_category(c.key, c.category, c.list_text), c.expected);
    }
}

TEST(TextForCategory, UnknownKeysAreReportedAsPassedWithTheCategory)
{
    const FallBackCase cases[] = {
        {"flx TabAt", category(0), list_text, "#Can't find; flx TabAt (0)"},
        {"flx TabAt", category(-1), list_text, "#Can't find; flx TabAt (-1)"},
        {" no such key  ", category(5), list_text, "#Can't find;  no such key   (5)"},
        // Only spaces are outer spaces: a Tab is part of the key.
        {"flxTabAt\t", category(3), list_text, "#Can't find; flxTabAt\t (3)"},
        {"Search", category(2), list_text, "#Can't find; Search (2)"},
        {"Search type.", category(12), list_text, "#Can't find; Search type. (12)"},
        {"", category(7), list_text, "#Can't find;  (7)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + decimal_text(c.category));
        EXPECT_EQ(text_for_category(c.key, c.category, c.list_text), c.expected);
    }
}

struct CategoryInfo {
    Category category;
    int index;
    std::string_view list_text;
    std::string_view file_name;
};

TEST(Categories, HaveTheirIndexListTextAndFileName)
{
    const CategoryInfo categories[] = {
        {Category::UKDiallingCodes, 0, "Search for UK dialling codes.", "Directory.dat"},
        {Category::UKPostCodes, 1, "Search for UK post codes.", "PostCodes.dat"},
        {Category::RadioCallSigns, 2, "Search for Radio call signs.", "CallSigns.dat"},
        {Category::InternationalDiallingCodes, 3, "Search for International dialling codes.",
         "InterTelDir.dat"},
        {Category::WebDomainNames, 4, "Search for Web domain names.", "InterDomainNames.dat"},
        {Category::UKVehicleNumberPlates, 5, "Search for UK vehicle number plates.",
         "VehiclePlates.dat"},
        {Category::InternationalCarSymbols, 6, "Search for International car symbols.",
         "InterVehicleSymbols.dat"},
        {Category::USZipCodes, 7, "Search for US ZIP codes.", "ZipCodesUS.dat"},
    };
    static_assert(std::extent_v<decltype(categories)> == category_count, "a case for every category");
    for (const auto& c : categories) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(index_of(c.category), c.index);
        EXPECT_EQ(category_list_texts[c.category], c.list_text);
        EXPECT_EQ(database_file_name(c.category), c.file_name);
    }
    EXPECT_EQ(index_of(Category::None), -1);
    EXPECT_EQ(database_file_name(Category::None), "Database.dat");
    EXPECT_EQ(database_file_name(past_the_last), "Database.dat");
}

// Whether a table of one entry per category can be made from these entries, in braces.
template <typename... Entries>
constexpr bool table_builds_from = requires(Entries... entries) { PerCategory<std::string_view>{entries...}; };

template <std::size_t... Index>
constexpr bool table_builds_from_entries(std::index_sequence<Index...>)
{
    return table_builds_from<category_detail::Entry<std::string_view, Index>...>;
}

template <std::size_t count>
constexpr bool builds_with = table_builds_from_entries(std::make_index_sequence<count>());

TEST(PerCategory, BuildsOnlyFromOneEntryForEachCategory)
{
    EXPECT_TRUE(builds_with<category_count>);
    EXPECT_FALSE(builds_with<category_count - 1>) << "an entry too few builds";
    EXPECT_FALSE(builds_with<category_count + 1>) << "an entry too many builds";
    EXPECT_FALSE(builds_with<0>);
}

TEST(PerCategory, GivesEachCategoryItsEntry)
{
    constexpr PerCategory<std::string_view> table = {"0", "1", "2", "3", "4", "5", "6", "7"};
    for (int index = 0; index < category_count; ++index) EXPECT_EQ(table[category(index)], std::to_string(index));
    EXPECT_EQ(table.size(), std::size_t{category_count});
    for (const std::string_view entry : PerCategory<std::string_view>::filled("same")) EXPECT_EQ(entry, "same");
}

struct TextCase {
    std::string_view text;
    int selected_index;
    int expected;
};

TEST(CategoryFromText, NamesTheCategoryOrFallsBackToTheSelectedEntry)
{
    const TextCase cases[] = {
        {"Search for UK dialling codes.", 5, 0},
        {"Search for UK post codes.", 5, 1},
        {"Search for Radio call signs.", 5, 2},
        {"Search for International dialling codes.", 5, 3},
        {"Search for Web domain names.", 0, 4},
        {"Search for UK vehicle number plates.", 0, 5},
        {"Search for International car symbols.", 0, 6},
        {"Search for US ZIP codes.", -1, 7},
        {"search for us zip codes.", -1, 7},
        {"SEARCH FOR RADIO CALL SIGNS.", -1, 2},
        {"Default", 4, 0},
        {"DEFAULT", 4, 0},
        {"dEfAuLt", -1, 0},
        // Outer spaces count, so these name no category.
        {" Search for UK post codes.", 3, 3},
        {"Search for UK post codes. ", -1, -1},
        {" Default", 6, 6},
        {"Search for UK post codes", 2, 2},
        {"", 6, 6},
        {"", -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + std::string(c.text) + "' / " + std::to_string(c.selected_index));
        EXPECT_EQ(category_from_text(c.text, c.selected_index), category(c.expected));
    }
}

struct DataFileCase {
    std::string category_text;
    std::string_view folder;
    std::string_view expected;
};

TEST(DataFileForCategory, JoinsTheProgramFolderAndTheCategorysFile)
{
    const DataFileCase cases[] = {
        {"0", "/opt/zentrel", "/opt/zentrel/Directory.dat"},
        {"1", "/opt/zentrel", "/opt/zentrel/PostCodes.dat"},
        {"2", "/opt/zentrel", "/opt/zentrel/CallSigns.dat"},
        {"3", "/opt/zentrel", "/opt/zentrel/InterTelDir.dat"},
        {"4", "/opt/zentrel", "/opt/zentrel/InterDomainNames.dat"},
        {"5", "/opt/zentrel", "/opt/zentrel/VehiclePlates.dat"},
        {"6", "/opt/zentrel", "/opt/zentrel/InterVehicleSymbols.dat"},
        {"7", "/opt/zentrel", "/opt/zentrel/ZipCodesUS.dat"},
        // A folder that already ends with the separator gets no second one.
        {"7", "/opt/zentrel/", "/opt/zentrel/ZipCodesUS.dat"},
        {"7", "/", "/ZipCodesUS.dat"},
        // Only "/" separates folders here.
        {"0", "C:\\Zentrel\\", "C:\\Zentrel\\/Directory.dat"},
        // Only exactly a category's index names its file.
        {"-1", "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {"", "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {decimal_text(past_the_last), "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {"9", "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {"07", "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {" 7", "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {"7 ", "/opt/zentrel", "/opt/zentrel/Database.dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("'" + std::string(c.category_text) + "' in '" + std::string(c.folder) + "'");
        EXPECT_EQ(data_file_for_category(c.category_text, c.folder), c.expected);
    }
}

} // namespace
} // namespace zentrel
