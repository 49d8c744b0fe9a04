#pragma once
// The restore stamp: the three comment lines that a restored UK post-code or UK
// dialling-code file carries at its element 8, saying when the data was last updated,
// when the file was restored and by which program. Their first block filler builds it
// afresh each time it runs, at the time it is given. Nothing here writes a file.
#include "core/date_time.h"

#include <string>
#include <string_view>

namespace zentrel {

// The picture "dd/mm/yyyy - hh:mm:ssAmPm" (12-hour clock) lower-cased, with the day's
// leading zero (character 1) and the hour's leading zero (character 14) blanked:
// 15:04:05 on 5 July 2024 gives " 5/07/2024 -  3:04:05pm".
std::string restore_time_text(DateTime now);

// The last-updated line, "# This file was restored on; " with the restore time text, and
// "# " with the application title, " by " and the copyright string, joined by CR LF
// (none at the end).
std::string Restore_Stamp(std::string_view last_updated_line, DateTime now);

} // namespace zentrel
