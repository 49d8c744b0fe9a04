#pragma once
// The About box window. Besides the box itself it holds the two helpers that every
// window reaches through it: opening a file, folder or address with the desktop's
// handler (the About window is the owner of that call, so the first call creates it,
// hidden), and the size of a file.
#include "platform/controls.h"
#include "platform/services.h"

#include <cstdint>
#include <string>

namespace zentrel {

class frm_About final {
public:
    explicit frm_About(const platform::Services& services);

    // Opens the target; a leading "?" is dropped and opens it minimised, the maximise
    // flag opens it maximised. Only a handler that cannot be started is reported.
    void Load_File_or_URL(const std::string& target, bool maximise);
    // The length of a file in bytes, or -1 when it cannot be opened for reading.
    std::int32_t FileSize(const std::string& path) const;

    platform::Window frm;

private:
    const platform::Services& services_;
};

} // namespace zentrel
