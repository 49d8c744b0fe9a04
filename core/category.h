#pragma once
// The eight search categories: their order, the entries of the category list and the
// names of their database files. The category is never stored by the program; it is
// derived afresh from the category list's text whenever it is needed.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zentrel {

// The index of a category's entry in the category list, or None. A value outside 0-7
// is no category; the texts and the file name then take their fall-back values.
enum class Category : std::int16_t {
    None = -1,
    UKDiallingCodes = 0,
    UKPostCodes = 1,
    RadioCallSigns = 2,
    InternationalDiallingCodes = 3,
    WebDomainNames = 4,
    UKVehicleNumberPlates = 5,
    InternationalCarSymbols = 6,
    USZipCodes = 7,
};

inline constexpr int category_count = 8;

constexpr int index_of(Category category) { return static_cast<int>(category); }

constexpr bool is_listed(Category category)
{
    return index_of(category) >= 0 && index_of(category) < category_count;
}

// The category as decimal text, the form in which the database file look-up takes it.
inline std::string decimal_text(Category category) { return std::to_string(index_of(category)); }

// The entries of the category list, in category order.
inline constexpr std::array<std::string_view, category_count> category_list_texts = {
    "Search for UK dialling codes.",
    "Search for UK post codes.",
    "Search for Radio call signs.",
    "Search for International dialling codes.",
    "Search for Web domain names.",
    "Search for UK vehicle number plates.",
    "Search for International car symbols.",
    "Search for US ZIP codes.",
};

// The database file name of a category; "Database.dat" for any value outside 0-7.
constexpr std::string_view database_file_name(Category category)
{
    constexpr std::array<std::string_view, category_count> names = {
        "Directory.dat",        "PostCodes.dat",     "CallSigns.dat",           "InterTelDir.dat",
        "InterDomainNames.dat", "VehiclePlates.dat", "InterVehicleSymbols.dat", "ZipCodesUS.dat",
    };
    return is_listed(category) ? names[static_cast<std::size_t>(index_of(category))] : "Database.dat";
}

} // namespace zentrel
