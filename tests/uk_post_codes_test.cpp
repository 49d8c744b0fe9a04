// The built-in UK post-code data, described once with every number its documentation
// states, for the checks every data set goes through (data_set_test.cpp): on the lines the
// module hands out, on the file the real restore command writes, and through searches of
// that file in the real main window. Broken copies of the data show that the description
// notices each fault.
#include "tests/data_sets.h"
#include "tests/support/broken_copies.h"
#include "tests/support/data_checker.h"

#include "default_data/default_modules.h"
#include "search_engine/database_entry.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

constexpr SearchDirection by_code = SearchDirection::by_code;
constexpr SearchDirection by_name = SearchDirection::by_name;

// The kinds of record the documentation counts, as the "shape" field names them.
constexpr std::string_view area_plain = "area key, no qualifier";
constexpr std::string_view area_qualified = "area key with a qualifier";
constexpr std::string_view one_digit = "district key of one digit, with a qualifier";
constexpr std::string_view two_digits = "district key of two digits, with a qualifier";
constexpr std::string_view district_plain = "district key without a qualifier";

// The first-word split of the search, with the parts of a post-code record: the key's
// "area" letters and district "number", the name's "place" and its "qualifier" (the last
// part in brackets, without them), and the record's "shape".
Fields post_code_fields()
{
    return {.names = {"key", "name", "tag", "area", "number", "place", "qualifier", "shape"},
            .split =
                [](std::string_view record, std::vector<std::string_view>& fields) {
                    const zentrel::EntryFields entry = zentrel::split_entry(record, zentrel::Category::UKPostCodes);
                    const std::string_view key = entry.code;
                    const std::size_t digits = key.find_first_of("0123456789");
                    const std::string_view area = key.substr(0, digits);
                    const std::string_view number =
                        digits == std::string_view::npos ? std::string_view{} : key.substr(digits);
                    std::string_view place = entry.name;
                    std::string_view qualifier;
                    const std::size_t open = entry.name.rfind(" (");
                    if (open != std::string_view::npos && entry.name.ends_with(')')) {
                        place = entry.name.substr(0, open);
                        qualifier = entry.name.substr(open + 2, entry.name.size() - open - 3);
                    }
                    const bool qualified = !qualifier.empty();
                    const std::string_view shape = number.empty() ? (qualified ? area_qualified : area_plain)
                                                   : !qualified   ? district_plain
                                                   : number.size() == 1 ? one_digit
                                                                        : two_digits;
                    fields = {key, entry.name, entry.tag, area, number, place, qualifier, shape};
                },
            .key = "key"};
}

Scope where(std::string field, std::string pattern)
{
    return {.lines = {}, .where = {.field = std::move(field), .pattern = std::move(pattern)}};
}

Tally tally(std::string label, std::string field, std::string pattern, int records)
{
    return {.label = std::move(label), .scope = where(std::move(field), std::move(pattern)), .records = records};
}

constexpr std::string_view district_key = "[A-Z]{1,2}[0-9]{1,2}";
constexpr std::string_view area_key = "[A-Z]{1,2}";

// The areas in the data's order with their numbers of records, area rows included.
std::vector<Stretch> areas()
{
    return {{"AB", 26}, {"AL", 11}, {"B", 80},  {"BA", 20}, {"BB", 13}, {"BD", 25}, {"BH", 26}, {"BL", 10},
            {"BN", 27}, {"BR", 10}, {"BS", 29}, {"BT", 81}, {"CA", 29}, {"CB", 12}, {"CF", 33}, {"CH", 11},
            {"CM", 26}, {"CO", 15}, {"CR", 12}, {"CT", 22}, {"CV", 24}, {"CW", 13}, {"DA", 19}, {"DD", 13},
            {"DE", 14}, {"DG", 15}, {"DH", 10}, {"DL", 20}, {"DN", 31}, {"DT", 12}, {"DY", 15}, {"E", 18},
            {"EC", 6},  {"EH", 60}, {"EN", 12}, {"EX", 37}, {"FK", 23}, {"FY", 10}, {"G", 85},  {"GL", 37},
            {"GU", 36}, {"HA", 11}, {"HD", 9},  {"HG", 6},  {"HP", 24}, {"HR", 13}, {"HU", 21}, {"HX", 8},
            {"IG", 12}, {"IP", 34}, {"IV", 58}, {"KA", 32}, {"KT", 24}, {"KW", 18}, {"KY", 30}, {"L", 56},
            {"LA", 24}, {"LD", 6},  {"LE", 19}, {"LL", 67}, {"LN", 17}, {"LS", 29}, {"LU", 8},  {"M", 37},
            {"ME", 21}, {"MK", 28}, {"ML", 13}, {"N", 25},  {"NE", 61}, {"NG", 28}, {"NN", 19}, {"NP", 20},
            {"NR", 36}, {"NW", 12}, {"OL", 14}, {"OX", 18}, {"PA", 96}, {"PE", 35}, {"PH", 35}, {"PL", 37},
            {"PO", 33}, {"PR", 10}, {"RG", 27}, {"RH", 22}, {"RM", 19}, {"S", 54},  {"SA", 55}, {"SE", 29},
            {"SG", 20}, {"SK", 19}, {"SL", 11}, {"SM", 8},  {"SN", 18}, {"SO", 16}, {"SP", 11}, {"SR", 9},
            {"SS", 18}, {"ST", 22}, {"SW", 21}, {"SY", 37}, {"TA", 25}, {"TD", 19}, {"TF", 14}, {"TN", 41},
            {"TQ", 13}, {"TR", 28}, {"TS", 31}, {"TW", 20}, {"UB", 11}, {"W", 16},  {"WA", 16}, {"WC", 5},
            {"WD", 8},  {"WF", 18}, {"WN", 8},  {"WR", 16}, {"WS", 16}, {"WV", 17}, {"YO", 20}, {"ZE", 5}};
}

std::vector<std::string> all_counties_rows()
{
    std::vector<std::string> rows;
    for (int n = 18; n <= 80; ++n) rows.push_back("BT" + std::to_string(n) + " Northern Ireland (All Counties)");
    return rows;
}

// The five most frequent qualifiers; every other qualifier stands on fewer rows than the
// fifth of them.
const std::vector<ValueCount> most_frequent_qualifiers = {
    {"Yorkshire", 169}, {"London", 124}, {"West Midlands", 101}, {"Lancashire", 93}, {"Kent", 91}};

bool fewer_rows_than_the_fifth(const RecordList& records, std::size_t index)
{
    const std::size_t column = records.field_index("qualifier");
    const std::string_view qualifier = records[index].fields[column];
    for (const ValueCount& top : most_frequent_qualifiers) {
        if (qualifier == top.value) return true;
    }
    int rows = 0;
    for (std::size_t n = 0; n < records.size(); ++n) {
        if (records[n].fields[column] == qualifier) ++rows;
    }
    return rows < *most_frequent_qualifiers.back().records;
}

} // namespace

DataSet testing_support::uk_post_codes()
{
    DataSet set;
    set.label = "UKPostCodes";
    set.module = {.module = &testing_support::module_of<zentrel::Category::UKPostCodes>,
                  .category = zentrel::Category::UKPostCodes,
                  .file_name = "PostCodes.dat",
                  .line_count = 2905,
                  .upper_bound = 3105,
                  .fillers = 15,
                  .stored = {{1, 2915}},
                  .end_of_data = 2905};
    set.fields = post_code_fields();
    set.other_lines = {
        {.lines = {1, 1}, .text = "# UK postal codes"},
        {.lines = {2, 2}, .text = "# Post code - Place name"},
        {.lines = {3, 3}, .pattern = "# .*permission.*"},
        {.lines = {4, 4}, .text = "#"},
        {.lines = {5, 5}, .text = "# Read the 'Help.txt' file inside the application for details on how to"},
        {.lines = {6, 6}, .text = "# alter this file."},
        {.lines = {7, 7}, .text = "#"},
        {.lines = {9, 9}, .text = ":Null"},
        {.lines = {2905, 2915}, .text = "#End_Of_Data#"},
    };
    set.computed = {restore_stamp("# Last updated: 20th July 1996")};
    set.record_lines = {{10, 2904}};
    set.records = 2895;

    // Shapes of keys and records, and their characters.
    set.shapes = {printable_ascii(), no_outer_spaces(), no_colour_tag(),
                  {.label = "no two spaces in a row", .pattern = ".*  .*", .forbidden = true,
                   .exception_records = {"M  Manchester"}},
                  {.label = "an area key, or a district number 0 to 98 without a leading zero", .field = "key",
                   .pattern = "[A-Z]{1,2}(0|[1-9]|[1-8][0-9]|9[0-8])?"},
                  {.label = "letters, digits, space and ( ) - . & ' , only", .pattern = "[A-Za-z0-9 ().&',-]+"},
                  {.label = "a district row names a place and its qualifier in brackets",
                   .scope = where("key", std::string(district_key)),
                   .pattern = R"([A-Z]{1,2}[0-9]{1,2} [A-Z][^()]* \([A-Z][^()]*\))",
                   .exception_records = {"PL20 Yarmouth"}},
                  {.label = "an area row names a town, with at most one qualifier", .scope = where("key", std::string(area_key)),
                   .pattern = R"([A-Z]{1,2} +[A-Z][^()]*( \([A-Z][^()]*\))?)"},
                  {.label = "\"St.\" and \"Co.\" run straight on into the next word", .pattern = R"(.*(St|Co)\. .*)",
                   .forbidden = true}};
    set.exactly = {
        {.label = "the district keys with the number 0", .scope = where("number", "0"), .field = "key",
         .values = {"CR0", "EC0", "HA0", "SL0", "SS0"}},
        {.label = "the area rows with a qualifier", .scope = where("shape", std::string(area_qualified)),
         .values = {"KW Kirkwall (Orkney)", "NP Newport (Gwent)", "UB Uxbridge (Southall)", "ZE Lerwick (Shetland)"}},
        {.label = "the district row without a qualifier", .scope = where("shape", std::string(district_plain)),
         .values = {"PL20 Yarmouth"}},
        {.label = "the London areas", .scope = where("key", "E|EC|N|NW|SE|SW|W|WC"),
         .values = {"E London East", "EC London East Central", "N London North", "NW London North-West",
                    "SE London South-East", "SW London South-West", "W London West", "WC London West Central"}},
        {.label = "the area rows of FY and TS", .scope = where("key", "FY|TS"),
         .values = {"FY Blackpool", "FY Fylde", "TS Cleveland", "TS Teesside"}},
        {.label = "the (All Counties) rows", .scope = where("qualifier", "All Counties"), .values = all_counties_rows()},
        {.label = "the rows with an apostrophe", .scope = where("line", ".*'.*"),
         .values = {"EH51 Bo'Ness (West Lothian)"}},
        {.label = "the rows with a comma", .scope = where("line", ".*,.*"),
         .values = {"RH17 Lindfield, Haywards Heath (West Sussex)"}},
        {.label = "the shortest records", .scope = where("line", ".{1,7}"), .values = {"BA Bath", "HU Hull", "YO York"}},
        {.label = "the Llandridnod rows", .scope = where("place", ".*Llandr.*"),
         .values = {"LD Llandridnod Wells", "LD1 Llandridnod Wells (Powys)"}},
    };
    set.present = {
        {.values = {"AB Aberdeen", "AB1 Aberdeen (Aberdeenshire)", "AL10 Hatfield (Hertfordshire)", "AL St.Albans",
                    "BS22 Weston-super-Mare (Avon)", "E1 Aldgate (London)", "W1 Soho (London)",
                    "IV48 Isle of Skye (Scotland)", "IV48 Sconser (Isle of Skye)", "KY1 Kirkcaldy (Fife)",
                    "WN1 Wigan (Lancashire)"}},
        {.field = "qualifier",
         .values = {"Aberdeenshire", "West Midlands", "Scotland", "Northern Ireland", "Isle of Skye", "London",
                    "All Counties", "Co.Durham", "Tyne & Wear"}},
        {.field = "key", .values = {"SW2", "SW4", "EC1", "EC3", "CR0", "CR2", "E9", "E10"}},
        {.field = "number", .values = {"0", "98"}},
    };

    // Counts.
    set.tallies = {
        tally("area rows", "shape", "area.*", 120),
        tally("district rows", "shape", "district.*", 2775),
        tally("records with a qualifier", "qualifier", ".+", 2778),
        tally("KY area rows", "key", "KY", 0),
        tally("WN area rows", "key", "WN", 0),
        tally("SW3 rows", "key", "SW3", 0),
        tally("EC2 rows", "key", "EC2", 0),
    };
    set.values = {
        {.label = "shapes",
         .field = "shape",
         .counts = {{std::string(area_plain), 116},
                    {std::string(area_qualified), 4},
                    {std::string(one_digit), 1079},
                    {std::string(two_digits), 1695},
                    {std::string(district_plain), 1}},
         .complete = true},
        {.label = "qualifiers",
         .scope = where("qualifier", ".+"),
         .field = "qualifier",
         .counts = {{"Yorkshire", 169},
                    {"London", 124},
                    {"West Midlands", 101},
                    {"Lancashire", 93},
                    {"Kent", 91},
                    {"Sussex", 60},
                    {"West Sussex", 1, 2188},
                    {"Cleveland", 24},
                    {"Cleceland", 2, 2709},
                    {"All Counties", 63, 305}}},
    };
    set.occurrences = {
        {.label = "\"&\", only in \"(Tyne & Wear)\"", .text = "&", .records = 41, .times = 41},
        {.label = "\"(Tyne & Wear)\"", .text = "(Tyne & Wear)", .records = 41, .times = 41},
        {.label = "apostrophes", .text = "'", .records = 1, .times = 1},
        {.label = "commas", .text = ",", .records = 1, .times = 1},
    };
    set.hooks = {{.name = "the five most frequent qualifiers stand on more rows than any other",
                  .scope = where("qualifier", ".+"),
                  .records = 2778,
                  .holds = fewer_rows_than_the_fifth}};
    set.lengths = {{.field = "line", .min = 7, .max = 44, .at_min = 3, .at_max = 1}};
    set.repeats = {
        {.label = "keys", .field = "key", .distinct = 2726, .apart = std::vector<std::string>{}},
        {.label = "area keys", .scope = where("key", std::string(area_key)), .field = "key", .distinct = 118,
         .times = {{"FY", 2}, {"TS", 2}}, .others_once = true},
        {.label = "district keys", .scope = where("key", std::string(district_key)), .field = "key", .distinct = 2608,
         .repeated = 119, .records_repeated = 286, .most = 13, .most_values = {"AB3"}},
        {.label = "qualifiers", .scope = where("qualifier", ".+"), .field = "qualifier", .distinct = 104,
         .most = 169, .most_values = {"Yorkshire"}},
        {.label = "records", .field = "line", .no_two_alike = true},
    };
    set.sequences = {{.label = "the areas in order with their records", .field = "area", .runs = 120,
                      .stretches = areas()}};
    set.orders = {{.label = "areas by their letters, districts by their number",
                   .field = "area",
                   .then_field = "number",
                   .then_collations = {Collation{.numbers_by_value = true}}}};

    set.blocks = {
        {.number = 1, .first_line = "# UK postal codes", .first_record = "AB Aberdeen",
         .last_record = "BH15 Poole (Dorset)", .records = 191},
        {.number = 2, .first_record = "BH16 Poole (Dorset)", .last_record = "CB3 Cambridge (Cambridgeshire)",
         .records = 200},
        {.number = 3, .first_record = "CB4 Cambridge (Cambridgeshire)", .last_record = "DE3 Derby (Derbyshire)",
         .records = 200},
        {.number = 4, .first_record = "DE4 Bakewell (Derbyshire)", .last_record = "EN2 Enfield (Hertfordshire)",
         .records = 200},
        {.number = 5, .first_record = "EN3 Enfield (Hertfordshire)",
         .last_record = "GL55 Chipping Campden (Gloucestershire)", .records = 200},
        {.number = 6, .first_record = "GL56 Moreton-in-the-Marsh (Gloucestershire)", .last_record = "IV24 Ardgay (Ross)",
         .records = 200},
        {.number = 7, .first_record = "IV25 Dornoch (Sutherland)", .last_record = "LA6 Carnforth (Lancashire)",
         .records = 200},
        {.number = 8, .first_record = "LA7 Milnthorpe (Cumbria)", .last_record = "M60 Manchester (Lancashire)",
         .records = 200},
        {.number = 9, .first_record = "ME Medway", .last_record = "NP2 Tredegar (Gwent)", .records = 200},
        {.number = 10, .first_record = "NP2 Rhymney (Gwent)", .last_record = "PE8 Peterborough (Cambridgeshire)",
         .records = 200},
        {.number = 11, .first_record = "PE9 Stamford (Lincolnshire)", .last_record = "RM9 Dagenham (Essex)",
         .records = 200},
        {.number = 12, .first_record = "RM10 Dagenham (Essex)", .last_record = "SM2 Sutton (Surrey)", .records = 200},
        {.number = 13, .first_record = "SM3 Sutton (Surrey)", .last_record = "TD14 Eyemouth (Berwickshire)",
         .records = 200},
        {.number = 14, .first_record = "TD15 Berwick-on-Tweed (Berwickshire)",
         .last_record = "WD3 Rickmansworth (Hertfordshire)", .records = 200},
        {.number = 15, .lines = {2801, 2915}, .last_line = "#End_Of_Data#",
         .first_record = "WD4 Kings Langley (Hertfordshire)", .last_record = "ZE3 Shetland (Scotland)", .records = 104},
    };
    set.quoted = {
        {10, "AB Aberdeen"},
        {793, "EH51 Bo'Ness (West Lothian)"},
        {1418, "LD Llandridnod Wells"},
        {1419, "LD1 Llandridnod Wells (Powys)"},
        {1564, "M  Manchester"},
        {1800, "NP2 Tredegar (Gwent)"},
        {1801, "NP2 Rhymney (Gwent)"},
        {2083, "PL20 Yarmouth"},
        {2188, "RH17 Lindfield, Haywards Heath (West Sussex)"},
        {2709, "TS10 Redcar (Cleceland)"},
        {2710, "TS11 Redcar (Cleceland)"},
        {2749, "UB Uxbridge (Southall)"},
        {2904, "ZE3 Shetland (Scotland)"},
    };

    // The restored file: lines 1 to 7, the stamp's three lines, an empty line and the
    // records, every record two lines further down than its default line.
    set.restored = {.lines = 2906,
                    .lines_at = {{1, "# UK postal codes"},
                                 {7, "#"},
                                 {8, "# Last updated: 20th July 1996"},
                                 {11, ""},
                                 {12, "AB Aberdeen"},
                                 {1566, "M  Manchester"},
                                 {2906, "ZE3 Shetland (Scotland)"}}};
    set.searches = {
        {by_code, "M", 1, {{"M", "Manchester"}}, true},
        {by_code, "AB3", 13,
         {{"AB3", "Ballindalloch (Aberdeenshire)"}, {"AB3", "Strathdon (Aberdeenshire)"},
          {"AB3", "Banchory (Kincardineshire)"}}},
        {by_code, "FY", 2, {{"FY", "Blackpool"}, {"FY", "Fylde"}}, true},
        {by_code, "KY", 0, {}, true},
        {by_code, "KY*", 30, {{"KY1", "Kirkcaldy (Fife)"}}},
        {by_name, "Aberdeen", 1, {{"AB", "Aberdeen"}}, true},
        {by_name, "Aberdeen*", 3,
         {{"AB", "Aberdeen"}, {"AB1", "Aberdeen (Aberdeenshire)"}, {"AB2", "Aberdeen (Aberdeenshire)"}}, true},
        {by_name, "*(London)", 124, {{"E1", "Aldgate (London)"}, {"W1", "Soho (London)"}}},
        {by_code, "*", 2895, {{"AB", "Aberdeen"}, {"ZE3", "Shetland (Scotland)"}}},
    };
    return set;
}

// ---------------------------------------------------------------------------------
// Broken copies of the data: each fault is noticed and named.

TEST(UKPostCodesData, DescriptionNoticesEachBrokenCopy)
{
    expect_each_breakage_noticed(uk_post_codes(), {
        {"the double space of the Manchester row closed up", [](DataLines& l) { l[1564] = "M Manchester"; },
         "line 1564: expected \"M  Manchester\""},
        {"the Cleceland spelling corrected", [](DataLines& l) { l[2709] = "TS10 Redcar (Cleveland)"; },
         "\"Cleceland\", records: expected 2, found 1"},
        {"a qualifier no other row has", [](DataLines& l) { l[2100] = l[2100].substr(0, l[2100].rfind(" (")) + " (Hants)"; },
         "qualifiers, different values: expected 104, found 105"},
        {"two areas swapped", [](DataLines& l) { std::swap(l[35], l[36]); }, "areas by their letters"},
        {"a district number with a leading zero", [](DataLines& l) { l[11] = "AB01 Aberdeen (Aberdeenshire)"; },
         "line 11: an area key, or a district number 0 to 98"},
        {"a row of a key moved away from its fellows", [](DataLines& l) { std::swap(l[14], l[30]); },
         "stands again apart"},
        {"a second row without a qualifier", [](DataLines& l) { l[2084] = "PL21 Ivybridge"; },
         "district key without a qualifier"},
        {"a London row given to another county", [](DataLines& l) { l[715] = "E1 Aldgate (Middlesex)"; },
         "\"London\", records: expected 124, found 123"},
    });
}
