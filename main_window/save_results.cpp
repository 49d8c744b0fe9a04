// Saving and copying the results: the save writes every grid row, the header row
// included, to a file chosen in the save dialog, comma- or tab-separated by the chosen
// file type, after the program's own questions about replacing a file; the copy puts the
// same rows, tab-separated, on the clipboard.
#include "main_window/save_results.h"

#include "core/paths.h"

#include "main_window/frm_main.h"
#include "main_window/text_helpers.h"
#include "platform/file_attributes.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "platform/text_file_writer.h"

#include <utility>

namespace zentrel {

namespace box = platform::message_box;

namespace {

constexpr const char* save_filter =
    "Comma-Separated Values files (*.csv)|*.csv|Tab-Separated CSV files (*.csv)|*.csv|"
    "Text files (*.txt)|*.txt|DATA files (*.dat)|*.dat|All file types (*.*)|*.*";
constexpr int comma_separated_type = 1;
constexpr int tab_separated_type = 2;
constexpr int longest_file_name = 260;
constexpr char comma_in_cell = static_cast<char>(0x82);
constexpr const char* line_end = "\r\n";

std::string save_dialog_title() { return std::string(app_title) + " - Save results as;"; }

// The separator between the code and the name, and what a separator character inside a
// cell is written as, so that every line keeps exactly two fields.
struct SaveFormat {
    std::string separator;
    std::string separator_in_cell;
};

SaveFormat save_format(int file_type)
{
    if (file_type == comma_separated_type) return {",", std::string(1, comma_in_cell)};
    return {"\t", " "};
}

// The suggested file name: the category's results name, followed by the last search's
// pattern when there is one. Wildcards become "_", and so does "/", so that the name
// always stands for a file in the dialog's folder rather than in a folder below it. The
// name of a long pattern is cut to what the system takes as a file name, or the dialog
// could not save under it.
std::string suggested_file_name(const std::string& results_name, const std::string& search_text)
{
    const std::string pattern = platform::trim(search_text);
    if (pattern.empty()) return results_name;
    std::string name = results_name + "For_" + pattern;
    for (const char* wildcard : {"*", "#", "?", "/"}) name = Replace_Text(name, wildcard, "_");
    return platform::name_that_fits(name);
}

// The paths are the system's UTF-8 names; a letter of the code page matches its other
// case, any other character only itself.
bool same_path(const std::string& one, const std::string& other)
{
    return platform::ucase_utf8(platform::trim(one)) == platform::ucase_utf8(platform::trim(other));
}

// Makes `row` the grid's current row and reads its code and name through the current
// cell, which the commands leave on column 1 of the last row they read.
std::pair<std::string, std::string> read_row(platform::Grid& grid, int row)
{
    grid.set_row(row);
    grid.set_col(0);
    std::string code = grid.text();
    grid.set_col(1);
    return {std::move(code), grid.text()};
}

std::string saved_line(const std::pair<std::string, std::string>& cells, const SaveFormat& format)
{
    return Replace_Text(cells.first, format.separator, format.separator_in_cell) + format.separator +
           Replace_Text(cells.second, format.separator, format.separator_in_cell);
}

} // namespace

bool File_is_ReadOnly(const std::string& path) { return platform::is_read_only(path); }

std::string Replace_Text(std::string_view text, std::string_view find, std::string_view replacement)
{
    std::string used(replacement);
    return replace_all(std::string(text), find, used);
}

// ---------------------------------------------------------------------------------
// Save

void frm_Main::menu_Save_Click()
{
    const auto failure = platform::run_on_error_road([&] {
        ui_.dia_LoadSaveBox.cancel_error = true;
        ui_.dia_LoadSaveBox.dialog_title = save_dialog_title();
        ui_.dia_LoadSaveBox.filter = save_filter;
        ui_.dia_LoadSaveBox.filter_index = tab_separated_type;
        ui_.dia_LoadSaveBox.max_file_size = longest_file_name;
        ui_.dia_LoadSaveBox.file_name = platform::to_utf8(
            suggested_file_name(Text_for_Category("DefaultSaveName", current_category()), search_state_.Search_Text));
        ui_.dia_LoadSaveBox.init_dir = services_.program_folder;
        if (!choose_save_file()) return;
        write_results(ui_.dia_LoadSaveBox.file_name, ui_.dia_LoadSaveBox.filter_index);
    });
    if (failure) report_save_failure(failure->number(), failure->description());
}

// Shows the dialog until the user settles on a file, asking before a file is replaced;
// after No the dialog opens again on the last choice. False when the save is to end.
bool frm_Main::choose_save_file()
{
    bool accepted = false;
    while (!accepted) {
        accepted = true;
        if (!services_.save_dialogs->show_save(ui_.dia_LoadSaveBox)) {
            if (ui_.dia_LoadSaveBox.cancel_error) platform::raise_error(platform::error::dialog_cancelled);
            return false;
        }
        const std::string path = ui_.dia_LoadSaveBox.file_name;
        if (path.empty()) return false;
        const platform::FileAtPath there = platform::file_at(path);
        if (!there.replaceable()) {
            refuse_save_over(path, there);
            return false;
        }

        const int answer = ask_before_overwriting(path);
        if (answer == box::answer_cancel) return false;
        if (answer == box::answer_no) accepted = false;

        if (accepted && platform::file_exists(path) && File_is_ReadOnly(path)) {
            if (message(platform::shown_file_name(path) +
                            " is locked.\r\n\r\nDo you wish to unlock and save the new data?",
                        box::yes_no + box::question, std::string(app_title) + " - Locked file.") == box::answer_yes) {
                platform::set_normal(path);
            } else {
                accepted = false;
            }
        }
    }
    return true;
}

// Only a file is replaced by the results: what else stands at the chosen path is named,
// and the save ends with nothing written.
void frm_Main::refuse_save_over(const std::string& path, const platform::FileAtPath& there)
{
    message(std::string(app_title) + " save error.\r\n\r\nFile; '" + platform::shown_file_name(path) + "' " +
                not_a_file_text(there) + "\r\n\tThe results are saved only as a file; nothing was written.",
            box::exclamation, std::string(app_title) + " - Not a file.");
}

// The question before replacing the category's own database file or any other existing
// file: Yes, No or Cancel. A new file needs no question and counts as Yes.
int frm_Main::ask_before_overwriting(const std::string& path)
{
    const std::string name = platform::shown_file_name(path);
    if (same_path(path, search_state_.DataFile_Path)) {
        return message("\tWarning;\r\n\tFile; '" + name + "' already exists\r\n\tand is used by " + app_title +
                           " to hold all\r\n\tthe telephone directory data.\r\n\t\r\n"
                           "\tDo you want to overwrite this old file?\r\n\t\r\nNote;\r\n"
                           "\tIf you overwrite this file then the information directory you ..",
                       box::yes_no_cancel + box::critical + box::default_button2,
                       std::string(app_title) + " - File already exists and is used to hold all data.");
    }
    if (platform::file_exists(path)) {
        return message("Warning;\r\nFile; '" + name + "' already exists.\r\n\r\nDo you want to overwrite this old file?",
                       box::yes_no_cancel + box::question + box::default_button2,
                       std::string(app_title) + " - File already exists.");
    }
    return box::answer_yes;
}

// Every row, however many a search listed, goes into a new file that takes the old one's
// place only once every line is written: a save that fails leaves the old file as it was.
void frm_Main::write_results(const std::string& path, int file_type)
{
    const SaveFormat format = save_format(file_type);
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::arrow_hourglass);
    platform::OutputFile file(path);
    for (int row = 0; row < ui_.flx_ResultsChart.rows(); ++row) {
        file.write_line(saved_line(read_row(ui_.flx_ResultsChart, row), format));
    }
    file.commit();
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::standard);
}

void frm_Main::report_save_failure(int number, const std::string& description)
{
    ui_.frm.set_mouse_pointer(platform::mouse_pointer::standard);
    const std::string title = std::string(app_title) + " - " + description;
    if (number == platform::error::path_file_access) {
        message(std::string(app_title) + " path/File access error.\r\n\r\nIs this file locked?", box::exclamation,
                title);
    } else if (number != platform::error::dialog_cancelled) {
        message(std::string(app_title) + " error.\r\n" + save_dialog_title() + " error.\r\n\r\n" + description +
                    "\r\nError number = " + std::to_string(number),
                box::exclamation, title);
    }
}

// ---------------------------------------------------------------------------------
// Copy

void frm_Main::menu_Copy_Click()
{
    std::string text;
    for (int row = 0; row < ui_.flx_ResultsChart.rows(); ++row) {
        const auto cells = read_row(ui_.flx_ResultsChart, row);
        text += cells.first;
        text += '\t';
        text += cells.second;
        text += line_end;
    }
    services_.clipboard->clear();
    services_.clipboard->set_text(text);
    services_.beeper->beep();
}

} // namespace zentrel
