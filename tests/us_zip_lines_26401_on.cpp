// The built-in US ZIP-code data from line 26,401 to its end (blocks 133-211, ZIP codes
// 60053 to 99648): its blocks and state runs, the records it quotes, what each stretch of
// blocks states about its place names and places, the records that break the record form
// on purpose, and the end of the data. us_zip_data_test.cpp runs it with the rest.
#include "tests/us_zip_description.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace testing_support::us_zip {

namespace {

// The records of these lines, where "Mc" or a particle stands as a word of its own.
const std::string mc_word = "(.* )?Mc [A-Z].*";
const std::string mc_joined = ".*Mc[a-z].*";
const std::string one_letter_word = "(.* )?[A-Za-z]( .*)?";
const std::string capital_inside_word = ".*[a-z][A-Z].*";
const std::string two_capitals = ".*[A-Z][A-Z].*";
const std::string saint_shortened = word("(St|Ste)");
const std::string fort_or_mount_shortened = word("(Ft|Mt)");

// Names that hold "Mc", a particle, "Saint" and the like, counted on these lines.
void add_word_counts(DataSet& set, const std::string& blocks, LineRange lines,
                     std::vector<std::pair<std::string, int>> counts)
{
    for (auto& [pattern_word, records] : counts) {
        set.tallies.push_back(places_matching(blocks + ": \"" + pattern_word + "\" as a word", lines,
                                              word(pattern_word), records));
    }
}

// A name that matches `pattern` stands on none of these lines: the first or the last
// record of its kind lies on the line just outside them.
Tally none_on(const std::string& label, LineRange lines, std::string pattern)
{
    return places_matching(label, lines, std::move(pattern), 0);
}

// ---------------------------------------------------------------------------------------
// Blocks and state runs

void add_blocks_and_runs(DataSet& set)
{
    const std::vector<Block> blocks = {
        zip_block(133, "60053 Morton Grove, IL", "60469 Posen, IL", {{"IL", 200}}),
        zip_block(134, "60470 Ransom, IL", "60954 Momence, IL", {{"IL", 200}}),
        zip_block(135, "60955 Onarga, IL", "61362 Spring Valley, IL", {{"IL", 200}}),
        zip_block(136, "61363 Standard, IL", "61740 Flanagan, IL", {{"IL", 200}}),
        zip_block(137, "61741 Forrest, IL", "62098 Wrights, IL", {{"IL", 200}}),
        zip_block(138, "62201 East Saint Louis, IL", "62477 West Union, IL", {{"IL", 200}}),
        zip_block(139, "62478 West York, IL", "62836 Ewing, IL", {{"IL", 200}}),
        zip_block(140, "62837 Fairfield, IL", "63066 Morse Mill, MO", {{"IL", 151}, {"MO", 49}}),
        zip_block(141, "63068 New Haven, MO", "63546 Greentop, MO", {{"MO", 200}}),
        zip_block(142, "63547 Hurdland, MO", "64024 Excelsior Springs, MO", {{"MO", 200}}),
        zip_block(143, "64028 Farley, MO", "64493 Turney, MO", {{"MO", 200}}),
        zip_block(144, "64494 Union Star, MO", "65054 Loose Creek, MO", {{"MO", 200}}),
        zip_block(145, "65055 Mc Girk, MO", "65618 Brixey, MO", {{"MO", 200}}),
        zip_block(146, "65619 Brookline Station, MO", "66070 Ozawkie, KS", {{"MO", 151}, {"KS", 49}}),
        zip_block(147, "66071 Paola, KS", "66711 Arcadia, KS", {{"KS", 200}}),
        zip_block(148, "66712 Arma, KS", "67110 Mulvane, KS", {{"KS", 200}}),
        zip_block(149, "67111 Murdock, KS", "67552 Lewis, KS", {{"KS", 200}}),
        zip_block(150, "67553 Liebenthal, KS", "68041 Mead, NE", {{"KS", 168}, {"NE", 32}}),
        zip_block(151, "68042 Memphis, NE", "68462 Waverly, NE", {{"NE", 200}}),
        zip_block(152, "68463 Weeping Water, NE", "68849 Kearney, NE", {{"NE", 200}}),
        zip_block(153, "68850 Lexington, NE", "69358 Morrill, NE", {{"NE", 200}}),
        zip_block(154, "69360 Rushville, NE", "70452 Pearl River, LA", {{"NE", 6}, {"LA", 194}}),
        zip_block(155, "70453 Pine Grove, LA", "70783 Ventress, LA", {{"LA", 200}}),
        zip_block(156, "70784 Wakefield, LA", "71260 Marion, LA", {{"LA", 200}}),
        zip_block(157, "71261 Mer Rouge, LA", "71676 Wilmot, AR", {{"LA", 161}, {"AR", 39}}),
        zip_block(158, "71677 Winchester, AR", "72104 Malvern, AR", {{"AR", 200}}),
        zip_block(159, "72105 Malvern, AR", "72459 Ravenden, AR", {{"AR", 200}}),
        zip_block(160, "72460 Ravenden Springs, AR", "72834 Dardanelle, AR", {{"AR", 200}}),
        zip_block(161, "72835 Delaware, AR", "73140 Oklahoma City, OK", {{"AR", 64}, {"OK", 136}}),
        zip_block(162, "73141 Oklahoma City, OK", "73753 Kremlin, OK", {{"OK", 42}, {"TX", 2}, {"OK", 156}}),
        zip_block(163, "73754 Lahoma, OK", "74339 Commerce, OK", {{"OK", 200}}),
        zip_block(164, "74340 Disney, OK", "74844 Francis, OK", {{"OK", 200}}),
        zip_block(165, "74845 Hanna, OK", "75208 Dallas, TX", {{"OK", 63}, {"TX", 137}}),
        zip_block(166, "75209 Dallas, TX", "75630 Avinger, TX", {{"TX", 163}, {"AR", 1}, {"TX", 36}}),
        zip_block(167, "75631 Beckville, TX", "76041 Forreston, TX", {{"TX", 200}}),
        zip_block(168, "76043 Glen Rose, TX", "76461 Lingleville, TX", {{"TX", 200}}),
        zip_block(169, "76462 Lipan, TX", "76878 Santa Anna, TX", {{"TX", 200}}),
        zip_block(170, "76880 Star, TX", "77267 Houston, TX", {{"TX", 200}}),
        zip_block(171, "77268 Houston, TX", "77551 Galveston, TX", {{"TX", 200}}),
        zip_block(172, "77552 Galveston, TX", "78044 Laredo, TX", {{"TX", 200}}),
        zip_block(173, "78050 Leming, TX", "78384 San Diego, TX", {{"TX", 200}}),
        zip_block(174, "78385 Sarita, TX", "78725 Austin, TX", {{"TX", 200}}),
        zip_block(175, "78726 Austin, TX", "79097 White Deer, TX", {{"TX", 200}}),
        zip_block(176, "79098 Wildorado, TX", "79537 Nolan, TX", {{"TX", 200}}),
        zip_block(177, "79538 Novice, TX", "80005 Arvada, CO", {{"TX", 195}, {"CO", 5}}),
        zip_block(178, "80010 Aurora, CO", "80476 Silver Plume, CO", {{"CO", 200}}),
        zip_block(179, "80477 Steamboat Springs, CO", "80970 Colorado Springs, CO", {{"CO", 200}}),
        zip_block(180, "80977 Colorado Springs, CO", "81602 Glenwood Springs, CO", {{"CO", 200}}),
        zip_block(181, "81610 Dinosaur, CO", "82932 Farson, WY", {{"CO", 37}, {"WY", 163}}),
        zip_block(182, "82933 Fort Bridger, WY", "83541 Lenore, ID", {{"WY", 36}, {"ID", 164}}),
        zip_block(183, "83542 Lucile, ID", "84040 Layton, UT", {{"ID", 163}, {"UT", 37}}),
        zip_block(184, "84041 Layton, UT", "84633 Goshen, UT", {{"UT", 200}}),
        zip_block(185, "84634 Gunnison, UT", "85241 Picacho, AZ", {{"UT", 96}, {"AZ", 104}}),
        zip_block(186, "85242 Queen Creek, AZ", "85725 Tucson, AZ", {{"AZ", 200}}),
        zip_block(187, "85726 Tucson, AZ", "87052 Santo Domingo Pueblo, NM", {{"AZ", 152}, {"NM", 48}}),
        zip_block(188, "87053 San Ysidro, NM", "87752 Wagon Mound, NM", {{"NM", 200}}),
        zip_block(189, "87753 Watrous, NM", "88521 El Paso, TX", {{"NM", 188}, {"TX", 12}}),
        zip_block(190, "88523 El Paso, TX", "89444 Wellington, NV", {{"TX", 63}, {"NV", 137}}),
        zip_block(191, "89445 Winnemucca, NV", "90302 Inglewood, CA", {{"NV", 56}, {"CA", 144}}),
        zip_block(192, "90303 Inglewood, CA", "91335 Reseda, CA", {{"CA", 200}}),
        zip_block(193, "91340 San Fernando, CA", "92059 Pala, CA", {{"CA", 200}}),
        zip_block(194, "92060 Palomar Mountain, CA", "92338 Newberry Springs, CA", {{"CA", 200}}),
        zip_block(195, "92339 Forest Falls, CA", "92815 Anaheim, CA", {{"CA", 200}}),
        zip_block(196, "92816 Anaheim, CA", "93505 California City, CA", {{"CA", 200}}),
        zip_block(197, "93510 Acton, CA", "94016 Daly City, CA", {{"CA", 200}}),
        zip_block(198, "94017 Daly City, CA", "94529 Concord, CA", {{"CA", 200}}),
        zip_block(199, "94530 El Cerrito, CA", "95041 Mount Hermon, CA", {{"CA", 200}}),
        zip_block(200, "95042 New Almaden, CA", "95376 Tracy, CA", {{"CA", 200}}),
        zip_block(201, "95378 Tracy, CA", "95667 Placerville, CA", {{"CA", 200}}),
        zip_block(202, "95668 Pleasant Grove, CA", "95987 Williams, CA", {{"CA", 200}}),
        zip_block(203, "95988 Willows, CA", "96603 FPO San Francisco, CA", {{"CA", 200}}),
        zip_block(204, "96604 FPO San Francisco, CA", "96843 Honolulu, HI",
                  {{"CA", 15}, {"GU", 1}, {"CA", 6}, {"GU", 1}, {"CA", 52}, {"HI", 85}, {"AS", 1}, {"HI", 39}}),
        zip_block(205, "96844 Honolulu, HI", "97268 Portland, OR",
                  {{"HI", 17}, {"GU", 21}, {"PW", 1}, {"FM", 4}, {"MP", 3}, {"MH", 2}, {"OR", 152}}),
        zip_block(206, "97269 Portland, OR", "97540 Talent, OR", {{"OR", 200}}),
        zip_block(207, "97541 Trail, OR", "98105 Seattle, WA", {{"OR", 132}, {"WA", 68}}),
        zip_block(208, "98106 Seattle, WA", "98403 Tacoma, WA", {{"WA", 200}}),
        zip_block(209, "98404 Tacoma, WA", "98802 Wenatchee, WA", {{"WA", 200}}),
        zip_block(210, "98807 Wenatchee, WA", "99216 Spokane, WA", {{"WA", 200}}),
        // The last block ends with the end of the data: its last record, ":Null" and "#End_Of_Data#".
        {.number = 211,
         .lines = {42001, 42159},
         .first_line = "99218 Spokane, WA",
         .last_line = "#End_Of_Data#",
         .last_record = "99648 Perryville, AK",
         .records = 157,
         .field = "state",
         .sequence = {{"WA", 51}, {"AK", 106}}},
    };
    set.blocks.insert(set.blocks.end(), blocks.begin(), blocks.end());
    std::vector<Run> runs = {
        // The Illinois run begins in block 132, at line 26,360 ("60001 Alden, IL").
        state_run("IL", {26360, 27951}, "60001", "62999", 1592),
        state_run("MO", {27952, 29151}, "63001", "65899", 1200),
        state_run("KS", {29152, 29968}, "66002", "67954", 817),
        state_run("NE", {29969, 30606}, "68001", "69367", 638),
        state_run("LA", {30607, 31361}, "70001", "71497", 755),
        state_run("AR", {31362, 32064}, "71601", "72959", 703),
        state_run("OK", {32065, 32242}, "73001", "73199", 178),
        state_run("TX", {32243, 32244}, "73301", "73344", 2),
        state_run("OK", {32245, 32863}, "73401", "74966", 619),
        state_run("TX", {32864, 33163}, "75001", "75501", 300),
        state_run("AR", {33164, 33164}, "75502", "75502", 1),
        state_run("TX", {33165, 35395}, "75503", "79999", 2231),
        state_run("CO", {35396, 36037}, "80001", "81658", 642),
        state_run("WY", {36038, 36236}, "82001", "83128", 199),
        state_run("ID", {36237, 36563}, "83201", "83876", 327),
        state_run("UT", {36564, 36896}, "84001", "84784", 333),
        state_run("AZ", {36897, 37352}, "85000", "86556", 456),
        state_run("NM", {37353, 37788}, "87001", "88441", 436),
        state_run("TX", {37789, 37863}, "88510", "88589", 75),
        state_run("NV", {37864, 38056}, "88901", "89883", 193),
        state_run("CA", {38057, 40615}, "90000", "96629", 2559),
        state_run("GU", {40616, 40616}, "96630", "96630", 1),
        state_run("CA", {40617, 40622}, "96631", "96636", 6),
        state_run("GU", {40623, 40623}, "96637", "96637", 1),
        state_run("CA", {40624, 40675}, "96639", "96699", 52),
        state_run("HI", {40676, 40760}, "96701", "96797", 85),
        state_run("AS", {40761, 40761}, "96799", "96799", 1),
        state_run("HI", {40762, 40817}, "96800", "96898", 56),
        state_run("GU", {40818, 40838}, "96910", "96931", 21),
        state_run("PW", {40839, 40839}, "96940", "96940", 1),
        state_run("FM", {40840, 40843}, "96941", "96944", 4),
        state_run("MP", {40844, 40846}, "96950", "96952", 3),
        state_run("MH", {40847, 40848}, "96960", "96970", 2),
        state_run("OR", {40849, 41332}, "97001", "97920", 484),
        state_run("WA", {41333, 42051}, "98001", "99403", 719),
        state_run("AK", {42052, 42157}, "99501", "99648", 106),
    };
    set.runs.insert(set.runs.end(), runs.begin(), runs.end());
    // Of the Illinois run, lines 26,401 to its end.
    std::vector<Stretch> stretches;
    for (const Run& run : runs) stretches.push_back({run.value, run.lines.last - std::max(run.lines.first, 26401) + 1});
    set.sequences.push_back({.label = "state runs of lines 26401-42157",
                             .scope = {.lines = {26401, 42157}, .where = {}},
                             .field = "state", .runs = static_cast<int>(runs.size()), .stretches = stretches});
}

void add_quoted_records(DataSet& set)
{
    const std::vector<Line> quoted = {
    {26670, "60600 Chicago, IL"}, {26735, "60666 Amf Ohare, IL"}, {26759, "60699 Chicago, IL"},
    {27420, "62225 Scott A F B, IL"}, {27457, "62269 O' Fallon, IL"}, {27951, "62999 Zeigler, IL"},
    {27952, "63001 Allenton, MO"}, {28020, "63102 Saint Louis, MO"}, {28995, "65612 Bois D'Arc, MO"},
    {29151, "65899 Springfield, MO"}, {29152, "66002 Atchison, KS"}, {29968, "67954 Rolla, KS"},
    {29969, "68001 Bruno, NE"}, {30010, "68056 St Columbans, NE"}, {30332, "68763 O' Neill, NE"},
    {30595, "69353 McGrew, NE"}, {30606, "69367 Whitney, NE"}, {30607, "70001 Metairie, LA"},
    {30671, "70100 New Orleans, LA"}, {30734, "70195 New Orleans, LA"}, {31361, "71497 Natchitoches, LA"},
    {31362, "71601 Pine Bluff, AR"}, {31601, "72105 Malvern, AR"}, {31791, "72449 O' Kean, AR"},
    {32064, "72959 Winslow, AR"}, {32065, "73001 Albert, OK"}, {32162, "73100 Oklahoma City, OK"},
    {32242, "73199 Oklahoma City, OK"}, {32243, "73301 Austin, TX"}, {32244, "73344 Austin, TX"},
    {32245, "73401 Ardmore, OK"}, {32863, "74966 Wister, OK"}, {32864, "75001 Addison, TX"},
    {32992, "75200 Dallas, TX"}, {33163, "75501 Texarkana, TX"}, {33164, "75502 Texarkana, AR"},
    {33165, "75503 Texarkana, TX"}, {33840, "77000 Houston, TX"}, {34024, "77299 Houston, TX"},
    {35395, "79999 El Paso, TX"}, {35396, "80001 Arvada, CO"}, {35747, "80840 U S A F Academy, CO"},
    {36037, "81658 Vail, CO"}, {36038, "82001 Cheyenne, WY"}, {36209, "82942 Point of Rocks, WY"},
    {36213, "83001 Jackson, WY"}, {36236, "83128 Alpine, WY"}, {36237, "83201 Pocatello, ID"},
    {36515, "83814 Coeur D' Alene, ID"}, {36563, "83876 Worley, ID"}, {36564, "84001 Altamont, UT"},
    {36896, "84784 Kanab, UT"}, {36897, "85000 Phoenix, AZ"}, {37049, "85309 Luke A F B, AZ"},
    {37352, "86556 Chinle, AZ"}, {37353, "87001 Bernalillo, NM"}, {37788, "88441 Tucumcari, NM"},
    {37789, "88510 El Paso, TX"}, {37863, "88589 El Paso, TX"}, {37864, "88901 Las Vegas, NV"},
    {38056, "89883 Wendover, NV"}, {38057, "90000 Los Angeles, CA"}, {38151, "90101 Los Angeles, CA"},
    {39268, "93633 Kings Canyon National Par, CA"}, {39279, "93645 O' Neals, CA"},
    {39438, "94100 San Francisco, CA"}, {39500, "94203 Sacramento, CA"}, {39561, "94299 Sacramento, CA"},
    {40271, "95800 Sacramento, CA"}, {40325, "95895 Sacramento, CA"}, {40521, "96202 , CA"}, {40522, "96204 , CA"},
    {40523, "96206 , CA"}, {40524, "96208 APO San Francisco, CA"}, {40597, "96571 APO San Francisco, CA"},
    {40598, "96601 FPO San Francisco, CA"}, {40600, "96603 FPO San Francisco, CA"},
    {40615, "96629 FPO San Francisco, CA"}, {40616, "96630 FPO San Francisco, GU"},
    {40617, "96631 FPO San Francisco, CA"}, {40622, "96636 FPO San Francisco, CA"},
    {40623, "96637 FPO San Francisco, GU"}, {40624, "96639 FPO San Francisco, CA"},
    {40675, "96699 FPO San Francisco, CA"}, {40676, "96701 Aiea, HI"}, {40760, "96797 Waipahu, HI"},
    {40761, "96799 Pago Pago Samoa, AS"}, {40762, "96800 Honolulu, HI"}, {40817, "96898 Honolulu, HI"},
    {40818, "96910 Agana, GU"}, {40838, "96931 Agana, GU"}, {40839, "96940 Koror, Caroline Islands, PW"},
    {40840, "96941 Ponape, Caroline Islands, FM"}, {40841, "96942 Truk, Caroline Islands, FM"},
    {40842, "96943 Yap, Caroline Islands, FM"}, {40843, "96944 Kosrae, FM"},
    {40844, "96950 Saipan, Mariana Islands, MP"}, {40845, "96951 Rota, Mariana Islands, MP"},
    {40846, "96952 Saipan, Mariana Islands, MP"}, {40847, "96960 Majuro, Marshall Islands, MH"},
    {40848, "96970 Ebeye, Marshall Islands, MH"}, {40849, "97001 Antelope, OR"}, {40954, "97200 Portland, OR"},
    {41332, "97920 Westfall, OR"}, {41333, "98001 Auburn, WA"}, {41772, "98704 APO Seattle, WA"},
    {41776, "98736 APO Seattle, WA"}, {41777, "98760 FPO Seattle, WA"}, {41796, "98791 FPO Seattle, WA"},
    {41797, "98796 Seattle, WA"}, {41798, "98799 F P O 98799, WA"}, {42051, "99403 Clarkston, WA"},
    {42052, "99501 Anchorage, AK"}, {42157, "99648 Perryville, AK"}
    };
    set.quoted.insert(set.quoted.end(), quoted.begin(), quoted.end());
    set.present.push_back({.scope = {.lines = {26401, 42157}, .where = {}}, .field = "line", .values = {
        "60056 Mount Prospect, IL",
        "60115 De Kalb, IL",
        "60128 No Suburban Facility, IL",
        "60499 So Suburban Facility, IL",
        "60501 Summit-Argo, IL",
        "60525 La Grange, IL",
        "61050 Mc Connell, IL",
        "61100 Rockford, IL",
        "61600 Peoria, IL",
        "61735 Dewitt, IL",
        "62261 Prairie Du Rocher, IL",
        "62459 Sainte Marie, IL",
        "62700 Springfield, IL",
        "62919 Cave In Rock, IL",
        "63366 O' Fallon, MO",
        "63448 La Grange, MO",
        "63670 Sainte Genevieve, MO",
        "63965 Van Buren, MO",
        "64100 Kansas City, MO",
        "64500 Saint Joseph, MO",
        "64639 De Witt, MO",
        "65299 Mid-Missouri Gmf, MO",
        "65305 Whiteman A F B, MO",
        "65473 Fort Leonard Wood, MO",
        "65701 Mc Clurg, MO",
        "66535 Saint George, KS",
        "66701 Fort Scott, KS",
        "67672 Wa Keeney, KS",
        "68341 De Witt, NE",
        "68345 Du Bois, NE",
        "70082 Pointe A La Hache, LA",
        "70775 Saint Francisville, LA",
        "71901 Hot Springs National Park, AR",
        "71957 Mount Ida, AR",
        "72041 De Valls Bluff, AR",
        "72102 Mc Rae, AR",
        "72111 Mount Vernon, AR",
        "72114 North Little Rock, AR",
        "72119 North Little Rock, AR",
        "72140 Saint Charles, AR",
        "72189 Mc Crory, AR",
        "72200 Little Rock, AR",
        "72352 La Grange, AR",
        "72905 Fort Chaffee, AR",
        "73123 West Park, OK",
        "73162 Warr Acres, OK",
        "74100 Tulsa, OK",
        "75069 Mc Kinney, TX",
        "75559 De Kalb, TX",
        "76100 Fort Worth, TX",
        "76265 Saint Jo, TX",
        "76700 Waco, TX",
        "76841 Fort Mc Kavett, TX",
        "78152 Saint Hedwig, TX",
        "78501 Mc Allen, TX",
        "78502 Mc Allen, TX",
        "78503 Mc Allen, TX",
        "78504 Mc Allen, TX",
        "78700 Austin, TX",
        "79539 O' Brien, TX",
        "79834 Big Bend National Park, TX",
        "80521 Fort Collins, CO",
        "80841 U S A F Academy, CO",
        "82190 Yellowstone National Park, WY",
        "83250 Mc Cammon, ID",
        "83251 Mackay, ID",
        "83445 Saint Anthony, ID",
        "84056 Hill Air Force Base, UT",
        "84100 Salt Lake City, UT",
        "84647 Mount Pleasant, UT",
        "84770 St George, UT",
        "84771 St George, UT",
        "85321 Ajo, AZ",
        "85323 Avondale-Goodyear, AZ",
        "85536 Fort Thomas, AZ",
        "85617 Mc Neal, AZ",
        "86511 Saint Michaels, AZ",
        "87557 Ranchos De Taos, NM",
        "87901 Truth or Consequences, NM",
        "88133 Saint Vrain, NM",
        "88322 Flying H, NM",
        "90292 Marina Del Rey, CA",
        "91011 La Canada-Flintridge, CA",
        "91759 Mt Baldy, CA",
        "92007 Cardiff By the Sea, CA",
        "93250 Mc Farland, CA",
        "94020 La Honda, CA",
        "94100 San Francisco, CA",
        "94300 Palo Alto, CA",
        "94400 San Mateo, CA",
        "94574 Saint Helena, CA",
        "94850 Sf Bmc Usps, CA",
        "94920 Belvedere-Tiburon, CA",
        "95333 Le Grand, CA",
        "95346 Mi-Wuk Village, CA",
        "95420 Fort Bragg, CA",
        "95652 Sacramento, CA",
        "95655 Sacramento, CA",
        "95975 Rough and Ready, CA",
        "96031 Forks of Salmon, CA",
        "96053 Mc Arthur, CA",
        "96655 APO San Francisco, CA",
        "96689 APO San Francisco, CA",
        "97041 Mount Hood-Parkdale, OR",
        "97058 The Dalles, OR",
        "97534 O' Brien, OR",
        "97862 Milton-Freewater, OR",
        "98100 Seattle, WA",
        "98200 Everett, WA",
        "98327 Du Pont, WA",
        "98780 Seattle, WA",
        "98783 Seattle, WA",
        "99011 Fairchild Air Force Base, WA",
        "99200 Spokane, WA",
        "99506 Elmendorf A F B, AK",
        "99627 Mc Grath, AK",
    }});
}

// ---------------------------------------------------------------------------------------
// What each stretch of blocks states about its place names and places

void add_blocks_133_to_145(DataSet& set)
{
    const LineRange lines = {26401, 29000};
    const std::string blocks = "blocks 133-145";
    set.tallies.push_back(places_matching(blocks + ": \"O'\" as a word", lines, "(.* )?O' [A-Z].*", 3));
    set.tallies.push_back(places_matching(blocks + ": names with an apostrophe", lines, ".*'.*", 4));
    set.exactly.push_back(only_records(blocks + ": an apostrophe inside a word", lines, ".*[A-Za-z]'[A-Za-z].*",
                                       {"65612 Bois D'Arc, MO"}));
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" as a word", lines, mc_word, 10));
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" joined", lines, mc_joined, 0));
    add_word_counts(set, blocks, lines, {{"Saint", 110}, {"Mount", 13}, {"(De|Du|La|Le|Des|Van)", 32}});
    set.values.push_back(place_records(blocks + ": Saint Louis, MO", lines, "Saint Louis", "MO", 71));
    set.values.push_back(place_records(blocks + ": East Saint Louis, IL", lines, "East Saint Louis", "IL", 6));
    set.exactly.push_back(only_records(blocks + ": \"Sainte\"", lines, word("Sainte"),
                                       {"62459 Sainte Marie, IL", "63670 Sainte Genevieve, MO"}));
    set.tallies.push_back(places_matching(blocks + ": shortened Saint, Sainte, Mount, Fort", lines,
                                          word("(St|Ste|Mt|Ft)"), 0));
    set.tallies.push_back(places_matching(blocks + ": a word in small letters", lines, small_word, 0));
    set.tallies.push_back(places_matching(blocks + ": names with a hyphen", lines, ".*-.*", 4));
    set.exactly.push_back(only_records(blocks + ": words of one letter", lines, one_letter_word,
                                       {"62225 Scott A F B, IL", "65305 Whiteman A F B, MO"}));
    set.tallies.push_back(places_matching(blocks + ": \"No\"", lines, word("No"), 11));
    set.exactly.push_back(only_records(blocks + ": \"So\"", lines, word("So"), {"60499 So Suburban Facility, IL"}));
    set.tallies.push_back(places_matching(blocks + ": digits, full stops and other characters", lines,
                                          ".*[^A-Za-z' -].*", 0));
    set.tallies.push_back(places_matching(blocks + ": a word of two capitals", lines, two_capitals, 0));
    set.tallies.push_back(places_matching(blocks + ": a capital inside a word", lines, capital_inside_word, 0));
    set.exactly.push_back({.label = blocks + ": codes ending in 00",
                           .scope = {.lines = lines, .where = {.field = "zip", .pattern = ".*00"}},
                           .values = {"60600 Chicago, IL", "61100 Rockford, IL", "61600 Peoria, IL",
                                      "62700 Springfield, IL", "64100 Kansas City, MO", "64500 Saint Joseph, MO"}});
    set.hooks.push_back(codes_followed_by_their_place(blocks + ": a code ending in 00 is followed by the next code "
                                                      "of its place", lines, ".*00", 1, true));
    set.values.push_back(place_records(blocks + ": Chicago", lines, "Chicago", "IL", 89));
    set.values.push_back({.label = blocks + ": Chicago's codes 60600-60699",
                          .scope = {.lines = {26670, 26759}, .where = {}},
                          .field = "place", .counts = {{"Chicago", 89}, {"Amf Ohare", 1}}, .complete = true});
    set.values.push_back(place_records(blocks + ": Kansas City", lines, "Kansas City", "MO", 81));
    for (const LineRange kansas_city : {LineRange{28449, 28449}, LineRange{28453, 28530}, LineRange{28764, 28765}}) {
        set.values.push_back({.label = blocks + ": a stretch of Kansas City",
                              .scope = {.lines = kansas_city, .where = {}},
                              .field = "place", .counts = {{"Kansas City"}}, .complete = true});
    }
    set.runs.push_back({.field = "place", .value = "Saint Louis", .lines = {28019, 28089}, .records = 71});
    set.repeats.push_back({.label = blocks + ": the names with the most codes", .scope = {.lines = lines, .where = {}},
                           .field = "place", .most = 89, .most_values = {"Chicago"},
                           .times = {{"Chicago", 89}, {"Kansas City", 81}, {"Saint Louis", 71}}});
    set.hooks.push_back(only_these_names_reach(blocks + ": 71 records or more only for the three names", lines, 71,
                                               {"Chicago", "Kansas City", "Saint Louis"}));
    set.hooks.push_back(distinct_places(blocks + ": places", lines, 2085));
    set.hooks.push_back(single_places(blocks + ": places of one code", lines, 1999));
    set.hooks.push_back(names_in_both_states(blocks + ": names of Illinois and Missouri", lines, "IL", "MO", 148));
}

void add_blocks_146_to_158(DataSet& set)
{
    const LineRange lines = {29001, 31600};
    const std::string blocks = "blocks 146-158";
    set.exactly.push_back(only_records(blocks + ": names with an apostrophe", lines, ".*'.*", {"68763 O' Neill, NE"}));
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" as a word", lines, mc_word, 15));
    set.tallies.push_back(none_on(blocks + ": no \"Mc\" before 65701 Mc Clurg", {29001, 29058}, mc_word));
    set.tallies.push_back(none_on(blocks + ": no \"Mc\" after 72102 Mc Rae", {31599, 31600}, mc_word));
    add_word_counts(set, blocks, lines, {{"De", 9}, {"La", 6}, {"Le", 3}, {"Des", 2}, {"Saint", 21}, {"Fort", 4},
                                         {"Mount", 5}, {"Sainte", 0}, {"(Ft|Mt)", 0}});
    set.exactly.push_back(only_records(blocks + ": \"Du\"", lines, word("Du"), {"68345 Du Bois, NE"}));
    set.exactly.push_back(only_records(blocks + ": \"Wa\"", lines, word("Wa"), {"67672 Wa Keeney, KS"}));
    set.exactly.push_back(only_records(blocks + ": a capital inside a word", lines, capital_inside_word,
                                       {"69353 McGrew, NE"}));
    set.exactly.push_back(only_records(blocks + ": \"St\"", lines, saint_shortened, {"68056 St Columbans, NE"}));
    set.exactly.push_back(only_records(blocks + ": words of one letter", lines, one_letter_word,
                                       {"70082 Pointe A La Hache, LA"}));
    set.tallies.push_back(places_matching(blocks + ": a word in small letters", lines, small_word, 0));
    set.tallies.push_back(places_matching(blocks + ": hyphens, digits, full stops", lines, ".*[^A-Za-z' ].*", 0));
    set.tallies.push_back(places_matching(blocks + ": a word of two capitals", lines, two_capitals, 0));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "line", .max = 35, .at_max = 7});
    set.values.push_back(place_records(blocks + ": Hot Springs National Park", lines, "Hot Springs National Park",
                                       "AR", 7));
    set.runs.push_back({.field = "place", .value = "New Orleans", .lines = {30671, 30734}, .records = 64,
                        .first_key = "70100", .last_key = "70195"});
    set.values.push_back(place_records(blocks + ": New Orleans", lines, "New Orleans", "LA", 64));
    set.values.push_back(place_records(blocks + ": Omaha", lines, "Omaha", "NE", 52));
    set.values.push_back(place_records(blocks + ": Baton Rouge", lines, "Baton Rouge", "LA", 43));
    set.hooks.push_back(only_these_names_reach(blocks + ": 43 records or more only for the three names", lines, 43,
                                               {"New Orleans", "Omaha", "Baton Rouge"}));
    set.hooks.push_back(distinct_places(blocks + ": places", lines, 2072));
    set.hooks.push_back(repeated_places(blocks + ": places of several codes", lines, 101));
}

void add_blocks_159_to_171(DataSet& set)
{
    const LineRange lines = {31601, 34200};
    const std::string blocks = "blocks 159-171";
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" as a word", lines, mc_word, 11));
    add_word_counts(set, blocks, lines, {{"De", 4}, {"La", 2}, {"Saint", 6}, {"Fort", 70}, {"Mount", 7},
                                         {"(St|Ft|Mt)", 0}});
    set.tallies.push_back(places_matching(blocks + ": a capital inside a word", lines, capital_inside_word, 0));
    set.exactly.push_back(only_records(blocks + ": names with an apostrophe", lines, ".*'.*", {"72449 O' Kean, AR"}));
    set.tallies.push_back(places_matching(blocks + ": a word in small letters", lines, small_word, 0));
    set.tallies.push_back(places_matching(blocks + ": hyphens, digits, full stops", lines, ".*[^A-Za-z' ].*", 0));
    set.tallies.push_back(places_matching(blocks + ": a word of two capitals", lines, two_capitals, 0));
    set.shapes.push_back({.label = blocks + ": one to three words", .scope = {.lines = lines, .where = {}},
                          .field = "place", .pattern = "[^ ]+( [^ ]+)?( [^ ]+)?"});
    set.exactly.push_back(only_records(blocks + ": names of three words", lines, "[^ ]+ [^ ]+ [^ ]+",
                                       {"72114 North Little Rock, AR", "72115 North Little Rock, AR",
                                        "72116 North Little Rock, AR", "72117 North Little Rock, AR",
                                        "72118 North Little Rock, AR", "72119 North Little Rock, AR",
                                        "76841 Fort Mc Kavett, TX"}));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "line", .min = 13, .max = 27});
    set.runs.push_back({.field = "place", .value = "Houston", .lines = {33840, 34024}, .records = 185,
                        .first_key = "77000", .last_key = "77299"});
    set.runs.push_back({.field = "place", .value = "Dallas", .lines = {32992, 33094}, .records = 103});
    set.values.push_back(place_records(blocks + ": Houston", lines, "Houston", "TX", 185));
    set.values.push_back(place_records(blocks + ": Dallas", lines, "Dallas", "TX", 103));
    set.values.push_back(place_records(blocks + ": Oklahoma City", lines, "Oklahoma City", "OK", 79));
    set.values.push_back({.label = blocks + ": Oklahoma City's lines", .scope = {.lines = {32162, 32242}, .where = {}},
                          .field = "place", .counts = {{"Oklahoma City", 79}, {"West Park", 1}, {"Warr Acres", 1}},
                          .complete = true});
    const std::vector<std::string> largest = {"Houston", "Dallas", "Oklahoma City", "Tulsa", "Fort Worth",
                                              "Little Rock", "Waco"};
    set.hooks.push_back(only_these_names_reach(blocks + ": the seven places with the most codes", lines, 17, largest));
    set.exactly.push_back({.label = blocks + ": codes ending in 00",
                           .scope = {.lines = lines, .where = {.field = "zip", .pattern = ".*00"}},
                           .values = {"72200 Little Rock, AR", "73100 Oklahoma City, OK", "74100 Tulsa, OK",
                                      "75200 Dallas, TX", "76100 Fort Worth, TX", "76700 Waco, TX",
                                      "77000 Houston, TX"}});
    // Each code ending in 00 is the first record of its place.
    set.tallies.push_back(none_on(blocks + ": Little Rock before 72200", {31601, 31663}, "Little Rock"));
    set.tallies.push_back(none_on(blocks + ": Oklahoma City before 73100", {31601, 32161}, "Oklahoma City"));
    set.tallies.push_back(none_on(blocks + ": Tulsa before 74100", {31601, 32533}, "Tulsa"));
    set.tallies.push_back(none_on(blocks + ": Dallas before 75200", {31601, 32991}, "Dallas"));
    set.tallies.push_back(none_on(blocks + ": Fort Worth before 76100", {31601, 33439}, "Fort Worth"));
    set.tallies.push_back(none_on(blocks + ": Waco before 76700", {31601, 33738}, "Waco"));
    set.tallies.push_back(none_on(blocks + ": Houston before 77000", {31601, 33839}, "Houston"));
}

void add_blocks_172_to_184(DataSet& set)
{
    const LineRange lines = {34201, 36800};
    const std::string blocks = "blocks 172-184";
    set.tallies.push_back(places_matching(blocks + ": \"O'\" as a word", lines, "(.* )?O' [A-Z].*", 3));
    set.tallies.push_back(places_matching(blocks + ": \"D'\" as a word", lines, "(.* )?D' [A-Z].*", 2));
    set.tallies.push_back(places_matching(blocks + ": names with an apostrophe", lines, ".*'.*", 5));
    set.tallies.push_back(places_matching(blocks + ": an apostrophe without its space", lines, ".*'[^ ].*", 0));
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" as a word", lines, mc_word, 21));
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" joined", lines, mc_joined, 0));
    set.values.push_back({.label = blocks + ": Mc Allen", .scope = of_state(lines, "TX"), .field = "place",
                          .counts = {{"Mc Allen", 4, 34638}}});
    add_word_counts(set, blocks, lines, {{"Saint", 5}, {"Fort", 19}, {"Mountain", 9}, {"(St|Ste|Ft|Mt)", 0}});
    set.exactly.push_back(only_records(blocks + ": words of one letter", lines, one_letter_word,
                                       {"80840 U S A F Academy, CO", "80841 U S A F Academy, CO"}));
    set.exactly.push_back(only_records(blocks + ": words in small letters", lines, small_word,
                                       {"82942 Point of Rocks, WY"}));
    set.tallies.push_back(places_matching(blocks + ": hyphens, digits, full stops", lines, ".*[^A-Za-z' ].*", 0));
    set.tallies.push_back(places_matching(blocks + ": a word of two capitals", lines, two_capitals, 0));
    set.values.push_back(place_records(blocks + ": San Antonio", lines, "San Antonio", "TX", 88));
    set.values.push_back(place_records(blocks + ": Austin", lines, "Austin", "TX", 82));
    set.values.push_back(place_records(blocks + ": El Paso", lines, "El Paso", "TX", 78));
    set.hooks.push_back(only_these_names_reach(blocks + ": 78 records or more only for the three names", lines, 78,
                                               {"San Antonio", "Austin", "El Paso"}));
    set.tallies.push_back({.label = blocks + ": codes ending in 00",
                           .scope = {.lines = lines, .where = {.field = "zip", .pattern = ".*00"}}, .records = 12});
    set.hooks.push_back(codes_of_large_places(blocks + ": a code ending in 00 belongs to a place of 12 codes or more",
                                              lines, ".*00", 12));
    set.tallies.push_back(none_on(blocks + ": Austin before 78700", {34201, 34776}, "Austin"));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .max = 25, .at_max = 1});
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "line", .min = 13, .max = 35});
    set.exactly.push_back(only_records(blocks + ": the longest name", lines, ".{25}",
                                       {"82190 Yellowstone National Park, WY"}));
}

void add_blocks_185_to_197(DataSet& set)
{
    const LineRange lines = {36801, 39400};
    const std::string blocks = "blocks 185-197";
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" as a word", lines, mc_word, 9));
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" joined", lines, mc_joined, 0));
    set.exactly.push_back(only_records(blocks + ": names with an apostrophe", lines, ".*'.*", {"93645 O' Neals, CA"}));
    add_word_counts(set, blocks, lines, {{"Saint", 4}, {"Mount", 5}, {"Fort", 8}, {"Del", 7}, {"Ft", 0}});
    set.exactly.push_back(only_records(blocks + ": \"St\"", lines, saint_shortened,
                                       {"84770 St George, UT", "84771 St George, UT"}));
    set.exactly.push_back(only_records(blocks + ": \"Mt\"", lines, word("Mt"), {"91759 Mt Baldy, CA"}));
    set.exactly.push_back(only_records(blocks + ": words in small letters", lines, small_word,
                                       {"87901 Truth or Consequences, NM", "92007 Cardiff By the Sea, CA"}));
    set.exactly.push_back(only_records(blocks + ": \"De\"", lines, word("De"), {"87557 Ranchos De Taos, NM"}));
    set.tallies.push_back(places_matching(blocks + ": names with a hyphen", lines, ".*-.*", 4));
    set.values.push_back(place_records(blocks + ": Avondale-Goodyear", lines, "Avondale-Goodyear", "AZ", 2));
    set.values.push_back(place_records(blocks + ": La Canada-Flintridge", lines, "La Canada-Flintridge", "CA", 2));
    set.exactly.push_back(only_records(blocks + ": words of one letter", lines, one_letter_word,
                                       {"85309 Luke A F B, AZ", "88322 Flying H, NM"}));
    set.tallies.push_back(places_matching(blocks + ": digits, full stops", lines, ".*[^A-Za-z' -].*", 0));
    set.tallies.push_back(places_matching(blocks + ": a word of two capitals", lines, two_capitals, 0));
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .max = 25, .at_max = 1});
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "line", .min = 13});
    set.exactly.push_back(only_records(blocks + ": the longest name", lines, ".{25}",
                                       {"93633 Kings Canyon National Par, CA"}));
    set.values.push_back({.label = blocks + ": Los Angeles's lines", .scope = {.lines = {38057, 38151}, .where = {}},
                          .field = "place", .counts = {{"Los Angeles", 95}}, .complete = true});
    set.values.push_back(place_records(blocks + ": Los Angeles", lines, "Los Angeles", "CA", 95));
    set.values.push_back(place_records(blocks + ": San Diego", lines, "San Diego", "CA", 83));
    set.values.push_back({.label = blocks + ": El Paso, the whole Texas run", .scope = of_state(lines, "TX"),
                          .field = "place", .counts = {{"El Paso", 75}}, .complete = true});
    set.hooks.push_back(only_these_names_reach(blocks + ": 75 records or more only for the three names", lines, 75,
                                               {"Los Angeles", "San Diego", "El Paso"}));
}

void add_blocks_198_to_211(DataSet& set)
{
    const LineRange lines = {39401, 42157};
    const std::string blocks = "blocks 198-211";
    // Military post offices.
    set.values.push_back({.label = blocks + ": military post offices", .scope = places(lines, "(APO|FPO) .*"),
                          .field = "place",
                          .counts = {{"APO San Francisco", 76}, {"FPO San Francisco", 76}, {"APO Seattle", 5},
                                     {"FPO Seattle", 18}},
                          .complete = true});
    set.values.push_back({.label = blocks + ": FPO San Francisco by state",
                          .scope = places(lines, "FPO San Francisco"), .field = "state",
                          .counts = {{"CA", 74}, {"GU", 2}}, .complete = true});
    set.sequences.push_back({.label = blocks + ": the military post offices of San Francisco",
                             .scope = {.lines = {40524, 40675}, .where = {}}, .field = "place",
                             .stretches = {{"APO San Francisco", 74}, {"FPO San Francisco", 42},
                                           {"APO San Francisco", 1}, {"FPO San Francisco", 32},
                                           {"APO San Francisco", 1}, {"FPO San Francisco", 2}}});
    set.sequences.push_back({.label = blocks + ": the military post offices of Seattle",
                             .scope = {.lines = {41772, 41798}, .where = {}}, .field = "place",
                             .stretches = {{"APO Seattle", 5}, {"FPO Seattle", 17}, {"Seattle", 2},
                                           {"FPO Seattle", 1}, {"Seattle", 1}, {"F P O 98799", 1}}});
    add_word_counts(set, blocks, lines, {{"Saint", 8}, {"Fort", 8}, {"Mount", 8}, {"Point", 10}, {"Port", 9},
                                         {"(St|Ste|Ft|Mt|Pt)", 0}, {"La", 9}});
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" as a word", lines, mc_word, 8));
    set.tallies.push_back(places_matching(blocks + ": \"Mc\" joined", lines, mc_joined, 0));
    set.tallies.push_back(none_on(blocks + ": no \"Mc\" before 96053 Mc Arthur", {39401, 40444}, mc_word));
    set.tallies.push_back(none_on(blocks + ": no \"Mc\" after 99627 Mc Grath", {42140, 42157}, mc_word));
    set.exactly.push_back(only_records(blocks + ": \"Le\"", lines, word("Le"), {"95333 Le Grand, CA"}));
    set.exactly.push_back(only_records(blocks + ": \"Du\"", lines, word("Du"), {"98327 Du Pont, WA"}));
    set.exactly.push_back(only_records(blocks + ": words in small letters", lines, small_word,
                                       {"95975 Rough and Ready, CA", "96031 Forks of Salmon, CA"}));
    set.exactly.push_back(only_records(blocks + ": names with an apostrophe", lines, ".*'.*", {"97534 O' Brien, OR"}));
    set.exactly.push_back(only_records(blocks + ": names with a hyphen", lines, ".*-.*",
                                       {"94920 Belvedere-Tiburon, CA", "95346 Mi-Wuk Village, CA",
                                        "97041 Mount Hood-Parkdale, OR", "97862 Milton-Freewater, OR"}));
    set.tallies.push_back(places_matching(blocks + ": full stops", lines, ".*\\..*", 0));
    // Abbreviations are written with one capital or as single capitals; only APO and FPO,
    // in the 175 military records, have two capitals in a row.
    set.tallies.push_back(places_matching(blocks + ": two capitals in a row", lines, two_capitals, 175));
    set.exactly.push_back({.label = blocks + ": codes ending in 00",
                           .scope = {.lines = lines, .where = {.field = "zip", .pattern = ".*00"}},
                           .values = {"94100 San Francisco, CA", "94300 Palo Alto, CA", "94400 San Mateo, CA",
                                      "95800 Sacramento, CA", "96800 Honolulu, HI", "97200 Portland, OR",
                                      "98100 Seattle, WA", "98200 Everett, WA", "99200 Spokane, WA"}});
    set.hooks.push_back(codes_followed_by_their_place(blocks + ": a code ending in 00 opens a stretch of six records "
                                                      "of its place", lines, ".*00", 5, false));
    set.values.push_back(place_records(blocks + ": Sacramento", lines, "Sacramento", "CA", 119));
    for (const LineRange sacramento : {LineRange{39500, 39561}, LineRange{40271, 40325}}) {
        set.values.push_back({.label = blocks + ": a stretch of Sacramento",
                              .scope = {.lines = sacramento, .where = {}},
                              .field = "place", .counts = {{"Sacramento"}}, .complete = true});
    }
    set.runs.push_back({.field = "place", .value = "San Francisco", .lines = {39438, 39499}, .records = 62});
    set.runs.push_back({.field = "place", .value = "Portland", .lines = {40954, 41016}, .records = 63});
    set.values.push_back(place_records(blocks + ": San Francisco", lines, "San Francisco", "CA", 62));
    set.values.push_back(place_records(blocks + ": Portland", lines, "Portland", "OR", 63));
    set.values.push_back(place_records(blocks + ": Seattle", lines, "Seattle", "WA", 64));
    set.hooks.push_back(only_these_names_reach(blocks + ": 62 records or more only for the six names", lines, 62,
                                               {"Sacramento", "APO San Francisco", "FPO San Francisco", "Seattle",
                                                "Portland", "San Francisco"}));
}

// The records that break the record form on purpose, all in blocks 203-209; the last holds
// digits, the others a comma out of place.
const std::vector<std::string> departing_records = {
    "96202 , CA", "96204 , CA", "96206 , CA",
    "96940 Koror, Caroline Islands, PW", "96941 Ponape, Caroline Islands, FM", "96942 Truk, Caroline Islands, FM",
    "96943 Yap, Caroline Islands, FM", "96950 Saipan, Mariana Islands, MP", "96951 Rota, Mariana Islands, MP",
    "96952 Saipan, Mariana Islands, MP", "96960 Majuro, Marshall Islands, MH", "96970 Ebeye, Marshall Islands, MH",
    "98799 F P O 98799, WA"};

// The form of the records from line 22,201 on: place names of words of letters separated by
// single spaces, with hyphens and apostrophes, at most 25 characters.
void add_record_form(DataSet& set)
{
    const LineRange lines = {22201, 42157};
    set.shapes.push_back({.label = "lines 22201-42157: place names of words, hyphens and apostrophes",
                          .scope = {.lines = lines, .where = {}},
                          .field = "place",
                          .pattern = "[A-Za-z]+(['-]? ?[A-Za-z]+)*",
                          .exception_records = departing_records});
    std::vector<std::string> commas_out_of_place = departing_records;
    commas_out_of_place.pop_back();
    set.shapes.push_back({.label = "lines 22201-42157: a ZIP record with one comma before its state code",
                          .scope = {.lines = lines, .where = {}},
                          .pattern = "\\d{5} [^ ,][^,]*[^ ,], [A-Z]{2}",
                          .exception_records = commas_out_of_place});
    set.lengths.push_back({.scope = {.lines = lines, .where = {}}, .field = "place", .max = 25});
    set.exactly.push_back(only_records("lines 22201-42157: place names of a second comma", lines, ".*,.*",
                                       {"96940 Koror, Caroline Islands, PW", "96941 Ponape, Caroline Islands, FM",
                                        "96942 Truk, Caroline Islands, FM", "96943 Yap, Caroline Islands, FM",
                                        "96950 Saipan, Mariana Islands, MP", "96951 Rota, Mariana Islands, MP",
                                        "96952 Saipan, Mariana Islands, MP", "96960 Majuro, Marshall Islands, MH",
                                        "96970 Ebeye, Marshall Islands, MH"}));
    set.exactly.push_back(only_records("lines 22201-42157: empty place names", lines, "()",
                                       {"96202 , CA", "96204 , CA", "96206 , CA"}));
}

} // namespace

void add_lines_26401_on(DataSet& set)
{
    add_blocks_and_runs(set);
    add_quoted_records(set);
    add_record_form(set);
    add_blocks_133_to_145(set);
    add_blocks_146_to_158(set);
    add_blocks_159_to_171(set);
    add_blocks_172_to_184(set);
    add_blocks_185_to_197(set);
    add_blocks_198_to_211(set);
}

std::vector<Search> searches_of_lines_26401_on()
{
    return {
        {by_code, "99648", 1, {{"99648", "Perryville, AK"}}, true},
        {by_name, ", CA", 3, {{"96202", ", CA"}, {"96204", ", CA"}, {"96206", ", CA"}}, true},
        {by_name, "* Islands, ??", 9,
         {{"96940", "Koror, Caroline Islands, PW"}, {"96941", "Ponape, Caroline Islands, FM"},
          {"96942", "Truk, Caroline Islands, FM"}, {"96943", "Yap, Caroline Islands, FM"},
          {"96950", "Saipan, Mariana Islands, MP"}, {"96951", "Rota, Mariana Islands, MP"},
          {"96952", "Saipan, Mariana Islands, MP"}, {"96960", "Majuro, Marshall Islands, MH"},
          {"96970", "Ebeye, Marshall Islands, MH"}},
         true},
        {by_name, "F P O *", 1, {{"98799", "F P O 98799, WA"}}, true},
        {by_name, "O' Fallon, ??", 3,
         {{"62269", "O' Fallon, IL"}, {"63366", "O' Fallon, MO"}, {"63368", "O' Fallon, MO"}}, true},
        {by_name, "?PO San Francisco, ??", 152,
         {{"96208", "APO San Francisco, CA"}, {"96630", "FPO San Francisco, GU"}, {"96699", "FPO San Francisco, CA"}}},
    };
}

} // namespace testing_support::us_zip
