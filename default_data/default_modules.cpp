#include "default_data/default_modules.h"

#include "default_data/data_tables.h"
#include "main_window/category_texts.h"

namespace zentrel {

namespace {

constexpr std::string_view no_restore_stamp;

} // namespace

DefaultDataModule& modDefaultDIRECTORY()
{
    static DefaultDataModule module({.name = "modDefaultDIRECTORY",
                                     .line_count = 5273,
                                     .filler_count = 28,
                                     .placeholder = directory_placeholder,
                                     .table = uk_dialling_codes_lines,
                                     .last_updated_line = "# Last updated: 16th April 1995"});
    return module;
}

DefaultDataModule& modDefaultPOSTCODES()
{
    static DefaultDataModule module({.name = "modDefaultPOSTCODES",
                                     .line_count = 2905,
                                     .filler_count = 15,
                                     .placeholder = postcode_placeholder,
                                     .table = uk_post_codes_lines,
                                     .last_updated_line = "# Last updated: 20th July 1996"});
    return module;
}

DefaultDataModule& modDefaultCALLSIGNS()
{
    static DefaultDataModule module({.name = "modDefaultCALLSIGNS",
                                     .line_count = 925,
                                     .filler_count = 5,
                                     .placeholder = directory_placeholder,
                                     .table = radio_call_signs_lines,
                                     .last_updated_line = no_restore_stamp});
    return module;
}

DefaultDataModule& modDefaultInternationalTel()
{
    // The count is 9999 although the data ends at its "#End_Of_Data#" on line 551.
    static DefaultDataModule module({.name = "modDefaultInternationalTel",
                                     .line_count = 9999,
                                     .filler_count = 3,
                                     .placeholder = directory_placeholder,
                                     .table = international_dialling_codes_lines,
                                     .last_updated_line = no_restore_stamp});
    return module;
}

DefaultDataModule& modDefaultWebDomainNames()
{
    static DefaultDataModule module({.name = "modDefaultWebDomainNames",
                                     .line_count = 251,
                                     .filler_count = 2,
                                     .placeholder = directory_placeholder,
                                     .table = web_domain_names_lines,
                                     .last_updated_line = no_restore_stamp});
    return module;
}

DefaultDataModule& modDefaultUKNumberPlates()
{
    static DefaultDataModule module({.name = "modDefaultUKNumberPlates",
                                     .line_count = 628,
                                     .filler_count = 4,
                                     .placeholder = directory_placeholder,
                                     .table = uk_number_plates_lines,
                                     .last_updated_line = no_restore_stamp});
    return module;
}

DefaultDataModule& modDefaultInternationalCarIDs()
{
    static DefaultDataModule module({.name = "modDefaultInternationalCarIDs",
                                     .line_count = 149,
                                     .filler_count = 1,
                                     .placeholder = directory_placeholder,
                                     .table = international_vehicle_symbols_lines,
                                     .last_updated_line = no_restore_stamp});
    return module;
}

DefaultDataModule& modDefaultUSZipCodes()
{
    static DefaultDataModule module({.name = "modDefaultUSZipCodes",
                                     .line_count = 42159,
                                     .filler_count = 211,
                                     .placeholder = directory_placeholder,
                                     .table = us_zip_codes_lines,
                                     .last_updated_line = no_restore_stamp});
    return module;
}

DefaultDataModule* default_data_for_category(int category)
{
    switch (category) {
    case Category_UKDiallingCodes: return &modDefaultDIRECTORY();
    case Category_UKPostCodes: return &modDefaultPOSTCODES();
    case Category_RadioCallSigns: return &modDefaultCALLSIGNS();
    case Category_InternationalDiallingCodes: return &modDefaultInternationalTel();
    case Category_WebDomainNames: return &modDefaultWebDomainNames();
    case Category_UKVehicleNumberPlates: return &modDefaultUKNumberPlates();
    case Category_InternationalCarSymbols: return &modDefaultInternationalCarIDs();
    case Category_USZipCodes: return &modDefaultUSZipCodes();
    default: return nullptr;
    }
}

} // namespace zentrel
