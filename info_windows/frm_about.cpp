#include "info_windows/frm_about.h"

#include "main_window/frm_main.h"
#include "platform/play_wav.h"
#include "platform/registry.h"
#include "platform/runtime_error.h"
#include "platform/text_file.h"

#include <utility>

namespace zentrel {

namespace {

// The client area the box is designed with; the composer gives it its final size.
constexpr double designed_width = 14565;
constexpr double designed_height = 7650;

// The closing sound: the first of the candidates that can be read, the last untested.
std::string closing_sound(const frm_About& about)
{
    const std::string folder = about_box_sources().media_folder();
    for (const char* name : {"Start.wav", "tada.wav"}) {
        const std::string path = folder + "/" + name;
        if (about.FileSize(path) >= 0) return path;
    }
    return folder + "/winAquariumCritStop.wav";
}

} // namespace

frm_About::frm_About(const platform::Services& services)
    : frm("About", designed_width, designed_height),
      pic_AppIcon(frm, "", 120, 120, 480, 480),
      com_OK(frm, "&OK", 0, 0, 975, 375),
      lab_URL_link(frm, "", 0, 0, 0, 0),
      lab_EMail_link(frm, "", 0, 0, 0, 0),
      lab_HelpInfo(frm, "", 0, 0, 0, 0),
      services_(services)
{
    com_OK.set_tooltip(" Close this window. ");
    for (platform::Label* link : {&lab_URL_link, &lab_EMail_link, &lab_HelpInfo}) {
        link->set_auto_size(true);
        link->set_link_cursor(true);
        link->set_transparent(true);
    }

    frm.on_unload = [this] { Form_Unload(); };
    frm.on_key_down = [this](int key_code, int shift) { Form_KeyDown(key_code, shift); };
    com_OK.on_click = [this] { com_OK_Click(); };
    com_OK.on_key_down = [this](int key_code, int shift) { com_OK_KeyDown(key_code, shift); };
    lab_URL_link.on_click = [this] { lab_URL_link_Click(); };
    lab_EMail_link.on_click = [this] { lab_EMail_link_Click(); };
    lab_HelpInfo.on_click = [this] { lab_HelpInfo_Click(); };
}

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

// ---------------------------------------------------------------------------------
// Events

void frm_About::Form_KeyDown(int key_code, int shift) { com_OK_KeyDown(key_code, shift); }

void frm_About::pic_AppIcon_KeyDown(int key_code, int shift) { com_OK_KeyDown(key_code, shift); }

void frm_About::com_OK_KeyDown(int key_code, int)
{
    switch (key_code) {
    case platform::key_code::pause:
    case platform::key_code::escape: frm.close(); break;
    case 'A':
    case 'H':
    case 'I': lab_HelpInfo_Click(); break;
    default: break;
    }
}

void frm_About::com_OK_Click() { frm.close(); }

void frm_About::Form_Unload() { platform::PlayWAV(services_, closing_sound(*this), false); }

void frm_About::lab_URL_link_Click() { Load_File_or_URL(lab_URL_link.caption(), false); }

void frm_About::lab_EMail_link_Click()
{
    Load_File_or_URL("MailTo:" + lab_EMail_link.caption() + "?Subject=" + App_Title, false);
}

void frm_About::lab_HelpInfo_Click()
{
    frm.close();
    if (help_command) help_command();
}

// ---------------------------------------------------------------------------------
// The program-wide sources of the box

double RandomNumbers::next()
{
    const double span = static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min()) + 1.0;
    return static_cast<double>(engine_() - std::minstd_rand::min()) / span;
}

void RandomNumbers::restart() { engine_ = std::minstd_rand(); }

RandomNumbers& program_random()
{
    static RandomNumbers random;
    return random;
}

std::string Registry_Media_Folder()
{
    platform::RegistryValue folder;
    platform::Read_Reg_or_INI("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "MediaPath", "S",
                              std::string("C:\\WINDOWS\\media"), folder);
    return platform::Value_as_Text(folder);
}

AboutBoxSources& about_box_sources()
{
    static AboutBoxSources sources;
    return sources;
}

ScreenPosition About_Box_Position(double main_left, double main_top, double width, double height,
                                  double screen_width, double screen_height)
{
    ScreenPosition at{main_left + 128, main_top + 256};
    if (at.left + width > screen_width) at.left = screen_width - width;
    if (at.top + height > screen_height) at.top = screen_height - height;
    if (at.left < 0) at.left = 0;
    if (at.top < 0) at.top = 0;
    return at;
}

} // namespace zentrel
