// The restore stamp: its time text on the telling dates, its three lines, and element 8 of
// the post-code and dialling-code modules rebuilt from the clock on every call of block 1.
#include "default_data/default_modules.h"
#include "default_data/restore_stamp.h"
#include "core/app_identity.h"
#include "support/test_doubles.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {
namespace {

// The module of one category, which the restore command would use.
DefaultDataModule& module_of(Category category) { return *default_data_for_category(category); }


using zentrel::make_date_time;

TEST(RestoreTimeText, BlanksOnlyTheLeadingZerosOfDayAndHour)
{
    const struct {
        zentrel::DateTime time;
        std::string_view text;
    } cases[] = {
        {make_date_time(2024, 7, 5, 15, 4, 5), " 5/07/2024 -  3:04:05pm"},
        {make_date_time(2023, 12, 25, 10, 30, 0), "25/12/2023 - 10:30:00am"},
        {make_date_time(2024, 3, 15, 0, 0, 0), "15/03/2024 - 12:00:00am"},
        {make_date_time(2024, 3, 15, 12, 0, 0), "15/03/2024 - 12:00:00pm"},
        {make_date_time(2009, 9, 9, 9, 9, 9), " 9/09/2009 -  9:09:09am"},
        {make_date_time(1999, 12, 31, 23, 59, 59), "31/12/1999 - 11:59:59pm"},
        {make_date_time(2010, 10, 1, 1, 0, 0), " 1/10/2010 -  1:00:00am"},
        {make_date_time(2000, 2, 29, 20, 0, 7), "29/02/2000 -  8:00:07pm"},
        {make_date_time(2005, 6, 12, 11, 36, 58), "12/06/2005 - 11:36:58am"},
        // A fraction of a second before midnight rounds to the next day.
        {{make_date_time(2024, 2, 28, 23, 59, 59).serial + 0.6 / 86400}, "29/02/2024 - 12:00:00am"},
        {zentrel::DateTime{}, "30/12/1899 - 12:00:00am"},
    };
    for (const auto& c : cases) EXPECT_EQ(restore_time_text(c.time), c.text);
}

std::string identity_line()
{
    return std::string("# ") + app_title + " by " + app_copyright;
}

TEST(RestoreStamp, IsThreeLinesJoinedByCrLf)
{
    const std::string stamp = Restore_Stamp("# Last updated: 20th July 1996", make_date_time(2024, 7, 5, 15, 4, 5));
    EXPECT_EQ(stamp, "# Last updated: 20th July 1996\r\n"
                     "# This file was restored on;  5/07/2024 -  3:04:05pm\r\n" +
                         identity_line());
    EXPECT_NE(stamp.substr(stamp.size() - 2), "\r\n");
}

std::vector<std::string> crlf_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class RestoreStampModules : public testing::Test {
protected:
    std::string stamp_at(DefaultDataModule& module, zentrel::DateTime time)
    {
        return Restore_Stamp(module.last_updated_line(), time);
    }

    testing_support::FixedClock clock;
};

TEST_F(RestoreStampModules, EachModuleStampsWithItsOwnLastUpdatedLine)
{
    clock.time = make_date_time(2023, 12, 25, 10, 30, 0);
    const std::string time = "# This file was restored on; 25/12/2023 - 10:30:00am\r\n";
    EXPECT_EQ(module_of(Category::UKPostCodes).Default_Line(8, clock), "# Last updated: 20th July 1996\r\n" + time + identity_line());
    EXPECT_EQ(module_of(Category::UKDiallingCodes).Default_Line(8, clock), "# Last updated: 16th April 1995\r\n" + time + identity_line());
    EXPECT_FALSE(module_of(Category::RadioCallSigns).has_restore_stamp());
    EXPECT_EQ(module_of(Category::RadioCallSigns).Default_Line(8, clock).find("\r\n"), std::string::npos) << "one fixed comment line";
}

TEST_F(RestoreStampModules, ElementEightIsRebuiltOnEveryCallOfTheFirstBlockOnly)
{
    for (DefaultDataModule* module : {&module_of(Category::UKPostCodes), &module_of(Category::UKDiallingCodes)}) {
        SCOPED_TRACE(std::string(module->name()));
        const auto first = make_date_time(2024, 7, 5, 15, 4, 5);
        const auto second = make_date_time(2024, 7, 5, 15, 4, 6);
        clock.time = first;
        EXPECT_EQ(module->Default_Line(8, clock), stamp_at(*module, first));
        clock.time = second;
        EXPECT_EQ(module->Default_Line(8, clock), stamp_at(*module, second)) << "a second later, another stamp";

        // Any line of block 1 rebuilds it ...
        for (const std::int32_t n : {1, 9, 150, 200}) {
            clock.time = make_date_time(2009, 9, 9, 9, 9, n % 60);
            module->Default_Line(n, clock);
            EXPECT_EQ(module->Default_Lines()[8], stamp_at(*module, clock.time)) << "line " << n;
        }
        // ... and no other line does.
        const std::string last_stamp = module->Default_Lines()[8];
        clock.time = make_date_time(2030, 1, 1, 0, 0, 0);
        for (const std::int32_t n : {0, 201, 2000}) {
            module->Default_Line(n, clock);
            EXPECT_EQ(module->Default_Lines()[8], last_stamp) << "line " << n;
        }
    }
}

TEST_F(RestoreStampModules, StandsBetweenTheHeaderCommentsAndTheEmptyLine)
{
    clock.time = make_date_time(2024, 7, 5, 15, 4, 5);
    DefaultDataModule& module = module_of(Category::UKPostCodes);
    EXPECT_EQ(module.Default_Line(7, clock), "#");
    EXPECT_EQ(module.Default_Line(9, clock), "");

    // Written out with CR LF after each line, element 8 becomes lines 8 to 10 of the file.
    std::string file;
    for (std::int32_t n = 1; n <= 9; ++n) file += module.Default_Line(n, clock) + "\r\n";
    const std::vector<std::string> file_lines = crlf_lines(file);
    ASSERT_EQ(file_lines.size(), 11u);
    EXPECT_EQ(file_lines[7], "# Last updated: 20th July 1996");
    EXPECT_EQ(file_lines[8], "# This file was restored on;  5/07/2024 -  3:04:05pm");
    EXPECT_EQ(file_lines[9], identity_line());
    EXPECT_EQ(file_lines[10], "");
}

zentrel::DateTime system_local_time()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return make_date_time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec);
}

TEST(RestoreStampClock, WithoutAClockTheSystemsLocalTimeIsRead)
{
    const std::string before = restore_time_text(system_local_time());
    const std::string stamp = module_of(Category::UKPostCodes).Default_Line(8);
    const std::string after = restore_time_text(system_local_time());
    EXPECT_TRUE(stamp.find(before) != std::string::npos || stamp.find(after) != std::string::npos)
        << stamp << " not between " << before << " and " << after;
}

} // namespace
} // namespace zentrel
