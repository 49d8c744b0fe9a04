#include "main_window/frm_main.h"

#include "info_windows/frm_about.h"
#include "info_windows/frm_datainfo.h"
#include "main_window/main_layout.h"
#include "platform/formats.h"
#include "platform/text.h"
#include "platform/widgets/app_state.h"

#include <vector>

namespace zentrel {

namespace {
#include "main_window/app_icon.xpm"
} // namespace

using platform::Colour;

namespace {

constexpr const char* arial = "Arial";
constexpr double arial_size = 8;

platform::Font arial_bold() { return platform::Font{arial, arial_size, true, false, false}; }

std::string padded(const std::string& text) { return " " + text + " "; }

double whole_number(const std::string& text)
{
    return static_cast<double>(platform::round_half_even(platform::val(text)));
}

} // namespace

frm_Main::frm_Main(platform::Services services)
    : services_(std::move(services))
{
    ui_.frm.set_icon_xpm(app_icon_xpm);
    ui_.lab_Direction.set_tooltip(" Toggle direction. ");
    // The arrow stands on its frame's colour, which the search turns green.
    ui_.lab_Direction.set_transparent(true);
    build_menu();
    wire_handlers();
}

frm_Main::~frm_Main() = default;

frm_About& frm_Main::ensure_about_box()
{
    if (!about_) about_ = std::make_unique<frm_About>(services_, [this] { menu_Help_Click(); });
    return *about_;
}

frm_DataInfo& frm_Main::ensure_info_window()
{
    if (!data_info_ || data_info_->closed()) data_info_ = std::make_unique<frm_DataInfo>(services_);
    return *data_info_;
}

void frm_Main::menu_AboutApp_Click()
{
    ensure_about_box().show_about(ui_.frm);
    // Closed by any road: the next opening gets a box in its designed state.
    about_.reset();
}

bool frm_Main::info_window_exists() const { return data_info_ && !data_info_->closed(); }

void frm_Main::wire_handlers()
{
    ui_.frm.on_resize([this] { Form_Resize(); });
    ui_.frm.on_activate([this] { Form_Activate(); });
    ui_.frm.on_unload([this] { Form_Unload(); });
    ui_.frm.on_key_down([this](int key_code, int shift) { Form_KeyDown(key_code, shift); });
    ui_.frm.on_menu_shortcut(ui_.menu_Options, [this](platform::MenuItem& item) { menu_shortcut_pressed(item); });
    ui_.com_SearchType.on_click([this] { com_SearchType_Click(); });
    ui_.opt_DiallOption_0.on_click([this] { opt_DiallOption_Click(0); });
    ui_.opt_DiallOption_1.on_click([this] { opt_DiallOption_Click(1); });
    ui_.lab_Direction.on_click([this] { lab_Direction_Click(); });
    ui_.txt_Inputbox.on_change([this] { txt_Inputbox_Change(); });
    ui_.txt_Inputbox.on_key_down([this](int key_code, int shift) { txt_Inputbox_KeyDown(key_code, shift); });
    ui_.txt_Inputbox.on_key_press([this](int& key_ascii) { txt_Inputbox_KeyPress(key_ascii); });
    ui_.com_Search.on_click([this] { com_Search_Click(); });
    ui_.frm.on_mouse_down([this](int button, int shift, double x, double y) { Form_MouseDown(button, shift, x, y); });
    ui_.fra_SearchType.on_mouse_down([this](int button, int shift, double x, double y) {
        fra_SearchType_MouseDown(button, shift, x, y);
    });
    ui_.fra_Search.on_mouse_down([this](int button, int shift, double x, double y) {
        fra_Search_MouseDown(button, shift, x, y);
    });
    for (int index = 0; index < 2; ++index) {
        ui_.opt_DiallOption(index).on_mouse_down([this, index](int button, int shift, double x, double y) {
            opt_DiallOption_MouseDown(index, button, shift, x, y);
        });
    }
    ui_.com_Search.on_mouse_down([this](int button, int shift, double x, double y) {
        com_Search_MouseDown(button, shift, x, y);
    });
    ui_.fra_TheResults.on_mouse_down([this](int button, int shift, double x, double y) {
        fra_TheResults_MouseDown(button, shift, x, y);
    });
    ui_.flx_ResultsChart.on_mouse_down([this](int button, int shift, double x, double y) {
        flx_ResultsChart_MouseDown(button, shift, x, y);
    });
    ui_.flx_ResultsChart.on_key_down([this](int key_code, int shift) { flx_ResultsChart_KeyDown(key_code, shift); });
    ui_.menu_Help.on_click([this] { menu_Help_Click(); });
    ui_.menu_AboutApp.on_click([this] { menu_AboutApp_Click(); });
    ui_.menu_AbortSearch.on_click([this] { menu_AbortSearch_Click(); });
    ui_.menu_ClearSearchResults.on_click([this] { menu_ClearSearchResults_Click(); });
    ui_.menu_Save.on_click([this] { menu_Save_Click(); });
    ui_.menu_Copy.on_click([this] { menu_Copy_Click(); });
    ui_.menu_Options_OpenDir.on_click([this] { menu_Options_OpenDir_Click(); });
    ui_.menu_Options_RestoreDatabaseFile.on_click([this] { menu_Options_RestoreDatabaseFile_Click(); });
    ui_.menu_Exit.on_click([this] { menu_Exit_Click(); });
    for (int index = 0; index < ui_.web_site_item_count; ++index) {
        ui_.menu_URL[static_cast<std::size_t>(index)].on_click([this, index] { menu_URL_Click(index); });
    }
}

void frm_Main::load_and_show()
{
    Form_Load();
    set_minimum_window_size();
    ui_.frm.show();
}

// ---------------------------------------------------------------------------------
// Start-up, category and direction

void frm_Main::Form_Load()
{
    search_state_.Match_Count = 0;
    ui_.com_SearchType.clear();
    for (std::string_view text : category_list_texts) ui_.com_SearchType.add_item(std::string(text));
    ui_.com_SearchType.set_list_index(0);
    Apply_Search_Category();
}

void frm_Main::com_SearchType_Click()
{
    Apply_Search_Category();
    // The options take the widths of the new category: the window is laid out for them,
    // however the category was picked.
    Form_Resize();
}

void frm_Main::Apply_Search_Category()
{
    const auto T = [this](std::string_view key) { return Text_for_Category(key, current_category()); };
    ui_.frm.set_caption(T("Dialling code directory"));
    ui_.fra_SearchType.set_caption(padded(T("Search type")));
    ui_.fra_SearchType.set_font(arial_bold());
    ui_.com_SearchType.set_font(arial_bold());
    ui_.com_SearchType.set_tooltip(padded(T("Select your search category here.")));
    ui_.fra_Search.set_caption(padded(T("Search for")));
    ui_.fra_Search.set_font(arial_bold());
    ui_.opt_DiallOption_0.set_caption(T("Dialling codes"));
    ui_.opt_DiallOption_1.set_caption(T("Dialling areas"));
    ui_.opt_DiallOption_0.set_tooltip(padded(T("Search for names from a number.")));
    ui_.opt_DiallOption_1.set_tooltip(padded(T("Search for numbers from a name.")));
    ui_.opt_DiallOption_0.set_value(false);
    ui_.opt_DiallOption_1.set_value(true);
    for (int index = 0; index < 2; ++index) {
        ui_.opt_DiallOption(index).set_font(arial_bold());
        ui_.opt_DiallOption(index).set_width(platform::val(T("Diall_Option_Width")));
    }
    ui_.txt_Inputbox.set_text("");
    // Emptying a box that is empty already raises no change: the button follows the box all the same.
    txt_Inputbox_Change();
    ui_.txt_Inputbox.set_tooltip(padded(T("Enter your search pattern here.")));
    ui_.txt_Inputbox.set_font(arial_bold());
    ui_.com_Search.set_caption(T("&Search"));
    ui_.com_Search.set_tooltip(padded(T("Get the list of matches.")));
    ui_.com_Search.set_font(arial_bold());
    ui_.fra_TheResults.set_caption("");
    ui_.fra_TheResults.set_font(arial_bold());
    ui_.flx_ResultsChart.set_font(arial_bold());
    ui_.flx_ResultsChart.set_col_width(0, whole_number(T("flxTabAt")));
    ui_.flx_ResultsChart.set_col_width(
        1, static_cast<double>(platform::round_half_even(platform::Window::screen_width())));
    Reset_Results_Grid();
    search_state_.Search_Text.clear();
    search_state_.DataFile_Path = DataFile_for_Category(decimal_text(current_category()));
    Fill_WebSites_Menu();
}

void frm_Main::opt_DiallOption_Click(int index)
{
    ui_.lab_Direction.set_font_name("Webdings");
    ui_.lab_Direction.set_font_size(22);
    ui_.lab_Direction.set_caption(std::string(1, index == 0 ? char(52) : char(51)));
}

void frm_Main::lab_Direction_Click()
{
    if (ui_.opt_DiallOption_0.value()) {
        ui_.opt_DiallOption_1.set_value(true);
        opt_DiallOption_Click(1);
    } else {
        ui_.opt_DiallOption_0.set_value(true);
        opt_DiallOption_Click(0);
    }
}

void frm_Main::txt_Inputbox_Change()
{
    ui_.com_Search.set_enabled(!platform::trim_view(ui_.txt_Inputbox.text()).empty());
}

void frm_Main::Form_Activate()
{
    if (ui_.txt_Inputbox.enabled()) ui_.txt_Inputbox.set_focus();
}

void frm_Main::menu_Exit_Click() { ui_.frm.close(); }

void frm_Main::Form_Unload() { platform::end_program(); }

// ---------------------------------------------------------------------------------
// Layout

void frm_Main::Form_Resize()
{
    const LayoutSizes sizes =
        layout_for_size(ui_.frm.client_width(), ui_.frm.client_height(),
                        {ui_.opt_DiallOption_1.width(), ui_.lab_Direction.width(), ui_.com_Search.width()});

    ui_.fra_SearchType.move(120, 120, sizes.frame_width, ui_.fra_SearchType.height());
    ui_.com_SearchType.move(120, 240, sizes.category_list_width, ui_.com_SearchType.height());

    ui_.fra_Search.move(120, 960, sizes.frame_width, ui_.fra_Search.height());
    ui_.opt_DiallOption_0.set_left(120);
    ui_.opt_DiallOption_1.set_left(sizes.option_1_left);
    ui_.lab_Direction.set_left(sizes.arrow_left);

    ui_.txt_Inputbox.move(120, 1680, sizes.pattern_box_width, 375);
    ui_.com_Search.move(sizes.search_button_left, 1680, 1335, 375);

    ui_.fra_TheResults.move(ui_.fra_Search.left(), layout_place::results_frame_top, ui_.fra_Search.width(),
                            sizes.results_frame_height);

    ui_.flx_ResultsChart.set_left(120);
    ui_.flx_ResultsChart.set_top(layout_place::grid_top);
    if (sizes.grid_width > 0) ui_.flx_ResultsChart.set_width(sizes.grid_width);
    const double room = ui_.fra_TheResults.height() - layout_place::grid_room_left_free;
    if (room > 0) {
        std::int32_t all_rows = -1;
        const double rows_height = Grid_Rows_Height(all_rows);
        ui_.flx_ResultsChart.set_height(rows_height > room ? room : rows_height);
    }
    ui_.flx_ResultsChart.set_col_width(1, static_cast<double>(platform::round_half_even(ui_.frm.outer_width())));
}

// The smallest size the user can give the window: the one at which, in every category,
// the controls stand whole in their frames, each option's circle and caption stay clear
// of the other option, and the grid has room for its header row and one row of results
// above its sideways scroll bar.
// Read from the options as they draw the captions, in the font every category gives them.
void frm_Main::set_minimum_window_size()
{
    std::vector<OptionsShown> categories;
    for (int index = 0; index < category_count; ++index) {
        const auto category = static_cast<Category>(index);
        categories.push_back({platform::val(Text_for_Category("Diall_Option_Width", category)),
                              ui_.opt_DiallOption_0.caption_end(Text_for_Category("Dialling codes", category))});
    }
    std::int32_t header_and_one_row = 2;
    // The window opens at the size it was made with, which this never exceeds.
    const InnerSize designed{ui_.frm.client_width(), ui_.frm.client_height()};
    const InnerSize smallest = minimum_inner_size(ui_.com_Search.width(), categories,
                                                  Grid_Rows_Height(header_and_one_row) +
                                                      ui_.flx_ResultsChart.scroll_bar_height(),
                                                  designed,
                                                  platform::twips_per_pixel);
    ui_.frm.set_minimum_size(smallest.width, smallest.height);
}

// ---------------------------------------------------------------------------------
// Texts

std::string frm_Main::Text_for_Category(std::string_view key, Category category) const
{
    return text_for_category(key, category, ui_.com_SearchType.text());
}

Category frm_Main::Category_from_Text(std::string& text) const
{
    if (text.empty()) text = ui_.com_SearchType.text();
    return category_from_text(text, ui_.com_SearchType.list_index());
}

Category frm_Main::current_category() const
{
    std::string text = ui_.com_SearchType.text();
    return Category_from_Text(text);
}

std::string frm_Main::DataFile_for_Category(std::string_view category_text) const
{
    return data_file_for_category(category_text, services_.program_folder);
}

std::string frm_Main::data_file_path() const
{
    const std::string& path = search_state_.DataFile_Path;
    return path.empty() ? DataFile_for_Category(decimal_text(current_category())) : path;
}

// ---------------------------------------------------------------------------------
// Results grid

void frm_Main::Reset_Results_Grid()
{
    const auto heading = [this](int col, std::string_view key) {
        ui_.flx_ResultsChart.set_row(0);
        ui_.flx_ResultsChart.set_col(col);
        ui_.flx_ResultsChart.set_cell_font_size(10);
        ui_.flx_ResultsChart.set_cell_font_underline(true);
        ui_.flx_ResultsChart.set_text(Text_for_Category(key, current_category()));
        ui_.flx_ResultsChart.set_cell_alignment(platform::cell_alignment::left_centre);
    };
    heading(0, "Area code");
    heading(1, "Place name");
    ui_.flx_ResultsChart.set_row(0);
    ui_.flx_ResultsChart.set_col(0);
    ui_.flx_ResultsChart.set_rows(1);
    ui_.flx_ResultsChart.set_tooltip("");
}

void frm_Main::Add_Result_Row(std::string code_text, std::string name_text, Colour& fore_colour,
                              Colour& back_colour)
{
    if (back_colour == 0) back_colour = 1;
    ui_.flx_ResultsChart.set_rows(ui_.flx_ResultsChart.rows() + 1);
    ui_.flx_ResultsChart.set_row(ui_.flx_ResultsChart.rows() - 1);
    const auto fill = [&](int col, std::string text) {
        ui_.flx_ResultsChart.set_col(col);
        ui_.flx_ResultsChart.set_text(std::move(text));
        ui_.flx_ResultsChart.set_cell_fore_colour(fore_colour);
        ui_.flx_ResultsChart.set_cell_back_colour(back_colour);
        ui_.flx_ResultsChart.set_cell_alignment(platform::cell_alignment::left_centre);
    };
    fill(0, std::move(code_text));
    fill(1, std::move(name_text));
}

double frm_Main::Grid_Rows_Height(std::int32_t& row_count) const
{
    if (row_count < 0) row_count = ui_.flx_ResultsChart.rows();
    double total = 80;
    for (std::int32_t row = 0; row < row_count; ++row) {
        total += ui_.flx_ResultsChart.row_height(row < ui_.flx_ResultsChart.rows() ? row : 0);
    }
    return total;
}

void frm_Main::Show_Row_Info(std::int32_t, std::int32_t row)
{
    if (row <= 0) row = 1;
    InfoRow info;
    info.value_column = platform::cint(platform::val(Text_for_Category("FirstTabAt", current_category())));
    ui_.flx_ResultsChart.set_row(row);
    ui_.flx_ResultsChart.set_col(1);
    info.name_text = ui_.flx_ResultsChart.text();
    ui_.flx_ResultsChart.set_col(0);
    info.code_text = ui_.flx_ResultsChart.text();
    info.colour = ui_.flx_ResultsChart.cell_fore_colour();
    info.code_caption = ui_.opt_DiallOption(0).caption();
    info.main_caption = ui_.frm.caption();
    info.main_window = &ui_.frm;
    ensure_info_window().Show_Row_Info(info, search_state_);
}

void frm_Main::add_red_row(std::string code_text, std::string name_text)
{
    Colour fore = platform::red;
    Colour back = platform::system_window_background;
    Add_Result_Row(std::move(code_text), std::move(name_text), fore, back);
}

int frm_Main::message(const std::string& text, int style, const std::string& title)
{
    return services_.message_boxes->show(text, style, title);
}

} // namespace zentrel
