#pragma once
// One default-data module: the default contents of one category's database file as
// numbered lines, handed out one at a time by its line provider `Default_Line` to the
// restore command. The lines come from a constant table built from the module's data
// file; block filler k copies block k of that table into the module's own array
// `Default_Lines` each time a line of that block is asked for. The module writes no file
// and keeps no record of which blocks it has stored.
#include "platform/services.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

// The first piece of the comment that stands in for an element that holds nothing.
inline constexpr std::string_view directory_placeholder = "## There is no data for directory line ";
inline constexpr std::string_view postcode_placeholder = "## There is no data for postcode line ";

struct DefaultDataNumbers {
    std::string_view name;
    // The text given for line 0; it bounds the restore loop.
    std::int32_t line_count = 0;
    // How many blocks have fillers: blocks 1 to filler_count.
    int filler_count = 0;
    std::string_view placeholder = directory_placeholder;
    // Entry i is element i + 1; elements beyond the table are never stored.
    std::span<const std::string_view> table;
    // The first line of the restore stamp at element 8; empty when the module has none.
    std::string_view last_updated_line;
};

class DefaultDataModule final {
public:
    static constexpr std::int32_t block_size = 200;
    // The array reaches this far beyond the line count.
    static constexpr std::int32_t lines_beyond_count = 200;
    static constexpr std::int32_t stamp_element = 8;

    explicit DefaultDataModule(const DefaultDataNumbers& numbers) : numbers_(numbers) {}

    std::string_view name() const { return numbers_.name; }
    std::int32_t line_count() const { return numbers_.line_count; }
    // The last index of `Default_Lines`: the line count and the lines beyond it.
    std::int32_t upper_bound() const { return numbers_.line_count + lines_beyond_count; }
    int filler_count() const { return numbers_.filler_count; }
    std::string_view placeholder() const { return numbers_.placeholder; }
    std::span<const std::string_view> table() const { return numbers_.table; }
    bool has_restore_stamp() const { return !numbers_.last_updated_line.empty(); }
    std::string_view last_updated_line() const { return numbers_.last_updated_line; }

    // Line n of the default database file. Runs the filler of n's block first, on every
    // call; 0 gives the line count as decimal text; an element that holds nothing gives the
    // placeholder comment, and ":Null" (any case, outer spaces allowed) the empty text.
    // Throws platform::RuntimeError(9) for n < 0 or n > upper_bound(). The clock gives the
    // time of the restore stamp, where the line's block holds one.
    std::string Default_Line(std::int32_t n, platform::Clock& clock = platform::system_clock());

    // Stores block k, elements 200(k-1)+1 to 200k, from the table in ascending order; the
    // module's first block computes its restore stamp at element 8 in its place, at the
    // clock's time. A block past the table's end stores nothing.
    void Fill_Block(int k, platform::Clock& clock = platform::system_clock());

    // Elements 0 to upper_bound(), all empty until their block is filled; created on first use.
    const std::vector<std::string>& Default_Lines() { return lines(); }

private:
    std::vector<std::string>& lines();
    // Copies the table's elements first to last, as far as the table holds them.
    void store(std::int64_t first, std::int64_t last);

    DefaultDataNumbers numbers_;
    std::vector<std::string> lines_;
    // The line being produced; Default_Line returns a copy of it.
    std::string working_line_;
};

} // namespace zentrel
