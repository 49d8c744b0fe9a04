#pragma once
// Every control the windows are built of, for code that uses several of them.
#include "platform/widgets/combo_box.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/control.h"
#include "platform/widgets/frame.h"
#include "platform/widgets/label.h"
#include "platform/widgets/option_button.h"
#include "platform/widgets/text_box.h"
#include "platform/widgets/window.h"
