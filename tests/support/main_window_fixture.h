#pragma once
// A main window on the offscreen platform with scripted services and a program folder
// of its own, and what its user does with it, in the program's words: each action goes
// to the real widgets as the window system's events.
#include "core/category.h"
#include "core/paths.h"
#include "info_windows/frm_datainfo.h"
#include "main_window/category_texts.h"
#include "main_window/frm_main.h"
#include "search_engine/search_loop.h"
#include "platform/text.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/real_services.h"
#include "tests/support/main_window_user.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_doubles.h"
#include "tests/support/user_actions.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

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
        form->load_and_show();
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

    // ---------------------------------------------------------------------------------
    // The user's actions (main_window_user.h), with the checks a test adds

    MainWindowUser user() { return {*form, popup_menus}; }

    void pick_category(zentrel::Category category) { user().pick_category(category); }
    void choose_direction(zentrel::SearchField field) { user().choose_direction(field); }
    void type_pattern(std::string_view pattern) { user().type_pattern(pattern); }
    void press_enter() { user().press_enter(); }
    void click_search() { user().click_search(); }
    void prepare_search(zentrel::Category category, std::string_view pattern, zentrel::SearchField field)
    {
        user().prepare_search(category, pattern, field);
    }

    // A search as a user makes it; with the database file written first where its bytes
    // are given.
    void search(zentrel::Category category, std::string_view pattern, zentrel::SearchField field)
    {
        user().search(category, pattern, field);
    }
    void search(zentrel::Category category, std::string_view pattern, zentrel::SearchField field,
                const std::string& file_bytes)
    {
        write_database(category, file_bytes);
        search(category, pattern, field);
    }

    void click_row(int row, int col = 1) { user().click_row(row, col); }

    // A user can choose only an item the menu shows enabled.
    void choose_from_menu(const std::string& caption, Qt::KeyboardModifiers modifiers = {})
    {
        const bool offered = user().choose_from_menu(caption, modifiers);
        EXPECT_TRUE(caption.empty() || offered) << "the menu does not offer " << caption;
    }

    // The answer the next message box gets, and the save dialog's.
    void answer_message(int answer) { message_boxes.expect(answer); }
    void answer_save_dialog(std::string path, int filter_index) { save_dialogs.expect_save(std::move(path), filter_index); }
    void cancel_save_dialog() { save_dialogs.expect_cancel(); }

    // Replaces what the pattern box holds by the pattern, pasted from the desktop's
    // clipboard with Ctrl+V (for a long pattern, or a character no key types).
    void paste_pattern(std::string_view pattern)
    {
        QGuiApplication::clipboard()->setText(QString::fromStdString(platform::to_utf8(pattern)));
        const platform::TextBox& box = form->ui().txt_Inputbox;
        click(box);
        press_key(box, Qt::Key_A, Qt::ControlModifier);
        press_key(box, Qt::Key_V, Qt::ControlModifier);
    }

    void search_with_enter(zentrel::Category category, std::string_view pattern, zentrel::SearchField field)
    {
        user().search_with_enter(category, pattern, field);
    }

    void choose_restore(zentrel::Category category)
    {
        pick_category(category);
        choose_from_menu(MainWindowUser::restore_caption(category), Qt::ShiftModifier);
    }

    // Restores the category's file from the built-in data as a user does: the restore
    // chosen among the Options, Yes to its question, which is the only message.
    void restore_built_in_file(zentrel::Category category)
    {
        answer_message(platform::message_box::answer_yes);
        choose_restore(category);
        EXPECT_TRUE(message_boxes.all_answered());
        EXPECT_EQ(message_boxes.shown.size(), 1u) << "only the question before the restore";
        message_boxes.shown.clear();
    }

    // ---------------------------------------------------------------------------------
    // What the user sees

    // Where every command and search ends: nothing running, every input enabled (the
    // Search button as the pattern allows), the captions and colours of rest.
    void expect_idle() const
    {
        const zentrel::MainWindowControls& ui = form->ui();
        EXPECT_FALSE(form->search_state().Search_Running);
        EXPECT_EQ(ui.frm.caption(), zentrel::text_for_category("Dialling code directory", current_category(),
                                                               ui.com_SearchType.text()));
        EXPECT_EQ(ui.fra_Search.caption(), " Search for ");
        EXPECT_TRUE(ui.txt_Inputbox.enabled());
        EXPECT_TRUE(ui.com_SearchType.enabled());
        EXPECT_TRUE(ui.fra_Search.enabled());
        EXPECT_TRUE(ui.fra_TheResults.enabled());
        EXPECT_TRUE(ui.opt_DiallOption_0.enabled());
        EXPECT_TRUE(ui.opt_DiallOption_1.enabled());
        EXPECT_TRUE(ui.lab_Direction.enabled());
        EXPECT_TRUE(ui.flx_ResultsChart.enabled());
        EXPECT_EQ(ui.com_Search.enabled(), !platform::trim_view(ui.txt_Inputbox.text()).empty());
        EXPECT_EQ(ui.frm.mouse_pointer(), platform::mouse_pointer::standard);
        EXPECT_EQ(ui.frm.back_colour(), platform::system_button_face);
        EXPECT_EQ(ui.txt_Inputbox.back_colour(), platform::system_window_background);
        EXPECT_EQ(ui.com_SearchType.back_colour(), platform::system_window_background);
        EXPECT_EQ(ui.fra_Search.back_colour(), platform::system_button_face);
        EXPECT_EQ(ui.fra_TheResults.back_colour(), platform::system_button_face);
    }

    zentrel::Category current_category() const
    {
        return static_cast<zentrel::Category>(form->ui().com_SearchType.list_index());
    }

    // The information window while it is open, else null.
    zentrel::frm_DataInfo* info_window() const { return form->info_window(); }

    std::string database_path(zentrel::Category category) const
    {
        return zentrel::data_file_for_category(zentrel::decimal_text(category), services.program_folder);
    }

    void write_database(zentrel::Category category, const std::string& bytes) const
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
