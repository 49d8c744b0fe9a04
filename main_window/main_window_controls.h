#pragma once
// The controls of the main window and the items of its context menu, in their designed
// state: a plain holder, as a form designer would write it. frm_Main sets them up,
// wires their events and drives them.
#include "platform/services.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/grid.h"
#include "platform/widgets/menu.h"

#include <array>

namespace zentrel {

struct MainWindowControls {
    // The controls, in the window's focus order.
    platform::Window frm{"Dialling code directory.", 4680, 3960};
    platform::Frame fra_SearchType{frm, " Search Type ", 120, 120, 4455, 735};
    platform::ComboBox com_SearchType{fra_SearchType, 120, 240, 4215, 315};
    platform::Frame fra_Search{frm, " Search for ", 120, 960, 4455, 615};
    platform::OptionButton opt_DiallOption_0{fra_Search, "Dialling codes", 120, 240, 1450, 255};
    platform::OptionButton opt_DiallOption_1{fra_Search, "Dialling areas", 2880, 240, 1450, 255};
    platform::Label lab_Direction{fra_Search, "?", 2220, 130, 120, 195};
    platform::TextBox txt_Inputbox{frm, " Search for...", 120, 1680, 3015, 375};
    platform::CommandButton com_Search{frm, "&Search", 3240, 1680, 1335, 375};
    platform::Frame fra_TheResults{frm, "", 120, 2160, 4455, 1695};
    platform::Grid flx_ResultsChart{fra_TheResults, 120, 240, 4215, 1335};
    // The common dialog control that the save command shows as its save dialog.
    platform::FileDialogState dia_LoadSaveBox;

    platform::OptionButton& opt_DiallOption(int index) { return index == 0 ? opt_DiallOption_0 : opt_DiallOption_1; }

    // The context menu's items, in menu order.
    platform::MenuItem menu_Options{"Dialling code &menu"};
    platform::MenuItem menu_AboutApp{"&About this app...", "Ctrl+A"};
    platform::MenuItem menu_Help{"&Help", "Ctrl+H"};
    platform::MenuItem menu_WebSitesList{"Usefull &web sites"};
    static constexpr int web_site_item_count = 21;
    std::array<platform::MenuItem, web_site_item_count> menu_URL;
    platform::MenuItem menu_Bat_001{"-"};
    platform::MenuItem menu_Save{"&Save results", "Ctrl+S"};
    platform::MenuItem menu_Copy{"&Copy results", "Ctrl+C"};
    platform::MenuItem menu_AbortSearch{"Abort &this search", "Ctrl+X"};
    platform::MenuItem menu_ClearSearchResults{"Clear the search &results", "Ctrl+R"};
    platform::MenuItem menu_OptionsSubMenu{"&Options"};
    platform::MenuItem menu_Options_OpenDir{"Open the &directory"};
    platform::MenuItem menu_Options_RestoreDatabaseFile{"&Restore/fix the database file"};
    platform::MenuItem menu_Bat_002{"-"};
    platform::MenuItem menu_Exit{"E&xit", "Ctrl+Q"};
};

} // namespace zentrel
