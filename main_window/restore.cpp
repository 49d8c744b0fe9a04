// The restore command: rebuilds the current category's database file from the default
// data built into the program, after asking the user, and leaves it read-only.
//
// The new file is written beside the old one and takes its place only when every line
// is written, so a restore that fails part way leaves the old file as it was.
#include "core/paths.h"
#include "default_data/default_modules.h"
#include "main_window/frm_main.h"
#include "main_window/text_helpers.h"
#include "platform/file_attributes.h"
#include "platform/formats.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "platform/text_file_writer.h"

#include <optional>

namespace zentrel {

using platform::Colour;
namespace box = platform::message_box;

namespace {

constexpr Colour restoring_blue = platform::rgb(80, 80, 255);

const char* status_text(Category category)
{
    switch (category) {
    case Category::UKDiallingCodes: return "Restoring Directory: ";
    case Category::UKPostCodes: return "Restoring Postcode: ";
    default: return "Restoring call sign: ";
    }
}

bool is_end_of_data(const std::string& line) { return platform::ucase(platform::trim_view(line)) == "#END_OF_DATA#"; }

} // namespace

void frm_Main::Set_Search_Inputs_Enabled(bool enabled)
{
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &ui_.txt_Inputbox, &ui_.fra_Search, &ui_.opt_DiallOption_0, &ui_.opt_DiallOption_1, &ui_.com_Search,
             &ui_.fra_TheResults, &ui_.flx_ResultsChart}) {
        control->set_enabled(enabled);
    }
}

void frm_Main::menu_Options_RestoreDatabaseFile_Click()
{
    const bool search_was_enabled = ui_.com_Search.enabled();
    const std::string old_caption = ui_.frm.caption();
    std::string path;
    const auto failure = platform::run_on_error_road([&] {
        const Category category = current_category();
        ui_.frm.set_caption("Restoring the " + Text_for_Category("telephone", category) + " database file.");
        ui_.frm.set_mouse_pointer(platform::mouse_pointer::hourglass);
        Set_Search_Inputs_Enabled(false);
        search_state_.DataFile_Path = data_file_path();
        path = search_state_.DataFile_Path;
        const platform::FileAtPath there = platform::file_at(path);
        if (!there.replaceable()) {
            refuse_restore(path, there);
        } else if (confirm_restore(path, there)) {
            ui_.frm.set_caption("Restoring file " + platform::shown_file_name(path) + ".");
            paint_window(restoring_blue);
            write_default_data(path);
        }
    });
    if (failure) report_restore_failure(failure->number(), failure->description(), path);
    Set_Search_Inputs_Enabled(true);
    ui_.com_Search.set_enabled(search_was_enabled);
    ui_.frm.set_caption(old_caption);
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::standard);
    show_idle_state();
    // The grid is as tall as its rows: laid out again, it shows the row a failure added.
    Form_Resize();
    // The pattern box lost the focus when it was disabled; Enter searches at once again.
    ui_.txt_Inputbox.set_focus();
}

// The question says what is there: nothing, a file that can be read, or one that cannot,
// whose size is known all the same.
bool frm_Main::confirm_restore(const std::string& path, const platform::FileAtPath& there)
{
    const std::string name = platform::shown_file_name(path);
    std::string warning;
    int icon = box::critical;
    if (there.kind == platform::FileKind::File) {
        warning = "WARNING;\r\nThe " + name + " file already exists. (" + platform::format_grouped(there.size) +
                  " bytes)\r\n" +
                  (there.readable ? "You should check the contents of this file before you replace it.\r\n"
                                  : "It cannot be read, so no search can use it.\r\n");
    } else {
        warning = "The " + name + " file dose not exist yet.\r\nIt is safe to create this file.\r\n";
        icon = box::exclamation;
    }
    const int answer = message(warning + "\r\nDo you wish to create file; " + name + "?",
                               box::yes_no | box::default_button2 | icon,
                               std::string(app_title) + " - Restore the " + name + " file.");
    return answer == box::answer_yes;
}

// Something that is not a file stands where the database file belongs: nothing is asked,
// as nothing may be replaced, and the window says what is there.
void frm_Main::refuse_restore(const std::string& path, const platform::FileAtPath& there)
{
    const std::string title = std::string(app_title) + " restore error.";
    const std::string shown = platform::shown_path(path);
    const std::string what = not_a_file_text(there);
    add_red_row("File;", shown + " " + what);
    message(title + "\r\n\r\nFile; " + shown + " " + what + "\r\n\tNothing was changed: a restore replaces only a file.",
            box::exclamation, title);
}

void frm_Main::write_default_data(const std::string& path)
{
    // The attributes of a file its owner cannot read are set all the same.
    if (platform::file_exists(path)) platform::set_normal(path);
    platform::OutputFile file(path);
    const Category category = current_category();
    DefaultDataModule* module = default_data_for_category(category);
    if (module != nullptr) {
        const std::string status = status_text(category);
        const auto line_count = platform::round_half_even(platform::val(module->Default_Line(0, *services_.clock)));
        for (std::int32_t i = 1; i <= line_count; ++i) {
            const std::string line = module->Default_Line(i, *services_.clock);
            ui_.frm.set_caption(status + line);
            if (is_end_of_data(line)) break;
            file.write_line(line);
            if (category != Category::USZipCodes) services_.event_loop->do_events();
        }
    } else {
        const std::string list_text = ui_.com_SearchType.text();
        file.write_line("Error;");
        file.write_line(list_text + " is not listed.");
        file.write_line("Check code in sub menu_Options_RestoreDatabaseFile_Click.");
        message("Error;\r\n" + list_text + " is not listed.\r\nPlease check the code in sub; \r\n\r\n"
                                           "\tmenu_Options_RestoreDatabaseFile_Click()",
                box::critical, std::string(app_title) + " - Code error.");
    }
    file.commit();
    platform::set_read_only(path);
}

void frm_Main::report_restore_failure(int number, const std::string& description, const std::string& path)
{
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::standard);
    const std::string title = std::string(app_title) + " restore error.";
    const std::string shown = platform::shown_path(path);
    if (number == platform::error::file_not_found) {
        add_red_row("Can't find file;", shown);
        message(title + "\r\n\r\nCan't find file; " + shown, box::exclamation, title);
    } else if (number == platform::error::path_file_access) {
        add_red_row("File;", shown + " is locked.");
        message(title + "\r\n\r\nFile; " + shown + " is locked.", box::exclamation, title);
    } else {
        const std::string name = platform::shown_file_name(path);
        message(std::string(app_title) + " restore/fix \"" + name + "\" file error.\r\n\r\nError = " + description +
                    "\r\nError number = " + std::to_string(number) + ".",
                box::exclamation, std::string(app_title) + " - Restore/fix " + name + " file error.");
    }
}

} // namespace zentrel
