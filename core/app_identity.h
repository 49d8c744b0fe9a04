#pragma once
// Who the program is: its title and product name, what it does, its copyright and its
// version (shown as 2.09.0008).
namespace zentrel {

inline constexpr const char* app_title = "Zentrel";
inline constexpr const char* app_product_name = "Zentrel";
inline constexpr const char* app_file_description = "UK Dialling code directory";
inline constexpr const char* app_copyright = "Copyright (C) 1995-2026 the Zentrel developers";
inline constexpr int app_major = 2;
inline constexpr int app_minor = 9;
inline constexpr int app_revision = 8;

} // namespace zentrel
