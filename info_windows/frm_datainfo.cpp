#include "info_windows/frm_datainfo.h"

#include "core/app_identity.h"
#include "info_windows/link_font.h"
#include "platform/file_attributes.h"
#include "platform/formats.h"
#include "platform/shell_open.h"
#include "platform/text.h"

#include <string_view>

namespace zentrel {

namespace {

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

frm_DataInfo::frm_DataInfo(const platform::Services& services)
    : services_(services)
{
    ui_.lab_LinkToFile.set_auto_size(true);
    ui_.lab_LinkToFile.set_fore_colour(platform::system_highlight);
    ui_.lab_LinkToFile.set_font_underline(true);
    ui_.lab_LinkToFile.set_link_cursor(true);
    // Shown by the first composition, once it lies over a printed path.
    ui_.lab_LinkToFile.set_visible(false);

    ui_.frm.on_unload([this] { Form_Unload(); });
    ui_.frm.on_key_down([this](int key_code, int shift) { Form_KeyDown(key_code, shift); });
    ui_.lab_LinkToFile.on_click([this] { lab_LinkToFile_Click(); });
}

void frm_DataInfo::Show_Row_Info(const InfoRow& row, SearchState state)
{
    if (row.main_window != nullptr) ui_.frm.set_icon_from(*row.main_window);
    ui_.frm.set_caption("Information on; " + row.name_text);
    ui_.frm.cls();
    ui_.frm.set_fore_colour(platform::system_button_text);
    ui_.frm.set_font(arial(10, true));
    Composer lines(ui_.frm, row.value_column);
    lines.value_line(" Information on; ", row.name_text);
    lines.value_line(" " + singular(row.code_caption) + "; ", row.code_text);
    ui_.frm.set_font(arial(8, false));
    ui_.frm.print_line();
    ui_.frm.print_line();
    print_statistics(state, row.value_column);
    print_file_link(state.DataFile_Path, row.value_column);
    print_closing_block(row, state.Search_Running);
    ui_.frm.show();
    ui_.frm.bring_to_front();
}

void frm_DataInfo::print_statistics(const SearchState& state, double value_column)
{
    Composer lines(ui_.frm, value_column);
    lines.bold_value_line(" Searched for; ", state.Search_Text);
    lines.value_line(" Search started at; ", format_clock_time(state.Search_Start));
    if (state.Search_Running) {
        lines.value_line(" Time now; ", format_clock_time(state.Search_Last));
        lines.value_line(" Total time so far; ", " " + format_elapsed(state.Search_Last, state.Search_Start));
        // The running count follows its text at once, without moving to the value column.
        ui_.frm.print(" Total matches found so far; ");
        ui_.frm.set_font_bold(true);
        ui_.frm.print_line(platform::format_grouped(state.Match_Count));
        ui_.frm.set_font_bold(false);
    } else {
        lines.value_line(" Search ended at; ", format_clock_time(state.Search_Last));
        lines.value_line(" Total search time; ", format_elapsed(state.Search_Last, state.Search_Start));
        lines.bold_value_line(" Total matches found; ", platform::format_grouped(state.Match_Count));
    }
    ui_.frm.print_line();
}

// The link lies over the printed path, in the same font, so the path shows through it
// in the highlight colour and underlined. The path is the system's; the window shows it
// in the program's text and keeps the path itself for the link to open.
void frm_DataInfo::print_file_link(const std::string& path, double value_column)
{
    linked_file_ = path;
    const std::string shown = platform::shown_path(path);
    ui_.frm.print(" Data read from file; ");
    ui_.frm.set_font_bold(true);
    ui_.frm.set_current_x(value_column);
    ui_.lab_LinkToFile.set_left(ui_.frm.current_x());
    ui_.lab_LinkToFile.set_top(ui_.frm.current_y());
    ui_.lab_LinkToFile.set_font(link_font(ui_.frm.font(), true));
    ui_.lab_LinkToFile.set_link_cursor(true);
    ui_.lab_LinkToFile.set_caption(shown);
    ui_.lab_LinkToFile.set_tooltip(" Load file; " + platform::shown_file_name(path) + " ");
    ui_.lab_LinkToFile.set_visible(true);
    ui_.frm.print_line(shown);
    ui_.frm.set_font_bold(false);
}

void frm_DataInfo::print_closing_block(const InfoRow& row, bool running)
{
    if (running) {
        ui_.frm.print_line();
        ui_.frm.set_fore_colour(platform::red);
        ui_.frm.set_font_bold(true);
        ui_.frm.print_line(std::string(" ") + app_product_name + " has not yet finished searching.");
        ui_.frm.print_line(" " + progress_from_caption(row.main_caption) + "% of file searched only.");
        ui_.frm.set_font_bold(false);
        ui_.frm.set_fore_colour(platform::system_button_text);
        return;
    }
    Composer lines(ui_.frm, row.value_column);
    lines.bold_value_line(" File created on; ", "- to do -");
    lines.bold_value_line(" File updated on; ", "- to do -");
    ui_.frm.print_line();
    ui_.frm.set_fore_colour(row.colour);
    ui_.frm.print_line(" This part of the program has not yet been written.");
}

void frm_DataInfo::lab_LinkToFile_Click()
{
    const std::string& path = linked_file_;
    if (platform::file_size(path) < 0) {
        services_.message_boxes->show(std::string(app_title) + " can't find file;\r\n" + ui_.lab_LinkToFile.caption(),
                                      platform::message_box::ok_only | platform::message_box::exclamation,
                                      std::string(app_title) + " can't find file.");
        return;
    }
    platform::Load_File_or_URL(services_, path, false);
}

void frm_DataInfo::Form_KeyDown(int key_code, int)
{
    if (key_code == platform::key_code::escape) ui_.frm.close();
}

void frm_DataInfo::Form_Unload() { closed_ = true; }

} // namespace zentrel
