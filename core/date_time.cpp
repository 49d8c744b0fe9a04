#include "core/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace zentrel {

namespace {

constexpr double seconds_per_day = 86400.0;
constexpr std::chrono::sys_days day_zero{std::chrono::December / 30 / 1899};

// The second of the day of a day number's fraction, rounded to the nearest whole second;
// 86400 when it rounds up to the next midnight.
long long rounded_second(double serial)
{
    return std::llround(std::fabs(serial - std::trunc(serial)) * seconds_per_day);
}

} // namespace

DateTime make_date_time(int year, int month, int day, int hour, int minute, int second)
{
    using namespace std::chrono;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    const auto days_since = static_cast<double>((sys_days{date} - day_zero).count());
    const double time = (hour * 3600.0 + minute * 60.0 + second) / seconds_per_day;
    // Before day zero the fraction still counts forward from the day's midnight.
    return DateTime{days_since >= 0 ? days_since + time : days_since - time};
}

DateTime local_now()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return make_date_time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec);
}

CalendarTime calendar_time(DateTime time)
{
    using namespace std::chrono;
    auto whole_days = static_cast<long long>(std::trunc(time.serial));
    long long second = rounded_second(time.serial);
    if (second == 86400) {
        second = 0;
        ++whole_days;
    }
    const year_month_day date{day_zero + days{whole_days}};
    return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
            second};
}

std::string format_clock_time(DateTime time)
{
    const long long seconds = rounded_second(time.serial) % 86400;
    const long long hour = seconds / 3600;
    const long long hour_12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, " %lld:%02lld:%02lld%s", hour_12, seconds / 60 % 60, seconds % 60,
                  hour < 12 ? "am" : "pm");
    return text;
}

std::string format_elapsed(DateTime later, DateTime earlier)
{
    const long long seconds = rounded_second(later.serial - earlier.serial) % 86400;
    char text[32];
    std::snprintf(text, sizeof text, " %lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

} // namespace zentrel
