#include "info_windows/frm_datainfo.h"

#include "info_windows/frm_about.h"
#include "main_window/frm_main.h"
#include "platform/services.h"

namespace zentrel {

frm_DataInfo::frm_DataInfo(frm_Main& main)
    : frm("Information", 4680, 3195), lab_LinkToFile(frm, "", 0, 0, 0, 0), main_(main)
{
    lab_LinkToFile.set_auto_size(true);
    lab_LinkToFile.set_fore_colour(platform::system_highlight);
    lab_LinkToFile.set_font_underline(true);
    lab_LinkToFile.set_link_cursor(true);
    // Shown by the first composition, once it lies over a printed path.
    lab_LinkToFile.set_visible(false);

    frm.on_unload = [this] { Form_Unload(); };
    lab_LinkToFile.on_click = [this] { lab_LinkToFile_Click(); };
}

void frm_DataInfo::lab_LinkToFile_Click()
{
    const std::string path = lab_LinkToFile.caption();
    frm_About& about = main_.About();
    if (about.FileSize(path) < 0) {
        main_.services().message_boxes->show(std::string(App_Title) + " can't find file;\r\n" + path,
                                             platform::message_box::ok_only | platform::message_box::exclamation,
                                             std::string(App_Title) + " can't find file.");
        return;
    }
    about.Load_File_or_URL(path, false);
}

void frm_DataInfo::Form_Unload() { closed_ = true; }

} // namespace zentrel
