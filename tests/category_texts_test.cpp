#include "main_window/category_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>

namespace zentrel {
namespace {

constexpr std::string_view list_text = "Search for nothing at all.";

// Texts for categories 0 to 7, then the fall-back for any other category value when the
// category list shows list_text.
struct KeyTexts {
    std::string_view key;
    std::array<std::string_view, 9> texts;
};

const std::array<KeyTexts, 18> expected_table = {{
    {"Dialling code directory",
     {"UK Dialling Code Directory.", "UK Post Code Directory.", "Radio Call Sign Directory.",
      "International Dialling Code Directory.", "Web Domain Name Directory.",
      "UK Vehicle Number Plate Directory.", "International Car Symbol Directory.",
      "US ZIP Code Directory.", "? Search for nothing at all. code not found. ?"}},
    {"Search type",
     {"Search type", "Search type", "Search type", "Search type", "Search type", "Search type",
      "Search type", "Search type", "Search type"}},
    {"Select your search category here.",
     {"Select your search category here.", "Select your search category here.",
      "Select your search category here.", "Select your search category here.",
      "Select your search category here.", "Select your search category here.",
      "Select your search category here.", "Select your search category here.",
      "Select your search category here."}},
    {"Search for",
     {"Search for", "Search for", "Search for", "Search for", "Search for", "Search for",
      "Search for", "Search for", "Search for"}},
    {"Dialling codes",
     {"Dialling codes", "Post codes", "Call sign", "Dialing prefix", "URL abbreviations",
      "Plate letter", "Abbreviation", "ZIP code", "No code for Dialling codes"}},
    {"Dialling areas",
     {"Dialling areas", "Postal areas", "Countries", "Dialling countries", "Countries",
      "Car registration areas", "Countries", "Postal areas", "ERROR IN CODE"}},
    {"Diall_Option_Width",
     {"1450", "1450", "1200", "1750", "1800", "2200", "1450", "1450", "3000"}},
    {"Search for names from a number.",
     {"Search for names from a number.", "Get the postal area from a post code.",
      "Get the country name from the call sign.",
      "Get the country name from the dialling prefix.",
      "Get the country name from the Web domain name.",
      "Get the vehicle reg area from the plate letter.",
      "Get the country name from the vehicles symbol.",
      "Get the American state from the ZIP code.", "ERROR IN CODE"}},
    {"Search for numbers from a name.",
     {"Search for numbers from a name.", "Get post code from the postal area.",
      "Get the call sign from the name of the country.",
      "Search for the dialling prefix from a country name.",
      "Get the Web domain name from the name of the country.",
      "Get the plate letter from the vehicle reg area.",
      "Get the vehicles symbol from the country name.", "Get the ZIP code from the state name.",
      "ERROR IN CODE"}},
    {"Enter your search pattern here.",
     {"Enter your search pattern here.", "Enter your search pattern here.",
      "Enter your search pattern here.", "Enter your search pattern here.",
      "Enter your search pattern here.", "Enter your search pattern here.",
      "Enter your search pattern here.", "Enter your search pattern here.",
      "Enter your search pattern here."}},
    {"&Search",
     {"&Search", "&Search", "&Search", "&Search", "&Search", "&Search", "&Search", "&Search",
      "&Search"}},
    {"Get the list of matches.",
     {"Get the list of matches.", "Get the list of matches.", "Get the list of matches.",
      "Get the list of matches.", "Get the list of matches.", "Get the list of matches.",
      "Get the list of matches.", "Get the list of matches.", "Get the list of matches."}},
    {"Area code",
     {"Area code", "Post code", "Call sign", "Prefix", "URL part", "Index mark", "Car symbol",
      "ZIP code", "- ERROR -"}},
    {"Place name",
     {"Place name", "Postal area name", "Country", "Country", "Country",
      "Vehicles registration counties", "Countries", "American States", "- ERROR IN CODE -"}},
    {"DefaultSaveName",
     {"DirectoryResults", "PostCodeResults", "CallsignResults", "InternationalDirectoryResults",
      "InterDomainNameResults", "UKVehiclePlateResults", "VehicleSymbolResults",
      "USZipCodeResults", "DataResults"}},
    {"FirstTabAt", {"1600", "1600", "1600", "1600", "1900", "1600", "1600", "1600", "2600"}},
    {"flxTabAt", {"1100", "1100", "1000", "700", "1000", "1200", "1200", "900", "1100"}},
    {"telephone",
     {"UK telephone", "UK post code", "radio call sign", "international dialling code",
      "Web domain name", "UK vehicle number plate", "international vehicle symbol",
      "US ZIP code", "data"}},
}};

constexpr std::array<int, 4> categories_outside_the_list = {-1, 8, 9, 32767};

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

TEST(TextForCategory, GivesEveryKeysTextForEveryCategory)
{
    for (const auto& row : expected_table) {
        for (int category = 0; category < 8; ++category) {
            SCOPED_TRACE(std::string(row.key) + " / " + std::to_string(category));
            EXPECT_EQ(text_for_category(row.key, category, list_text), row.texts[category]);
        }
    }
}

TEST(TextForCategory, GivesTheFallBackForCategoriesOutsideTheList)
{
    for (const auto& row : expected_table) {
        for (int category : categories_outside_the_list) {
            SCOPED_TRACE(std::string(row.key) + " / " + std::to_string(category));
            EXPECT_EQ(text_for_category(row.key, category, list_text), row.texts[8]);
        }
    }
}

TEST(TextForCategory, FindsKeysWhateverTheirCaseAndOuterSpaces)
{
    for (const auto& row : expected_table) {
        const std::array<std::string, 5> spellings = {
            lower(row.key), upper(row.key), "  " + std::string(row.key), std::string(row.key) + " ",
            " " + lower(row.key) + "   "};
        for (const auto& spelling : spellings) {
            for (int category : {0, 3, 7}) {
                SCOPED_TRACE("'" + spelling + "' / " + std::to_string(category));
                EXPECT_EQ(text_for_category(spelling, category, list_text), row.texts[category]);
            }
        }
    }
}

TEST(TextForCategory, GridWidthIsTheSameForCapitalsAndSmallLetters)
{
    EXPECT_EQ(text_for_category("FLXTABAT", 3, list_text), "700");
    EXPECT_EQ(text_for_category("flxtabat", 3, list_text), "700");
}

struct FallBackCase {
    std::string_view key;
    int category;
    std::string_view list_text;
    std::string_view expected;
};

TEST(TextForCategory, FallBacksShowTheKeyAsPassedAndTheListText)
{
    const FallBackCase cases[] = {
        {"Dialling codes", 8, list_text, "No code for Dialling codes"},
        {"Dialling codes", -1, list_text, "No code for Dialling codes"},
        {" dialling CODES  ", -1, list_text, "No code for  dialling CODES  "},
        {"Diall_Option_Width", 8, list_text, "3000"},
        {"telephone", -1, list_text, "data"},
        // An empty list text leaves two spaces between the "?" and "code".
        {"Dialling code directory", -1, "", "?  code not found. ?"},
        {"Dialling code directory", 8, "Search for US ZIP codes.",
         "? Search for US ZIP codes. code not found. ?"},
        // Inside the list the list text plays no part.
        {"Dialling code directory", 0, "", "UK Dialling Code Directory."},
        {"Dialling codes", 3, "", "Dialing prefix"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + std::to_string(c.category));
        EXPECT_EQ(text_for_category(c.key, c.category, c.list_text), c.expected);
    }
}

TEST(TextForCategory, UnknownKeysAreReportedAsPassedWithTheCategory)
{
    const FallBackCase cases[] = {
        {"flx TabAt", 0, list_text, "#Can't find; flx TabAt (0)"},
        {"flx TabAt", -1, list_text, "#Can't find; flx TabAt (-1)"},
        {" no such key  ", 5, list_text, "#Can't find;  no such key   (5)"},
        // Only spaces are outer spaces: a Tab is part of the key.
        {"flxTabAt\t", 3, list_text, "#Can't find; flxTabAt\t (3)"},
        {"Search", 2, list_text, "#Can't find; Search (2)"},
        {"Search type.", 12, list_text, "#Can't find; Search type. (12)"},
        {"", 7, list_text, "#Can't find;  (7)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + std::to_string(c.category));
        EXPECT_EQ(text_for_category(c.key, c.category, c.list_text), c.expected);
    }
}

struct CategoryInfo {
    SearchCategory constant;
    int index;
    std::string_view list_text;
    std::string_view file_name;
};

TEST(Categories, HaveTheirIndexListTextAndFileName)
{
    const CategoryInfo categories[] = {
        {Category_UKDiallingCodes, 0, "Search for UK dialling codes.", "Directory.dat"},
        {Category_UKPostCodes, 1, "Search for UK post codes.", "PostCodes.dat"},
        {Category_RadioCallSigns, 2, "Search for Radio call signs.", "CallSigns.dat"},
        {Category_InternationalDiallingCodes, 3, "Search for International dialling codes.",
         "InterTelDir.dat"},
        {Category_WebDomainNames, 4, "Search for Web domain names.", "InterDomainNames.dat"},
        {Category_UKVehicleNumberPlates, 5, "Search for UK vehicle number plates.",
         "VehiclePlates.dat"},
        {Category_InternationalCarSymbols, 6, "Search for International car symbols.",
         "InterVehicleSymbols.dat"},
        {Category_USZipCodes, 7, "Search for US ZIP codes.", "ZipCodesUS.dat"},
    };
    for (const auto& c : categories) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.constant, c.index);
        EXPECT_EQ(category_list_texts[c.index], c.list_text);
        EXPECT_EQ(database_file_name(c.index), c.file_name);
    }
    EXPECT_EQ(Category_None, -1);
    EXPECT_EQ(database_file_name(Category_None), "Database.dat");
    EXPECT_EQ(database_file_name(8), "Database.dat");
}

struct TextCase {
    std::string_view text;
    int selected_index;
    SearchCategory expected;
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
        EXPECT_EQ(category_from_text(c.text, c.selected_index), c.expected);
    }
}

struct DataFileCase {
    std::string_view category_text;
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
        // Only exactly "0" to "7" names a category's file.
        {"-1", "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {"", "/opt/zentrel", "/opt/zentrel/Database.dat"},
        {"8", "/opt/zentrel", "/opt/zentrel/Database.dat"},
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
