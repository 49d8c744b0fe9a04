// The layer's controls: the values they keep, the events they raise, how their values
// reach the screen, and that text is always shown as typed, never read as markup.
#include "platform/widgets/controls.h"
#include "platform/widgets/grid.h"
#include "platform/widgets/qt_bridge.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QWidget>

using namespace platform;

namespace {

class ControlsTest : public ::testing::Test {
protected:
    Window window{"Caption", 4680, 3960};
};

} // namespace

TEST_F(ControlsTest, ControlsGiveBackEveryValueUnchanged)
{
    Frame frame(window, " Frame ", 120.4, 120, 4455.5, 735);
    frame.set_width(-15);
    EXPECT_EQ(frame.left(), 120.4);
    EXPECT_EQ(frame.width(), -15) << "the value given, even where the screen cannot show it";
    frame.set_back_colour(0x80000005);
    EXPECT_EQ(frame.back_colour(), 0x80000005u);
    frame.set_font_size(22);
    EXPECT_EQ(frame.font().size, 22);
    Control::flush_all();
    EXPECT_EQ(frame.widget()->width(), 0);
}

TEST_F(ControlsTest, TextReachesTheScreenAsWindows1252)
{
    TextBox box(window, "", 0, 0, 1500, 375);
    box.set_text("caf\xE9 \x80 \x82");
    Control::flush_all();
    EXPECT_EQ(static_cast<QLineEdit*>(box.widget())->text(), QString::fromUtf8("caf\u00E9 \u20AC \u201A"));
    window.set_caption("\x93quoted\x94");
    Control::flush_all();
    EXPECT_EQ(window.widget()->windowTitle(), QString::fromUtf8("\u201Cquoted\u201D"));
}

TEST_F(ControlsTest, MarkupIsShownAsTyped)
{
    Label label(window, "<b>x</b>", 0, 0, 1000, 255);
    label.set_tooltip("<b>x</b> & <i>y</i>");
    Frame frame(window, "<b>frame</b>", 0, 0, 1000, 600);
    Control::flush_all();
    auto* shown = static_cast<QLabel*>(label.widget());
    EXPECT_EQ(shown->textFormat(), Qt::PlainText);
    EXPECT_EQ(shown->text(), QStringLiteral("<b>x</b>"));
    const QString tooltip = label.widget()->toolTip();
    EXPECT_TRUE(tooltip.contains(QStringLiteral("&lt;b&gt;x&lt;/b&gt; &amp; &lt;i&gt;y&lt;/i&gt;"))) << tooltip.toStdString();
    EXPECT_EQ(static_cast<QGroupBox*>(frame.widget())->title(), QStringLiteral("<b>frame</b>"));
    EXPECT_EQ(qt::plain_tooltip("plain text"), QStringLiteral("plain text"));
}

TEST_F(ControlsTest, OptionButtonsOfOneParentFormAGroup)
{
    Frame frame(window, "", 0, 0, 4000, 600);
    OptionButton first(frame, "First", 0, 0, 1000, 255);
    OptionButton second(frame, "Second", 2000, 0, 1000, 255);
    OptionButton elsewhere(window, "Elsewhere", 0, 800, 1000, 255);
    int clicks = 0;
    second.on_click([&] { ++clicks; });
    elsewhere.set_value(true);
    first.set_value(true);
    second.set_value(true);
    EXPECT_FALSE(first.value());
    EXPECT_TRUE(second.value());
    EXPECT_TRUE(elsewhere.value()) << "another parent is another group";
    second.set_value(true);
    EXPECT_EQ(clicks, 2) << "selecting by program raises the click every time";
}

TEST_F(ControlsTest, ListAndTextBoxRaiseTheirEvents)
{
    ComboBox list(window, 0, 0, 3000, 315);
    int clicks = 0;
    list.on_click([&] { ++clicks; });
    list.add_item("one");
    list.add_item("two");
    EXPECT_EQ(list.text(), "") << "no entry picked yet";
    list.set_list_index(1);
    EXPECT_EQ(list.text(), "two");
    list.set_list_index(5);
    EXPECT_EQ(list.list_index(), 1) << "an index outside the list is refused";
    list.set_list_index(-1);
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(clicks, 1);

    TextBox box(window, "start", 0, 0, 1500, 375);
    int changes = 0;
    box.on_change([&] { ++changes; });
    box.set_text("start");
    box.set_text("next");
    box.set_text("next");
    EXPECT_EQ(changes, 1) << "only a different text is a change";
}

TEST_F(ControlsTest, SelfSizingLabelTakesItsCaptionsSize)
{
    Label label(window, "", 100, 200, 0, 0);
    label.set_font(Font{"Arial", 8, true, false, true});
    label.set_auto_size(true);
    label.set_caption("/tmp/some/Directory.dat");
    window.set_font(label.font());
    EXPECT_GE(label.width(), window.text_width("/tmp/some/Directory.dat"));
    EXPECT_LT(label.width(), window.text_width("/tmp/some/Directory.dat") + twips_per_pixel);
    EXPECT_EQ(label.left(), 100);
    const double short_width = label.width();
    label.set_caption("/tmp/some/much/longer/path/Directory.dat");
    EXPECT_GT(label.width(), short_width);
}

TEST_F(ControlsTest, PrintingMovesThePrintPosition)
{
    window.set_font(Font{"Arial", 10, true, false, false});
    window.set_fore_colour(rgb(255, 0, 0));
    window.print("left ");
    const double after_left = window.current_x();
    EXPECT_EQ(after_left, window.text_width("left "));
    window.set_current_x(1600);
    window.print_line("value");
    EXPECT_EQ(window.current_x(), 0);
    EXPECT_EQ(window.current_y(), window.text_height());
    window.print_line();
    ASSERT_EQ(window.printed().size(), 2u) << "an empty line prints nothing but moves down";
    EXPECT_EQ(window.printed()[1].text, "value");
    EXPECT_EQ(window.printed()[1].x, 1600);
    EXPECT_EQ(window.printed()[1].y, 0);
    EXPECT_EQ(window.printed()[1].colour, rgb(255, 0, 0));
    EXPECT_TRUE(window.printed()[1].font.bold);
    EXPECT_EQ(window.current_y(), 2 * window.text_height());
    window.cls();
    EXPECT_TRUE(window.printed().empty());
    EXPECT_EQ(window.current_y(), 0);
}

TEST_F(ControlsTest, GridHandsItsRowsToTheViewInBatches)
{
    Grid grid(window, 120, 240, 4215, 1335);
    Control::flush_all();
    auto* view = static_cast<QTableView*>(grid.widget());
    for (int i = 1; i <= 1000; ++i) {
        grid.set_rows(grid.rows() + 1);
        grid.set_row(grid.rows() - 1);
        grid.set_col(1);
        grid.set_text("row " + std::to_string(i));
    }
    EXPECT_EQ(view->model()->rowCount(), 0) << "nothing reaches the view before the flush";
    Control::flush_all();
    EXPECT_EQ(view->model()->rowCount(), 1000);
    EXPECT_EQ(view->model()->data(view->model()->index(999, 1)).toString(), QStringLiteral("row 1000"));
    grid.set_rows(1);
    grid.set_rows(3);
    grid.set_row(2);
    grid.set_col(0);
    grid.set_text("fresh");
    Control::flush_all();
    EXPECT_EQ(view->model()->rowCount(), 2);
    EXPECT_EQ(view->model()->data(view->model()->index(1, 0)).toString(), QStringLiteral("fresh"));
}

TEST_F(ControlsTest, LinksShowAPointingHandWithItsHotSpotAtTheFingerTip)
{
    Label link(window, "http://www.example.org/", 0, 0, 2000, 255);
    link.set_link_cursor(true);
    Control::flush_all();
    const QCursor cursor = link.widget()->cursor();
    EXPECT_EQ(cursor.hotSpot(), QPoint(13, 5));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    const QImage picture = cursor.pixmap().toImage();
    EXPECT_GT(qAlpha(picture.pixel(13, 5)), 0) << "the hot spot lies on the finger";
    link.set_link_cursor(false);
    Control::flush_all();
    EXPECT_EQ(link.widget()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ControlsTest, HugeTextsAreShownInPartButKeptWhole)
{
    const std::string huge(10 * 1024 * 1024, 'x');
    Grid grid(window, 120, 240, 4215, 1335);
    grid.set_rows(2);
    grid.set_row(1);
    grid.set_col(1);
    grid.set_text(huge);
    window.set_caption("Information on; " + huge);
    Control::flush_all();
    auto* view = static_cast<QTableView*>(grid.widget());
    EXPECT_EQ(view->model()->data(view->model()->index(0, 1)).toString().size(),
              static_cast<qsizetype>(qt::shown_characters));
    EXPECT_EQ(window.widget()->windowTitle().size(), static_cast<qsizetype>(qt::shown_characters));
    EXPECT_EQ(grid.cell(1, 1).text.size(), huge.size()) << "the program keeps the whole text";
    EXPECT_EQ(window.caption().size(), huge.size() + 16);
}
