#include "platform/formats.h"

#include "platform/runtime_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace platform {

namespace {

// Wide enough for every double in fixed notation: 309 digits and a sign.
constexpr std::size_t fixed_double_size = 320;

// Below this a rounded double is converted exactly through long long.
constexpr double integer_path_limit = 1e18;

char upper_ascii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Reads a text for val(), stepping over the blanks that it ignores anywhere.
class ValCursor final {
public:
    explicit ValCursor(std::string_view text) : text_(text) {}

    // The next character that is not a blank, upper-cased; '\0' at the end.
    char peek()
    {
        while (position_ < text_.size() && is_blank(text_[position_])) ++position_;
        return position_ < text_.size() ? upper_ascii(text_[position_]) : '\0';
    }
    void advance() { ++position_; }
    bool take(char wanted)
    {
        if (peek() != wanted) return false;
        advance();
        return true;
    }

private:
    static bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t position_ = 0;
};

int digit_value(char c, unsigned radix)
{
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < radix ? value : -1;
}

// "&H" and "&O" numbers: a value that fits in 16 bits is a 16-bit signed integer
// ("&HFFFF" is -1) unless a "&" follows it; a larger one is a 32-bit signed integer.
double read_radix_number(ValCursor& cursor, unsigned radix)
{
    std::uint64_t value = 0;
    for (int digit = digit_value(cursor.peek(), radix); digit >= 0;
         digit = digit_value(cursor.peek(), radix)) {
        value = value * radix + static_cast<unsigned>(digit);
        if (value > 0xFFFF'FFFFu) raise_error(error::overflow);
        cursor.advance();
    }
    if (value <= 0xFFFFu && cursor.peek() != '&') return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(value);
}

std::size_t append_digits(ValCursor& cursor, std::string& number)
{
    std::size_t count = 0;
    for (char c = cursor.peek(); c >= '0' && c <= '9'; c = cursor.peek()) {
        number += c;
        cursor.advance();
        ++count;
    }
    return count;
}

long read_exponent(ValCursor& cursor)
{
    constexpr long exponent_limit = 1L << 30;
    if (!cursor.take('E') && !cursor.take('D')) return 0;
    const bool negative = cursor.take('-');
    if (!negative) cursor.take('+');
    long exponent = 0;
    for (char c = cursor.peek(); c >= '0' && c <= '9'; c = cursor.peek()) {
        if (exponent < exponent_limit) exponent = exponent * 10 + (c - '0');
        cursor.advance();
    }
    return negative ? -exponent : exponent;
}

// The power of ten of the first digit that is not 0; `number` holds one such digit.
long leading_power_of_ten(const std::string& number, long exponent)
{
    const auto point = std::min(number.find('.'), number.size());
    const auto first = number.find_first_not_of("0.");
    const auto power = first < point ? static_cast<long>(point - first) - 1
                                     : -static_cast<long>(first - point);
    return power + exponent;
}

double decimal_value(const std::string& number, long exponent)
{
    if (number.find_first_not_of("0.") == std::string::npos) return 0;
    const std::string text = number + "e" + std::to_string(exponent);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (leading_power_of_ten(number, exponent) > 0) raise_error(error::overflow);
        return 0; // too small for a double
    }
    return value;
}

double read_decimal_number(ValCursor& cursor)
{
    const bool negative = cursor.take('-');
    if (!negative) cursor.take('+');
    std::string number;
    std::size_t digits = append_digits(cursor, number);
    if (cursor.take('.')) {
        number += '.';
        digits += append_digits(cursor, number);
    }
    if (digits == 0) return 0;
    const double value = decimal_value(number, read_exponent(cursor));
    return negative && value != 0 ? -value : value;
}

double rounded_half_even(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// The rounded value when it lies within [low, high]; NaN and infinities never do.
double rounded_within(double value, double low, double high)
{
    const double rounded = rounded_half_even(value);
    if (!(rounded >= low && rounded <= high)) raise_error(error::overflow);
    return rounded;
}

} // namespace

std::string format_whole(double value)
{
    // Through long long a rounded -0.4 loses its sign: "0", never "-0".
    const double rounded = std::round(value);
    char text[fixed_double_size];
    const auto result = std::fabs(rounded) < integer_path_limit
        ? std::to_chars(text, text + sizeof text, static_cast<long long>(rounded))
        : std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, 0);
    return std::string(text, result.ptr);
}

std::string format_grouped(long long value)
{
    auto magnitude = static_cast<unsigned long long>(value);
    if (value < 0) magnitude = 0 - magnitude;
    char text[32];
    char* const end = text + sizeof text;
    char* cursor = end;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) *--cursor = ',';
        *--cursor = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (value < 0) *--cursor = '-';
    return std::string(cursor, end);
}

double val(std::string_view text)
{
    ValCursor cursor(text);
    if (cursor.take('&')) {
        if (cursor.take('H')) return read_radix_number(cursor, 16);
        if (cursor.take('O')) return read_radix_number(cursor, 8);
        return 0;
    }
    return read_decimal_number(cursor);
}

long long round_half_even(double value)
{
    // The largest double below 2^63; every double in range converts exactly.
    constexpr double high = 9223372036854774784.0;
    constexpr double low = -9223372036854775808.0;
    return static_cast<long long>(rounded_within(value, low, high));
}

std::int32_t clng(double value)
{
    return static_cast<std::int32_t>(rounded_within(value, std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max()));
}

std::int16_t cint(double value)
{
    return static_cast<std::int16_t>(rounded_within(value, std::numeric_limits<std::int16_t>::min(),
                                                    std::numeric_limits<std::int16_t>::max()));
}

} // namespace platform
