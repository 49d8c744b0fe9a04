#pragma once
// The real services of the program on this desktop: Qt's message boxes, event loop,
// pop-up menus, save dialog, clipboard, beep and modal show, the desktop's handler, the
// sound player process, the system's clock and the registry's values.
#include "platform/services.h"

namespace platform {

Services real_services();

} // namespace platform
