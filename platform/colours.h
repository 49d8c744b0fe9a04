#pragma once
// Colours in the program's 32-bit encoding: 0x00BBGGRR for a red, green and blue
// value, or 0x800000nn for a system colour that is resolved only when drawn.
#include <cstdint>

namespace platform {

using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue)
{
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
           (static_cast<Colour>(blue) << 16);
}

constexpr Colour black = rgb(0, 0, 0);
constexpr Colour red = rgb(255, 0, 0);
constexpr Colour white = rgb(255, 255, 255);

constexpr bool is_system_colour(Colour colour) { return (colour & 0xFF000000u) == 0x80000000u; }

constexpr Colour system_window_background = 0x80000005;
constexpr Colour system_window_text = 0x80000008;
constexpr Colour system_button_face = 0x8000000F;
constexpr Colour system_button_text = 0x80000012;
constexpr Colour system_highlight = 0x8000000D;
constexpr Colour system_highlight_text = 0x8000000E;

} // namespace platform
