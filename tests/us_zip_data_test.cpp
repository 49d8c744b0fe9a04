// The built-in US ZIP-code data, all of it (blocks 1-211, ZIP codes 00401 to 99648),
// described once and run through the data-set checker: on the lines the module hands out,
// on the file the real restore command writes, and through searches of that file in the
// real main window. Lines 1-26,400 are described here, the lines from 26,401 on in
// us_zip_lines_26401_on.cpp. data_set_test.cpp runs it through the checks every data set
// goes through; the block fillers and broken copies, which show that the description
// notices the faults that matter in this data, are tested here.
#include "tests/data_sets.h"
#include "tests/support/broken_copies.h"
#include "tests/support/data_checker.h"
#include "tests/us_zip_description.h"

#include "default_data/data_tables.h"
#include "default_data/default_modules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace testing_support;
using namespace testing_support::us_zip;

namespace {

// The records: lines 4 to `last_record`. Lines 4 to `first_part_end` keep the record rules
// of the first part of the data; the records from line 26,401 on keep their own.
constexpr std::int32_t first_record = 4;
constexpr std::int32_t first_part_end = 26400;
constexpr std::int32_t last_record = 42157;
// The records that the rules of the first 111 blocks speak of.
constexpr LineRange blocks_1_to_111 = {first_record, 22200};


// ---------------------------------------------------------------------------------------
// The module, the lines that are not records, and the rules every record keeps

void add_module_and_other_lines(DataSet& set)
{
    set.label = "USZipCodes";
    set.module = {.module = &testing_support::module_of<zentrel::Category::USZipCodes>,
                  .category = zentrel::Category::USZipCodes,
                  .file_name = "ZipCodesUS.dat",
                  .line_count = 42159,
                  .upper_bound = 42359,
                  .fillers = 211,
                  .stored = {{1, 42159}},
                  .end_of_data = 42159};
    set.fields = zip_fields();
    set.other_lines = {{.lines = {1, 1}, .text = "# USA zip codes"},
                       {.lines = {2, 2}, .text = "# Zip Code - Place Name"},
                       {.lines = {3, 3}, .text = ":Null"},
                       {.lines = {42158, 42158}, .text = ":Null"},
                       {.lines = {42159, 42159}, .text = "#End_Of_Data#"}};
    set.record_lines = {{first_record, last_record}};
    set.records = last_record - first_record + 1;
}

// The characters of every record, and the form and place-name conventions of the records of
// lines 4-26,400.
void add_record_rules(DataSet& set)
{
    set.shapes.push_back(printable_ascii());
    set.shapes.push_back(no_outer_spaces());
    set.shapes.push_back(no_two_spaces());
    set.shapes.push_back(no_colour_tag());
    const LineRange all = {first_record, first_part_end};
    set.shapes.push_back({.label = "a ZIP record", .scope = {.lines = all, .where = {}}, .pattern = R"(\d{5} [^ ].*[^ ], [A-Z]{2})"});
    set.shapes.push_back({.label = "a ZIP code of five digits", .field = "zip", .pattern = R"(\d{5})"});
    set.shapes.push_back({.label = "place names of letters, spaces, hyphens and slashes",
                          .scope = {.lines = all, .where = {}},
                          .field = "place",
                          .pattern = "[A-Za-z]+(( |-|/)[A-Za-z]+)*",
                          .exception_records = {"19397 Southeastern, Pa., PA", "19398 Southeastern, Pa., PA",
                                                "19399 Southeastern, Pa., PA", "29479 St. Stephen, SC",
                                                "32071 O' Brien, FL", "34639 Land O' Lakes, FL", "39062 D' Lo, MS",
                                                "43456 Put-In- Bay, OH", "47876 Saint Mary-Of-*The-Woods, IN",
                                                "49946 L' Anse, MI", "54540 Land O' Lakes, WI"}});
    set.shapes.push_back({.label = "title case: every word a capital and small letters",
                          .scope = {.lines = all, .where = {}},
                          .field = "place",
                          .pattern = "((APO|FPO) )?[A-Z][a-z]*(( |-|/)[A-Z][a-z]*)*",
                          .exception_records = {"03801 Pease AFB, NH", "04549 Isle of Springs, ME",
                                                "07717 Avon By the Sea, NJ", "19397 Southeastern, Pa., PA",
                                                "19398 Southeastern, Pa., PA", "19399 Southeastern, Pa., PA",
                                                "19406 King of Prussia, PA", "21647 McDaniel, MD",
                                                "21777 Point of Rocks, MD", "23085 King and Queen Court Hous, VA",
                                                "29451 Isle of Palms, SC", "29479 St. Stephen, SC",
                                                "32071 O' Brien, FL", "32737 Howey In the Hills, FL",
                                                "34639 Land O' Lakes, FL", "39062 D' Lo, MS", "40119 Falls of Rough, KY",
                                                "43456 Put-In- Bay, OH", "47876 Saint Mary-Of-*The-Woods, IN",
                                                "49946 L' Anse, MI", "54540 Land O' Lakes, WI", "56556 McIntosh, MN",
                                                "58057 McLeod, ND", "58253 McCanna, ND", "58254 McVille, ND"}});
    set.lengths = {{.scope = {.lines = all, .where = {}}, .field = "place", .min = 3, .max = 25},
                   {.scope = {.lines = all, .where = {}}, .field = "line", .min = 13, .max = 35},
                   {.scope = {.lines = blocks_1_to_111, .where = {}}, .field = "place", .min = 3, .max = 25,
                    .at_max = 1},
                   {.scope = {.lines = blocks_1_to_111, .where = {}}, .field = "line", .min = 13, .max = 35,
                    .at_max = 1}};
    set.repeats = {{.label = "ZIP codes", .field = "zip", .no_two_alike = true},
                   {.label = "records", .field = "line", .no_two_alike = true}};
    set.orders = {{.label = "ZIP codes ascending", .field = "zip", .strict = true}};
    set.tallies.push_back({.label = "ZIP codes beginning with 0",
                           .scope = {.lines = {}, .where = {.field = "zip", .pattern = "0.*"}},
                           .records = 3541});

    const LineRange first_111 = blocks_1_to_111;
    set.exactly.push_back(only_records("names with a slash", all, ".*/.*",
                                       {"06268 Storrs/Mansfield, CT", "21030 Cockeysville/Hunt Valley, MD",
                                        "21031 Cockeysville/Hunt Valley, MD"}));
    set.exactly.push_back(only_records("names with a point", all, R"(.*\..*)",
                                       {"19397 Southeastern, Pa., PA", "19398 Southeastern, Pa., PA",
                                        "19399 Southeastern, Pa., PA", "29479 St. Stephen, SC"}));
    set.exactly.push_back(only_records("names with a comma", all, ".*,.*",
                                       {"19397 Southeastern, Pa., PA", "19398 Southeastern, Pa., PA",
                                        "19399 Southeastern, Pa., PA"}));
    set.exactly.push_back(only_records("names with an apostrophe, always followed by a space", all, ".*'.*",
                                       {"32071 O' Brien, FL", "34639 Land O' Lakes, FL", "39062 D' Lo, MS",
                                        "49946 L' Anse, MI", "54540 Land O' Lakes, WI"}));
    set.tallies.push_back(places_matching("an apostrophe without its space", all, ".*'[^ ].*", 0));
    set.exactly.push_back(only_records("names with an asterisk", all, ".*\\*.*", {"47876 Saint Mary-Of-*The-Woods, IN"}));
    set.exactly.push_back(only_records("names with a word in small letters", first_111, small_word,
                                       {"04549 Isle of Springs, ME", "07717 Avon By the Sea, NJ",
                                        "19406 King of Prussia, PA", "21777 Point of Rocks, MD",
                                        "23085 King and Queen Court Hous, VA", "29451 Isle of Palms, SC",
                                        "32737 Howey In the Hills, FL", "40119 Falls of Rough, KY"}));
    set.exactly.push_back(only_records("\"Mc\" joined to the rest of the name", first_111, "(.* )?Mc[A-Za-z].*",
                                       {"21647 McDaniel, MD"}));
    set.tallies.push_back(places_matching("\"Mc\" as a word of its own", first_111, word("Mc"), 112));
    set.tallies.push_back(places_matching("\"Saint\"", first_111, "(.* )?Saint( |-).*|(.* )?Saint", 131));
    set.tallies.push_back(places_matching("\"Sainte\"", first_111, word("Sainte"), 2));
    set.tallies.push_back(places_matching("\"Mount\"", first_111, word("Mount"), 127));
    set.tallies.push_back(places_matching("\"Fort\"", first_111, word("Fort"), 182));
    set.tallies.push_back(places_matching("place names of three letters", first_111, ".{3}", 68));
    set.occurrences.push_back({.label = "hyphens", .scope = {.lines = first_111, .where = {}}, .field = "place",
                               .text = "-", .records = 71, .times = 78});
    set.exactly.push_back(only_records("names ending in \"A F B\"", first_111, ".* A F B",
                                       {"20762 Andrews A F B, MD", "29152 Shaw A F B, SC",
                                        "45433 Wright-Patterson A F B, OH", "49843 K I Sawyer A F B, MI"}));
    set.exactly.push_back(only_records("\"Air Force Base\" written out", all, ".*Air Force Base.*",
                                       {"46971 Grissom Air Force Base, IN"}));
    set.exactly.push_back(only_records("\"Saint\" shortened; \"Mt\" and \"Ft\" never", all,
                                       "(.* )?(St|Mt|Ft)( |\\.).*|(.* )?(St|Mt|Ft)",
                                       {"29479 St. Stephen, SC", "29920 St Helena, SC"}));
    set.exactly.push_back(only_records("\"AFB\" written as one word", all, ".*AFB.*", {"03801 Pease AFB, NH"}));
    set.exactly.push_back(only_records("names of 25 characters", all, ".{25}",
                                       {"23085 King and Queen Court Hous, VA", "56679 South International Falls, MN"}));
    set.values.push_back({.label = "military mail places", .scope = {.lines = all, .where = {}}, .field = "place",
                          .counts = {{"APO New York", 247}, {"FPO New York", 78}, {"APO Miami", 27},
                                     {"FPO Miami", 24}}});
    set.tallies.push_back(places_matching("military mail places", all, "(APO|FPO) .*", 376));
    // These four state codes form one run each in the whole data: no record of theirs stands
    // in the later lines either.
    set.values.push_back({.label = "DE, DC, MD and VA records in the whole data",
                          .scope = {.lines = {first_record, last_record}, .where = {}},
                          .field = "state",
                          .counts = {{"DE", 98}, {"DC", 277}, {"MD", 569}, {"VA", 1231}}});
    set.values.push_back({.label = "state codes in order of their first record",
                          .scope = {.lines = all, .where = {}},
                          .field = "state",
                          .counts = {{"NY", 2630, 4},    {"PR", 154, 7},     {"VI", 14, 118},    {"MA", 701, 175},
                                     {"RI", 90, 875},    {"NH", 274, 965},   {"ME", 524, 1239},  {"VT", 297, 1763},
                                     {"CT", 404, 2061},  {"NJ", 742, 2466},  {"PA", 2212, 5834}, {"DE", 98, 8046},
                                     {"DC", 277, 8144},  {"MD", 569, 8421},  {"VA", 1231, 8990}, {"WV", 1054, 10221},
                                     {"NC", 1063, 11275}, {"SC", 520, 12338}, {"GA", 912, 12858}, {"FL", 1333, 13769},
                                     {"AL", 824, 15102}, {"TN", 772, 15926}, {"MS", 533, 16698}, {"KY", 1193, 17232},
                                     {"OH", 1476, 18425}, {"IN", 985, 19901}, {"MI", 1144, 20886}, {"IA", 1095, 22030},
                                     {"WI", 923, 23125}, {"MN", 1018, 24048}, {"SD", 433, 25066}, {"ND", 448, 25499},
                                     {"MT", 413, 25947}, {"IL", 41, 26360}},
                          .complete = true,
                          .in_order_of_first_appearance = true});
}

// ---------------------------------------------------------------------------------------
// Blocks, state runs and quoted records

// Blocks 66-132 as their tables give them; the first and last lines of blocks 81 and 82
// are fixed by code and state only.
void add_blocks_66_to_132(DataSet& set)
{
    const std::vector<Block> blocks = {
        zip_block(66, "30228 Hampton, GA", "30471 Twin City, GA", {{"GA", 200}}),
        zip_block(67, "30473 Uvalda, GA", "31001 Abbeville, GA", {{"GA", 200}}),
        zip_block(68, "31002 Adrian, GA", "31567 West Green, GA", {{"GA", 200}}),
        zip_block(69, "31568 White Oak, GA", "32039 Georgetown, FL", {{"GA", 168}, {"FL", 32}}),
        zip_block(70, "32040 Glen Saint Mary, FL", "32454 Point Washington, FL", {{"FL", 200}}),
        zip_block(71, "32455 Ponce De Leon, FL", "32739 Kenansville, FL", {{"FL", 200}}),
        zip_block(72, "32740 Killarney, FL", "33043 Summerland Key, FL", {{"FL", 200}}),
        zip_block(73, "33044 Summerland Key, FL", "33431 Boca Raton, FL", {{"FL", 200}}),
        zip_block(74, "33432 Boca Raton, FL", "33853 Lake Wales, FL", {{"FL", 200}}),
        zip_block(75, "33854 Lake Wales, FL", "34287 Venice, FL", {{"FL", 200}}),
        zip_block(76, "34289 Plant City, FL", "35179 Vinemont, AL", {{"FL", 101}, {"AL", 99}}),
        zip_block(77, "35180 Warrior, AL", "35677 Waterloo, AL", {{"AL", 200}}),
        zip_block(78, "35699 Decatur, AL", "36203 Anniston, AL", {{"AL", 200}}),
        zip_block(79, "36204 Anniston, AL", "36618 Mobile, AL", {{"AL", 200}}),
        zip_block(80, "36619 Mobile, AL", "37118 Milton, TN", {{"AL", 125}, {"TN", 75}}),
        zip_block(81, "37119 Mitchellville, TN", {}, {{"TN", 200}}),
        zip_block(82, {}, "38018 Cordova, TN", {{"TN", 200}}),
        zip_block(83, "38019 Covington, TN", "38372 Savannah, TN", {{"TN", 200}}),
        zip_block(84, "38374 Scotts Hill, TN", "38767 Rena Lara, MS", {{"TN", 97}, {"MS", 103}}),
        zip_block(85, "38768 Rome, MS", "39176 Vaiden, MS", {{"MS", 200}}),
        zip_block(86, "39177 Valley Park, MS", "39705 Columbus, MS", {{"MS", 200}}),
        zip_block(87, "39730 Aberdeen, MS", "40347 Midway, KY", {{"MS", 30}, {"GA", 1}, {"KY", 169}}),
        zip_block(88, "40348 Millersburg, KY", "40902 Arjay, KY", {{"KY", 200}}),
        zip_block(89, "40903 Artemus, KY", "41271 Williamsport, KY", {{"KY", 200}}),
        zip_block(90, "41274 Wittensville, KY", "41651 Minnie, KY", {{"KY", 200}}),
        zip_block(91, "41653 Prestonsburg, KY", "42215 Cerulean, KY", {{"KY", 200}}),
        zip_block(92, "42216 Clifty, KY", "42752 Kettle, KY", {{"KY", 200}}),
        zip_block(93, "42753 Knifley, KY", "43321 Fulton, OH", {{"KY", 24}, {"OH", 176}}),
        zip_block(94, "43322 Green Camp, OH", "43739 Glenford, OH", {{"OH", 200}}),
        zip_block(95, "43740 Gratiot, OH", "44116 Cleveland, OH", {{"OH", 200}}),
        zip_block(96, "44117 Cleveland, OH", "44504 Youngstown, OH", {{"OH", 200}}),
        zip_block(97, "44505 Youngstown, OH", "45015 Hamilton, OH", {{"OH", 200}}),
        zip_block(98, "45020 Hamilton, OH", "45347 New Paris, OH", {{"OH", 200}}),
        zip_block(99, "45348 Rossburg, OH", "45776 Shade, OH", {{"OH", 200}}),
        zip_block(100, "45777 Amesville, OH", "46171 Reelsville, IN", {{"OH", 100}, {"IN", 100}}),
        zip_block(101, "46172 Roachdale, IN", "46703 Angola, IN", {{"IN", 200}}),
        zip_block(102, "46704 Arcola, IN", "47031 Milan, IN", {{"IN", 200}}),
        zip_block(103, "47032 Moores Hill, IN", "47449 Newberry, IN", {{"IN", 200}}),
        zip_block(104, "47451 Oolitic, IN", "47879 Shelburn, IN", {{"IN", 200}}),
        zip_block(105, "47880 Shepardsville, IN", "48121 Dearborn, MI", {{"IN", 85}, {"MI", 115}}),
        zip_block(106, "48122 Melvindale, MI", "48501 Flint, MI", {{"MI", 200}}),
        zip_block(107, "48502 Flint, MI", "48872 Perry, MI", {{"MI", 200}}),
        zip_block(108, "48873 Pewamo, MI", "49266 Osseo, MI", {{"MI", 200}}),
        zip_block(109, "49267 Ottawa Lake, MI", "49653 Lake Leelanau, MI", {{"MI", 200}}),
        zip_block(110, "49654 Leland, MI", "49930 Hancock, MI", {{"MI", 200}}),
        zip_block(111, "49931 Houghton, MI", "50237 Runnells, IA", {{"MI", 29}, {"IA", 171}}),
        zip_block(112, "50238 Russell, IA", "50570 Ottosen, IA", {{"IA", 200}}),
        zip_block(113, "50571 Palmer, IA", "51063 Whiting, IA", {{"IA", 200}}),
        zip_block(114, "51100 Sioux City, IA", "52054 La Motte, IA", {{"IA", 200}}),
        zip_block(115, "52055 Littleport, IA", "52555 Exline, IA", {{"IA", 200}}),
        zip_block(116, "52556 Fairfield, IA", "53092 Thiensville, WI", {{"IA", 124}, {"WI", 76}}),
        zip_block(117, "53093 Waldo, WI", "53589 Stoughton, WI", {{"WI", 200}}),
        zip_block(118, "53590 Sun Prairie, WI", "54172 Lena, WI", {{"WI", 200}}),
        zip_block(119, "54173 Suamico, WI", "54612 Arcadia, WI", {{"WI", 200}}),
        zip_block(120, "54613 Arkdale, WI", "54930 Coloma, WI", {{"WI", 200}}),
        zip_block(121, "54931 Dale, WI", "55333 Franklin, MN", {{"WI", 47}, {"MN", 153}}),
        zip_block(122, "55334 Gaylord, MN", "55764 Marble, MN", {{"MN", 200}}),
        zip_block(123, "55765 Meadowlands, MN", "56092 Walters, MN", {{"MN", 200}}),
        zip_block(124, "56093 Waseca, MN", "56342 Isle, MN", {{"MN", 200}}),
        zip_block(125, "56343 Kensington, MN", "56664 Shevlin, MN", {{"MN", 200}}),
        zip_block(126, "56665 Pitt, MN", "57249 Lake Preston, SD", {{"MN", 65}, {"SD", 135}}),
        zip_block(127, "57250 Lily, SD", "57623 Dupree, SD", {{"SD", 200}}),
        zip_block(128, "57625 Eagle Butte, SD", "58236 Glasston, ND", {{"SD", 98}, {"ND", 102}}),
        zip_block(129, "58237 Grafton, ND", "58552 Linton, ND", {{"ND", 200}}),
        zip_block(130, "58553 Mc Kenzie, ND", "59064 Pompeys Pillar, MT", {{"ND", 146}, {"MT", 54}}),
        zip_block(131, "59065 Pray, MT", "59538 Malta, MT", {{"MT", 200}}),
        zip_block(132, "59540 Rudyard, MT", "60050 Mc Henry, IL", {{"MT", 159}, {"IL", 41}}),
    };
    set.blocks.insert(set.blocks.end(), blocks.begin(), blocks.end());
    set.exactly.push_back({.label = "the last record of block 81 and the first of block 82, ZIP 37604 and 37605",
                           .scope = {.lines = {16200, 16201}, .where = {}}, .field = "zip", .values = {"37604", "37605"}});
    set.values.push_back({.label = "the records of ZIP 37604 and 37605 are Tennessee's",
                          .scope = {.lines = {16200, 16201}, .where = {}}, .field = "state", .counts = {{"TN", 2}},
                          .complete = true});
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
    add_blocks_66_to_132(set);
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
        state_run("GA", {12858, 13768}, "30001", "31999", 911),
        state_run("FL", {13769, 15101}, "32002", "34997", 1333),
        state_run("AL", {15102, 15925}, "35004", "36925", 824),
        state_run("TN", {15926, 16697}, "37010", "38589", 772),
        state_run("MS", {16698, 17230}, "38601", "39776", 533),
        state_run("GA", {17231, 17231}, "39901", "39901", 1),
        state_run("KY", {17232, 18424}, "40003", "42788", 1193),
        state_run("OH", {18425, 19900}, "43001", "45999", 1476),
        state_run("IN", {19901, 20885}, "46001", "47997", 985),
        state_run("MI", {20886, 22029}, "48001", "49971", 1144),
        state_run("IA", {22030, 23124}, "50001", "52809", 1095),
        state_run("WI", {23125, 24047}, "53001", "54990", 923),
        state_run("MN", {24048, 25065}, "55001", "56763", 1018),
        state_run("SD", {25066, 25498}, "57001", "57795", 433),
        state_run("ND", {25499, 25946}, "58001", "58856", 448),
        state_run("MT", {25947, 26359}, "59001", "59937", 413),
    };
    set.sequences = {{.label = "state runs of blocks 1-111", .scope = {.lines = blocks_1_to_111, .where = {}},
                      .field = "state", .runs = 35},
                     {.label = "state runs of lines 4-26400", .scope = {.lines = {first_record, first_part_end}, .where = {}},
                      .field = "state", .runs = 41}};
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
        {13743, "31823 Pine Mountain Valley, GA"},
        {13768, "31999 Columbus, GA"},
        {13769, "32002 Astor, FL"},
        {13829, "32071 O' Brien, FL"},
        {14198, "32737 Howey In the Hills, FL"},
        {14896, "33999 Naples, FL"},
        {14948, "34201 Bradenton, FL"},
        {15032, "34639 Land O' Lakes, FL"},
        {15101, "34997 Stuart, FL"},
        {15102, "35004 Moody, AL"},
        {15925, "36925 York, AL"},
        {15926, "37010 Adams, TN"},
        {16567, "38333 Eva, TN"},
        {16697, "38589 Wilder, TN"},
        {16698, "38601 Abbeville, MS"},
        {16925, "39062 D' Lo, MS"},
        {17230, "39776 Woodland, MS"},
        {17231, "39901 Atlanta, GA"},
        {17232, "40003 Bagdad, KY"},
        {17300, "40119 Falls of Rough, KY"},
        {18424, "42788 White Mills, KY"},
        {18425, "43001 Alexandria, OH"},
        {18535, "43160 Washington Court House, OH"},
        {18664, "43456 Put-In- Bay, OH"},
        {19822, "45810 Ada, OH"},
        {19900, "45999 Cincinnati, OH"},
        {19901, "46001 Alexandria, IN"},
        {20797, "47876 Saint Mary-Of-*The-Woods, IN"},
        {20885, "47997 Yeoman, IN"},
        {20886, "48001 Algonac, MI"},
        {22010, "49946 L' Anse, MI"},
        {22029, "49971 White Pine, MI"},
        {22030, "50001 Ackworth, IA"},
        {22252, "50315 South Des Moines, IA"},
        {23124, "52809 Davenport, IA"},
        {23125, "53001 Adell, WI"},
        {23769, "54540 Land O' Lakes, WI"},
        {24047, "54990 Iola, WI"},
        {24048, "55001 Afton, MN"},
        {24087, "55047 Marine On Saint Croix, MN"},
        {24846, "56430 Ah-Gwah-Ching, MN"},
        {24933, "56556 McIntosh, MN"},
        {25065, "56763 Warroad, MN"},
        {25066, "57001 Alcester, SD"},
        {25414, "57641 Mc Intosh, SD"},
        {25434, "57706 Ellsworth A F B, SD"},
        {25498, "57795 Zeona, SD"},
        {25499, "58001 Abercrombie, ND"},
        {25946, "58856 Zahl, ND"},
        {25947, "59001 Absarokee, MT"},
        {26359, "59937 Whitefish, MT"},
        {26360, "60001 Alden, IL"},
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
        "46971 Grissom Air Force Base, IN",
        "49843 K I Sawyer A F B, MI",
        "50239 Saint Anthony, IA",
        "50247 State Center, IA",
        "50261 Van Meter, IA",
        "50455 Mc Intire, IA",
        "50501 Fort Dodge, IA",
        "50651 La Porte City, IA",
        "50854 Mount Ayr, IA",
        "51031 Le Mars, IA",
        "51044 Oto, IA",
        "51057 Lemars, IA",
        "53578 Prairie Du Sac, WI",
        "55761 Mc Kinley, MN",
        "55771 Orr, MN",
        "55800 Duluth, MN",
        "55816 Duluth, MN",
        "56058 Le Sueur, MN",
        "56082 Saint Peter, MN",
        "56301 Saint Cloud, MN",
        "56350 Mc Grath, MN",
        "56378 Sauk Centre, MN",
        "56389 Sauk Centre, MN",
        "56396 Saint Cloud, MN",
        "56449 Fort Ripley, MN",
        "56679 South International Falls, MN",
        "57115 Buffalo Ridge, SD",
        "57363 Mount Vernon, SD",
        "58057 McLeod, ND",
        "58253 McCanna, ND",
        "58254 McVille, ND",
        "58530 Center, ND",
        "58704 Minot A F B, ND",
        "59002 Billings, MT",
        "59052 Mc Leod, MT",
        "59100 Billings, MT",
        "59117 Billings, MT",
        "60016 Des Plaines, IL",
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

// The widest step between two neighbouring records of blocks 27-39, from 14305 to 14410,
// is the only one of its size.
Hook widest_step()
{
    return {.name = "blocks 27-39: the widest step is the one from 14305 to 14410",
            .scope = {.lines = {5202, 7800}, .where = {}},
            .holds = [](const RecordList& records, std::size_t index) {
                const int step = zip_number(records, index) - zip_number(records, index - 1);
                return records[index].line == 5498 ? step == 105 : step < 105;
            },
            .reach = Reach{.before = 1, .after = 0}};
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
    std::vector<std::string> frequent_names;
    for (const ValueCount& each : frequent_in_27_to_39) frequent_names.push_back(each.value);
    set.hooks.push_back(only_these_names_reach("blocks 27-39: ten records or more only for the names listed", lines,
                                               10, frequent_names));
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


void add_blocks_66_to_80(DataSet& set)
{
    const LineRange lines = {13001, 16000};
    set.exactly.push_back(only_records("blocks 66-80: names with anything but letters, single spaces and hyphens",
                                       lines, other_character, {"32071 O' Brien, FL", "34639 Land O' Lakes, FL"}));
    set.exactly.push_back(only_records("blocks 66-80: names with a word in small letters", lines, small_word,
                                       {"32737 Howey In the Hills, FL"}));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .min = 3, .max = 20,
                           .at_max = 1});
    set.exactly.push_back(only_records("blocks 66-80: the longest name", lines, ".{20}",
                                       {"31823 Pine Mountain Valley, GA"}));
    // The military mail of Florida, given in full: APO Miami, then FPO Miami.
    set.sequences.push_back({.label = "Miami's military mail", .scope = {.lines = {14897, 14947}, .where = {}},
                             .field = "place", .stretches = {{"APO Miami", 27}, {"FPO Miami", 24}}});
    set.exactly.push_back({.label = "the ZIP codes of Miami's military mail",
                           .scope = {.lines = {14897, 14947}, .where = {}},
                           .field = "zip",
                           .values = {"34001", "34002", "34003", "34004", "34005", "34006", "34007", "34008", "34009",
                                      "34011", "34020", "34021", "34022", "34023", "34024", "34030", "34031", "34032",
                                      "34033", "34034", "34035", "34036", "34037", "34038", "34039", "34040", "34041",
                                      "34050", "34051", "34053", "34054", "34058", "34059", "34060", "34061", "34078",
                                      "34079", "34080", "34082", "34083", "34084", "34085", "34086", "34087", "34088",
                                      "34090", "34091", "34092", "34093", "34098", "34099"}});
    set.values.push_back({.label = "Miami's military mail is Florida's", .scope = of_state(lines, "FL"),
                          .field = "place", .counts = {{"APO Miami", 27}, {"FPO Miami", 24}}});
    set.tallies.push_back(places_matching("blocks 66-80: military mail", lines, "(APO|FPO) .*", 51));
}

void add_blocks_81_to_95(DataSet& set)
{
    const LineRange lines = {16001, 19000};
    set.runs.push_back({.field = "place", .value = "Johnson City", .lines = {16197, 16203}, .records = 7,
                        .first_key = "37601", .last_key = "37615"});
    set.runs.push_back({.field = "place", .value = "Cleveland", .lines = {18984, 19048}, .records = 65,
                        .first_key = "44100", .last_key = "44199"});
    set.exactly.push_back(only_records("blocks 81-95: names with anything but letters, single spaces and hyphens",
                                       lines, ".*([^A-Za-z -]|- ).*", {"39062 D' Lo, MS", "43456 Put-In- Bay, OH"}));
    set.exactly.push_back(only_records("blocks 81-95: names with a word in small letters", lines, small_word,
                                       {"40119 Falls of Rough, KY"}));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .min = 3, .max = 22,
                           .at_max = 1});
    set.exactly.push_back(only_records("blocks 81-95: the longest name", lines, ".{22}",
                                       {"43160 Washington Court House, OH"}));
    set.tallies.push_back(places_matching("blocks 81-95: military mail", lines, "(APO|FPO) .*", 0));
}

void add_blocks_96_to_111(DataSet& set)
{
    const LineRange lines = {19001, 22200};
    set.exactly.push_back(only_records("blocks 96-111: names with anything but letters, single spaces and hyphens",
                                       lines, other_character,
                                       {"47876 Saint Mary-Of-*The-Woods, IN", "49946 L' Anse, MI"}));
    set.tallies.push_back(places_matching("blocks 96-111: names with a word in small letters", lines, small_word, 0));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .min = 3, .max = 24,
                           .at_max = 1});
    set.exactly.push_back(only_records("blocks 96-111: the longest name", lines, ".{24}",
                                       {"47876 Saint Mary-Of-*The-Woods, IN"}));
    set.tallies.push_back(places_matching("blocks 96-111: military mail", lines, "(APO|FPO) .*", 0));
}

// The places (name and state) of these lines with `minimum` records or more are exactly those
// whose first record has a ZIP code ending in 00, and no other record's code ends so.
Hook hundreds_begin_the_large_places(std::string name, LineRange lines, int minimum)
{
    struct Places {
        std::size_t last_index = 0;
        std::map<std::string, int> records;
        std::map<std::string, std::int32_t> first_line;
    };
    auto places = std::make_shared<Places>();
    return {.name = std::move(name),
            .scope = {.lines = lines, .where = {}},
            .holds = [places, lines, minimum](const RecordList& records, std::size_t index) {
                const std::size_t place = records.field_index("place");
                const std::size_t state = records.field_index("state");
                const auto key = [&](std::size_t i) {
                    return std::string(records[i].fields[place]) + ", " + std::string(records[i].fields[state]);
                };
                if (places->records.empty() || index <= places->last_index) {
                    places->records.clear();
                    places->first_line.clear();
                    for (std::size_t i = 0; i < records.size(); ++i) {
                        if (records[i].line < lines.first || records[i].line > lines.last) continue;
                        ++places->records[key(i)];
                        places->first_line.emplace(key(i), records[i].line);
                    }
                }
                places->last_index = index;
                const bool large = places->records[key(index)] >= minimum;
                const bool first = places->first_line[key(index)] == records[index].line;
                return records.field(index, "zip").ends_with("00") == (large && first);
            },
            .reach = Reach{}};
}

void add_lines_22201_to_24400(DataSet& set)
{
    const LineRange lines = {22201, 24400};
    set.runs.push_back({.field = "place", .value = "Saint Paul", .lines = {24122, 24170}, .records = 49,
                        .first_key = "55100", .last_key = "55191"});
    set.runs.push_back({.field = "place", .value = "Minneapolis", .lines = {24266, 24330}, .records = 65,
                        .first_key = "55400", .last_key = "55488"});
    set.runs.push_back({.field = "place", .value = "Des Moines", .lines = {22537, 22542}, .records = 6,
                        .first_key = "50936", .last_key = "50981"});
    set.values.push_back({.label = "the first Des Moines stretch", .scope = {.lines = {22237, 22290}, .where = {}},
                          .field = "place", .counts = {{"Des Moines", 53}, {"South Des Moines", 1}},
                          .complete = true});
    set.exactly.push_back({.label = "the ends of the first Des Moines stretch",
                           .scope = {.lines = {22237, 22290}, .where = {.field = "zip", .pattern = "50300|50398"}},
                           .field = "zip", .values = {"50300", "50398"}});
    set.values.push_back({.label = "lines 22,201-24,400: Iowa's Des Moines", .scope = of_state(lines, "IA"),
                          .field = "place", .counts = {{"Des Moines", 59}}});
    set.values.push_back({.label = "lines 22,201-24,400: Minnesota's cities", .scope = of_state(lines, "MN"),
                          .field = "place", .counts = {{"Minneapolis", 65}, {"Saint Paul", 49}}});
    set.repeats.push_back({.label = "lines 22,201-24,400: no place name of more records than Minneapolis",
                           .scope = {.lines = lines, .where = {}}, .field = "place", .most = 65,
                           .most_values = {"Minneapolis"}});
    set.hooks.push_back(hundreds_begin_the_large_places(
        "lines 22,201-24,400: the codes ending in 00 begin the places of seven codes or more", lines, 7));
    set.tallies.push_back({.label = "lines 22,201-24,400: eleven codes end in 00",
                           .scope = {.lines = lines, .where = {.field = "zip", .pattern = ".*00"}}, .records = 11});
    set.tallies.push_back(places_matching("lines 22,201-24,400: \"Saint\"", lines, word("Saint"), 68));
    set.tallies.push_back(places_matching("lines 22,201-24,400: \"St\", \"Ste\" or \"Sainte\"", lines,
                                          "(.* )?(St|Ste|Sainte)( |\\.).*|(.* )?(St|Ste|Sainte)", 0));
    const std::pair<const char*, int> words[] = {{"Fort", 4}, {"Mount", 11}, {"Point", 7}, {"Port", 3}, {"Mc", 8},
                                                 {"De", 5},   {"La", 8},     {"Le", 2},    {"Van", 4},  {"Du", 5},
                                                 {"On", 1},   {"Center", 11}};
    for (const auto& [w, records] : words) {
        set.tallies.push_back(places_matching("lines 22,201-24,400: \"" + std::string(w) + "\"", lines, word(w),
                                              records));
    }
    set.tallies.push_back(places_matching("lines 22,201-24,400: other forms of \"Center\"", lines,
                                          ".*(Centre|Ctr).*", 0));
    set.tallies.push_back(places_matching("lines 22,201-24,400: a capital letter inside a word", lines,
                                          ".*([a-z][A-Z]|[A-Z][A-Z]).*", 0));
    set.tallies.push_back(places_matching("lines 22,201-24,400: names with a word in small letters", lines,
                                          small_word, 0));
    set.exactly.push_back(only_records("lines 22,201-24,400: names with anything but letters and spaces", lines,
                                       ".*[^A-Za-z ].*", {"54540 Land O' Lakes, WI"}));
    set.exactly.push_back(only_records("lines 22,201-24,400: names of four words", lines,
                                       "[^ ]+ [^ ]+ [^ ]+ [^ ]+.*", {"55047 Marine On Saint Croix, MN"}));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "line", .min = 13, .max = 31,
                           .at_max = 1});
}

// The records of one place name on these lines stand in `stretches` stretches: so many of
// them follow a record of another name.
Hook stretches_of(const std::string& name, LineRange lines, int stretches)
{
    return {.name = "lines 24,401-26,400: " + name + " in " + std::to_string(stretches) + " stretches",
            .scope = {.lines = lines, .where = {.field = "place", .pattern = literal(name)}},
            .holds = [name](const RecordList& records, std::size_t index) {
                return index == 0 || records.field(index - 1, "place") != name;
            },
            .holding = stretches,
            .reach = Reach{.before = 1, .after = 0}};
}

void add_lines_24401_to_26400(DataSet& set)
{
    const LineRange lines = {24401, 26400};
    set.hooks.push_back(stretches_of("Saint Cloud", lines, 3));
    set.hooks.push_back(stretches_of("Sioux Falls", lines, 2));
    set.hooks.push_back(stretches_of("Billings", lines, 2));
    set.exactly.push_back({.label = "lines 24,401-26,400: Buffalo Ridge divides Sioux Falls's codes",
                           .scope = {.lines = {25156, 25158}, .where = {}}, .field = "place",
                           .values = {"Sioux Falls", "Buffalo Ridge", "Sioux Falls"}});
    set.values.push_back({.label = "lines 24,401-26,400: the places with the most codes",
                          .scope = {.lines = lines, .where = {}}, .field = "place",
                          .counts = {{"Sioux Falls", 21}, {"Duluth", 15}, {"Billings", 15}, {"Fargo", 12},
                                     {"Saint Cloud", 8}}});
    set.repeats.push_back({.label = "lines 24,401-26,400: Sioux Falls has the most codes",
                           .scope = {.lines = lines, .where = {}}, .field = "place", .most = 21,
                           .most_values = {"Sioux Falls"}});
    set.runs.push_back({.field = "place", .value = "Duluth", .lines = {24429, 24443}, .records = 15,
                        .first_key = "55800", .last_key = "55816"});
    set.exactly.push_back({.label = "lines 24,401-26,400: the codes ending in 00",
                           .scope = {.lines = lines, .where = {.field = "zip", .pattern = ".*00"}},
                           .field = "line", .values = {"55800 Duluth, MN", "59100 Billings, MT"}});
    set.tallies.push_back(places_matching("lines 24,401-26,400: \"Saint\"", lines, word("Saint"), 32));
    set.tallies.push_back(places_matching("lines 24,401-26,400: \"Sainte\"", lines, word("Sainte"), 0));
    set.tallies.push_back(places_matching("lines 24,401-26,400: \"Fort\"", lines, word("Fort"), 13));
    set.exactly.push_back(only_records("lines 24,401-26,400: \"Mount\"", lines, word("Mount"),
                                       {"57363 Mount Vernon, SD"}));
    set.tallies.push_back(places_matching("lines 24,401-26,400: \"Mc\" as a word of its own", lines, word("Mc"), 11));
    const std::vector<std::string> joined_mc = {"56556 McIntosh, MN", "58057 McLeod, ND", "58253 McCanna, ND",
                                                "58254 McVille, ND"};
    set.exactly.push_back(only_records("lines 24,401-26,400: \"Mc\" joined", lines, "(.* )?Mc[A-Za-z].*", joined_mc));
    set.exactly.push_back(only_records("lines 24,401-26,400: a capital letter inside a word", lines,
                                       ".*([a-z][A-Z]|[A-Z][A-Z]).*", joined_mc));
    const std::vector<std::string> bases = {"57706 Ellsworth A F B, SD", "58704 Minot A F B, ND"};
    set.exactly.push_back(only_records("lines 24,401-26,400: one-letter words", lines, "(.* )?[A-Z]( .*)?", bases));
    set.exactly.push_back(only_records("lines 24,401-26,400: names of four words", lines,
                                       "[^ ]+ [^ ]+ [^ ]+ [^ ]+.*", bases));
    const std::pair<const char*, int> words[] = {{"De", 2}, {"Des", 5}, {"La", 4}, {"Le", 3}, {"Center", 6}};
    for (const auto& [w, records] : words) {
        set.tallies.push_back(places_matching("lines 24,401-26,400: \"" + std::string(w) + "\"", lines, word(w),
                                              records));
    }
    set.exactly.push_back(only_records("lines 24,401-26,400: \"Centre\"", lines, ".*Centre.*",
                                       {"56378 Sauk Centre, MN", "56389 Sauk Centre, MN"}));
    set.exactly.push_back(only_records("lines 24,401-26,400: names with anything but letters and spaces", lines,
                                       ".*[^A-Za-z ].*", {"56430 Ah-Gwah-Ching, MN"}));
    set.tallies.push_back(places_matching("lines 24,401-26,400: names with a word in small letters", lines,
                                          small_word, 0));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "line", .min = 13, .max = 35,
                           .at_max = 1});
    set.exactly.push_back(only_records("lines 24,401-26,400: the longest record", lines, ".{25}",
                                       {"56679 South International Falls, MN"}));
}

// ---------------------------------------------------------------------------------------
// The restored file and the searches through the window

// The records of each state code, found by a search of the place names ending in it.
std::vector<Search> searches_by_state()
{
    const std::pair<const char*, int> states[] = {
        {"NY", 2630}, {"PR", 154},  {"VI", 14},   {"MA", 701},  {"RI", 90},   {"NH", 274},  {"ME", 524},
        {"VT", 297},  {"CT", 404},  {"NJ", 742},  {"PA", 2212}, {"DE", 98},   {"DC", 277},  {"MD", 569},
        {"VA", 1231}, {"WV", 1054}, {"NC", 1063}, {"SC", 520},  {"GA", 912},  {"IA", 1095}};
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
                                 {13000, "30226 Lilburn, GA"},
                                 {13001, "30228 Hampton, GA"},
                                 {22200, "50237 Runnells, IA"},
                                 {22201, "50238 Russell, IA"},
                                 {26400, "60050 Mc Henry, IL"},
                                 {26401, "60053 Morton Grove, IL"},
                                 {40521, "96202 , CA"},
                                 {40839, "96940 Koror, Caroline Islands, PW"},
                                 {last_record, "99648 Perryville, AK"},
                                 {42158, ""}}};
    const int records = last_record - first_record + 1;
    set.searches = {
        {by_code, "00401", 1, {{"00401", "Pleasantville, NY"}}, true},
        {by_code, "0*", 3541, {{"00401", "Pleasantville, NY"}, {"09892", "APO New York, NY"}}},
        {by_code, "1497#", 1, {{"14975", "Elmira, NY"}}, true},
        {by_code, "149[89]#", 0, {}},
        {by_code, "15000", 0, {}},
        {by_code, "?????", records,
         {{"00401", "Pleasantville, NY"}, {"60050", "Mc Henry, IL"}, {"60053", "Morton Grove, IL"},
          {"99648", "Perryville, AK"}}},
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
        {by_name, "St[. ]*", 5,
         {{"29479", "St. Stephen, SC"}, {"29920", "St Helena, SC"}, {"68056", "St Columbans, NE"},
          {"84770", "St George, UT"}, {"84771", "St George, UT"}},
         true},
        {by_name, "APO New York, NY", 247, {{"09001", "APO New York, NY"}, {"09892", "APO New York, NY"}}},
        {by_name, "FPO New York, NY", 78, {{"09501", "FPO New York, NY"}, {"09598", "FPO New York, NY"}}},
        {by_name, "Pittsburgh, PA", 81, {{"15200", "Pittsburgh, PA"}, {"15290", "Pittsburgh, PA"}}},
        {by_name, "Fishers Island, NY", 1, {{"06390", "Fishers Island, NY"}}, true},
        {by_name, "APO Miami, FL", 27, {{"34001", "APO Miami, FL"}, {"34041", "APO Miami, FL"}}},
        {by_name, "*O' Lakes, ??", 2, {{"34639", "Land O' Lakes, FL"}, {"54540", "Land O' Lakes, WI"}}, true},
        {by_code, "5023[78]", 2, {{"50237", "Runnells, IA"}, {"50238", "Russell, IA"}}, true},
    };
    const std::vector<Search> by_state = searches_by_state();
    set.searches.insert(set.searches.end(), by_state.begin(), by_state.end());
    const std::vector<Search> later_lines = searches_of_lines_26401_on();
    set.searches.insert(set.searches.end(), later_lines.begin(), later_lines.end());
}

} // namespace

DataSet testing_support::us_zip_codes()
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
    add_blocks_66_to_80(set);
    add_blocks_81_to_95(set);
    add_blocks_96_to_111(set);
    add_lines_22201_to_24400(set);
    add_lines_24401_to_26400(set);
    add_lines_26401_on(set);
    add_restored_file_and_searches(set);
    return set;
}

// One filler run alone on a fresh module stores its own block, first to last line as the
// block table gives them, and nothing on either side of it; the last block ends at the end
// of the data.
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
        const LineRange range = block.lines.first != 0 ? block.lines : block_lines(block.number);
        const std::size_t first = static_cast<std::size_t>(range.first);
        const std::size_t last = static_cast<std::size_t>(range.last);
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

// No record holds a code of after the 1990s: the 851xx codes of Arizona's renumbering of
// 2009 (its places stand at their 852xx codes), nor the delivery areas made after 2000
// (10065 and 10075 split from 10021 in July 2007, 11249 from 11211 in 2011, Herriman's
// 84096 from Riverton's, Fairfield's 06824 and 06825 in place of its 06430 and 06432).
TEST(UsZipCodes, HoldNoCodeOfTheLaterRenumberingsAndNewAreas)
{
    const std::vector<std::string_view> later = {"80238", "33578", "33579", "89081", "89084",
                                                 "89085", "89086", "95391", "34211", "34212",
                                                 "85209", "89138", "10065", "10075", "11249",
                                                 "84096", "84005", "06824", "06825", "75033",
                                                 "77407", "60642", "79928"};
    bool has_queen_creek_of_the_time = false;
    for (const std::string_view line : zentrel::us_zip_codes_lines) {
        const std::string_view code = line.substr(0, 5);
        EXPECT_FALSE(code.starts_with("851")) << line;
        EXPECT_EQ(std::find(later.begin(), later.end(), code), later.end()) << line;
        has_queen_creek_of_the_time = has_queen_creek_of_the_time || line == "85242 Queen Creek, AZ";
    }
    EXPECT_TRUE(has_queen_creek_of_the_time);
}

// ---------------------------------------------------------------------------------------
// The description notices what goes wrong with this data.

TEST(UsZipCodes, DescriptionNoticesEachBrokenCopyOfTheFirstLines)
{
    expect_each_breakage_noticed(us_zip_codes(), {
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
        {"Milwaukee's first code moved off its hundred", [](DataLines& l) { l[23273] = "53196 Milwaukee, WI"; },
         "the codes ending in 00 begin the places"},
        {"a Saint Paul code after its stretch", [](DataLines& l) { l[24171] = l[24171].substr(0, 6) + "Saint Paul, MN"; },
         "Saint Paul"},
        {"an apostrophe without its space", [](DataLines& l) { l[16925] = "39062 D'Lo, MS"; },
         "apostrophe without its space"},
        {"an FPO code of Miami as APO", [](DataLines& l) { l[14930] = l[14930].substr(0, 6) + "APO Miami, FL"; },
         "Miami's military mail"},
        {"a third base in lines 24,401-26,400", [](DataLines& l) { l[25864] = "58705 Minot A F B, ND"; },
         "one-letter words"},
        {"a fourth stretch of Saint Cloud", [](DataLines& l) { l[24800] = l[24800].substr(0, 6) + "Saint Cloud, MN"; },
         "Saint Cloud in 3 stretches"},
    });
}

TEST(UsZipCodes, DescriptionNoticesEachBrokenCopyOfTheLaterLines)
{
    expect_each_breakage_noticed(us_zip_codes(), {
        {"Guam's record given California's code", [](DataLines& l) { l[40616] = "96630 FPO San Francisco, CA"; },
         "state runs of lines 26401-42157"},
        {"a record without a place name given one", [](DataLines& l) { l[40521] = "96202 Apo, CA"; },
         "empty place names"},
        {"a Pacific record without its island group", [](DataLines& l) { l[40840] = "96941 Ponape, FM"; },
         "a second comma"},
        {"the last record renamed", [](DataLines& l) { l[42157] = "99648 Perry, AK"; }, "line 42157"},
        {"a Saint Louis code given to a suburb", [](DataLines& l) { l[28050] = "63132 Olivette, MO"; },
         "Saint Louis"},
        {"Everett's second code given to a neighbour", [](DataLines& l) { l[41458] = "98201 Marysville, WA"; },
         "opens a stretch"},
        {"a village made a second code of its neighbour",
         [](DataLines& l) { l[27001] = "61363 Spring Valley, IL"; }, "places of one code"},
        {"an apostrophe without its space in a later block", [](DataLines& l) { l[36515] = "83814 Coeur D'Alene, ID"; },
         "an apostrophe without its space"},
        {"a hyphen in a Texas name", [](DataLines& l) { l[35000] = "79097 White-Deer, TX"; },
         "hyphens, digits, full stops"},
        {"a Virginia record in the later lines",
         [](DataLines& l) { l[30000] = l[30000].substr(0, l[30000].size() - 2) + "VA"; },
         "DE, DC, MD and VA records in the whole data"},
    });
}
