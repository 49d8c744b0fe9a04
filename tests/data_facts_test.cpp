// Records of the built-in sets held against the facts they state, beyond the numbers the
// data-set checker proves: the radio call signs are of one time, the first half of 1984
// (the time of the set's own fixed rows), and the number plates' marks stand at the
// offices the published lists give them.
#include "tests/data_sets.h"
#include "tests/support/data_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

using namespace testing_support;

namespace {

bool holds_record(const DataLines& lines, std::string_view record)
{
    return std::find(lines.begin(), lines.end(), record) != lines.end();
}

bool holds_prefix(const DataLines& lines, std::string_view prefix)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.size() > prefix.size() && line.compare(0, prefix.size(), prefix) == 0 && line[prefix.size()] == ' ';
    });
}

} // namespace

// The Soviet Union's series stand as its own, none as a successor state's of the 1990s;
// the Baltic states' series of before 1940 stand as the Soviet republics'.
TEST(RadioCallSignsOfTheirTime, TheSovietSeriesAreTheSovietUnions)
{
    const DataLines lines = data_lines(radio_call_signs());
    for (const char* record : {"EK USSR", "EM USSR", "EN USSR", "EO USSR", "ER USSR", "EU USSR", "EV USSR", "EW USSR",
                               "EX USSR", "EY USSR", "EZ USSR", "ES USSR: Estonia", "LY USSR: Lithuania",
                               "YL USSR: Latvia"}) {
        EXPECT_TRUE(holds_record(lines, record)) << record;
    }
}

// Prefixes that were gone by 1984 (the United States' possessions before the FCC's system
// of 1978, British colonies' prefixes) or came after it (Namibia, Micronesia, the Marshall
// Islands, Aruba, Britain's novice and M licences) do not stand, and the names are of 1984.
TEST(RadioCallSignsOfTheirTime, NoPrefixOfAnotherTimeStands)
{
    const DataLines lines = data_lines(radio_call_signs());
    for (const char* prefix : {"KR6", "KS4", "KZ5", "KG6", "KJ6", "KM6", "KP6", "KS6", "KV4", "KW6", "VR3", "VP4", "V5",
                               "V6", "V7", "P4", "MD"}) {
        EXPECT_FALSE(holds_prefix(lines, prefix)) << prefix;
    }
    for (const char* record : {"2E Great Britain: England", "KB6 USA: Baker/Howland Islands", "XY Burma/Myanmar",
                               "EW Belarus (Aircraft)"}) {
        EXPECT_FALSE(holds_record(lines, record)) << record;
    }
    for (const char* record : {"PJ3 Netherlands Antilles: Aruba", "KH7 USA: Kure Island", "XY Burma", "XT2 Upper Volta"}) {
        EXPECT_TRUE(holds_record(lines, record)) << record;
    }
}

// The north of Scotland: BS, Orkney's mark, was issued at Aberdeen from 1980, AS (Nairn's)
// at Inverness; SO is the one record fitted to Inverness's count of five.
TEST(UKNumberPlatesFacts, TheNorthOfScotlandsMarksStandAtTheirOffices)
{
    const DataLines lines = data_lines(uk_number_plates());
    for (const char* record : {"BS Aberdeen", "AS Inverness", "SO Inverness"}) {
        EXPECT_TRUE(holds_record(lines, record)) << record;
    }
}
