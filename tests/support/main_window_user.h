#pragma once
// What a user does with a main window, in the program's words, each action sent to the
// real widgets as the window system's events. It asserts nothing, so the benchmarks and
// tools use it as the tests do; the test fixture (main_window_fixture.h) adds the checks.
#include "core/category.h"
#include "main_window/frm_main.h"
#include "search_engine/search_loop.h"
#include "tests/support/test_doubles.h"
#include "tests/support/user_actions.h"

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

// Message boxes that their user answers at once: Yes where a box asks Yes or No, else
// OK. Every box shown is kept, and the time the last one came.
class AnsweringMessageBoxes final : public platform::MessageBoxes {
public:
    int show(const std::string& text, int style, const std::string& title) override
    {
        shown.push_back({text, style, title});
        last_shown_at = std::chrono::steady_clock::now();
        const int buttons = style & 0x0F;
        const bool asks_yes = buttons == platform::message_box::yes_no || buttons == platform::message_box::yes_no_cancel;
        return asks_yes ? platform::message_box::answer_yes : platform::message_box::answer_ok;
    }

    std::vector<ShownMessage> shown;
    std::chrono::steady_clock::time_point last_shown_at{};
};

class MainWindowUser {
public:
    // The window must have been made with these pop-up menus among its services.
    MainWindowUser(zentrel::frm_Main& form, ScriptedPopupMenus& popup_menus) : form_(form), popup_menus_(popup_menus)
    {
    }

    // Picks the category in the category list with the arrow keys.
    void pick_category(zentrel::Category category) { pick_with_arrow_keys(form_.ui().com_SearchType, category); }

    // Clicks the direction option that searches the codes or the names.
    void choose_direction(zentrel::SearchField field)
    {
        click(form_.ui().opt_DiallOption(field == zentrel::SearchField::Code ? 0 : 1));
    }

    // Replaces what the pattern box holds by the pattern, typed.
    void type_pattern(std::string_view pattern) { type_into(form_.ui().txt_Inputbox, pattern); }

    // Enter, in the pattern box.
    void press_enter()
    {
        form_.ui().txt_Inputbox.set_focus();
        press_key(form_.ui().frm, Qt::Key_Return);
    }

    void click_search() { click(form_.ui().com_Search); }

    // What a user sets before a search starts: the category, the direction, the pattern.
    void prepare_search(zentrel::Category category, std::string_view pattern, zentrel::SearchField field)
    {
        pick_category(category);
        choose_direction(field);
        type_pattern(pattern);
    }

    // A search as a user makes it: the category, the direction, the pattern, the Search
    // button.
    void search(zentrel::Category category, std::string_view pattern, zentrel::SearchField field)
    {
        prepare_search(category, pattern, field);
        click_search();
    }

    // The search as search() makes it, started with Enter in the pattern box instead.
    void search_with_enter(zentrel::Category category, std::string_view pattern, zentrel::SearchField field)
    {
        prepare_search(category, pattern, field);
        press_enter();
    }

    // A left click on a cell of the results grid (row 0 is the header row), which opens
    // the information window on its row.
    void click_row(int row, int col = 1) { click_cell(form_.ui().flx_ResultsChart, row, col); }

    // A right press on the window's empty corner, with these keys held, answered with the
    // menu item of this caption ("" dismisses the menu); Shift brings the Options items.
    // True when the menu offered the item, shown and enabled: only then can a user
    // choose it.
    bool choose_from_menu(const std::string& caption, Qt::KeyboardModifiers modifiers = {})
    {
        popup_menus_.choose_caption = caption;
        right_click(form_.ui().frm, modifiers, QPoint(3, 3));
        const MenuItemState& item = popup_menus_.item(caption);
        return item.visible && item.enabled;
    }

    // The caption of the restore command of a category's database file.
    static std::string restore_caption(zentrel::Category category)
    {
        return "&Restore/fix the " + std::string(zentrel::database_file_name(category)) + " file";
    }

    // Picks the category and chooses the restore of its database file among the Options;
    // true when the menu offered it.
    bool choose_restore(zentrel::Category category)
    {
        pick_category(category);
        return choose_from_menu(restore_caption(category), Qt::ShiftModifier);
    }

private:
    zentrel::frm_Main& form_;
    ScriptedPopupMenus& popup_menus_;
};

// A main window on the services given, with pop-up menus that answer with the item its
// user chooses, shown and settled; and its user. For the benchmarks and tools, which run
// the window on the real services.
class UsedMainWindow {
public:
    explicit UsedMainWindow(platform::Services services) : form(with_popup_menus(std::move(services)))
    {
        form.load_and_show();
        settle();
    }

    ScriptedPopupMenus popup_menus;
    zentrel::frm_Main form;
    MainWindowUser user{form, popup_menus};

private:
    platform::Services with_popup_menus(platform::Services services)
    {
        services.popup_menus = &popup_menus;
        return services;
    }
};

} // namespace testing_support
