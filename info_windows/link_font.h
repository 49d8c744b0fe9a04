#pragma once
// The font of a link that lies over text printed on a window's surface: the printed
// text's font, so that the text shows through the link, underlined as the link asks.
#include "platform/widgets/controls.h"

namespace zentrel {

inline platform::Font link_font(const platform::Font& printed, bool underline)
{
    return platform::Font{printed.name, printed.size, printed.bold, printed.italic, underline};
}

} // namespace zentrel
