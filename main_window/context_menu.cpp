// The context menu and the mouse handlers that open it: a right press anywhere on the
// window but the category list, the pattern box and the arrow opens the menu with its
// items set for that moment; a left press on a result row opens the information window,
// and so do Enter and Space on the grid's current row. From the keyboard, the menu key and
// Shift+F10 open the menu over the control with the focus, and the shortcuts the menu
// shows act while it is closed.
#include "main_window/frm_main.h"
#include "platform/formats.h"
#include "platform/text.h"

#include <utility>

namespace zentrel {

namespace {

std::int32_t whole_twips(double twips) { return static_cast<std::int32_t>(platform::round_half_even(twips)); }

// The centre of a control in the window's inner area, in twips.
std::pair<double, double> centre_in_window(const platform::Control& control)
{
    double x = control.width() / 2;
    double y = control.height() / 2;
    for (const platform::Control* at = &control; at != nullptr && at->parent() != nullptr; at = at->parent()) {
        x += at->left();
        y += at->top();
    }
    return {x, y};
}

} // namespace

void frm_Main::build_menu()
{
    for (platform::MenuItem* item :
         {&ui_.menu_AboutApp, &ui_.menu_Help, &ui_.menu_WebSitesList, &ui_.menu_Bat_001, &ui_.menu_Save, &ui_.menu_Copy,
          &ui_.menu_AbortSearch, &ui_.menu_ClearSearchResults, &ui_.menu_OptionsSubMenu, &ui_.menu_Bat_002,
          &ui_.menu_Exit}) {
        ui_.menu_Options.add(*item);
    }
    for (auto& item : ui_.menu_URL) ui_.menu_WebSitesList.add(item);
    ui_.menu_URL[0].set_caption("http://www.example.org/");
    ui_.menu_OptionsSubMenu.add(ui_.menu_Options_OpenDir);
    ui_.menu_OptionsSubMenu.add(ui_.menu_Options_RestoreDatabaseFile);
}

void frm_Main::Form_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x), whole_twips(y));
}

void frm_Main::fra_SearchType_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + ui_.fra_SearchType.left()),
                    whole_twips(y + ui_.fra_SearchType.top()));
}

void frm_Main::fra_Search_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + ui_.fra_Search.left()), whole_twips(y + ui_.fra_Search.top()));
}

void frm_Main::opt_DiallOption_MouseDown(int index, int button, int shift, double x, double y)
{
    const platform::OptionButton& option = ui_.opt_DiallOption(index);
    Show_Popup_Menu(button, shift, whole_twips(x + ui_.fra_Search.left() + option.left()),
                    whole_twips(y + ui_.fra_Search.top() + option.top()));
}

void frm_Main::com_Search_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + ui_.com_Search.left()), whole_twips(y + ui_.com_Search.top()));
}

void frm_Main::fra_TheResults_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + ui_.fra_TheResults.left()),
                    whole_twips(y + ui_.fra_TheResults.top()));
}

void frm_Main::flx_ResultsChart_MouseDown(int button, int shift, double x, double y)
{
    if (button == platform::mouse_button::left && ui_.flx_ResultsChart.rows() > 1) {
        Show_Row_Info(ui_.flx_ResultsChart.col(), ui_.flx_ResultsChart.row());
    }
    if (button == platform::mouse_button::right) {
        Show_Popup_Menu(button, shift, whole_twips(x + ui_.fra_TheResults.left() + ui_.flx_ResultsChart.left()),
                        whole_twips(y + ui_.fra_TheResults.top() + ui_.flx_ResultsChart.top()));
    }
}

void frm_Main::flx_ResultsChart_KeyDown(int key_code, int)
{
    const bool opens = key_code == platform::key_code::enter || key_code == platform::key_code::space;
    if (opens && ui_.flx_ResultsChart.rows() > 1) {
        Show_Row_Info(ui_.flx_ResultsChart.col(), ui_.flx_ResultsChart.row());
    }
}

void frm_Main::Form_KeyDown(int key_code, int shift)
{
    const bool shift_f10 = key_code == platform::key_code::f10 && (shift & platform::shift_key::shift) != 0;
    if (key_code != platform::key_code::menu && !shift_f10) return;
    // The keys held with it count as held at a right press; Shift+F10's own Shift does not.
    const int held = shift_f10 ? shift & ~platform::shift_key::shift : shift;
    const platform::Control* focused = ui_.frm.active_control();
    const auto [x, y] = focused != nullptr ? centre_in_window(*focused)
                                           : std::pair{ui_.frm.client_width() / 2, ui_.frm.client_height() / 2};
    Show_Popup_Menu(platform::mouse_button::right, held, whole_twips(x), whole_twips(y));
}

void frm_Main::menu_shortcut_pressed(platform::MenuItem& item)
{
    set_menu_states(0);
    if (item.enabled() && item.visible()) item.click();
}

void frm_Main::Show_Popup_Menu(int button, int shift, std::int32_t x, std::int32_t y)
{
    if (button != platform::mouse_button::right) return;
    set_menu_states(shift);
    platform::MenuItem* chosen = services_.popup_menus->show(ui_.menu_Options, ui_.frm, x, y, &ui_.menu_AboutApp);
    if (chosen != nullptr) chosen->click();
}

void frm_Main::set_menu_states(int shift)
{
    ui_.menu_AboutApp.set_caption(std::string("&About ") + app_title);
    const bool has_results = ui_.flx_ResultsChart.rows() > 1;
    for (platform::MenuItem* item : {&ui_.menu_Save, &ui_.menu_Copy, &ui_.menu_ClearSearchResults}) {
        item->set_enabled(has_results);
    }
    ui_.menu_Help.set_caption(std::string(app_title) + " &Help");
    if (shift == platform::shift_key::shift || shift == platform::shift_key::ctrl) {
        ui_.menu_OptionsSubMenu.set_visible(true);
        ui_.menu_Options_OpenDir.set_caption(std::string("Open the ") + app_title + " &directory.");
        ui_.menu_Options_RestoreDatabaseFile.set_caption("&Restore/fix the " +
                                                         platform::shown_file_name(data_file_path()) + " file");
    } else {
        ui_.menu_OptionsSubMenu.set_visible(false);
    }
    const bool busy = !ui_.txt_Inputbox.enabled();
    if (busy) {
        for (platform::MenuItem* item : {&ui_.menu_Save, &ui_.menu_Copy, &ui_.menu_ClearSearchResults}) {
            item->set_enabled(false);
        }
    }
    ui_.menu_AbortSearch.set_enabled(busy);
    ui_.menu_AbortSearch.set_visible(busy);
    ui_.menu_Options_RestoreDatabaseFile.set_enabled(!busy);
}

} // namespace zentrel
