#pragma once
// Numbers to text and back as the program shows and reads them: the pictures "0" and
// "#,###,###,###,##0", the Val reading of the number a text begins with, and the
// conversions to whole numbers that round a half to the even neighbour. The thousands
// separator is "," (English settings) whatever the process locale says.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The picture "0": the nearest whole number, a half away from zero; never "-0".
std::string format_whole(double value);

// The picture "#,###,###,###,##0": digits in groups of three joined by ",".
std::string format_grouped(long long value);

// The number that `text` begins with: spaces, Tabs and LF are skipped anywhere, then an
// optional sign, digits, an optional "." with digits and an optional exponent (E or D);
// "&H" and "&O" read hexadecimal and octal. A text without a number gives 0.
// Throws 6 (overflow) for a number beyond the range of a double.
double val(std::string_view text);

// The nearest whole number, a half to the even neighbour; throws 6 when out of range.
long long round_half_even(double value);

// round_half_even into 32 and 16 bits; throw 6 (overflow) when the result does not fit.
std::int32_t clng(double value);
std::int16_t cint(double value);

} // namespace platform
