// The descriptions of the built-in web domain-name, international vehicle-symbol and UK
// number-plate data, with every number their documentation states, the searches of their
// edge cases and the file the restore writes; data_set_test.cpp runs them through the
// data-set checker.
#include "tests/data_sets.h"

#include "default_data/default_modules.h"
#include "platform/colours.h"

#include <algorithm>
#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

namespace {

constexpr SearchDirection by_code = SearchDirection::by_code;
constexpr SearchDirection by_name = SearchDirection::by_name;

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> list;
    for (std::string word; in >> word;) list.push_back(word);
    return list;
}

// A tally of the records whose whole line matches `pattern`.
Tally matching(std::string label, std::string pattern, int records)
{
    return {.label = std::move(label), .scope = {.lines = {}, .where = {.field = "line", .pattern = std::move(pattern)}},
            .records = records};
}

// The rules the three sets share: printable 7-bit ASCII, no colour tag, a key of capital
// letters, and every result row in the default colours.
void add_common_rules(DataSet& set)
{
    set.shapes.push_back(printable_ascii());
    set.shapes.push_back(no_colour_tag());
    set.tallies.push_back({.label = "records with a colour tag", .scope = {.lines = {}, .where = {.field = "tag", .pattern = ".+"}},
                           .records = 0});
}

constexpr platform::Colour plain_text = platform::system_window_text;
constexpr platform::Colour plain_background = platform::system_window_background;

} // namespace

DataSet web_domain_names()
{
    DataSet set;
    set.label = "WebDomainNames";
    set.module = {.module = &testing_support::module_of<zentrel::Category::WebDomainNames>,
                  .category = zentrel::Category::WebDomainNames,
                  .file_name = "InterDomainNames.dat",
                  .line_count = 251,
                  .upper_bound = 451,
                  .fillers = 2,
                  .stored = {{1, 251}},
                  .end_of_data = 251};
    set.other_lines = {{.lines = {1, 1}, .text = "# Internet domain names"},
                       {.lines = {2, 2}, .text = "# Domain name - Country"},
                       {.lines = {3, 3}, .text = ":Null"},
                       {.lines = {250, 250}, .text = ":Null"},
                       {.lines = {251, 251}, .text = "#End_Of_Data#"}};
    set.record_lines = {{4, 249}};
    set.records = 246;
    set.exactly = {{.label = "every key in file order", .field = "key", .values = words(
                    "AD AE AF AG AI AL AM AN AO AQ AR ARPA AS AT AU AW AZ BA BB BD BE BF BG BH BI BJ BM BN BO BR BS BT "
                    "BV BW BY BZ CA CC CF CG CH CI CK CL CM CN CO COM CR CS CU CV CX CY DE DJ DK DM DO DZ EC EDU EE EG "
                    "EH ES ET FI FJ FK FM FO FR FX GA GB GD GE GF GH GI GL GM GN GOV GP GQ GR GT GU GW GY HK HM HN HR "
                    "HT HU ID IE IL IN INT IO IQ IR IS IT JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR "
                    "LS LT LU LV LY MA MC MD MG MH MIL ML MM MN MO MP MQ MR MS MT MU MV MW MX MY MZ NA NATO NC NE NET "
                    "NF NG NI NL NO NP NR NT NU NZ OM ORG PA PE PF PG PH PK PL PM PN PR PT PW PY QA RE RO RU RW SA SB "
                    "SC SD SE SG SH SI SJ SL SM SN SO SR ST SU SV SY SZ TC TD TF TG TH TJ TK TM TN TO TP TR TT TV TW "
                    "TZ UA UG UK UM US UY UZ VA VC VE VG VI VN VU WF WS YE YU ZA ZM ZR ZW")}};
    add_common_rules(set);
    set.shapes.push_back(no_outer_spaces());
    set.shapes.push_back(no_two_spaces());
    set.shapes.push_back({.label = "key of two to four capital letters", .field = "key", .pattern = "[A-Z]{2,4}"});
    set.shapes.push_back({.label = "name of words of letters and ( ) & . / -", .field = "name",
                          .pattern = "[A-Za-z()&./-]+( [A-Za-z()&./-]+)*"});
    set.lengths = {{.field = "key", .each = {{2, 237}, {3, 7}, {4, 2}}, .each_complete = true},
                   {.field = "line", .min = 7, .max = 35, .at_min = 12, .at_max = 1}};
    set.orders = {{.label = "keys ascending", .field = "key", .strict = true},
                  {.label = "whole lines ascending", .field = "line", .strict = true}};
    set.repeats = {{.label = "keys", .field = "key", .no_two_alike = true},
                   {.label = "names", .field = "name", .distinct = 245, .times = {{"Guyana", 2}}, .others_once = true}};
    set.values = {{.label = "names", .field = "name", .counts = {{"Great Britain (UK)", 1}, {"United Kingdom", 1}}}};
    set.tallies.push_back(matching("with a part in parentheses", R"(.* \([A-Za-z ]+\).*)", 8));
    set.tallies.push_back(matching("with parentheses", R"(.*[()].*)", 8));
    set.tallies.push_back(matching("of the mainly-US bodies", R"(.*\(mainly US\).*)", 3));
    set.tallies.push_back(matching("with \"&\"", ".*&.*", 6));
    set.tallies.push_back(matching("with \"St.\" and no space after the point", R"(.* St\.[A-Z].*)", 4));
    set.tallies.push_back(matching("with a point", R"(.*\..*)", 4));
    set.tallies.push_back(matching("with \"/\"", ".*/.*", 1));
    set.tallies.push_back(matching("with \"-\"", ".*-.*", 5));
    set.blocks = {{.number = 1, .first_record = "AD Andorra", .last_record = "SI Slovenia"},
                  {.number = 2, .lines = {201, 251}, .last_line = "#End_Of_Data#",
                   .first_record = "SJ Svalbard & Jan Mayen Islands", .last_record = "ZW Zimbabwe"}};
    set.quoted = {
        {4, "AD Andorra"},
        {7, "AG Antigua-Barbuda"},
        {11, "AN Netherland Antilles"},
        {14, "AR Argentina"},
        {15, "ARPA Old-style Arpanet"},
        {20, "AZ Azerbaidjan"},
        {21, "BA Bosnia-Herzegovina"},
        {35, "BT Buthan"},
        {38, "BY Bielorussia"},
        {41, "CC Cocos (Keeling) Islands"},
        {51, "COM Commercial (mainly US)"},
        {53, "CS Czechoslovakia"},
        {54, "CU Cuba"},
        {65, "EDU Educational (mainly US)"},
        {77, "FX France (European Territories)"},
        {79, "GB Great Britain (UK)"},
        {82, "GF Guyana"},
        {88, "GOV Government (mainly US)"},
        {95, "GY Guyana"},
        {97, "HM Heard & McDonald Islands"},
        {106, "INT International field"},
        {107, "IO British Indian Ocean Territories"},
        {116, "KG Kirgistan"},
        {120, "KN St.Kitts-Nevis/Anguilla"},
        {125, "KZ Kazachstan"},
        {139, "MD Moldavia"},
        {142, "MIL US military"},
        {159, "NATO Nato military"},
        {162, "NET Network organisation"},
        {170, "NT Neutral Zone"},
        {174, "ORG Non-profit organisation"},
        {182, "PM St.Pierre et Miquelon"},
        {199, "SH St.Helena"},
        {200, "SI Slovenia"},
        {201, "SJ Svalbard & Jan Mayen Islands"},
        {208, "SU Soviet Union"},
        {212, "TC Turks & Caicos Islands"},
        {217, "TJ Tadjikistan"},
        {222, "TP East Timor"},
        {224, "TT Trinidad & Tobago"},
        {230, "UK United Kingdom"},
        {236, "VC St.Vincent & Grenadines"},
        {238, "VG Virgin Islands (British)"},
        {239, "VI Virgin Islands (US)"},
        {242, "WF Wallis & Futuna Islands"},
        {245, "YU Yugoslavia"},
        {248, "ZR Zaire"},
        {249, "ZW Zimbabwe"},
    };

    set.restored = {.lines = 250, .bytes = 3752, .lines_at = {{1, "# Internet domain names"}, {3, ""}, {250, ""}}};
    set.searches = {
        {by_code, "UK", 1, {{"UK", "United Kingdom"}}},
        {by_code, "??", 237, {{"AD", "Andorra"}, {"ZW", "Zimbabwe"}}},
        {by_code, "???", 7,
         {{"COM", "Commercial (mainly US)"},
          {"EDU", "Educational (mainly US)"},
          {"GOV", "Government (mainly US)"},
          {"INT", "International field"},
          {"MIL", "US military"},
          {"NET", "Network organisation"},
          {"ORG", "Non-profit organisation"}}},
        {by_code, "????", 2, {{"ARPA", "Old-style Arpanet"}, {"NATO", "Nato military"}}},
        {by_code, "*", 246, {{"AD", "Andorra"}, {"ARPA", "Old-style Arpanet"}, {"ZW", "Zimbabwe"}}},
        {by_code, "AR*", 2, {{"AR", "Argentina"}, {"ARPA", "Old-style Arpanet"}}},
        {by_code, "uk", 1, {{"UK", "United Kingdom"}}},
        {by_name, "Guyana", 2, {{"GF", "Guyana"}, {"GY", "Guyana"}}},
        {by_name, "*mainly US*", 3,
         {{"COM", "Commercial (mainly US)"}, {"EDU", "Educational (mainly US)"}, {"GOV", "Government (mainly US)"}}},
        {by_name, "Virgin Islands*", 2, {{"VG", "Virgin Islands (British)"}, {"VI", "Virgin Islands (US)"}}},
        {by_name, "*", 246, {}},
        {by_name, "Great Britain", 0, {}},
    };

    set.searches.front().rows.front() = {"UK", "United Kingdom", plain_text, plain_background};
    return set;
}

DataSet international_vehicle_symbols()
{
    DataSet set;
    set.label = "InternationalVehicleSymbols";
    set.module = {.module = &testing_support::module_of<zentrel::Category::InternationalCarSymbols>,
                  .category = zentrel::Category::InternationalCarSymbols,
                  .file_name = "InterVehicleSymbols.dat",
                  .line_count = 149,
                  .upper_bound = 349,
                  .fillers = 1,
                  .stored = {{1, 149}},
                  .end_of_data = 149};
    set.other_lines = {{.lines = {1, 1}, .text = "# International vehicle plates"},
                       {.lines = {2, 2}, .text = "# Letters - Country"},
                       {.lines = {3, 3}, .text = ":Null"},
                       {.lines = {149, 149}, .text = "#End_Of_Data#"}};
    set.record_lines = {{4, 148}};
    set.records = 145;
    set.exactly = {{.label = "every key in file order", .field = "key", .values = words(
                    "A ADN AFG AL AND AUS B BD BDS BG BH BR BRN BRU BS BUR C CDN CH CI CL CO CR CS CY D DDR DK DOM DY "
                    "DZ E EAK EAT EAZ EAU EC ES ET ETH F FJI FL FR GB GBA GBG GBJ GBM GBZ GCA GH GR GUY H HK HKJ I IL "
                    "IND IR IRL IRQ IS J JA K KWT L LAO LAR LB LS M MA MAL MC MEX MS MW N NA NIC NL NZ P PA PAK PE PL "
                    "PNG PY RA RB RC RCA RCB RCH RH RI RIM RL RM RMM RN RO ROK ROU RP RSM RU RWA S SD SF SGP SME SN SU "
                    "SWA SY SYR T TG TN TR TT USA V VN WAG WAL WAN WD WG WL WS WV YU YV Z ZA ZA ZRE ZW")}};
    add_common_rules(set);
    set.shapes.push_back(no_outer_spaces());
    set.shapes.push_back(no_two_spaces());
    set.shapes.push_back({.label = "key of one to three capital letters", .field = "key", .pattern = "[A-Z]{1,3}"});
    set.shapes.push_back({.label = "name of words with one part in parentheses at its end", .field = "name",
                          .pattern = R"([A-Za-z.:-]+( [A-Za-z.:-]+)*( \([A-Za-z.]+( [A-Za-z.]+)*\))?)"});
    set.lengths = {{.field = "key", .each = {{1, 18}, {2, 73}, {3, 54}}, .each_complete = true},
                   {.field = "line", .min = 6, .max = 38, .at_min = 1, .at_max = 1}};
    set.orders = {{.label = "keys ascending", .field = "key", .breaks = {39}}};
    set.repeats = {{.label = "keys", .field = "key", .times = {{"ZA", 2}}, .others_once = true, .apart = std::vector<std::string>{}},
                   {.label = "names", .field = "name", .distinct = 144, .times = {{"Namibia (was SW Africa)", 2}},
                    .others_once = true}};
    set.values = {{.label = "names", .field = "name", .counts = {{"South Africa", 1}, {"United Kingdom", 1}}}};
    set.tallies.push_back(matching("with an earlier name", R"(.* \(was [A-Za-z ]+\))", 24));
    set.tallies.push_back(matching("with a part in parentheses at the end", R"(.* \([^()]+\))", 33));
    set.tallies.push_back(matching("with parentheses", R"(.*[()].*)", 33));
    set.tallies.push_back(matching("of the Windward Islands", R"(.* \(Windward Islands\))", 3));
    set.tallies.push_back(matching("with a colon", ".*:.*", 5));
    set.tallies.push_back(matching("of a United Kingdom place", "GB[A-Z] United Kingdom: [A-Z].*", 5));
    set.tallies.push_back(matching("with a point", R"(.*\..*)", 2));
    set.blocks = {{.number = 1, .lines = {1, 149}, .first_line = "# International vehicle plates",
                   .last_line = "#End_Of_Data#", .first_record = "A Austria",
                   .last_record = "ZW Zimbabwe (was Rhodesia)"}};
    set.quoted = {
        {4, "A Austria"},
        {5, "ADN Yemen (was Aden)"},
        {11, "BD Bangladesh (was E Pakistan)"},
        {14, "BH Belize (was British Honduras)"},
        {19, "BUR Burma"},
        {20, "C Cuba"},
        {24, "CL Sri Lanka (was Ceylon)"},
        {27, "CS Czechoslovakia"},
        {29, "D German Federal Republic"},
        {30, "DDR German Democratic Republic"},
        {33, "DY Benin (was Dahomey)"},
        {35, "E Spain (inc. Spanish Africa)"},
        {37, "EAT Tanzania (was Tanganyika)"},
        {38, "EAZ Tanzania (was Zanzibar)"},
        {39, "EAU Uganda"},
        {40, "EC Ecaudor"},
        {43, "ETH Ethiopia (Arab Republic)"},
        {44, "F France (inc. overseas territories)"},
        {46, "FL Lichtenstein"},
        {48, "GB United Kingdom"},
        {49, "GBA United Kingdom: Alderney"},
        {50, "GBG United Kingdom: Guernsey"},
        {51, "GBJ United Kingdom: Jersey"},
        {52, "GBM United Kingdom: Isle of Man"},
        {53, "GBZ United Kingdom: Gibraltar"},
        {57, "GUY Guyana (was British Guyana)"},
        {70, "K Kampuchea"},
        {73, "LAO Lao (was Laos)"},
        {76, "LS Lesotho (was Basutoland)"},
        {83, "MW Malawi (was Nayasaland)"},
        {85, "NA Netherlands Antilles (Curacao)"},
        {97, "RB Botswana (was Bechuanaland)"},
        {98, "RC Taiwan (was Formosa)"},
        {100, "RCB Congo (was French Congo)"},
        {106, "RM Madagascar (was Malagasy Rep)"},
        {110, "ROK Republic of Korea (was S Korea)"},
        {120, "SME Suriname (was Dutch Guiana)"},
        {122, "SU Union of Soviet Socialist Republics"},
        {123, "SWA Namibia (was SW Africa)"},
        {126, "T Thailand (was Siam)"},
        {132, "V Vatican City (was Holy See)"},
        {133, "VN Viet-Nam (Socialist Republic of)"},
        {137, "WD Dominica (Leeward Islands)"},
        {138, "WG Grenada (Windward Islands)"},
        {139, "WL St Lucia (Windward Islands)"},
        {141, "WV St Vincent (Windward Islands)"},
        {142, "YU Yugoslavia"},
        {144, "Z Zambia (was Northern Rhodesia)"},
        {145, "ZA South Africa"},
        {146, "ZA Namibia (was SW Africa)"},
        {147, "ZRE Zaire (was Belgian Congo)"},
        {148, "ZW Zimbabwe (was Rhodesia)"},
    };

    set.restored = {.lines = 148, .bytes = 2699, .lines_at = {{3, ""}, {148, "ZW Zimbabwe (was Rhodesia)"}}};
    set.searches = {
        {by_code, "ZA", 2, {{"ZA", "South Africa"}, {"ZA", "Namibia (was SW Africa)"}}},
        {by_code, "?", 18, {{"A", "Austria"}, {"C", "Cuba"}, {"Z", "Zambia (was Northern Rhodesia)"}}},
        {by_code, "??", 73, {{"AL", "Albania"}, {"ZW", "Zimbabwe (was Rhodesia)"}}},
        {by_code, "???", 54, {{"ADN", "Yemen (was Aden)"}, {"ZRE", "Zaire (was Belgian Congo)"}}},
        {by_code, "*", 145, {{"A", "Austria"}, {"EAZ", "Tanzania (was Zanzibar)"}, {"EAU", "Uganda"},
                             {"ZW", "Zimbabwe (was Rhodesia)"}}},
        {by_code, "GB*", 6,
         {{"GB", "United Kingdom"},
          {"GBA", "United Kingdom: Alderney"},
          {"GBG", "United Kingdom: Guernsey"},
          {"GBJ", "United Kingdom: Jersey"},
          {"GBM", "United Kingdom: Isle of Man"},
          {"GBZ", "United Kingdom: Gibraltar"}}},
        {by_name, "Tanzania*", 2, {{"EAT", "Tanzania (was Tanganyika)"}, {"EAZ", "Tanzania (was Zanzibar)"}}},
        {by_name, "*Zanzibar*", 1, {{"EAZ", "Tanzania (was Zanzibar)"}}},
        {by_name, "Namibia*", 2, {{"SWA", "Namibia (was SW Africa)"}, {"ZA", "Namibia (was SW Africa)"}}},
        {by_name, "Tanzania", 0, {}},
    };

    set.searches.front().rows = {{"ZA", "South Africa", plain_text, plain_background},
                                 {"ZA", "Namibia (was SW Africa)", plain_text, plain_background}};
    set.searches.front().rows_are_all = true;
    return set;
}

namespace {

// Every pair of the 25 letters without Q, except IG, II and VI, with "Z" and "SCY", in order.
std::vector<std::string> index_marks()
{
    const std::string letters = "ABCDEFGHIJKLMNOPRSTUVWXYZ";
    std::vector<std::string> marks = {"Z", "SCY"};
    for (const char first : letters) {
        for (const char second : letters) {
            const std::string mark{first, second};
            if (mark != "IG" && mark != "II" && mark != "VI") marks.push_back(mark);
        }
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

bool is_issued_mark(const RecordList& records, std::size_t index)
{
    const std::string_view mark = records.field(index, "key");
    if (mark.size() == 2) return mark != "IG" && mark != "II" && mark != "VI";
    return mark == "Z" || mark == "SCY";
}

} // namespace

DataSet uk_number_plates()
{
    DataSet set;
    set.label = "UKNumberPlates";
    set.module = {.module = &testing_support::module_of<zentrel::Category::UKVehicleNumberPlates>,
                  .category = zentrel::Category::UKVehicleNumberPlates,
                  .file_name = "VehiclePlates.dat",
                  .line_count = 628,
                  .upper_bound = 828,
                  .fillers = 4,
                  .stored = {{1, 628}},
                  .end_of_data = 628};
    set.other_lines = {{.lines = {1, 1}, .text = "# UK vehicle index marks"},
                       {.lines = {2, 2}, .text = "# Index Mark - Place Name"},
                       {.lines = {3, 3}, .text = ":Null"},
                       {.lines = {628, 628}, .text = "#End_Of_Data#"}};
    set.record_lines = {{4, 627}};
    set.records = 624;
    set.exactly = {{.label = "every key in file order", .field = "key", .values = index_marks()}};
    add_common_rules(set);
    // Seven records end in spaces; the rules of spaces speak of the rest of the line.
    set.shapes.push_back({.label = "no leading space", .pattern = "[^ ].*"});
    set.shapes.push_back({.label = "no two spaces in a row before the end", .field = "trimmed line",
                          .pattern = ".*  .*", .forbidden = true});
    set.shapes.push_back({.label = "key of capital letters without Q", .field = "key", .pattern = "[A-PR-Z]{1,3}"});
    set.shapes.push_back({.label = "name of words with a part in parentheses at its end", .field = "name",
                          .pattern = R"([A-Za-z-]+( [A-Za-z-]+)*( \([A-Za-z ]+\))?)"});
    set.hooks = {{.name = "an issued mark", .holds = is_issued_mark}};
    set.lengths = {{.field = "key", .each = {{1, 1}, {2, 622}, {3, 1}}, .each_complete = true},
                   {.field = "trimmed line", .min = 7, .max = 28, .at_min = 16, .at_max = 1}};
    set.orders = {{.label = "keys ascending", .field = "key", .strict = true}};
    set.repeats = {{.label = "keys", .field = "key", .no_two_alike = true},
                   {.label = "names", .field = "name", .distinct = 92},
                   {.label = "names of marks without I or Z", .scope = {.lines = {}, .where = {.field = "key", .pattern = "[^IZ]+"}},
                    .field = "name", .distinct = 57},
                   {.label = "names of marks with I or Z", .scope = {.lines = {}, .where = {.field = "key", .pattern = ".*[IZ].*"}},
                    .field = "name", .distinct = 35}};
    set.tallies.push_back({.label = "marks without I or Z", .scope = {.lines = {}, .where = {.field = "key", .pattern = "[^IZ]+"}},
                           .records = 530});
    set.tallies.push_back({.label = "marks with I or Z", .scope = {.lines = {}, .where = {.field = "key", .pattern = ".*[IZ].*"}},
                           .records = 94});
    set.values = {
        {.label = "names of marks without I or Z",
         .scope = {.lines = {}, .where = {.field = "key", .pattern = "[^IZ]+"}},
         .field = "name",
         .counts = {{"London (Central)", 25}, {"Spare", 25}, {"London NW", 22}, {"Manchester", 21}, {"Birmingham", 19},
          {"Glasgow", 18}, {"Liverpool", 18}, {"Leeds", 15}, {"Maidstone", 14}, {"Newcastle upon Tyne", 14},
          {"Sheffield", 14}, {"Chelmsford", 12}, {"Guildford", 12}, {"London NE", 12}, {"Luton", 12},
          {"Nottingham", 12}, {"Portsmouth", 12}, {"Reading", 12}, {"Brighton", 11}, {"Exeter", 11}, {"Lincoln", 11},
          {"Bristol", 10}, {"Cardiff", 10}, {"Peterborough", 10}, {"Bournemouth", 9}, {"Edinburgh", 9},
          {"London SW", 9}, {"Preston", 9}, {"Dudley", 8}, {"Gloucester", 8}, {"Leicester", 8}, {"Chester", 7},
          {"Coventry", 7}, {"London SE", 7}, {"Norwich", 7}, {"Aberdeen", 6}, {"Dundee", 6}, {"Middlesborough", 6},
          {"Stoke-on-Trent", 6}, {"Bangor", 5}, {"Huddersfield", 5}, {"Inverness", 5}, {"Ipswich", 5},
          {"Northampton", 5}, {"Oxford", 5}, {"Hull", 4}, {"Shrewsbury", 4}, {"Swansea", 4}, {"Swindon", 4},
          {"Taunton", 4}, {"Truro", 4}, {"Worcester", 4}, {"Carlisle", 3}, {"Haverfordwest", 2}, {"Isle of Man", 1},
          {"Series withdrawn", 1}, {"Truro (Isles of Scilly)", 1}},
         .complete = true},
        {.label = "names of marks with I or Z",
         .scope = {.lines = {}, .where = {.field = "key", .pattern = ".*[IZ].*"}},
         .field = "name",
         .counts = {{"Dublin", 18}, {"Belfast", 13}, {"Cork", 6}, {"Antrim", 4}, {"Down", 4}, {"Londonderry", 4}, {"Armagh", 3},
          {"Limerick", 3}, {"Tyrone", 3}, {"Donegal", 2}, {"Galway", 2}, {"Kerry", 2}, {"Kildare", 2}, {"Louth", 2},
          {"Mayo", 2}, {"Meath", 2}, {"Tipperary (S Riding)", 2}, {"Waterford", 2}, {"Wexford", 2}, {"Carlow", 1},
          {"Cavan", 1}, {"Clare", 1}, {"Dublin (temporary import)", 1}, {"Fermanagh", 1}, {"Kilkenny", 1},
          {"Laois", 1}, {"Leitrim", 1}, {"Longford", 1}, {"Monaghan", 1}, {"Offaly", 1}, {"Roscommon", 1},
          {"Sligo", 1}, {"Tipperary (N Riding)", 1}, {"Westmeath", 1}, {"Wicklow", 1}},
         .complete = true},
    };
    set.tallies.push_back(matching("with a part in parentheses", R"(.*\(.*)", 30));
    set.tallies.push_back(matching("with \"-\"", ".*-.*", 6));
    set.tallies.push_back(matching("ending in spaces", ".* ", 7));
    set.tallies.push_back(matching("ending in one space", ".*[^ ] ", 6));
    set.tallies.push_back(matching("ending in two spaces", ".*[^ ]  ", 1));
    set.blocks = {{.number = 1, .first_line = "# UK vehicle index marks", .first_record = "AA Bournemouth",
                   .last_record = "HW Bristol"},
                  {.number = 2, .first_record = "HX London (Central)", .last_record = "PY Middlesborough"},
                  {.number = 3, .first_record = "PZ Belfast", .last_record = "YY London (Central)"},
                  {.number = 4, .lines = {601, 628}, .last_line = "#End_Of_Data#", .first_record = "YZ Londonderry",
                   .last_record = "ZZ Dublin (temporary import)"}};
    set.quoted = {
        {4, "AA Bournemouth"},
        {10, "AG Hull"},
        {13, "AJ Middlesborough "},
        {31, "BC Leicester  "},
        {49, "BV Preston "},
        {52, "BY London NW"},
        {81, "DC Middlesborough"},
        {94, "DP Reading "},
        {109, "EF Middlesborough"},
        {137, "FI Tipperary (N Riding)"},
        {145, "FR Preston "},
        {147, "FT Newcastle upon Tyne "},
        {156, "GC London SW"},
        {162, "GI Tipperary (S Riding)"},
        {173, "GU London SE"},
        {187, "HI Tipperary (S Riding)"},
        {191, "HM London (Central)"},
        {192, "HN Middlesborough"},
        {200, "HW Bristol"},
        {201, "HX London (Central)"},
        {304, "MC London NE"},
        {315, "MN Isle of Man"},
        {355, "OD Exeter "},
        {400, "PY Middlesborough"},
        {401, "PZ Belfast"},
        {429, "SC Edinburgh"},
        {430, "SCY Truro (Isles of Scilly)"},
        {431, "SD Glasgow"},
        {448, "SV Spare"},
        {451, "SY Spare"},
        {506, "VD Series withdrawn"},
        {515, "VN Middlesborough"},
        {552, "XA Spare"},
        {560, "XI Belfast"},
        {575, "XY Spare"},
        {576, "XZ Armagh"},
        {600, "YY London (Central)"},
        {601, "YZ Londonderry"},
        {602, "Z Dublin"},
        {603, "ZA Dublin"},
        {627, "ZZ Dublin (temporary import)"},
    };

    set.restored = {.lines = 627, .bytes = 8601, .lines_at = {{31, "BC Leicester  "}, {627, "ZZ Dublin (temporary import)"}}};
    set.searches = {
        {by_code, "??", 622, {{"AA", "Bournemouth"}, {"BC", "Leicester"}, {"ZZ", "Dublin (temporary import)"}}},
        {by_code, "?", 1, {{"Z", "Dublin"}}},
        {by_code, "???", 1, {{"SCY", "Truro (Isles of Scilly)"}}},
        {by_code, "*", 624, {{"AA", "Bournemouth"}, {"SC", "Edinburgh"}, {"SCY", "Truro (Isles of Scilly)"},
                             {"SD", "Glasgow"}, {"ZZ", "Dublin (temporary import)"}}},
        {by_code, "SC*", 2, {{"SC", "Edinburgh"}, {"SCY", "Truro (Isles of Scilly)"}}},
        {by_code, "BC", 1, {{"BC", "Leicester"}}},
        {by_name, "Leicester", 8, {{"AY", "Leicester"}, {"BC", "Leicester"}, {"UT", "Leicester"}}},
        {by_name, "Spare", 25, {{"SV", "Spare"}, {"SY", "Spare"}, {"XA", "Spare"}, {"XY", "Spare"}}},
        {by_name, "London*", 79,
         {{"BY", "London NW"},
          {"HM", "London (Central)"},
          {"IW", "Londonderry"},
          {"NZ", "Londonderry"},
          {"UI", "Londonderry"},
          {"YY", "London (Central)"},
          {"YZ", "Londonderry"}}},
        {by_name, "Tipperary*", 3,
         {{"FI", "Tipperary (N Riding)"}, {"GI", "Tipperary (S Riding)"}, {"HI", "Tipperary (S Riding)"}}},
        {by_name, "Leicester ", 0, {}},
    };

    return set;
}

} // namespace testing_support
