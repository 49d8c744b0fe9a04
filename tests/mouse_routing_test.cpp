// Mouse presses on the real widgets of the main window, made as a user makes them and
// released again: which presses open the context menu, and how often; what the grid's
// scroll bar, its header row and its cells do with a press.
#include "tests/support/main_window_fixture.h"
#include "tests/support/scroll_bar_parts.h"

#include "info_windows/frm_datainfo.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

using testing_support::click_at;
using testing_support::MainWindowTest;
using testing_support::right_click_at;
using testing_support::scroll_bar_part;
using zentrel::Category;
using zentrel::SearchField;

class MouseRoutingTest : public MainWindowTest {
protected:
    QTableView& grid_view() const { return testing_support::grid_view(form->ui().flx_ResultsChart); }
    QWidget& header_row() const { return *grid_view().horizontalHeader()->viewport(); }

    // Lists more rows than the grid can show at once: "Place 0" to "Place 99".
    void search_for_many_rows()
    {
        std::string bytes;
        for (int i = 0; i < 100; ++i) bytes += std::to_string(10000 + i) + " Place " + std::to_string(i) + "\r\n";
        search(Category::USZipCodes, "Place*", SearchField::Name, bytes);
        ASSERT_EQ(rows(), 101);
        show_on_screen();
    }

    void show_on_screen()
    {
        platform::Control::flush_all();
        QCoreApplication::processEvents();
    }

    // Where a point of a widget lies in the main window's inner area, in twips.
    QPointF in_window_twips(const QWidget& widget, QPoint at) const
    {
        const QPoint in_window = widget.mapTo(form->ui().frm.widget(), at);
        return {in_window.x() * platform::twips_per_pixel, in_window.y() * platform::twips_per_pixel};
    }

    void expect_one_menu_at(const QWidget& widget, QPoint at)
    {
        ASSERT_EQ(popup_menus.opened.size(), 1u);
        const QPointF expected = in_window_twips(widget, at);
        EXPECT_EQ(popup_menus.opened[0].x, expected.x());
        EXPECT_EQ(popup_menus.opened[0].y, expected.y());
    }
};

// ---------------------------------------------------------------------------------
// The grid's scroll bar belongs to the scroll bar

TEST_F(MouseRoutingTest, ClickOnTheScrollBarGroovePagesTheRows)
{
    search_for_many_rows();
    QScrollBar& bar = *grid_view().verticalScrollBar();
    ASSERT_TRUE(bar.isVisible());
    ASSERT_EQ(bar.value(), 0);
    click_at(bar, scroll_bar_part(bar, QStyle::SC_ScrollBarAddPage).center(), Qt::LeftButton);
    EXPECT_GT(bar.value(), 0) << "the rows scroll by a page";
    EXPECT_EQ(info_window(), nullptr) << "a press on the scroll bar is no press on a row";
    EXPECT_TRUE(popup_menus.opened.empty());
}

TEST_F(MouseRoutingTest, DragOfTheScrollBarSliderScrollsTheRows)
{
    search_for_many_rows();
    QScrollBar& bar = *grid_view().verticalScrollBar();
    const QPoint grip = scroll_bar_part(bar, QStyle::SC_ScrollBarSlider).center();
    testing_support::drag_at(bar, grip, grip + QPoint(0, 20));
    EXPECT_GT(bar.value(), 0);
    EXPECT_EQ(info_window(), nullptr);
    EXPECT_TRUE(popup_menus.opened.empty());

    // The rows moved under the pointer: a click on a row in view now tells of a later row.
    // (The top row may be cut by the header row: the click goes to the middle of the view.)
    const QPoint in_view = grid_view().viewport()->rect().center();
    click_at(*grid_view().viewport(), in_view, Qt::LeftButton);
    ASSERT_NE(info_window(), nullptr);
    EXPECT_NE(info_window()->ui().frm.caption(), "Information on; Place 0");
    EXPECT_EQ(info_window()->ui().frm.caption(), "Information on; " + cell(form->ui().flx_ResultsChart.row(), 1));
    EXPECT_GT(form->ui().flx_ResultsChart.row(), 1);
}

// ---------------------------------------------------------------------------------
// The header row is part of the grid

TEST_F(MouseRoutingTest, RightPressOnTheHeaderRowOpensTheMenuWhereItWasPressed)
{
    const QPoint at(30, 5);
    right_click_at(header_row(), at, Qt::ShiftModifier);
    expect_one_menu_at(header_row(), at);
    EXPECT_TRUE(popup_menus.item("&Options").visible);
}

TEST_F(MouseRoutingTest, LeftPressOnTheHeaderRowTellsOfTheFirstRow)
{
    click_at(header_row(), QPoint(30, 5), Qt::LeftButton);
    EXPECT_EQ(info_window(), nullptr) << "the header row alone has nothing to tell";

    search_for_many_rows();
    click_at(header_row(), QPoint(30, 5), Qt::LeftButton);
    ASSERT_NE(info_window(), nullptr);
    EXPECT_EQ(info_window()->ui().frm.caption(), "Information on; Place 0");
    EXPECT_TRUE(popup_menus.opened.empty());
}

// ---------------------------------------------------------------------------------
// One right press, one menu; none from the controls without a mouse handler

TEST_F(MouseRoutingTest, RightPressOnAnOptionOrTheSearchButtonOpensTheMenuOnce)
{
    type_pattern("London"); // the Search button takes presses while enabled
    show_on_screen();
    const double search_left = form->ui().fra_Search.left();
    const double search_top = form->ui().fra_Search.top();
    const struct {
        const char* name;
        platform::Control& control;
        double left; // the control's top-left corner in the window, in twips
        double top;
    } cases[] = {
        {"option 0", form->ui().opt_DiallOption_0, search_left + form->ui().opt_DiallOption_0.left(),
         search_top + form->ui().opt_DiallOption_0.top()},
        {"option 1", form->ui().opt_DiallOption_1, search_left + form->ui().opt_DiallOption_1.left(),
         search_top + form->ui().opt_DiallOption_1.top()},
        {"Search button", form->ui().com_Search, form->ui().com_Search.left(), form->ui().com_Search.top()},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        popup_menus.opened.clear();
        right_click_at(*each.control.widget(), QPoint(3, 4));
        ASSERT_EQ(popup_menus.opened.size(), 1u);
        EXPECT_EQ(popup_menus.opened[0].x, each.left + 3 * platform::twips_per_pixel);
        EXPECT_EQ(popup_menus.opened[0].y, each.top + 4 * platform::twips_per_pixel);
    }
}

TEST_F(MouseRoutingTest, CommandChosenFromTheMenuOpensNoSecondMenu)
{
    search_for_many_rows();
    popup_menus.choose_caption = "&Copy results";
    right_click_at(*form->ui().opt_DiallOption_1.widget(), QPoint(3, 4));
    EXPECT_EQ(popup_menus.opened.size(), 1u);
    EXPECT_NE(clipboard.text, "") << "the chosen command ran";
}

TEST_F(MouseRoutingTest, LeftClicksOnTheOptionsAndTheButtonStillAct)
{
    click_at(*form->ui().opt_DiallOption_0.widget(), QPoint(5, 8), Qt::LeftButton);
    EXPECT_TRUE(form->ui().opt_DiallOption_0.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(52)));

    write_database(Category::UKDiallingCodes, "Haywards Heath 01444\r\n");
    type_pattern("01444");
    click_search();
    EXPECT_EQ(rows(), 2) << "the button searched";
    EXPECT_TRUE(popup_menus.opened.empty());
}

TEST_F(MouseRoutingTest, CategoryListPatternBoxAndArrowOpenNoMenu)
{
    const struct {
        const char* name;
        QWidget* widget;
    } cases[] = {
        {"category list", form->ui().com_SearchType.widget()},
        {"pattern box", form->ui().txt_Inputbox.widget()},
        {"arrow", form->ui().lab_Direction.widget()},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        popup_menus.opened.clear();
        testing_support::ToolkitMenus edit_menus; // the pattern box's own edit menu
        right_click_at(*each.widget, QPoint(4, 4));
        edit_menus.close_shown();
        EXPECT_TRUE(popup_menus.opened.empty());
    }
}
