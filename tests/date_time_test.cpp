// Local date-times as day numbers, and the two time formats of the information window.
#include "core/date_time.h"

#include <gtest/gtest.h>

using zentrel::DateTime;
using zentrel::make_date_time;

TEST(DateTime, DayNumbersCountFromTheLastDaysOf1899)
{
    EXPECT_EQ(make_date_time(1899, 12, 30, 0, 0, 0).serial, 0);
    EXPECT_EQ(make_date_time(1900, 1, 1, 0, 0, 0).serial, 2);
    EXPECT_EQ(make_date_time(2000, 1, 1, 0, 0, 0).serial, 36526);
    EXPECT_EQ(make_date_time(2000, 1, 1, 12, 0, 0).serial, 36526.5);
    EXPECT_EQ(make_date_time(2024, 2, 29, 0, 0, 0).serial + 1, make_date_time(2024, 3, 1, 0, 0, 0).serial);
}

TEST(DateTime, ClockTimeUsesTheTwelveHourClock)
{
    const struct {
        int hour, minute, second;
        const char* text;
    } cases[] = {
        {14, 5, 9, " 2:05:09pm"}, {0, 0, 0, " 12:00:00am"}, {12, 0, 0, " 12:00:00pm"},
        {11, 59, 59, " 11:59:59am"}, {23, 0, 1, " 11:00:01pm"}, {9, 30, 0, " 9:30:00am"},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(zentrel::format_clock_time(make_date_time(2026, 12, 10, each.hour, each.minute, each.second)),
                  each.text);
    }
    EXPECT_EQ(zentrel::format_clock_time(DateTime{}), " 12:00:00am") << "a time never set is midnight";
}

TEST(DateTime, ElapsedTimeDropsWholeDays)
{
    const DateTime start = make_date_time(2026, 12, 10, 23, 59, 50);
    const struct {
        DateTime end;
        const char* text;
    } cases[] = {
        {start, " 0:00:00"},
        {make_date_time(2026, 12, 11, 0, 0, 5), " 0:00:15"},
        {make_date_time(2026, 12, 11, 1, 1, 2), " 1:01:12"},
        {make_date_time(2026, 12, 12, 1, 0, 0), " 1:00:10"},
    };
    for (const auto& each : cases) EXPECT_EQ(zentrel::format_elapsed(each.end, start), each.text);
    EXPECT_EQ(zentrel::format_elapsed(DateTime{}, DateTime{}), " 0:00:00");
}
