#include "default_data/default_data_module.h"

#include "default_data/restore_stamp.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

#include <algorithm>

namespace zentrel {

namespace {

std::int64_t block_first(int k)
{
    return std::int64_t{DefaultDataModule::block_size} * (k - 1) + 1;
}

std::int64_t block_last(int k)
{
    return std::int64_t{DefaultDataModule::block_size} * k;
}

bool is_null_line(std::string_view value)
{
    const std::string_view trimmed = platform::trim_view(value);
    return trimmed.size() == 5 && platform::ucase(trimmed) == ":NULL";
}

} // namespace

std::string DefaultDataModule::Default_Line(std::int32_t n, platform::Clock& clock)
{
    // A line outside the array fails before any block is stored, so that it changes no
    // element: the last block of a module may reach past the array's end.
    if (n < 0 || n > upper_bound()) platform::raise_error(platform::error::subscript_out_of_range);
    for (int k = 1; k <= filler_count(); ++k) {
        if (block_first(k) <= n && n <= block_last(k)) Fill_Block(k, clock);
    }

    if (n == 0) {
        working_line_ = std::to_string(line_count());
    } else {
        working_line_ = lines()[static_cast<std::size_t>(n)];
    }

    if (working_line_.empty()) {
        working_line_ = placeholder();
        working_line_ += std::to_string(n);
        working_line_ += ". ##";
    }
    if (is_null_line(working_line_)) working_line_.clear();
    return working_line_;
}

void DefaultDataModule::Fill_Block(int k, platform::Clock& clock)
{
    const std::int64_t first = block_first(k);
    const std::int64_t last = block_last(k);
    if (k == 1 && has_restore_stamp()) {
        store(first, stamp_element - 1);
        lines()[stamp_element] = Restore_Stamp(last_updated_line(), clock.now());
        store(stamp_element + 1, last);
    } else {
        store(first, last);
    }
}

std::vector<std::string>& DefaultDataModule::lines()
{
    if (lines_.empty()) lines_.resize(static_cast<std::size_t>(upper_bound()) + 1);
    return lines_;
}

void DefaultDataModule::store(std::int64_t first, std::int64_t last)
{
    const std::span<const std::string_view> source = table();
    const std::int64_t stop = std::min({last, static_cast<std::int64_t>(source.size()), std::int64_t{upper_bound()}});
    std::string* const elements = lines().data();
    // assign() reuses each element's buffer, so a block stored again allocates nothing.
    for (std::int64_t n = std::max<std::int64_t>(first, 1); n <= stop; ++n) {
        elements[n].assign(source[static_cast<std::size_t>(n - 1)]);
    }
}

} // namespace zentrel
