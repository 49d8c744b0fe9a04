#include "info_windows/frm_about.h"

#include "core/app_identity.h"
#include "core/paths.h"
#include "info_windows/link_font.h"
#include "platform/file_attributes.h"
#include "platform/formats.h"
#include "platform/play_wav.h"
#include "platform/runtime_error.h"
#include "platform/shell_open.h"
#include "platform/text.h"

#include <initializer_list>
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

// A sound of the media folder: the first of the candidates that can be read, or the
// last resort untested.
std::string pick_sound(const std::string& folder, std::initializer_list<const char*> candidates)
{
    for (const char* name : candidates) {
        const std::string path = path_in_folder(folder, name);
        // The media folder is a registry value, the program's text.
        if (platform::file_size(platform::to_utf8(path)) >= 0) return path;
    }
    return path_in_folder(folder, "winAquariumCritStop.wav");
}

// The number in the pictures "0", "00", "0000": at least that many digits.
std::string zero_padded(int number, std::size_t digits)
{
    std::string text = std::to_string(number);
    return text.size() < digits ? std::string(digits - text.size(), '0') + text : text;
}

// One digit at the index round(r * 10 + 1) of "0123456789"; the index 11 (r above
// 0.95) selects nothing.
std::string random_digit(platform::RandomNumbers& random)
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
void print_background(platform::Window& box, platform::RandomNumbers& random)
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
    return zero_padded(app_major, 1) + "." + zero_padded(app_minor, 2) + "." + zero_padded(app_revision, 4) + "  (" +
           build_date + ")";
}

// The title and description beside the icon, then the version and the maker.
void print_identity(AboutBoxControls& about, WidestLine& widest)
{
    platform::Window& box = about.frm;
    const platform::Label& icon = about.pic_AppIcon;
    box.set_font({"Arial", 10, true, false, false});
    box.set_fore_colour(platform::system_button_text);

    box.set_current_x(icon.left() + icon.width());
    box.set_current_y(icon.top() + icon.height() / 4);
    box.print(" ");
    box.set_font_size(14);
    box.print(std::string(app_title) + ".");
    widest.note_print_position(box);
    box.print_line();

    box.set_font_size(12);
    box.set_fore_colour(platform::black);
    box.set_current_x(icon.left() + icon.width());
    box.print(std::string(" ") + app_file_description + ".");
    widest.note_print_position(box);
    box.print_line();

    box.set_fore_colour(platform::system_button_text);
    box.set_font_size(10);
    print_value(box, " Version; ", version_text());
    widest.note_print_position(box);
    box.print_line();

    print_value(box, " By; ", app_copyright);
    widest.note_print_position(box);
    box.print_line();
}

// A link in the box's current font and the highlight colour.
void prepare_link(platform::Label& link, const platform::Window& box, std::string caption, std::string tooltip,
                  bool underline)
{
    link.set_caption(std::move(caption));
    link.set_tooltip(std::move(tooltip));
    link.set_font(link_font(box.font(), underline));
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

void print_links(AboutBoxControls& about, WidestLine& widest)
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
void print_product_id(platform::Window& box, const std::string& product_id)
{
    print_value(box, " OEM;", product_id + ".");
    box.print_line();
}

// The pointer to the help, with the help link over the title and "Help"; the printed
// "H" underneath, underlined, shows as the link's key letter.
void print_help_lines(AboutBoxControls& about)
{
    platform::Window& box = about.frm;
    platform::Label& link = about.lab_HelpInfo;
    box.print_line();
    box.set_font_bold(false);
    box.print_line(" For more information please see the");
    box.print(" ");
    prepare_link(link, box, std::string(app_title) + " Help", std::string(" ") + app_title + " help information. ",
                 false);
    link.set_left(box.current_x());
    link.set_top(box.current_y());

    box.set_fore_colour(link.fore_colour());
    box.print(std::string(app_title) + " ");
    box.set_font_underline(true);
    box.print("H");
    box.set_font_underline(false);
    box.print("elp");
    box.set_fore_colour(platform::black);
    box.print_line(" menu option.");
}

// The OK button below the text at the right, and the box around the widest line.
void fit_box(AboutBoxControls& about, double widest)
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
    const ScreenPosition at = about_box_position(main.outer_left(), main.outer_top(), box.outer_width(),
                                                 box.outer_height(), platform::Window::screen_width(),
                                                 platform::Window::screen_height());
    box.set_outer_position(at.left, at.top);
}

} // namespace

frm_About::frm_About(const platform::Services& services, std::function<void()> help_command)
    : services_(services),
      help_command_(std::move(help_command))
{
    ui_.com_OK.set_tooltip(" Close this window. ");
    ui_.pic_AppIcon.set_tab_stop(true);
    for (platform::Label* link : {&ui_.lab_URL_link, &ui_.lab_EMail_link, &ui_.lab_HelpInfo}) {
        link->set_auto_size(true);
        link->set_link_cursor(true);
        link->set_transparent(true);
    }

    ui_.frm.on_unload([this] { Form_Unload(); });
    ui_.frm.on_key_down([this](int key_code, int shift) { Form_KeyDown(key_code, shift); });
    ui_.com_OK.on_click([this] { com_OK_Click(); });
    ui_.com_OK.on_key_down([this](int key_code, int shift) { com_OK_KeyDown(key_code, shift); });
    ui_.pic_AppIcon.on_key_down([this](int key_code, int shift) { pic_AppIcon_KeyDown(key_code, shift); });
    ui_.lab_URL_link.on_click([this] { lab_URL_link_Click(); });
    ui_.lab_EMail_link.on_click([this] { lab_EMail_link_Click(); });
    ui_.lab_HelpInfo.on_click([this] { lab_HelpInfo_Click(); });
}

void frm_About::show_about(platform::Window& main_window)
{
    ui_.frm.set_icon_from(main_window);
    ui_.frm.set_caption(std::string("About ") + app_title + ".");
    ui_.pic_AppIcon.set_picture_from(main_window);
    ui_.pic_AppIcon.set_back_colour(ui_.frm.back_colour());

    print_background(ui_.frm, *services_.random);
    WidestLine widest;
    print_identity(ui_, widest);
    print_links(ui_, widest);
    print_product_id(ui_.frm, services_.system_values->product_id());
    print_help_lines(ui_);
    fit_box(ui_, widest.value());
    place_box(ui_.frm, main_window);

    platform::PlayWAV(services_, pick_sound(services_.system_values->media_folder(),
                                            {"Utopia Windows Start.wav", "tada.wav"}),
                      false);
    services_.modal_windows->show_modal(ui_.frm, main_window);
}

// ---------------------------------------------------------------------------------
// Events

void frm_About::Form_KeyDown(int key_code, int shift) { com_OK_KeyDown(key_code, shift); }

void frm_About::pic_AppIcon_KeyDown(int key_code, int shift) { com_OK_KeyDown(key_code, shift); }

void frm_About::com_OK_KeyDown(int key_code, int)
{
    switch (key_code) {
    case platform::key_code::pause:
    case platform::key_code::escape: ui_.frm.close(); break;
    case 'A':
    case 'H':
    case 'I': lab_HelpInfo_Click(); break;
    default: break;
    }
}

void frm_About::com_OK_Click() { ui_.frm.close(); }

void frm_About::Form_Unload()
{
    platform::PlayWAV(services_, pick_sound(services_.system_values->media_folder(), {"Start.wav", "tada.wav"}), false);
}

void frm_About::lab_URL_link_Click()
{
    platform::Load_File_or_URL(services_, platform::to_utf8(ui_.lab_URL_link.caption()), false);
}

void frm_About::lab_EMail_link_Click()
{
    platform::Load_File_or_URL(
        services_, platform::to_utf8("MailTo:" + ui_.lab_EMail_link.caption() + "?Subject=" + app_title), false);
}

void frm_About::lab_HelpInfo_Click()
{
    ui_.frm.close();
    if (help_command_) help_command_();
}

ScreenPosition about_box_position(double main_left, double main_top, double width, double height,
                                  double screen_width, double screen_height)
{
    ScreenPosition at{main_left + 128, main_top + 256};
    if (at.left + width > screen_width) at.left = screen_width - width;
    if (at.top + height > screen_height) at.top = screen_height - height;
    if (at.left < 0) at.left = 0;
    if (at.top < 0) at.top = 0;
    return at;
}

} // namespace zentrel
