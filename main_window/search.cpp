// The search: the window's side of the scan of the category's database file. It turns
// the window busy, lists every match the scan reports, shows the progress and yields
// between lines so that the window stays responsive and the search can be aborted, and
// reports how the search ended. Also the abort and clear commands and the keys of the
// pattern box.
//
// The yield is paced by the event loop service, by time, not once per line. Nothing of
// the search can be seen or changed but in a yield: the captions, the time of the last
// line and the rows are shown, and the abort and a click on a row are processed, only
// there. So the captions and the time are written just before each yield, and whatever
// a yield shows (a repaint, the information window) is what a yield before every line
// would have shown at the same line. The abort, which can only come in a yield, still
// ends the search once the line after it has been read and matched.
#include "main_window/frm_main.h"
#include "main_window/text_helpers.h"
#include "platform/formats.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

namespace zentrel {

using platform::Colour;
using platform::format_grouped;
using platform::format_whole;
namespace box = platform::message_box;

namespace {

constexpr Colour light_green = platform::rgb(127, 255, 127);
constexpr const char* searching_for = " is searching for; ";
constexpr unsigned char no_break_space = 160;

std::string progress_caption(const std::string& pattern, double progress)
{
    std::string caption = app_title;
    caption.append(searching_for).append("\"").append(pattern).append("\"    [ ");
    return caption.append(format_whole(progress)).append("% ]");
}

std::string progress_frame_caption(double progress, std::int32_t matches, long long records)
{
    std::string caption = " ";
    caption.append(format_whole(progress)).append("% of data read.  (").append(format_grouped(matches));
    return caption.append(" matches out of ").append(format_grouped(records)).append(" records.) ");
}

std::string summary_hint(const std::string& pattern, std::int32_t matches)
{
    std::string spaces = " ";
    std::string no_break(1, static_cast<char>(no_break_space));
    return " " + pattern + " was found " + format_grouped(matches) + " time" + plural_s(matches) + ". " +
           replace_all(" Click select here for more information. ", spaces, no_break);
}

} // namespace

void frm_Main::com_Search_Click()
{
    const std::string old_caption = ui_.frm.caption();
    const std::string old_frame_caption = ui_.fra_Search.caption();
    const auto failure = platform::run_on_error_road([&] {
        const std::string pattern = platform::trim(ui_.txt_Inputbox.text());
        show_busy_state(pattern);
        search_file(current_category(), pattern);
    });
    if (failure) report_search_failure(failure->number(), failure->description());
    ui_.frm.set_caption(old_caption);
    for (int index = 0; index < 2; ++index) ui_.opt_DiallOption(index).set_enabled(true);
    ui_.lab_Direction.set_enabled(true);
    ui_.txt_Inputbox.set_enabled(true);
    ui_.com_Search.set_enabled(true);
    ui_.fra_Search.set_caption(old_frame_caption);
    ui_.txt_Inputbox.select_all();
    ui_.txt_Inputbox.set_focus();
    search_state_.Search_Running = false;
    ui_.com_SearchType.set_enabled(true);
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::arrow);
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::standard);
    Form_Resize();
    show_idle_state();
}

void frm_Main::show_busy_state(const std::string& pattern)
{
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::arrow_hourglass);
    ui_.frm.set_caption(std::string(app_title) + searching_for + pattern);
    paint_window(light_green);
    std::int32_t rows_shown = 99;
    ui_.flx_ResultsChart.set_height(Grid_Rows_Height(rows_shown));
    ui_.com_SearchType.set_enabled(false);
    search_state_.Search_Running = true;
    search_state_.Search_Start = services_.clock->now();
    search_state_.Search_Last = search_state_.Search_Start;
    search_state_.Search_Text = pattern;
    ui_.flx_ResultsChart.set_col_width(0, static_cast<double>(platform::round_half_even(
                                          platform::val(Text_for_Category("flxTabAt", current_category())))));
    Reset_Results_Grid();
    ui_.txt_Inputbox.select_all();
    ui_.txt_Inputbox.set_focus();
    for (int index = 0; index < 2; ++index) ui_.opt_DiallOption(index).set_enabled(false);
    ui_.lab_Direction.set_enabled(false);
    ui_.txt_Inputbox.set_enabled(false);
    ui_.com_Search.set_enabled(false);
}

void frm_Main::paint_window(Colour colour)
{
    ui_.frm.set_back_colour(colour);
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &ui_.fra_SearchType, &ui_.com_SearchType, &ui_.fra_Search, &ui_.opt_DiallOption_0, &ui_.opt_DiallOption_1,
             &ui_.fra_TheResults, &ui_.txt_Inputbox, &ui_.com_Search}) {
        control->set_back_colour(colour);
    }
}

void frm_Main::show_idle_state()
{
    paint_window(platform::system_button_face);
    // The two inputs that take text stand on the window background.
    ui_.com_SearchType.set_back_colour(platform::system_window_background);
    ui_.txt_Inputbox.set_back_colour(platform::system_window_background);
}

void frm_Main::search_file(Category category, const std::string& pattern)
{
    search_state_.Match_Count = 0;
    search_state_.DataFile_Path = data_file_path();
    const std::string& path = search_state_.DataFile_Path;
    shown_pattern_ = pattern;
    const SearchField field = ui_.opt_DiallOption_0.value() ? SearchField::Code : SearchField::Name;
    SearchLoop loop(category, field, ui_.txt_Inputbox.text(), ui_.txt_Inputbox.foreign_characters());
    try {
        loop.run(path, *this);
    } catch (...) {
        note_last_line_time(loop.progress());
        throw;
    }
    note_last_line_time(loop.progress());

    if (search_state_.Match_Count <= 0) {
        const char* what = field == SearchField::Code ? "dialing code number" : "area code name";
        add_red_row(pattern, std::string("Can't find any ") + what + " matches with; " + pattern);
    }
    if (!search_state_.Search_Running) {
        Colour fore = platform::white;
        Colour back = 0;
        Add_Result_Row("This search was aborted.", "Aborted after " + ui_.fra_Search.caption(), fore, back);
        message("This search was aborted.\r\n\r\nAborted after " + ui_.fra_Search.caption(), box::exclamation,
                std::string(app_title) + " - Search aborted.");
    }
    ui_.flx_ResultsChart.set_tooltip(summary_hint(pattern, search_state_.Match_Count));
}

bool frm_Main::turn_due() { return services_.event_loop->yield_due(); }

void frm_Main::turn(const SearchProgress& progress)
{
    note_last_line_time(progress);
    const double percent = progress.percent();
    ui_.frm.set_caption(progress_caption(shown_pattern_, percent));
    ui_.fra_Search.set_caption(progress_frame_caption(percent, progress.matches, progress.entries_read));
    services_.event_loop->do_events();
}

void frm_Main::matched(const EntryFields& entry, const SearchProgress& progress)
{
    search_state_.Match_Count = progress.matches;
    RowColours colours = tag_colours(entry.tag);
    Add_Result_Row(std::string(entry.code), std::string(entry.name), colours.text, colours.background);
    if (progress.matches >= SearchLoop::match_limit) {
        add_red_row("Can't load any more data.", format_grouped(progress.matches) + " matches displayed only. (" +
                                                     format_whole(progress.percent()) + "% of data read.)");
    }
}

bool frm_Main::going_on() { return search_state_.Search_Running; }

// The time of the last line read, taken where it can be seen: before a yield and when
// the scan ends. Before the first line it stays the start time.
void frm_Main::note_last_line_time(const SearchProgress& progress)
{
    if (progress.lines_read > 0) search_state_.Search_Last = services_.clock->now();
}

void frm_Main::report_search_failure(int number, const std::string& description)
{
    ui_.flx_ResultsChart.set_tooltip("");
    const std::string title = std::string(app_title) + " search error.";
    const std::string& path = search_state_.DataFile_Path;
    if (number == platform::error::file_not_found) {
        add_red_row("Can't find file;", platform::shown_path(path));
        message(title + "\r\n\r\nCan't find file; " + platform::shown_path(path) +
                    "\r\n\r\n\tTo create this file;\r\n"
                        "\t1; Click on OK to close this window.\r\n"
                        "\t2; Hold down the SHIFT key and click menu over the " +
                    app_title + " window.\r\n\t3; Click on ''Options, Restore/fix the " +
                    platform::shown_file_name(path) + " file.''",
                box::exclamation, title);
        return;
    }
    add_red_row("Error " + std::to_string(number) + ".", description + ".");
    message(title + "\r\n\r\nError " + std::to_string(number) + ".\r\n" + description + ".", box::exclamation,
            title);
}

void frm_Main::menu_AbortSearch_Click() { search_state_.Search_Running = false; }

void frm_Main::menu_ClearSearchResults_Click()
{
    ui_.opt_DiallOption_1.set_value(true);
    Reset_Results_Grid();
    search_state_.Search_Text.clear();
    ui_.txt_Inputbox.set_text("");
    ui_.txt_Inputbox.set_focus();
    search_state_.Match_Count = 0;
    ui_.com_SearchType.set_enabled(true);
}

// ---------------------------------------------------------------------------------
// Keys of the pattern box

void frm_Main::txt_Inputbox_KeyPress(int& key_ascii)
{
    if (key_ascii == platform::key_code::enter) com_Search_Click();
}

void frm_Main::txt_Inputbox_KeyDown(int key_code, int shift)
{
    if (shift != platform::shift_key::shift) return;
    switch (key_code) {
    case platform::key_code::pause:
    case platform::key_code::escape: ui_.txt_Inputbox.set_text(""); break;
    case platform::key_code::f1: start_sample_search("Haywards Heath", 1); break;
    case platform::key_code::f2: start_sample_search("01444", 0); break;
    case platform::key_code::f3: start_sample_search("London", 1); break;
    default: break;
    }
}

void frm_Main::start_sample_search(const char* pattern, int option)
{
    ui_.txt_Inputbox.set_text(pattern);
    ui_.opt_DiallOption(option).set_value(true);
    com_Search_Click();
}

} // namespace zentrel
