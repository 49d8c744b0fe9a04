#include "platform/formats.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace {

using platform::RuntimeError;

int error_number_of(void (*action)())
{
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(FormatWhole, RoundsHalvesAwayFromZero)
{
    const struct {
        double value;
        std::string_view text;
    } cases[] = {
        {0.0, "0"},           {-0.0, "0"},        {0.4, "0"},           {-0.4, "0"},
        {0.5, "1"},           {-0.5, "-1"},       {1.5, "2"},           {2.5, "3"},
        {-2.5, "-3"},         {2.4999, "2"},      {0.49999999999999994, "0"},
        {99.5, "100"},        {91.3, "91"},       {100.0, "100"},       {-17.6, "-18"},
        {123456789.0, "123456789"},               {1e18, "1000000000000000000"},
        {-1e20, "-100000000000000000000"},
        {4503599627370497.0, "4503599627370497"}, // beyond the halves, every double is whole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(platform::format_whole(c.value), c.text);
    }
}

TEST(FormatWhole, ShowsTheProgressOfASearch)
{
    // 20-character lines with CR LF: the progress never passes 91.
    EXPECT_EQ(platform::format_whole(20.0 * 100 / 22), "91");
    EXPECT_EQ(platform::format_whole(1.0 * 100 / 3), "33");
    EXPECT_EQ(platform::format_whole(2.0 * 100 / 3), "67");
}

TEST(FormatGrouped, GroupsDigitsInThrees)
{
    const struct {
        long long value;
        std::string_view text;
    } cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {1234, "1,234"},
        {50000, "50,000"},
        {123456, "123,456"},
        {1200000, "1,200,000"},
        {-1, "-1"},
        {-999, "-999"},
        {-1234, "-1,234"},
        {-1200000, "-1,200,000"},
        {std::numeric_limits<long long>::max(), "9,223,372,036,854,775,807"},
        {std::numeric_limits<long long>::min(), "-9,223,372,036,854,775,808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(platform::format_grouped(c.value), c.text);
    }
}

TEST(Val, ReadsTheNumberATextBeginsWith)
{
    const struct {
        std::string_view text;
        double value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"1450", 1450},
        {"1100 ", 1100},
        {"9999", 9999},
        {"  12 34abc", 1234},
        {"\t\n 42", 42},
        {"4\t2\n7", 427},
        {"-5", -5},
        {"+5", 5},
        {"- 5", -5},
        {"--5", 0},
        {"-", 0},
        {"3.25", 3.25},
        {".5", 0.5},
        {"1.", 1},
        {".", 0},
        {"1.2.3", 1.2},
        {"1,000", 1},
        {"2 . 5", 2.5},
        {"1E3", 1000},
        {"1e3", 1000},
        {"1D3", 1000},
        {"1d-2", 0.01},
        {"2.5E+2x", 250},
        {"1E", 1},
        {"1E+", 1},
        {"1Ex", 1},
        {"1 E 2", 100},
        {"12abc34", 12},
        {"0042", 42},
        {"-0", 0},
        {"1e-400", 0},
        {"\r5", 0}, // a CR is not a blank
        {"&HFF", 255},
        {"&hff", 255},
        {"&H7FFF", 32767},
        {"&HFFFF", -1},
        {"&H8000", -32768},
        {"&HFFFF&", 65535},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&HG", 0},
        {"&H", 0},
        {"&O17", 15},
        {"&o777", 511},
        {"&O18", 1},
        {"&", 0},
        {"abc&H10", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_DOUBLE_EQ(platform::val(c.text), c.value);
    }
}

TEST(Val, NeverGivesNegativeZero)
{
    EXPECT_FALSE(std::signbit(platform::val("-0")));
    EXPECT_FALSE(std::signbit(platform::val("-0.000")));
}

TEST(Val, ReadsLongDigitRunsExactly)
{
    EXPECT_DOUBLE_EQ(platform::val(std::string(300, '0') + "12"), 12);
    EXPECT_DOUBLE_EQ(platform::val("0." + std::string(300, '0') + "1e301"), 1);
}

TEST(Val, OverflowsBeyondTheRangeOfADouble)
{
    EXPECT_EQ(error_number_of([] { platform::val("1e400"); }), platform::error::overflow);
    EXPECT_EQ(error_number_of([] { platform::val("-1e309"); }), platform::error::overflow);
    EXPECT_EQ(error_number_of([] { platform::val("&H100000000"); }), platform::error::overflow);
    EXPECT_EQ(error_number_of([] { platform::val(std::string(400, '9')); }),
              platform::error::overflow);
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour)
{
    const struct {
        double value;
        long long rounded;
    } cases[] = {
        {0.0, 0},   {0.5, 0},   {1.5, 2},     {2.5, 2},     {3.5, 4},   {-0.5, 0},
        {-1.5, -2}, {-2.5, -2}, {0.49, 0},    {0.51, 1},    {2.6, 3},   {-2.6, -3},
        {9999, 9999},           {1e15 + 0.5, 1000000000000000},
        {-9223372036854775808.0, std::numeric_limits<long long>::min()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(platform::round_half_even(c.value), c.rounded);
    }
}

TEST(RoundHalfEven, OverflowsOutsideTheRange)
{
    using platform::error::overflow;
    EXPECT_EQ(error_number_of([] { platform::round_half_even(9223372036854775808.0); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::round_half_even(-1e19); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::round_half_even(std::nan("")); }), overflow);
    EXPECT_EQ(error_number_of([] {
        platform::round_half_even(std::numeric_limits<double>::infinity());
    }), overflow);
}

TEST(Clng, ConvertsWithinThirtyTwoBits)
{
    const struct {
        double value;
        std::int32_t converted;
    } cases[] = {
        {9999, 9999},         {2.5, 2},           {3.5, 4},
        {-2.5, -2},           {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},               {-2147483648.0, -2147483647 - 1},
        {-2147483648.5, -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(platform::clng(c.value), c.converted);
    }
}

TEST(Clng, OverflowsOutsideThirtyTwoBits)
{
    using platform::error::overflow;
    EXPECT_EQ(error_number_of([] { platform::clng(2147483647.5); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::clng(2147483648.0); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::clng(-2147483648.6); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::clng(std::nan("")); }), overflow);
}

TEST(Cint, ConvertsWithinSixteenBits)
{
    const struct {
        double value;
        std::int16_t converted;
    } cases[] = {
        {0.5, 0}, {1.5, 2}, {-1.5, -2}, {32767.0, 32767}, {32767.4, 32767},
        {-32768.0, -32768}, {-32768.5, -32768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(platform::cint(c.value), c.converted);
    }
}

TEST(Cint, OverflowsOutsideSixteenBits)
{
    using platform::error::overflow;
    EXPECT_EQ(error_number_of([] { platform::cint(32767.5); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::cint(32768.0); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::cint(-32768.6); }), overflow);
    EXPECT_EQ(error_number_of([] { platform::cint(1e10); }), overflow);
}

} // namespace
