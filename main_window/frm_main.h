#pragma once
// The main window: the category list, the direction options with their arrow, the
// pattern box, the Search button and the results grid; start-up, the category switch,
// the layout, the search with its abort and clear commands, the context menu and its
// commands, and the search state, of which the information window is given a copy.
// The text tables live apart from it (category_texts); the line split, the wildcard
// match and the scan of a file are the search engine's (search_engine/).
//
// The road of a search, from the key to a grid row:
//   Enter: TextBoxWidget::keyPressEvent -> txt_Inputbox_KeyPress -> com_Search_Click
//   the Search button: ButtonWidget's clicked signal -> CommandButton::click -> com_Search_Click
//   com_Search_Click -> show_busy_state (Reset_Results_Grid) -> search_file(current_category(), pattern)
//   search_file -> SearchLoop::run(data_file_path(), *this) -> match_entry: split_entry, WildcardPattern::matches
//   a match -> matched (the SearchListener) -> Add_Result_Row -> flx_ResultsChart, shown at ScreenSync::flush
//   between lines: turn_due -> turn -> do_events (repaints, the abort); at the end com_Search_Click -> show_idle_state
#include "core/app_identity.h"
#include "core/search_state.h"
#include "main_window/category_texts.h"
#include "main_window/main_window_controls.h"
#include "platform/file_attributes.h"
#include "search_engine/search_loop.h"
#include "platform/services.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zentrel {

class frm_About;
class frm_DataInfo;

class frm_Main final : private SearchListener {
public:
    explicit frm_Main(platform::Services services);
    ~frm_Main() override;
    frm_Main(const frm_Main&) = delete;
    frm_Main& operator=(const frm_Main&) = delete;

    // Loads the window and shows it, as the program's start does.
    void load_and_show();

    // The windows as they stand, for the look-ups of the tests and tools: the open
    // information window, and the About box once it was made; null while there is none.
    frm_DataInfo* info_window() { return info_window_exists() ? data_info_.get() : nullptr; }
    frm_About* about_box() { return about_.get(); }

    const SearchState& search_state() const { return search_state_; }
    // The controls and menu items, for the event roads of the tests and tools.
    MainWindowControls& ui() { return ui_; }
    const MainWindowControls& ui() const { return ui_; }

private:
    // Window events.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void set_minimum_window_size();

    // Category, direction and pattern box.
    void com_SearchType_Click();
    void Apply_Search_Category();
    void opt_DiallOption_Click(int index);
    void lab_Direction_Click();
    void txt_Inputbox_Change();
    void txt_Inputbox_KeyDown(int key_code, int shift);
    void txt_Inputbox_KeyPress(int& key_ascii);

    // Mouse routing: each handler gets the position in twips relative to its own
    // control and opens the context menu on a right press.
    void Form_MouseDown(int button, int shift, double x, double y);
    void fra_SearchType_MouseDown(int button, int shift, double x, double y);
    void fra_Search_MouseDown(int button, int shift, double x, double y);
    void opt_DiallOption_MouseDown(int index, int button, int shift, double x, double y);
    void com_Search_MouseDown(int button, int shift, double x, double y);
    void fra_TheResults_MouseDown(int button, int shift, double x, double y);
    void flx_ResultsChart_MouseDown(int button, int shift, double x, double y);
    // Enter and Space on the grid's current row open the information window on it, as a
    // left press does.
    void flx_ResultsChart_KeyDown(int key_code, int shift);
    // Opens the context menu at a position in window twips, for the right button only.
    void Show_Popup_Menu(int button, int shift, std::int32_t x, std::int32_t y);
    // A key going down that no control took: the menu key and Shift+F10 open the
    // context menu over the control with the focus.
    void Form_KeyDown(int key_code, int shift);

    // Commands.
    void com_Search_Click();
    void menu_AbortSearch_Click();
    void menu_ClearSearchResults_Click();
    void menu_Save_Click();
    void menu_Copy_Click();
    void menu_Exit_Click();
    void Fill_WebSites_Menu();
    void menu_URL_Click(int index);
    void menu_Help_Click();
    // Shows the About box modally and destroys it once it has closed.
    void menu_AboutApp_Click();
    void menu_Options_OpenDir_Click();
    void menu_Options_RestoreDatabaseFile_Click();
    void Set_Search_Inputs_Enabled(bool enabled);

    // The per-category texts, read against the category list as it is now.
    std::string Text_for_Category(std::string_view key, Category category) const;
    Category Category_from_Text(std::string& text) const;
    std::string DataFile_for_Category(std::string_view category_text) const;
    Category current_category() const;

    // The results grid.
    void Reset_Results_Grid();
    void Add_Result_Row(std::string code_text, std::string name_text, platform::Colour& fore_colour,
                        platform::Colour& back_colour);
    double Grid_Rows_Height(std::int32_t& row_count) const;

    // The information window on one result row, composed with the search state of this
    // moment; the column is not used, a row of 0 or less stands for row 1.
    void Show_Row_Info(std::int32_t column, std::int32_t row);

    // The two secondary windows, each created on first use. The information window is
    // created again after the user has closed it.
    frm_About& ensure_about_box();
    frm_DataInfo& ensure_info_window();
    bool info_window_exists() const;

    // The search's listener: progress, rows and the yield.
    bool turn_due() override;
    void turn(const SearchProgress& progress) override;
    void matched(const EntryFields& entry, const SearchProgress& progress) override;
    bool going_on() override;

    void wire_handlers();
    void build_menu();
    // The captions and states of the menu's items for this moment, as the menu opens
    // with these keys held.
    void set_menu_states(int shift);
    // A shortcut of the menu acts as its item would, when the menu would offer the item.
    void menu_shortcut_pressed(platform::MenuItem& item);
    void show_busy_state(const std::string& pattern);
    void show_idle_state();
    // The window and its inputs in one background colour.
    void paint_window(platform::Colour colour);
    // The database file of the search: the one the window holds, or the current
    // category's before it holds one.
    std::string data_file_path() const;
    void search_file(Category category, const std::string& pattern);
    void note_last_line_time(const SearchProgress& progress);
    void report_search_failure(int number, const std::string& description);
    void add_red_row(std::string code_text, std::string name_text);
    void start_sample_search(const char* pattern, int option);
    bool confirm_restore(const std::string& path, const platform::FileAtPath& there);
    void refuse_restore(const std::string& path, const platform::FileAtPath& there);
    void write_default_data(const std::string& path);
    void report_restore_failure(int number, const std::string& description, const std::string& path);
    bool choose_save_file();
    void refuse_save_over(const std::string& path, const platform::FileAtPath& there);
    int ask_before_overwriting(const std::string& path);
    void write_results(const std::string& path, int file_type);
    void report_save_failure(int number, const std::string& description);
    int message(const std::string& text, int style, const std::string& title);

    platform::Services services_;
    SearchState search_state_;
    // The pattern of the running search, as trimmed for the captions and rows.
    std::string shown_pattern_;
    std::unique_ptr<frm_About> about_;
    std::unique_ptr<frm_DataInfo> data_info_;
    MainWindowControls ui_;

};

} // namespace zentrel
