#pragma once
// Broken copies of a data set's lines: each copy is changed in one way, and the checker
// must report a problem that names what is wrong with it.
#include "tests/support/data_checker.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct Breakage {
    std::string what;
    std::function<void(DataLines&)> harm;
    // Words of the problem the checker must report.
    std::string problem;
};

// The lines meet every rule, and each broken copy of them shows a problem with the
// breakage's words (checked by broken_copy_problems(), which finds what the whole check
// finds).
void expect_each_breakage_noticed(const DataSet& set, const DataLines& good, const std::vector<Breakage>& breakages);

// The same for the set's own lines (data_lines()).
void expect_each_breakage_noticed(const DataSet& set, const std::vector<Breakage>& breakages);

} // namespace testing_support
