#pragma once
// How the widgets hand an event to a control's handler: through the program's event
// dispatch, with the screen brought up to date afterwards.
#include "platform/widgets/control.h"

class QKeyEvent;

namespace platform {

void run_handler(const Handler& handler);

// Hands a key going down to a control's key handler; false when there is none or the
// key has no code of its own.
bool run_key_handler(const KeyHandler& handler, const QKeyEvent& event);

} // namespace platform
