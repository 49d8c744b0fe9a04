#pragma once
// The pieces the description of the built-in US ZIP-code data is made of: scopes over place
// names and state codes, the block and state-run tables, and rules over the places of a
// stretch of lines (a place is a place name with its state code). us_zip_data_test.cpp puts
// the description together; us_zip_lines_26401_on.cpp describes the lines from 26,401 on.
#include "tests/support/data_checker.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support::us_zip {

constexpr SearchDirection by_code = SearchDirection::by_code;
constexpr SearchDirection by_name = SearchDirection::by_name;

// The records of these lines whose place name matches `pattern`.
Scope places(LineRange lines, std::string pattern);
Scope of_state(LineRange lines, const std::string& state);
Tally places_matching(std::string label, LineRange lines, std::string pattern, int records);
// Exactly these records have a place name matching `pattern` on these lines.
Exactly only_records(std::string label, LineRange lines, std::string pattern, std::vector<std::string> records);
// NAME, ST has `records` records on these lines.
Values place_records(std::string label, LineRange lines, const std::string& name, const std::string& state,
                     int records);

// A place name with a word that begins with a small letter.
inline const std::string small_word = "([a-z].*|.*[ -][a-z].*)";
// A place name with a character other than letters, spaces and hyphens.
inline const std::string other_character = ".*[^A-Za-z -].*";
// A place name with the word `w`.
std::string word(const std::string& w);

// Block k with its first and last lines and its records by state code in element order;
// a last line left empty is not quoted.
Block zip_block(int k, std::optional<std::string> first, std::optional<std::string> last, std::vector<Stretch> states);
Run state_run(std::string state, LineRange lines, std::string first_zip, std::string last_zip, int records);

// The number of a record's ZIP code.
int zip_number(const RecordList& records, std::size_t index);

// Rules over the places of a stretch of lines, counted afresh on every pass over the records:
// the number of places, of places with one record, of places with several records.
Hook distinct_places(std::string label, LineRange lines, int places);
Hook single_places(std::string label, LineRange lines, int places);
Hook repeated_places(std::string label, LineRange lines, int places);
// `names` place names stand in records of both states on these lines.
Hook names_in_both_states(std::string label, LineRange lines, std::string state, std::string other_state,
                          int names);
// Exactly the names listed have `least` records or more on these lines (any state).
Hook only_these_names_reach(std::string label, LineRange lines, int least, std::vector<std::string> names);
// Each record whose ZIP code matches `pattern` belongs to a place with `least` records or
// more on these lines.
Hook codes_of_large_places(std::string label, LineRange lines, std::string pattern, int least);
// Each record whose ZIP code matches `pattern` is followed by `more` records of its place;
// with `next_code`, the first of them has the next ZIP code.
Hook codes_followed_by_their_place(std::string label, LineRange lines, std::string pattern, int more,
                                   bool next_code);

// Lines 26,401 to the end (blocks 133-211), the end of the data included, and the searches
// of the restored file that show their records.
void add_lines_26401_on(DataSet& set);
std::vector<Search> searches_of_lines_26401_on();

} // namespace testing_support::us_zip
