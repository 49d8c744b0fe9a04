// The results grid as a user meets it in the real window: its scroll bars and where they
// stand, what a click on a cell does to the view, what a new listing shows, the header
// row's headings drawn whole, and the program's menu from a right press on a scroll bar.
#include "tests/support/main_window_fixture.h"
#include "tests/support/scroll_bar_parts.h"
#include "tests/support/user_actions.h"

#include "info_windows/frm_datainfo.h"

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>
#include <vector>
#include <string>

using testing_support::MainWindowTest;
using zentrel::Category;
using zentrel::SearchField;

namespace {

// The rows from the top to the bottom of the dark pixels (text, underline) in a stripe of
// a picture; 0 where there are none.
int ink_height(const QImage& picture, int left, int right)
{
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = std::max(0, left); x < std::min(picture.width(), right); ++x) {
            if (qGray(picture.pixel(x, y)) >= 110) continue;
            if (top < 0) top = y;
            bottom = y;
            break;
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

} // namespace

class GridViewTest : public MainWindowTest {
protected:
    QTableView& view() const { return testing_support::grid_view(form->ui().flx_ResultsChart); }
    QScrollBar& sideways() const { return *view().horizontalScrollBar(); }
    QHeaderView& header_row() const { return *view().horizontalHeader(); }

    // Lists "10000 Place 0" and on, US ZIP codes, by a search started with Enter.
    void list_rows(int count)
    {
        std::string bytes;
        for (int i = 0; i < count; ++i) bytes += std::to_string(10000 + i) + " Place " + std::to_string(i) + "\r\n";
        write_database(Category::USZipCodes, bytes);
        search_with_enter(Category::USZipCodes, "Place*", SearchField::Name);
        ASSERT_EQ(rows(), count + 1);
    }

    // Pages the grid sideways with its scroll bar, as a user brings the names into view.
    void page_sideways()
    {
        testing_support::click_at(sideways(), testing_support::scroll_bar_part(sideways(), QStyle::SC_ScrollBarAddPage).center(), Qt::LeftButton);
        ASSERT_GT(sideways().value(), 0);
    }

    // The part of the window that a widget covers, as drawn now.
    QImage grab_of(const QWidget& widget) const
    {
        platform::Control::flush_all();
        const QRect area(widget.mapTo(form->ui().frm.widget(), QPoint(0, 0)), widget.size());
        return form->ui().frm.widget()->grab(area).toImage();
    }

    // Where a widget lies inside another that holds it.
    static QRect rect_in(const QWidget& widget, const QWidget& holder)
    {
        return {widget.mapTo(&holder, QPoint(0, 0)), widget.size()};
    }
};

// ---------------------------------------------------------------------------------
// The view sideways

TEST_F(GridViewTest, ClickOnACellKeepsTheCodesInView)
{
    list_rows(100);
    ASSERT_TRUE(sideways().isVisible()) << "the columns are wider than the view";
    const QImage header_before = grab_of(header_row());
    const int names_left = header_row().sectionViewportPosition(1);
    const struct {
        const char* name;
        QWidget* widget;
        QPoint at;
        const char* row_told;
    } cases[] = {
        {"a name", view().viewport(), {names_left + 20, 8}, "Place 0"},
        {"a name further down", view().viewport(), {names_left + 40, 2 * 16 + 8}, "Place 2"},
        {"a code", view().viewport(), {10, 16 + 8}, "Place 1"},
        {"the name heading", header_row().viewport(), {names_left + 20, 8}, "Place 0"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        testing_support::click_at(*each.widget, each.at, Qt::LeftButton);
        EXPECT_EQ(sideways().value(), 0);
        EXPECT_EQ(header_row().sectionViewportPosition(0), 0) << "the code column stays at the left";
        EXPECT_TRUE(grab_of(header_row()) == header_before) << "the header row is drawn where it was";
        ASSERT_NE(info_window(), nullptr) << "the click tells of its row";
        EXPECT_EQ(info_window()->ui().frm.caption(), std::string("Information on; ") + each.row_told);
    }
}

TEST_F(GridViewTest, ScrollBarBringsTheNamesAndEveryNewListingShowsTheCodesAgain)
{
    const struct {
        const char* name;
        std::function<void()> act;
    } cases[] = {
        {"a new search", [this] { press_enter(); }},
        {"the clear command", [this] { choose_from_menu("Clear the search &results"); }},
        {"another category", [this] { pick_category(Category::InternationalCarSymbols); }},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        list_rows(100);
        page_sideways();
        ASSERT_LT(header_row().sectionViewportPosition(0), 0) << "the codes went out of view";
        each.act();
        EXPECT_EQ(sideways().value(), 0);
        EXPECT_EQ(header_row().sectionViewportPosition(0), 0);
    }
}

TEST_F(GridViewTest, ScrollBarStandsBelowTheRowsInsideTheFrame)
{
    const QWidget& frame = *form->ui().fra_TheResults.widget();
    for (const int count : {0, 3, 100}) {
        SCOPED_TRACE(std::to_string(count) + " rows");
        if (count > 0) list_rows(count);
        QCoreApplication::processEvents();
        ASSERT_TRUE(sideways().isVisible()) << "the columns are wider than the view";
        const QRect bar = rect_in(sideways(), frame);
        EXPECT_LE(bar.bottom(), frame.height() - 3) << "the whole bar within the frame's border";
        EXPECT_GE(bar.left(), 0);
        EXPECT_LE(bar.right(), frame.width() - 3);
        if (count == 100) {
            EXPECT_TRUE(view().verticalScrollBar()->isVisible());
            continue;
        }
        EXPECT_FALSE(view().verticalScrollBar()->isVisible()) << "every row is in view";
        const QRect rows_shown = rect_in(*view().viewport(), frame);
        EXPECT_GE(rows_shown.height(), count * 16);
        EXPECT_GE(bar.top(), rows_shown.top() + count * 16) << "the bar covers no row";
        EXPECT_GE(rows_shown.top(), rect_in(header_row(), frame).bottom()) << "nor the header row";
    }
}

// Where the horizontal bar's handle is drawn, found in a grab of the window: along the
// bar's middle line, inside its groove, the handle is drawn lighter than the groove.
// Given as the parts of the groove before the handle's left and right ends.
struct HandleSeen {
    double from = -1;
    double to = -1;
};

TEST_F(GridViewTest, HorizontalHandleIsDrawnWhereTheViewIs)
{
    write_database(Category::UKDiallingCodes, "Bath 01225\r\nBedford 01234\r\nBirmingham 0121\r\n"
                                              "Blackpool 01253\r\nBroadford (Isle of Skye) 01471\r\n");
    search_with_enter(Category::UKDiallingCodes, "b*", SearchField::Name);
    ASSERT_EQ(rows(), 6);
    const auto handle_seen = [this] {
        const QImage shot = grab_of(sideways());
        const QRect groove = testing_support::scroll_bar_part(sideways(), QStyle::SC_ScrollBarGroove);
        const int y = groove.center().y();
        // The groove's colour and the handle's are the two drawn most often on that line.
        std::map<int, int> drawn;
        for (int x = groove.left(); x <= groove.right(); ++x) ++drawn[qGray(shot.pixel(x, y))];
        std::vector<std::pair<int, int>> by_count;
        for (const auto& [grey, count] : drawn) by_count.emplace_back(count, grey);
        std::sort(by_count.rbegin(), by_count.rend());
        EXPECT_GE(by_count.size(), 2u) << "a handle on a groove";
        if (by_count.size() < 2) return HandleSeen{};
        const int lightest = std::max(by_count[0].second, by_count[1].second);
        const int darkest = std::min(by_count[0].second, by_count[1].second);
        HandleSeen seen;
        for (int x = groove.left(); x <= groove.right(); ++x) {
            if (2 * qGray(shot.pixel(x, y)) < lightest + darkest) continue;
            if (seen.from < 0) seen.from = double(x - groove.left()) / groove.width();
            seen.to = double(x + 1 - groove.left()) / groove.width();
        }
        return seen;
    };
    // The part of the columns in view, as parts of their whole width.
    const auto view_part = [this] {
        const double whole = header_row().length();
        const double from = -header_row().sectionViewportPosition(0);
        return HandleSeen{from / whole, (from + view().viewport()->width()) / whole};
    };
    const int handle_y = sideways().height() / 2;
    const struct {
        const char* name;
        std::function<void()> act;
    } steps[] = {
        {"the handle dragged to the right end",
         [&] {
             const QRect handle = testing_support::scroll_bar_part(sideways(), QStyle::SC_ScrollBarSlider);
             testing_support::drag_at(sideways(), handle.center(), {sideways().width() + 40, handle_y});
         }},
        {"the handle dragged back",
         [&] {
             const QRect handle = testing_support::scroll_bar_part(sideways(), QStyle::SC_ScrollBarSlider);
             testing_support::drag_at(sideways(), handle.center(), {-40, handle_y});
         }},
        {"the right arrow", [&] { testing_support::click_at(sideways(), {sideways().width() - 4, handle_y}, Qt::LeftButton); }},
        {"the trough right of the handle",
         [&] {
             testing_support::click_at(sideways(), testing_support::scroll_bar_part(sideways(), QStyle::SC_ScrollBarAddPage).center(), Qt::LeftButton);
         }},
        {"the left arrow", [&] { testing_support::click_at(sideways(), {4, handle_y}, Qt::LeftButton); }},
        {"the trough left of the handle",
         [&] {
             testing_support::click_at(sideways(), testing_support::scroll_bar_part(sideways(), QStyle::SC_ScrollBarSubPage).center(), Qt::LeftButton);
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        const HandleSeen seen = handle_seen();
        const HandleSeen shown = view_part();
        // The handle is long enough here that the style's shortest handle does not come in.
        EXPECT_NEAR(seen.from, shown.from, 0.03);
        EXPECT_NEAR(seen.to, shown.to, 0.03);
    }
}

TEST_F(GridViewTest, KeysAlongARowKeepTheCodesInView)
{
    list_rows(100);
    form->ui().flx_ResultsChart.set_focus();
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int sideways_before; // -1: the bar at the end of the names
    } cases[] = {
        {"Right", Qt::Key_Right, Qt::NoModifier, 0},
        {"Left, from the end of the names", Qt::Key_Left, Qt::NoModifier, -1},
        {"End", Qt::Key_End, Qt::NoModifier, 0},
        {"Home, from the end of the names", Qt::Key_Home, Qt::NoModifier, -1},
        {"Ctrl+End", Qt::Key_End, Qt::ControlModifier, 0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        sideways().setValue(each.sideways_before < 0 ? sideways().maximum() : each.sideways_before);
        testing_support::press_key(form->ui().frm, each.key, each.modifiers);
        EXPECT_EQ(sideways().value(), 0);
        EXPECT_EQ(header_row().sectionViewportPosition(0), 0) << "the codes in view, the names beside them";
    }
}

// ---------------------------------------------------------------------------------
// The scroll bars and the program's menu

TEST_F(GridViewTest, RightPressOnEitherScrollBarOpensTheProgramsMenu)
{
    list_rows(100);
    const struct {
        const char* name;
        QScrollBar* bar;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"horizontal", view().horizontalScrollBar(), Qt::NoModifier},
        {"vertical", view().verticalScrollBar(), Qt::NoModifier},
        {"horizontal, Shift held", view().horizontalScrollBar(), Qt::ShiftModifier},
        {"vertical, Ctrl held", view().verticalScrollBar(), Qt::ControlModifier},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        ASSERT_TRUE(each.bar->isVisible());
        popup_menus.opened.clear();
        testing_support::ToolkitMenus toolkit_menus;
        const QPoint at(each.bar->width() / 2, each.bar->height() / 2);
        testing_support::right_click_at(*each.bar, at, each.modifiers);
        toolkit_menus.close_shown();
        EXPECT_TRUE(toolkit_menus.shown.empty()) << "no menu of the scroll bar's own";
        ASSERT_EQ(popup_menus.opened.size(), 1u);
        const QPoint in_window = each.bar->mapTo(form->ui().frm.widget(), at);
        EXPECT_EQ(popup_menus.opened[0].x, in_window.x() * platform::twips_per_pixel);
        EXPECT_EQ(popup_menus.opened[0].y, in_window.y() * platform::twips_per_pixel);
        EXPECT_EQ(popup_menus.item("&Options").visible, each.modifiers != Qt::NoModifier);
        EXPECT_EQ(each.bar->value(), 0) << "the bar does not move";
    }
}

// ---------------------------------------------------------------------------------
// The header row

TEST_F(GridViewTest, HeaderRowShowsItsHeadingsWhole)
{
    for (int category = 0; category < zentrel::category_count; ++category) {
        pick_category(static_cast<Category>(category));
        QCoreApplication::processEvents();
        const QImage shot = grab_of(header_row());
        for (int col = 0; col < 2; ++col) {
            const std::string& heading = cell(0, col);
            SCOPED_TRACE(heading);
            const QFont font = qvariant_cast<QFont>(view().model()->headerData(col, Qt::Horizontal, Qt::FontRole));
            const QString text = QString::fromLatin1(heading.c_str());
            const int text_width = QFontMetrics(font).horizontalAdvance(text);
            // The heading drawn alone, with room all round.
            QImage whole(text_width + 8, 3 * QFontMetrics(font).height(), QImage::Format_RGB32);
            whole.fill(Qt::white);
            QPainter painter(&whole);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(4, QFontMetrics(font).height() * 2), text);
            painter.end();
            const int left = header_row().sectionViewportPosition(col) + 6;
            const int right = std::min(left + text_width - 4, header_row().sectionViewportPosition(col) +
                                                                   header_row().sectionSize(col) - 2);
            EXPECT_EQ(ink_height(shot, left, right), ink_height(whole, 4 + 2, 4 + text_width - 4))
                << "the heading with its descenders and underline";
        }
    }
}
