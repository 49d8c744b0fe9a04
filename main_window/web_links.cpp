// The web-site submenu of the context menu.
#include "main_window/frm_main.h"
#include "info_windows/frm_about.h"
#include "main_window/web_sites.h"
#include "platform/text.h"

namespace zentrel {

void frm_Main::Fill_WebSites_Menu()
{
    menu_WebSitesList.set_caption("List of useful &web sites");
    menu_WebSitesList.set_enabled(true);
    const std::string separator(60, '-');
    for (std::size_t index = 1; index < menu_URL.size(); ++index) menu_URL[index].set_caption("");
    for (std::size_t index = 0; index < web_sites.size(); ++index) {
        const WebSite& site = web_sites[index];
        menu_URL[index].set_caption(index == 1 ? separator
                                               : std::string(site.target) + "\t" + std::string(site.description));
    }
    for (auto& item : menu_URL) {
        const bool shown = !platform::trim_view(item.caption()).empty();
        item.set_enabled(shown);
        item.set_visible(shown);
    }
}

} // namespace zentrel

namespace zentrel {

namespace {

// The program folder with a "/" at its end, unless it is empty or has one already.
std::string folder_with_separator(const std::string& folder)
{
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

} // namespace

void frm_Main::menu_Help_Click()
{
    const std::string& folder = services_.program_folder;
    const std::string path = folder_with_separator(folder) + "Help.htm";
    if (FileSize(path) >= 0) {
        About().Load_File_or_URL(path, false);
        return;
    }
    const int answer = message(std::string(App_Title) + " can't find the help file;\r\n" + path +
                                   "\r\n\r\n\tDo you wish to display the " + App_Title + " files?",
                               platform::message_box::exclamation | platform::message_box::yes_no |
                                   platform::message_box::default_button2,
                               std::string(App_Title) + " can't find file.");
    if (answer == platform::message_box::answer_yes) About().Load_File_or_URL(folder, false);
}

void frm_Main::menu_Options_OpenDir_Click() { About().Load_File_or_URL(services_.program_folder, false); }

void frm_Main::menu_URL_Click(int index)
{
    std::string target = menu_URL.at(static_cast<std::size_t>(index)).caption();
    std::erase(target, '&');
    target = target.substr(0, target.find('\t'));
    if (platform::trim_view(target).starts_with("---")) target.clear();
    if (platform::trim_view(target).empty()) return;
    if (target.find_first_of("/\\") == std::string::npos) {
        target = folder_with_separator(services_.program_folder) + target;
    }
    About().Load_File_or_URL(target, false);
}

} // namespace zentrel
