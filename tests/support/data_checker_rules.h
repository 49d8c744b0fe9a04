#pragma once
// The record rules of the data-set checker, run in one pass over the records: each rule of
// a description becomes a counter that is shown every record in its scope and says at the
// end what it found against what was stated. Used by data_checker.cpp only.
#include "tests/support/data_checker.h"

#include <string>
#include <string_view>

namespace testing_support::checker_detail {

std::string quoted(std::string_view text);
std::string at_line(std::int32_t line);
bool in_range(const LineRange& range, std::int32_t line);
// "what: expected 7, found 6" when a stated number is not met.
void expect_count(Problems& problems, const std::string& what, long long found, const Count& expected);

// Splits every record line of `lines` (those `is_record` marks) into its fields and runs
// every record rule of the set over them in one pass.
void check_records(const DataSet& set, const DataLines& lines, const std::vector<bool>& is_record,
                   Problems& problems);

} // namespace testing_support::checker_detail
