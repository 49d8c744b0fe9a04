#pragma once
// The information window on one result row: the row's name and code, the statistics of
// the search that produced it, the database file as a link, and a closing block that
// differs while the search is still running, all printed onto the window's surface line
// by line. The window shows only what it was composed with: the row and a copy of the
// search state; it never reads the main window's state itself.
#include "core/search_state.h"
#include "platform/services.h"
#include "platform/widgets/controls.h"

#include <string>

namespace zentrel {

// What the information window shows of the clicked row and takes from the main window.
struct InfoRow {
    std::string name_text;
    std::string code_text;
    // The row's text colour, which the closing line of a finished search takes.
    platform::Colour colour = 0;
    // The caption of the code option ("ZIP codes"); one row holds one code.
    std::string code_caption;
    // Where the values stand, in twips from the left edge.
    double value_column = 0;
    // The main window's caption, which shows the running search's progress.
    std::string main_caption;
    // The window whose icon the information window takes.
    const platform::Window* main_window = nullptr;
};

// The window in its designed state, with its one control: the link to the database file.
struct DataInfoControls {
    platform::Window frm{"Information", 4680, 3195};
    platform::Label lab_LinkToFile{frm, "", 0, 0, 0, 0};
};

class frm_DataInfo final {
public:
    explicit frm_DataInfo(const platform::Services& services);

    // Composes the window on the row with a copy of the search state of this moment and
    // shows it.
    void Show_Row_Info(const InfoRow& row, SearchState state);

    // True once the user has closed the window; the next use creates a new one.
    bool closed() const { return closed_; }

    DataInfoControls& ui() { return ui_; }
    const DataInfoControls& ui() const { return ui_; }

private:
    // Opens the file that the link shows, or says that it cannot be found.
    void lab_LinkToFile_Click();
    // Esc closes the window, as its close box does; the other keys do nothing.
    void Form_KeyDown(int key_code, int shift);
    void Form_Unload();
    void print_statistics(const SearchState& state, double value_column);
    void print_file_link(const std::string& path, double value_column);
    void print_closing_block(const InfoRow& row, bool running);

    const platform::Services& services_;
    // The database file that the link shows, by the system's name for it.
    std::string linked_file_;
    bool closed_ = false;
    DataInfoControls ui_;
};

} // namespace zentrel
