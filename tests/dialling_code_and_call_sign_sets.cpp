// The descriptions of the built-in international dialling-code and radio call-sign data,
// with every number their documentation states, the searches of their edge cases and the
// file the restore writes; data_set_test.cpp runs them through the data-set checker.
#include "tests/data_sets.h"

#include "default_data/default_modules.h"
#include "search_engine/database_entry.h"
#include "platform/colours.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

namespace {

constexpr SearchDirection by_code = SearchDirection::by_code;
constexpr SearchDirection by_name = SearchDirection::by_name;

constexpr platform::Colour plain_text = platform::system_window_text;
constexpr platform::Colour plain_background = platform::system_window_background;
constexpr platform::Colour tag_text = platform::rgb(255, 255, 255);
constexpr platform::Colour tag_background = platform::rgb(128, 64, 0);

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> list;
    for (std::string word; in >> word;) list.push_back(word);
    return list;
}

Scope where(std::string field, std::string pattern, LineRange lines = {})
{
    return {.lines = lines, .where = {.field = std::move(field), .pattern = std::move(pattern)}};
}

Tally tally(std::string label, Scope scope, int records)
{
    return {.label = std::move(label), .scope = std::move(scope), .records = records};
}

Row plain(std::string code, std::string name)
{
    return {.code = std::move(code), .name = std::move(name), .text_colour = plain_text,
            .background = plain_background};
}

Row tagged(std::string code, std::string name)
{
    return {.code = std::move(code), .name = std::move(name), .text_colour = tag_text, .background = tag_background};
}

std::string placeholder(std::int32_t line)
{
    return "## There is no data for directory line " + std::to_string(line) + ". ##";
}

// ---------------------------------------------------------------------------------
// International dialling codes: four runs of records between empty elements.

constexpr LineRange run_1 = {6, 50};
constexpr LineRange run_2 = {51, 73};
constexpr LineRange run_3 = {77, 94};
constexpr LineRange run_4 = {98, 549};
constexpr LineRange area_code_lines = {98, 432};
constexpr LineRange country_lines_of_run_4 = {433, 549};

// The records of run 1 as the data lists them, in order.
std::vector<std::string> run_1_records()
{
    return {"1 Canada *", "1 USA", "2 Canada", "3 South America", "20 Egypt *", "27 South Africa *", "31 Netherlands",
            "32 Belgian", "33 France", "34 Spain", "35 -", "36 Hungary", "37 -", "38 Croatian", "39 Italy", "40 -",
            "41 Switzerland", "42 Czech", "43 Austria", "44 U.K.", "44 United Kingdom (England, Scotland, Wales, Ireland)",
            "45 Denmark", "46 Sweden", "47 Norway", "48 Poland", "49 Germany", "49 West Germany", "50 -", "51 -", "52 -",
            "53 -", "54 Argentina", "55 Brazil", "56 -", "57 -", "58 -", "59 -", "60 -", "61 Australia", "62 -", "80 -",
            "81 Japan", "82 Korea", "83 -"};
}

void add_dialling_code_lines(DataSet& set)
{
    set.other_lines = {{.lines = {1, 1}, .text = "# International dialling codes"},
                       {.lines = {2, 2}, .text = "# Dial Code - Place Name"},
                       // The wording of lines 3 and 4 is free: the first explains the "*".
                       {.lines = {3, 3}, .pattern = R"(#.*" \*".*)"},
                       {.lines = {4, 4}, .pattern = "#.+"},
                       {.lines = {5, 5}, .text = ":Null"},
                       {.lines = {46, 46}, .text = ""},
                       {.lines = {74, 76}, .text = ""},
                       {.lines = {95, 97}, .text = ""},
                       {.lines = {550, 550}, .text = ":Null"},
                       {.lines = {551, 551}, .text = "#End_Of_Data#"}};
    set.record_lines = {run_1, run_2, run_3, run_4};
    set.records = 537;
    set.blocks = {{.number = 1, .first_record = "1 Canada *", .last_record = "1407 West Palm Beach, FL", .records = 188},
                  {.number = 2, .first_record = "1408 San Jose, CA", .last_record = "1910 Fayetteville, NC",
                   .records = 200},
                  {.number = 3, .lines = {401, 551}, .last_line = "#End_Of_Data#",
                   .first_record = "1910 Greensboro, NC", .last_record = "98 Iran", .records = 149}};
}

void add_dialling_code_shapes(DataSet& set)
{
    set.shapes = {printable_ascii(), no_outer_spaces(), no_two_spaces(),
                  {.label = "record of a code, a place text and the tag", .pattern = R"([0-9]{1,7} [^ ].*( \*)?)"},
                  {.label = "code of 1 to 7 digits", .field = "key", .pattern = "[0-9]{1,7}"},
                  {.label = "place text of letters, spaces and , . - / ( )", .field = "name",
                   .pattern = "[A-Za-z,./()-]+( [A-Za-z,./()-]+)*"},
                  {.label = "no tag but \"*\"", .field = "tag", .pattern = R"(\*?)"},
                  {.label = "area-code records: a city and its state, or a region alone",
                   .scope = where("key", "1[0-9]{3}", area_code_lines),
                   .field = "name",
                   .pattern = "[A-Za-z.-]+( [A-Za-z.-]+)*, [A-Z]{2}|[A-Za-z./]+( [A-Za-z./]+)*"}};
    set.lengths = {{.field = "key", .each = {{1, 5}, {2, 83}, {3, 107}, {4, 338}, {5, 3}, {7, 1}}, .each_complete = true}};
}

void add_dialling_code_counts(DataSet& set)
{
    set.tallies = {
        tally("records of run 1", where("line", "", run_1), 44),
        tally("records of run 2", where("line", "", run_2), 23),
        tally("records of run 3", where("line", "", run_3), 18),
        tally("records of run 4", where("line", "", run_4), 452),
        tally("tagged records", where("tag", R"(\*)"), 46),
        tally("tagged records of run 1", where("tag", R"(\*)", run_1), 3),
        tally("tagged records of run 2", where("tag", R"(\*)", run_2), 19),
        tally("tagged records of run 3", where("tag", R"(\*)", run_3), 18),
        tally("tagged records of run 4", where("tag", R"(\*)", run_4), 6),
        tally("tagged records at lines 98-103", where("tag", R"(\*)", {98, 103}), 6),
        tally("records of lines 98-432", where("line", "", area_code_lines), 335),
        tally("area-code records", where("key", "1[0-9]{3}", area_code_lines), 333),
        tally("area-code records ending in a state abbreviation",
              where("line", "1[0-9]{3} .*, [A-Z]{2}( \\*)?", area_code_lines), 303),
        tally("area-code records of a region alone", where("line", "1[0-9]{3} [^,]*", area_code_lines), 30),
        tally("records of lines 433-549", where("line", "", country_lines_of_run_4), 117),
        tally("records with the place \"-\"", where("name", "-"), 15),
        tally("records with the place \"-\" in run 1", where("name", "-", run_1), 15),
        tally("codes 1, 2, 3, 20 and 27 in run 4", where("key", "1|2|3|20|27", run_4), 0),
        tally("codes 35, 50, 59, 80 and 83 in run 4", where("key", "35|50|59|80|83", run_4), 0),
        tally("records with brackets", where("name", R"(.*\(.*)"), 3),
    };
    set.repeats = {
        {.label = "codes", .field = "key", .distinct = 323, .repeated = 131, .most = 6,
         .most_values = {"1305", "1719"}, .times = {{"1", 2}, {"44", 3}, {"49", 3}, {"31", 2}, {"35", 1}, {"297", 1},
                                                    {"2978", 1}}},
        {.label = "records standing twice", .field = "line", .repeated = 16, .records_repeated = 32,
         .times = {{"31 Netherlands", 2}, {"33 France", 2}, {"34 Spain", 2}, {"36 Hungary", 2}, {"39 Italy", 2},
                   {"41 Switzerland", 2}, {"43 Austria", 2}, {"45 Denmark", 2}, {"46 Sweden", 2}, {"47 Norway", 2},
                   {"48 Poland", 2}, {"49 West Germany", 2}, {"54 Argentina", 2}, {"55 Brazil", 2},
                   {"61 Australia", 2}, {"81 Japan", 2}},
         .others_once = true},
    };
}

void add_dialling_code_orders(DataSet& set)
{
    const Collation by_value = {.numbers_by_value = true};
    set.orders = {
        {.label = "run 1 by the value of its codes, then by place", .scope = where("line", "", run_1), .field = "key",
         .collations = {by_value}, .then_field = "name", .strict = true},
        {.label = "run 2 by the value of its codes", .scope = where("line", "", run_2), .field = "key",
         .collations = {by_value}, .strict = true},
        {.label = "run 3 by the value of its codes", .scope = where("line", "", run_3), .field = "key",
         .collations = {by_value}, .strict = true},
        {.label = "run 4 by the character codes of the whole line", .scope = where("line", "", run_4),
         .field = "line", .strict = true},
    };
    set.exactly = {
        {.label = "run 1", .scope = where("line", "", run_1), .values = run_1_records()},
        {.label = "the untagged records of run 2", .scope = where("line", "[^*]*", run_2),
         .values = {"213 Algeria", "244 Angola", "247 Ascension Island", "297 Aruba"}},
        {.label = "codes of run 2 and 3 at their ends",
         .scope = where("key", "212|247|297|248|268"),
         .field = "key",
         .values = words("212 247 297 248 268")},
        {.label = "records with brackets", .scope = where("name", R"(.*\(.*)"),
         .values = {"44 United Kingdom (England, Scotland, Wales, Ireland)", "183 USA/Canada (Undersea cable)",
                    "184 USA/Canada (Satellite)"}},
        {.label = "records of the codes 183 and 184 at lines 98-432",
         .scope = where("key", "[0-9]{3}", area_code_lines),
         .values = {"183 USA/Canada (Undersea cable)", "184 USA/Canada (Satellite)"}},
        {.label = "names in run 4 of the codes that run 1 lists",
         .scope = where("key", "3[1-9]|4[0-9]|5[0-9]|6[0-2]|8[0-3]", run_4),
         .values = {"31 Netherlands", "32 Belgium", "33 France", "34 Spain", "36 Hungary", "37 East Germany",
                    "38 Yugoslavia", "39 Italy", "40 Romania", "41 Switzerland", "42 Czechoslovakia", "43 Austria",
                    "44 United Kingdom", "45 Denmark", "46 Sweden", "47 Norway", "48 Poland", "49 West Germany",
                    "51 Peru", "52 Mexico", "53 Cuba", "54 Argentina", "55 Brazil", "56 Chile", "57 Colombia",
                    "58 Venezuela", "60 Malaysia", "61 Australia", "62 Indonesia", "81 Japan", "82 South Korea"}},
        {.label = "codes with the place \"-\"", .scope = where("name", "-"), .field = "key",
         .values = words("35 37 40 50 51 52 53 56 57 58 59 60 62 80 83")},
        {.label = "the one-digit codes", .scope = where("key", "[0-9]"),
         .values = {"1 Canada *", "1 USA", "2 Canada", "3 South America", "7 USSR"}},
        {.label = "the longest codes", .scope = where("key", "[0-9]{5,7}"),
         .values = {"33628 Andorra", "35191 Madeira", "39541 San Marino", "3966982 Vatican City"}},
        {.label = "four-digit codes outside the area-code lines", .scope = where("key", "[0-9]{4}", country_lines_of_run_4),
         .values = {"2978 Aruba", "3393 Monaco", "3519 Azores", "4175 Lichtenstein", "6723 Norfolk Island"}},
        {.label = "the satellite services", .scope = where("key", "87[0-9]"),
         .values = {"871 Inmarsat Atlantic Ocean", "872 Inmarsat Pacific Ocean", "873 Inmarsat Indian Ocean"}},
        {.label = "the records of 1305 in order", .scope = where("key", "1305"), .field = "name",
         .values = {"Hialeah, FL", "Homestead, FL", "Key West, FL", "Miami Beach, FL", "Miami, FL", "North Miami, FL"}},
    };
}

} // namespace

DataSet international_dialling_codes()
{
    DataSet set;
    set.label = "InternationalDiallingCodes";
    set.module = {.module = &testing_support::module_of<zentrel::Category::InternationalDiallingCodes>,
                  .category = zentrel::Category::InternationalDiallingCodes,
                  .file_name = "InterTelDir.dat",
                  .line_count = 9999,
                  .upper_bound = 10199,
                  .fillers = 3,
                  .stored = {{1, 551}},
                  .end_of_data = 551};
    add_dialling_code_lines(set);
    add_dialling_code_shapes(set);
    add_dialling_code_counts(set);
    add_dialling_code_orders(set);
    set.quoted = {{6, "1 Canada *"}, {7, "1 USA"}, {45, "62 -"}, {47, "80 -"}, {73, "297 Aruba"},
                  {98, "1201 Ashbury Park, NJ *"}, {200, "1407 West Palm Beach, FL"}, {201, "1408 San Jose, CA"},
                  {400, "1910 Fayetteville, NC"}, {401, "1910 Greensboro, NC"}, {432, "1970 Vail, CO"},
                  {433, "2978 Aruba"}, {434, "298 Faroe Islands"}, {549, "98 Iran"}};
    set.present = {{.values = {"20 Egypt *", "33 France", "35 -", "1416 Toronto, ON", "1201 Newark, NJ *", "1207 Maine",
                               "1809 Caribbean", "1906 Sault Ste. Marie, MI", "1612 St.Paul, MN",
                               "508 St.Pierre and Miquelon", "1910 Winston-Salem, NC"}}};
    // Neighbours the data states: no record stands between them.
    set.hooks = {{.name = "the records the data states side by side stand so",
                  .scope = where("line", "1819 Sherbrooke, PQ|183 .*|2978 Aruba|299 Greenland|33 France|33628 Andorra|"
                                         "3393 Monaco|689 French Polynesia|7 USSR|1305 Miami Beach, FL",
                                 run_4),
                  .records = 10,
                  .holds = [](const RecordList& records, std::size_t index) {
                      static const std::vector<std::pair<std::string_view, std::string_view>> next = {
                          {"1819 Sherbrooke, PQ", "183 USA/Canada (Undersea cable)"},
                          {"183 USA/Canada (Undersea cable)", "184 USA/Canada (Satellite)"},
                          {"2978 Aruba", "298 Faroe Islands"},
                          {"299 Greenland", "30 Greece"},
                          {"33 France", "33628 Andorra"},
                          {"33628 Andorra", "3393 Monaco"},
                          {"3393 Monaco", "34 Spain"},
                          {"689 French Polynesia", "7 USSR"},
                          {"7 USSR", "81 Japan"},
                          {"1305 Miami Beach, FL", "1305 Miami, FL"}};
                      if (index + 1 >= records.size()) return false;
                      for (const auto& [record, after] : next) {
                          if (records[index].text == record) return records[index + 1].text == after;
                      }
                      return false;
                  }},
                 {.name = "184 stands right before 1860 Hartford",
                  .scope = where("key", "184", run_4),
                  .records = 1,
                  .holds = [](const RecordList& records, std::size_t index) {
                      return index + 1 < records.size() && records[index + 1].text == "1860 Hartford, CT";
                  }}};
    set.restored = {.lines = 550,
                    .bytes = 9933,
                    .lines_at = {{5, ""}, {46, placeholder(46)}, {74, placeholder(74)}, {75, placeholder(75)},
                                 {76, placeholder(76)}, {95, placeholder(95)}, {96, placeholder(96)},
                                 {97, placeholder(97)}, {549, "98 Iran"}, {550, ""}}};
    set.searches = {
        {by_code, "44", 3,
         {plain("44", "U.K."), plain("44", "United Kingdom (England, Scotland, Wales, Ireland)"),
          plain("44", "United Kingdom")},
         true},
        {by_code, "1", 2, {tagged("1", "Canada"), plain("1", "USA")}, true},
        {by_name, "Netherlands", 2, {plain("31", "Netherlands"), plain("31", "Netherlands")}, true},
        {by_code, "35", 1, {plain("35", "-")}, true},
        {by_code, "297", 1, {plain("297", "Aruba")}, true},
        {by_name, "Aruba", 2, {plain("297", "Aruba"), plain("2978", "Aruba")}, true},
        {by_code, "*", 537, {tagged("1", "Canada"), plain("98", "Iran")}},
        {by_code, "120[1-5]", 7,
         {tagged("1201", "Ashbury Park, NJ"), tagged("1201", "Newark, NJ"), tagged("1202", "Washington, DC"),
          tagged("1203", "New Haven, CT"), tagged("1204", "Winnipeg, MB"), tagged("1205", "Birmingham, AL"),
          plain("1205", "Tuscaloosa, AL")},
         true},
        {by_code, "1305", 6, {plain("1305", "Miami Beach, FL"), plain("1305", "Miami, FL")}},
        {by_name, "*, PQ", 8, {plain("1418", "Chicoutimi, PQ"), plain("1819", "Sherbrooke, PQ")}},
        {by_code, "2##", 43, {tagged("212", "Morocco"), plain("297", "Aruba"), tagged("268", "Swaziland"),
                              plain("298", "Faroe Islands"), plain("299", "Greenland")}},
    };
    return set;
}

namespace {

// ---------------------------------------------------------------------------------
// Radio call signs.

// The entry split of categories 1 to 7 with two parts of the name: "country", the text
// before its colon (empty where it has none), and "qualifier", its bracketed part with the
// brackets (empty where it has none).
Fields call_sign_fields()
{
    return {.names = {"key", "name", "tag", "country", "qualifier"},
            .split =
                [](std::string_view record, std::vector<std::string_view>& fields) {
                    const zentrel::EntryFields entry = zentrel::split_entry(record, zentrel::Category::RadioCallSigns);
                    const std::string_view name = entry.name;
                    const std::size_t colon = name.find(':');
                    const std::string_view country =
                        colon == std::string_view::npos ? std::string_view{} : name.substr(0, colon);
                    const std::size_t open = name.find('(');
                    const std::size_t close = name.find(')', open);
                    const std::string_view qualifier = open == std::string_view::npos || close == std::string_view::npos
                                                           ? std::string_view{}
                                                           : name.substr(open, close - open + 1);
                    fields = {entry.code, entry.name, entry.tag, country, qualifier};
                },
            .key = "key"};
}

// Prefix shapes with L for a letter and D for a digit, and the records of each.
std::vector<Tally> prefix_shape_tallies()
{
    const std::vector<std::pair<std::string, int>> shapes = {
        {"LL", 368}, {"LLD", 198}, {"DL", 170}, {"LD", 98}, {"LLDL", 21}, {"DLL", 14}, {"DLD", 13},
        {"L", 13},   {"LLL", 7},   {"LLLLL", 6}, {"LDD", 3}, {"LLLL", 2}, {"D", 1},   {"DLDLLL", 1}};
    std::vector<Tally> tallies;
    for (const auto& [shape, records] : shapes) {
        std::string pattern;
        for (const char c : shape) pattern += c == 'L' ? "[A-Z]" : "[0-9]";
        tallies.push_back(tally("prefixes of the shape " + shape, where("key", pattern), records));
    }
    return tallies;
}

void add_call_sign_lines(DataSet& set)
{
    set.other_lines = {{.lines = {1, 1}, .text = "# Radio Callsigns"},
                       {.lines = {2, 2}, .text = "# Callsign - Country"},
                       // Lines 3 and 8 are worded freely: a permission notice, a credit with a year.
                       {.lines = {3, 3}, .pattern = "# .+"},
                       {.lines = {4, 4}, .text = "#"},
                       {.lines = {5, 5}, .text = "# Read the 'Help.txt' file inside the application for details on how to"},
                       {.lines = {6, 6}, .text = "# alter this file."},
                       {.lines = {7, 7}, .text = "# This file was restored on; 12/06/2005 - 11:36:58am"},
                       {.lines = {8, 8}, .pattern = "# .*[0-9]{4}.*"},
                       {.lines = {9, 9}, .text = ":Null"},
                       {.lines = {925, 925}, .text = "#End_Of_Data#"}};
    set.record_lines = {{10, 924}};
    set.records = 915;
    set.blocks = {{.number = 1, .first_record = "1S Spratly Island", .last_record = "9R Zaire", .records = 191},
                  {.number = 2, .first_record = "9S Zaire", .last_record = "HN Iraq", .records = 200},
                  {.number = 3, .first_record = "HO Panama", .last_record = "SB Sweden", .records = 200},
                  {.number = 4, .first_record = "SC Sweden", .last_record = "WH3 USA: Johnston Island", .records = 200},
                  {.number = 5, .lines = {801, 925}, .last_line = "#End_Of_Data#", .first_record = "WH4 USA: Midway",
                   .last_record = "ZZ Brazil", .records = 124}};
}

void add_call_sign_shapes(DataSet& set)
{
    set.shapes = {printable_ascii(), no_outer_spaces(), no_two_spaces(), no_colour_tag(),
                  {.label = "prefix of capital letters and digits", .field = "key", .pattern = "[A-Z0-9]{1,6}"},
                  {.label = "name of letters, spaces and : / , . & ( ) -", .field = "name",
                   .pattern = "[A-Za-z:/,.&()-]+( [A-Za-z:/,.&()-]+)*"},
                  {.label = "no square bracket", .pattern = R"(.*[\[\]].*)", .forbidden = true},
                  {.label = "no second colon", .field = "name", .pattern = ".*:.*:.*", .forbidden = true},
                  {.label = "no digit in a name", .field = "name", .pattern = ".*[0-9].*", .forbidden = true}};
    set.lengths = {{.field = "key", .each = {{1, 14}, {2, 636}, {3, 235}, {4, 23}, {5, 6}, {6, 1}}, .each_complete = true}};
}

void add_call_sign_counts(DataSet& set)
{
    set.tallies = prefix_shape_tallies();
    set.tallies.push_back(tally("prefixes beginning with a digit", where("key", "[0-9].*"), 199));
    set.tallies.push_back(tally("prefixes beginning with a digit at lines 10-208", where("key", "[0-9].*", {10, 208}), 199));
    set.tallies.push_back(tally("names with a colon", where("name", ".*:.*"), 265));
    set.tallies.push_back(tally("names with a bracketed qualifier", where("qualifier", ".+"), 42));
    set.tallies.push_back(tally("names with \"/\"", where("name", ".*/.*"), 65));
    set.tallies.push_back(tally("names with \"&\"", where("name", ".*&.*"), 6));
    set.tallies.push_back(tally("names with a comma", where("name", ".*,.*"), 5));
    set.tallies.push_back(tally("FO8 records beside each other", where("key", "FO8", {357, 359}), 3));
    set.values = {
        // The five countries most often before the colon; no other stands there in 18 records.
        {.label = "countries before the colon", .scope = where("country", ".+"), .field = "country",
         .counts = {{"USA", 92}, {"Great Britain", 32}, {"USSR", 27}, {"France", 18}, {"Canada", 18}},
         .others_fewer_than = 18},
        {.label = "qualifiers", .field = "qualifier",
         .counts = {{"", 873}, {"(Aircraft)", 21}, {"(GDR)", 10}, {"(RK)", 4}, {"(Special)", 2}, {"(YAR)", 1},
                    {"(PDR)", 1}, {"(Finno-karelia)", 1}, {"(Khmer, Cambodia)", 1}, {"(UK Bases)", 1}},
         .complete = true},
    };
    set.repeats = {
        {.label = "prefixes", .field = "key", .distinct = 890, .repeated = 15, .records_repeated = 40, .most = 6,
         .most_values = {"VP8"},
         .times = {{"VP8", 6}, {"FO8", 4}, {"HK0", 3}, {"PY0", 3}, {"W0", 3}, {"W4", 3}, {"3D2", 2}, {"JD", 2},
                   {"VK0", 2}, {"VK9", 2}, {"W1", 2}, {"W3", 2}, {"W5", 2}, {"W7", 2}, {"ZD9", 2}},
         .others_once = true,
         .apart = std::vector<std::string>{"FO8"}},
        {.label = "records standing twice", .field = "line", .repeated = 1, .records_repeated = 2,
         .times = {{"3D2 Fiji", 2}}, .others_once = true},
    };
}

void add_call_sign_orders(DataSet& set)
{
    set.orders = {{.label = "whole lines by their character codes", .field = "line", .breaks = {362, 720, 748}}};
    set.exactly = {
        {.label = "the one-character prefixes", .scope = where("key", "."),
         .values = {"2 Great Britain", "B China", "D West Germany", "F France", "G Great Britain: England", "I Italy",
                    "J Japan", "K USA", "M Great Britain", "N USA", "R USSR", "U USSR", "W USA",
                    "Z Zimbabwe (Aircraft)"}},
        {.label = "the five- and six-character prefixes", .scope = where("key", ".{5,6}"),
         .values = {"4U1ITU ITU, Geneva", "VPLKA St.Kitts Nevis (Aircraft)", "VPLLZ St.Kitts Nevis (Aircraft)",
                    "VPLMA Montserrat (Aircraft)", "VPLUZ Montserrat (Aircraft)", "VPLVA Virgin Island (Aircraft)",
                    "VPLZZ Virgin Island (Aircraft)"}},
        {.label = "the four-letter prefixes", .scope = where("key", "[A-Z]{4}"),
         .values = {"CCCP USSR (Aircraft)", "RPDL Lao (Aircraft)"}},
        {.label = "names with a comma", .scope = where("name", ".*,.*"),
         .values = {"4U1ITU ITU, Geneva", "7O Yemen (PDR), Socotra Island", "HB Switzerland, Liechtenstein",
                    "HE Switzerland, Liechtenstein", "XU Kampuchea (Khmer, Cambodia)"}},
        {.label = "records named Fiji", .scope = where("name", "Fiji"), .field = "key",
         .values = words("3D2 3D2 3DN 3DO 3DP 3DQ 3DR 3DS 3DT 3DU 3DV 3DW 3DX 3DY 3DZ")},
        {.label = "the records of 3B in order", .scope = where("key", "3B.*"),
         .values = {"3B Mauritius", "3B6 Chagos Island", "3B7 Agalega and St.Brandon", "3B9 Rodriguezs"}},
        {.label = "the records of W0 in order", .scope = where("key", "W0"),
         .values = {"W0 USA: Colorado/Iowa/Kansas/Minnesota", "W0 USA: Missouri/Nebraska",
                    "W0 USA: North Dakota/South Dakota"}},
        {.label = "CC and its longer form", .scope = where("key", "C[CD].*"),
         .values = {"CC Chile", "CCCP USSR (Aircraft)", "CD Chile"}},
    };
}

} // namespace

DataSet radio_call_signs()
{
    DataSet set;
    set.label = "RadioCallSigns";
    set.module = {.module = &testing_support::module_of<zentrel::Category::RadioCallSigns>,
                  .category = zentrel::Category::RadioCallSigns,
                  .file_name = "CallSigns.dat",
                  .line_count = 925,
                  .upper_bound = 1125,
                  .fillers = 5,
                  .stored = {{1, 925}},
                  .end_of_data = 925};
    set.fields = call_sign_fields();
    add_call_sign_lines(set);
    add_call_sign_shapes(set);
    add_call_sign_counts(set);
    add_call_sign_orders(set);
    set.quoted = {{10, "1S Spratly Island"},
                  {20, "3D2 Fiji"},
                  {21, "3D2 Fiji"},
                  {200, "9R Zaire"},
                  {201, "9S Zaire"},
                  {208, "9Z Trinidad and Tobago"},
                  {209, "A2 Botswana"},
                  {361, "FR8 France: Europa/Glorieuses/Reunion"},
                  {362, "FO8 France: Tromelin/Juen de Nova Islands"},
                  {363, "FS7 France: St.Martin"},
                  {400, "HN Iraq"},
                  {401, "HO Panama"},
                  {600, "SB Sweden"},
                  {601, "SC Sweden"},
                  {719, "VK9 Australia: Papua New Guinea"},
                  {720, "VK9 Australia: Admiralty Island"},
                  {743, "VP8 Great Britain: Falkland Islands"},
                  {744, "VP8 Great Britain: South Georgia"},
                  {745, "VP8 Great Britain: South Orkney"},
                  {746, "VP8 Great Britain: South Sandwich"},
                  {747, "VP8 Great Britain: South Shetland"},
                  {748, "VP8 Great Britain: Graham Land"},
                  {800, "WH3 USA: Johnston Island"},
                  {801, "WH4 USA: Midway"},
                  {924, "ZZ Brazil"}};
    set.present = {{.values = {"3A Monaco", "4Y ICAO", "EA8 Spain: Canary Islands", "4O Yugoslavia", "HB0 Liechtenstein",
                               "OH0 Finland: Aaland Island", "UN1 USSR: RSFSR (Finno-karelia)",
                               "ZC4 Great Britain: Cyprus (UK Bases)", "W3 USA: Pensylvania & DC",
                               "T31 Northern Line/Line Islands", "T32 Phoenix Island",
                               "VE1 Canadian Maritime Provinces", "CE9 Chilean Antartica", "OR4 Belgian Antartica",
                               "8J1 Japanese Antarctica", "ZL5 New Zealand Antartica", "XT Volta", "XT2 Upper Volta",
                               "4U United Nations", "DQ Fiji (Aircraft)"}},
                   {.field = "key", .values = {"WH1", "DQ"}}};
    set.restored = {.lines = 924,
                    .bytes = 16595,
                    .lines_at = {{7, "# This file was restored on; 12/06/2005 - 11:36:58am"}, {9, ""}, {924, "ZZ Brazil"}}};
    set.searches = {
        {by_code, "3D2", 2, {plain("3D2", "Fiji"), plain("3D2", "Fiji")}, true},
        {by_name, "Fiji", 15,
         {plain("3D2", "Fiji"), plain("3D2", "Fiji"), plain("3DN", "Fiji"), plain("3DO", "Fiji"), plain("3DP", "Fiji"),
          plain("3DQ", "Fiji"), plain("3DR", "Fiji"), plain("3DS", "Fiji"), plain("3DT", "Fiji"), plain("3DU", "Fiji"),
          plain("3DV", "Fiji"), plain("3DW", "Fiji"), plain("3DX", "Fiji"), plain("3DY", "Fiji"), plain("3DZ", "Fiji")},
         true},
        {by_code, "VP8", 6,
         {plain("VP8", "Great Britain: Falkland Islands"), plain("VP8", "Great Britain: South Georgia"),
          plain("VP8", "Great Britain: South Orkney"), plain("VP8", "Great Britain: South Sandwich"),
          plain("VP8", "Great Britain: South Shetland"), plain("VP8", "Great Britain: Graham Land")},
         true},
        {by_code, "FO8", 4,
         {plain("FO8", "France: Clipperton Island"), plain("FO8", "France: French Polynesia"),
          plain("FO8", "France: Marquesas Islands"), plain("FO8", "France: Tromelin/Juen de Nova Islands")},
         true},
        {by_code, "W1", 2,
         {plain("W1", "USA: Connecticut/Maine/Massachusetts"), plain("W1", "USA: New Hampshire/Rhode Island/Vermont")},
         true},
        {by_code, "4O", 1, {plain("4O", "Yugoslavia")}, true},
        {by_code, "40", 0, {}, true},
        {by_code, "*", 915, {plain("1S", "Spratly Island"), plain("ZZ", "Brazil")}},
        {by_code, "4U*", 2, {plain("4U", "United Nations"), plain("4U1ITU", "ITU, Geneva")}, true},
        {by_code, "XT*", 2, {plain("XT", "Volta"), plain("XT2", "Upper Volta")}, true},
        {by_name, "*(Aircraft)", 21, {plain("CCCP", "USSR (Aircraft)"), plain("Z", "Zimbabwe (Aircraft)")}},
    };
    return set;
}

} // namespace testing_support
