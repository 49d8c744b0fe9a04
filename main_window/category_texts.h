#pragma once
// Everything the windows show that differs between the categories: the per-category text
// table that gives every caption, hint, heading, file name, width and noun, the category
// a list text names, and the path of a category's database file. Nothing here keeps
// state; the category is always derived afresh from the category list's text.
#include "core/category.h"

#include <string>
#include <string_view>

namespace zentrel {

// The text of the per-category table for a key and a category. The key is found without
// regard to letter case or outer spaces; a value that is no listed category takes the
// key's fall-back text. list_text is the category list's current text, which the window title's
// fall-back shows. A key that is not in the table gives "#Can't find; " text.
std::string text_for_category(std::string_view key, Category category, std::string_view list_text);

// The category that a category-list text names, or the one at selected_index (-1 when
// no entry is selected) when it names none. The caller replaces an empty text by the
// list's text.
Category category_from_text(std::string_view text, int selected_index);

// The full path of the database file of a category given as decimal text (its index as
// decimal_text writes it; any other text gives "Database.dat"), in the program's folder.
std::string data_file_for_category(std::string_view category_text, std::string_view program_folder);

} // namespace zentrel
