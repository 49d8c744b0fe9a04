#pragma once
// Plays one wave file without waiting for it, once or in a loop, after checking the
// name's extension; a name with another extension is refused with a message.
#include "platform/services.h"

#include <string>

namespace platform {

// Accepts a name whose last four characters are ".WAV" or ".DAT" in any case, or the
// empty name, and hands it to the sound player unchanged. Whether the file exists is
// the player's business.
void PlayWAV(const Services& services, const std::string& wavFile, bool looped);

} // namespace platform
