// The web-site submenu of the context menu, and the commands that open the help page,
// the program's folder and the web sites.
#include "core/paths.h"
#include "main_window/frm_main.h"
#include "main_window/web_sites.h"
#include "platform/file_attributes.h"
#include "platform/shell_open.h"
#include "platform/text.h"

namespace zentrel {

void frm_Main::Fill_WebSites_Menu()
{
    ui_.menu_WebSitesList.set_caption("List of useful &web sites");
    ui_.menu_WebSitesList.set_enabled(true);
    const std::string separator(60, '-');
    for (std::size_t index = 1; index < ui_.menu_URL.size(); ++index) ui_.menu_URL[index].set_caption("");
    for (std::size_t index = 0; index < web_sites.size(); ++index) {
        const WebSite& site = web_sites[index];
        ui_.menu_URL[index].set_caption(index == 1 ? separator
                                                   : std::string(site.target) + "\t" + std::string(site.description));
    }
    for (auto& item : ui_.menu_URL) {
        const bool shown = !platform::trim_view(item.caption()).empty();
        item.set_enabled(shown);
        item.set_visible(shown);
    }
}

void frm_Main::menu_Help_Click()
{
    const std::string& folder = services_.program_folder;
    const std::string path = path_in_folder(folder, "Help.htm");
    if (platform::file_size(path) >= 0) {
        platform::Load_File_or_URL(services_, path, false);
        return;
    }
    const int answer = message(std::string(app_title) + " can't find the help file;\r\n" + platform::shown_path(path) +
                                   "\r\n\r\n\tDo you wish to display the " + app_title + " files?",
                               platform::message_box::exclamation | platform::message_box::yes_no |
                                   platform::message_box::default_button2,
                               std::string(app_title) + " can't find file.");
    if (answer == platform::message_box::answer_yes) platform::Load_File_or_URL(services_, folder, false);
}

void frm_Main::menu_Options_OpenDir_Click()
{
    platform::Load_File_or_URL(services_, services_.program_folder, false);
}

void frm_Main::menu_URL_Click(int index)
{
    std::string target = ui_.menu_URL.at(static_cast<std::size_t>(index)).caption();
    std::erase(target, '&');
    target = target.substr(0, target.find('\t'));
    if (platform::trim_view(target).starts_with("---")) target.clear();
    if (platform::trim_view(target).empty()) return;
    // The caption is the program's text; the target goes to the system in its encoding.
    target = platform::to_utf8(target);
    if (target.find_first_of("/\\") == std::string::npos) {
        target = path_in_folder(services_.program_folder, target);
    }
    platform::Load_File_or_URL(services_, target, false);
}

} // namespace zentrel
