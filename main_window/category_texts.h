#pragma once
// The eight search categories and everything that differs between them: the entries of
// the category list, the database file names and the per-category text table that gives
// every caption, hint, heading, file name, width and noun the windows show. Nothing here
// keeps state; the category is always derived afresh from the category list's text.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zentrel {

// The index of a category's entry in the category list, or Category_None.
using SearchCategory = std::int16_t;

constexpr SearchCategory Category_None = -1;
constexpr SearchCategory Category_UKDiallingCodes = 0;
constexpr SearchCategory Category_UKPostCodes = 1;
constexpr SearchCategory Category_RadioCallSigns = 2;
constexpr SearchCategory Category_InternationalDiallingCodes = 3;
constexpr SearchCategory Category_WebDomainNames = 4;
constexpr SearchCategory Category_UKVehicleNumberPlates = 5;
constexpr SearchCategory Category_InternationalCarSymbols = 6;
constexpr SearchCategory Category_USZipCodes = 7;

constexpr int category_count = 8;

// The entries of the category list, in category order.
extern const std::array<std::string_view, category_count> category_list_texts;

// The database file name of a category; "Database.dat" for any value outside 0-7.
std::string_view database_file_name(int category);

// The text of the per-category table for a key and a category. The key is found without
// regard to letter case or outer spaces; a category outside 0-7 takes the key's fall-back
// text. list_text is the category list's current text, which the window title's
// fall-back shows. A key that is not in the table gives "#Can't find; " text.
std::string text_for_category(std::string_view key, int category, std::string_view list_text);

// The category that a category-list text names, or selected_index (-1 when no entry is
// selected) when it names none. The caller replaces an empty text by the list's text.
SearchCategory category_from_text(std::string_view text, int selected_index);

// The full path of the database file of a category given as decimal text ("0" to "7";
// any other text gives "Database.dat"), in the program's folder.
std::string data_file_for_category(std::string_view category_text, std::string_view program_folder);

} // namespace zentrel
