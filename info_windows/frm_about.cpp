#include "info_windows/frm_about.h"

#include "main_window/frm_main.h"
#include "platform/runtime_error.h"
#include "platform/text_file.h"

namespace zentrel {

frm_About::frm_About(const platform::Services& services) : frm("About", 6000, 4000), services_(services) {}

void frm_About::Load_File_or_URL(const std::string& target, bool maximise)
{
    std::string handed = target;
    int state = platform::show_state::normal;
    if (!target.empty() && target.front() == '?') {
        handed.erase(0, 1);
        state = platform::show_state::minimised;
    } else if (maximise) {
        state = platform::show_state::maximised;
    }
    if (services_.shell->open(handed, state)) return;
    const int number = platform::error::file_not_found; // no desktop handler to start
    services_.message_boxes->show("Can't find or display;\r\n" + handed + "\r\n\r\nError = " +
                                      std::to_string(number) + "\r\n" + platform::error_text(number),
                                  platform::message_box::exclamation, std::string(App_Title) + ", web site error.");
}

std::int32_t frm_About::FileSize(const std::string& path) const { return platform::file_size_32(path); }

} // namespace zentrel
