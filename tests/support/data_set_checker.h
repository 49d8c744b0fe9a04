#pragma once
// The checker of a built-in data set. Each data set writes one description (`DataSet`) of
// what it must hold: its module's numbers, the lines that are not records, the shape, order
// and counts of its records, its telling rows, the size of the file a restore writes and the
// searches that file answers. The checks run on the lines the module's provider hands out
// and on the file that the real restore command writes, and the searches run through the
// real main window.
//
// Every check gives back the problems it found as readable texts instead of failing by
// itself, so a test shows all of them at once, and a broken copy of a data set can prove
// that a check notices what is wrong with it.
#include "default_data/default_data_module.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "tests/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// Element n of a data set is line n; element 0 stands unused.
using DataLines = std::vector<std::string>;
using Problems = std::vector<std::string>;

enum class SearchDirection { by_code = 0, by_name = 1 };

// A line as the data file stores it.
struct StoredLine {
    std::int32_t line = 0;
    std::string text;
};

struct LengthCount {
    std::size_t length = 0;
    int records = 0;
};

struct KeyRule {
    // The whole key matches this regular expression.
    std::string pattern;
    // How many keys have each length; no key has a length that is not listed.
    std::vector<LengthCount> lengths;
    // A rule the expression cannot say; left empty when there is none.
    std::function<bool(std::string_view key)> accepts;
    // Every key in the order of the file, where the set's list of keys is known in full.
    std::vector<std::string> in_file_order;
};

struct KeyCount {
    std::string key;
    int records = 0;
};

struct KeyOrder {
    // Ascending by character code, a key before the longer keys that begin with it.
    bool ascending = true;
    // Lines whose key stands below the key of the line before; each must really do so.
    std::vector<std::int32_t> exceptions;
    // Keys that stand more than once, side by side; every other key stands once.
    std::vector<KeyCount> repeated;
    // The records compared as whole lines are in ascending order as well.
    bool whole_lines_ascending = false;
};

struct RecordShape {
    // The name, with its outer spaces removed, matches this regular expression in full.
    std::string name_pattern;
    // Every character of a record is printable 7-bit ASCII.
    bool ascii_only = true;
    // Records that end in one or more spaces; no other record does.
    int trailing_space_records = 0;
    // Records whose last characters are a colour tag.
    int tagged_records = 0;
    // Record lengths, not counting trailing spaces, and how many records have the extremes.
    std::size_t min_length = 0;
    std::size_t max_length = 0;
    int records_at_min = 0;
    int records_at_max = 0;
};

// A kind of record, told by a regular expression found anywhere in the record as stored.
struct Kind {
    std::string label;
    std::string pattern;
    int records = 0;
};

struct NameCount {
    std::string name;
    int records = 0;
};

// The names of the records whose key contains a match of `key_pattern`.
struct NameGroup {
    std::string label;
    std::string key_pattern;
    int records = 0;
    int distinct_names = 0;
    std::vector<NameCount> names;
    // The list holds every name of the group; no other name occurs in it.
    bool complete = false;
};

struct ExpectedRow {
    std::string code;
    std::string name;
};

struct Search {
    SearchDirection direction = SearchDirection::by_code;
    std::string pattern;
    int found = 0;
    // Rows that stand among those found, in this order; all of them when there are `found`.
    std::vector<ExpectedRow> rows;
};

// How a record reads as a key and a name; the first-word split unless a set says otherwise.
struct Entry {
    std::string key;
    std::string name;
};

struct DataSet {
    std::string label;
    zentrel::DefaultDataModule& (*module)() = nullptr;
    int category = 0;
    std::string file_name;

    std::int32_t line_count = 0;
    std::int32_t upper_bound = 0;
    int fillers = 0;
    // Lines 1 to this one are stored; the rest up to the upper bound hold nothing.
    std::int32_t last_stored = 0;

    // The lines that are not records, with their elements, as stored.
    std::vector<StoredLine> other_lines;
    std::int32_t first_record = 0;
    std::int32_t last_record = 0;
    int records = 0;

    KeyRule keys;
    KeyOrder order;
    RecordShape shape;
    std::vector<Kind> kinds;
    int distinct_names = 0;
    // Names whose number of records is stated, over all records.
    std::vector<NameCount> name_counts;
    std::vector<NameGroup> name_groups;
    // Rows as stored, at their lines.
    std::vector<StoredLine> telling_rows;

    int restored_lines = 0;
    std::size_t restored_bytes = 0;
    std::vector<Search> searches;

    std::function<Entry(std::string_view record)> split;
};

namespace data_set_detail {

inline constexpr std::string_view end_of_data = "#END_OF_DATA#";
inline constexpr std::string_view line_end = "\r\n";
inline constexpr std::size_t problems_shown = 40;

inline std::string at_line(std::int32_t line)
{
    return "line " + std::to_string(line) + ": ";
}

inline std::string in_quotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

inline bool ends_the_data(std::string_view line)
{
    return platform::ucase(platform::trim_view(line)) == end_of_data;
}

inline bool is_null_line(std::string_view line)
{
    return platform::ucase(platform::trim_view(line)) == ":NULL";
}

// The first-word split: the key is the text before the first space, the name the rest
// with its outer spaces removed.
inline Entry first_word(std::string_view record)
{
    const std::size_t space = record.find(' ');
    if (space == std::string_view::npos) return {std::string(record), {}};
    return {std::string(record.substr(0, space)), platform::trim(record.substr(space + 1))};
}

inline Entry split(const DataSet& set, std::string_view record)
{
    return set.split ? set.split(record) : first_word(record);
}

inline bool has_colour_tag(std::string_view record)
{
    for (const std::string_view tag : {"*", "[*Red data]", "[*Blue data]", "[*Gray data]"}) {
        if (record.ends_with(tag)) return true;
    }
    return false;
}

inline bool is_record_line(std::string_view line)
{
    const std::string_view trimmed = platform::trim_view(line);
    return !trimmed.empty() && trimmed.front() != '#' && !is_null_line(line);
}

inline bool printable_ascii(std::string_view text)
{
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

inline std::size_t trailing_spaces(std::string_view text)
{
    return text.size() - platform::rtrim(text).size();
}

inline std::string without_trailing_spaces(std::string_view text)
{
    return platform::rtrim(text);
}

template <typename Count>
void expect_count(Problems& problems, const std::string& what, Count have, Count want)
{
    if (have != want) {
        problems.push_back(what + ": " + std::to_string(have) + " where there must be " + std::to_string(want));
    }
}

} // namespace data_set_detail

// What the provider hands out for a stored element n (the restored file holds the same).
inline std::string provided_text(const DataSet& set, std::int32_t n, std::string_view stored)
{
    if (stored.empty()) return std::string(set.module().placeholder()) + std::to_string(n) + ". ##";
    if (data_set_detail::is_null_line(stored)) return {};
    return std::string(stored);
}

// The lines 1 to the line count, each as the module's provider hands it out.
inline DataLines provided_lines(const DataSet& set)
{
    DataLines lines(1);
    for (std::int32_t n = 1; n <= set.line_count; ++n) lines.push_back(set.module().Default_Line(n));
    return lines;
}

// The lines of a file with CR LF line ends, without their ends.
inline std::vector<std::string> crlf_lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find(data_set_detail::line_end, at);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(at));
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + data_set_detail::line_end.size();
    }
    return lines;
}

// The elements of a restored file, numbered as the provider's lines: element n takes as many
// file lines as the provider's line n holds (a computed line with embedded line ends spans
// several), up to the first end of the data.
inline DataLines file_elements(const std::string& bytes, const DataLines& provided)
{
    const std::vector<std::string> lines = crlf_lines(bytes);
    DataLines elements(1);
    std::size_t next = 0;
    for (std::size_t n = 1; n < provided.size() && next < lines.size(); ++n) {
        if (data_set_detail::ends_the_data(provided[n])) break;
        std::string element = lines[next++];
        for (std::size_t from = provided[n].find(data_set_detail::line_end);
             from != std::string::npos && next < lines.size();
             from = provided[n].find(data_set_detail::line_end, from + 2)) {
            element += std::string(data_set_detail::line_end) + lines[next++];
        }
        elements.push_back(element);
    }
    return elements;
}

namespace data_set_detail {

inline void check_module_numbers(const DataSet& set, Problems& problems)
{
    zentrel::DefaultDataModule& module = set.module();
    if (module.Default_Line(0) != std::to_string(set.line_count)) {
        problems.push_back("line 0 gives " + in_quotes(module.Default_Line(0)) + ", not the line count");
    }
    expect_count(problems, "upper bound", module.upper_bound(), set.upper_bound);
    expect_count(problems, "block fillers", module.filler_count(), set.fillers);
    expect_count(problems, "stored lines", module.table().size(), static_cast<std::size_t>(set.last_stored));
}

inline void check_stored_other_lines(const DataSet& set, Problems& problems)
{
    const auto table = set.module().table();
    for (const StoredLine& other : set.other_lines) {
        const auto index = static_cast<std::size_t>(other.line - 1);
        if (index >= table.size() || table[index] != other.text) {
            problems.push_back(at_line(other.line) + "stored as " +
                               (index < table.size() ? in_quotes(table[index]) : "nothing") + ", not " +
                               in_quotes(other.text));
        }
    }
}

inline void check_lines_past_the_data(const DataSet& set, Problems& problems)
{
    zentrel::DefaultDataModule& module = set.module();
    for (std::int32_t n = set.last_stored + 1; n <= set.upper_bound; ++n) {
        const std::string line = module.Default_Line(n);
        if (line != provided_text(set, n, "")) {
            problems.push_back(at_line(n) + in_quotes(line) + " in place of the placeholder");
        }
    }
    for (const std::int32_t n : {std::int32_t{-1}, set.upper_bound + 1}) {
        try {
            module.Default_Line(n);
            problems.push_back(at_line(n) + "gave no error");
        } catch (const platform::RuntimeError& error) {
            if (error.number() != 9) {
                problems.push_back(at_line(n) + "error " + std::to_string(error.number()) + ", not 9");
            }
        }
    }
}

} // namespace data_set_detail

// The module's numbers, the other lines as stored, and what the provider gives past the data.
inline Problems module_problems(const DataSet& set)
{
    Problems problems;
    data_set_detail::check_module_numbers(set, problems);
    data_set_detail::check_stored_other_lines(set, problems);
    data_set_detail::check_lines_past_the_data(set, problems);
    return problems;
}

namespace data_set_detail {

struct Record {
    std::int32_t line = 0;
    std::string text;
    Entry entry;
};

inline std::vector<Record> records_of(const DataSet& set, const DataLines& lines, Problems& problems)
{
    std::set<std::int32_t> others;
    for (const StoredLine& other : set.other_lines) others.insert(other.line);
    std::vector<Record> records;
    for (std::int32_t n = set.first_record; n <= set.last_record; ++n) {
        if (others.contains(n)) continue;
        if (static_cast<std::size_t>(n) >= lines.size()) {
            problems.push_back(at_line(n) + "missing");
            break;
        }
        const std::string& line = lines[static_cast<std::size_t>(n)];
        if (!is_record_line(line)) problems.push_back(at_line(n) + in_quotes(line) + " is not a record");
        records.push_back({n, line, split(set, line)});
    }
    expect_count(problems, "records", static_cast<int>(records.size()), set.records);
    return records;
}

inline void check_other_lines(const DataSet& set, const DataLines& lines, Problems& problems)
{
    for (const StoredLine& other : set.other_lines) {
        const auto n = static_cast<std::size_t>(other.line);
        if (n >= lines.size()) continue; // past the end of a restored file
        const std::string want = provided_text(set, other.line, other.text);
        if (lines[n] != want) {
            problems.push_back(at_line(other.line) + in_quotes(lines[n]) + " where " + in_quotes(want) + " belongs");
        }
    }
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const auto line = static_cast<std::int32_t>(n);
        const bool in_range = set.first_record <= line && line <= set.last_record;
        const bool listed = std::any_of(set.other_lines.begin(), set.other_lines.end(),
                                        [&](const StoredLine& other) { return other.line == line; });
        if (!in_range && !listed) {
            problems.push_back(at_line(line) + in_quotes(lines[n]) + " stands outside the records");
        }
    }
}

inline void check_keys(const DataSet& set, const std::vector<Record>& records, Problems& problems)
{
    const std::regex pattern(set.keys.pattern);
    std::map<std::size_t, int> lengths;
    for (const Record& record : records) {
        const std::string& key = record.entry.key;
        ++lengths[key.size()];
        if (!std::regex_match(key, pattern)) {
            problems.push_back(at_line(record.line) + "key " + in_quotes(key) + " breaks the key rule");
        }
        if (set.keys.accepts && !set.keys.accepts(key)) {
            problems.push_back(at_line(record.line) + "key " + in_quotes(key) + " is refused");
        }
    }
    std::map<std::size_t, int> want;
    for (const LengthCount& length : set.keys.lengths) want[length.length] = length.records;
    for (const auto& [length, count] : lengths) {
        const auto wanted = want.find(length);
        expect_count(problems, "keys of length " + std::to_string(length), count,
                     wanted == want.end() ? 0 : wanted->second);
    }
    for (const auto& [length, count] : want) {
        if (!lengths.contains(length)) expect_count(problems, "keys of length " + std::to_string(length), 0, count);
    }
    if (set.keys.in_file_order.empty()) return;
    expect_count(problems, "keys listed in file order", records.size(), set.keys.in_file_order.size());
    for (std::size_t i = 0; i < records.size() && i < set.keys.in_file_order.size(); ++i) {
        if (records[i].entry.key != set.keys.in_file_order[i]) {
            problems.push_back(at_line(records[i].line) + "key " + in_quotes(records[i].entry.key) +
                               " where the list has " + in_quotes(set.keys.in_file_order[i]));
        }
    }
}

inline int times_allowed(const KeyOrder& order, const std::string& key)
{
    for (const KeyCount& repeated : order.repeated) {
        if (repeated.key == key) return repeated.records;
    }
    return 1;
}

inline bool is_exception(const KeyOrder& order, std::int32_t line)
{
    return std::find(order.exceptions.begin(), order.exceptions.end(), line) != order.exceptions.end();
}

inline void check_order(const DataSet& set, const std::vector<Record>& records, Problems& problems)
{
    std::map<std::string, int> times;
    for (const Record& record : records) ++times[record.entry.key];
    for (const auto& [key, count] : times) {
        expect_count(problems, "records of key " + in_quotes(key), count, times_allowed(set.order, key));
    }
    if (!set.order.ascending) return;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const Record& before = records[i - 1];
        const Record& record = records[i];
        const bool below = record.entry.key < before.entry.key;
        if (is_exception(set.order, record.line)) {
            if (!below) {
                problems.push_back(at_line(record.line) + "key " + in_quotes(record.entry.key) +
                                   " was to stand out of order");
            }
            continue;
        }
        const bool same_allowed =
            record.entry.key == before.entry.key && times_allowed(set.order, record.entry.key) > 1;
        if (below || (record.entry.key == before.entry.key && !same_allowed)) {
            problems.push_back(at_line(record.line) + "key " + in_quotes(record.entry.key) + " out of order after " +
                               in_quotes(before.entry.key));
        }
        if (set.order.whole_lines_ascending && !(before.text < record.text)) {
            problems.push_back(at_line(record.line) + "record out of order as a whole line");
        }
    }
}

inline void check_one_record(const DataSet& set, const Record& record, const std::regex& name_pattern,
                             Problems& problems)
{
    const std::string& text = record.text;
    const std::string body = without_trailing_spaces(text);
    if (!text.empty() && text.front() == ' ') problems.push_back(at_line(record.line) + "leading space");
    if (body.find("  ") != std::string::npos) problems.push_back(at_line(record.line) + "two spaces in a row");
    if (set.shape.ascii_only && !printable_ascii(text)) {
        problems.push_back(at_line(record.line) + "character outside printable 7-bit ASCII");
    }
    if (record.entry.key.empty() || record.entry.name.empty()) {
        problems.push_back(at_line(record.line) + "no key or no name");
    }
    if (!std::regex_match(record.entry.name, name_pattern)) {
        problems.push_back(at_line(record.line) + "name " + in_quotes(record.entry.name) + " breaks the name rule");
    }
    if (body.size() < set.shape.min_length || body.size() > set.shape.max_length) {
        problems.push_back(at_line(record.line) + "length " + std::to_string(body.size()) + " out of range");
    }
}

inline void check_shape(const DataSet& set, const std::vector<Record>& records, Problems& problems)
{
    const std::regex name_pattern(set.shape.name_pattern);
    int trailing = 0;
    int tagged = 0;
    int at_min = 0;
    int at_max = 0;
    for (const Record& record : records) {
        check_one_record(set, record, name_pattern, problems);
        const std::size_t length = without_trailing_spaces(record.text).size();
        trailing += trailing_spaces(record.text) > 0 ? 1 : 0;
        tagged += has_colour_tag(record.text) ? 1 : 0;
        at_min += length == set.shape.min_length ? 1 : 0;
        at_max += length == set.shape.max_length ? 1 : 0;
    }
    expect_count(problems, "records with trailing spaces", trailing, set.shape.trailing_space_records);
    expect_count(problems, "records with a colour tag", tagged, set.shape.tagged_records);
    expect_count(problems, "records of the shortest length", at_min, set.shape.records_at_min);
    expect_count(problems, "records of the longest length", at_max, set.shape.records_at_max);
}

inline void check_kinds(const DataSet& set, const std::vector<Record>& records, Problems& problems)
{
    for (const Kind& kind : set.kinds) {
        const std::regex pattern(kind.pattern);
        const auto count = std::count_if(records.begin(), records.end(),
                                         [&](const Record& record) { return std::regex_search(record.text, pattern); });
        expect_count(problems, "records " + kind.label, static_cast<int>(count), kind.records);
    }
}

inline std::map<std::string, int> names_of(const std::vector<Record>& records, const std::string& key_pattern)
{
    const std::regex keys(key_pattern);
    std::map<std::string, int> names;
    for (const Record& record : records) {
        if (std::regex_search(record.entry.key, keys)) ++names[record.entry.name];
    }
    return names;
}

inline int total(const std::map<std::string, int>& names)
{
    int sum = 0;
    for (const auto& [name, count] : names) sum += count;
    return sum;
}

inline void check_name_counts(const std::map<std::string, int>& names, const std::vector<NameCount>& want,
                              const std::string& where, Problems& problems)
{
    for (const NameCount& name : want) {
        const auto found = names.find(name.name);
        expect_count(problems, "records named " + in_quotes(name.name) + where,
                     found == names.end() ? 0 : found->second, name.records);
    }
}

inline void check_names(const DataSet& set, const std::vector<Record>& records, Problems& problems)
{
    const std::map<std::string, int> all = names_of(records, "");
    expect_count(problems, "distinct names", static_cast<int>(all.size()), set.distinct_names);
    check_name_counts(all, set.name_counts, "", problems);
    for (const NameGroup& group : set.name_groups) {
        const std::map<std::string, int> names = names_of(records, group.key_pattern);
        const std::string where = " among " + group.label;
        expect_count(problems, "records" + where, total(names), group.records);
        expect_count(problems, "distinct names" + where, static_cast<int>(names.size()), group.distinct_names);
        check_name_counts(names, group.names, where, problems);
        if (!group.complete) continue;
        for (const auto& [name, count] : names) {
            const bool listed = std::any_of(group.names.begin(), group.names.end(),
                                            [&](const NameCount& want) { return want.name == name; });
            if (!listed) problems.push_back("name " + in_quotes(name) + " is not one of the names" + where);
        }
    }
}

inline void check_telling_rows(const DataSet& set, const DataLines& lines, Problems& problems)
{
    for (const StoredLine& row : set.telling_rows) {
        const auto n = static_cast<std::size_t>(row.line);
        const std::string have = n < lines.size() ? lines[n] : std::string("nothing");
        if (have != row.text) {
            problems.push_back(at_line(row.line) + in_quotes(have) + " where " + in_quotes(row.text) + " belongs");
        }
    }
}

} // namespace data_set_detail

// The lines that are not records and every rule on the records, over lines numbered as the
// elements of the data set: those the provider hands out, or those of a restored file.
inline Problems record_problems(const DataSet& set, const DataLines& lines)
{
    using namespace data_set_detail;
    Problems problems;
    check_other_lines(set, lines, problems);
    const std::vector<Record> records = records_of(set, lines, problems);
    check_keys(set, records, problems);
    check_order(set, records, problems);
    check_shape(set, records, problems);
    check_kinds(set, records, problems);
    check_names(set, records, problems);
    check_telling_rows(set, lines, problems);
    return problems;
}

// The restored file's size, its line ends, its agreement with the provider line by line,
// and every rule on its records.
inline Problems restored_file_problems(const DataSet& set, const std::string& bytes)
{
    using namespace data_set_detail;
    Problems problems;
    expect_count(problems, "bytes in the restored file", bytes.size(), set.restored_bytes);
    int lines = 0;
    for (std::size_t at = bytes.find(line_end); at != std::string::npos; at = bytes.find(line_end, at + 2)) ++lines;
    expect_count(problems, "lines in the restored file", lines, set.restored_lines);
    if (!bytes.ends_with(line_end)) problems.push_back("the restored file does not end with CR LF");
    const auto bare_ends =
        std::count(bytes.begin(), bytes.end(), '\r') + std::count(bytes.begin(), bytes.end(), '\n') - 2 * lines;
    expect_count(problems, "lone CR or LF in the restored file", static_cast<int>(bare_ends), 0);

    const DataLines provided = provided_lines(set);
    const DataLines elements = file_elements(bytes, provided);
    for (std::size_t n = 1; n < elements.size(); ++n) {
        // A computed line carries the moment of its restore; only its place is compared.
        const bool computed = provided[n].find(line_end) != std::string::npos;
        if (!computed && elements[n] != provided[n]) {
            problems.push_back(at_line(static_cast<std::int32_t>(n)) + "the file holds " + in_quotes(elements[n]) +
                               ", the provider " + in_quotes(provided[n]));
        }
    }
    const Problems of_records = record_problems(set, elements);
    problems.insert(problems.end(), of_records.begin(), of_records.end());
    return problems;
}

// The problems, one a line, as the message of a failed expectation.
inline std::string listed(const Problems& problems)
{
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < data_set_detail::problems_shown; ++i) {
        text += "  " + problems[i] + "\n";
    }
    if (problems.size() > data_set_detail::problems_shown) {
        text += "  ... and " + std::to_string(problems.size() - data_set_detail::problems_shown) + " more\n";
    }
    return text;
}

inline bool mentions(const Problems& problems, std::string_view words)
{
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& problem) { return problem.find(words) != std::string::npos; });
}

// The main window with a program folder of its own, in which a data set is restored by the
// real restore command and searched through the real Search button.
class DataSetWindowTest : public MainWindowTest {
protected:
    // Restores the set's file as a user does, answering Yes to the one question, and gives
    // back the file's bytes.
    std::string restore_through_window(const DataSet& set)
    {
        form->com_SearchType.set_list_index(set.category);
        message_boxes.expect(platform::message_box::answer_yes);
        form->menu_Options_RestoreDatabaseFile_Click();
        EXPECT_EQ(message_boxes.shown.size(), 1u) << "only the question before the restore";
        EXPECT_EQ(zentrel::file_name_from_path(database_path(set.category)), set.file_name);
        return folder.read_file(set.file_name);
    }

    // Runs one search through the window and compares the rows found with the search's own.
    Problems search_problems(const DataSet& set, const Search& search)
    {
        choose(set.category, search.pattern, static_cast<int>(search.direction));
        form->com_Search_Click();
        Problems problems;
        const std::string which = "search " + data_set_detail::in_quotes(search.pattern) +
                                  (search.direction == SearchDirection::by_code ? " by code" : " by name") + ": ";
        data_set_detail::expect_count(problems, which + "matches", form->Match_Count, search.found);
        data_set_detail::expect_count(problems, which + "grid rows", rows(), search.found == 0 ? 2 : search.found + 1);
        if (form->Match_Count != search.found) return problems;
        std::size_t next = 0;
        for (int row = 1; row <= search.found && next < search.rows.size(); ++row) {
            if (cell(row, 0) == search.rows[next].code && cell(row, 1) == search.rows[next].name) ++next;
        }
        if (next < search.rows.size()) {
            problems.push_back(which + "row " +
                               data_set_detail::in_quotes(search.rows[next].code + " | " + search.rows[next].name) +
                               " not found in its place");
        }
        return problems;
    }
};

} // namespace testing_support
