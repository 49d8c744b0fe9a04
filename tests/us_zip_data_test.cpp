// The built-in US ZIP-code data, lines 1-13,000 (blocks 1-65, ZIP codes 00401 to 30226),
// described once and run through the data-set checker: on the lines the module hands out,
// on the file the real restore command writes, and through searches of that file in the
// real main window. The lines after 13,000 are not filled yet: the description proves that
// they come out as the placeholder, and that the data still ends where the module says.
// Broken copies show that the description notices the faults that matter in this data.
#include "tests/support/data_checker.h"
#include "tests/support/data_checker_window.h"

#include "default_data/data_tables.h"
#include "default_data/default_modules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

constexpr SearchDirection by_code = SearchDirection::by_code;
constexpr SearchDirection by_name = SearchDirection::by_name;

// The records that are filled; the rest of the module's lines hold nothing yet.
constexpr std::int32_t first_record = 4;
constexpr std::int32_t last_filled = 13000;

// The records of these lines whose place name matches `pattern`.
Scope places(LineRange lines, std::string pattern)
{
    return {.lines = lines, .where = {.field = "place", .pattern = std::move(pattern)}};
}

Scope of_state(LineRange lines, const std::string& state)
{
    return {.lines = lines, .where = {.field = "state", .pattern = state}};
}

Tally places_matching(std::string label, LineRange lines, std::string pattern, int records)
{
    return {.label = std::move(label), .scope = places(lines, std::move(pattern)), .records = records};
}

// Exactly these records have a place name matching `pattern` on these lines.
Exactly only_records(std::string label, LineRange lines, std::string pattern, std::vector<std::string> records)
{
    return {.label = std::move(label), .scope = places(lines, std::move(pattern)), .values = std::move(records)};
}

// A place name with a word that begins with a small letter.
const std::string small_word = "([a-z].*|.*[ -][a-z].*)";
// A place name with a character other than letters, spaces and hyphens.
const std::string other_character = ".*[^A-Za-z -].*";
// Words of a place name.
std::string word(const std::string& w) { return "(" + w + "|" + w + " .*|.* " + w + "|.* " + w + " .*)"; }

// ---------------------------------------------------------------------------------------
// The module, the lines that are not records, and the rules every record keeps

void add_module_and_other_lines(DataSet& set)
{
    set.label = "USZipCodes";
    set.module = {.module = &zentrel::modDefaultUSZipCodes,
                  .category = 7,
                  .file_name = "ZipCodesUS.dat",
                  .line_count = 42159,
                  .upper_bound = 42359,
                  .fillers = 211,
                  .stored = {{1, last_filled}, {42158, 42159}},
                  .end_of_data = 42159};
    set.fields = zip_fields();
    set.other_lines = {{.lines = {1, 1}, .text = "# USA zip codes"},
                       {.lines = {2, 2}, .text = "# Zip Code - Place Name"},
                       {.lines = {3, 3}, .text = ":Null"},
                       {.lines = {last_filled + 1, 42157}, .text = ""},
                       {.lines = {42158, 42158}, .text = ":Null"},
                       {.lines = {42159, 42159}, .text = "#End_Of_Data#"}};
    set.record_lines = {{first_record, last_filled}};
    set.records = last_filled - first_record + 1;
}

// The form of a record, its characters and its place-name conventions, over every record.
void add_record_rules(DataSet& set)
{
    set.shapes.push_back(printable_ascii());
    set.shapes.push_back(no_outer_spaces());
    set.shapes.push_back(no_two_spaces());
    set.shapes.push_back(no_colour_tag());
    set.shapes.push_back({.label = "a ZIP record", .pattern = R"(\d{5} [^ ].*[^ ], [A-Z]{2})"});
    set.shapes.push_back({.label = "a ZIP code of five digits", .field = "zip", .pattern = R"(\d{5})"});
    set.shapes.push_back({.label = "place names of letters, spaces, hyphens and slashes",
                          .field = "place",
                          .pattern = "[A-Za-z]+(( |-|/)[A-Za-z]+)*",
                          .exception_records = {"19397 Southeastern, Pa., PA", "19398 Southeastern, Pa., PA",
                                                "19399 Southeastern, Pa., PA", "29479 St. Stephen, SC"}});
    set.shapes.push_back({.label = "title case: every word a capital and small letters",
                          .field = "place",
                          .pattern = "((APO|FPO) )?[A-Z][a-z]*(( |-|/)[A-Z][a-z]*)*",
                          .exception_records = {"03801 Pease AFB, NH", "04549 Isle of Springs, ME",
                                                "07717 Avon By the Sea, NJ", "19397 Southeastern, Pa., PA",
                                                "19398 Southeastern, Pa., PA", "19399 Southeastern, Pa., PA",
                                                "19406 King of Prussia, PA", "21647 McDaniel, MD",
                                                "21777 Point of Rocks, MD", "23085 King and Queen Court Hous, VA",
                                                "29451 Isle of Palms, SC", "29479 St. Stephen, SC"}});
    set.lengths = {{.field = "place", .min = 3, .max = 25, .at_max = 1},
                   {.field = "line", .min = 13, .max = 35, .at_max = 1}};
    set.repeats = {{.label = "ZIP codes", .field = "zip", .no_two_alike = true},
                   {.label = "records", .field = "line", .no_two_alike = true}};
    set.orders = {{.label = "ZIP codes ascending", .field = "zip", .strict = true}};
    set.tallies.push_back({.label = "ZIP codes beginning with 0",
                           .scope = {.lines = {}, .where = {.field = "zip", .pattern = "0.*"}},
                           .records = 3541});

    const LineRange all = {first_record, last_filled};
    set.exactly.push_back(only_records("names with a slash", all, ".*/.*",
                                       {"06268 Storrs/Mansfield, CT", "21030 Cockeysville/Hunt Valley, MD",
                                        "21031 Cockeysville/Hunt Valley, MD"}));
    set.exactly.push_back(only_records("names with a point", all, R"(.*\..*)",
                                       {"19397 Southeastern, Pa., PA", "19398 Southeastern, Pa., PA",
                                        "19399 Southeastern, Pa., PA", "29479 St. Stephen, SC"}));
    set.exactly.push_back(only_records("names with a comma", all, ".*,.*",
                                       {"19397 Southeastern, Pa., PA", "19398 Southeastern, Pa., PA",
                                        "19399 Southeastern, Pa., PA"}));
    set.tallies.push_back(places_matching("names with an apostrophe or an asterisk", all, ".*['*].*", 0));
    set.exactly.push_back(only_records("names with a word in small letters", all, small_word,
                                       {"04549 Isle of Springs, ME", "07717 Avon By the Sea, NJ",
                                        "19406 King of Prussia, PA", "21777 Point of Rocks, MD",
                                        "23085 King and Queen Court Hous, VA", "29451 Isle of Palms, SC"}));
    set.exactly.push_back(only_records("\"Mc\" joined to the rest of the name", all, "(.* )?Mc[A-Za-z].*",
                                       {"21647 McDaniel, MD"}));
    set.exactly.push_back(only_records("\"Saint\" shortened; \"Mt\" and \"Ft\" never", all,
                                       "(.* )?(St|Mt|Ft)( |\\.).*|(.* )?(St|Mt|Ft)",
                                       {"29479 St. Stephen, SC", "29920 St Helena, SC"}));
    set.exactly.push_back(only_records("\"AFB\" written as one word", all, ".*AFB.*", {"03801 Pease AFB, NH"}));
    set.exactly.push_back(only_records("names of 25 characters", all, ".{25}",
                                       {"23085 King and Queen Court Hous, VA"}));
    set.values.push_back({.label = "military mail places", .scope = {.lines = all, .where = {}}, .field = "place",
                          .counts = {{"APO New York", 247}, {"FPO New York", 78}}});
    set.tallies.push_back(places_matching("military mail places", all, "(APO|FPO) .*", 325));
    set.values.push_back({.label = "state codes in order of their first record",
                          .scope = {.lines = all, .where = {}},
                          .field = "state",
                          .counts = {{"NY", 2630, 4},    {"PR", 154, 7},     {"VI", 14, 118},    {"MA", 701, 175},
                                     {"RI", 90, 875},    {"NH", 274, 965},   {"ME", 524, 1239},  {"VT", 297, 1763},
                                     {"CT", 404, 2061},  {"NJ", 742, 2466},  {"PA", 2212, 5834}, {"DE", 98, 8046},
                                     {"DC", 277, 8144},  {"MD", 569, 8421},  {"VA", 1231, 8990}, {"WV", 1054, 10221},
                                     {"NC", 1063, 11275}, {"SC", 520, 12338}, {"GA", 143, 12858}},
                          .complete = true,
                          .in_order_of_first_appearance = true});
}

// ---------------------------------------------------------------------------------------
// Blocks, state runs and quoted records

// Block k with its first and last lines and its records by state code in element order;
// a last line left empty is not quoted.
Block zip_block(int k, std::string first, std::optional<std::string> last, std::vector<Stretch> states)
{
    int records = 0;
    for (const Stretch& stretch : states) records += stretch.records;
    return {.number = k, .first_line = std::move(first), .last_line = std::move(last), .records = records,
            .field = "state", .sequence = std::move(states)};
}

Run state_run(std::string state, LineRange lines, std::string first_zip, std::string last_zip, int records)
{
    return {.field = "state", .value = std::move(state), .lines = lines, .records = records,
            .first_key = std::move(first_zip), .last_key = std::move(last_zip)};
}

void add_blocks_and_runs(DataSet& set)
{
    set.blocks = {
        zip_block(1, "# USA zip codes", "01035 Hadley, MA",
                  {{"NY", 3}, {"PR", 111}, {"VI", 14}, {"PR", 43}, {"MA", 26}}),
        zip_block(2, "01036 Hampden, MA", "01549 South Berlin, MA", {{"MA", 200}}),
        zip_block(3, "01550 Southbridge, MA", "02112 Boston, MA", {{"MA", 200}}),
        zip_block(4, "02113 Boston, MA", "02639 Dennis Port, MA", {{"MA", 200}}),
        zip_block(5, "02641 East Dennis, MA", "03100 Manchester, NH", {{"MA", 74}, {"RI", 90}, {"NH", 36}}),
        zip_block(6, "03101 Manchester, NH", "03846 Jackson, NH", {{"NH", 200}}),
        zip_block(7, "03847 Kearsarge, NH", "04283 Turner Center, ME", {{"NH", 38}, {"ME", 162}}),
        zip_block(8, "04284 Wayne, ME", "04672 Salsbury Cove, ME", {{"ME", 200}}),
        zip_block(9, "04673 Sargentville, ME", "05070 South Strafford, VT", {{"ME", 162}, {"VT", 38}}),
        zip_block(10, "05071 South Woodstock, VT", "05770 Shoreham, VT", {{"VT", 123}, {"MA", 1}, {"VT", 76}}),
        zip_block(11, "05772 Stockbridge, VT", "06264 Scotland, CT", {{"VT", 60}, {"CT", 140}}),
        zip_block(12, "06265 South Willington, CT", "06786 Terryville, CT", {{"CT", 49}, {"NY", 1}, {"CT", 150}}),
        zip_block(13, "06787 Thomaston, CT", "07310 Jersey City, NJ", {{"CT", 65}, {"NJ", 135}}),
        zip_block(14, "07311 Jersey City, NJ", "07870 Schooleys Mountain, NJ", {{"NJ", 200}}),
        zip_block(15, "07871 Sparta, NJ", "08322 Franklinville, NJ", {{"NJ", 200}}),
        zip_block(16, "08323 Greenwich, NJ", "08903 New Brunswick, NJ", {{"NJ", 200}}),
        zip_block(17, "08904 Highland Park, NJ", "09380 APO New York, NY", {{"NJ", 7}, {"NY", 193}}),
        zip_block(18, "09401 APO New York, NY", "10095 New York, NY", {{"NY", 200}}),
        zip_block(19, "10096 New York, NY", "10579 Putnam Valley, NY", {{"NY", 200}}),
        zip_block(20, "10580 Rye, NY", "11361 Flushing, NY", {{"NY", 200}}),
        zip_block(21, "11362 Flushing, NY", "11777 Port Jefferson, NY", {{"NY", 200}}),
        zip_block(22, "11778 Rocky Point, NY", "12167 Stamford, NY", {{"NY", 200}}),
        zip_block(23, "12168 Stephentown, NY", "12527 Glenham, NY", {{"NY", 200}}),
        zip_block(24, "12528 Highland, NY", "12926 Constable, NY", {{"NY", 200}}),
        zip_block(25, "12927 Cranberry Lake, NY", "13217 Syracuse, NY", {{"NY", 200}}),
        zip_block(26, "13219 Syracuse, NY", "13656 La Fargeville, NY", {{"NY", 200}}),
        zip_block(27, "13657 Limerick, NY", "14086 Lancaster, NY", {{"NY", 200}}),
        zip_block(28, "14091 Lawtons, NY", "14558 South Lima, NY", {{"NY", 200}}),
        zip_block(29, "14559 Spencerport, NY", "14870 Painted Post, NY", {{"NY", 200}}),
        zip_block(30, "14871 Pine City, NY", "15262 Pittsburgh, PA", {{"NY", 33}, {"PA", 167}}),
        zip_block(31, "15263 Pittsburgh, PA", "15617 Arona, PA", {{"PA", 200}}),
        zip_block(32, "15618 Avonmore, PA", "15952 Salix, PA", {{"PA", 200}}),
        zip_block(33, "15953 Seanor, PA", "16407 Corry, PA", {{"PA", 200}}),
        zip_block(34, "16410 Cranesville, PA", "16863 Olanta, PA", {{"PA", 200}}),
        zip_block(35, "16864 Beech Creek, PA", "17251 Roxbury, PA", {{"PA", 200}}),
        zip_block(36, "17252 Saint Thomas, PA", "17776 Waterville, PA", {{"PA", 200}}),
        zip_block(37, "17777 Watsontown, PA", "18223 Ebervale, PA", {{"PA", 200}}),
        zip_block(38, "18224 Freeland, PA", "18764 Wilkes-Barre, PA", {{"PA", 200}}),
        zip_block(39, "18765 Wilkes-Barre, PA", "19112 Philadelphia, PA", {{"PA", 200}}),
        zip_block(40, "19113 Philadelphia, PA", "19522 Fleetwood, PA", {{"PA", 200}}),
        zip_block(41, "19523 Geigertown, PA", "20067 Washington, DC", {{"PA", 45}, {"DE", 98}, {"DC", 57}}),
        zip_block(42, "20068 Washington, DC", "20565 Washington, DC", {{"DC", 200}}),
        zip_block(43, "20566 Washington, DC", "21009 Abingdon, MD", {{"DC", 20}, {"MD", 180}}),
        zip_block(44, "21010 Aberdeen Proving Ground, MD", "21620 Chestertown, MD", {{"MD", 200}}),
        zip_block(45, "21622 Church Creek, MD", "22017 Casanova, VA", {{"MD", 189}, {"VA", 11}}),
        zip_block(46, "22018 Catharpin, VA", "22539 Reedville, VA", {{"VA", 200}}),
        zip_block(47, "22540 Regina, VA", "23031 Saluda, VA", {{"VA", 200}}),
        zip_block(48, "23032 Church View, VA", "23345 Davis Wharf, VA", {{"VA", 200}}),
        zip_block(49, "23347 Eastville, VA", "23921 Buckingham, VA", {{"VA", 200}}),
        zip_block(50, "23922 Burkeville, VA", "24258 Hiltons, VA", {{"VA", 200}}),
        zip_block(51, "24260 Honaker, VA", "24624 Keen Mountain, VA", {{"VA", 200}}),
        zip_block(52, "24627 Mavisdale, VA", "25034 Burnwell, WV", {{"VA", 20}, {"WV", 180}}),
        zip_block(53, "25035 Cabin Creek, WV", "25360 Charleston, WV", {{"WV", 200}}),
        zip_block(54, "25361 Charleston, WV", "25817 Bolt, WV", {{"WV", 200}}),
        zip_block(55, "25818 Bradley, WV", "26241 Elkins, WV", {{"WV", 200}}),
        zip_block(56, "26250 Belington, WV", "26662 Canvas, WV", {{"WV", 200}}),
        zip_block(57, "26667 Drennen, WV", "27311 Pelham, NC", {{"WV", 74}, {"NC", 126}}),
        zip_block(58, "27312 Pittsboro, NC", "27806 Aurora, NC", {{"NC", 200}}),
        zip_block(59, "27807 Bailey, NC", "28090 Lawndale, NC", {{"NC", 200}}),
        zip_block(60, "28091 Lilesville, NC", "28392 Tar Heel, NC", {{"NC", 200}}),
        zip_block(61, "28393 Turkey, NC", "28667 Rhodhiss, NC", {{"NC", 200}}),
        zip_block(62, "28668 Roaring Gap, NC", "29113 Norway, SC", {{"NC", 137}, {"SC", 63}}),
        zip_block(63, "29114 Olanta, SC", "29493 Williams, SC", {{"SC", 200}}),
        zip_block(64, "29501 Florence, SC", {}, {{"SC", 200}}),
        zip_block(65, "29834 Langley, SC", "30226 Lilburn, GA", {{"SC", 57}, {"GA", 143}}),
    };
    set.runs = {
        state_run("NY", {4, 6}, "00401", "00544", 3),
        state_run("PR", {7, 117}, "00601", "00768", 111),
        state_run("VI", {118, 131}, "00801", "00850", 14),
        state_run("PR", {132, 174}, "00900", "00975", 43),
        state_run("MA", {175, 874}, "01001", "02791", 700),
        state_run("RI", {875, 964}, "02801", "02940", 90),
        state_run("NH", {965, 1238}, "03031", "03897", 274),
        state_run("ME", {1239, 1762}, "03901", "04992", 524),
        state_run("VT", {1763, 1923}, "05001", "05501", 161),
        state_run("MA", {1924, 1924}, "05544", "05544", 1),
        state_run("VT", {1925, 2060}, "05602", "05907", 136),
        state_run("CT", {2061, 2249}, "06001", "06389", 189),
        state_run("NY", {2250, 2250}, "06390", "06390", 1),
        state_run("CT", {2251, 2465}, "06401", "06926", 215),
        state_run("NJ", {2466, 3207}, "07001", "08989", 742),
        state_run("NY", {3208, 5833}, "09001", "14975", 2626),
        state_run("PA", {5834, 8045}, "15001", "19640", 2212),
        state_run("DE", {8046, 8143}, "19701", "19980", 98),
        state_run("DC", {8144, 8420}, "20000", "20599", 277),
        state_run("MD", {8421, 8989}, "20601", "21930", 569),
        state_run("VA", {8990, 10220}, "22001", "24659", 1231),
        state_run("WV", {10221, 11274}, "24701", "26886", 1054),
        state_run("NC", {11275, 12337}, "27006", "28909", 1063),
        state_run("SC", {12338, 12857}, "29001", "29948", 520),
        state_run("GA", {12858, 13000}, "30001", "30226", 143),
    };
    set.runs.back().goes_on_after = true;
    set.sequences = {{.label = "state runs", .scope = {.lines = {first_record, last_filled}, .where = {}},
                      .field = "state", .runs = 25}};
    // The block table fixes only the code and state of block 64's last record.
    set.exactly.push_back({.label = "the last record of block 64, ZIP 29832, SC",
                           .scope = {.lines = {12800, 12800}, .where = {}}, .field = "zip", .values = {"29832"}});
}

void add_quoted_records(DataSet& set)
{
    set.quoted = {
        {4, "00401 Pleasantville, NY"},
        {6, "00544 Holtsville, NY"},
        {7, "00601 Adjuntas, PR"},
        {117, "00768 Yauco, PR"},
        {118, "00801 Charlotte Amalie, VI"},
        {131, "00850 Kingshill, VI"},
        {132, "00900 San Juan, PR"},
        {175, "01001 Agawam, MA"},
        {874, "02791 Westport Point, MA"},
        {875, "02801 Adamsville, RI"},
        {964, "02940 Providence, RI"},
        {965, "03031 Amherst, NH"},
        {1167, "03801 Pease AFB, NH"},
        {1239, "03901 Berwick, ME"},
        {1522, "04549 Isle of Springs, ME"},
        {1763, "05001 White River Junction, VT"},
        {1784, "05050 Mc Indoe Falls, VT"},
        {1923, "05501 Andover, VT"},
        {1924, "05544 Andover, MA"},
        {1925, "05602 Montpelier, VT"},
        {2061, "06001 Avon, CT"},
        {2204, "06268 Storrs/Mansfield, CT"},
        {2249, "06389 Yantic, CT"},
        {2250, "06390 Fishers Island, NY"},
        {2251, "06401 Ansonia, CT"},
        {2466, "07001 Avenel, NJ"},
        {2718, "07717 Avon By the Sea, NJ"},
        {3207, "08989 New Brunswick, NJ"},
        {3208, "09001 APO New York, NY"},
        {3325, "09169 APO New York, NY"},
        {3326, "09170 New York, NY"},
        {3327, "09171 APO New York, NY"},
        {3328, "09172 New York, NY"},
        {3329, "09173 APO New York, NY"},
        {3333, "09178 APO New York, NY"},
        {3334, "09179 New York, NY"},
        {3335, "09180 APO New York, NY"},
        {3336, "09182 New York, NY"},
        {3337, "09184 APO New York, NY"},
        {3338, "09185 APO New York, NY"},
        {3339, "09186 New York, NY"},
        {3340, "09188 New York, NY"},
        {3341, "09189 APO New York, NY"},
        {3342, "09193 New York, NY"},
        {3344, "09210 New York, NY"},
        {3345, "09211 APO New York, NY"},
        {3346, "09213 New York, NY"},
        {3347, "09215 APO New York, NY"},
        {3361, "09252 APO New York, NY"},
        {3362, "09253 New York, NY"},
        {3363, "09254 APO New York, NY"},
        {3395, "09360 APO New York, NY"},
        {3396, "09372 New York, NY"},
        {3397, "09373 APO New York, NY"},
        {3415, "09483 APO New York, NY"},
        {3416, "09501 FPO New York, NY"},
        {3453, "09545 FPO New York, NY"},
        {3454, "09546 APO New York, NY"},
        {3455, "09547 FPO New York, NY"},
        {3487, "09588 FPO New York, NY"},
        {3488, "09589 APO New York, NY"},
        {3489, "09590 FPO New York, NY"},
        {3490, "09591 FPO New York, NY"},
        {3491, "09592 APO New York, NY"},
        {3492, "09593 FPO New York, NY"},
        {3496, "09598 FPO New York, NY"},
        {3497, "09607 APO New York, NY"},
        {3544, "09892 APO New York, NY"},
        {3545, "10001 New York, NY"},
        {5216, "13673 Philadelphia, NY"},
        {5497, "14305 Niagara Falls, NY"},
        {5498, "14410 Adams Basin, NY"},
        {5548, "14482 Le Roy, NY"},
        {5833, "14975 Elmira, NY"},
        {5834, "15001 Aliquippa, PA"},
        {7174, "17743 Le Roy, PA"},
        {7918, "19397 Southeastern, Pa., PA"},
        {7919, "19398 Southeastern, Pa., PA"},
        {7920, "19399 Southeastern, Pa., PA"},
        {7925, "19406 King of Prussia, PA"},
        {8045, "19640 Reading, PA"},
        {8046, "19701 Bear, DE"},
        {8143, "19980 Woodside, DE"},
        {8144, "20000 Washington, DC"},
        {8420, "20599 Washington, DC"},
        {8421, "20601 Waldorf, MD"},
        {8615, "21030 Cockeysville/Hunt Valley, MD"},
        {8616, "21031 Cockeysville/Hunt Valley, MD"},
        {8913, "21777 Point of Rocks, MD"},
        {8989, "21930 Georgetown, MD"},
        {8990, "22001 Aldie, VA"},
        {9435, "23085 King and Queen Court Hous, VA"},
        {10220, "24659 Yards, VA"},
        {10221, "24701 Bluefield, WV"},
        {10507, "25201 Tad, WV"},
        {10888, "25966 Green Sulphur Springs, WV"},
        {11274, "26886 Onego, WV"},
        {11275, "27006 Advance, NC"},
        {12337, "28909 Warne, NC"},
        {12338, "29001 Alcolu, SC"},
        {12571, "29451 Isle of Palms, SC"},
        {12589, "29477 Saint George, SC"},
        {12590, "29479 St. Stephen, SC"},
        {12834, "29920 St Helena, SC"},
        {12857, "29948 Hilton Head Island, SC"},
        {12858, "30001 Austell, GA"},
    };
    set.present = {{.scope = {}, .field = "line", .values = {
        "00750 Saint Just, PR",
        "01238 Lee, MA",
        "01806 Middlesex Essex Gmf, MA",
        "03604 Drewsville Nh, NH",
        "08031 So Jersey Msc, NJ",
        "10503 Ardsley-On-Hudson, NY",
        "10520 Croton-On-Hudson, NY",
        "10521 Croton-On-Hudson, NY",
        "10581 Rye, NY",
        "11776 Port Jefferson Station, NY",
        "11965 Shelter Island Heights, NY",
        "12504 Annandale-On-Hudson, NY",
        "12941 Jay, NY",
        "13102 Mc Lean, NY",
        "13303 Ava, NY",
        "13692 Thousand Island Park, NY",
        "13801 Mc Donough, NY",
        "14060 Farmersville Station, NY",
        "15035 East Mc Keesport, PA",
        "15130 Mc Keesport, PA",
        "15136 Mc Kees Rocks, PA",
        "15356 Rea, PA",
        "15801 Du Bois, PA",
        "15857 Saint Marys, PA",
        "16244 Nu Mine, PA",
        "16744 Rew, PA",
        "16865 Pennsylvania Furnace, PA",
        "16914 Columbia Cross Roads, PA",
        "17077 Ono, PA",
        "17505 Bird In Hand, PA",
        "17521 Elm, PA",
        "17527 Gap, PA",
        "17552 Mount Joy, PA",
        "17853 Mount Pleasant Mills, PA",
        "17952 Mary D, PA",
        "18348 Pocono Lake Preserve, PA",
        "18356 Shawnee On Delaware, PA",
        "18453 Pleasant Mount, PA",
        "19004 Bala-Cynwyd, PA",
        "19025 Fort Washington, PA",
        "20755 Fort George G Meade, MD",
        "21647 McDaniel, MD",
        "25873 Mac Arthur, WV",
        "29152 Shaw A F B, SC",
    }}};
}

// ---------------------------------------------------------------------------------------
// What each stretch of blocks states about its place names

void add_blocks_1_to_13(DataSet& set)
{
    const LineRange lines = {1, 2600};
    set.exactly.push_back(only_records("blocks 1-13: names with a character other than letters, spaces and hyphens",
                                       lines, other_character, {"06268 Storrs/Mansfield, CT"}));
    set.exactly.push_back(only_records("blocks 1-13: names with a word in small letters", lines, small_word,
                                       {"04549 Isle of Springs, ME"}));
    set.exactly.push_back(only_records("blocks 1-13: other departures from title case", lines,
                                       ".*[A-Z][a-z]*[A-Z].*", {"03801 Pease AFB, NH"}));
    set.exactly.push_back(only_records("the first \"Mc\" as a word of its own", {1, 1784}, word("Mc"),
                                       {"05050 Mc Indoe Falls, VT"}));
    set.tallies.push_back(places_matching("blocks 1-13: names of 25 characters", lines, ".{25}", 0));
    set.tallies.push_back(places_matching("blocks 1-13: military mail", lines, "(APO|FPO) .*", 0));
}

void add_blocks_14_to_26(DataSet& set)
{
    const LineRange lines = {2601, 5200};
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .min = 3, .max = 22,
                           .at_min = 4, .at_max = 2});
    set.exactly.push_back(only_records("blocks 14-26: the shortest names", lines, ".{3}",
                                       {"10580 Rye, NY", "10581 Rye, NY", "12941 Jay, NY", "13303 Ava, NY"}));
    set.exactly.push_back(only_records("blocks 14-26: the longest names", lines, ".{22}",
                                       {"11776 Port Jefferson Station, NY", "11965 Shelter Island Heights, NY"}));
    set.repeats.push_back({.label = "blocks 14-26: place names", .scope = {.lines = lines, .where = {}},
                           .field = "place", .distinct = 1545});
    set.exactly.push_back(only_records("blocks 14-26: names with a word in small letters", lines, small_word,
                                       {"07717 Avon By the Sea, NJ"}));
    set.exactly.push_back(only_records("blocks 14-26: names with anything but letters and single spaces", lines,
                                       ".*[^A-Za-z ].*",
                                       {"10503 Ardsley-On-Hudson, NY", "10520 Croton-On-Hudson, NY",
                                        "10521 Croton-On-Hudson, NY", "12504 Annandale-On-Hudson, NY"}));
    set.tallies.push_back(places_matching("blocks 14-26: names of 25 characters", lines, ".{25}", 0));

    // The military mail stretch: its runs of one place name, and how blocks 17 and 18 share it.
    set.sequences.push_back({.label = "military mail stretch", .scope = {.lines = {3208, 3544}, .where = {}},
                             .field = "place",
                             .stretches = {{"APO New York", 118}, {"New York", 1}, {"APO New York", 1},
                                           {"New York", 1},       {"APO New York", 5}, {"New York", 1},
                                           {"APO New York", 1},   {"New York", 1},     {"APO New York", 2},
                                           {"New York", 2},       {"APO New York", 1}, {"New York", 3},
                                           {"APO New York", 1},   {"New York", 1},     {"APO New York", 15},
                                           {"New York", 1},       {"APO New York", 33}, {"New York", 1},
                                           {"APO New York", 19},  {"FPO New York", 38}, {"APO New York", 1},
                                           {"FPO New York", 33},  {"APO New York", 1},  {"FPO New York", 2},
                                           {"APO New York", 1},   {"FPO New York", 5},  {"APO New York", 48}}});
    set.values.push_back({.label = "military mail places", .scope = {.lines = {3208, 3544}, .where = {}},
                          .field = "place",
                          .counts = {{"APO New York", 247}, {"FPO New York", 78}, {"New York", 12}},
                          .complete = true});
    set.values.push_back({.label = "block 17's military mail", .scope = {.lines = {3208, 3400}, .where = {}},
                          .field = "place", .counts = {{"APO New York", 181}, {"New York", 12}}, .complete = true});
    set.values.push_back({.label = "block 18's military mail", .scope = {.lines = {3401, 3544}, .where = {}},
                          .field = "place", .counts = {{"APO New York", 66}, {"FPO New York", 78}}, .complete = true});
}

// Names with ten or more records in blocks 27-39 and their numbers; every other name has fewer.
const std::vector<ValueCount> frequent_in_27_to_39 = {
    {"Pittsburgh", 81},   {"Rochester", 48},    {"Buffalo", 45},      {"Erie", 33},        {"Harrisburg", 23},
    {"Wilkes-Barre", 23}, {"Scranton", 18},     {"Philadelphia", 17}, {"Allentown", 10}};

// A name that has ten or more records in blocks 27-39 is one of the frequent names. The
// numbers of records are counted afresh at the start of each pass over the records.
Hook frequent_names_only()
{
    struct Tally {
        std::size_t last_index = 0;
        std::map<std::string, int> records;
    };
    auto tally = std::make_shared<Tally>();
    return {.name = "blocks 27-39: ten records or more only for the names listed",
            .scope = {.lines = {5201, 7800}, .where = {}},
            .holds = [tally](const RecordList& records, std::size_t index) {
                const std::size_t place = records.field_index("place");
                if (tally->records.empty() || index <= tally->last_index) {
                    tally->records.clear();
                    for (std::size_t i = 0; i < records.size(); ++i) {
                        const Record& record = records[i];
                        if (record.line < 5201 || record.line > 7800) continue;
                        ++tally->records[std::string(record.fields[place])];
                    }
                }
                tally->last_index = index;
                const std::string name(records[index].fields[place]);
                const bool listed = std::any_of(frequent_in_27_to_39.begin(), frequent_in_27_to_39.end(),
                                                [&](const ValueCount& each) { return each.value == name; });
                return listed || tally->records[name] < 10;
            }};
}

int zip_number(const RecordList& records, std::size_t index)
{
    return std::atoi(std::string(records.field(index, "zip")).c_str());
}

// The widest step between two neighbouring records of blocks 27-39, from 14305 to 14410,
// is the only one of its size.
Hook widest_step()
{
    return {.name = "blocks 27-39: the widest step is the one from 14305 to 14410",
            .scope = {.lines = {5202, 7800}, .where = {}},
            .holds = [](const RecordList& records, std::size_t index) {
                const int step = zip_number(records, index) - zip_number(records, index - 1);
                return records[index].line == 5498 ? step == 105 : step < 105;
            }};
}

void add_blocks_27_to_39(DataSet& set)
{
    const LineRange lines = {5201, 7800};
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .min = 3, .max = 20,
                           .at_min = 5, .at_max = 6});
    set.exactly.push_back(only_records("blocks 27-39: the shortest names", lines, ".{3}",
                                       {"15356 Rea, PA", "16744 Rew, PA", "17077 Ono, PA", "17521 Elm, PA",
                                        "17527 Gap, PA"}));
    set.exactly.push_back(only_records("blocks 27-39: the longest names", lines, ".{20}",
                                       {"13692 Thousand Island Park, NY", "14060 Farmersville Station, NY",
                                        "16865 Pennsylvania Furnace, PA", "16914 Columbia Cross Roads, PA",
                                        "17853 Mount Pleasant Mills, PA", "18348 Pocono Lake Preserve, PA"}));
    set.shapes.push_back({.label = "blocks 27-39: one to three words", .scope = {.lines = lines, .where = {}},
                          .field = "place", .pattern = "[^ ]+( [^ ]+)?( [^ ]+)?"});
    // 512 New York and 1,628 Pennsylvania names, 2,078 in all: 62 names stand in both states.
    set.repeats.push_back({.label = "blocks 27-39: place names", .scope = {.lines = lines, .where = {}},
                           .field = "place", .distinct = 2078, .times = frequent_in_27_to_39});
    set.repeats.push_back({.label = "blocks 27-39: New York place names", .scope = of_state(lines, "NY"),
                           .field = "place", .distinct = 512});
    set.repeats.push_back({.label = "blocks 27-39: Pennsylvania place names", .scope = of_state(lines, "PA"),
                           .field = "place", .distinct = 1628});
    set.hooks.push_back(frequent_names_only());
    set.values.push_back({.label = "blocks 27-39: Pennsylvania names of New York cities",
                          .scope = of_state(lines, "PA"),
                          .field = "place",
                          .counts = {{"Rochester", 1}}});
    set.values.push_back({.label = "blocks 27-39: New York names of Pennsylvania cities",
                          .scope = of_state(lines, "NY"),
                          .field = "place",
                          .counts = {{"Philadelphia", 1}, {"Allentown", 1}}});
    set.runs.push_back({.field = "place", .value = "Pittsburgh", .lines = {5944, 6020}, .records = 77,
                        .first_key = "15200", .last_key = "15290"});
    set.runs.push_back({.field = "place", .value = "Wilkes-Barre", .lines = {7585, 7607}, .records = 23,
                        .first_key = "18700", .last_key = "18774"});
    set.values.push_back({.label = "the end of block 39", .scope = {.lines = {7787, 7800}, .where = {}},
                          .field = "place", .counts = {{"Philadelphia", 14}}, .complete = true});
    set.exactly.push_back({.label = "the first Philadelphia code of the end of block 39",
                           .scope = {.lines = {7787, 7787}, .where = {}}, .field = "zip", .values = {"19099"}});
    set.tallies.push_back(places_matching("blocks 27-39: \"Mc\" as a word of its own", lines, word("Mc"), 25));
    set.tallies.push_back(places_matching("blocks 27-39: \"Saint\"", lines, word("Saint"), 9));
    set.tallies.push_back(places_matching("blocks 27-39: \"Mount\"", lines, word("Mount"), 18));
    set.tallies.push_back(places_matching("blocks 27-39: \"Fort\"", lines, word("Fort"), 6));
    set.tallies.push_back(places_matching("blocks 27-39: names with a hyphen", lines, ".*-.*", 24));
    set.tallies.push_back(places_matching("blocks 27-39: names with a word in small letters", lines, small_word, 0));
    set.tallies.push_back(places_matching("blocks 27-39: names with anything but letters, spaces and hyphens", lines,
                                          other_character, 0));
    set.tallies.push_back(places_matching("blocks 27-39: military mail", lines, "(APO|FPO) .*", 0));
    set.tallies.push_back({.label = "no ZIP code from 14976 to 15000",
                           .scope = {.lines = {}, .where = {.field = "zip", .pattern = "1497[6-9]|149[89][0-9]|15000"}},
                           .records = 0});
    set.hooks.push_back(widest_step());
}

void add_blocks_40_to_52(DataSet& set)
{
    const LineRange lines = {7801, 10400};
    set.exactly.push_back(only_records("blocks 40-52: names with anything but letters, spaces and hyphens", lines,
                                       other_character,
                                       {"19397 Southeastern, Pa., PA", "19398 Southeastern, Pa., PA",
                                        "19399 Southeastern, Pa., PA", "21030 Cockeysville/Hunt Valley, MD",
                                        "21031 Cockeysville/Hunt Valley, MD"}));
    set.exactly.push_back(only_records("blocks 40-52: names with a word in small letters", lines, small_word,
                                       {"19406 King of Prussia, PA", "21777 Point of Rocks, MD",
                                        "23085 King and Queen Court Hous, VA"}));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .min = 3, .max = 25,
                           .at_max = 1});
    set.values.push_back({.label = "District of Columbia places", .scope = of_state(lines, "DC"), .field = "place",
                          .counts = {{"Washington", 277}}, .complete = true});
    set.tallies.push_back(places_matching("blocks 40-52: military mail", lines, "(APO|FPO) .*", 0));
}

void add_blocks_53_to_65(DataSet& set)
{
    const LineRange lines = {10401, 13000};
    set.runs.push_back({.field = "place", .value = "Charleston", .lines = {10564, 10609}, .records = 46,
                        .first_key = "25300", .last_key = "25396"});
    set.exactly.push_back(only_records("blocks 53-65: names with anything but letters, single spaces and hyphens",
                                       lines, other_character, {"29479 St. Stephen, SC"}));
    set.exactly.push_back(only_records("blocks 53-65: names with a word in small letters", lines, small_word,
                                       {"29451 Isle of Palms, SC"}));
    set.tallies.push_back(places_matching("blocks 53-65: \"Saint\" spelled out", lines, word("Saint"), 6));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .min = 3, .max = 21,
                           .at_max = 1});
    set.tallies.push_back(places_matching("blocks 53-65: military mail", lines, "(APO|FPO) .*", 0));
}

// ---------------------------------------------------------------------------------------
// The restored file and the searches through the window

std::string placeholder(std::int32_t n)
{
    return "## There is no data for directory line " + std::to_string(n) + ". ##";
}

// The records of each state code, found by a search of the place names ending in it.
std::vector<Search> searches_by_state()
{
    const std::pair<const char*, int> states[] = {
        {"NY", 2630}, {"PR", 154},  {"VI", 14},   {"MA", 701},  {"RI", 90},   {"NH", 274},  {"ME", 524},
        {"VT", 297},  {"CT", 404},  {"NJ", 742},  {"PA", 2212}, {"DE", 98},   {"DC", 277},  {"MD", 569},
        {"VA", 1231}, {"WV", 1054}, {"NC", 1063}, {"SC", 520},  {"GA", 143}};
    std::vector<Search> searches;
    for (const auto& [state, records] : states) searches.push_back({by_name, std::string("*, ") + state, records, {}});
    return searches;
}

void add_restored_file_and_searches(DataSet& set)
{
    set.restored = {.lines = 42158,
                    .lines_at = {{1, "# USA zip codes"},
                                 {2, "# Zip Code - Place Name"},
                                 {3, ""},
                                 {4, "00401 Pleasantville, NY"},
                                 {last_filled, "30226 Lilburn, GA"},
                                 {last_filled + 1, placeholder(last_filled + 1)},
                                 {42157, placeholder(42157)},
                                 {42158, ""}}};
    const int records = last_filled - first_record + 1;
    set.searches = {
        {by_code, "00401", 1, {{"00401", "Pleasantville, NY"}}, true},
        {by_code, "0*", 3541, {{"00401", "Pleasantville, NY"}, {"09892", "APO New York, NY"}}},
        {by_code, "1497#", 1, {{"14975", "Elmira, NY"}}, true},
        {by_code, "149[89]#", 0, {}},
        {by_code, "15000", 0, {}},
        {by_code, "?????", records, {{"00401", "Pleasantville, NY"}, {"30226", "Lilburn, GA"}}},
        {by_code, "*", records, {}},
        {by_name, "*", records, {}},
        {by_name, "Southeastern, Pa., PA", 3,
         {{"19397", "Southeastern, Pa., PA"}, {"19398", "Southeastern, Pa., PA"}, {"19399", "Southeastern, Pa., PA"}},
         true},
        {by_name, "*/*", 3,
         {{"06268", "Storrs/Mansfield, CT"},
          {"21030", "Cockeysville/Hunt Valley, MD"},
          {"21031", "Cockeysville/Hunt Valley, MD"}},
         true},
        {by_name, "king and queen*", 1, {{"23085", "King and Queen Court Hous, VA"}}, true},
        {by_name, "St[. ]*", 2, {{"29479", "St. Stephen, SC"}, {"29920", "St Helena, SC"}}, true},
        {by_name, "APO New York, NY", 247, {{"09001", "APO New York, NY"}, {"09892", "APO New York, NY"}}},
        {by_name, "FPO New York, NY", 78, {{"09501", "FPO New York, NY"}, {"09598", "FPO New York, NY"}}},
        {by_name, "Pittsburgh, PA", 81, {{"15200", "Pittsburgh, PA"}, {"15290", "Pittsburgh, PA"}}},
        {by_name, "Fishers Island, NY", 1, {{"06390", "Fishers Island, NY"}}, true},
    };
    const std::vector<Search> by_state = searches_by_state();
    set.searches.insert(set.searches.end(), by_state.begin(), by_state.end());
}

DataSet us_zip_codes()
{
    DataSet set;
    add_module_and_other_lines(set);
    add_record_rules(set);
    add_blocks_and_runs(set);
    add_quoted_records(set);
    add_blocks_1_to_13(set);
    add_blocks_14_to_26(set);
    add_blocks_27_to_39(set);
    add_blocks_40_to_52(set);
    add_blocks_53_to_65(set);
    add_restored_file_and_searches(set);
    return set;
}

} // namespace

TEST(UsZipCodes, ModuleHasItsNumbersAndNothingPastItsData)
{
    const Problems problems = module_problems(us_zip_codes());
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST(UsZipCodes, ProvidedLinesMeetEveryRule)
{
    const DataSet set = us_zip_codes();
    const Problems problems = record_problems(set, provided_lines(set));
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST(UsZipCodes, BlocksFilledOnceGiveWhatTheProviderHandsOut)
{
    const DataSet set = us_zip_codes();
    EXPECT_EQ(data_lines(set), provided_lines(set));
}

using UsZipCodesInWindow = DataSetWindowTest;

TEST_F(UsZipCodesInWindow, RestoredFileHasItsLinesAndMeetsEveryRule)
{
    const DataSet set = us_zip_codes();
    const std::string bytes = restore_through_window(set);
    const Problems problems = restored_file_problems(set, bytes);
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_F(UsZipCodesInWindow, SearchesOfTheRestoredFileFindTheirRows)
{
    const Problems problems = all_search_problems(us_zip_codes());
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

// One filler run alone on a fresh module stores its own block, first to last line as the
// block table gives them, and nothing on either side of it.
TEST(UsZipCodeFillers, EachFillerAloneStoresOnlyItsBlock)
{
    for (const Block& block : us_zip_codes().blocks) {
        SCOPED_TRACE("block " + std::to_string(block.number));
        zentrel::DefaultDataModule module({.name = "zip",
                                           .line_count = 42159,
                                           .filler_count = 211,
                                           .placeholder = zentrel::directory_placeholder,
                                           .table = zentrel::us_zip_codes_lines,
                                           .last_updated_line = {}});
        module.Fill_Block(block.number);
        const auto& lines = module.Default_Lines();
        const std::size_t first = static_cast<std::size_t>(200 * (block.number - 1) + 1);
        const std::size_t last = first + 199;
        EXPECT_EQ(lines[first], block.first_line.value_or(lines[first]));
        if (block.last_line) {
            EXPECT_EQ(lines[last], *block.last_line);
        }
        EXPECT_TRUE(std::none_of(lines.begin() + static_cast<std::ptrdiff_t>(first),
                                 lines.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                                 [](const std::string& line) { return line.empty(); }))
            << "every element of the block holds a line";
        EXPECT_EQ(lines[first - 1], "");
        EXPECT_EQ(lines[last + 1], "");
        EXPECT_EQ(lines[0], "");
    }
}

TEST(UsZipCodeFillers, RunningAFillerAgainLeavesItsBlockAsItWas)
{
    zentrel::DefaultDataModule module({.name = "zip",
                                       .line_count = 42159,
                                       .filler_count = 211,
                                       .placeholder = zentrel::directory_placeholder,
                                       .table = zentrel::us_zip_codes_lines,
                                       .last_updated_line = {}});
    module.Fill_Block(2);
    const std::vector<std::string> once = module.Default_Lines();
    module.Fill_Block(2);
    EXPECT_EQ(module.Default_Lines(), once);
    EXPECT_EQ(once[201], "01036 Hampden, MA");
    EXPECT_EQ(once[200], "");
    EXPECT_EQ(once[401], "");
}

// ---------------------------------------------------------------------------------------
// The description notices what goes wrong with this data.

struct ZipBreakage {
    const char* what;
    std::function<void(DataLines&)> harm;
    const char* problem;
};

TEST(UsZipCodes, DescriptionNoticesEachBrokenCopy)
{
    const ZipBreakage breakages[] = {
        {"two records swapped across a change of state", [](DataLines& l) { std::swap(l[874], l[875]); },
         "ZIP codes ascending"},
        {"a record moved one block on",
         [](DataLines& l) { std::rotate(l.begin() + 5990, l.begin() + 5991, l.begin() + 6011); },
         "block 30"},
        {"a District of Columbia record renamed",
         [](DataLines& l) { l[8300] = l[8300].substr(0, 6) + "Georgetown, DC"; },
         "District of Columbia places"},
        {"the long name cut one character later",
         [](DataLines& l) { l[9435] = "23085 King and Queen Court House, VA"; },
         "line 9435"},
        {"a Pittsburgh code after the run", [](DataLines& l) { l[6021] = l[6021].substr(0, 6) + "Pittsburgh, PA"; },
         "Pittsburgh"},
        {"an apostrophe without its space", [](DataLines& l) { l[1522] = "04549 Isle o'Springs, ME"; },
         "line 1522"},
        {"a military place under another state",
         [](DataLines& l) { l[3300] = l[3300].substr(0, 6) + "APO New York, AE"; },
         "state codes"},
        {"a place name with points", [](DataLines& l) { l[10507] = "25201 T.A.D., WV"; },
         "names with a point"},
        {"a tenth Lancaster", [](DataLines& l) { l[7100] = l[7100].substr(0, 6) + "Lancaster, PA"; },
         "ten records or more only for the names listed"},
    };
    const DataSet set = us_zip_codes();
    const DataLines good = data_lines(set);
    ASSERT_TRUE(record_problems(set, good).empty()) << "the unbroken set passes";
    for (const ZipBreakage& breakage : breakages) {
        SCOPED_TRACE(breakage.what);
        DataLines lines = good;
        breakage.harm(lines);
        const Problems problems = record_problems(set, lines);
        EXPECT_TRUE(mentions(problems, breakage.problem)) << listed(problems);
    }
}
