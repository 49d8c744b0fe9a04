// Composes the About box and shows it: a background of light-grey random digits, then
// the program's name, version, maker and links printed line by line with the links laid
// over their printed texts; the box is sized to its widest line, placed next to the main
// window and onto the screen, and shown modally while its opening sound plays. Every
// opening works on a box in its designed state, which is destroyed once it has closed.
#include "info_windows/frm_about.h"
#include "main_window/frm_main.h"
#include "platform/formats.h"
#include "platform/play_wav.h"

#include <string>
#include <string_view>
#include <utility>

namespace zentrel {

namespace {

using platform::Colour;

constexpr const char* web_address = "http://www.example.org/zentrel/";
constexpr const char* mail_address = "zentrel@example.org";
constexpr const char* build_date = "19/11/2009 -  2:00pm gmt";

constexpr double value_column = 1000;
constexpr Colour digit_grey = platform::rgb(208, 208, 208);
constexpr Colour black = platform::rgb(0, 0, 0);

// The number in the pictures "0", "00", "0000": at least that many digits.
std::string zero_padded(int number, std::size_t digits)
{
    std::string text = std::to_string(number);
    return text.size() < digits ? std::string(digits - text.size(), '0') + text : text;
}

// One digit at the index round(r * 10 + 1) of "0123456789"; the index 11 (r above
// 0.95) selects nothing.
std::string random_digit(RandomNumbers& random)
{
    constexpr std::string_view digits = "0123456789";
    const long long index = platform::round_half_even(random.next() * 10 + 1);
    return index <= static_cast<long long>(digits.size()) ? std::string(1, digits[static_cast<std::size_t>(index - 1)])
                                                          : std::string();
}

// The widest line printed so far, in whole twips; never less than 2500.
class WidestLine {
public:
    void note(double x)
    {
        if (x > widest_) widest_ = static_cast<double>(platform::round_half_even(x));
    }
    void note_print_position(const platform::Window& box) { note(box.current_x()); }
    double value() const { return widest_; }

private:
    double widest_ = 2500;
};

// 9-point digits in rows that advance by a 6-point line, so the rows overlap, from
// above the top edge over the whole designed client area.
void print_background(platform::Window& box, RandomNumbers& random)
{
    box.cls();
    box.set_current_x(0);
    box.set_current_y(-128);
    box.set_fore_colour(digit_grey);
    box.set_font_name("Arial");
    box.set_font_bold(true);
    while (box.current_y() < box.client_height()) {
        box.set_font_size(9);
        while (box.current_x() < box.client_width()) box.print(random_digit(random));
        box.set_font_size(6);
        box.print_line();
    }
}

void print_value(platform::Window& box, std::string_view left_text, std::string_view value)
{
    box.print(left_text);
    box.set_current_x(value_column);
    box.print(value);
}

std::string version_text()
{
    return zero_padded(App_Major, 1) + "." + zero_padded(App_Minor, 2) + "." + zero_padded(App_Revision, 4) + "  (" +
           build_date + ")";
}

// The title and description beside the icon, then the version and the maker.
void print_identity(frm_About& about, WidestLine& widest)
{
    platform::Window& box = about.frm;
    const platform::Label& icon = about.pic_AppIcon;
    box.set_font({"Arial", 10, true, false, false});
    box.set_fore_colour(platform::system_button_text);

    box.set_current_x(icon.left() + icon.width());
    box.set_current_y(icon.top() + icon.height() / 4);
    box.print(" ");
    box.set_font_size(14);
    box.print(std::string(App_Title) + ".");
    widest.note_print_position(box);
    box.print_line();

    box.set_font_size(12);
    box.set_fore_colour(black);
    box.set_current_x(icon.left() + icon.width());
    box.print(std::string(" ") + App_FileDescription + ".");
    widest.note_print_position(box);
    box.print_line();

    box.set_fore_colour(platform::system_button_text);
    box.set_font_size(10);
    print_value(box, " Version; ", version_text());
    widest.note_print_position(box);
    box.print_line();

    print_value(box, " By; ", App_Copyright);
    widest.note_print_position(box);
    box.print_line();
}

// A link in the box's current font and the highlight colour.
void prepare_link(platform::Label& link, const platform::Window& box, std::string caption, std::string tooltip,
                  bool underline)
{
    link.set_caption(std::move(caption));
    link.set_tooltip(std::move(tooltip));
    platform::Font font = link.font();
    font.name = box.font().name;
    font.size = box.font().size;
    font.bold = box.font().bold;
    font.underline = underline;
    link.set_font(font);
    link.set_fore_colour(platform::system_highlight);
}

// A value line whose printed value lies under a link at the value column.
void print_link_line(platform::Window& box, std::string_view left_text, platform::Label& link)
{
    box.print(left_text);
    box.set_current_x(value_column);
    link.set_left(value_column);
    link.set_top(box.current_y());
    box.print_line(link.caption());
}

void print_links(frm_About& about, WidestLine& widest)
{
    platform::Window& box = about.frm;
    prepare_link(about.lab_URL_link, box, web_address, std::string(" URL; ") + web_address + " ", true);
    prepare_link(about.lab_EMail_link, box, mail_address, std::string(" E-mail; ") + mail_address + " ", true);
    box.print_line();
    print_link_line(box, " URL; ", about.lab_URL_link);
    print_link_line(box, " E-mail; ", about.lab_EMail_link);
    box.print_line();
    for (const platform::Label* link : {&about.lab_URL_link, &about.lab_EMail_link}) {
        widest.note(link->left() + link->width());
    }
}

// The product id may be long; it is cut off at the box's edge rather than widen it.
void print_product_id(platform::Window& box)
{
    print_value(box, " OEM;", about_box_sources().product_id() + ".");
    box.print_line();
}

// The pointer to the help, with the help link over the title and "Help"; the printed
// "H" underneath, underlined, shows as the link's key letter.
void print_help_lines(frm_About& about)
{
    platform::Window& box = about.frm;
    platform::Label& link = about.lab_HelpInfo;
    box.print_line();
    box.set_font_bold(false);
    box.print_line(" For more information please see the");
    box.print(" ");
    prepare_link(link, box, std::string(App_Title) + " Help", std::string(" ") + App_Title + " help information. ",
                 false);
    link.set_left(box.current_x());
    link.set_top(box.current_y());

    box.set_fore_colour(link.fore_colour());
    box.print(std::string(App_Title) + " ");
    box.set_font_underline(true);
    box.print("H");
    box.set_font_underline(false);
    box.print("elp");
    box.set_fore_colour(black);
    box.print_line(" menu option.");
}

// The OK button below the text at the right, and the box around the widest line.
void fit_box(frm_About& about, double widest)
{
    platform::Window& box = about.frm;
    platform::CommandButton& ok = about.com_OK;
    ok.set_top(box.current_y() + 32);
    box.set_outer_width(widest + 256);
    const double borders = box.outer_height() - box.client_height();
    box.set_outer_height(borders + ok.top() + ok.height() + 32);
    ok.set_left(box.outer_width() - ok.width() - 128);
}

// Just right of and below the main window's corner, moved onto the screen.
void place_box(platform::Window& box, const platform::Window& main)
{
    const ScreenPosition at = About_Box_Position(main.outer_left(), main.outer_top(), box.outer_width(),
                                                 box.outer_height(), platform::Window::screen_width(),
                                                 platform::Window::screen_height());
    box.set_outer_position(at.left, at.top);
}

// The opening sound: the first of the candidates that can be read, the last untested.
std::string opening_sound(const frm_Main& main)
{
    const std::string folder = about_box_sources().media_folder();
    for (const char* name : {"Utopia Windows Start.wav", "tada.wav"}) {
        const std::string path = folder + "/" + name;
        if (main.FileSize(path) >= 0) return path;
    }
    return folder + "/winAquariumCritStop.wav";
}

} // namespace

void frm_Main::menu_AboutApp_Click()
{
    frm_About& about = About();
    platform::Window& box = about.frm;
    about.help_command = [this] { menu_Help_Click(); };

    box.set_icon_from(frm);
    box.set_caption(std::string("About ") + App_Title + ".");
    about.pic_AppIcon.set_picture_from(frm);
    about.pic_AppIcon.set_back_colour(box.back_colour());

    print_background(box, program_random());
    WidestLine widest;
    print_identity(about, widest);
    print_links(about, widest);
    print_product_id(box);
    print_help_lines(about);
    fit_box(about, widest.value());
    place_box(box, frm);

    platform::PlayWAV(services_, opening_sound(*this), false);
    services_.modal_windows->show_modal(box, frm);
    // Closed by any road: the next opening, or shell call, gets a box in its designed state.
    about_.reset();
}

} // namespace zentrel
