#pragma once
// The search's scan as it was first written, kept as the reference that a faster scan
// must agree with: every line read through the reader, its kind and its split by
// searches for sets of characters, the colour tag by comparisons at the name's end, and
// the field matched against the whole pattern. Gives the rows a search lists and the
// progress before every line.
#include "core/category.h"
#include "search_engine/database_entry.h"
#include "search_engine/search_loop.h"
#include "search_engine/wildcard.h"
#include "platform/file_attributes.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

struct ReferenceRow {
    std::string code;
    std::string name;
    std::string tag;
    bool operator==(const ReferenceRow&) const = default;
};

struct ReferenceScan {
    std::vector<ReferenceRow> rows;
    // The progress before each line, and at the end.
    std::vector<zentrel::SearchProgress> before_each_line;
    zentrel::SearchProgress end;
};

inline zentrel::LineKind reference_line_kind(std::string_view line)
{
    const auto trimmed = platform::trim_view(line);
    if (trimmed.empty()) return zentrel::LineKind::Blank;
    return trimmed.front() == '#' ? zentrel::LineKind::Comment : zentrel::LineKind::Entry;
}

inline std::size_t reference_run_start(std::string_view line, std::string_view allowed)
{
    const auto last_other = line.find_last_not_of(allowed);
    return last_other == std::string_view::npos ? 0 : last_other + 1;
}

inline ReferenceRow reference_split(std::string_view line, zentrel::Category category)
{
    std::string_view code;
    std::string_view name;
    if (category == zentrel::Category::UKDiallingCodes) {
        auto code_start = reference_run_start(line, "0123456789()[]- ");
        if (line.substr(0, code_start).find_first_of("()[]") != std::string_view::npos) {
            code_start = reference_run_start(line, "0123456789- ");
        }
        code = line.substr(code_start);
        name = line.substr(0, code_start);
    } else {
        const auto space = line.find(' ');
        code = space == std::string_view::npos ? line : line.substr(0, space);
        name = space == std::string_view::npos ? std::string_view() : line.substr(space);
    }
    std::string_view tag;
    for (std::string_view each : std::array<std::string_view, 4>{"*", "[*Red data]", "[*Blue data]", "[*Gray data]"}) {
        if (name.ends_with(each)) tag = each;
    }
    name.remove_suffix(tag.size());
    return {std::string(platform::trim_view(code)), std::string(platform::trim_view(name)), std::string(tag)};
}

inline ReferenceScan reference_scan(const std::string& path, zentrel::Category category, zentrel::SearchField field,
                                    const std::string& pattern)
{
    ReferenceScan scan;
    zentrel::SearchProgress& progress = scan.end;
    progress.file_size = platform::file_size(path);
    const zentrel::WildcardPattern compiled(pattern);
    platform::InputFile file(path);
    std::string line;
    while (!file.eof() && progress.matches < zentrel::SearchLoop::match_limit) {
        scan.before_each_line.push_back(progress);
        file.read_line(line);
        ++progress.lines_read;
        progress.characters_read += static_cast<long long>(line.size());
        if (reference_line_kind(line) != zentrel::LineKind::Entry) continue;
        ++progress.entries_read;
        ReferenceRow row = reference_split(line, category);
        if (!compiled.matches(field == zentrel::SearchField::Code ? row.code : row.name)) continue;
        ++progress.matches;
        scan.rows.push_back(std::move(row));
    }
    return scan;
}

} // namespace testing_support
