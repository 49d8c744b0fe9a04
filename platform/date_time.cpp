#include "platform/date_time.h"

#include <cmath>
#include <cstdio>

namespace platform {

namespace {

constexpr double seconds_per_day = 86400.0;

// Days from 1 March of year 0 to the given civil date (proleptic Gregorian calendar).
long long days_from_civil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned year_of_era = static_cast<unsigned>(year - era * 400);
    const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + static_cast<long long>(day_of_era);
}

// The second of the day of a day number, rounded to the nearest whole second.
long long second_of_day(double serial)
{
    const double fraction = std::fabs(serial - std::trunc(serial));
    return std::llround(fraction * seconds_per_day) % 86400;
}

} // namespace

DateTime make_date_time(int year, int month, int day, int hour, int minute, int second)
{
    const long long days = days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                           days_from_civil(1899, 12, 30);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / seconds_per_day;
    return DateTime{days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time};
}

std::string format_clock_time(DateTime time)
{
    const long long seconds = second_of_day(time.serial);
    const long long hour = seconds / 3600;
    const long long hour_12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, " %lld:%02lld:%02lld%s", hour_12, seconds / 60 % 60, seconds % 60,
                  hour < 12 ? "am" : "pm");
    return text;
}

std::string format_elapsed(DateTime later, DateTime earlier)
{
    const long long seconds = second_of_day(later.serial - earlier.serial);
    char text[32];
    std::snprintf(text, sizeof text, " %lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

} // namespace platform
