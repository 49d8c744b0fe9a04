#include "default_data/restore_stamp.h"

#include "main_window/app_identity.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace zentrel {

namespace {

platform::Clock* default_data_clock = nullptr;

struct CalendarTime {
    int year;
    unsigned month;
    unsigned day;
    long long second_of_day;
};

// A day number counts the days since 30 December 1899; its fraction is the time of day,
// taken to the nearest second (a time that rounds up to midnight belongs to the next day).
CalendarTime calendar_time(platform::DateTime time)
{
    using namespace std::chrono;
    const double whole_days = std::trunc(time.serial);
    long long days_since_epoch = static_cast<long long>(whole_days);
    long long seconds = std::llround(std::fabs(time.serial - whole_days) * 86400.0);
    if (seconds == 86400) {
        seconds = 0;
        ++days_since_epoch;
    }
    const year_month_day date{sys_days{December / 30 / 1899} + days{days_since_epoch}};
    return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
            seconds};
}

// "dd/mm/yyyy - hh:mm:ssAM" or "...PM", under English regional settings.
std::string date_time_picture(platform::DateTime time)
{
    const CalendarTime at = calendar_time(time);
    const long long hour = at.second_of_day / 3600;
    const long long hour_12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d - %02lld:%02lld:%02lld%s", at.day,
                  at.month, at.year, hour_12, at.second_of_day / 60 % 60, at.second_of_day % 60,
                  hour < 12 ? "AM" : "PM");
    return text;
}

void lower_case_ascii(std::string& text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
}

void blank_if_zero(std::string& text, std::size_t position)
{
    if (position < text.size() && text[position] == '0') text[position] = ' ';
}

platform::DateTime system_local_time()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return platform::make_date_time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                    local.tm_min, local.tm_sec);
}

} // namespace

std::string restore_time_text(platform::DateTime now)
{
    std::string text = date_time_picture(now);
    lower_case_ascii(text);
    blank_if_zero(text, 0);  // the day's leading zero
    blank_if_zero(text, 13); // the hour's: after "dd/mm/yyyy" and " - "
    return text;
}

std::string Restore_Stamp(std::string_view last_updated_line, platform::DateTime now)
{
    std::string stamp(last_updated_line);
    stamp += "\r\n# This file was restored on; ";
    stamp += restore_time_text(now);
    stamp += "\r\n# ";
    stamp += App_Title;
    stamp += " by ";
    stamp += App_Copyright;
    return stamp;
}

void set_default_data_clock(platform::Clock* clock)
{
    default_data_clock = clock;
}

platform::DateTime default_data_now()
{
    return default_data_clock != nullptr ? default_data_clock->now() : system_local_time();
}

} // namespace zentrel
