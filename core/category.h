#pragma once
// The search categories: their order, the entries of the category list and the
// names of their database files. The category is never stored by the program; it is
// derived afresh from the category list's text whenever it is needed.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace zentrel {

// The index of a category's entry in the category list, or None. A value outside the
// listed categories is no category; the texts and the file name then take their
// fall-back values. A new category goes last, after USZipCodes (see CONTRIBUTING.md).
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

constexpr int index_of(Category category) { return static_cast<int>(category); }

// The number of listed categories, counted from the last one.
inline constexpr int category_count = index_of(Category::USZipCodes) + 1;

constexpr bool is_listed(Category category)
{
    return index_of(category) >= 0 && index_of(category) < category_count;
}

// The category as decimal text, the form in which the database file look-up takes it.
inline std::string decimal_text(Category category) { return std::to_string(index_of(category)); }

namespace category_detail {

template <typename T, std::size_t>
using Entry = T;

template <typename T, typename Indices>
class Table;

// The constructor takes one parameter for each index, so that a list with an entry too
// few or too many finds no constructor.
template <typename T, std::size_t... Index>
class Table<T, std::index_sequence<Index...>> {
public:
    constexpr Table(Entry<T, Index>... entries) : entries_{std::move(entries)...} {}

    // The table with the same entry for every category.
    static constexpr Table filled(const T& entry) { return Table(((void)Index, entry)...); }

    // The entry of a listed category (is_listed).
    constexpr const T& operator[](Category category) const
    {
        return entries_[static_cast<std::size_t>(index_of(category))];
    }
    constexpr auto begin() const { return entries_.begin(); }
    constexpr auto end() const { return entries_.end(); }
    static constexpr std::size_t size() { return sizeof...(Index); }

private:
    std::array<T, sizeof...(Index)> entries_;
};

} // namespace category_detail

// A table with one entry for each category, in category order, looked up by the
// category. It is made from exactly one entry per category: a list of one entry too few
// or too many does not build, where the braces of a std::array would give the missing
// category an empty entry.
template <typename T>
using PerCategory = category_detail::Table<T, std::make_index_sequence<category_count>>;

// The entries of the category list, in category order.
inline constexpr PerCategory<std::string_view> category_list_texts = {
    "Search for UK dialling codes.",
    "Search for UK post codes.",
    "Search for Radio call signs.",
    "Search for International dialling codes.",
    "Search for Web domain names.",
    "Search for UK vehicle number plates.",
    "Search for International car symbols.",
    "Search for US ZIP codes.",
};

// The database file name of a category; "Database.dat" for any value that is no listed
// category.
constexpr std::string_view database_file_name(Category category)
{
    constexpr PerCategory<std::string_view> names = {
        "Directory.dat",        "PostCodes.dat",     "CallSigns.dat",           "InterTelDir.dat",
        "InterDomainNames.dat", "VehiclePlates.dat", "InterVehicleSymbols.dat", "ZipCodesUS.dat",
    };
    return is_listed(category) ? names[category] : "Database.dat";
}

} // namespace zentrel
