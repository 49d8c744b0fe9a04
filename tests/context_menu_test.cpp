// The context menu: its items, the states it sets at every opening, the Options
// submenu, the positions the mouse handlers pass, and the commands it runs; the help,
// folder and web-site links that hand targets to the desktop's handler.
#include "tests/support/main_window_fixture.h"

#include "info_windows/frm_about.h"
#include "info_windows/frm_datainfo.h"
#include "platform/shell_open.h"

#include <QApplication>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTableView>

using testing_support::MainWindowTest;
using testing_support::MenuItemState;
using namespace zentrel;
namespace box = platform::message_box;

class ContextMenuTest : public MainWindowTest {
protected:
    void right_click(int shift = 0) { form->Form_MouseDown(platform::mouse_button::right, shift, 100, 100); }

    const MenuItemState& item(const std::string& caption) const { return popup_menus.item(caption); }

    void search_for_rows()
    {
        write_database(0, "Haywards Heath 01444\r\nHorsham 01403\r\n");
        choose(0, "H*");
        form->com_Search_Click();
        ASSERT_EQ(rows(), 3);
    }
};

TEST_F(ContextMenuTest, HoldsEveryItemInOrder)
{
    right_click(platform::shift_key::shift);
    ASSERT_EQ(popup_menus.opened.size(), 1u);
    const auto& items = popup_menus.opened[0].items;
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"&About Zentrel", "Ctrl+A"},
        {"Zentrel &Help", "Ctrl+H"},
        {"List of useful &web sites", ""},
        {"-", ""},
        {"&Save results", "Ctrl+S"},
        {"&Copy results", "Ctrl+C"},
        {"Abort &this search", "Ctrl+X"},
        {"Clear the search &results", "Ctrl+R"},
        {"&Options", ""},
        {"-", ""},
        {"E&xit", "Ctrl+Q"},
    };
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(items[i].caption, expected[i].first);
        EXPECT_EQ(items[i].shortcut, expected[i].second);
        EXPECT_EQ(items[i].is_default, i == 0);
    }
    EXPECT_EQ(items[2].items.size(), 21u);
    ASSERT_EQ(items[8].items.size(), 2u);
    EXPECT_EQ(items[8].items[0].caption, "Open the Zentrel &directory.");
    EXPECT_EQ(items[8].items[1].caption, "&Restore/fix the Directory.dat file");
}

TEST_F(ContextMenuTest, ResultCommandsNeedResultRows)
{
    right_click();
    for (const char* caption : {"&Save results", "&Copy results", "Clear the search &results"}) {
        EXPECT_FALSE(item(caption).enabled) << caption;
    }
    EXPECT_FALSE(item("Abort &this search").visible);
    EXPECT_FALSE(item("Abort &this search").enabled);

    search_for_rows();
    right_click();
    for (const char* caption : {"&Save results", "&Copy results", "Clear the search &results"}) {
        EXPECT_TRUE(item(caption).enabled) << caption;
    }
}

TEST_F(ContextMenuTest, BusyWindowOffersOnlyTheAbort)
{
    std::string bytes;
    for (int i = 0; i < 20; ++i) bytes += "Place " + std::to_string(1000 + i) + "\r\n";
    write_database(0, bytes);
    choose(0, "Place");
    event_loop.on_yield = [&](int yield) {
        if (yield == 10) right_click(platform::shift_key::ctrl);
    };
    form->com_Search_Click();
    ASSERT_EQ(popup_menus.opened.size(), 1u);
    for (const char* caption : {"&Save results", "&Copy results", "Clear the search &results"}) {
        EXPECT_FALSE(item(caption).enabled) << caption << " while rows are already listed";
    }
    EXPECT_TRUE(item("Abort &this search").visible);
    EXPECT_TRUE(item("Abort &this search").enabled);
    EXPECT_FALSE(item("&Restore/fix the Directory.dat file").enabled);
    EXPECT_TRUE(item("&Options").visible);
}

TEST_F(ContextMenuTest, OptionsOnlyWithShiftAloneOrCtrlAlone)
{
    const struct {
        int shift;
        bool shown;
    } cases[] = {{0, false}, {1, true}, {2, true}, {3, false}, {4, false}, {5, false}, {6, false}, {7, false}};
    for (const auto& each : cases) {
        right_click(each.shift);
        EXPECT_EQ(item("&Options").visible, each.shown) << each.shift;
    }
}

TEST_F(ContextMenuTest, RestoreItemNamesTheCategorysFile)
{
    const char* files[] = {"Directory.dat",    "PostCodes.dat",          "CallSigns.dat",
                           "InterTelDir.dat",  "InterDomainNames.dat",   "VehiclePlates.dat",
                           "InterVehicleSymbols.dat", "ZipCodesUS.dat"};
    for (int category = 0; category < 8; ++category) {
        form->ui().com_SearchType.set_list_index(category);
        right_click(platform::shift_key::shift);
        const std::string caption = std::string("&Restore/fix the ") + files[category] + " file";
        EXPECT_EQ(item(caption).caption, caption);
    }
    // A window not yet loaded holds no path: the caption's is derived and not stored.
    frm_Main unloaded(services);
    unloaded.Form_MouseDown(platform::mouse_button::right, platform::shift_key::shift, 100, 100);
    EXPECT_EQ(item("&Restore/fix the Database.dat file").caption, "&Restore/fix the Database.dat file");
    EXPECT_EQ(unloaded.search_state().DataFile_Path, "") << "the path for the caption is not stored";
}

TEST_F(ContextMenuTest, OnlyTheRightButtonOpensIt)
{
    for (int button : {platform::mouse_button::left, platform::mouse_button::middle}) {
        form->Form_MouseDown(button, 0, 10, 10);
        form->fra_Search_MouseDown(button, 0, 10, 10);
        form->opt_DiallOption_MouseDown(0, button, 0, 10, 10);
        form->com_Search_MouseDown(button, 0, 10, 10);
        form->fra_TheResults_MouseDown(button, 0, 10, 10);
    }
    EXPECT_TRUE(popup_menus.opened.empty());
    EXPECT_FALSE(form->info_window_exists());
}

TEST_F(ContextMenuTest, HandlersPassThePositionInTheWindow)
{
    const int right = platform::mouse_button::right;
    const double search_left = form->ui().fra_Search.left();
    const double search_top = form->ui().fra_Search.top();
    const struct {
        const char* name;
        std::function<void()> press;
        double x;
        double y;
    } cases[] = {
        {"window", [&] { form->Form_MouseDown(right, 0, 30.5, 41.5); }, 30, 42},
        {"category frame", [&] { form->fra_SearchType_MouseDown(right, 0, 7, 9); }, 127, 129},
        {"direction frame", [&] { form->fra_Search_MouseDown(right, 0, 7, 9); }, search_left + 7, search_top + 9},
        {"option 1 at its corner", [&] { form->opt_DiallOption_MouseDown(1, right, 0, 0, 0); },
         search_left + form->ui().opt_DiallOption_1.left(), search_top + 240},
        {"search button", [&] { form->com_Search_MouseDown(right, 0, 15, 15); }, form->ui().com_Search.left() + 15,
         1695},
        {"results frame", [&] { form->fra_TheResults_MouseDown(right, 0, 15, 15); }, 135, 2175},
        {"grid", [&] { form->flx_ResultsChart_MouseDown(right, 0, 15, 15); }, 255, 2415},
        {"far right, wider than 16 bits", [&] { form->Form_MouseDown(right, 0, 40000, 33000); }, 40000, 33000},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        each.press();
        ASSERT_FALSE(popup_menus.opened.empty());
        EXPECT_EQ(popup_menus.opened.back().x, each.x);
        EXPECT_EQ(popup_menus.opened.back().y, each.y);
    }
}

TEST_F(ContextMenuTest, RunsTheChosenCommand)
{
    search_for_rows();
    popup_menus.choose_caption = "Clear the search &results";
    right_click();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");

    popup_menus.choose_caption = "E&xit";
    platform::dispatch_event([&] { right_click(); });
    EXPECT_TRUE(platform::program_ending());
}

TEST_F(ContextMenuTest, AbortChosenDuringTheSearchStopsIt)
{
    std::string bytes;
    for (int i = 0; i < 50; ++i) bytes += "Place " + std::to_string(1000 + i) + "\r\n";
    write_database(0, bytes);
    choose(0, "Place");
    event_loop.on_yield = [&](int yield) {
        if (yield != 5) return;
        popup_menus.choose_caption = "Abort &this search";
        right_click();
    };
    message_boxes.expect(box::answer_ok);
    form->com_Search_Click();
    EXPECT_EQ(form->search_state().Match_Count, 5);
    EXPECT_EQ(cell(rows() - 1, 0), "This search was aborted.");
}

TEST_F(ContextMenuTest, LeftPressOnAnEmptyGridOpensNothing)
{
    form->flx_ResultsChart_MouseDown(platform::mouse_button::left, 0, 10, 10);
    EXPECT_FALSE(form->info_window_exists());
    EXPECT_TRUE(popup_menus.opened.empty());
}

// ---------------------------------------------------------------------------------
// Through real events

TEST_F(ContextMenuTest, ShiftRightPressOnTheGridOpensTheOptions)
{
    search_for_rows();
    auto* view = static_cast<QTableView*>(form->ui().flx_ResultsChart.widget());
    const QPoint at(20, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(view->viewport(), &press);
    ASSERT_EQ(popup_menus.opened.size(), 1u);
    EXPECT_TRUE(item("&Options").visible);
    EXPECT_TRUE(item("&Save results").enabled);
    const QPoint in_grid = view->viewport()->mapTo(view, at);
    EXPECT_EQ(popup_menus.opened[0].x, in_grid.x() * 15 + form->ui().flx_ResultsChart.left() + form->ui().fra_TheResults.left());
    EXPECT_EQ(popup_menus.opened[0].y, in_grid.y() * 15 + form->ui().flx_ResultsChart.top() + form->ui().fra_TheResults.top());
}

TEST_F(ContextMenuTest, LeftPressOnARowDuringTheSearchOpensTheInformation)
{
    std::string bytes;
    for (int i = 0; i < 30; ++i) bytes += "Place " + std::to_string(1000 + i) + "\r\n";
    write_database(0, bytes);
    choose(0, "Place");
    auto* view = static_cast<QTableView*>(form->ui().flx_ResultsChart.widget());
    event_loop.pump_real_events = true;
    event_loop.on_yield = [&](int yield) {
        if (yield != 12) return;
        platform::Control::flush_all();
        const QRect second_row = view->visualRect(view->model()->index(1, 1));
        const QPoint at = second_row.center();
        QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &press);
        ASSERT_TRUE(form->info_window_exists());
        EXPECT_EQ(form->ensure_info_window().ui().frm.caption(), "Information on; Place");
        EXPECT_EQ(form->ui().flx_ResultsChart.row(), 2);
    };
    form->com_Search_Click();
    EXPECT_TRUE(form->info_window_exists());
    EXPECT_TRUE(popup_menus.opened.empty());
}

// ---------------------------------------------------------------------------------
// Links

TEST_F(ContextMenuTest, HelpOpensThePageOrOffersTheFolder)
{
    message_boxes.expect(box::answer_no);
    form->menu_Help_Click();
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    const std::string page = folder.file("Help.htm");
    EXPECT_EQ(message_boxes.shown[0].text,
              "Zentrel can't find the help file;\r\n" + page + "\r\n\r\n\tDo you wish to display the Zentrel files?");
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel can't find file.");
    EXPECT_EQ(message_boxes.shown[0].style, box::exclamation | box::yes_no | box::default_button2);
    EXPECT_TRUE(shell.opened.empty());

    message_boxes.expect(box::answer_yes);
    form->menu_Help_Click();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, folder.path());

    folder.write_file("Help.htm", "");
    form->menu_Help_Click();
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].target, page);
    EXPECT_EQ(shell.opened[1].show_state, platform::show_state::normal);
}

TEST_F(ContextMenuTest, OpenDirectoryOpensTheProgramFolder)
{
    form->menu_Options_OpenDir_Click();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, folder.path());
}

TEST_F(ContextMenuTest, WebSiteItemsOpenTheirTargets)
{
    form->menu_URL_Click(1);
    EXPECT_TRUE(shell.opened.empty()) << "the separator opens nothing";
    form->menu_URL_Click(12);
    EXPECT_TRUE(shell.opened.empty()) << "an empty item opens nothing";

    form->ui().menu_URL[9].set_caption("https://example.org/a&b\t(described)");
    form->menu_URL_Click(9);
    form->ui().menu_URL[10].set_caption("Notes.txt\t(a file)");
    form->menu_URL_Click(10);
    form->menu_URL_Click(0);
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[0].target, "https://example.org/ab");
    EXPECT_EQ(shell.opened[1].target, folder.file("Notes.txt"));
    EXPECT_EQ(shell.opened[2].target, "http://www.example.org/zentrel/");
}

TEST_F(ContextMenuTest, LoadFileOrUrlPicksTheShowState)
{
    const struct {
        const char* target;
        bool maximise;
        const char* handed;
        int state;
    } cases[] = {
        {"https://example.org/", false, "https://example.org/", platform::show_state::normal},
        {"?https://example.org/", false, "https://example.org/", platform::show_state::minimised},
        {"??https://example.org/", true, "?https://example.org/", platform::show_state::minimised},
        {"https://example.org/?q", true, "https://example.org/?q", platform::show_state::maximised},
        {"/no/such/file.dat", false, "/no/such/file.dat", platform::show_state::normal},
    };
    for (const auto& each : cases) {
        platform::Load_File_or_URL(services, each.target, each.maximise);
        EXPECT_EQ(shell.opened.back().target, each.handed);
        EXPECT_EQ(shell.opened.back().show_state, each.state);
    }
    EXPECT_TRUE(message_boxes.shown.empty()) << "what the handler does with a target is its own affair";
}

TEST_F(ContextMenuTest, HandlerThatCannotStartIsReported)
{
    shell.handler_present = false;
    message_boxes.expect(box::answer_ok);
    platform::Load_File_or_URL(services, "?https://example.org/", false);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text,
              "Can't find or display;\r\nhttps://example.org/\r\n\r\nError = 53\r\nFile not found");
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel, web site error.");
    EXPECT_EQ(message_boxes.shown[0].style, box::exclamation);
}

TEST_F(ContextMenuTest, OpeningATargetCreatesNoWindow)
{
    form->menu_Options_OpenDir_Click();
    form->menu_URL_Click(0);
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_FALSE(form->info_window_exists());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_TRUE(window == form->ui().frm.widget() || !window->isVisible()) << "a second window is shown";
    }
}
