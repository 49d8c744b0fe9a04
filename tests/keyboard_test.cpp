// The main window from the keyboard, with real keys sent through the window system: the
// focus order, the arrow keys on the direction options, Enter on the Search button, Enter
// and Space on the grid's rows, the focus shown by an empty grid, the context menu from
// the menu key and Shift+F10, the shortcuts that the menu shows, and the focus after a
// restore.
#include "tests/support/main_window_fixture.h"
#include "tests/support/user_actions.h"

#include "info_windows/frm_datainfo.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using testing_support::MainWindowTest;
using testing_support::press_key;
using zentrel::Category;
using zentrel::SearchField;
namespace box = platform::message_box;

class KeyboardTest : public MainWindowTest {
protected:
    // "Haywards Heath 01444" and "Horsham 01403" listed by a search started with Enter;
    // the pattern box keeps the focus.
    void list_rows()
    {
        write_database(Category::UKDiallingCodes, "Haywards Heath 01444\r\nHorsham 01403\r\n");
        search_with_enter(Category::UKDiallingCodes, "H*", SearchField::Name);
        ASSERT_EQ(rows(), 3);
    }

    void write_help_page() const { folder.write_file("Help.htm", "<html></html>\r\n"); }

    // The control that has the focus now, by the name the window gives it.
    std::string focused() const
    {
        const auto& ui = form->ui();
        const struct {
            const char* name;
            const platform::Control& control;
        } controls[] = {
            {"category list", ui.com_SearchType},   {"option 0", ui.opt_DiallOption_0},
            {"option 1", ui.opt_DiallOption_1},     {"pattern box", ui.txt_Inputbox},
            {"Search button", ui.com_Search},       {"grid", ui.flx_ResultsChart},
        };
        for (const auto& each : controls) {
            if (each.control.has_focus()) return each.name;
        }
        return "none";
    }

    std::vector<std::string> focus_after_each(Qt::Key key, Qt::KeyboardModifiers modifiers, int presses)
    {
        std::vector<std::string> visited;
        for (int i = 0; i < presses; ++i) {
            press_key(form->ui().frm, key, modifiers);
            visited.push_back(focused());
        }
        return visited;
    }

    // Where the menu opened, in the window's inner area in pixels.
    QPoint menu_place() const
    {
        return {static_cast<int>(popup_menus.opened.back().x / platform::twips_per_pixel),
                static_cast<int>(popup_menus.opened.back().y / platform::twips_per_pixel)};
    }

    QRect rect_in_window(const platform::Control& control) const
    {
        const QWidget& widget = *control.widget();
        return {widget.mapTo(form->ui().frm.widget(), QPoint(0, 0)), widget.size()};
    }

    // The part of the window that a widget covers, as the screen shows it once the window
    // has drawn what waits.
    QImage shown(const QWidget& widget) const
    {
        platform::Control::flush_all();
        QCoreApplication::processEvents();
        QWidget& window = *form->ui().frm.widget();
        const QPoint at = widget.mapTo(&window, QPoint(0, 0));
        return window.screen()->grabWindow(window.winId(), at.x(), at.y(), widget.width(), widget.height()).toImage();
    }
    QImage grab_of_grid() const { return shown(*form->ui().flx_ResultsChart.widget()); }
    QImage shown_header() const
    {
        return shown(*testing_support::grid_view(form->ui().flx_ResultsChart).horizontalHeader());
    }

    // The caption of the open information window; "none" while none is open.
    std::string info_caption() const
    {
        return info_window() != nullptr ? info_window()->ui().frm.caption() : "none";
    }

    // Tab pressed until the grid has the focus; a test that never sees it fails.
    void tab_to_grid()
    {
        for (int tab = 0; tab < 6 && focused() != "grid"; ++tab) press_key(form->ui().frm, Qt::Key_Tab);
        ASSERT_EQ(focused(), "grid");
    }

    // The information window closed with its close box, where one is open; the desktop
    // then gives the main window the activation back, as it does for the window below
    // one that closes.
    void close_info_window() const
    {
        if (info_window() == nullptr) return;
        testing_support::close_window(info_window()->ui().frm);
        testing_support::window_system_window(*form->ui().frm.widget()).requestActivate();
        QCoreApplication::processEvents();
    }
};

// ---------------------------------------------------------------------------------
// The focus order

TEST_F(KeyboardTest, TabVisitsEachControlOnceTheGridAndTheOptionsBeingOneStopEach)
{
    list_rows();
    form->ui().com_SearchType.set_focus();
    const std::vector<std::string> forwards = {"option 1", "pattern box", "Search button", "grid", "category list"};
    EXPECT_EQ(focus_after_each(Qt::Key_Tab, Qt::NoModifier, 5), forwards);
    const std::vector<std::string> backwards = {"grid", "Search button", "pattern box", "option 1", "category list"};
    EXPECT_EQ(focus_after_each(Qt::Key_Tab, Qt::ShiftModifier, 5), backwards);

    // The stop of the options is the selected one.
    choose_direction(SearchField::Code);
    form->ui().com_SearchType.set_focus();
    EXPECT_EQ(focus_after_each(Qt::Key_Tab, Qt::NoModifier, 1), std::vector<std::string>{"option 0"});
}

// ---------------------------------------------------------------------------------
// The direction options

TEST_F(KeyboardTest, ArrowKeysMoveThroughTheOptionsAndSelectThem)
{
    const std::string arrow_right(1, char(52));
    const std::string arrow_left(1, char(51));
    choose_direction(SearchField::Name); // the click gives the option the focus
    ASSERT_EQ(focused(), "option 1");
    const struct {
        Qt::Key key;
        const char* option;
        const std::string& arrow;
    } steps[] = {
        {Qt::Key_Left, "option 0", arrow_right}, {Qt::Key_Right, "option 1", arrow_left},
        {Qt::Key_Up, "option 0", arrow_right},   {Qt::Key_Down, "option 1", arrow_left},
        {Qt::Key_Right, "option 0", arrow_right}, // round from the last to the first
        {Qt::Key_Left, "option 1", arrow_left},   // and back
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string("to ") + step.option);
        press_key(form->ui().frm, step.key);
        EXPECT_EQ(focused(), step.option);
        const bool first = std::string(step.option) == "option 0";
        EXPECT_EQ(form->ui().opt_DiallOption_0.value(), first);
        EXPECT_EQ(form->ui().opt_DiallOption_1.value(), !first);
        EXPECT_EQ(form->ui().opt_DiallOption_0.widget()->property("checked").toBool(), first) << "as drawn";
        EXPECT_EQ(form->ui().lab_Direction.caption(), step.arrow);
    }

    // The direction chosen by the keys is the one the search takes.
    write_database(Category::UKDiallingCodes, "Haywards Heath 01444\r\n");
    press_key(form->ui().frm, Qt::Key_Left);
    type_pattern("01444");
    press_enter();
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 1), "Haywards Heath");
}

// ---------------------------------------------------------------------------------
// Enter and Space

TEST_F(KeyboardTest, EnterOnTheFocusedSearchButtonSearches)
{
    write_database(Category::UKDiallingCodes, "Haywards Heath 01444\r\n");
    type_pattern("H*");
    press_key(form->ui().frm, Qt::Key_Tab);
    ASSERT_EQ(focused(), "Search button");
    press_key(form->ui().frm, Qt::Key_Return);
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 1), "Haywards Heath");
    expect_idle();
}

TEST_F(KeyboardTest, EnterOrSpaceOnTheGridsCurrentRowOpensTheInformationWindowOnIt)
{
    list_rows();
    const std::string first = "Information on; Haywards Heath";
    const std::string second = "Information on; Horsham";
    const struct {
        const char* name;
        std::function<void()> reach_row; // brings the focus to the grid on a row
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const std::string& told;
    } cases[] = {
        {"Tab onto the grid, Enter", [this] { tab_to_grid(); }, Qt::Key_Return, {}, first},
        {"Tab, Down, Space", [this] { tab_to_grid(); press_key(form->ui().frm, Qt::Key_Down); }, Qt::Key_Space, {},
         second},
        // The row clicked last stays current in the grid while the focus is elsewhere.
        {"a click on row 2, Tab, Up, keypad Enter",
         [this] { click_row(2); close_info_window(); tab_to_grid(); press_key(form->ui().frm, Qt::Key_Up); },
         Qt::Key_Enter, Qt::KeypadModifier, first},
        {"a click on row 1, Tab, Down, Shift+Enter",
         [this] { click_row(1); close_info_window(); tab_to_grid(); press_key(form->ui().frm, Qt::Key_Down); },
         Qt::Key_Return, Qt::ShiftModifier, second},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        form->ui().txt_Inputbox.set_focus();
        each.reach_row();
        ASSERT_EQ(focused(), "grid");
        ASSERT_EQ(info_caption(), "none");
        press_key(form->ui().frm, each.key, each.modifiers);
        EXPECT_EQ(info_caption(), each.told);
        EXPECT_EQ(rows(), 3) << "the rows stay";
        close_info_window();
    }

    // On the header row alone the keys open nothing, as a click does not.
    form->ui().flx_ResultsChart.set_focus();
    press_key(form->ui().frm, Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(rows(), 1);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        press_key(form->ui().frm, key);
        EXPECT_EQ(info_caption(), "none");
    }
}

// An empty grid that has the focus draws the focus frame around its header row, the one
// row it holds, as an empty list of the desktop shows it; it keeps its Tab stop.
TEST_F(KeyboardTest, EmptyGridThatHasTheFocusShowsIt)
{
    form->ui().txt_Inputbox.set_focus();
    const QImage without_focus = grab_of_grid();
    press_key(form->ui().frm, Qt::Key_Tab); // the Search button rests while the pattern is empty
    ASSERT_EQ(focused(), "grid");
    EXPECT_FALSE(grab_of_grid() == without_focus) << "the focus shows";
    press_key(form->ui().frm, Qt::Key_Tab);
    ASSERT_EQ(focused(), "category list");
    EXPECT_TRUE(grab_of_grid() == without_focus) << "and goes with the focus";

    // A grid emptied by the clear command shows it as well.
    list_rows();
    press_key(form->ui().frm, Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(rows(), 1);
    tab_to_grid();
    EXPECT_FALSE(grab_of_grid() == without_focus) << "the focus shows on the emptied grid";

    // While a search runs the grid is the one stop that Tab finds; the frame shows until
    // the first row comes, and then goes.
    form->ui().txt_Inputbox.set_focus();
    const QImage header_at_rest = shown_header();
    bool shown_while_empty = false;
    bool gone_with_a_row = false;
    const int first_yield = event_loop.yields + 1;
    event_loop.on_yield = [&](int yield) {
        if (yield == first_yield) {
            ASSERT_EQ(rows(), 1);
            press_key(form->ui().frm, Qt::Key_Tab);
            ASSERT_EQ(focused(), "grid");
            shown_while_empty = !(shown_header() == header_at_rest);
        } else if (rows() == 2 && focused() == "grid") {
            gone_with_a_row = shown_header() == header_at_rest;
        }
    };
    search_with_enter(Category::UKDiallingCodes, "H*", SearchField::Name);
    event_loop.on_yield = nullptr;
    ASSERT_EQ(rows(), 3);
    EXPECT_TRUE(shown_while_empty);
    EXPECT_TRUE(gone_with_a_row) << "no frame is left over the header row";
}

// ---------------------------------------------------------------------------------
// The context menu from the keyboard

TEST_F(KeyboardTest, MenuKeyAndShiftF10OpenTheMenuOverTheFocusedControl)
{
    list_rows();
    const struct {
        const char* name;
        platform::Control& control;
    } controls[] = {
        {"category list", form->ui().com_SearchType},
        {"option 1", form->ui().opt_DiallOption_1},
        {"Search button", form->ui().com_Search},
        {"grid", form->ui().flx_ResultsChart},
    };
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{"menu key", Qt::Key_Menu, Qt::NoModifier}, {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier}};
    for (const auto& control : controls) {
        for (const auto& key : keys) {
            SCOPED_TRACE(std::string(key.name) + " on the " + control.name);
            popup_menus.opened.clear();
            control.control.set_focus();
            ASSERT_EQ(focused(), control.name);
            press_key(form->ui().frm, key.key, key.modifiers);
            ASSERT_EQ(popup_menus.opened.size(), 1u);
            EXPECT_TRUE(rect_in_window(control.control).contains(menu_place()));
            EXPECT_FALSE(popup_menus.item("&Options").visible);
            EXPECT_TRUE(popup_menus.item("&Save results").enabled);
            // The desktop's own request of a menu that follows the menu key opens no second one.
            testing_support::desktop_menu_request(*QApplication::focusWidget());
            EXPECT_EQ(popup_menus.opened.size(), 1u);
        }
    }
}

TEST_F(KeyboardTest, KeysHeldWithTheMenuKeyCountAsAtARightPress)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool options;
    } cases[] = {
        {Qt::Key_Menu, Qt::ShiftModifier, true},
        {Qt::Key_Menu, Qt::ControlModifier, true},
        {Qt::Key_Menu, Qt::ShiftModifier | Qt::ControlModifier, false},
        {Qt::Key_F10, Qt::ShiftModifier, false},
        {Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier, true},
    };
    form->ui().opt_DiallOption_1.set_focus();
    for (const auto& each : cases) {
        SCOPED_TRACE(std::to_string(each.key) + " with modifiers " + std::to_string(each.modifiers.toInt()));
        popup_menus.opened.clear();
        press_key(form->ui().frm, each.key, each.modifiers);
        ASSERT_EQ(popup_menus.opened.size(), 1u);
        EXPECT_EQ(popup_menus.item("&Options").visible, each.options);
    }
}

TEST_F(KeyboardTest, CommandChosenFromTheKeyboardMenuRuns)
{
    list_rows();
    form->ui().flx_ResultsChart.set_focus();
    popup_menus.choose_caption = "Clear the search &results";
    press_key(form->ui().frm, Qt::Key_Menu);
    EXPECT_EQ(rows(), 1);
}

TEST_F(KeyboardTest, PatternBoxKeepsItsOwnEditMenu)
{
    form->ui().txt_Inputbox.set_focus();
    testing_support::ToolkitMenus edit_menus;
    const auto expect_one_edit_menu = [&] {
        ASSERT_EQ(edit_menus.shown.size(), 1u) << "one edit menu";
        const auto& items = edit_menus.shown[0];
        EXPECT_NE(std::find_if(items.begin(), items.end(),
                               [](const std::string& item) { return item.find("Select All") != std::string::npos; }),
                  items.end());
        EXPECT_TRUE(popup_menus.opened.empty()) << "not the program's menu";
        edit_menus.shown.clear();
    };
    {
        SCOPED_TRACE("menu key");
        press_key(form->ui().frm, Qt::Key_Menu);
        edit_menus.close_shown();
        // The desktop's own request of a menu that follows the menu key opens no second one.
        testing_support::desktop_menu_request(*form->ui().txt_Inputbox.widget());
        edit_menus.close_shown();
        expect_one_edit_menu();
    }
    {
        SCOPED_TRACE("Shift+F10");
        press_key(form->ui().frm, Qt::Key_F10, Qt::ShiftModifier);
        edit_menus.close_shown();
        expect_one_edit_menu();
    }
}

// ---------------------------------------------------------------------------------
// The menu's shortcuts

TEST_F(KeyboardTest, ShortcutsActWhereTheMenuWouldOfferTheirItems)
{
    write_help_page();
    const struct {
        const char* name;
        Qt::Key key;
        bool with_rows;
        const char* acts; // what the key does: "" for nothing
    } cases[] = {
        {"Ctrl+S, no rows", Qt::Key_S, false, ""},
        {"Ctrl+C, no rows", Qt::Key_C, false, ""},
        {"Ctrl+R, no rows", Qt::Key_R, false, ""},
        {"Ctrl+X, idle", Qt::Key_X, true, ""},
        {"Ctrl+S", Qt::Key_S, true, "save"},
        {"Ctrl+C", Qt::Key_C, true, "copy"},
        {"Ctrl+R", Qt::Key_R, true, "clear"},
        {"Ctrl+H", Qt::Key_H, false, "help"},
        {"Ctrl+A", Qt::Key_A, false, "about"},
        {"Ctrl+H after the About box", Qt::Key_H, false, "help"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        if (each.with_rows) list_rows();
        clipboard.text.clear();
        shell.opened.clear();
        const int about_shows = modal_windows.shows;
        if (std::string(each.acts) == "save") save_dialogs.expect_cancel();
        form->ui().com_SearchType.set_focus();
        const int rows_before = rows();
        press_key(form->ui().frm, each.key, Qt::ControlModifier);
        const std::string acts = each.acts;
        EXPECT_EQ(save_dialogs.shown.empty(), acts != "save");
        EXPECT_EQ(clipboard.text.empty(), acts != "copy");
        EXPECT_EQ(rows() == 1 && rows_before > 1, acts == "clear");
        EXPECT_EQ(modal_windows.shows - about_shows, acts == "about" ? 1 : 0);
        EXPECT_EQ(shell.opened.size(), acts == "help" ? 1u : 0u);
        EXPECT_EQ(form->ui().com_SearchType.list_index(), 0) << "the list took no key";
        save_dialogs.shown.clear();
    }
}

TEST_F(KeyboardTest, CtrlXAbortsARunningSearchAndTheOtherResultKeysRest)
{
    std::string bytes;
    for (int i = 0; i < 400; ++i) bytes += "Place " + std::to_string(i) + " 0" + std::to_string(1000 + i) + "\r\n";
    write_database(Category::UKDiallingCodes, bytes);
    event_loop.on_yield = [this](int yield) {
        if (yield == 5) {
            for (Qt::Key key : {Qt::Key_S, Qt::Key_C, Qt::Key_R}) press_key(form->ui().frm, key, Qt::ControlModifier);
        }
        if (yield == 10) press_key(form->ui().frm, Qt::Key_X, Qt::ControlModifier);
    };
    answer_message(box::answer_ok);
    search_with_enter(Category::UKDiallingCodes, "Place*", SearchField::Name);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel - Search aborted.");
    EXPECT_TRUE(save_dialogs.shown.empty());
    EXPECT_TRUE(clipboard.text.empty());
    EXPECT_LT(rows(), 400);
    EXPECT_GT(rows(), 2) << "not cleared";
}

TEST_F(KeyboardTest, CtrlQEndsTheProgramFromAnyControl)
{
    form->ui().opt_DiallOption_1.set_focus();
    press_key(form->ui().frm, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(platform::program_ending());
    EXPECT_FALSE(form->ui().frm.is_shown());
}

TEST_F(KeyboardTest, PatternBoxKeepsSelectAllCopyAndCutAndTakesTheOtherShortcuts)
{
    write_help_page();
    list_rows();
    auto& box = *static_cast<QLineEdit*>(form->ui().txt_Inputbox.widget());
    box.deselect();
    press_key(form->ui().frm, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box.selectedText().toStdString(), "H*") << "select all";
    EXPECT_EQ(modal_windows.shows, 0) << "no About box";
    press_key(form->ui().frm, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "H*");
    EXPECT_TRUE(clipboard.text.empty()) << "not the results";
    press_key(form->ui().frm, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "") << "cut";

    press_key(form->ui().frm, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(shell.opened.size(), 1u) << "help";
    save_dialogs.expect_cancel();
    press_key(form->ui().frm, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(save_dialogs.shown.size(), 1u) << "save";
    press_key(form->ui().frm, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(rows(), 1) << "clear";
}

// ---------------------------------------------------------------------------------
// The focus after a restore

TEST_F(KeyboardTest, AfterARestoreEnterSearchesAtOnce)
{
    pick_category(Category::WebDomainNames);
    type_pattern("*");
    ASSERT_EQ(focused(), "pattern box");
    answer_message(box::answer_yes);
    choose_from_menu("&Restore/fix the InterDomainNames.dat file", Qt::ShiftModifier);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(focused(), "pattern box");
    press_key(form->ui().frm, Qt::Key_Return); // no click first: the focus is where the restore left it
    EXPECT_GT(rows(), 100) << "the restored file was searched";
}
