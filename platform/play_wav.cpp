#include "platform/play_wav.h"

#include "core/app_identity.h"
#include "platform/text.h"

namespace platform {

namespace {

bool has_wave_extension(const std::string& name)
{
    if (name.empty()) return true;
    const std::string last_four = ucase(name.size() > 4 ? std::string_view(name).substr(name.size() - 4) : name);
    return last_four == ".WAV" || last_four == ".DAT";
}

} // namespace

void PlayWAV(const Services& services, const std::string& wavFile, bool looped)
{
    if (!has_wave_extension(wavFile)) {
        // No title is given, so the box bears the default one: the application title.
        services.message_boxes->show("Can't play this wave file, wrong .wav extent passed to function.\r"
                                     "PlayWAV(\"" + wavFile + "\", ...",
                                     message_box::ok_only, zentrel::app_title);
        return;
    }
    services.sound_player->play(wavFile, looped);
}

} // namespace platform
