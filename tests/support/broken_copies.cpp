#include "tests/support/broken_copies.h"

#include <gtest/gtest.h>

namespace testing_support {

void expect_each_breakage_noticed(const DataSet& set, const DataLines& good, const std::vector<Breakage>& breakages)
{
    SCOPED_TRACE(set.label);
    const Problems of_good = record_problems(set, good);
    ASSERT_TRUE(of_good.empty()) << "the unbroken set passes\n" << listed(of_good);
    for (const Breakage& breakage : breakages) {
        SCOPED_TRACE(breakage.what);
        DataLines lines = good;
        breakage.harm(lines);
        const Problems problems = broken_copy_problems(set, good, lines);
        EXPECT_TRUE(mentions(problems, breakage.problem)) << listed(problems);
    }
}

void expect_each_breakage_noticed(const DataSet& set, const std::vector<Breakage>& breakages)
{
    expect_each_breakage_noticed(set, data_lines(set), breakages);
}

} // namespace testing_support
