// The context menu: its items, the states it sets at every opening, the Options
// submenu, where it opens for a right press on each part of the window, and the
// commands it runs; the help, folder and web-site links that hand targets to the
// desktop's handler.
#include "tests/support/main_window_fixture.h"

#include "info_windows/frm_about.h"
#include "info_windows/frm_datainfo.h"
#include "platform/shell_open.h"

#include <QApplication>

#include <QTableView>

#include <cmath>
#include <optional>

using testing_support::MainWindowTest;
using testing_support::MenuItemState;
using namespace zentrel;
namespace box = platform::message_box;

class ContextMenuTest : public MainWindowTest {
protected:
    // A right press on the window's empty corner with these keys held; the menu is
    // dismissed again.
    void open_menu(Qt::KeyboardModifiers modifiers = {}) { choose_from_menu("", modifiers); }

    const MenuItemState& item(const std::string& caption) const { return popup_menus.item(caption); }

    void search_for_rows()
    {
        search(Category::UKDiallingCodes, "H*", SearchField::Name, "Haywards Heath 01444\r\nHorsham 01403\r\n");
        ASSERT_EQ(rows(), 3);
    }

    // A file of numbered places that a search for "Place" lists one by one.
    static std::string places(int count)
    {
        std::string bytes;
        for (int i = 0; i < count; ++i) bytes += "Place " + std::to_string(1000 + i) + "\r\n";
        return bytes;
    }

    // The web-site items of the last menu opened.
    const std::vector<MenuItemState>& web_site_items() const { return item("List of useful &web sites").items; }
};

TEST_F(ContextMenuTest, HoldsEveryItemInOrder)
{
    open_menu(Qt::ShiftModifier);
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
    open_menu();
    for (const char* caption : {"&Save results", "&Copy results", "Clear the search &results"}) {
        EXPECT_FALSE(item(caption).enabled) << caption;
    }
    EXPECT_FALSE(item("Abort &this search").visible);
    EXPECT_FALSE(item("Abort &this search").enabled);

    search_for_rows();
    open_menu();
    for (const char* caption : {"&Save results", "&Copy results", "Clear the search &results"}) {
        EXPECT_TRUE(item(caption).enabled) << caption;
    }
}

TEST_F(ContextMenuTest, BusyWindowOffersOnlyTheAbort)
{
    event_loop.on_yield = [&](int yield) {
        if (yield == 10) open_menu(Qt::ControlModifier);
    };
    search(Category::UKDiallingCodes, "Place", SearchField::Name, places(20));
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
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const struct {
        const char* name;
        Qt::KeyboardModifiers held;
        bool shown;
    } cases[] = {
        {"none", {}, false},
        {"Shift", shift, true},
        {"Ctrl", ctrl, true},
        {"Shift+Ctrl", shift | ctrl, false},
        {"Alt", alt, false},
        {"Shift+Alt", shift | alt, false},
        {"Ctrl+Alt", ctrl | alt, false},
        {"Shift+Ctrl+Alt", shift | ctrl | alt, false},
    };
    for (const auto& each : cases) {
        open_menu(each.held);
        EXPECT_EQ(item("&Options").visible, each.shown) << each.name;
    }
}

TEST_F(ContextMenuTest, RestoreItemNamesTheCategorysFile)
{
    const struct {
        Category category;
        const char* file;
    } cases[] = {
        {Category::UKDiallingCodes, "Directory.dat"},
        {Category::UKPostCodes, "PostCodes.dat"},
        {Category::RadioCallSigns, "CallSigns.dat"},
        {Category::InternationalDiallingCodes, "InterTelDir.dat"},
        {Category::WebDomainNames, "InterDomainNames.dat"},
        {Category::UKVehicleNumberPlates, "VehiclePlates.dat"},
        {Category::InternationalCarSymbols, "InterVehicleSymbols.dat"},
        {Category::USZipCodes, "ZipCodesUS.dat"},
    };
    for (const auto& each : cases) {
        pick_category(each.category);
        open_menu(Qt::ShiftModifier);
        const std::string caption = std::string("&Restore/fix the ") + each.file + " file";
        EXPECT_EQ(item(caption).caption, caption);
    }
    // A window shown without being loaded holds no path: the caption's is derived and
    // not stored.
    frm_Main unloaded(services);
    unloaded.ui().frm.show();
    testing_support::right_click(unloaded.ui().frm, Qt::ShiftModifier, QPoint(3, 3));
    EXPECT_EQ(item("&Restore/fix the Database.dat file").caption, "&Restore/fix the Database.dat file");
    EXPECT_EQ(unloaded.search_state().DataFile_Path, "") << "the path for the caption is not stored";
}

TEST_F(ContextMenuTest, OnlyTheRightButtonOpensIt)
{
    // The Search button takes presses while a pattern enables it; its left click searches.
    write_database(Category::UKDiallingCodes, "London 020\r\n");
    type_pattern("London");
    const auto& ui = form->ui();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        for (const platform::Control* control : std::initializer_list<const platform::Control*>{
                 &ui.frm, &ui.fra_Search, &ui.opt_DiallOption_0, &ui.com_Search, &ui.fra_TheResults}) {
            testing_support::click_at(*control->widget(), QPoint(3, 3), button);
        }
    }
    EXPECT_TRUE(popup_menus.opened.empty());
    EXPECT_EQ(info_window(), nullptr);
}

TEST_F(ContextMenuTest, HandlersPassThePositionInTheWindow)
{
    type_pattern("London"); // the Search button takes presses while enabled
    const auto& ui = form->ui();
    const double search_left = ui.fra_Search.left();
    const double search_top = ui.fra_Search.top();
    const double twips = platform::twips_per_pixel;
    const struct {
        const char* name;
        const QWidget* widget;
        QPoint at;
        std::optional<QPointF> laid_out; // where the window's layout puts that point, in twips
    } cases[] = {
        {"window", ui.frm.widget(), {2, 3}, QPointF(2 * twips, 3 * twips)},
        {"category frame", ui.fra_SearchType.widget(), {2, 3}, QPointF(120 + 2 * twips, 120 + 3 * twips)},
        {"direction frame", ui.fra_Search.widget(), {2, 3}, QPointF(search_left + 2 * twips, search_top + 3 * twips)},
        {"option 1 at its corner", ui.opt_DiallOption_1.widget(), {0, 0},
         QPointF(search_left + ui.opt_DiallOption_1.left(), search_top + 240)},
        {"search button", ui.com_Search.widget(), {1, 1}, QPointF(ui.com_Search.left() + twips, 1680 + twips)},
        {"results frame", ui.fra_TheResults.widget(), {1, 1}, QPointF(120 + twips, 2160 + twips)},
        {"grid", testing_support::grid_view(ui.flx_ResultsChart).viewport(), {1, 1}, std::nullopt},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        testing_support::right_click_at(*each.widget, each.at);
        ASSERT_FALSE(popup_menus.opened.empty());
        // The controls stand on whole pixels, the layout's twips need not: the menu opens
        // on the pixel that was pressed.
        const QPoint in_window = each.widget->mapTo(ui.frm.widget(), each.at);
        EXPECT_EQ(std::lround(popup_menus.opened.back().x / twips), in_window.x()) << "where it was pressed";
        EXPECT_EQ(std::lround(popup_menus.opened.back().y / twips), in_window.y());
        if (!each.laid_out) continue;
        EXPECT_EQ(popup_menus.opened.back().x, each.laid_out->x()) << "where the window's layout has it";
        EXPECT_EQ(popup_menus.opened.back().y, each.laid_out->y());
    }

    // Far right and down in a window larger than a 16-bit twips position holds.
    ui.frm.widget()->resize(2800, 2300);
    testing_support::right_click_at(*ui.frm.widget(), {2700, 2250});
    EXPECT_EQ(popup_menus.opened.back().x, 40500);
    EXPECT_EQ(popup_menus.opened.back().y, 33750);
}

TEST_F(ContextMenuTest, RunsTheChosenCommand)
{
    search_for_rows();
    choose_from_menu("Clear the search &results");
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");

    choose_from_menu("E&xit");
    EXPECT_TRUE(platform::program_ending());
}

TEST_F(ContextMenuTest, AbortChosenDuringTheSearchStopsIt)
{
    event_loop.on_yield = [&](int yield) {
        if (yield == 5) choose_from_menu("Abort &this search");
    };
    answer_message(box::answer_ok);
    search(Category::UKDiallingCodes, "Place", SearchField::Name, places(50));
    EXPECT_EQ(form->search_state().Match_Count, 5);
    EXPECT_EQ(cell(rows() - 1, 0), "This search was aborted.");
}

TEST_F(ContextMenuTest, LeftPressOnAnEmptyGridOpensNothing)
{
    testing_support::click_at(*testing_support::grid_view(form->ui().flx_ResultsChart).viewport(), QPoint(10, 10),
                              Qt::LeftButton);
    click_row(0);
    EXPECT_EQ(info_window(), nullptr);
    EXPECT_TRUE(popup_menus.opened.empty());
}

// ---------------------------------------------------------------------------------
// Through real events

TEST_F(ContextMenuTest, ShiftRightPressOnTheGridOpensTheOptions)
{
    search_for_rows();
    const QTableView* view = &testing_support::grid_view(form->ui().flx_ResultsChart);
    const QPoint at(20, 10);
    testing_support::right_click_at(*view->viewport(), at, Qt::ShiftModifier);
    ASSERT_EQ(popup_menus.opened.size(), 1u);
    EXPECT_TRUE(item("&Options").visible);
    EXPECT_TRUE(item("&Save results").enabled);
    const QPoint in_grid = view->viewport()->mapTo(view, at);
    EXPECT_EQ(popup_menus.opened[0].x, in_grid.x() * 15 + form->ui().flx_ResultsChart.left() + form->ui().fra_TheResults.left());
    EXPECT_EQ(popup_menus.opened[0].y, in_grid.y() * 15 + form->ui().flx_ResultsChart.top() + form->ui().fra_TheResults.top());
}

TEST_F(ContextMenuTest, LeftPressOnARowDuringTheSearchOpensTheInformation)
{
    event_loop.pump_real_events = true;
    event_loop.on_yield = [&](int yield) {
        if (yield != 12) return;
        click_row(2);
        ASSERT_NE(info_window(), nullptr);
        EXPECT_EQ(info_window()->ui().frm.caption(), "Information on; Place");
        EXPECT_EQ(form->ui().flx_ResultsChart.row(), 2);
    };
    search(Category::UKDiallingCodes, "Place", SearchField::Name, places(30));
    EXPECT_NE(info_window(), nullptr);
    EXPECT_TRUE(popup_menus.opened.empty());
}

// ---------------------------------------------------------------------------------
// Links

TEST_F(ContextMenuTest, HelpOpensThePageOrOffersTheFolder)
{
    answer_message(box::answer_no);
    choose_from_menu("Zentrel &Help");
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    const std::string page = folder.file("Help.htm");
    EXPECT_EQ(message_boxes.shown[0].text,
              "Zentrel can't find the help file;\r\n" + page + "\r\n\r\n\tDo you wish to display the Zentrel files?");
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel can't find file.");
    EXPECT_EQ(message_boxes.shown[0].style, box::exclamation | box::yes_no | box::default_button2);
    EXPECT_TRUE(shell.opened.empty());

    answer_message(box::answer_yes);
    choose_from_menu("Zentrel &Help");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, folder.path());

    folder.write_file("Help.htm", "");
    choose_from_menu("Zentrel &Help");
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].target, page);
    EXPECT_EQ(shell.opened[1].show_state, platform::show_state::normal);
}

TEST_F(ContextMenuTest, OpenDirectoryOpensTheProgramFolder)
{
    choose_from_menu("Open the Zentrel &directory.", Qt::ShiftModifier);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, folder.path());
}

TEST_F(ContextMenuTest, WebSiteItemsOpenTheirTargets)
{
    choose_from_menu(std::string(60, '-'));
    EXPECT_TRUE(shell.opened.empty()) << "the separator opens nothing";
    ASSERT_EQ(web_site_items().size(), 21u);
    EXPECT_FALSE(web_site_items()[12].visible) << "an empty item is not offered";
    EXPECT_FALSE(web_site_items()[12].enabled);

    // Captions of the program's own making: an ampersand, a file in the program's folder.
    form->ui().menu_URL[6].set_caption("https://example.org/a&b\t(described)");
    choose_from_menu("https://example.org/a&b\t(described)");
    form->ui().menu_URL[7].set_caption("Notes.txt\t(a file)");
    choose_from_menu("Notes.txt\t(a file)");
    choose_from_menu(form->ui().menu_URL[0].caption());
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
    shell.failure = "xdg-open is not installed";
    message_boxes.expect(box::answer_ok);
    platform::Load_File_or_URL(services, "?https://example.org/", false);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text, "Can't find or display;\r\nhttps://example.org/\r\n\r\nError = 31\r\n"
                                           "No program could open the file or address: xdg-open is not installed");
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel, web site error.");
    EXPECT_EQ(message_boxes.shown[0].style, box::exclamation);
}

TEST_F(ContextMenuTest, OpeningATargetCreatesNoWindow)
{
    choose_from_menu("Open the Zentrel &directory.", Qt::ShiftModifier);
    choose_from_menu(form->ui().menu_URL[0].caption());
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(info_window(), nullptr);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_TRUE(window == form->ui().frm.widget() || !window->isVisible()) << "a second window is shown";
    }
}
