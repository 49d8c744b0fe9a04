#pragma once
// Opening a file, folder, web address or mail address with the desktop's handler, as
// the help command, the folder and web-site items and the links of both secondary
// windows do.
#include "platform/services.h"

#include <string>

namespace platform {

// Opens the target, which is in the system's encoding (a path by the system's own name,
// an address in UTF-8); a leading "?" is dropped and opens it minimised, the maximise
// flag opens it maximised. A handler that is missing, cannot start or fails is
// reported, with a message that shows the target as the program's text and says why
// no program could open it.
void Load_File_or_URL(const Services& services, const std::string& target, bool maximise);

} // namespace platform
