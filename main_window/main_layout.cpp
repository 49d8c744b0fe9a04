#include "main_window/main_layout.h"

namespace zentrel {

LayoutSizes layout_for_size(double inner_width, double inner_height, const LayoutParts& parts)
{
    LayoutSizes sizes{};
    sizes.frame_width = inner_width > 740 ? inner_width - 240 : 500;
    const double list_width = sizes.frame_width - 240;
    sizes.category_list_width = list_width > 1000 ? list_width : 1000;
    const double option_1_left = sizes.frame_width - (parts.option_1_width + 120);
    sizes.option_1_left = option_1_left > 1600 ? option_1_left : 1600;
    sizes.arrow_left = (sizes.frame_width - parts.arrow_width) / 2;
    const double box_width = inner_width - (parts.search_button_width + 360);
    sizes.pattern_box_width = box_width > 500 ? box_width : 500;
    sizes.search_button_left = sizes.pattern_box_width + 120 + 120;
    const double results_height = inner_height - (layout_place::results_frame_top + 120);
    sizes.results_frame_height = results_height > 500 ? results_height : 500;
    sizes.grid_width = sizes.frame_width - 240;
    return sizes;
}

} // namespace zentrel
