// The built-in UK dialling-code data ("Directory.dat"), described once for the data-set
// checker with every number it must meet: the module's numbers and the lines that are not
// records, the blocks with their first and last records, the shapes of the records, their
// counts, the order by place name with its stated breaks, the telling rows, and the
// searches a user makes of the restored file. The description is proved on the lines the
// module hands out, on the file the real restore command writes and through the real
// window by the checks every data set goes through (data_set_test.cpp); broken copies of
// the data show that the description notices each kind of fault.
#include "tests/data_sets.h"
#include "tests/support/broken_copies.h"
#include "tests/support/data_checker.h"

#include "default_data/default_modules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

constexpr SearchDirection by_code = SearchDirection::by_code;
constexpr SearchDirection by_name = SearchDirection::by_name;

Scope where(std::string field, std::string pattern, LineRange lines = {})
{
    return {.lines = lines, .where = {.field = std::move(field), .pattern = std::move(pattern)}};
}

Tally tally(std::string label, Scope scope, int records)
{
    return {.label = std::move(label), .scope = std::move(scope), .records = records};
}

// Word by word: a space or a hyphen ends a word, so "Amman Valley" comes before "Ammanford".
// Letter by letter: spaces, hyphens, apostrophes and the other marks count for nothing, so
// "Abbotsbury" comes before "Abbots Ripton". Either way a name beginning "St." sorts as
// if it were spelt "Saint", and letters compare without regard to case.
std::vector<Collation> place_collations()
{
    return {{.ignore_case = true, .ignored = "'.@,[]", .read_as = {{"St.", "Saint "}, {"-", " "}}},
            {.ignore_case = true, .ignored = " -'.()[]@,", .read_as = {{"St.", "Saint"}}}};
}

// The words of a name begin with a capital letter; a full stop joins two words ("St.Helens",
// "Co.Durham"); an apostrophe may stand inside a word.
const std::string capital_words = R"([A-Z][A-Za-z']*(\.[A-Z][A-Za-z']*)*([ \-][A-Z][A-Za-z']*(\.[A-Z][A-Za-z']*)*)*)";

const std::vector<std::string> operator_rows = {
    "BT CallStream 0990", "BT Freefone 0800", "BT Lo-call 0345", "BT Personal Communications 077441",
    "BT Phonebase 0910", "BT Premium Rate Service 0891", "BT Premium Rate Service 0894",
    "BT Premium Rate Service 0897", "BT Premium Rate Service 0898", "Cellnet 0401", "Cellnet 0585", "Cellnet 0589",
    "Cellnet 0802", "Cellnet 0850", "Cellnet 0860", "GSM Jersey 0979 7", "Hutchinson Paging 0941",
    "International prefix 00", "Jersey, Guernsey, IOM Premium Rate Service 0696", "Mercury FreeCall 0500",
    "Mercury 0541", "Mercury 0632", "Mercury LocalCall 0645", "Mercury One2One 0956", "Mercury One2One 0958",
    "Mercury Premium Rate Service 0640", "Mercury Premium Rate Service 0660", "Mercury Premium Rate Service 0839",
    "Mercury Premium Rate Service 0881", "Mercury Premium Rate Service 0991", "Orange 0973", "Orange 0976",
    "Torch Communications 0930", "Vodafone Group 0370", "Vodafone Group 0374", "Vodafone Group 0378",
    "Vodafone Group 0385", "Vodafone Group 0421", "Vodafone Group 0831", "Vodafone Group 0836",
    "Vodafone Group Freefone 0321", "Vodafone Group Premium Rate Service 0331",
    "Vodafone Group Premium Rate Service 0336", "Vodafone Group Premium Rate Service 0338",
    "Vodafone Group Premium Rate Service 0836 4"};

const std::string operator_names =
    "(BT|Cellnet|GSM Jersey|Hutchinson Paging|International prefix|Jersey, Guernsey, IOM Premium Rate Service|"
    "Mercury|Torch Communications|Orange|Vodafone Group)( .*)?";

// Records the data quotes without their lines.
const std::vector<std::string> quoted_records = {
    "Abbots Ripton 01487 3", "Abbotsbury 01305", "Aberdaron 01758 86", "Aberdeen 01224", "Aberlady 01875 7",
    "Abingdon (Oxon) 01235", "Amman Valley 01269", "Ammanford 01269", "Arley (Worcs) 01299 7", "Ascot 01344",
    "Ascot 0990", "Ash (Kent) 01304", "Ashbank 0781 30", "Ashby-De-La-Zouch 01530", "Ayr 01292",
    "Baillie's Mills 01846", "Balcombe (Haywards Heath) 01444", "Beragh 01662 7", "Beragh 01663 72",
    "Betws-y-Coed 01690 2", "Bishop's Waltham 01489", "Bishopston (West Glam) 01792", "Bledlow Ridge 0240 27",
    "Blyth (Notts) 01909", "Blythburgh 01502 70", "Bo'ness 01506", "Box 01225", "Brynsiencyn 01248",
    "Buchlyvie 01360 85", "Castletown (Isle of Man) 01624", "Crookham 01890", "Dunadd 01546 84",
    "dunamanagh 01504", "Dunion 01369", "Dunning 01764", "East Allington 01548 52", "East Bridgford 01949",
    "East Marsden 01243 59", "East Marsden 01243", "Eastbourne 01323", "Kimbrace 01431 3", "Kimpton 01438",
    "Kirk Michael (Isle of Man) 01624", "Llanarmon-yn-lal 01824 3", "Llanddudno 01492", "Llandrindod Wells 01597",
    "Lydd 0679", "Morland 01931 4", "Mortonhampstead 01647", "Newcastle (Co.Down) 01396 7", "Oakford 01398",
    "Oakhill 01749", "Oarkham 01572", "Port St.Mary 01624", "Portstewart 01265",
    "Rhosllanerchrugog [Rhos (WX)] 01978", "Saintfield 01238", "St.Fergus 01779", "St.Field 01238",
    "St.Helens 0744", "Usk 01291"};

const std::vector<std::string> city_rows = {
    "Birmingham 0121",       "Durham 0191",         "Edinburgh 0131",     "Gateshead 0191",   "Glasgow 0141",
    "Liverpool 0151",        "London (Inner) 0171", "London (Outer) 0181", "Manchester 0161", "Newcastle Upon Tyne 0191",
    "North Shields 0191",    "South Shields 0191",  "Sunderland 0191",    "Tynesdie 0191",    "Washington 0191",
    "Wearside 0191"};

std::vector<Block> blocks()
{
    const std::vector<std::pair<std::string, std::string>> bounds = {
        {"Abbey St.Bathans 01361 4", "Ashington (Northumberland) 01670"},
        {"Ashington (West Sussex) 01903", "Beddgelert 01766"},
        {"Bedford 01234", "Borthwickbrae 01450 88"},
        {"Borthwickbrae 01450", "Bulls Green 01438 79"},
        {"Bulwick 01780 85", "Cellnet 0850"},
        {"Cellnet 0860", "Cockshutt 01939 22"},
        {"Cockshutt 01939", "Culford 01284"},
        {"Culgiath 01768", "Dunbar 01368"},
        {"Dunbeath 01593 3", "Fair Isle 01351 2"},
        {"Fairbourne 01341", "Garvald 01620"},
        {"Garve 01997 4", "Greyabbey 01247 7"},
        {"Greystoke 01853 3", "Holme Lacy 01432"},
        {"Holmes Chapel 01477", "Kilchoan 01972 3"},
        {"Kilchrenan 01866 3", "Lea Valley 01992"},
        {"Ledaig 01631 72", "Lochcarron 01520 2"},
        {"Lochearnhead 01567 3", "Marton Heath 01260"},
        {"Mary Tavy 01822 81", "Mursley 01296"},
        {"Muthill 01764 81", "Ormskirk 01695"},
        {"Orphir 01856 81", "Pontshaen 01545"},
        {"Pontyates 01269", "Rock (Kidderminster) 01299"},
        {"Rockbourne 01725 3", "Sedgley 01902"},
        {"Sedgwick 01539 5", "Stanley (Co.Durham) 01207"},
        {"Stanley (Perths) 01738", "Talmine 01847 56"},
        {"Talybont (Aberystwyth) 01970 86", "Trowbridge 01225"},
        {"Trumpet 01531 83", "West Linton 01968"},
        {"West Lulworth 01929 41", "Wootton (Humberside) 01469 8"},
        {"Wootton (Humberside) 01469", "Yoxford 01728"}};
    std::vector<Block> list;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        Block block{.number = k, .first_record = bounds[i].first, .last_record = bounds[i].second, .records = 200};
        if (k == 1) {
            block.first_line = "# UK Dialling code directory";
            block.records = 191;
        }
        if (k == 27) {
            block.lines = {5201, 5273};
            block.last_line = "#End_Of_Data#";
            block.records = 61;
        }
        list.push_back(block);
    }
    return list;
}

// Rows of one place with local digits stand before its rows with the code alone; the one
// exception is the digits row of "Vodafone Group Premium Rate Service", which stands after
// every code-only row of its name.
bool digits_before_code_alone(const RecordList& records, std::size_t index)
{
    const auto same_place = [&](std::size_t a, std::size_t b) {
        return b < records.size() && records.field(a, "name") == records.field(b, "name");
    };
    if (records[index].text == "Vodafone Group Premium Rate Service 0836 4") return !same_place(index, index + 1);
    if (index == 0) return true;
    return !(same_place(index, index - 1) && !records.field(index, "local").empty() &&
             records.field(index - 1, "local").empty());
}

// The index of a line of the data, for a broken copy that changes the lines around it.
std::size_t index_of(const DataLines& lines, const std::string& text)
{
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), text) - lines.begin());
}

// The rows whose neighbours the data states: the record before and after each ("" where
// not stated). The nine BT rows stand together between "Brynsiencyn" and "Buchlyvie".
struct Neighbours {
    std::string before;
    std::string after;
};

const std::vector<std::pair<std::string, Neighbours>>& stated_neighbours()
{
    static const std::vector<std::pair<std::string, Neighbours>> rows = {
        {"dunamanagh 01504", {"Dunadd 01546 84", "Dunbar 01368"}},
        {"Saintfield 01238", {"St.Fergus 01779", "St.Field 01238"}},
        {"Oarkham 01572", {"Oakford 01398", "Oakhill 01749"}},
        {"Dunion 01369", {"Dunning 01764", ""}},
        {"East Marsden 01243 59", {"", "East Marsden 01243"}},
        {"East Marsden 01243", {"East Marsden 01243 59", "East Allington 01548 52"}},
        {"Kimpton 01438", {"", "Kimbrace 01431 3"}},
        {"Mortonhampstead 01647", {"", "Morland 01931 4"}},
        {"Llandrindod Wells 01597", {"", "Llanddudno 01492"}},
        {"Port St.Mary 01624", {"Portstewart 01265", ""}},
        {"Mercury FreeCall 0500", {"", "Mercury 0541"}},
        {"Ascot 0990", {"", "Ascot 01344"}},
        {"Beragh 01663 72", {"", "Beragh 01662 7"}},
        {"Vodafone Group Premium Rate Service 0836 4", {"Vodafone Group Premium Rate Service 0338", ""}},
    };
    return rows;
}

std::string neighbours_pattern()
{
    std::string pattern = "BT .*";
    for (const auto& [text, neighbours] : stated_neighbours()) pattern += "|" + literal(text);
    return pattern;
}

bool by_its_stated_neighbours(const RecordList& records, std::size_t index)
{
    const auto text = [&](std::size_t i) { return i < records.size() ? std::string(records[i].text) : std::string(); };
    const std::string before = index > 0 ? text(index - 1) : std::string();
    const std::string after = text(index + 1);
    const std::string record = text(index);
    if (record.starts_with("BT ")) {
        return (before.starts_with("BT ") || before == "Brynsiencyn 01248") &&
               (after.starts_with("BT ") || after == "Buchlyvie 01360 85");
    }
    for (const auto& [row, neighbours] : stated_neighbours()) {
        if (row != record) continue;
        return (neighbours.before.empty() || neighbours.before == before) &&
               (neighbours.after.empty() || neighbours.after == after);
    }
    return false;
}

void describe_module(DataSet& set)
{
    set.module = {.module = &testing_support::module_of<zentrel::Category::UKDiallingCodes>,
                  .category = zentrel::Category::UKDiallingCodes,
                  .file_name = "Directory.dat",
                  .line_count = 5273,
                  .upper_bound = 5473,
                  .fillers = 28,
                  .stored = {{1, 5281}, {5401, 5401}},
                  .end_of_data = 5273};
    set.other_lines = {
        {.lines = {1, 1}, .text = "# UK Dialling code directory"},
        {.lines = {2, 2}, .pattern = "#.*(19|20)[0-9][0-9].*"}, // credits the source and gives its year
        {.lines = {3, 3}, .pattern = "#.+"},                     // names who permits the use
        {.lines = {4, 4}, .text = "#"},
        {.lines = {5, 5}, .text = "# Read the \x90ReadMe\x91 file inside the application for details on how to"},
        {.lines = {6, 6}, .text = "# alter this file."},
        {.lines = {7, 7}, .text = "#"},
        {.lines = {9, 9}, .text = ":Null"},
        {.lines = {5262, 5272}, .pattern = "(#.*)?|:Null"}, // the private block: comments and empty lines
        {.lines = {5273, 5281}, .text = "#End_Of_Data#"},
        {.lines = {5401, 5401}, .text = "#End_Of_Data#"}};
    set.computed = {restore_stamp("# Last updated: 16th April 1995")};
    set.record_lines = {{10, 5261}};
    set.records = 5252;
}

void describe_shapes(DataSet& set)
{
    set.shapes = {printable_ascii(), no_outer_spaces(), no_two_spaces(), no_colour_tag()};
    set.shapes.push_back({.label = "no leading #", .pattern = "#.*", .forbidden = true});
    set.shapes.push_back({.label = "a code of digits that begins with 0, then maybe one or two local digits",
                          .field = "key",
                          .pattern = "0[0-9]{1,5}( [0-9]{1,2})?",
                          .exception_records = {"Crookham @1089 082"}});
    set.shapes.push_back({.label = "place names of capitalised words",
                          .field = "place",
                          .pattern = capital_words,
                          .exception_records = {"Betws-y-Coed 01690 2", "Llanarmon-yn-lal 01824 3", "BT Lo-call 0345",
                                                "International prefix 00", "dunamanagh 01504", "Mercury One2One 0956",
                                                "Mercury One2One 0958", "Crookham @1089 082",
                                                "Jersey, Guernsey, IOM Premium Rate Service 0696",
                                                "Rhosllanerchrugog [Rhos (WX)] 01978"}});
    set.shapes.push_back({.label = "qualifiers of capitalised words",
                          .scope = where("qualifier", ".+"),
                          .field = "qualifier",
                          .pattern = capital_words + "|Ross-shire",
                          .exception_lines = {},
                          .exception_records = {"Castletown (Isle of Man) 01624", "Kirk Michael (Isle of Man) 01624"}});
    set.shapes.push_back({.label = "a full stop never before a space", .pattern = ".*\\. .*", .forbidden = true});
    set.shapes.push_back({.label = "the only square brackets", .pattern = ".*[\\[\\]].*", .forbidden = true,
                          .exception_records = {"Rhosllanerchrugog [Rhos (WX)] 01978"}});
    set.shapes.push_back({.label = "the only comma", .pattern = ".*,.*", .forbidden = true,
                          .exception_records = {"Jersey, Guernsey, IOM Premium Rate Service 0696"}});
    set.shapes.push_back({.label = "the only @", .pattern = ".*@.*", .forbidden = true,
                          .exception_records = {"Crookham @1089 082"}});
    set.shapes.push_back({.label = "no digit in a name", .field = "name", .pattern = ".*[0-9].*", .forbidden = true,
                          .exception_records = {"Mercury One2One 0956", "Mercury One2One 0958"}});
    set.lengths = {{.field = "line", .min = 9, .max = 47, .at_min = 9, .at_max = 1}};
}

void describe_counts(DataSet& set)
{
    set.tallies = {
        tally("code only (the row that fits no shape among them)", where("line", ".* 0[0-9]{1,5}"), 3239),
        tally("code and local digits", where("key", "0[0-9]+ [0-9]{1,2}"), 2013),
        tally("code and one local digit", where("key", "0[0-9]+ [0-9]"), 764),
        tally("code and two local digits", where("key", "0[0-9]+ [0-9]{2}"), 1249),
        tally("five-digit codes alone", where("key", "01[0-9]{3}"), 3171),
        tally("five-digit codes with one local digit", where("key", "01[0-9]{3} [0-9]"), 724),
        tally("five-digit codes with two local digits", where("key", "01[0-9]{3} [0-9]{2}"), 1191),
        tally("four-digit city codes", where("code", "01[2-9]1"), 16),
        tally("four-digit city codes alone", where("key", "01[2-9]1"), 16),
        tally("four-digit codes from 02 to 09 alone", where("key", "0[2-9][0-9]{2}"), 49),
        tally("four-digit codes from 02 to 09 with one local digit", where("key", "0[2-9][0-9]{2} [0-9]"), 40),
        tally("four-digit codes from 02 to 09 with two local digits", where("key", "0[2-9][0-9]{2} [0-9]{2}"), 58),
        tally("the two-digit code", where("key", "00"), 1),
        tally("the six-digit code", where("key", "077441"), 1),
        tally("the row that fits no shape", where("line", literal("Crookham @1089 082")), 1),
        tally("with a qualifier in parentheses", where("qualifier", ".+"), 535),
        tally("with a qualifier and local digits", where("line", ".*\\) 0[0-9]+ [0-9]{1,2}"), 177),
        tally("operators and services", where("place", operator_names), 45),
        tally("with an apostrophe", where("line", ".*'.*"), 14),
        tally("\"St.\" rows", where("place", "St\\..*"), 46),
        tally("\"St.\" rows at lines 4074 to 4120", where("place", "St\\..*", {4074, 4120}), 46),
    };
    set.exactly = {
        {.label = "operators and services", .scope = where("place", operator_names), .values = operator_rows,
         .in_order = false},
        {.label = "city codes", .scope = where("code", "01[2-9]1"), .values = city_rows},
        {.label = "names beginning \"Saint\"", .scope = where("place", "Saint.*"), .values = {"Saintfield 01238"}},
        {.label = "names beginning \"Crookham\"", .scope = where("place", "Crookham.*"),
         .values = {"Crookham @1089 082", "Crookham 01890"}},
        {.label = "rows of 01361", .scope = where("code", "01361"), .field = "name",
         .values = {"Abbey St.Bathans", "Abbey St.Bathans", "Duns", "Grantshouse", "Grantshouse", "Greenlaw", "Greenlaw",
                    "Longformacus", "Longformacus"}},
        {.label = "rows of 01224 alone", .scope = where("key", "01224"), .field = "name",
         .values = {"Aberdeen", "Offshore"}},
    };
    set.present = {{.values = quoted_records}};
    set.repeats = {
        {.label = "place names", .field = "name", .distinct = 4098, .apart = std::vector<std::string>{"Offley"}},
        {.label = "codes", .scope = where("code", "0.*"), .field = "code", .distinct = 706},
        {.label = "qualifiers", .scope = where("qualifier", ".+"), .field = "qualifier", .distinct = 126},
        {.label = "whole lines", .field = "line", .times = {{"Offley 01462 76", 2}}, .others_once = true},
    };
    set.values = {{.label = "often used qualifiers", .scope = where("qualifier", ".+"), .field = "qualifier",
                   .counts = {{"Hants", 31}, {"Kent", 24}, {"Lancs", 18}}},
                  {.label = "rows of Offley", .scope = where("name", "Offley"), .field = "key",
                   .counts = {{"01462 76", 2}, {"01462", 1}, {"01473", 1}}, .complete = true}};
}

void describe_order(DataSet& set)
{
    set.orders = {{.label = "alphabetical by place name",
                   .field = "name",
                   .collations = place_collations(),
                   .breaks = {3582},
                   .break_records = {"Dilkenzie 01586 82", "Oakhill 01749", "Dunion 01369", "East Allington 01548 52",
                                     "Kimbrace 01431 3", "Morland 01931 4", "Llanddudno 01492", "Port St.Mary 01624",
                                     "Mercury 0541"}}};
    set.hooks = {{.name = "local digits before the code alone", .holds = digits_before_code_alone}};
    set.blocks = blocks();
    set.quoted = {{10, "Abbey St.Bathans 01361 4"}, {11, "Abbey St.Bathans 01361"},
                  {1354, "Crookham @1089 082"},       {1355, "Crookham 01890"},
                  {2609, "Kilkeel 01693 7"},          {2610, "Dilkenzie 01586 82"},
                  {2611, "Kilkhampton 01288 82"},     {3579, "Offley 01462 76"},
                  {3580, "Offley 01462"},             {3581, "Offshore 01224"},
                  {3582, "Offley 01462 76"},          {3583, "Offley 01473"},
                  {4073, "Saffron Walden 01799"},     {4121, "Salcombe 01548 84"},
                  {5260, "Yoxford 01728 77"},         {5261, "Yoxford 01728"}};
    set.hooks.push_back({.name = "stands by its stated neighbours",
                         .scope = where("line", neighbours_pattern()),
                         .records = static_cast<int>(stated_neighbours().size()) + 9,
                         .holds = by_its_stated_neighbours});
}

void describe_restore_and_searches(DataSet& set)
{
    set.restored = {.lines = 5274,
                    .lines_at = {{1, "# UK Dialling code directory"},
                                 {8, "# Last updated: 16th April 1995"},
                                 {11, ""},
                                 {12, "Abbey St.Bathans 01361 4"},
                                 {5263, "Yoxford 01728"}}};
    set.searches = {
        {by_code, "0191", 9,
         {{"0191", "Durham"}, {"0191", "Gateshead"}, {"0191", "Newcastle Upon Tyne"}, {"0191", "North Shields"},
          {"0191", "South Shields"}, {"0191", "Sunderland"}, {"0191", "Tynesdie"}, {"0191", "Washington"},
          {"0191", "Wearside"}},
         true},
        {by_code, "0191*", 9, {{"0191", "Durham"}, {"0191", "Wearside"}}},
        {by_code, "01361", 5,
         {{"01361", "Abbey St.Bathans"}, {"01361", "Duns"}, {"01361", "Grantshouse"}, {"01361", "Greenlaw"},
          {"01361", "Longformacus"}},
         true},
        {by_code, "01361*", 9, {{"01361 4", "Abbey St.Bathans"}, {"01361", "Abbey St.Bathans"}}},
        {by_code, "00", 1, {{"00", "International prefix"}}, true},
        {by_code, "0121", 1, {{"0121", "Birmingham"}}, true},
        {by_code, "01224", 2, {{"01224", "Aberdeen"}, {"01224", "Offshore"}}, true},
        {by_code, "#####", 3171, {}},
        {by_code, "####", 65, {}},
        {by_code, "##", 1, {{"00", "International prefix"}}, true},
        {by_code, "######", 1, {{"077441", "BT Personal Communications"}}, true},
        {by_code, "082", 0, {}},
        {by_code, "1089 082", 1, {{"1089 082", "Crookham @"}}, true},
        {by_name, "Crookham", 1, {{"01890", "Crookham"}}, true},
        {by_name, "Crookham*", 2, {}},
        {by_name, "Offley", 4, {{"01462 76", "Offley"}, {"01462", "Offley"}, {"01462 76", "Offley"}, {"01473", "Offley"}},
         true},
        {by_name, "St.*", 46, {}},
        {by_name, "Saint*", 1, {{"01238", "Saintfield"}}, true},
        {by_name, "DUNAMANAGH", 1, {{"01504", "dunamanagh"}}, true},
    };
}

} // namespace

DataSet testing_support::uk_dialling_codes()
{
    DataSet set;
    set.label = "UKDiallingCodes";
    set.fields = trailing_code_fields();
    describe_module(set);
    describe_shapes(set);
    describe_counts(set);
    describe_order(set);
    describe_restore_and_searches(set);
    return set;
}

// Each kind of fault in a copy of the data is named by the description.
TEST(UKDiallingData, BrokenCopiesAreNoticed)
{
    expect_each_breakage_noticed(uk_dialling_codes(), {
        {"two places swapped", [](DataLines& l) { std::swap(l[500], l[502]); }, "stands below"},
        {"a stated break put in order", [](DataLines& l) { std::swap(l[2609], l[2610]); }, "Dilkenzie"},
        {"local digits after the code alone", [](DataLines& l) { std::swap(l[10], l[11]); },
         "local digits before the code alone"},
        {"a city code with local digits", [](DataLines& l) { l[5000] = "West Linton 0131 5"; }, "city codes"},
        {"a lower-case word", [](DataLines& l) { l[5000] = "West linton 01968"; }, "capitalised words"},
        {"a sixth code-only row of 01361", [](DataLines& l) { l[2000] = "Garvald 01361"; }, "rows of 01361"},
        {"a second name with \"Saint\"", [](DataLines& l) { l[4122] = "Saint Albans 01727"; }, "Saint"},
        {"a fifteenth apostrophe", [](DataLines& l) { l[5000] = "West Lin'ton 01968"; }, "apostrophe"},
        {"a line repeated", [](DataLines& l) { l[5001] = l[5000]; }, "whole lines"},
        {"a place between two stated neighbours",
         [](DataLines& l) {
             const auto at = index_of(l, "Saintfield 01238");
             std::swap(l[at - 1], l[at + 1]);
         },
         "stated neighbours"},
        {"the Vodafone digits row before a code-only row of its name",
         [](DataLines& l) {
             std::swap(l[index_of(l, "Vodafone Group Premium Rate Service 0836 4")],
                       l[index_of(l, "Vodafone Group Premium Rate Service 0336")]);
         },
         "local digits before the code alone"},
        {"a space before the local digit lost", [](DataLines& l) { l[10] = "Abbey St.Bathans 013614"; }, "code and one local digit"},
    });
}

// The towns where a city's code meets its neighbours' stand with the code their references
// give, in every row of theirs: places of the city, and places just outside it, among them
// places served by two codes, with the code they keep. A row with the code of before 1995
// has the old form of that code (0 and its last three digits). A town whose name other
// places share is told apart by its qualifier; any other may carry one or none.
TEST(UKDiallingData, TownsAtTheCitiesEdgesHaveTheCodesOfTheirReferences)
{
    struct Town {
        std::string place;
        std::string code;
        std::string qualifier{};
    };
    const std::vector<Town> towns = {
        {"Yeadon", "01132"},      {"Gildersome", "01132"},  {"Lofthouse", "01924"},
        {"Queensbury", "01274"},  {"Killamarsh", "01142"},  {"Catcliffe", "01709"},
        {"Calverton", "01159", "Notts"},                    {"Mountsorrel", "01162"},
        {"Sileby", "01509"},      {"Keynsham", "01179"},    {"Long Ashton", "01275"},
        {"Undy", "01633"},        {"Liversedge", "01924"},  {"Drighlington", "01132"},
        {"Wilsden", "01535"},     {"Chapeltown", "01142"},  {"Dronfield", "01246"},
        {"Long Eaton", "01159"},  {"Ravenshead", "01623"},  {"Narborough", "01162", "Leics"},
        {"Broughton Astley", "01455"},                      {"Stoke Gifford", "01179"},
        {"Charfield", "01454"},   {"Saltford", "01225"},    {"Hathern", "01509"},
        {"Monk Fryston", "01977"},
    };
    const auto lines = data_lines(uk_dialling_codes());
    for (const auto& town : towns) {
        const std::string qualifier =
            town.qualifier.empty() ? R"(( \([^)]*\))?)" : " " + literal("(" + town.qualifier + ")");
        const std::regex row("^" + literal(town.place) + qualifier + R"( (0[0-9]+)( [0-9]{1,2})?$)");
        std::vector<std::string> codes;
        for (const auto& line : lines) {
            std::smatch m;
            if (std::regex_match(line, m, row))
                codes.push_back(m[m.size() - 2]);
        }
        EXPECT_FALSE(codes.empty()) << town.place << " has no row";
        const std::string old_code = "0" + town.code.substr(2);
        for (const auto& code : codes)
            EXPECT_EQ(code, code.size() == old_code.size() ? old_code : town.code) << town.place;
    }
}
