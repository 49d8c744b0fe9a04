#include "default_data/default_modules.h"

#include "default_data/data_tables.h"

#include <vector>

namespace zentrel {

namespace {

constexpr std::string_view no_restore_stamp;

// In category order.
const PerCategory<DefaultDataNumbers> module_numbers = {
    {.name = "modDefaultDIRECTORY",
     .line_count = 5273,
     .filler_count = 28,
     .placeholder = directory_placeholder,
     .table = uk_dialling_codes_lines,
     .last_updated_line = "# Last updated: 16th April 1995"},
    {.name = "modDefaultPOSTCODES",
     .line_count = 2905,
     .filler_count = 15,
     .placeholder = postcode_placeholder,
     .table = uk_post_codes_lines,
     .last_updated_line = "# Last updated: 20th July 1996"},
    {.name = "modDefaultCALLSIGNS",
     .line_count = 925,
     .filler_count = 5,
     .placeholder = directory_placeholder,
     .table = radio_call_signs_lines,
     .last_updated_line = no_restore_stamp},
    // The count is 9999 although the data ends at its "#End_Of_Data#" on line 551.
    {.name = "modDefaultInternationalTel",
     .line_count = 9999,
     .filler_count = 3,
     .placeholder = directory_placeholder,
     .table = international_dialling_codes_lines,
     .last_updated_line = no_restore_stamp},
    {.name = "modDefaultWebDomainNames",
     .line_count = 251,
     .filler_count = 2,
     .placeholder = directory_placeholder,
     .table = web_domain_names_lines,
     .last_updated_line = no_restore_stamp},
    {.name = "modDefaultUKNumberPlates",
     .line_count = 628,
     .filler_count = 4,
     .placeholder = directory_placeholder,
     .table = uk_number_plates_lines,
     .last_updated_line = no_restore_stamp},
    {.name = "modDefaultInternationalCarIDs",
     .line_count = 149,
     .filler_count = 1,
     .placeholder = directory_placeholder,
     .table = international_vehicle_symbols_lines,
     .last_updated_line = no_restore_stamp},
    {.name = "modDefaultUSZipCodes",
     .line_count = 42159,
     .filler_count = 211,
     .placeholder = directory_placeholder,
     .table = us_zip_codes_lines,
     .last_updated_line = no_restore_stamp},
};

std::vector<DefaultDataModule> make_modules()
{
    std::vector<DefaultDataModule> modules;
    modules.reserve(module_numbers.size());
    for (const DefaultDataNumbers& numbers : module_numbers) modules.emplace_back(numbers);
    return modules;
}

} // namespace

DefaultDataModule* default_data_for_category(Category category)
{
    static std::vector<DefaultDataModule> modules = make_modules();
    return is_listed(category) ? &modules[static_cast<std::size_t>(index_of(category))] : nullptr;
}

} // namespace zentrel
