#include "main_window/category_texts.h"

#include "core/paths.h"
#include "platform/text.h"

#include <algorithm>

namespace zentrel {

namespace {

// How a row builds its text for a value that is no listed category.
enum class FallBack {
    Listed,      // the row's own "other" text
    WindowTitle, // "? ", the category list's text, " code not found. ?"
    NoCodeFor,   // "No code for ", the key as the caller passed it
};

struct TextRow {
    std::string_view key;
    PerCategory<std::string_view> by_category;
    std::string_view other;
    FallBack fall_back = FallBack::Listed;
};

constexpr TextRow same_for_every_category(std::string_view key)
{
    return {key, PerCategory<std::string_view>::filled(key), key};
}

// The rows in the order the keys are looked up; the first equal key wins.
constexpr std::array<TextRow, 18> text_table = {{
    {"Dialling code directory",
     {"UK Dialling Code Directory.", "UK Post Code Directory.", "Radio Call Sign Directory.",
      "International Dialling Code Directory.", "Web Domain Name Directory.",
      "UK Vehicle Number Plate Directory.", "International Car Symbol Directory.",
      "US ZIP Code Directory."},
     {},
     FallBack::WindowTitle},
    same_for_every_category("Search type"),
    same_for_every_category("Select your search category here."),
    same_for_every_category("Search for"),
    {"Dialling codes",
     {"Dialling codes", "Post codes", "Call sign", "Dialing prefix", "URL abbreviations",
      "Plate letter", "Abbreviation", "ZIP code"},
     {},
     FallBack::NoCodeFor},
    {"Dialling areas",
     {"Dialling areas", "Postal areas", "Countries", "Dialling countries", "Countries",
      "Car registration areas", "Countries", "Postal areas"},
     "ERROR IN CODE"},
    {"Diall_Option_Width",
     {"1450", "1450", "1200", "1750", "1800", "2200", "1450", "1450"},
     "3000"},
    {"Search for names from a number.",
     {"Search for names from a number.", "Get the postal area from a post code.",
      "Get the country name from the call sign.",
      "Get the country name from the dialling prefix.",
      "Get the country name from the Web domain name.",
      "Get the vehicle reg area from the plate letter.",
      "Get the country name from the vehicles symbol.",
      "Get the American state from the ZIP code."},
     "ERROR IN CODE"},
    {"Search for numbers from a name.",
     {"Search for numbers from a name.", "Get post code from the postal area.",
      "Get the call sign from the name of the country.",
      "Search for the dialling prefix from a country name.",
      "Get the Web domain name from the name of the country.",
      "Get the plate letter from the vehicle reg area.",
      "Get the vehicles symbol from the country name.", "Get the ZIP code from the state name."},
     "ERROR IN CODE"},
    same_for_every_category("Enter your search pattern here."),
    same_for_every_category("&Search"),
    same_for_every_category("Get the list of matches."),
    {"Area code",
     {"Area code", "Post code", "Call sign", "Prefix", "URL part", "Index mark", "Car symbol",
      "ZIP code"},
     "- ERROR -"},
    {"Place name",
     {"Place name", "Postal area name", "Country", "Country", "Country",
      "Vehicles registration counties", "Countries", "American States"},
     "- ERROR IN CODE -"},
    {"DefaultSaveName",
     {"DirectoryResults", "PostCodeResults", "CallsignResults", "InternationalDirectoryResults",
      "InterDomainNameResults", "UKVehiclePlateResults", "VehicleSymbolResults",
      "USZipCodeResults"},
     "DataResults"},
    {"FirstTabAt",
     {"1600", "1600", "1600", "1600", "1900", "1600", "1600", "1600"},
     "2600"},
    {"flxTabAt",
     {"1100", "1100", "1000", "700", "1000", "1200", "1200", "900"},
     "1100"},
    {"telephone",
     {"UK telephone", "UK post code", "radio call sign", "international dialling code",
      "Web domain name", "UK vehicle number plate", "international vehicle symbol",
      "US ZIP code"},
     "data"},
}};

bool equal_ignoring_case(std::string_view left, std::string_view right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
        return platform::upper_byte(static_cast<unsigned char>(a)) ==
               platform::upper_byte(static_cast<unsigned char>(b));
    });
}

const TextRow* find_row(std::string_view key)
{
    const auto wanted = platform::trim_view(key);
    for (const auto& row : text_table) {
        if (equal_ignoring_case(wanted, row.key)) return &row;
    }
    return nullptr;
}

std::string fall_back_text(const TextRow& row, std::string_view key, std::string_view list_text)
{
    switch (row.fall_back) {
    case FallBack::WindowTitle:
        return "? " + std::string(list_text) + " code not found. ?";
    case FallBack::NoCodeFor:
        return "No code for " + std::string(key);
    case FallBack::Listed:
        break;
    }
    return std::string(row.other);
}

} // namespace

std::string text_for_category(std::string_view key, Category category, std::string_view list_text)
{
    const TextRow* row = find_row(key);
    if (row == nullptr) {
        return "#Can't find; " + std::string(key) + " (" + decimal_text(category) + ")";
    }
    if (is_listed(category)) return std::string(row->by_category[category]);
    return fall_back_text(*row, key, list_text);
}

Category category_from_text(std::string_view text, int selected_index)
{
    for (int index = 0; index < category_count; ++index) {
        const auto category = static_cast<Category>(index);
        if (equal_ignoring_case(text, category_list_texts[category])) return category;
    }
    if (equal_ignoring_case(text, "Default")) return Category::UKDiallingCodes;
    return static_cast<Category>(selected_index);
}

std::string data_file_for_category(std::string_view category_text, std::string_view program_folder)
{
    // Only a category's own decimal text names it: no sign, no leading zero, no space.
    Category category = Category::None;
    for (int index = 0; index < category_count; ++index) {
        if (category_text == decimal_text(static_cast<Category>(index))) category = static_cast<Category>(index);
    }
    return path_in_folder(program_folder, database_file_name(category));
}

} // namespace zentrel
