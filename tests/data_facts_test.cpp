// Records of the built-in sets held against the facts they state, beyond the numbers the
// data-set checker proves: the radio call signs are of one time, the first half of 1984
// (the time of the set's own fixed rows), and the number plates' marks stand at the
// offices the published lists give them.
#include "tests/data_sets.h"
#include "tests/support/data_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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
// Islands, Aruba, Britain's novice and M licences, Prince Edward Island's VY2) do not stand,
// and the names are of 1984: St. Paul Island stands at VY0, its prefix from 1976.
TEST(RadioCallSignsOfTheirTime, NoPrefixOfAnotherTimeStands)
{
    const DataLines lines = data_lines(radio_call_signs());
    for (const char* prefix : {"KR6", "KS4", "KZ5", "KG6", "KJ6", "KM6", "KP6", "KS6", "KV4", "KW6", "VR3", "VP4", "V5",
                               "V6", "V7", "P4", "MD", "VK9L", "VK9M", "3Y0", "VP1", "VP2A", "VP2D", "VP2G", "VP2L", "VP2S",
                               "FR5", "FG5", "FM5", "VY2"}) {
        EXPECT_FALSE(holds_prefix(lines, prefix)) << prefix;
    }
    for (const char* record : {"2E Great Britain: England", "KB6 USA: Baker/Howland Islands", "XY Burma/Myanmar",
                               "EW Belarus (Aircraft)"}) {
        EXPECT_FALSE(holds_record(lines, record)) << record;
    }
    for (const char* record : {"PJ3 Netherlands Antilles: Aruba", "KH7 USA: Kure Island", "XY Burma", "XT2 Upper Volta",
                               "VY0 Canada: St.Paul Island"}) {
        EXPECT_TRUE(holds_record(lines, record)) << record;
    }
}

// Australia's external territories stand at their prefixes of the first half of 1984:
// Cocos-Keeling VK9Y and Lord Howe Island VK9H (VK9C and VK9L came in 1992), Mellish Reef
// VK9Z (its first VK9M call was of October 1984).
TEST(RadioCallSignsOfTheirTime, AustraliasTerritoriesStandAtTheirPrefixesOf1984)
{
    const DataLines lines = data_lines(radio_call_signs());
    for (const char* record : {"VK9Y Australia: Cocos Island", "VK9H Australia: Lord Howe Island",
                               "VK9Z Australia: Mellish Reef", "VK9N Australia: Norfolk Island",
                               "VK9W Australia: Willis Island", "VK9X Australia: Christmas Island"}) {
        EXPECT_TRUE(holds_record(lines, record)) << record;
    }
}

// The records of another time that the counts force are these and no others: each shape,
// place and qualifier whose count the records of 1984 cannot fill holds exactly the records
// of 1984 and the declared ones (BS7H, BV9P, KH7K, VK9C; VK9C, VP3, VP6, VP7; DM, DT; CY,
// CY0, CY9, VE9).
TEST(RadioCallSignsOfTheirTime, OnlyTheDeclaredRecordsAreOfAnotherTime)
{
    const DataLines lines = data_lines(radio_call_signs());
    struct Case {
        const char* what;
        std::function<bool(const std::string& prefix, const std::string& name)> holds;
        std::vector<std::string> prefixes;
    };
    const auto shape_of = [](const std::string& prefix) {
        std::string shape;
        for (const char c : prefix) {
            shape += (c >= '0' && c <= '9') ? 'D' : 'L';
        }
        return shape;
    };
    const std::vector<Case> cases = {
        {"letter, letter, digit, letter",
         [&](const std::string& prefix, const std::string&) { return shape_of(prefix) == "LLDL"; },
         {"BS7H", "BV9P", "CE0X", "CE0Y", "CE0Z", "FB8W", "FB8X", "FB8Y", "FB8Z", "KH5K", "KH7K", "VK9C", "VK9H",
          "VK9N", "VK9W", "VK9X", "VK9Y", "VK9Z", "VP2E", "VP2M", "VP2V"}},
        {"between the fixed VK9 and VP8 rows",
         [](const std::string& prefix, const std::string&) {
             return prefix > "VK9" && prefix < "VP8";
         },
         {"VK9C", "VK9H", "VK9N", "VK9W", "VK9X", "VK9Y", "VK9Z", "VL", "VM", "VN", "VO", "VO1", "VO2", "VP", "VP2",
          "VP2E", "VP2M", "VP2V", "VP3", "VP5", "VP6", "VP7"}},
        {"(GDR)", [](const std::string&, const std::string& name) { return name.find("(GDR)") != std::string::npos; },
         {"DM", "DT", "Y2", "Y3", "Y4", "Y5", "Y6", "Y7", "Y8", "Y9"}},
        {"Canada before the colon",
         [](const std::string&, const std::string& name) { return name.rfind("Canada: ", 0) == 0; },
         {"CY", "CY0", "CY9", "VE0", "VE2", "VE3", "VE4", "VE5", "VE6", "VE7", "VE8", "VE9", "VO", "VO1", "VO2", "VY",
          "VY0", "VY1"}},
    };
    for (const Case& each : cases) {
        std::vector<std::string> found;
        for (const std::string& line : lines) {
            const auto space = line.find(' ');
            if (space == std::string::npos || line[0] == '#' || line[0] == ':') {
                continue;
            }
            const std::string prefix = line.substr(0, space);
            if (each.holds(prefix, line.substr(space + 1))) {
                found.push_back(prefix);
            }
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, each.prefixes) << each.what;
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

// The marks stand at the offices and councils the lists give them: Bangor keeps the four
// marks of Gwynedd's old counties and Haverfordwest its two, IV is Limerick County's mark of
// the 1980s, the Z marks of Dublin and Cork are theirs. The records fitted to the counts
// stand as SOURCES.md declares them, so a change to one is a change to the declaration too.
TEST(UKNumberPlatesFacts, TheMarksStandAtTheOfficesTheListsGive)
{
    const DataLines lines = data_lines(uk_number_plates());
    for (const char* record : {"CC Bangor", "JC Bangor", "EY Bangor", "FF Bangor", "BX Haverfordwest",
                               "DE Haverfordwest", "IU Limerick", "IV Limerick", "TI Limerick", "IZ Mayo", "Z Dublin",
                               "ZA Dublin", "ZC Dublin", "ZD Dublin", "ZE Dublin", "ZH Dublin", "ZI Dublin", "ZJ Dublin",
                               "ZL Dublin", "ZO Dublin", "ZU Dublin", "ZV Dublin", "ZB Cork", "ZK Cork", "ZT Cork",
                               "ZF Cork"}) {
        EXPECT_TRUE(holds_record(lines, record)) << record;
    }
    for (const char* fitted : {"EJ Bangor", "WS Bristol", "SO Inverness", "IS Mayo", "SI Dublin", "ZG Dublin",
                               "ZS Dublin"}) {
        EXPECT_TRUE(holds_record(lines, fitted)) << fitted;
    }
}
