#pragma once
// The checker of a built-in data set. A test describes its set once (`DataSet`) in the
// terms the set's own documentation uses: the module's numbers, the lines that are not
// records, how a record splits into fields, and rules over records (shapes with their
// exceptions, counts, lengths, values, repeats, orders, blocks, runs, quoted records and
// named hooks). The checker proves the description on the lines the module hands out and
// on the file that the real restore command writes; `data_checker_window.h` adds the
// restore and the searches through the real main window.
//
// Every number in a description is optional (`Count`): a number that is not given is not
// checked, and nothing is measured from the data to be compared with itself. Every rule
// can be limited to a range of lines and to the records whose field matches a pattern
// (`Scope`). A field name left empty stands for the set's key (`Fields::key`). All record
// rules are counted in one pass over the records. Every member has a default, so a
// description names only what it states (designated initialisers, in member order).
//
// A check gives back the problems it found as texts, each saying where (the line), what
// was expected and what was found, so a test shows all of them at once and a broken copy
// of a data set can prove that a check notices what is wrong with it.
//
// Patterns are regular expressions that match the WHOLE text of their field (write ".*x.*"
// for "holds x"): characters, ".", classes "[A-Z]" and "[^ ]", groups "( )", "|", and the
// counts "*", "+", "?", "{n}", "{n,}", "{n,m}", with the escapes "\d", "\s", "\w" and "\"
// before any punctuation. See data_pattern.h.
#include "default_data/default_data_module.h"
#include "default_data/default_modules.h"
#include "platform/colours.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

// Element n of a data set is line n; element 0 stands unused.
using DataLines = std::vector<std::string>;
using Problems = std::vector<std::string>;

// A number the description states; one left empty is not checked.
using Count = std::optional<int>;

// Lines first to last, both included; {0, 0} stands for every line.
struct LineRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

// The lines of block k: 200(k-1)+1 to 200k.
LineRange block_lines(int k);

// ---------------------------------------------------------------------------------------
// Fields

// Names of the two fields every record has besides those of its split: the record as
// stored, and the record with its outer spaces removed.
inline constexpr std::string_view field_line = "line";
inline constexpr std::string_view field_trimmed = "trimmed line";

// How a record splits into named fields. `split` fills one view into the record per name,
// in the order of `names` (an absent field is an empty view). `key` names the field that
// runs, repeats and key ranges speak of unless a rule names another.
struct Fields {
    std::vector<std::string> names{};
    std::function<void(std::string_view record, std::vector<std::string_view>& fields)> split{};
    std::string key = "key";
};

// The entry split of categories 1 to 7: "key" (the text before the first space), "name"
// (the rest, colour tag removed, outer spaces removed) and "tag" (the colour tag or empty).
Fields first_word_fields();
// The entry split of category 0 (the code taken from the end of the line) with the parts
// of a UK dialling record: "key" (the code with its local digits, as the search shows it),
// "name", "tag", and "place", "qualifier" (in parentheses, without them), "code" and
// "local" (the local digits), empty where a record has no such part.
Fields trailing_code_fields();
// The US ZIP-code record: "zip" (before the first space), "state" (the last two
// characters) and "place" (between them, without the last ", "); the key is "zip".
Fields zip_fields();

// A field matched against a pattern; an empty pattern matches every record.
struct Match {
    std::string field = std::string(field_line);
    std::string pattern{};
};

// The records a rule speaks of: those on `lines` whose field matches `where`.
struct Scope {
    LineRange lines{};
    Match where{};
};

// A pattern that matches exactly this text.
std::string literal(std::string_view text);

// ---------------------------------------------------------------------------------------
// Lines

// A line at its number, as stored (the provider's ":Null" and empty element included).
struct Line {
    std::int32_t line = 0;
    std::string text{};
};

// Lines that are not records: each line of the range is stored as `text`, or, where the
// wording is free, its stored text matches `pattern`.
struct OtherLines {
    LineRange lines{};
    std::optional<std::string> text{};
    std::string pattern{};
};

// A line the module computes (the restore stamp): its printed lines, joined by CR LF in
// the data and standing on lines of their own in the restored file, each matching its
// pattern. The lines after it stand that many lines further down in the restored file.
struct Computed {
    std::int32_t line = 0;
    std::vector<std::string> printed{};
};

// The restore stamp at element 8 whose first printed line is `last_updated_line`.
Computed restore_stamp(std::string_view last_updated_line);

// ---------------------------------------------------------------------------------------
// Rules over records

// Every record in scope meets the pattern (or, when `forbidden`, none does), except the
// stated exceptions, which must really break the rule.
struct Shape {
    std::string label{};
    Scope scope{};
    std::string field = std::string(field_line);
    std::string pattern{};
    bool forbidden = false;
    std::vector<std::int32_t> exception_lines{};
    // Exceptions quoted as records, without their lines.
    std::vector<std::string> exception_records{};
};

// Rules most sets state, to which a set adds its own exceptions: every character of a
// record printable 7-bit ASCII; no space at either end; no two spaces in a row; no colour
// tag (`Row_Colour_Tag`) at the end.
Shape printable_ascii();
Shape no_outer_spaces();
Shape no_two_spaces();
Shape no_colour_tag();

// The number of records in scope.
struct Tally {
    std::string label{};
    Scope scope{};
    Count records{};
};

// How often a text occurs in a field: in how many records, and how many times in all.
struct Occurrences {
    std::string label{};
    Scope scope{};
    std::string field = std::string(field_line);
    std::string text{};
    Count records{};
    Count times{};
};

struct LengthCount {
    std::size_t length = 0;
    int records = 0;
};

// The lengths of a field.
struct Lengths {
    Scope scope{};
    std::string field = std::string(field_line);
    Count min{};
    Count max{};
    Count at_min{};
    Count at_max{};
    std::vector<LengthCount> each{};
    // `each` lists every length that occurs.
    bool each_complete = false;
};

struct ValueCount {
    std::string value{};
    Count records{};
    // The line of the value's first record; 0 when not stated.
    std::int32_t first_line = 0;
};

// The values of a field with their numbers of records.
struct Values {
    std::string label{};
    Scope scope{};
    std::string field{};
    std::vector<ValueCount> counts{};
    // `counts` names every value that occurs.
    bool complete = false;
    // The values first appear in the order of `counts`.
    bool in_order_of_first_appearance = false;
    // When stated: every value that `counts` does not name stands in fewer records.
    Count others_fewer_than{};
};

// Repeats and duplicates of a field's values.
struct Repeats {
    std::string label{};
    Scope scope{};
    std::string field{};
    // Different values.
    Count distinct{};
    // Values that stand more than once, and the records that carry them.
    Count repeated{};
    Count records_repeated{};
    // The largest number of records of one value, and the values that have it.
    Count most{};
    std::vector<std::string> most_values{};
    // Values with their number of records.
    std::vector<ValueCount> times{};
    // Every value not in `times` stands once.
    bool others_once = false;
    // When stated: exactly these values have records that do not all stand side by side.
    std::optional<std::vector<std::string>> apart{};
    // No value stands twice.
    bool no_two_alike = false;
};

// How two field values compare. Under the plain collation, character codes decide.
struct Collation {
    bool ignore_case = false;
    // Runs of digits compare by their value: "E9" before "E10", "3" before "20".
    bool numbers_by_value = false;
    // Characters that count for nothing (" -'" for letter-by-letter order).
    std::string ignored{};
    // Texts read as others before comparing: {"St.", "Saint"}.
    std::vector<std::pair<std::string, std::string>> read_as{};
};

// The records in scope stand in ascending order of `field`; records equal on it in order
// of `then_field` where that is given. Neighbours are in order when they are under any
// one of the collations. `breaks` are lines whose record stands below the one before it
// in scope, and each must really do so.
struct Order {
    std::string label{};
    Scope scope{};
    std::string field{};
    std::vector<Collation> collations = {Collation{}};
    std::string then_field{};
    std::vector<Collation> then_collations = {Collation{}};
    // Two neighbours equal on every compared field break the order.
    bool strict = false;
    std::vector<std::int32_t> breaks{};
    // Breaks quoted as records, without their lines.
    std::vector<std::string> break_records{};
};

// Consecutive records with one value of a field, `records` of them.
struct Stretch {
    std::string value{};
    int records = 0;
};

// The records in scope grouped into runs of one value of `field`.
struct Sequence {
    std::string label{};
    Scope scope{};
    std::string field{};
    Count runs{};
    // When given: exactly these runs, in this order ("NY 3, PR 111, VI 14, PR 43, MA 26").
    std::vector<Stretch> stretches{};
};

// One run of records with one value of `field` on `lines`. The records before and after
// it have another value, unless the run is stated to go on past the range.
struct Run {
    std::string field{};
    std::string value{};
    LineRange lines{};
    Count records{};
    // The run's key range: the key of its first and last record ("00601", "00768").
    std::optional<std::string> first_key{};
    std::optional<std::string> last_key{};
    std::optional<std::string> first_record{};
    std::optional<std::string> last_record{};
    bool goes_on_before = false;
    bool goes_on_after = false;
};

// One block of 200 lines (the last one may be shorter): its first and last lines, its
// first and last records, the number of its records and, where given, its records by
// the value of `field` as a sequence of runs.
struct Block {
    int number = 0;
    // {0, 0}: block_lines(number).
    LineRange lines{};
    std::optional<std::string> first_line{};
    std::optional<std::string> last_line{};
    std::optional<std::string> first_record{};
    std::optional<std::string> last_record{};
    Count records{};
    std::string field{};
    std::vector<Stretch> sequence{};
};

// The values of a field over the records in scope, in file order, are exactly these
// (every key of a set; "the records of this kind are exactly these").
struct Exactly {
    std::string label{};
    Scope scope{};
    std::string field = std::string(field_line);
    std::vector<std::string> values{};
    bool in_order = true;
};

// Each value stands at least once among the records in scope (records quoted without
// their lines).
struct Present {
    Scope scope{};
    std::string field = std::string(field_line);
    std::vector<std::string> values{};
};

// One record as the hooks see it.
struct Record {
    std::int32_t line = 0;
    std::string_view text{};
    std::vector<std::string_view> fields{};
};

// Every record of the set, in file order, with its fields.
class RecordList {
public:
    RecordList(const Fields& fields, std::vector<Record> records);

    std::size_t size() const { return records_.size(); }
    const Record& operator[](std::size_t index) const { return records_[index]; }
    // The field of that name of record `index`; "line" and "trimmed line" included.
    std::string_view field(std::size_t index, std::string_view name) const;
    // The position of a field name, to look fields up fast; throws for an unknown name.
    std::size_t field_index(std::string_view name) const;

private:
    const Fields& fields_;
    std::vector<Record> records_;
};

// How far around a stretch of lines a rule reads: the records on the lines, and so many
// records before and after them.
struct Reach {
    int before = 0;
    int after = 0;
};

// A rule no table can say, as a named predicate. It is asked about each record in scope,
// with every record of the set at hand (neighbours included). When `holding` is given it
// must hold for that many of them; otherwise for every one.
struct Hook {
    std::string name{};
    Scope scope{};
    // How many records the scope holds, when stated.
    Count records{};
    std::function<bool(const RecordList& records, std::size_t index)> holds{};
    Count holding{};
    // When stated: the predicate reads no record but those within this reach of the
    // hook's lines (the line numbers of records aside, which every copy of the lines
    // keeps). A broken copy is checked against the hook only where it changed a line
    // within reach; a hook that does not state its reach is asked about every copy.
    std::optional<Reach> reach{};
};

// ---------------------------------------------------------------------------------------
// The module, the restored file and the searches

enum class SearchDirection { by_code = 0, by_name = 1 };

// A result row as the grid shows it; colours are checked where given.
struct Row {
    std::string code{};
    std::string name{};
    std::optional<platform::Colour> text_colour{};
    std::optional<platform::Colour> background{};
};

// A search through the real window over the restored file: the number of matches, and
// rows that stand among those found in this order (all of them, in order, when
// `rows_are_all`).
struct Search {
    SearchDirection direction = SearchDirection::by_code;
    std::string pattern{};
    Count found{};
    std::vector<Row> rows{};
    bool rows_are_all = false;
};

// The program's module of a category, in the form the module's numbers take it.
template <zentrel::Category category>
zentrel::DefaultDataModule& module_of()
{
    return *zentrel::default_data_for_category(category);
}

// The module's numbers (`Default_Line_Contract`).
struct Module {
    zentrel::DefaultDataModule& (*module)() = nullptr;
    zentrel::Category category = zentrel::Category::UKDiallingCodes;
    std::string file_name{};
    Count line_count{};
    Count upper_bound{};
    Count fillers{};
    // The lines stored; every other line up to the upper bound holds nothing.
    std::vector<LineRange> stored{};
    // The first "#End_Of_Data#".
    Count end_of_data{};
};

// The file the restore writes; `lines` are quoted at their line numbers in the file.
struct RestoredFile {
    Count lines{};
    Count bytes{};
    std::vector<Line> lines_at{};
};

struct DataSet {
    std::string label{};
    Module module{};
    Fields fields = first_word_fields();

    // Lines that are not records; every line outside `record_lines` must be one of them.
    std::vector<OtherLines> other_lines{};
    std::vector<Computed> computed{};
    // Where the records stand: every line of these ranges that is not an other line.
    std::vector<LineRange> record_lines{};
    Count records{};

    // Lines quoted at their numbers, as stored.
    std::vector<Line> quoted{};
    std::vector<Present> present{};
    std::vector<Exactly> exactly{};

    std::vector<Block> blocks{};
    std::vector<Run> runs{};
    std::vector<Sequence> sequences{};

    std::vector<Shape> shapes{};
    std::vector<Tally> tallies{};
    std::vector<Occurrences> occurrences{};
    std::vector<Lengths> lengths{};
    std::vector<Values> values{};
    std::vector<Repeats> repeats{};
    std::vector<Order> orders{};
    std::vector<Hook> hooks{};

    RestoredFile restored{};
    std::vector<Search> searches{};
};

// ---------------------------------------------------------------------------------------
// The checks

// What the provider hands out for a stored element n: the placeholder for an empty one,
// the empty text for ":Null", else the text itself.
std::string provided_text(const DataSet& set, std::int32_t n, std::string_view stored);

// Lines 1 to the first "#End_Of_Data#" (or the line count), as the provider hands them
// out, taken from the module's blocks filled once each.
DataLines data_lines(const DataSet& set);

// The same lines asked of the provider one by one, as the restore asks for them.
DataLines provided_lines(const DataSet& set);

// The module's numbers, the other lines as stored (those past the data included), what
// the provider gives for the lines it does not store, and error 9 outside its bounds.
Problems module_problems(const DataSet& set);

// Every rule on lines and records over lines numbered as the set's elements: those of
// data_lines(), provided_lines() or of a restored file (file_elements()).
Problems record_problems(const DataSet& set, const DataLines& lines);

// The problems of a broken copy of lines that meet every rule (`good`, in which
// record_problems() finds none), found by the checks of the lines and by every record rule
// that can see a changed line: a rule over all the lines, a rule whose lines take in a
// changed line (a run's with the records next to it, a hook's within its stated reach),
// and every hook that does not state its reach. A rule that sees no changed line sees
// what it saw in `good` and finds nothing again, so the problems are those
// record_problems() finds in the copy, for a part of its cost where the rules are spread
// over the lines. A copy of another length is checked against every rule.
Problems broken_copy_problems(const DataSet& set, const DataLines& good, const DataLines& broken);

// The restored file's size and lines, its line ends, its agreement with the provider
// line by line (computed lines by their form), and every rule on its records.
Problems restored_file_problems(const DataSet& set, const std::string& bytes);

// The lines of a file with CR LF line ends, without their ends.
std::vector<std::string> crlf_lines(const std::string& bytes);

// The elements of a restored file, numbered as the provider's lines: element n takes as
// many file lines as the provider's line n holds, up to the first end of the data.
DataLines file_elements(const std::string& bytes, const DataLines& provided);

// The problems, one a line, as the message of a failed expectation.
std::string listed(const Problems& problems);

// A set shows as its label in the names of parameterised tests' failures.
void PrintTo(const DataSet& set, std::ostream* out);

// Whether any problem holds these words.
bool mentions(const Problems& problems, std::string_view words);

} // namespace testing_support
