#pragma once
// A main window on the offscreen platform with scripted services and a program folder
// of its own, for tests that drive the window through its handlers or real events.
#include "core/paths.h"
#include "main_window/frm_main.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/real_services.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_doubles.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>
#include <string>

namespace testing_support {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::reset_program_end();
        services = platform::real_services();
        event_loop.real = services.event_loop;
        services.message_boxes = &message_boxes;
        services.event_loop = &event_loop;
        services.clock = &clock;
        services.popup_menus = &popup_menus;
        services.shell = &shell;
        services.save_dialogs = &save_dialogs;
        services.clipboard = &clipboard;
        services.beeper = &beeper;
        services.modal_windows = &modal_windows;
        services.sound_player = &sound_player;
        services.system_values = &system_values;
        services.random = &random;
        services.program_folder = folder.path();
        change_services(services);
        form = std::make_unique<zentrel::frm_Main>(services);
        form->Load_and_Show();
        QCoreApplication::processEvents();
        platform::Control::flush_all();
    }

    void TearDown() override
    {
        EXPECT_TRUE(message_boxes.all_answered()) << "a scripted message box was never shown";
        EXPECT_TRUE(save_dialogs.all_answered()) << "a scripted save dialog was never shown";
        form.reset();
        platform::reset_program_end();
    }

    // Lets a test give the window other services than the ones above before it is made.
    virtual void change_services(platform::Services&) {}

    // Picks a category as the user does and types a pattern.
    void choose(int category, const std::string& pattern, int direction = 1)
    {
        form->ui().com_SearchType.set_list_index(category);
        form->ui().opt_DiallOption(direction).set_value(true);
        form->ui().txt_Inputbox.set_text(pattern);
    }

    std::string database_path(int category) const
    {
        return form->DataFile_for_Category(std::to_string(category));
    }

    void write_database(int category, const std::string& bytes) const
    {
        folder.write_file(zentrel::FileName_from_Path(database_path(category)), bytes);
    }

    const std::string& cell(int row, int col) const { return form->ui().flx_ResultsChart.cell(row, col).text; }
    int rows() const { return form->ui().flx_ResultsChart.rows(); }

    TempFolder folder;
    ScriptedMessageBoxes message_boxes;
    ScriptedEventLoop event_loop;
    FixedClock clock;
    ScriptedPopupMenus popup_menus;
    RecordingShell shell;
    ScriptedSaveDialogs save_dialogs;
    RecordingClipboard clipboard;
    CountingBeeper beeper;
    ScriptedModalWindows modal_windows;
    RecordingSoundPlayer sound_player;
    FixedSystemValues system_values;
    // A sequence of its own, from its beginning.
    platform::RandomNumbers random;
    // The services the window was made with.
    platform::Services services{};
    std::unique_ptr<zentrel::frm_Main> form;
};

} // namespace testing_support
