#include "tests/support/data_checker_rules.h"

#include "tests/support/data_pattern.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <unordered_map>

namespace testing_support {

// ---------------------------------------------------------------------------------------
// The records as the rules and hooks see them

RecordList::RecordList(const Fields& fields, std::vector<Record> records)
    : fields_(fields), records_(std::move(records))
{
}

std::size_t RecordList::field_index(std::string_view name) const
{
    if (name.empty()) name = fields_.key;
    for (std::size_t i = 0; i < fields_.names.size(); ++i) {
        if (fields_.names[i] == name) return i;
    }
    if (name == field_line) return fields_.names.size();
    if (name == field_trimmed) return fields_.names.size() + 1;
    throw std::invalid_argument("no field named " + checker_detail::quoted(name));
}

std::string_view RecordList::field(std::size_t index, std::string_view name) const
{
    return records_[index].fields[field_index(name)];
}

namespace checker_detail {

namespace {

// ---------------------------------------------------------------------------------------
// Scopes and the compiled patterns they share

class Patterns {
public:
    const Pattern& operator[](const std::string& expression)
    {
        auto found = compiled_.find(expression);
        if (found == compiled_.end()) found = compiled_.emplace(expression, Pattern(expression)).first;
        return found->second;
    }

private:
    std::map<std::string, Pattern, std::less<>> compiled_;
};

struct Context {
    const RecordList& records;
    Patterns& patterns;
};

class ScopeTest {
public:
    ScopeTest(const Scope& scope, Context& context) : lines_(scope.lines)
    {
        if (scope.where.pattern.empty()) return;
        field_ = context.records.field_index(scope.where.field);
        pattern_ = &context.patterns[scope.where.pattern];
        description_ = " where " + scope.where.field + " is " + quoted(scope.where.pattern);
    }

    bool contains(const Record& record) const
    {
        return in_range(lines_, record.line) && (pattern_ == nullptr || pattern_->matches(record.fields[field_]));
    }

    // " on lines 98-549 where key is "1...""; empty for every record.
    std::string description() const
    {
        std::string text;
        if (lines_.first != 0 || lines_.last != 0) {
            text = " on lines " + std::to_string(lines_.first) + "-" + std::to_string(lines_.last);
        }
        return text + description_;
    }

private:
    LineRange lines_;
    std::size_t field_ = 0;
    const Pattern* pattern_ = nullptr;
    std::string description_;
};

// The name a rule goes by in a problem: its label, or what it counts and where.
std::string rule_name(const std::string& label, const std::string& what, const ScopeTest& scope)
{
    return label.empty() ? what + scope.description() : label;
}

std::string field_name(const std::string& field)
{
    return field.empty() ? "key" : field;
}

class RecordRule {
public:
    explicit RecordRule(ScopeTest scope) : scope_(std::move(scope)) {}
    virtual ~RecordRule() = default;
    RecordRule(const RecordRule&) = delete;
    RecordRule& operator=(const RecordRule&) = delete;

    bool in_scope(const Record& record) const { return scope_.contains(record); }
    virtual void visit(const RecordList& records, std::size_t index, Problems& problems) = 0;
    virtual void finish(const RecordList& records, Problems& problems) = 0;

protected:
    const ScopeTest& scope() const { return scope_; }

private:
    ScopeTest scope_;
};

using Rules = std::vector<std::unique_ptr<RecordRule>>;

// ---------------------------------------------------------------------------------------
// Shapes, tallies, occurrences and lengths

// Records a rule states to be exceptions (shapes) or breaks (orders), by line or quoted
// without one; each must be found among the records in scope.
class StatedRecords {
public:
    StatedRecords(const std::vector<std::int32_t>& lines, const std::vector<std::string>& records)
        : lines_(lines.begin(), lines.end()), records_(records.begin(), records.end())
    {
    }

    // Whether the record is one of them; it then counts as found.
    bool take(const Record& record)
    {
        const bool by_line = lines_.erase(record.line) > 0;
        const bool by_record = records_.contains(record.text);
        if (by_record) found_.insert(std::string(record.text));
        return by_line || by_record;
    }

    // What was stated and never found, as "the stated exception" or "the stated break".
    void report_missing(const std::string& name, const std::string& what, const std::string& where,
                        Problems& problems) const
    {
        for (const std::int32_t line : lines_) {
            problems.push_back(at_line(line) + name + ": " + what + " is not " + where);
        }
        for (const std::string& record : records_) {
            if (!found_.contains(record)) {
                problems.push_back(name + ": " + what + " " + quoted(record) + " is not among the records");
            }
        }
    }

private:
    std::set<std::int32_t> lines_;
    std::set<std::string, std::less<>> records_;
    std::set<std::string, std::less<>> found_;
};

class ShapeRule final : public RecordRule {
public:
    ShapeRule(const Shape& shape, Context& context)
        : RecordRule(ScopeTest(shape.scope, context)),
          name_(rule_name(shape.label, "shape of " + field_name(shape.field), scope())),
          field_(context.records.field_index(shape.field)),
          pattern_(context.patterns[shape.pattern]),
          forbidden_(shape.forbidden),
          exceptions_(shape.exception_lines, shape.exception_records)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems& problems) override
    {
        const Record& record = records[index];
        const std::string_view text = record.fields[field_];
        const bool meets = pattern_.matches(text) != forbidden_;
        if (exceptions_.take(record)) {
            if (meets) problems.push_back(at_line(record.line) + name_ + ": " + quoted(text) +
                                          " is a stated exception but meets the rule");
            return;
        }
        if (!meets) {
            problems.push_back(at_line(record.line) + name_ + ": " + quoted(text) +
                               (forbidden_ ? " matches the forbidden " : " does not match ") +
                               quoted(pattern_.expression()));
        }
    }

    void finish(const RecordList&, Problems& problems) override
    {
        exceptions_.report_missing(name_, "the stated exception", "a record in scope", problems);
    }

private:
    std::string name_;
    std::size_t field_;
    const Pattern& pattern_;
    bool forbidden_;
    StatedRecords exceptions_;
};

class TallyRule final : public RecordRule {
public:
    TallyRule(const Tally& tally, Context& context)
        : RecordRule(ScopeTest(tally.scope, context)),
          name_(rule_name(tally.label, "records", scope())),
          records_(tally.records)
    {
    }

    void visit(const RecordList&, std::size_t, Problems&) override { ++found_; }
    void finish(const RecordList&, Problems& problems) override { expect_count(problems, name_, found_, records_); }

private:
    std::string name_;
    Count records_;
    int found_ = 0;
};

class OccurrencesRule final : public RecordRule {
public:
    OccurrencesRule(const Occurrences& rule, Context& context)
        : RecordRule(ScopeTest(rule.scope, context)),
          name_(rule_name(rule.label, quoted(rule.text) + " in " + field_name(rule.field), scope())),
          field_(context.records.field_index(rule.field)),
          rule_(rule)
    {
        if (rule.text.empty()) throw std::invalid_argument(name_ + ": no text to count");
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        const std::string_view text = records[index].fields[field_];
        int here = 0;
        for (std::size_t at = text.find(rule_.text); at != std::string_view::npos;
             at = text.find(rule_.text, at + rule_.text.size())) {
            ++here;
        }
        records_ += here > 0 ? 1 : 0;
        times_ += here;
    }

    void finish(const RecordList&, Problems& problems) override
    {
        expect_count(problems, name_ + ", records", records_, rule_.records);
        expect_count(problems, name_ + ", times", times_, rule_.times);
    }

private:
    std::string name_;
    std::size_t field_;
    const Occurrences& rule_;
    int records_ = 0;
    int times_ = 0;
};

class LengthsRule final : public RecordRule {
public:
    LengthsRule(const Lengths& rule, Context& context)
        : RecordRule(ScopeTest(rule.scope, context)),
          name_("lengths of " + field_name(rule.field) + scope().description()),
          field_(context.records.field_index(rule.field)),
          rule_(rule)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        ++found_[records[index].fields[field_].size()];
    }

    void finish(const RecordList&, Problems& problems) override
    {
        if (found_.empty()) {
            if (rule_.min || rule_.max) problems.push_back(name_ + ": no record in scope");
            return;
        }
        const auto& [shortest, at_min] = *found_.begin();
        const auto& [longest, at_max] = *found_.rbegin();
        expect_count(problems, name_ + ", shortest", static_cast<long long>(shortest), rule_.min);
        expect_count(problems, name_ + ", longest", static_cast<long long>(longest), rule_.max);
        expect_count(problems, name_ + ", records of the shortest", at_min, rule_.at_min);
        expect_count(problems, name_ + ", records of the longest", at_max, rule_.at_max);
        std::set<std::size_t> listed;
        for (const LengthCount& each : rule_.each) {
            listed.insert(each.length);
            const auto found = found_.find(each.length);
            expect_count(problems, name_ + ", records of length " + std::to_string(each.length),
                         found == found_.end() ? 0 : found->second, each.records);
        }
        if (!rule_.each_complete) return;
        for (const auto& [length, records] : found_) {
            if (!listed.contains(length)) {
                problems.push_back(name_ + ": " + std::to_string(records) + " records of length " +
                                   std::to_string(length) + ", a length not listed");
            }
        }
    }

private:
    std::string name_;
    std::size_t field_;
    const Lengths& rule_;
    std::map<std::size_t, int> found_;
};

// ---------------------------------------------------------------------------------------
// Values and repeats

class ValuesRule final : public RecordRule {
public:
    ValuesRule(const Values& rule, Context& context)
        : RecordRule(ScopeTest(rule.scope, context)),
          name_(rule_name(rule.label, "values of " + field_name(rule.field), scope())),
          field_(context.records.field_index(rule.field)),
          rule_(rule)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        const Record& record = records[index];
        Seen& seen = found_[record.fields[field_]];
        if (seen.records++ == 0) {
            seen.first_line = record.line;
            appearance_.push_back(record.fields[field_]);
        }
    }

    void finish(const RecordList&, Problems& problems) override
    {
        std::set<std::string_view> listed;
        for (const ValueCount& value : rule_.counts) {
            listed.insert(value.value);
            const auto found = found_.find(value.value);
            const Seen seen = found == found_.end() ? Seen{} : found->second;
            const std::string what = name_ + ", " + quoted(value.value);
            expect_count(problems, what + ", records", seen.records, value.records);
            if (value.first_line != 0) expect_count(problems, what + ", first line", seen.first_line, value.first_line);
        }
        if (rule_.complete) {
            for (const std::string_view value : appearance_) {
                if (!listed.contains(value)) {
                    problems.push_back(at_line(found_[value].first_line) + name_ + ": " + quoted(value) +
                                       " is not one of the values listed");
                }
            }
        }
        if (rule_.in_order_of_first_appearance) check_appearance(listed, problems);
        if (rule_.others_fewer_than) check_others_fewer(listed, *rule_.others_fewer_than, problems);
    }

private:
    struct Seen {
        int records = 0;
        std::int32_t first_line = 0;
    };

    void check_others_fewer(const std::set<std::string_view>& listed, int limit, Problems& problems)
    {
        for (const std::string_view value : appearance_) {
            const Seen& seen = found_[value];
            if (!listed.contains(value) && seen.records >= limit) {
                problems.push_back(at_line(seen.first_line) + name_ + ": " + quoted(value) + " stands in " +
                                   std::to_string(seen.records) + " records, where a value not listed has fewer than " +
                                   std::to_string(limit));
            }
        }
    }

    void check_appearance(const std::set<std::string_view>& listed, Problems& problems)
    {
        std::size_t next = 0;
        for (const std::string_view value : appearance_) {
            if (!listed.contains(value)) continue;
            if (next < rule_.counts.size() && value != rule_.counts[next].value) {
                problems.push_back(at_line(found_[value].first_line) + name_ + ": " + quoted(value) +
                                   " appears where " + quoted(rule_.counts[next].value) + " was to appear first");
                return;
            }
            ++next;
        }
    }

    std::string name_;
    std::size_t field_;
    const Values& rule_;
    std::unordered_map<std::string_view, Seen> found_;
    std::vector<std::string_view> appearance_;
};

class RepeatsRule final : public RecordRule {
public:
    RepeatsRule(const Repeats& rule, Context& context)
        : RecordRule(ScopeTest(rule.scope, context)),
          name_(rule_name(rule.label, "repeats of " + field_name(rule.field), scope())),
          field_(context.records.field_index(rule.field)),
          rule_(rule)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        const Record& record = records[index];
        const std::string_view value = record.fields[field_];
        Seen& seen = found_[value];
        if (seen.records == 0) {
            seen.first_line = record.line;
            order_.push_back(value);
        } else {
            if (seen.last_position + 1 != position_) seen.apart_at = seen.apart_at ? seen.apart_at : record.line;
            if (seen.records == 1) seen.second_line = record.line;
        }
        ++seen.records;
        seen.last_position = position_++;
    }

    void finish(const RecordList&, Problems& problems) override
    {
        int repeated = 0;
        int records_repeated = 0;
        int most = 0;
        for (const auto& [value, seen] : found_) {
            repeated += seen.records > 1 ? 1 : 0;
            records_repeated += seen.records > 1 ? seen.records : 0;
            most = std::max(most, seen.records);
        }
        expect_count(problems, name_ + ", different values", static_cast<long long>(found_.size()), rule_.distinct);
        expect_count(problems, name_ + ", values that stand more than once", repeated, rule_.repeated);
        expect_count(problems, name_ + ", records of those values", records_repeated, rule_.records_repeated);
        expect_count(problems, name_ + ", the most records of one value", most, rule_.most);
        if (!rule_.most_values.empty()) check_most(most, problems);
        check_times(problems);
        if (rule_.apart) check_apart(problems);
        if (rule_.no_two_alike) {
            for (const std::string_view value : order_) {
                const Seen& seen = found_[value];
                if (seen.records > 1) {
                    problems.push_back(at_line(seen.second_line) + name_ + ": " + quoted(value) + " stands " +
                                       std::to_string(seen.records) + " times, first on line " +
                                       std::to_string(seen.first_line) + "; no two may be alike");
                }
            }
        }
    }

private:
    struct Seen {
        int records = 0;
        std::int32_t first_line = 0;
        std::int32_t second_line = 0;
        std::int32_t apart_at = 0;
        std::size_t last_position = 0;
    };

    static std::string joined(const std::vector<std::string>& values)
    {
        std::string text;
        for (const std::string& value : values) text += (text.empty() ? "" : ", ") + quoted(value);
        return text.empty() ? "none" : text;
    }

    void check_most(int most, Problems& problems)
    {
        std::vector<std::string> found;
        for (const std::string_view value : order_) {
            if (found_[value].records == most) found.emplace_back(value);
        }
        std::vector<std::string> expected = rule_.most_values;
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        if (found != expected) {
            problems.push_back(name_ + ", the values with the most records: expected " + joined(expected) +
                               ", found " + joined(found));
        }
    }

    void check_times(Problems& problems)
    {
        std::set<std::string_view> listed;
        for (const ValueCount& value : rule_.times) {
            listed.insert(value.value);
            const auto found = found_.find(value.value);
            expect_count(problems, name_ + ", records of " + quoted(value.value),
                         found == found_.end() ? 0 : found->second.records, value.records);
        }
        if (!rule_.others_once) return;
        for (const std::string_view value : order_) {
            const Seen& seen = found_[value];
            if (seen.records > 1 && !listed.contains(value)) {
                problems.push_back(at_line(seen.second_line) + name_ + ": " + quoted(value) + " stands " +
                                   std::to_string(seen.records) + " times, first on line " +
                                   std::to_string(seen.first_line) + ", and is not listed as repeated");
            }
        }
    }

    void check_apart(Problems& problems)
    {
        const std::set<std::string_view> stated(rule_.apart->begin(), rule_.apart->end());
        for (const std::string_view value : stated) {
            const auto found = found_.find(value);
            if (found == found_.end() || found->second.apart_at == 0) {
                problems.push_back(name_ + ": the records of " + quoted(value) +
                                   " were to stand apart, but they stand side by side");
            }
        }
        for (const std::string_view value : order_) {
            const Seen& seen = found_[value];
            if (seen.apart_at != 0 && !stated.contains(value)) {
                problems.push_back(at_line(seen.apart_at) + name_ + ": " + quoted(value) +
                                   " stands again apart from its records before (first on line " +
                                   std::to_string(seen.first_line) + ")");
            }
        }
    }

    std::string name_;
    std::size_t field_;
    const Repeats& rule_;
    std::unordered_map<std::string_view, Seen> found_;
    std::vector<std::string_view> order_;
    std::size_t position_ = 0;
};

// ---------------------------------------------------------------------------------------
// Orders

// A text as a collation reads it: read-as texts replaced, ignored characters dropped,
// letters in one case where case does not count.
std::string collated(std::string_view text, const Collation& collation)
{
    std::string read(text);
    for (const auto& [from, to] : collation.read_as) {
        if (from.empty()) continue;
        for (std::size_t at = read.find(from); at != std::string::npos; at = read.find(from, at + to.size())) {
            read.replace(at, from.size(), to);
        }
    }
    std::string result;
    result.reserve(read.size());
    for (const char c : read) {
        if (collation.ignored.find(c) != std::string::npos) continue;
        result.push_back(collation.ignore_case && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return result;
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Compares by character codes, or with runs of digits by their value.
int compare_collated(std::string_view a, std::string_view b, bool numbers_by_value)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (numbers_by_value && is_digit(a[i]) && is_digit(b[j])) {
            std::size_t end_a = i;
            std::size_t end_b = j;
            while (end_a < a.size() && is_digit(a[end_a])) ++end_a;
            while (end_b < b.size() && is_digit(b[end_b])) ++end_b;
            std::string_view digits_a = a.substr(i, end_a - i);
            std::string_view digits_b = b.substr(j, end_b - j);
            while (digits_a.size() > 1 && digits_a.front() == '0') digits_a.remove_prefix(1);
            while (digits_b.size() > 1 && digits_b.front() == '0') digits_b.remove_prefix(1);
            if (digits_a.size() != digits_b.size()) return digits_a.size() < digits_b.size() ? -1 : 1;
            if (const int c = digits_a.compare(digits_b); c != 0) return c < 0 ? -1 : 1;
            i = end_a;
            j = end_b;
            continue;
        }
        const auto ca = static_cast<unsigned char>(a[i++]);
        const auto cb = static_cast<unsigned char>(b[j++]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}

enum class Placing { ascending, equal, descending };

// How one compared field places two neighbours: ascending when any collation puts them
// in ascending order, equal when none does but one finds them equal.
class FieldOrder {
public:
    FieldOrder(std::size_t field, const std::vector<Collation>& collations) : field_(field), collations_(collations)
    {
        if (collations_.empty()) collations_.emplace_back();
    }

    std::vector<std::string> keys(const Record& record) const
    {
        std::vector<std::string> keys;
        for (const Collation& collation : collations_) keys.push_back(collated(record.fields[field_], collation));
        return keys;
    }

    Placing placing(const std::vector<std::string>& before, const std::vector<std::string>& after) const
    {
        bool equal = false;
        for (std::size_t i = 0; i < collations_.size(); ++i) {
            const int c = compare_collated(before[i], after[i], collations_[i].numbers_by_value);
            if (c < 0) return Placing::ascending;
            equal = equal || c == 0;
        }
        return equal ? Placing::equal : Placing::descending;
    }

private:
    std::size_t field_;
    std::vector<Collation> collations_;
};

class OrderRule final : public RecordRule {
public:
    OrderRule(const Order& order, Context& context)
        : RecordRule(ScopeTest(order.scope, context)),
          name_(rule_name(order.label, "order of " + field_name(order.field), scope())),
          first_(context.records.field_index(order.field), order.collations),
          strict_(order.strict),
          breaks_(order.breaks, order.break_records)
    {
        if (!order.then_field.empty()) {
            then_.emplace(context.records.field_index(order.then_field), order.then_collations);
        }
    }

    void visit(const RecordList& records, std::size_t index, Problems& problems) override
    {
        const Record& record = records[index];
        Keys keys{first_.keys(record), then_ ? then_->keys(record) : std::vector<std::string>{}};
        if (previous_) place(records, index, keys, problems);
        previous_ = index;
        previous_keys_ = std::move(keys);
    }

    void finish(const RecordList&, Problems& problems) override
    {
        breaks_.report_missing(name_, "the stated break", "a record in scope after another", problems);
    }

private:
    struct Keys {
        std::vector<std::string> first;
        std::vector<std::string> then;
    };

    Placing placing(const Keys& before, const Keys& after) const
    {
        const Placing placing = first_.placing(before.first, after.first);
        if (placing != Placing::equal || !then_) return placing;
        return then_->placing(before.then, after.then);
    }

    void place(const RecordList& records, std::size_t index, const Keys& keys, Problems& problems)
    {
        const Record& record = records[index];
        const Record& before = records[*previous_];
        const Placing placing_now = placing(previous_keys_, keys);
        const bool stated_break = breaks_.take(record);
        const std::string after = " (line " + std::to_string(before.line) + ")";
        if (stated_break) {
            if (placing_now != Placing::descending) {
                problems.push_back(at_line(record.line) + name_ + ": " + quoted(record.text) +
                                   " was stated to stand out of order, but follows " + quoted(before.text) + after);
            }
        } else if (placing_now == Placing::descending) {
            problems.push_back(at_line(record.line) + name_ + ": " + quoted(record.text) + " stands below " +
                               quoted(before.text) + after);
        } else if (placing_now == Placing::equal && strict_) {
            problems.push_back(at_line(record.line) + name_ + ": " + quoted(record.text) + " is equal to " +
                               quoted(before.text) + after + " in a strict order");
        }
    }

    std::string name_;
    FieldOrder first_;
    std::optional<FieldOrder> then_;
    bool strict_;
    StatedRecords breaks_;
    std::optional<std::size_t> previous_;
    Keys previous_keys_;
};

// ---------------------------------------------------------------------------------------
// Sequences, runs and blocks

std::string listed_stretches(const std::vector<Stretch>& stretches)
{
    std::string text;
    for (const Stretch& stretch : stretches) {
        text += (text.empty() ? "" : ", ") + stretch.value + " " + std::to_string(stretch.records);
    }
    return text.empty() ? "none" : text;
}

bool same_stretches(const std::vector<Stretch>& a, const std::vector<Stretch>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Stretch& x, const Stretch& y) {
        return x.value == y.value && x.records == y.records;
    });
}

// Runs of one value of a field over consecutive records in scope.
class Stretches {
public:
    void add(std::string_view value)
    {
        if (found_.empty() || found_.back().value != value) found_.push_back({std::string(value), 0});
        ++found_.back().records;
    }

    const std::vector<Stretch>& found() const { return found_; }

    void check(const std::string& name, const std::vector<Stretch>& expected, Problems& problems) const
    {
        if (!expected.empty() && !same_stretches(found_, expected)) {
            problems.push_back(name + ": expected " + listed_stretches(expected) + ", found " +
                               listed_stretches(found_));
        }
    }

private:
    std::vector<Stretch> found_;
};

class SequenceRule final : public RecordRule {
public:
    SequenceRule(const Sequence& rule, Context& context)
        : RecordRule(ScopeTest(rule.scope, context)),
          name_(rule_name(rule.label, "runs of " + field_name(rule.field), scope())),
          field_(context.records.field_index(rule.field)),
          rule_(rule)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        stretches_.add(records[index].fields[field_]);
    }

    void finish(const RecordList&, Problems& problems) override
    {
        expect_count(problems, name_ + ", runs", static_cast<long long>(stretches_.found().size()), rule_.runs);
        stretches_.check(name_, rule_.stretches, problems);
    }

private:
    std::string name_;
    std::size_t field_;
    const Sequence& rule_;
    Stretches stretches_;
};

// Checks the first or last record of a stretch of records against a quoted text.
void expect_text(Problems& problems, const std::string& what, const Record* record,
                 const std::optional<std::string>& expected, std::string_view found)
{
    if (!expected || (record != nullptr && found == *expected)) return;
    problems.push_back((record ? at_line(record->line) : std::string()) + what + ": expected " + quoted(*expected) +
                       ", found " + (record ? quoted(found) : "no record"));
}

class RunRule final : public RecordRule {
public:
    RunRule(const Run& run, Context& context)
        : RecordRule(ScopeTest(Scope{.lines = run.lines, .where = {}}, context)),
          name_("the run of " + field_name(run.field) + " " + quoted(run.value) + " on lines " +
                std::to_string(run.lines.first) + "-" + std::to_string(run.lines.last)),
          field_(context.records.field_index(run.field)),
          key_(context.records.field_index("")),
          run_(run)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems& problems) override
    {
        const Record& record = records[index];
        if (!first_) first_ = index;
        last_ = index;
        ++records_;
        if (record.fields[field_] != run_.value) {
            problems.push_back(at_line(record.line) + name_ + ": " + quoted(record.text) + " has " +
                               field_name(run_.field) + " " + quoted(record.fields[field_]));
        }
    }

    void finish(const RecordList& records, Problems& problems) override
    {
        expect_count(problems, name_ + ", records", records_, run_.records);
        const Record* first = first_ ? &records[*first_] : nullptr;
        const Record* last = first_ ? &records[last_] : nullptr;
        expect_text(problems, name_ + ", first key", first, run_.first_key, first ? first->fields[key_] : "");
        expect_text(problems, name_ + ", last key", last, run_.last_key, last ? last->fields[key_] : "");
        expect_text(problems, name_ + ", first record", first, run_.first_record, first ? first->text : "");
        expect_text(problems, name_ + ", last record", last, run_.last_record, last ? last->text : "");
        if (!first_) {
            problems.push_back(name_ + ": no record");
            return;
        }
        if (!run_.goes_on_before && *first_ > 0) check_neighbour(records[*first_ - 1], "before", problems);
        if (!run_.goes_on_after && last_ + 1 < records.size()) check_neighbour(records[last_ + 1], "after", problems);
    }

private:
    void check_neighbour(const Record& neighbour, const char* where, Problems& problems) const
    {
        if (neighbour.fields[field_] == run_.value) {
            problems.push_back(at_line(neighbour.line) + name_ + ": the run goes on " + where + " its lines with " +
                               quoted(neighbour.text));
        }
    }

    std::string name_;
    std::size_t field_;
    std::size_t key_;
    const Run& run_;
    std::optional<std::size_t> first_;
    std::size_t last_ = 0;
    int records_ = 0;
};

LineRange lines_of(const Block& block)
{
    return block.lines.first == 0 && block.lines.last == 0 ? block_lines(block.number) : block.lines;
}

class BlockRule final : public RecordRule {
public:
    BlockRule(const Block& block, Context& context)
        : RecordRule(ScopeTest(Scope{.lines = lines_of(block), .where = {}}, context)),
          name_("block " + std::to_string(block.number)),
          field_(context.records.field_index(block.field)),
          block_(block)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        if (!first_) first_ = index;
        last_ = index;
        ++records_;
        stretches_.add(records[index].fields[field_]);
    }

    void finish(const RecordList& records, Problems& problems) override
    {
        expect_count(problems, name_ + ", records", records_, block_.records);
        const Record* first = first_ ? &records[*first_] : nullptr;
        const Record* last = first_ ? &records[last_] : nullptr;
        expect_text(problems, name_ + ", first record", first, block_.first_record, first ? first->text : "");
        expect_text(problems, name_ + ", last record", last, block_.last_record, last ? last->text : "");
        stretches_.check(name_ + ", records by " + field_name(block_.field), block_.sequence, problems);
    }

private:
    std::string name_;
    std::size_t field_;
    const Block& block_;
    std::optional<std::size_t> first_;
    std::size_t last_ = 0;
    int records_ = 0;
    Stretches stretches_;
};

// ---------------------------------------------------------------------------------------
// Quoted records and hooks

class ExactlyRule final : public RecordRule {
public:
    ExactlyRule(const Exactly& rule, Context& context)
        : RecordRule(ScopeTest(rule.scope, context)),
          name_(rule_name(rule.label, "the values of " + field_name(rule.field), scope())),
          field_(context.records.field_index(rule.field)),
          rule_(rule)
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        found_.push_back({records[index].line, records[index].fields[field_]});
    }

    void finish(const RecordList&, Problems& problems) override
    {
        expect_count(problems, name_ + ", number", static_cast<long long>(found_.size()),
                     static_cast<int>(rule_.values.size()));
        if (rule_.in_order) {
            check_in_order(problems);
        } else {
            check_as_a_set(problems);
        }
    }

private:
    struct Found {
        std::int32_t line = 0;
        std::string_view value;
    };

    void check_in_order(Problems& problems) const
    {
        for (std::size_t i = 0; i < found_.size() && i < rule_.values.size(); ++i) {
            if (found_[i].value != rule_.values[i]) {
                problems.push_back(at_line(found_[i].line) + name_ + ": expected " + quoted(rule_.values[i]) +
                                   ", found " + quoted(found_[i].value));
                return;
            }
        }
    }

    void check_as_a_set(Problems& problems) const
    {
        std::multiset<std::string_view> expected(rule_.values.begin(), rule_.values.end());
        for (const Found& found : found_) {
            const auto at = expected.find(found.value);
            if (at == expected.end()) {
                problems.push_back(at_line(found.line) + name_ + ": " + quoted(found.value) + " is not one of them");
            } else {
                expected.erase(at);
            }
        }
        for (const std::string_view missing : expected) {
            problems.push_back(name_ + ": " + quoted(missing) + " is missing");
        }
    }

    std::string name_;
    std::size_t field_;
    const Exactly& rule_;
    std::vector<Found> found_;
};

class PresentRule final : public RecordRule {
public:
    PresentRule(const Present& rule, Context& context)
        : RecordRule(ScopeTest(rule.scope, context)),
          name_("records of " + field_name(rule.field) + scope().description()),
          field_(context.records.field_index(rule.field)),
          missing_(rule.values.begin(), rule.values.end())
    {
    }

    void visit(const RecordList& records, std::size_t index, Problems&) override
    {
        if (missing_.empty()) return;
        const auto found = missing_.find(records[index].fields[field_]);
        if (found != missing_.end()) missing_.erase(found);
    }

    void finish(const RecordList&, Problems& problems) override
    {
        for (const std::string& value : missing_) problems.push_back(name_ + ": " + quoted(value) + " is missing");
    }

private:
    std::string name_;
    std::size_t field_;
    std::set<std::string, std::less<>> missing_;
};

class HookRule final : public RecordRule {
public:
    HookRule(const Hook& hook, Context& context)
        : RecordRule(ScopeTest(hook.scope, context)), name_(hook.name + scope().description()), hook_(hook)
    {
        if (!hook.holds) throw std::invalid_argument(name_ + ": the hook has no predicate");
    }

    void visit(const RecordList& records, std::size_t index, Problems& problems) override
    {
        ++records_;
        if (hook_.holds(records, index)) {
            ++holding_;
        } else if (!hook_.holding) {
            problems.push_back(at_line(records[index].line) + name_ + ": does not hold for " +
                               quoted(records[index].text));
        }
    }

    void finish(const RecordList&, Problems& problems) override
    {
        expect_count(problems, name_ + ", records", records_, hook_.records);
        expect_count(problems, name_ + ", records it holds for", holding_, hook_.holding);
    }

private:
    std::string name_;
    const Hook& hook_;
    int records_ = 0;
    int holding_ = 0;
};

// ---------------------------------------------------------------------------------------
// The pass

template <typename RuleType, typename Description>
void add_rules(Rules& rules, const std::vector<Description>& descriptions, Context& context)
{
    for (const Description& description : descriptions) {
        rules.push_back(std::make_unique<RuleType>(description, context));
    }
}

Rules rules_of(const DataSet& set, Context& context)
{
    Rules rules;
    add_rules<ShapeRule>(rules, set.shapes, context);
    add_rules<TallyRule>(rules, set.tallies, context);
    add_rules<OccurrencesRule>(rules, set.occurrences, context);
    add_rules<LengthsRule>(rules, set.lengths, context);
    add_rules<ValuesRule>(rules, set.values, context);
    add_rules<RepeatsRule>(rules, set.repeats, context);
    add_rules<OrderRule>(rules, set.orders, context);
    add_rules<SequenceRule>(rules, set.sequences, context);
    add_rules<RunRule>(rules, set.runs, context);
    add_rules<BlockRule>(rules, set.blocks, context);
    add_rules<ExactlyRule>(rules, set.exactly, context);
    add_rules<PresentRule>(rules, set.present, context);
    add_rules<HookRule>(rules, set.hooks, context);
    return rules;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<Record> split_records(const Fields& fields, const DataLines& lines, const std::vector<bool>& is_record)
{
    if (!fields.split) throw std::invalid_argument("the fields have no split");
    std::vector<Record> records;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        if (!is_record[n]) continue;
        Record record{.line = static_cast<std::int32_t>(n), .text = lines[n], .fields = {}};
        record.fields.resize(fields.names.size());
        fields.split(record.text, record.fields);
        record.fields.resize(fields.names.size());
        record.fields.push_back(record.text);
        record.fields.push_back(trimmed(record.text));
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace

void check_records(const DataSet& set, const DataLines& lines, const std::vector<bool>& is_record, Problems& problems)
{
    try {
        const RecordList records(set.fields, split_records(set.fields, lines, is_record));
        Patterns patterns;
        Context context{records, patterns};
        const Rules rules = rules_of(set, context);
        for (std::size_t index = 0; index < records.size(); ++index) {
            for (const auto& rule : rules) {
                if (rule->in_scope(records[index])) rule->visit(records, index, problems);
            }
        }
        for (const auto& rule : rules) rule->finish(records, problems);
    } catch (const std::invalid_argument& error) {
        problems.push_back(std::string("the description cannot be checked: ") + error.what());
    }
}

} // namespace checker_detail

} // namespace testing_support
