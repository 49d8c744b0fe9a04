// Composes the information window on one result row: the row's name and code, the
// statistics of the search that produced it, the database file as a link, and a closing
// block that differs while the search is still running. Everything is printed onto the
// window's surface line by line; values stand at the category's value column.
#include "info_windows/frm_datainfo.h"
#include "main_window/frm_main.h"
#include "platform/formats.h"

#include <string>
#include <string_view>

namespace zentrel {

namespace {

using platform::Colour;

constexpr const char* product_name = App_ProductName;
constexpr Colour red = platform::rgb(255, 0, 0);

platform::Font arial(double size, bool bold) { return platform::Font{"Arial", size, bold, false, false}; }

// The caption of the code option names the codes in the plural ("Dialling codes"); one
// row holds one code, so a final lower-case "s" is dropped. "Call sign" stays as it is.
std::string singular(std::string caption)
{
    if (!caption.empty() && caption.back() == 's') caption.pop_back();
    return caption;
}

// The percentage that the running search shows in the main window's caption, which ends
// in "[ n% ]": the characters after the last blank before the first "%".
std::string progress_from_caption(const std::string& caption)
{
    std::string text = caption.substr(0, caption.find('%'));
    while (text.find(' ') != std::string::npos) text.erase(0, 1);
    return text;
}

// Prints one line of the window: the left text, then the value at the value column.
class Composer {
public:
    Composer(platform::Window& window, double value_x) : window_(window), value_x_(value_x) {}

    void value_line(std::string_view left, std::string_view value)
    {
        window_.print(left);
        window_.set_current_x(value_x_);
        window_.print_line(value);
    }

    void bold_value_line(std::string_view left, std::string_view value)
    {
        window_.print(left);
        window_.set_font_bold(true);
        window_.set_current_x(value_x_);
        window_.print_line(value);
        window_.set_font_bold(false);
    }

private:
    platform::Window& window_;
    double value_x_;
};

} // namespace

void frm_Main::Show_Row_Info(std::int32_t, std::int32_t row)
{
    if (row <= 0) row = 1;
    frm_DataInfo& info = DataInfo();
    platform::Window& window = info.frm;

    window.set_icon_from(frm);
    const double value_x = platform::cint(platform::val(Text_for_Category("FirstTabAt", Current_Category())));

    flx_ResultsChart.set_row(row);
    flx_ResultsChart.set_col(1);
    const std::string name_text = flx_ResultsChart.text();
    window.set_caption("Information on; " + name_text);
    flx_ResultsChart.set_col(0);
    const std::string code_text = flx_ResultsChart.text();
    const Colour row_colour = flx_ResultsChart.cell_fore_colour();

    window.cls();
    window.set_fore_colour(platform::system_button_text);
    window.set_font(arial(10, true));
    Composer lines(window, value_x);

    lines.value_line(" Information on; ", name_text);
    lines.value_line(" " + singular(opt_DiallOption(0).caption()) + "; ", code_text);
    window.set_font(arial(8, false));
    window.print_line();
    window.print_line();
    lines.bold_value_line(" Searched for; ", Search_Text);
    lines.value_line(" Search started at; ", platform::format_clock_time(Search_Start));
    if (Search_Running) {
        lines.value_line(" Time now; ", platform::format_clock_time(Search_Last));
        lines.value_line(" Total time so far; ", " " + platform::format_elapsed(Search_Last, Search_Start));
        // The running count follows its text at once, without moving to the value column.
        window.print(" Total matches found so far; ");
        window.set_font_bold(true);
        window.print_line(platform::format_grouped(Match_Count));
        window.set_font_bold(false);
    } else {
        lines.value_line(" Search ended at; ", platform::format_clock_time(Search_Last));
        lines.value_line(" Total search time; ", platform::format_elapsed(Search_Last, Search_Start));
        lines.bold_value_line(" Total matches found; ", platform::format_grouped(Match_Count));
    }
    window.print_line();

    // The link lies over the printed path, in the same font, so the path shows through it
    // in the highlight colour and underlined.
    window.print(" Data read from file; ");
    window.set_font_bold(true);
    window.set_current_x(value_x);
    platform::Label& link = info.lab_LinkToFile;
    link.set_left(window.current_x());
    link.set_top(window.current_y());
    platform::Font link_font = link.font();
    link_font.name = window.font().name;
    link_font.size = window.font().size;
    link_font.bold = window.font().bold;
    link_font.italic = window.font().italic;
    link_font.underline = true;
    link.set_font(link_font);
    link.set_link_cursor(true);
    link.set_caption(DataFile_Path);
    link.set_tooltip(" Load file; " + FileName_from_Path(DataFile_Path) + " ");
    link.set_visible(true);
    window.print_line(DataFile_Path);
    window.set_font_bold(false);

    if (Search_Running) {
        window.print_line();
        window.set_fore_colour(red);
        window.set_font_bold(true);
        window.print_line(std::string(" ") + product_name + " has not yet finished searching.");
        window.print_line(" " + progress_from_caption(frm.caption()) + "% of file searched only.");
        window.set_font_bold(false);
        window.set_fore_colour(platform::system_button_text);
    } else {
        lines.bold_value_line(" File created on; ", "- to do -");
        lines.bold_value_line(" File updated on; ", "- to do -");
        window.print_line();
        window.set_fore_colour(row_colour);
        window.print_line(" This part of the program has not yet been written.");
    }

    window.show();
    window.bring_to_front();
}

} // namespace zentrel
