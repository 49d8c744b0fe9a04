// The About box: what it prints and in which fonts and colours, the links over their
// printed texts, its size and place on the screen, the background of random digits, its
// keys and links, the opening and closing sounds with their fallbacks, the modal show
// and the fresh box that every opening gets.
#include "tests/support/main_window_fixture.h"

#include "info_windows/frm_about.h"
#include "platform/system_values.h"
#include "platform/widgets/qt_bridge.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

using testing_support::MainWindowTest;
using zentrel::frm_About;

namespace {

constexpr platform::Colour grey = platform::rgb(208, 208, 208);
constexpr platform::Colour black = platform::rgb(0, 0, 0);
constexpr platform::Colour button_text = platform::system_button_text;
constexpr platform::Colour highlight = platform::system_highlight;

const std::string web_address = "http://www.example.org/zentrel/";
const std::string mail_address = "zentrel@example.org";
const std::string version_text = "2.09.0008  (19/11/2009 -  2:00pm gmt)";
const std::string copyright = zentrel::app_copyright;

// A length as a window holds it after a round trip through whole pixels.
double in_pixels(double twips) { return platform::qt::to_twips(platform::qt::to_pixels(twips)); }

platform::Font arial(double size, bool bold, bool underline = false) { return {"Arial", size, bold, false, underline}; }

class AboutBoxTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        system_values.media = media.path();
    }

    // Opens the box with its item of the context menu; `while_open` runs while it is shown.
    void open_about(const std::function<void(frm_About&)>& while_open = {})
    {
        modal_windows.while_shown = [&](platform::Window&) {
            ASSERT_NE(form->about_box(), nullptr);
            if (while_open) while_open(*form->about_box());
        };
        choose_from_menu("&About Zentrel");
        ASSERT_EQ(form->about_box(), nullptr) << "the box is gone once it has closed";
    }

    // The printed texts over the background digits, in print order.
    static std::vector<platform::PrintedText> foreground(const frm_About& about)
    {
        std::vector<platform::PrintedText> texts;
        for (const auto& each : about.ui().frm.printed()) {
            if (each.colour != grey) texts.push_back(each);
        }
        return texts;
    }

    static std::vector<platform::PrintedText> background(const frm_About& about)
    {
        std::vector<platform::PrintedText> digits;
        for (const auto& each : about.ui().frm.printed()) {
            if (each.colour == grey) digits.push_back(each);
        }
        return digits;
    }

    // The background as rows of digits, for comparing two openings.
    static std::vector<std::string> digit_rows(const frm_About& about)
    {
        std::map<double, std::string> rows;
        for (const auto& each : background(about)) rows[each.y] += each.text;
        std::vector<std::string> texts;
        for (const auto& [y, row] : rows) texts.push_back(row);
        return texts;
    }

    static const platform::PrintedText& printed(const std::vector<platform::PrintedText>& texts,
                                                const std::string& text)
    {
        static const platform::PrintedText missing{"<missing>", -1, -1, {}, 0};
        const auto found = std::find_if(texts.begin(), texts.end(), [&](const auto& each) { return each.text == text; });
        return found != texts.end() ? *found : missing;
    }

    double height_of(const platform::Font& font)
    {
        scratch.set_font(font);
        return scratch.text_height();
    }

    double width_of(const std::string& text, const platform::Font& font)
    {
        scratch.set_font(font);
        return scratch.text_width(text);
    }

    double end_of(const platform::PrintedText& item) { return item.x + width_of(item.text, item.font); }

    void write_help_page() const { folder.write_file("Help.htm", "<html></html>"); }

    // Where the box's keys go: to the OK button, which has the focus as the box opens; to
    // it still after a click on the icon, which takes the focus from the Tab key only; to
    // the icon once Tab has moved the focus on to it; or to the box itself once none of
    // its controls has the focus.
    enum class KeysGoTo { button, button_after_icon_click, icon, box };

    static const char* where_name(KeysGoTo where)
    {
        switch (where) {
        case KeysGoTo::button: return "button";
        case KeysGoTo::button_after_icon_click: return "button after a click on the icon";
        case KeysGoTo::icon: return "icon";
        case KeysGoTo::box: return "box";
        }
        return "";
    }

    // The desktop activates the box as it appears, which gives the focus to its first
    // control, OK. A user waits for that, and the box is painted meanwhile; `at_once`
    // gives the focus as the activation does, without the wait.
    enum class Activation { waited_for, at_once };

    static void send_keys_to(frm_About& about, KeysGoTo where, Activation activation = Activation::waited_for)
    {
        QWidget& ok = *about.ui().com_OK.widget();
        if (activation == Activation::waited_for) {
            QCoreApplication::processEvents();
            ASSERT_TRUE(testing_support::window_system_window(ok).isActive());
            ASSERT_TRUE(ok.hasFocus()) << "the box opens with the focus on OK";
        } else {
            ok.setFocus(Qt::ActiveWindowFocusReason);
        }
        if (where == KeysGoTo::button_after_icon_click) {
            if (activation == Activation::waited_for) testing_support::click(about.ui().pic_AppIcon);
            else QTest::mouseClick(about.ui().pic_AppIcon.widget(), Qt::LeftButton);
            ASSERT_EQ(ok.window()->focusWidget(), &ok) << "a click on the icon leaves the focus on OK";
        }
        if (where == KeysGoTo::icon) {
            if (activation == Activation::waited_for) testing_support::press_key(about.ui().frm, Qt::Key_Tab);
            else QTest::keyClick(&ok, Qt::Key_Tab);
            ASSERT_EQ(ok.window()->focusWidget(), about.ui().pic_AppIcon.widget()) << "Tab moves on to the icon";
        }
        // No user action takes the focus off both of the box's controls that take it.
        if (where == KeysGoTo::box) ok.clearFocus();
    }

    // A key pressed and released in the box, handed to the control with its focus (to the
    // box itself when none has it) at once, before the box is painted.
    static void press_at_once(frm_About& about, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget& box = *about.ui().frm.widget();
        QTest::keyClick(box.focusWidget() != nullptr ? box.focusWidget() : &box, key, modifiers);
        platform::Control::flush_all();
    }

    testing_support::TempFolder media;
    platform::Window scratch{"", 1000, 1000};
};

// ---------------------------------------------------------------------------------
// What is printed

TEST_F(AboutBoxTest, PrintsEveryLineInItsFontAndColour)
{
    std::vector<platform::PrintedText> texts;
    open_about([&](frm_About& about) { texts = foreground(about); });

    const double h14 = height_of(arial(14, true));
    const double h12 = height_of(arial(12, true));
    const double h10b = height_of(arial(10, true));
    const double h10 = height_of(arial(10, false));
    const double title_y = 240; // a quarter of the way down the icon at 120 x 120, 480 high
    const double description_y = title_y + h14;
    const double version_y = description_y + h12;
    const double by_y = version_y + h10b;
    const double url_y = by_y + 2 * h10b;
    const double mail_y = url_y + h10b;
    const double oem_y = mail_y + 2 * h10b;
    const double help_y = oem_y + 2 * h10b;
    const double help2_y = help_y + h10;
    constexpr double follows = -1; // right after the text before it

    const struct {
        std::string text;
        double x;
        double y;
        platform::Font font;
        platform::Colour colour;
    } expected[] = {
        {" ", 600, title_y, arial(10, true), button_text},
        {"Zentrel.", follows, title_y, arial(14, true), button_text},
        {" UK Dialling code directory.", 600, description_y, arial(12, true), black},
        {" Version; ", 0, version_y, arial(10, true), button_text},
        {version_text, 1000, version_y, arial(10, true), button_text},
        {" By; ", 0, by_y, arial(10, true), button_text},
        {copyright, 1000, by_y, arial(10, true), button_text},
        {" URL; ", 0, url_y, arial(10, true), button_text},
        {web_address, 1000, url_y, arial(10, true), button_text},
        {" E-mail; ", 0, mail_y, arial(10, true), button_text},
        {mail_address, 1000, mail_y, arial(10, true), button_text},
        {" OEM;", 0, oem_y, arial(10, true), button_text},
        {"<Unknown ProductID>.", 1000, oem_y, arial(10, true), button_text},
        {" For more information please see the", 0, help_y, arial(10, false), button_text},
        {" ", 0, help2_y, arial(10, false), button_text},
        {"Zentrel ", follows, help2_y, arial(10, false), highlight},
        {"H", follows, help2_y, arial(10, false, true), highlight},
        {"elp", follows, help2_y, arial(10, false), highlight},
        {" menu option.", follows, help2_y, arial(10, false), black},
    };
    ASSERT_EQ(texts.size(), std::size(expected));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto& got = texts[i];
        const auto& want = expected[i];
        EXPECT_EQ(got.text, want.text) << i;
        const double x = want.x == follows ? end_of(texts[i - 1]) : want.x;
        EXPECT_DOUBLE_EQ(got.x, x) << want.text;
        EXPECT_DOUBLE_EQ(got.y, want.y) << want.text;
        EXPECT_EQ(got.font.name, want.font.name) << want.text;
        EXPECT_EQ(got.font.size, want.font.size) << want.text;
        EXPECT_EQ(got.font.bold, want.font.bold) << want.text;
        EXPECT_EQ(got.font.underline, want.font.underline) << want.text;
        EXPECT_FALSE(got.font.italic) << want.text;
        EXPECT_EQ(got.colour, want.colour) << want.text;
    }
}

TEST_F(AboutBoxTest, LinksLieOverTheirPrintedTexts)
{
    open_about([&](frm_About& about) {
        const auto texts = foreground(about);
        const struct {
            const platform::Label& link;
            std::string caption;
            std::string tooltip;
            std::string printed_first;
            std::string printed_last;
            platform::Font font;
        } links[] = {
            {about.ui().lab_URL_link, web_address, " URL; " + web_address + " ", web_address, web_address,
             arial(10, true, true)},
            {about.ui().lab_EMail_link, mail_address, " E-mail; " + mail_address + " ", mail_address, mail_address,
             arial(10, true, true)},
            {about.ui().lab_HelpInfo, "Zentrel Help", " Zentrel help information. ", "Zentrel ", "elp", arial(10, false)},
        };
        for (const auto& each : links) {
            const platform::PrintedText& first = printed(texts, each.printed_first);
            const platform::PrintedText& last = printed(texts, each.printed_last);
            EXPECT_EQ(each.link.caption(), each.caption);
            EXPECT_EQ(each.link.tooltip(), each.tooltip);
            EXPECT_DOUBLE_EQ(each.link.left(), first.x) << each.caption;
            EXPECT_DOUBLE_EQ(each.link.top(), first.y) << each.caption;
            // The label sizes itself to its caption, in whole pixels.
            EXPECT_NEAR(each.link.left() + each.link.width(), end_of(last), platform::twips_per_pixel) << each.caption;
            EXPECT_EQ(each.link.font().name, each.font.name);
            EXPECT_EQ(each.link.font().size, each.font.size);
            EXPECT_EQ(each.link.font().bold, each.font.bold) << each.caption;
            EXPECT_EQ(each.link.font().underline, each.font.underline) << each.caption;
            EXPECT_EQ(each.link.fore_colour(), highlight);
            EXPECT_TRUE(each.link.auto_size());
            EXPECT_TRUE(each.link.link_cursor());
            EXPECT_TRUE(each.link.visible());
        }
        EXPECT_DOUBLE_EQ(about.ui().lab_URL_link.left(), 1000);
        EXPECT_DOUBLE_EQ(about.ui().lab_EMail_link.left(), 1000);
    });
}

TEST_F(AboutBoxTest, IconButtonAndCaption)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::red);
    form->ui().frm.widget()->setWindowIcon(QIcon(picture));
    open_about([&](frm_About& about) {
        EXPECT_EQ(about.ui().frm.caption(), "About Zentrel.");
        EXPECT_FALSE(about.ui().frm.widget()->windowIcon().isNull());
        const platform::Label& icon = about.ui().pic_AppIcon;
        EXPECT_FALSE(static_cast<QLabel*>(icon.widget())->pixmap().isNull());
        EXPECT_EQ(icon.caption(), "");
        EXPECT_DOUBLE_EQ(icon.left(), 120);
        EXPECT_DOUBLE_EQ(icon.top(), 120);
        EXPECT_DOUBLE_EQ(icon.width(), 480);
        EXPECT_DOUBLE_EQ(icon.height(), 480);
        EXPECT_EQ(icon.back_colour(), about.ui().frm.back_colour());
        EXPECT_EQ(about.ui().com_OK.caption(), "&OK");
        EXPECT_EQ(about.ui().com_OK.tooltip(), " Close this window. ");
        EXPECT_DOUBLE_EQ(about.ui().com_OK.width(), 975);
        EXPECT_DOUBLE_EQ(about.ui().com_OK.height(), 375);
    });
}

// ---------------------------------------------------------------------------------
// Size and place

TEST_F(AboutBoxTest, WidthFollowsTheWidestNotedLine)
{
    open_about([&](frm_About& about) {
        const auto texts = foreground(about);
        double widest = 2500;
        for (const char* text : {"Zentrel.", " UK Dialling code directory."}) {
            widest = std::max(widest, std::round(end_of(printed(texts, text))));
        }
        for (const std::string& value : {version_text, copyright}) {
            widest = std::max(widest, std::round(end_of(printed(texts, value))));
        }
        for (const platform::Label* link : {&about.ui().lab_URL_link, &about.ui().lab_EMail_link}) {
            widest = std::max(widest, link->left() + link->width());
        }
        EXPECT_DOUBLE_EQ(about.ui().frm.outer_width(), in_pixels(widest + 256));
        EXPECT_GE(about.ui().frm.outer_width(), 2756);
        EXPECT_DOUBLE_EQ(about.ui().com_OK.left(), about.ui().frm.outer_width() - 975 - 128);
    });
}

TEST_F(AboutBoxTest, ALongProductIdDoesNotWidenTheBox)
{
    double usual_width = 0;
    open_about([&](frm_About& about) { usual_width = about.ui().frm.outer_width(); });

    const std::string long_id(400, 'X');
    system_values.product = long_id;
    open_about([&](frm_About& about) {
        const auto texts = foreground(about);
        const auto& line = printed(texts, long_id + ".");
        EXPECT_DOUBLE_EQ(line.x, 1000);
        EXPECT_GT(end_of(line), about.ui().frm.outer_width()) << "the id is cut off at the box's edge";
        EXPECT_DOUBLE_EQ(about.ui().frm.outer_width(), usual_width);
    });
}

TEST_F(AboutBoxTest, HeightEndsBelowTheOkButton)
{
    open_about([&](frm_About& about) {
        const auto texts = foreground(about);
        const double last_line_y = texts.back().y;
        const double ok_top = last_line_y + height_of(arial(10, false)) + 32;
        EXPECT_DOUBLE_EQ(about.ui().com_OK.top(), ok_top);
        // Whatever borders the window has, its inner area ends 32 twips below the button.
        EXPECT_DOUBLE_EQ(about.ui().frm.client_height(), in_pixels(ok_top + 375 + 32));
        EXPECT_GE(about.ui().frm.outer_height(), about.ui().frm.client_height());
    });
}

TEST(AboutBoxPosition, NextToTheMainWindowAndOntoTheScreen)
{
    const double screen_width = 12000;
    const double screen_height = 9000;
    const struct {
        const char* name;
        double main_left, main_top, width, height;
        double left, top;
    } cases[] = {
        {"beside the main window", 1000, 1000, 3000, 2000, 1128, 1256},
        {"ends at the right edge", 8872, 1000, 3000, 2000, 9000, 1256},
        {"near the right edge", 10000, 1000, 3000, 2000, 9000, 1256},
        {"near the bottom edge", 1000, 8000, 3000, 2000, 1128, 7000},
        {"beyond the bottom right", 20000, 20000, 3000, 2000, 9000, 7000},
        {"near the top left", -100, -200, 3000, 2000, 28, 56},
        {"beyond the top left", -5000, -5000, 3000, 2000, 0, 0},
        {"wider than the screen", 500, 1000, 13000, 2000, 0, 1256},
        {"taller than the screen", 500, 1000, 3000, 9500, 628, 0},
        {"larger than the screen, far right", 30000, 30000, 13000, 9500, 0, 0},
    };
    for (const auto& each : cases) {
        const zentrel::ScreenPosition at = zentrel::about_box_position(each.main_left, each.main_top, each.width,
                                                                       each.height, screen_width, screen_height);
        EXPECT_DOUBLE_EQ(at.left, each.left) << each.name;
        EXPECT_DOUBLE_EQ(at.top, each.top) << each.name;
    }
}

TEST_F(AboutBoxTest, PlacedNextToTheMainWindowOnTheScreen)
{
    const double screen_width = platform::Window::screen_width();
    const double screen_height = platform::Window::screen_height();
    ASSERT_GT(screen_width, 6000);
    double width = 0;
    double height = 0;
    open_about([&](frm_About& about) {
        width = about.ui().frm.outer_width();
        height = about.ui().frm.outer_height();
    });
    const struct {
        const char* name;
        double main_left, main_top;
        double left, top;
    } cases[] = {
        {"beside", 1500, 1200, in_pixels(1628), in_pixels(1456)},
        {"near the right edge", screen_width - 1500, 1200, screen_width - width, in_pixels(1456)},
        {"near the bottom edge", 1500, screen_height - 600, in_pixels(1628), screen_height - height},
        {"beyond the bottom right", screen_width + 3000, screen_height + 3000, screen_width - width,
         screen_height - height},
        {"beyond the top left", -3000, -1500, 0, 0},
    };
    for (const auto& each : cases) {
        form->ui().frm.set_outer_position(each.main_left, each.main_top);
        ASSERT_DOUBLE_EQ(form->ui().frm.outer_left(), in_pixels(each.main_left)) << each.name;
        open_about([&](frm_About& about) {
            EXPECT_DOUBLE_EQ(about.ui().frm.outer_left(), each.left) << each.name;
            EXPECT_DOUBLE_EQ(about.ui().frm.outer_top(), each.top) << each.name;
        });
    }
}

// ---------------------------------------------------------------------------------
// The background of random digits

TEST(AboutBoxRandom, ValuesFromZeroUpToOneInTheSameSequenceEveryRun)
{
    platform::RandomNumbers first;
    platform::RandomNumbers second;
    std::vector<double> drawn;
    for (int i = 0; i < 10000; ++i) {
        const double value = first.next();
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        ASSERT_EQ(second.next(), value);
        drawn.push_back(value);
    }
    EXPECT_NE(drawn[0], drawn[1]);
    first.restart();
    for (double value : drawn) ASSERT_EQ(first.next(), value);
}

TEST_F(AboutBoxTest, BackgroundCoversTheDesignedAreaInOverlappingRows)
{
    open_about([&](frm_About& about) {
        const auto& all = about.ui().frm.printed();
        const auto digits = background(about);
        ASSERT_FALSE(digits.empty());
        // The digits come first, under everything else.
        EXPECT_EQ(all.front().colour, grey);
        for (std::size_t i = 0; i < digits.size(); ++i) ASSERT_EQ(all[i].colour, grey) << i;

        const double row_step = height_of(arial(6, true));
        std::map<double, std::vector<platform::PrintedText>> rows;
        for (const auto& each : digits) {
            ASSERT_EQ(each.text.size(), 1u);
            ASSERT_TRUE(each.text[0] >= '0' && each.text[0] <= '9') << each.text;
            ASSERT_EQ(each.font.name, "Arial");
            ASSERT_EQ(each.font.size, 9);
            ASSERT_TRUE(each.font.bold);
            rows[each.y].push_back(each);
        }
        EXPECT_DOUBLE_EQ(rows.begin()->first, -128);
        double expected_y = -128;
        for (const auto& [y, row] : rows) {
            EXPECT_DOUBLE_EQ(y, expected_y);
            expected_y += row_step;
            EXPECT_DOUBLE_EQ(row.front().x, 0);
            for (std::size_t i = 1; i < row.size(); ++i) ASSERT_DOUBLE_EQ(row[i].x, end_of(row[i - 1]));
            EXPECT_LT(row.back().x, 14565);
            EXPECT_GE(end_of(row.back()), 14565);
        }
        EXPECT_LT(rows.rbegin()->first, 7650);
        EXPECT_GE(rows.rbegin()->first + row_step, 7650);
    });
}

TEST_F(AboutBoxTest, ZeroIsHalfAsCommonAsEveryOtherDigit)
{
    std::map<char, int> counts;
    for (int opening = 0; opening < 3; ++opening) {
        open_about([&](frm_About& about) {
            for (const auto& each : background(about)) ++counts[each.text[0]];
        });
    }
    int others = 0;
    for (char digit = '1'; digit <= '9'; ++digit) others += counts[digit];
    const double other_mean = others / 9.0;
    ASSERT_GT(other_mean, 1000);
    for (char digit = '1'; digit <= '9'; ++digit) {
        EXPECT_NEAR(counts[digit] / other_mean, 1.0, 0.12) << digit;
    }
    EXPECT_NEAR(counts['0'] / other_mean, 0.5, 0.08);
}

TEST_F(AboutBoxTest, FirstOpeningOfEveryRunShowsTheSameDigitsAndTheNextNewOnes)
{
    std::vector<std::string> first;
    std::vector<std::string> second;
    std::vector<std::string> first_of_new_run;
    open_about([&](frm_About& about) { first = digit_rows(about); });
    open_about([&](frm_About& about) { second = digit_rows(about); });
    random.restart();
    open_about([&](frm_About& about) { first_of_new_run = digit_rows(about); });
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first_of_new_run, first);
    EXPECT_NE(second, first);
    EXPECT_EQ(second.size(), first.size());
}

// ---------------------------------------------------------------------------------
// Keys and links

TEST_F(AboutBoxTest, KeysCloseTheBoxOrActAsTheHelpLinkWhereverTheFocusIs)
{
    write_help_page();
    const std::string help_page = folder.file("Help.htm");
    enum class Action { nothing, close, help };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Action action;
        // Space and Enter press a focused button, as they press any button: OK closes the box.
        bool presses_focused_button = false;
    } cases[] = {
        {Qt::Key_Pause, Qt::NoModifier, Action::close},
        {Qt::Key_Pause, Qt::ShiftModifier, Action::close},
        {Qt::Key_Escape, Qt::NoModifier, Action::close},
        {Qt::Key_Escape, Qt::ControlModifier, Action::close},
        {Qt::Key_A, Qt::NoModifier, Action::help},
        {Qt::Key_A, Qt::ShiftModifier, Action::help},
        {Qt::Key_H, Qt::NoModifier, Action::help},
        {Qt::Key_H, Qt::ControlModifier, Action::help},
        {Qt::Key_I, Qt::NoModifier, Action::help},
        {Qt::Key_I, Qt::ShiftModifier | Qt::ControlModifier, Action::help},
        {Qt::Key_B, Qt::NoModifier, Action::nothing},
        {Qt::Key_Return, Qt::NoModifier, Action::nothing, true},
        {Qt::Key_Enter, Qt::KeypadModifier, Action::nothing, true},
        {Qt::Key_Space, Qt::NoModifier, Action::nothing, true},
        {Qt::Key_1, Qt::KeypadModifier, Action::nothing},
        {Qt::Key_F1, Qt::NoModifier, Action::nothing},
        {Qt::Key_Alt, Qt::AltModifier, Action::nothing},
    };
    for (const KeysGoTo where :
         {KeysGoTo::button, KeysGoTo::button_after_icon_click, KeysGoTo::icon, KeysGoTo::box}) {
        for (const auto& each : cases) {
            shell.opened.clear();
            sound_player.played.clear();
            bool still_shown = true;
            open_about([&](frm_About& about) {
                send_keys_to(about, where, Activation::at_once);
                press_at_once(about, each.key, each.modifiers);
                still_shown = about.ui().frm.is_shown();
            });
            const std::string label = std::string(where_name(where)) + ", key " +
                                      QKeySequence(each.key | each.modifiers).toString().toStdString();
            const bool pressed = each.presses_focused_button &&
                                 (where == KeysGoTo::button || where == KeysGoTo::button_after_icon_click);
            EXPECT_EQ(still_shown, each.action == Action::nothing && !pressed) << label;
            if (each.action == Action::help) {
                ASSERT_EQ(shell.opened.size(), 1u) << label;
                EXPECT_EQ(shell.opened[0].target, help_page) << label;
            } else {
                EXPECT_TRUE(shell.opened.empty()) << label;
            }
            EXPECT_EQ(sound_player.played.size(), 2u) << label << ": one opening and one closing sound";
        }
    }
}

TEST_F(AboutBoxTest, RealKeysReachTheBoxOnceFromTheButtonOrTheWindow)
{
    write_help_page();
    const struct {
        KeysGoTo target;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool closes;
        bool opens_help;
    } cases[] = {
        {KeysGoTo::button, Qt::Key_Escape, Qt::NoModifier, true, false},
        {KeysGoTo::button, Qt::Key_Pause, Qt::NoModifier, true, false},
        {KeysGoTo::button, Qt::Key_H, Qt::NoModifier, true, true},
        {KeysGoTo::button, Qt::Key_A, Qt::ControlModifier, true, true},
        {KeysGoTo::button, Qt::Key_B, Qt::NoModifier, false, false},
        {KeysGoTo::button, Qt::Key_Return, Qt::NoModifier, true, false},
        {KeysGoTo::button, Qt::Key_Enter, Qt::KeypadModifier, true, false},
        {KeysGoTo::icon, Qt::Key_Escape, Qt::NoModifier, true, false},
        {KeysGoTo::icon, Qt::Key_H, Qt::NoModifier, true, true},
        {KeysGoTo::icon, Qt::Key_Return, Qt::NoModifier, false, false},
        {KeysGoTo::box, Qt::Key_Escape, Qt::NoModifier, true, false},
        {KeysGoTo::box, Qt::Key_I, Qt::ShiftModifier, true, true},
        {KeysGoTo::box, Qt::Key_F1, Qt::NoModifier, false, false},
        {KeysGoTo::box, Qt::Key_Return, Qt::NoModifier, false, false},
    };
    for (const auto& each : cases) {
        shell.opened.clear();
        sound_player.played.clear();
        bool still_shown = true;
        open_about([&](frm_About& about) {
            send_keys_to(about, each.target);
            testing_support::press_key(about.ui().frm, each.key, each.modifiers);
            still_shown = about.ui().frm.is_shown();
        });
        const std::string label = std::string(where_name(each.target)) + ", key " + std::to_string(each.key);
        EXPECT_EQ(still_shown, !each.closes) << label;
        EXPECT_EQ(shell.opened.size(), each.opens_help ? 1u : 0u) << label << ": the key acts once";
        EXPECT_EQ(sound_player.played.size(), 2u) << label;
    }
}

TEST_F(AboutBoxTest, TabMovesTheFocusBetweenOkAndTheIconWhichShowsIt)
{
    open_about([&](frm_About& about) {
        send_keys_to(about, KeysGoTo::button);
        const QWidget& ok = *about.ui().com_OK.widget();
        QWidget& icon = *about.ui().pic_AppIcon.widget();
        const QImage icon_at_rest = icon.grab().toImage();
        for (const Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
            SCOPED_TRACE(modifiers == Qt::ShiftModifier ? "Shift+Tab" : "Tab");
            testing_support::press_key(about.ui().frm, Qt::Key_Tab, modifiers);
            EXPECT_TRUE(icon.hasFocus()) << "the icon follows OK";
            EXPECT_FALSE(icon.grab().toImage() == icon_at_rest) << "the icon shows its focus";
            testing_support::press_key(about.ui().frm, Qt::Key_Tab, modifiers);
            EXPECT_TRUE(ok.hasFocus()) << "and OK the icon: the box has no other stop";
            EXPECT_TRUE(icon.grab().toImage() == icon_at_rest);
        }
        EXPECT_TRUE(about.ui().frm.is_shown());
    });
}

TEST_F(AboutBoxTest, WebAndMailLinksOpenThroughTheShellAndKeepTheBoxOpen)
{
    open_about([&](frm_About& about) {
        testing_support::click(about.ui().lab_URL_link);
        testing_support::click(about.ui().lab_EMail_link);
        EXPECT_TRUE(about.ui().frm.is_shown());
    });
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].target, web_address);
    EXPECT_EQ(shell.opened[0].show_state, platform::show_state::normal);
    EXPECT_EQ(shell.opened[1].target, "MailTo:zentrel@example.org?Subject=Zentrel");
    EXPECT_EQ(shell.opened[1].show_state, platform::show_state::normal);
}

TEST_F(AboutBoxTest, AClickOnTheWebLinkOpensTheAddress)
{
    open_about([&](frm_About& about) {
        // Near its corner, where the link begins.
        testing_support::click_at(*about.ui().lab_URL_link.widget(), QPoint(3, 3), Qt::LeftButton);
    });
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, web_address);
}

TEST_F(AboutBoxTest, HelpLinkClosesTheBoxThenRunsTheHelpCommand)
{
    write_help_page();
    bool shown_after = true;
    open_about([&](frm_About& about) {
        testing_support::click(about.ui().lab_HelpInfo);
        shown_after = about.ui().frm.is_shown();
    });
    EXPECT_FALSE(shown_after);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, folder.file("Help.htm"));
    EXPECT_EQ(sound_player.played.size(), 2u);
}

TEST_F(AboutBoxTest, HelpLinkWithoutAHelpPageAsksAboutTheFolder)
{
    answer_message(platform::message_box::answer_no);
    open_about([&](frm_About& about) { testing_support::click(about.ui().lab_HelpInfo); });
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel can't find file.");
    EXPECT_TRUE(shell.opened.empty());
}

// ---------------------------------------------------------------------------------
// Sounds

TEST_F(AboutBoxTest, OpeningAndClosingSoundsFallBackToFilesThatExist)
{
    const struct {
        std::vector<std::string> present;
        std::string opening;
        std::string closing;
    } cases[] = {
        {{}, "winAquariumCritStop.wav", "winAquariumCritStop.wav"},
        {{"Utopia Windows Start.wav"}, "Utopia Windows Start.wav", "winAquariumCritStop.wav"},
        {{"Start.wav"}, "winAquariumCritStop.wav", "Start.wav"},
        {{"tada.wav"}, "tada.wav", "tada.wav"},
        {{"Start.wav", "tada.wav"}, "tada.wav", "Start.wav"},
        {{"Utopia Windows Start.wav", "Start.wav", "tada.wav"}, "Utopia Windows Start.wav", "Start.wav"},
        {{"UTOPIA WINDOWS START.WAV", "TADA.WAV"}, "winAquariumCritStop.wav", "winAquariumCritStop.wav"},
    };
    for (const auto& each : cases) {
        testing_support::TempFolder sounds;
        system_values.media = sounds.path();
        // Empty files count as present: only a file that cannot be read is passed over.
        for (const std::string& name : each.present) sounds.write_file(name, "");
        sound_player.played.clear();
        std::size_t played_while_open = 0;
        open_about([&](frm_About&) { played_while_open = sound_player.played.size(); });
        EXPECT_EQ(played_while_open, 1u) << "the opening sound starts before the show";
        ASSERT_EQ(sound_player.played.size(), 2u);
        EXPECT_EQ(sound_player.played[0].path, sounds.file(each.opening)) << each.opening;
        EXPECT_EQ(sound_player.played[1].path, sounds.file(each.closing)) << each.closing;
        EXPECT_FALSE(sound_player.played[0].looped);
        EXPECT_FALSE(sound_player.played[1].looped);
    }
}

TEST_F(AboutBoxTest, AFolderNamedLikeASoundIsPassedOver)
{
    std::filesystem::create_directory(media.file("tada.wav"));
    media.write_file("Start.wav", "RIFF");
    open_about();
    ASSERT_EQ(sound_player.played.size(), 2u);
    EXPECT_EQ(sound_player.played[0].path, media.file("winAquariumCritStop.wav"));
    EXPECT_EQ(sound_player.played[1].path, media.file("Start.wav"));
}

TEST_F(AboutBoxTest, AMediaFolderNamedBeyondAsciiIsFoundByItsSystemsName)
{
    // The media folder is a registry value, the program's text: "café" in Windows-1252,
    // which the file system holds in UTF-8.
    std::filesystem::create_directory(media.file("caf\xC3\xA9"));
    media.write_file("caf\xC3\xA9/tada.wav", "RIFF");
    system_values.media = media.file("caf\xE9");
    open_about();
    ASSERT_EQ(sound_player.played.size(), 2u);
    EXPECT_EQ(sound_player.played[0].path, media.file("caf\xE9/tada.wav"));
    EXPECT_EQ(sound_player.played[1].path, media.file("caf\xE9/tada.wav"));
}

TEST_F(AboutBoxTest, WithoutARegistryTheDefaultMediaFolderIsTried)
{
    system_values.media = platform::RegistrySystemValues().media_folder();
    EXPECT_EQ(system_values.media, "C:\\WINDOWS\\media");
    open_about();
    ASSERT_EQ(sound_player.played.size(), 2u);
    EXPECT_EQ(sound_player.played[0].path, "C:\\WINDOWS\\media/winAquariumCritStop.wav");
    EXPECT_EQ(sound_player.played[1].path, "C:\\WINDOWS\\media/winAquariumCritStop.wav");
    EXPECT_TRUE(message_boxes.shown.empty());
}

// ---------------------------------------------------------------------------------
// Modal show and life

TEST_F(AboutBoxTest, TheMenuCommandShowsTheBoxModallyOwnedByTheMainWindow)
{
    choose_from_menu("&About Zentrel");
    EXPECT_EQ(modal_windows.shows, 1);
    EXPECT_EQ(modal_windows.owner_caption, form->ui().frm.caption());
    EXPECT_EQ(sound_player.played.size(), 2u);
}

TEST_F(AboutBoxTest, EveryOpeningStartsFromAFreshBox)
{
    std::vector<platform::PrintedText> first;
    open_about([&](frm_About& about) {
        about.ui().lab_URL_link.set_caption("changed while open");
        first = foreground(about);
    });
    // Closed, the box is gone (open_about checks it): the next opening makes a new one.
    EXPECT_EQ(form->about_box(), nullptr);

    open_about([&](frm_About& about) {
        EXPECT_EQ(about.ui().lab_URL_link.caption(), web_address);
        const auto again = foreground(about);
        ASSERT_EQ(again.size(), first.size());
        for (std::size_t i = 0; i < again.size(); ++i) {
            EXPECT_EQ(again[i].text, first[i].text);
            EXPECT_DOUBLE_EQ(again[i].y, first[i].y) << again[i].text;
        }
    });
    EXPECT_EQ(modal_windows.shows, 2);
}

} // namespace
