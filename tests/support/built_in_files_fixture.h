#pragma once
// A main window whose tests restore database files from the built-in data as a user does.
#include "tests/support/main_window_fixture.h"

#include <string>

namespace testing_support {

class BuiltInFilesTest : public MainWindowTest {
protected:
    // Restores the category's file from the built-in data as a user does: the category
    // picked, Shift and a right press on the window, the restore command of the Options,
    // Yes to the question.
    void restore_built_in_file(zentrel::Category category)
    {
        pick_category(category);
        const std::string file_name = zentrel::FileName_from_Path(database_path(category));
        answer_message(platform::message_box::answer_yes);
        choose_from_menu("&Restore/fix the " + file_name + " file", Qt::ShiftModifier);
        ASSERT_TRUE(message_boxes.all_answered());
        message_boxes.shown.clear();
    }
};

} // namespace testing_support
