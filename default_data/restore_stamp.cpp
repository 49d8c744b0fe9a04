#include "default_data/restore_stamp.h"

#include "core/app_identity.h"

#include <cstdio>

namespace zentrel {

namespace {

// "dd/mm/yyyy - hh:mm:ssAM" or "...PM", under English regional settings.
std::string date_time_picture(DateTime time)
{
    const CalendarTime at = calendar_time(time);
    const long long hour = at.second_of_day / 3600;
    const long long hour_12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d - %02lld:%02lld:%02lld%s", at.day, at.month, at.year, hour_12,
                  at.second_of_day / 60 % 60, at.second_of_day % 60, hour < 12 ? "AM" : "PM");
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

} // namespace

std::string restore_time_text(DateTime now)
{
    std::string text = date_time_picture(now);
    lower_case_ascii(text);
    blank_if_zero(text, 0);  // the day's leading zero
    blank_if_zero(text, 13); // the hour's: after "dd/mm/yyyy" and " - "
    return text;
}

std::string Restore_Stamp(std::string_view last_updated_line, DateTime now)
{
    std::string stamp(last_updated_line);
    stamp += "\r\n# This file was restored on; ";
    stamp += restore_time_text(now);
    stamp += "\r\n# ";
    stamp += app_title;
    stamp += " by ";
    stamp += app_copyright;
    return stamp;
}

} // namespace zentrel
