// The restore stamp: its time text on the telling dates, its three lines, and element 8 of
// the post-code and dialling-code modules rebuilt from the clock on every call of block 1.
#include "default_data/default_modules.h"
#include "default_data/restore_stamp.h"
#include "main_window/app_identity.h"
#include "support/test_doubles.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {
namespace {

using platform::make_date_time;

TEST(RestoreTimeText, BlanksOnlyTheLeadingZerosOfDayAndHour)
{
    const struct {
        platform::DateTime time;
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
        {platform::DateTime{}, "30/12/1899 - 12:00:00am"},
    };
    for (const auto& c : cases) EXPECT_EQ(restore_time_text(c.time), c.text);
}

std::string identity_line()
{
    return std::string("# ") + App_Title + " by " + App_Copyright;
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
    void SetUp() override { set_default_data_clock(&clock); }
    void TearDown() override { set_default_data_clock(nullptr); }

    std::string stamp_at(DefaultDataModule& module, platform::DateTime time)
    {
        return Restore_Stamp(module.last_updated_line(), time);
    }

    testing_support::FixedClock clock;
};

TEST_F(RestoreStampModules, EachModuleStampsWithItsOwnLastUpdatedLine)
{
    clock.time = make_date_time(2023, 12, 25, 10, 30, 0);
    const std::string time = "# This file was restored on; 25/12/2023 - 10:30:00am\r\n";
    EXPECT_EQ(modDefaultPOSTCODES().Default_Line(8), "# Last updated: 20th July 1996\r\n" + time + identity_line());
    EXPECT_EQ(modDefaultDIRECTORY().Default_Line(8), "# Last updated: 16th April 1995\r\n" + time + identity_line());
    EXPECT_FALSE(modDefaultCALLSIGNS().has_restore_stamp());
    EXPECT_EQ(modDefaultCALLSIGNS().Default_Line(8).find("\r\n"), std::string::npos) << "one fixed comment line";
}

TEST_F(RestoreStampModules, ElementEightIsRebuiltOnEveryCallOfTheFirstBlockOnly)
{
    for (DefaultDataModule* module : {&modDefaultPOSTCODES(), &modDefaultDIRECTORY()}) {
        SCOPED_TRACE(std::string(module->name()));
        const auto first = make_date_time(2024, 7, 5, 15, 4, 5);
        const auto second = make_date_time(2024, 7, 5, 15, 4, 6);
        clock.time = first;
        EXPECT_EQ(module->Default_Line(8), stamp_at(*module, first));
        clock.time = second;
        EXPECT_EQ(module->Default_Line(8), stamp_at(*module, second)) << "a second later, another stamp";

        // Any line of block 1 rebuilds it ...
        for (const std::int32_t n : {1, 9, 150, 200}) {
            clock.time = make_date_time(2009, 9, 9, 9, 9, n % 60);
            module->Default_Line(n);
            EXPECT_EQ(module->Default_Lines()[8], stamp_at(*module, clock.time)) << "line " << n;
        }
        // ... and no other line does.
        const std::string last_stamp = module->Default_Lines()[8];
        clock.time = make_date_time(2030, 1, 1, 0, 0, 0);
        for (const std::int32_t n : {0, 201, 2000}) {
            module->Default_Line(n);
            EXPECT_EQ(module->Default_Lines()[8], last_stamp) << "line " << n;
        }
    }
}

TEST_F(RestoreStampModules, StandsBetweenTheHeaderCommentsAndTheEmptyLine)
{
    clock.time = make_date_time(2024, 7, 5, 15, 4, 5);
    DefaultDataModule& module = modDefaultPOSTCODES();
    EXPECT_EQ(module.Default_Line(7), "#");
    EXPECT_EQ(module.Default_Line(9), "");

    // Written out with CR LF after each line, element 8 becomes lines 8 to 10 of the file.
    std::string file;
    for (std::int32_t n = 1; n <= 9; ++n) file += module.Default_Line(n) + "\r\n";
    const std::vector<std::string> file_lines = crlf_lines(file);
    ASSERT_EQ(file_lines.size(), 11u);
    EXPECT_EQ(file_lines[7], "# Last updated: 20th July 1996");
    EXPECT_EQ(file_lines[8], "# This file was restored on;  5/07/2024 -  3:04:05pm");
    EXPECT_EQ(file_lines[9], identity_line());
    EXPECT_EQ(file_lines[10], "");
}

platform::DateTime system_local_time()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return make_date_time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec);
}

TEST(RestoreStampClock, WithoutAClockTheSystemsLocalTimeIsRead)
{
    set_default_data_clock(nullptr);
    const std::string before = restore_time_text(system_local_time());
    const std::string stamped = restore_time_text(default_data_now());
    const std::string after = restore_time_text(system_local_time());
    EXPECT_TRUE(stamped == before || stamped == after) << stamped << " not between " << before << " and " << after;
}

} // namespace
} // namespace zentrel
