// The web-site submenu of the context menu.
#include "main_window/frm_main.h"
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
