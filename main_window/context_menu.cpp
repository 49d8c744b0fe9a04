// The context menu and the mouse handlers that open it: a right press anywhere on the
// window but the category list, the pattern box and the arrow opens the menu with its
// items set for that moment; a left press on a result row opens the information window.
#include "core/paths.h"
#include "main_window/frm_main.h"
#include "platform/formats.h"

namespace zentrel {

namespace {

std::int32_t whole_twips(double twips) { return static_cast<std::int32_t>(platform::round_half_even(twips)); }

} // namespace

void frm_Main::build_menu()
{
    for (platform::MenuItem* item : {&menu_AboutApp, &menu_Help, &menu_WebSitesList, &menu_Bat_001, &menu_Save,
                                     &menu_Copy, &menu_AbortSearch, &menu_ClearSearchResults, &menu_OptionsSubMenu,
                                     &menu_Bat_002, &menu_Exit}) {
        menu_Options.add(*item);
    }
    for (auto& item : menu_URL) menu_WebSitesList.add(item);
    menu_URL[0].set_caption("http://www.example.org/");
    menu_OptionsSubMenu.add(menu_Options_OpenDir);
    menu_OptionsSubMenu.add(menu_Options_RestoreDatabaseFile);
}

void frm_Main::Form_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x), whole_twips(y));
}

void frm_Main::fra_SearchType_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + fra_SearchType.left()), whole_twips(y + fra_SearchType.top()));
}

void frm_Main::fra_Search_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + fra_Search.left()), whole_twips(y + fra_Search.top()));
}

void frm_Main::opt_DiallOption_MouseDown(int index, int button, int shift, double x, double y)
{
    const platform::OptionButton& option = opt_DiallOption(index);
    Show_Popup_Menu(button, shift, whole_twips(x + fra_Search.left() + option.left()),
                    whole_twips(y + fra_Search.top() + option.top()));
}

void frm_Main::com_Search_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + com_Search.left()), whole_twips(y + com_Search.top()));
}

void frm_Main::fra_TheResults_MouseDown(int button, int shift, double x, double y)
{
    Show_Popup_Menu(button, shift, whole_twips(x + fra_TheResults.left()), whole_twips(y + fra_TheResults.top()));
}

void frm_Main::flx_ResultsChart_MouseDown(int button, int shift, double x, double y)
{
    if (button == platform::mouse_button::left && flx_ResultsChart.rows() > 1) {
        Show_Row_Info(flx_ResultsChart.col(), flx_ResultsChart.row());
    }
    if (button == platform::mouse_button::right) {
        Show_Popup_Menu(button, shift, whole_twips(x + fra_TheResults.left() + flx_ResultsChart.left()),
                        whole_twips(y + fra_TheResults.top() + flx_ResultsChart.top()));
    }
}

void frm_Main::Show_Popup_Menu(int button, int shift, std::int32_t x, std::int32_t y)
{
    if (button != platform::mouse_button::right) return;
    menu_AboutApp.set_caption(std::string("&About ") + App_Title);
    const bool has_results = flx_ResultsChart.rows() > 1;
    for (platform::MenuItem* item : {&menu_Save, &menu_Copy, &menu_ClearSearchResults}) {
        item->set_enabled(has_results);
    }
    menu_Help.set_caption(std::string(App_Title) + " &Help");
    if (shift == platform::shift_key::shift || shift == platform::shift_key::ctrl) {
        menu_OptionsSubMenu.set_visible(true);
        menu_Options_OpenDir.set_caption(std::string("Open the ") + App_Title + " &directory.");
        const std::string path =
            search_state_.DataFile_Path.empty() ? DataFile_for_Category(decimal_text(Current_Category()))
                                            : search_state_.DataFile_Path;
        menu_Options_RestoreDatabaseFile.set_caption("&Restore/fix the " + FileName_from_Path(path) + " file");
    } else {
        menu_OptionsSubMenu.set_visible(false);
    }
    const bool busy = !txt_Inputbox.enabled();
    if (busy) {
        for (platform::MenuItem* item : {&menu_Save, &menu_Copy, &menu_ClearSearchResults}) {
            item->set_enabled(false);
        }
    }
    menu_AbortSearch.set_enabled(busy);
    menu_AbortSearch.set_visible(busy);
    menu_Options_RestoreDatabaseFile.set_enabled(!busy);

    platform::MenuItem* chosen = services_.popup_menus->show(menu_Options, frm, x, y, &menu_AboutApp);
    if (chosen != nullptr && chosen->on_click) chosen->on_click();
}

} // namespace zentrel
