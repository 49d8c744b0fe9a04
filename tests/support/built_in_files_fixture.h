#pragma once
// A main window whose tests restore database files from the built-in data as a user does.
#include "tests/support/main_window_fixture.h"

#include <QTableView>
#include <QTest>

#include <string>

namespace testing_support {

class BuiltInFilesTest : public MainWindowTest {
protected:
    QTableView& grid_view() const { return *static_cast<QTableView*>(form->ui().flx_ResultsChart.widget()); }

    // Restores the category's file from the built-in data as a user does: Shift and a right
    // press on the grid, the restore command of the Options, Yes to the question.
    void restore_built_in_file(int category)
    {
        form->ui().com_SearchType.set_list_index(category);
        const std::string file_name = zentrel::FileName_from_Path(database_path(category));
        popup_menus.choose_caption = "&Restore/fix the " + file_name + " file";
        message_boxes.expect(platform::message_box::answer_yes);
        QTest::mouseClick(grid_view().viewport(), Qt::RightButton, Qt::ShiftModifier, QPoint(20, 20));
        ASSERT_TRUE(message_boxes.all_answered());
        message_boxes.shown.clear();
    }
};

} // namespace testing_support
