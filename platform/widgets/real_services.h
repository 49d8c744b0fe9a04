#pragma once
// The real services of the program on this desktop: Qt's message boxes, event loop,
// pop-up menus, save dialog, clipboard, beep and modal show, the desktop's handler, the
// desktop's event sounds, the system's clock and the registry's values.
#include "platform/services.h"

#include <functional>

namespace platform {

Services real_services();

// Runs a function on the program's thread at a later turn of Qt's event loop; callable
// from any thread. Once the application object is gone, nothing runs.
void post_to_event_loop(std::function<void()> function);

} // namespace platform
