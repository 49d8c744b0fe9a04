#include "tests/us_zip_description.h"

#include "tests/support/data_pattern.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace testing_support::us_zip {

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

Exactly only_records(std::string label, LineRange lines, std::string pattern, std::vector<std::string> records)
{
    return {.label = std::move(label), .scope = places(lines, std::move(pattern)), .values = std::move(records)};
}

Values place_records(std::string label, LineRange lines, const std::string& name, const std::string& state,
                     int records)
{
    return {.label = std::move(label), .scope = of_state(lines, state), .field = "place",
            .counts = {{name, records}}};
}

std::string word(const std::string& w)
{
    return "(" + w + "|" + w + " .*|.* " + w + "|.* " + w + " .*)";
}

Block zip_block(int k, std::optional<std::string> first, std::optional<std::string> last, std::vector<Stretch> states)
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

int zip_number(const RecordList& records, std::size_t index)
{
    return std::atoi(std::string(records.field(index, "zip")).c_str());
}

namespace {

// The records of each place on a stretch of lines, counted afresh at the start of each
// pass over the records (a pass asks about the records in rising order). The counts point
// into the records, which stay put for the pass.
class PlaceTally {
public:
    explicit PlaceTally(LineRange lines) : lines_(lines) {}

    struct Place {
        int records = 0;
        std::size_t first = 0;
    };

    const Place& of(const RecordList& records, std::size_t index)
    {
        if (places_.empty() || index <= last_index_) count(records);
        last_index_ = index;
        return places_[place_and_state(records, index)];
    }

    int records_of_name(const RecordList& records, std::size_t index)
    {
        of(records, index);
        return names_[records.field(index, "place")].records;
    }

    // Whether this is the first record of its name, and the name stands in both states.
    bool first_of_name_in_both(const RecordList& records, std::size_t index, std::string_view state,
                               std::string_view other_state)
    {
        of(records, index);
        const Name& name = names_[records.field(index, "place")];
        return name.first == index && name.states.count(state) > 0 && name.states.count(other_state) > 0;
    }

private:
    struct Name {
        int records = 0;
        std::size_t first = 0;
        std::set<std::string_view> states;
    };

    // The record after its ZIP code and the space: place name, comma and state code.
    static std::string_view place_and_state(const RecordList& records, std::size_t index)
    {
        return records.field(index, "line").substr(6);
    }

    void count(const RecordList& records)
    {
        places_.clear();
        names_.clear();
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i].line < lines_.first || records[i].line > lines_.last) continue;
            Place& place = places_[place_and_state(records, i)];
            if (place.records++ == 0) place.first = i;
            Name& name = names_[records.field(i, "place")];
            if (name.records++ == 0) name.first = i;
            name.states.insert(records.field(i, "state"));
        }
    }

    LineRange lines_;
    std::size_t last_index_ = 0;
    std::unordered_map<std::string_view, Place> places_;
    std::unordered_map<std::string_view, Name> names_;
};

using PlaceTest = bool (*)(const PlaceTally::Place& place, std::size_t index);

Hook places_hook(std::string label, LineRange lines, int holding, PlaceTest test)
{
    auto tally = std::make_shared<PlaceTally>(lines);
    return {.name = std::move(label),
            .scope = {.lines = lines, .where = {}},
            .holds = [tally, test](const RecordList& records, std::size_t index) {
                return test(tally->of(records, index), index);
            },
            .holding = holding,
            .reach = Reach{}};
}

} // namespace

Hook distinct_places(std::string label, LineRange lines, int places)
{
    return places_hook(std::move(label), lines, places,
                       [](const PlaceTally::Place& place, std::size_t index) { return place.first == index; });
}

Hook single_places(std::string label, LineRange lines, int places)
{
    return places_hook(std::move(label), lines, places,
                       [](const PlaceTally::Place& place, std::size_t) { return place.records == 1; });
}

Hook repeated_places(std::string label, LineRange lines, int places)
{
    return places_hook(std::move(label), lines, places, [](const PlaceTally::Place& place, std::size_t index) {
        return place.first == index && place.records > 1;
    });
}

Hook names_in_both_states(std::string label, LineRange lines, std::string state, std::string other_state,
                          int names)
{
    auto tally = std::make_shared<PlaceTally>(lines);
    return {.name = std::move(label),
            .scope = {.lines = lines, .where = {}},
            .holds = [tally, state, other_state](const RecordList& records, std::size_t index) {
                return tally->first_of_name_in_both(records, index, state, other_state);
            },
            .holding = names,
            .reach = Reach{}};
}

Hook only_these_names_reach(std::string label, LineRange lines, int least, std::vector<std::string> names)
{
    auto tally = std::make_shared<PlaceTally>(lines);
    return {.name = std::move(label),
            .scope = {.lines = lines, .where = {}},
            .holds = [tally, least, names](const RecordList& records, std::size_t index) {
                const std::string name(records.field(index, "place"));
                const bool listed = std::find(names.begin(), names.end(), name) != names.end();
                return listed == (tally->records_of_name(records, index) >= least);
            },
            .reach = Reach{}};
}

Hook codes_of_large_places(std::string label, LineRange lines, std::string pattern, int least)
{
    auto tally = std::make_shared<PlaceTally>(lines);
    const Pattern code(pattern);
    return {.name = std::move(label),
            .scope = {.lines = lines, .where = {}},
            .holds = [tally, code, least](const RecordList& records, std::size_t index) {
                const int place_records = tally->of(records, index).records;
                return !code.matches(records.field(index, "zip")) || place_records >= least;
            },
            .reach = Reach{}};
}

Hook codes_followed_by_their_place(std::string label, LineRange lines, std::string pattern, int more,
                                   bool next_code)
{
    const Pattern code(pattern);
    return {.name = std::move(label),
            .scope = {.lines = lines, .where = {}},
            .holds = [code, more, next_code](const RecordList& records, std::size_t index) {
                if (!code.matches(records.field(index, "zip"))) return true;
                if (index + static_cast<std::size_t>(more) >= records.size()) return false;
                if (next_code && zip_number(records, index + 1) != zip_number(records, index) + 1) return false;
                for (std::size_t i = index + 1; i <= index + static_cast<std::size_t>(more); ++i) {
                    if (records.field(i, "place") != records.field(index, "place") ||
                        records.field(i, "state") != records.field(index, "state")) {
                        return false;
                    }
                }
                return true;
            },
            .reach = Reach{.before = 0, .after = more}};
}

} // namespace testing_support::us_zip
