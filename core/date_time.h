#pragma once
// A local date and time as the program keeps it: a day number whose whole part counts
// the days since 30 December 1899 and whose fraction is the time of day. The zero value
// is midnight of that day, which is what a time that was never set shows.
#include <string>

namespace zentrel {

struct DateTime {
    double serial = 0;
    friend bool operator==(DateTime, DateTime) = default;
};

DateTime make_date_time(int year, int month, int day, int hour, int minute, int second);

// The local date and time of this moment, to the whole second: the program's one
// reading of the system's clock.
DateTime local_now();

// A day number taken apart: the date, and the second of the day rounded to the nearest
// second (a time that rounds up to midnight belongs to the next day).
struct CalendarTime {
    int year;
    unsigned month;
    unsigned day;
    long long second_of_day;
};

CalendarTime calendar_time(DateTime time);

// " h:nn:ssam/pm": a blank, the hour on the 12-hour clock without a leading zero,
// two-digit minutes and seconds, and "am" or "pm" ("14:05:09" gives " 2:05:09pm").
std::string format_clock_time(DateTime time);

// " h:nn:ss" of the difference of two times: a blank, then hours on the 24-hour clock
// without a leading zero, minutes and seconds; whole days are not shown.
std::string format_elapsed(DateTime later, DateTime earlier);

} // namespace zentrel
