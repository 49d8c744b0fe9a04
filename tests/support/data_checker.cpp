#include "tests/support/data_checker.h"

#include "core/app_identity.h"
#include "search_engine/database_entry.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "tests/support/data_checker_rules.h"
#include "tests/support/data_pattern.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

namespace testing_support {

namespace checker_detail {

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string at_line(std::int32_t line)
{
    return "line " + std::to_string(line) + ": ";
}

bool in_range(const LineRange& range, std::int32_t line)
{
    if (range.first == 0 && range.last == 0) return true;
    return range.first <= line && line <= range.last;
}

void expect_count(Problems& problems, const std::string& what, long long found, const Count& expected)
{
    if (expected && found != *expected) {
        problems.push_back(what + ": expected " + std::to_string(*expected) + ", found " + std::to_string(found));
    }
}

} // namespace checker_detail

using namespace checker_detail;

namespace {

constexpr std::string_view end_of_data = "#END_OF_DATA#";
constexpr std::string_view line_end = "\r\n";
constexpr std::size_t problems_shown = 40;

bool ends_the_data(std::string_view line)
{
    return platform::ucase(platform::trim_view(line)) == end_of_data;
}

bool is_null_line(std::string_view line)
{
    return platform::ucase(platform::trim_view(line)) == ":NULL";
}

bool is_record_line(std::string_view line)
{
    return zentrel::line_kind(line) == zentrel::LineKind::Entry;
}

std::vector<std::string_view> printed_lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(line_end, at);
        lines.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) return lines;
        at = end + line_end.size();
    }
}

// Removes the final " (...)" of a name into the qualifier; a name ending in "]" keeps all.
void split_qualifier(std::string_view name, std::string_view& place, std::string_view& qualifier)
{
    place = name;
    qualifier = {};
    if (!name.ends_with(')')) return;
    const std::size_t open = name.rfind(" (");
    if (open == std::string_view::npos) return;
    place = name.substr(0, open);
    qualifier = name.substr(open + 2, name.size() - open - 3);
}

} // namespace

LineRange block_lines(int k)
{
    return {200 * (k - 1) + 1, 200 * k};
}

// ---------------------------------------------------------------------------------------
// Fields

Fields first_word_fields()
{
    return {.names = {"key", "name", "tag"},
            .split =
                [](std::string_view record, std::vector<std::string_view>& fields) {
                    const zentrel::EntryFields entry = zentrel::split_entry(record, zentrel::Category::UKPostCodes);
                    fields = {entry.code, entry.name, entry.tag};
                },
            .key = "key"};
}

Fields trailing_code_fields()
{
    return {.names = {"key", "name", "tag", "place", "qualifier", "code", "local"},
            .split =
                [](std::string_view record, std::vector<std::string_view>& fields) {
                    const zentrel::EntryFields entry = zentrel::split_entry(record, zentrel::Category::UKDiallingCodes);
                    std::string_view place;
                    std::string_view qualifier;
                    split_qualifier(entry.name, place, qualifier);
                    const std::size_t space = entry.code.find(' ');
                    const std::string_view code = entry.code.substr(0, space);
                    const std::string_view local =
                        space == std::string_view::npos ? std::string_view{} : entry.code.substr(space + 1);
                    fields = {entry.code, entry.name, entry.tag, place, qualifier, code, local};
                },
            .key = "key"};
}

Fields zip_fields()
{
    return {.names = {"zip", "place", "state"},
            .split =
                [](std::string_view record, std::vector<std::string_view>& fields) {
                    const std::size_t space = record.find(' ');
                    const std::string_view zip = record.substr(0, space);
                    const std::size_t place_at = space == std::string_view::npos ? record.size() : space + 1;
                    const std::size_t state_at = record.size() >= 2 ? record.size() - 2 : 0;
                    const std::size_t place_end = record.size() >= 4 ? record.size() - 4 : 0;
                    const std::string_view place =
                        place_end > place_at ? record.substr(place_at, place_end - place_at) : std::string_view{};
                    fields = {zip, place, record.substr(state_at)};
                },
            .key = "zip"};
}

std::string literal(std::string_view text)
{
    std::string pattern;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ' ' ||
                           u >= 0x80;
        if (!plain) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

Computed restore_stamp(std::string_view last_updated_line)
{
    // "dd/mm/yyyy - hh:mm:ssam" with the leading zeros of the day and the hour blanked.
    const std::string time = "( [1-9]|[12][0-9]|3[01])/(0[1-9]|1[0-2])/[0-9]{4} - ( [1-9]|1[0-2]):[0-5][0-9]:[0-5][0-9](am|pm)";
    return {.line = 8,
            .printed = {literal(last_updated_line), literal("# This file was restored on; ") + time,
                        literal(std::string("# ") + zentrel::app_title + " by " + zentrel::app_copyright)}};
}

Shape printable_ascii()
{
    return {.label = "printable 7-bit ASCII", .pattern = "[ -~]*"};
}

Shape no_outer_spaces()
{
    return {.label = "no space at either end", .pattern = "([^ ](.*[^ ])?)?"};
}

Shape no_two_spaces()
{
    return {.label = "no two spaces in a row", .pattern = ".*  .*", .forbidden = true};
}

Shape no_colour_tag()
{
    return {.label = "no colour tag", .pattern = R"(.*(\*|\[\*Red data\]|\[\*Blue data\]|\[\*Gray data\]))", .forbidden = true};
}

// ---------------------------------------------------------------------------------------
// Lines

std::string provided_text(const DataSet& set, std::int32_t n, std::string_view stored)
{
    if (stored.empty()) return std::string(set.module.module().placeholder()) + std::to_string(n) + ". ##";
    if (is_null_line(stored)) return {};
    return std::string(stored);
}

DataLines data_lines(const DataSet& set)
{
    zentrel::DefaultDataModule& module = set.module.module();
    for (int k = 1; k <= module.filler_count(); ++k) module.Fill_Block(k);
    const std::vector<std::string>& stored = module.Default_Lines();
    DataLines lines(1);
    const auto last = std::min<std::size_t>(static_cast<std::size_t>(module.line_count()), stored.size() - 1);
    for (std::size_t n = 1; n <= last; ++n) {
        lines.push_back(provided_text(set, static_cast<std::int32_t>(n), stored[n]));
        if (ends_the_data(lines.back())) break;
    }
    return lines;
}

DataLines provided_lines(const DataSet& set)
{
    zentrel::DefaultDataModule& module = set.module.module();
    DataLines lines(1);
    for (std::int32_t n = 1; n <= module.line_count(); ++n) {
        lines.push_back(module.Default_Line(n));
        if (ends_the_data(lines.back())) break;
    }
    return lines;
}

namespace {

enum class LineKind : char { unlisted, record, other, computed };

// What each line of `lines` is by the description, each other and computed line checked
// against what it must hold.
std::vector<LineKind> line_kinds(const DataSet& set, const DataLines& lines, Problems& problems)
{
    std::vector<LineKind> kinds(lines.size(), LineKind::unlisted);
    auto mark = [&](std::int32_t n, LineKind kind) {
        if (n >= 1 && static_cast<std::size_t>(n) < lines.size()) kinds[static_cast<std::size_t>(n)] = kind;
    };
    for (const LineRange& range : set.record_lines) {
        for (std::int32_t n = range.first; n <= range.last; ++n) mark(n, LineKind::record);
        if (static_cast<std::size_t>(range.last) >= lines.size()) {
            problems.push_back("lines " + std::to_string(std::max<std::size_t>(lines.size(), range.first)) + "-" +
                               std::to_string(range.last) + " of the records are missing");
        }
    }
    for (const OtherLines& other : set.other_lines) {
        for (std::int32_t n = other.lines.first; n <= other.lines.last; ++n) mark(n, LineKind::other);
    }
    for (const Computed& computed : set.computed) mark(computed.line, LineKind::computed);
    return kinds;
}

void check_other_lines(const DataSet& set, const DataLines& lines, Problems& problems)
{
    for (const OtherLines& other : set.other_lines) {
        const std::optional<Pattern> pattern =
            other.text ? std::nullopt : std::optional<Pattern>(Pattern(other.pattern));
        for (std::int32_t n = other.lines.first; n <= other.lines.last; ++n) {
            if (n < 1 || static_cast<std::size_t>(n) >= lines.size()) continue; // past the end of a restored file
            const std::string& line = lines[static_cast<std::size_t>(n)];
            if (other.text) {
                const std::string want = provided_text(set, n, *other.text);
                if (line != want) problems.push_back(at_line(n) + "expected " + quoted(want) + ", found " + quoted(line));
            } else if (!pattern->matches(line)) {
                problems.push_back(at_line(n) + quoted(line) + " does not match " + quoted(other.pattern));
            }
        }
    }
}

void check_computed_lines(const DataSet& set, const DataLines& lines, Problems& problems)
{
    for (const Computed& computed : set.computed) {
        if (computed.line < 1 || static_cast<std::size_t>(computed.line) >= lines.size()) continue;
        const std::vector<std::string_view> printed = printed_lines(lines[static_cast<std::size_t>(computed.line)]);
        expect_count(problems, at_line(computed.line) + "printed lines of the computed line",
                     static_cast<long long>(printed.size()), static_cast<int>(computed.printed.size()));
        for (std::size_t i = 0; i < printed.size() && i < computed.printed.size(); ++i) {
            if (!Pattern(computed.printed[i]).matches(printed[i])) {
                problems.push_back(at_line(computed.line) + "printed line " + std::to_string(i + 1) + " " +
                                   quoted(printed[i]) + " does not match " + quoted(computed.printed[i]));
            }
        }
    }
}

void check_quoted_lines(const DataSet& set, const DataLines& lines, Problems& problems)
{
    auto expect_line = [&](std::int32_t n, const std::string& want, const std::string& what) {
        if (n < 1 || static_cast<std::size_t>(n) >= lines.size()) {
            // Past the end of a restored file, or a quoted line that is no line at all.
            if (what.empty() || n < 1) problems.push_back(at_line(n) + what + "expected " + quoted(want) + ", found no line");
            return;
        }
        const std::string& have = lines[static_cast<std::size_t>(n)];
        if (have != want) problems.push_back(at_line(n) + what + "expected " + quoted(want) + ", found " + quoted(have));
    };
    for (const Line& line : set.quoted) expect_line(line.line, provided_text(set, line.line, line.text), "");
    for (const Block& block : set.blocks) {
        const LineRange range = block.lines.first == 0 && block.lines.last == 0 ? block_lines(block.number) : block.lines;
        const std::string what = "block " + std::to_string(block.number) + ", ";
        if (block.first_line) expect_line(range.first, provided_text(set, range.first, *block.first_line), what + "first line: ");
        if (block.last_line) expect_line(range.last, provided_text(set, range.last, *block.last_line), what + "last line: ");
    }
}

} // namespace

Problems record_problems(const DataSet& set, const DataLines& lines)
{
    Problems problems;
    const std::vector<LineKind> kinds = line_kinds(set, lines, problems);
    check_other_lines(set, lines, problems);
    check_computed_lines(set, lines, problems);
    std::vector<bool> is_record(lines.size(), false);
    int records = 0;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const auto line = static_cast<std::int32_t>(n);
        if (kinds[n] == LineKind::unlisted) {
            problems.push_back(at_line(line) + quoted(lines[n]) + " stands outside the records and is not listed");
        } else if (kinds[n] == LineKind::record) {
            if (!is_record_line(lines[n])) {
                problems.push_back(at_line(line) + "expected a record, found " + quoted(lines[n]));
            }
            is_record[n] = true;
            ++records;
        }
    }
    expect_count(problems, "records", records, set.records);
    check_quoted_lines(set, lines, problems);
    check_records(set, lines, is_record, problems);
    return problems;
}

// ---------------------------------------------------------------------------------------
// Broken copies

namespace {

// The lines, in rising order, that differ between two copies of one length.
std::vector<std::int32_t> changed_lines(const DataLines& good, const DataLines& broken)
{
    std::vector<std::int32_t> changed;
    for (std::size_t n = 1; n < broken.size(); ++n) {
        if (broken[n] != good[n]) changed.push_back(static_cast<std::int32_t>(n));
    }
    return changed;
}

// The lines that changed in a broken copy, asked whether a rule reads any of them.
class ChangedLines {
public:
    ChangedLines(std::vector<std::int32_t> changed, std::vector<LineKind> kinds)
        : changed_(std::move(changed)), kinds_(std::move(kinds))
    {
    }

    bool any_on(const LineRange& lines) const
    {
        if (lines.first == 0 && lines.last == 0) return true;
        const auto at = std::lower_bound(changed_.begin(), changed_.end(), lines.first);
        return at != changed_.end() && *at <= lines.last;
    }

    // Whether a changed line is on the lines or within `reach` records of them.
    bool any_within(const LineRange& lines, const Reach& reach) const
    {
        if (lines.first == 0 && lines.last == 0) return true;
        std::int32_t first = lines.first;
        for (int k = 0; k < reach.before; ++k) first = record_before(first);
        std::int32_t last = lines.last;
        for (int k = 0; k < reach.after; ++k) last = record_after(last);
        return any_on({first, last});
    }

private:
    bool is_record(std::size_t n) const { return n < kinds_.size() && kinds_[n] == LineKind::record; }

    std::int32_t record_before(std::int32_t line) const
    {
        const auto upper = static_cast<std::int32_t>(kinds_.size());
        auto n = static_cast<std::size_t>(std::clamp<std::int32_t>(line - 1, 1, upper));
        while (n > 1 && !is_record(n)) --n;
        return static_cast<std::int32_t>(n);
    }

    std::int32_t record_after(std::int32_t line) const
    {
        auto n = static_cast<std::size_t>(std::max<std::int32_t>(line + 1, 1));
        while (n < kinds_.size() && !is_record(n)) ++n;
        return static_cast<std::int32_t>(n);
    }

    std::vector<std::int32_t> changed_;
    std::vector<LineKind> kinds_;
};

template <typename Rule, typename Sees>
void keep_seeing(std::vector<Rule>& rules, Sees sees)
{
    rules.erase(std::remove_if(rules.begin(), rules.end(), [&](const Rule& rule) { return !sees(rule); }),
                rules.end());
}

// The set with only the record rules that read a changed line.
DataSet rules_seeing(const DataSet& set, const ChangedLines& changed)
{
    DataSet seeing = set;
    const auto by_scope = [&](const auto& rule) { return changed.any_on(rule.scope.lines); };
    keep_seeing(seeing.shapes, by_scope);
    keep_seeing(seeing.tallies, by_scope);
    keep_seeing(seeing.occurrences, by_scope);
    keep_seeing(seeing.lengths, by_scope);
    keep_seeing(seeing.values, by_scope);
    keep_seeing(seeing.repeats, by_scope);
    keep_seeing(seeing.orders, by_scope);
    keep_seeing(seeing.sequences, by_scope);
    keep_seeing(seeing.exactly, by_scope);
    keep_seeing(seeing.present, by_scope);
    // A run also reads the records just before and after its lines.
    const Reach next_records = {.before = 1, .after = 1};
    keep_seeing(seeing.runs, [&](const Run& run) { return changed.any_within(run.lines, next_records); });
    keep_seeing(seeing.blocks, [&](const Block& block) {
        return changed.any_on(block.lines.first == 0 && block.lines.last == 0 ? block_lines(block.number)
                                                                              : block.lines);
    });
    keep_seeing(seeing.hooks, [&](const Hook& hook) {
        return !hook.reach || changed.any_within(hook.scope.lines, *hook.reach);
    });
    return seeing;
}

} // namespace

Problems broken_copy_problems(const DataSet& set, const DataLines& good, const DataLines& broken)
{
    if (broken.size() != good.size()) return record_problems(set, broken);
    // The kinds' own problems are found again by record_problems().
    Problems found_again;
    const ChangedLines changed(changed_lines(good, broken), line_kinds(set, broken, found_again));
    return record_problems(rules_seeing(set, changed), broken);
}

// ---------------------------------------------------------------------------------------
// The module

namespace {

bool is_stored(const Module& module, std::int32_t n)
{
    return std::any_of(module.stored.begin(), module.stored.end(),
                       [&](const LineRange& range) { return range.first <= n && n <= range.last; });
}

void check_module_numbers(const DataSet& set, Problems& problems)
{
    zentrel::DefaultDataModule& module = set.module.module();
    const std::string count = module.Default_Line(0);
    if (set.module.line_count && count != std::to_string(*set.module.line_count)) {
        problems.push_back("line 0: expected the line count " + quoted(std::to_string(*set.module.line_count)) +
                           ", found " + quoted(count));
    }
    expect_count(problems, "upper bound", module.upper_bound(), set.module.upper_bound);
    expect_count(problems, "block fillers", module.filler_count(), set.module.fillers);
}

void check_stored_lines(const DataSet& set, Problems& problems)
{
    zentrel::DefaultDataModule& module = set.module.module();
    for (int k = 1; k <= module.filler_count(); ++k) module.Fill_Block(k);
    const std::vector<std::string>& stored = module.Default_Lines();
    const auto upper = static_cast<std::int32_t>(stored.size() - 1);
    std::int32_t first_end = 0;
    for (std::int32_t n = 1; n <= upper; ++n) {
        const std::string& text = stored[static_cast<std::size_t>(n)];
        if (first_end == 0 && ends_the_data(text)) first_end = n;
        if (!set.module.stored.empty() && !is_stored(set.module, n) && !text.empty()) {
            problems.push_back(at_line(n) + "expected nothing stored, found " + quoted(text));
        }
    }
    expect_count(problems, "the first end of the data", first_end, set.module.end_of_data);
    for (const OtherLines& other : set.other_lines) {
        const std::optional<Pattern> pattern =
            other.text ? std::nullopt : std::optional<Pattern>(Pattern(other.pattern));
        for (std::int32_t n = other.lines.first; n <= other.lines.last && n <= upper; ++n) {
            const std::string& text = stored[static_cast<std::size_t>(n)];
            if (other.text ? text != *other.text : !pattern->matches(text)) {
                problems.push_back(at_line(n) + "stored as " + quoted(text) + ", expected " +
                                   (other.text ? quoted(*other.text) : "to match " + quoted(other.pattern)));
            }
        }
    }
}

// The provider at both ends of every stretch of lines it does not store, and past its
// bounds.
void check_provider_edges(const DataSet& set, Problems& problems)
{
    zentrel::DefaultDataModule& module = set.module.module();
    const std::int32_t upper = module.upper_bound();
    if (!set.module.stored.empty()) {
        for (std::int32_t n = 1; n <= upper; ++n) {
            const bool edge = !is_stored(set.module, n) && (n == upper || is_stored(set.module, n - 1) ||
                                                            is_stored(set.module, n + 1));
            if (!edge) continue;
            const std::string line = module.Default_Line(n);
            if (line != provided_text(set, n, "")) {
                problems.push_back(at_line(n) + "expected the placeholder, found " + quoted(line));
            }
        }
    }
    for (const std::int32_t n : {std::int32_t{-1}, upper + 1}) {
        try {
            module.Default_Line(n);
            problems.push_back(at_line(n) + "expected error 9, found none");
        } catch (const platform::RuntimeError& error) {
            if (error.number() != 9) {
                problems.push_back(at_line(n) + "expected error 9, found error " + std::to_string(error.number()));
            }
        }
    }
}

} // namespace

Problems module_problems(const DataSet& set)
{
    Problems problems;
    check_module_numbers(set, problems);
    try {
        check_stored_lines(set, problems);
    } catch (const std::invalid_argument& error) {
        problems.push_back(std::string("the description cannot be checked: ") + error.what());
    }
    check_provider_edges(set, problems);
    return problems;
}

// ---------------------------------------------------------------------------------------
// The restored file

std::vector<std::string> crlf_lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find(line_end, at);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(at));
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + line_end.size();
    }
    return lines;
}

DataLines file_elements(const std::string& bytes, const DataLines& provided)
{
    const std::vector<std::string> lines = crlf_lines(bytes);
    DataLines elements(1);
    std::size_t next = 0;
    for (std::size_t n = 1; n < provided.size() && next < lines.size(); ++n) {
        if (ends_the_data(provided[n])) break;
        std::string element = lines[next++];
        for (std::size_t from = provided[n].find(line_end); from != std::string::npos && next < lines.size();
             from = provided[n].find(line_end, from + line_end.size())) {
            element += std::string(line_end) + lines[next++];
        }
        elements.push_back(std::move(element));
    }
    return elements;
}

namespace {

void check_file_bytes(const DataSet& set, const std::string& bytes, Problems& problems)
{
    expect_count(problems, "bytes in the restored file", static_cast<long long>(bytes.size()), set.restored.bytes);
    long long lines = 0;
    for (std::size_t at = bytes.find(line_end); at != std::string::npos; at = bytes.find(line_end, at + 2)) ++lines;
    expect_count(problems, "lines in the restored file", lines, set.restored.lines);
    if (!bytes.empty() && !bytes.ends_with(line_end)) problems.push_back("the restored file does not end with CR LF");
    const long long bare_ends =
        std::count(bytes.begin(), bytes.end(), '\r') + std::count(bytes.begin(), bytes.end(), '\n') - 2 * lines;
    expect_count(problems, "lone CR or LF in the restored file", bare_ends, 0);
}

void check_file_lines(const DataSet& set, const std::string& bytes, Problems& problems)
{
    if (set.restored.lines_at.empty()) return;
    const std::vector<std::string> lines = crlf_lines(bytes);
    for (const Line& line : set.restored.lines_at) {
        const auto n = static_cast<std::size_t>(line.line);
        const std::string what = "file line " + std::to_string(line.line) + ": expected " + quoted(line.text);
        if (n < 1 || n > lines.size()) {
            problems.push_back(what + ", found no line");
        } else if (lines[n - 1] != line.text) {
            problems.push_back(what + ", found " + quoted(lines[n - 1]));
        }
    }
}

bool is_computed(const DataSet& set, std::size_t n)
{
    return std::any_of(set.computed.begin(), set.computed.end(),
                       [&](const Computed& computed) { return static_cast<std::size_t>(computed.line) == n; });
}

} // namespace

Problems restored_file_problems(const DataSet& set, const std::string& bytes)
{
    Problems problems;
    check_file_bytes(set, bytes, problems);
    check_file_lines(set, bytes, problems);
    const DataLines data = data_lines(set);
    const DataLines elements = file_elements(bytes, data);
    const std::size_t written = data.size() - (data.size() > 1 && ends_the_data(data.back()) ? 2 : 1);
    expect_count(problems, "lines of the data in the restored file", static_cast<long long>(elements.size() - 1),
                 static_cast<int>(written));
    for (std::size_t n = 1; n < elements.size(); ++n) {
        // A computed line carries the moment of its restore: its form is a record rule.
        if (!is_computed(set, n) && elements[n] != data[n]) {
            problems.push_back(at_line(static_cast<std::int32_t>(n)) + "the file holds " + quoted(elements[n]) +
                               ", the data " + quoted(data[n]));
        }
    }
    const Problems of_records = record_problems(set, elements);
    problems.insert(problems.end(), of_records.begin(), of_records.end());
    return problems;
}

// ---------------------------------------------------------------------------------------
// Reporting

std::string listed(const Problems& problems)
{
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < problems_shown; ++i) text += "  " + problems[i] + "\n";
    if (problems.size() > problems_shown) {
        text += "  ... and " + std::to_string(problems.size() - problems_shown) + " more\n";
    }
    return text;
}

void PrintTo(const DataSet& set, std::ostream* out)
{
    *out << set.label;
}

bool mentions(const Problems& problems, std::string_view words)
{
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& problem) { return problem.find(words) != std::string::npos; });
}

} // namespace testing_support
