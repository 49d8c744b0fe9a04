// What the main window shows on screen, read back from grabs of the real window: the
// busy colours while a search or a restore runs, on disabled controls as well, and the
// restore's error row.
#include "tests/support/main_window_fixture.h"

#include <QImage>
#include <QTableView>
#include <QWidget>

#include <sys/stat.h>

#include <string>
#include <vector>

using testing_support::MainWindowTest;
using zentrel::Category;
namespace box = platform::message_box;

namespace {

constexpr QRgb light_green = qRgb(127, 255, 127);
constexpr QRgb restoring_blue = qRgb(80, 80, 255);

std::string rgb_text(QRgb colour)
{
    return "(" + std::to_string(qRed(colour)) + ", " + std::to_string(qGreen(colour)) + ", " +
           std::to_string(qBlue(colour)) + ")";
}

} // namespace

class ScreenTest : public MainWindowTest {
protected:
    // The window as it is on screen now.
    QImage grab_window() const
    {
        platform::Control::flush_all();
        return form->ui().frm.widget()->grab().toImage();
    }

    // A place in a control where nothing but the control's background is drawn: clear
    // of its caption, its text, its borders and the controls inside it.
    struct Place {
        const char* name;
        const platform::Control& control;
        QPoint at; // from the control's top-left corner; a negative value counts from the far edge
    };

    std::vector<Place> coloured_places() const
    {
        return {
            {"window", form->ui().frm, {3, 3}},
            {"category frame", form->ui().fra_SearchType, {-8, -6}},
            {"category list", form->ui().com_SearchType, {-30, -5}},
            {"direction frame", form->ui().fra_Search, {-8, -5}},
            {"option 0", form->ui().opt_DiallOption_0, {-2, 1}},
            {"option 1", form->ui().opt_DiallOption_1, {1, 1}},
            {"results frame", form->ui().fra_TheResults, {-8, -6}},
            {"pattern box", form->ui().txt_Inputbox, {-5, -5}},
            {"Search button", form->ui().com_Search, {5, 5}},
        };
    }

    QRgb colour_at(const QImage& shot, const Place& place) const
    {
        const QWidget& widget = *place.control.widget();
        const QPoint at(place.at.x() >= 0 ? place.at.x() : widget.width() + place.at.x(),
                        place.at.y() >= 0 ? place.at.y() : widget.height() + place.at.y());
        return shot.pixel(widget.mapTo(form->ui().frm.widget(), at));
    }

    std::vector<QRgb> colours_of_every_place(const QImage& shot) const
    {
        std::vector<QRgb> colours;
        for (const Place& place : coloured_places()) colours.push_back(colour_at(shot, place));
        return colours;
    }

    void expect_every_place_in(const QImage& shot, QRgb colour) const
    {
        for (const Place& place : coloured_places()) {
            EXPECT_EQ(rgb_text(colour_at(shot, place)), rgb_text(colour)) << place.name;
        }
    }

    // The window as it was at the tenth yield of the long operation that runs next.
    struct BusyWindow {
        QImage shot;
        bool list_enabled = true;
        bool box_enabled = true;
    } busy;

    void grab_while_busy()
    {
        event_loop.on_yield = [this](int yield) {
            if (yield != 10) return;
            busy.shot = grab_window();
            busy.list_enabled = form->ui().com_SearchType.widget()->isEnabled();
            busy.box_enabled = form->ui().txt_Inputbox.widget()->isEnabled();
        };
    }

    // Shift and a right press on the window's surface, then the restore item of the menu.
    void restore_through_the_menu(Category category)
    {
        pick_category(category);
        choose_from_menu("&Restore/fix the " + zentrel::FileName_from_Path(database_path(category)) + " file",
                         Qt::ShiftModifier);
        ASSERT_EQ(popup_menus.opened.size(), 1u);
    }
};

TEST_F(ScreenTest, SearchShowsTheLightGreenOnEveryControlDisabledOrNot)
{
    std::string bytes;
    for (int i = 0; i < 20; ++i) bytes += std::to_string(10000 + i) + " Place " + std::to_string(i) + "\r\n";
    write_database(Category::USZipCodes, bytes);
    pick_category(Category::USZipCodes);
    type_pattern("Place*");
    const std::vector<QRgb> idle = colours_of_every_place(grab_window());
    grab_while_busy();
    press_enter();
    ASSERT_FALSE(busy.shot.isNull()) << "the search ran";
    EXPECT_FALSE(busy.list_enabled);
    EXPECT_FALSE(busy.box_enabled);
    expect_every_place_in(busy.shot, light_green);
    EXPECT_EQ(colours_of_every_place(grab_window()), idle) << "the end of the search brings the colours back";
}

TEST_F(ScreenTest, RestoreShowsItsBlueOnEveryControlDisabledOrNot)
{
    const std::vector<QRgb> idle = colours_of_every_place(grab_window());
    grab_while_busy();
    answer_message(box::answer_yes);
    restore_through_the_menu(Category::WebDomainNames);
    ASSERT_FALSE(busy.shot.isNull()) << "the restore ran";
    EXPECT_TRUE(busy.list_enabled);
    EXPECT_FALSE(busy.box_enabled);
    expect_every_place_in(busy.shot, restoring_blue);
    EXPECT_EQ(colours_of_every_place(grab_window()), idle) << "the end of the restore brings the colours back";
}

TEST_F(ScreenTest, RestoreErrorRowIsShownAtOnce)
{
    ::chmod(folder.path().c_str(), 0555);
    answer_message(box::answer_yes);
    answer_message(box::answer_ok);
    restore_through_the_menu(Category::RadioCallSigns);
    ::chmod(folder.path().c_str(), 0755);
    ASSERT_EQ(rows(), 2);
    ASSERT_EQ(cell(1, 0), "File;");

    const QImage shot = grab_window();
    QTableView& view = testing_support::grid_view(form->ui().flx_ResultsChart);
    const QRect row_rect = view.visualRect(view.model()->index(0, 0));
    const QPoint row_in_window = view.viewport()->mapTo(form->ui().frm.widget(), row_rect.topLeft());
    int red_pixels = 0;
    for (int y = 0; y < row_rect.height(); ++y) {
        for (int x = 0; x < row_rect.width(); ++x) {
            const QRgb pixel = shot.pixel(row_in_window + QPoint(x, y));
            if (qRed(pixel) > 200 && qGreen(pixel) < 100 && qBlue(pixel) < 100) ++red_pixels;
        }
    }
    EXPECT_GT(red_pixels, 10) << "the red text of the error row is on screen";
}
