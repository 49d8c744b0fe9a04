#include "platform/shell_open.h"

#include "core/app_identity.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

namespace platform {

void Load_File_or_URL(const Services& services, const std::string& target, bool maximise)
{
    std::string handed = target;
    int state = show_state::normal;
    if (!target.empty() && target.front() == '?') {
        handed.erase(0, 1);
        state = show_state::minimised;
    } else if (maximise) {
        state = show_state::maximised;
    }
    const ShellResult result = services.shell->open(handed, state);
    if (result.opened) return;
    const int number = error::no_program_to_open;
    services.message_boxes->show("Can't find or display;\r\n" + shown_path(handed) + "\r\n\r\nError = " +
                                     std::to_string(number) + "\r\n" + error_text(number) + ": " + result.failure,
                                 message_box::exclamation, std::string(zentrel::app_product_name) + ", web site error.");
}

} // namespace platform
