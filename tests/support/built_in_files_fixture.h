#pragma once
// A main window whose tests restore database files from the built-in data as a user does.
#include "tests/support/main_window_fixture.h"

namespace testing_support {

class BuiltInFilesTest : public MainWindowTest {
protected:
    // Restores the category's file from the built-in data as a user does: the category
    // picked, Shift and a right press on the window, the restore command of the Options,
    // Yes to the question.
    void restore_built_in_file(zentrel::Category category)
    {
        answer_message(platform::message_box::answer_yes);
        choose_restore(category);
        ASSERT_TRUE(message_boxes.all_answered());
        message_boxes.shown.clear();
    }
};

} // namespace testing_support
