#include "platform/widgets/menu.h"

namespace platform {

MenuItem::MenuItem(std::string caption, std::string shortcut)
    : caption_(std::move(caption)), shortcut_(std::move(shortcut))
{
}

} // namespace platform
