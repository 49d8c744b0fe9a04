#pragma once
// Who the program is: its title and product name, what it does, its copyright and its
// version (shown as 2.09.0008).
namespace zentrel {

inline constexpr const char* App_Title = "Zentrel";
inline constexpr const char* App_ProductName = "Zentrel";
inline constexpr const char* App_FileDescription = "UK Dialling code directory";
inline constexpr const char* App_Copyright = "Copyright (C) 1995-2026 the Zentrel developers";
inline constexpr int App_Major = 2;
inline constexpr int App_Minor = 9;
inline constexpr int App_Revision = 8;

} // namespace zentrel
