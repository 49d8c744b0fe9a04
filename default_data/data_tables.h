#pragma once
// The default data files as constant tables, one per data set. Each table is generated at
// build time (tools/embed_lines) from the data file named beside it: entry i is element
// i + 1 of the data set, exactly as the file's line i + 1 holds it.
#include <span>
#include <string_view>

namespace zentrel {

extern const std::span<const std::string_view> uk_dialling_codes_lines;             // uk_dialling/uk_dialling_codes.lines
extern const std::span<const std::string_view> uk_post_codes_lines;                 // uk_post_codes.lines
extern const std::span<const std::string_view> radio_call_signs_lines;              // radio_call_signs.lines
extern const std::span<const std::string_view> international_dialling_codes_lines;  // international_dialling_codes.lines
extern const std::span<const std::string_view> web_domain_names_lines;              // web_domain_names.lines
extern const std::span<const std::string_view> uk_number_plates_lines;              // uk_number_plates.lines
extern const std::span<const std::string_view> international_vehicle_symbols_lines; // international_vehicle_symbols.lines
extern const std::span<const std::string_view> us_zip_codes_lines;                  // us_zip/us_zip_codes.lines

} // namespace zentrel
