#pragma once
// The main window with a program folder of its own, in which a described data set is
// restored by the real restore command and searched through the real Search button, as a
// user does both.
#include "tests/support/data_checker.h"
#include "tests/support/main_window_fixture.h"

#include <string>

namespace testing_support {

class DataSetWindowTest : public MainWindowTest {
protected:
    // Restores the set's file as a user does, answering Yes to the one question, and gives
    // back the file's bytes.
    std::string restore_through_window(const DataSet& set);

    // Types the search's pattern, presses the Search button and compares the rows found
    // (codes, names and, where given, colours) with the search's own.
    Problems search_problems(const DataSet& set, const Search& search);

    // Every search of the set, after one restore.
    Problems all_search_problems(const DataSet& set);
};

} // namespace testing_support
