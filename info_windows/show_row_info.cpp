// Composes the information window on one result row.
#include "info_windows/frm_datainfo.h"
#include "main_window/frm_main.h"

namespace zentrel {

void frm_Main::Show_Row_Info(std::int32_t, std::int32_t) {}

} // namespace zentrel
