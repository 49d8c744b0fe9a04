#include "info_windows/frm_datainfo.h"

#include "main_window/frm_main.h"

namespace zentrel {

frm_DataInfo::frm_DataInfo(frm_Main& main)
    : frm("Information", 4680, 3195), lab_LinkToFile(frm, "", 0, 0, 0, 0), main_(main)
{
    frm.on_unload = [this] { Form_Unload(); };
    lab_LinkToFile.on_click = [this] { lab_LinkToFile_Click(); };
}

void frm_DataInfo::lab_LinkToFile_Click() {}

void frm_DataInfo::Form_Unload() { closed_ = true; }

} // namespace zentrel
