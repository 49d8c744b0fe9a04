#include "main_window/main_layout.h"

#include <algorithm>
#include <functional>

namespace zentrel {

namespace {

// The room the layout keeps between a control and the edge of what holds it: the
// frames' lefts in the window, the controls' lefts in their frames.
constexpr double margin = 120;

// The smallest size, a whole number of steps below the designed one, from which every
// size up to the designed one keeps the controls whole; the designed size where the
// step below it does not.
double smallest_whole(double designed, double step, const std::function<bool(double)>& whole)
{
    double size = designed;
    while (size - step > 0 && whole(size - step)) size -= step;
    return size;
}

} // namespace

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

bool width_keeps_controls_whole(double inner_width, double search_button_width, const OptionsShown& shown)
{
    // The arrow's width moves nothing that is checked here.
    const LayoutSizes sizes = layout_for_size(inner_width, 0, {shown.option_width, 0, search_button_width});
    // Every frame stands at the margin from the window's left; inside a frame, the
    // controls keep the same margin from its right edge.
    const double frame_inside = sizes.frame_width - margin;
    return margin + sizes.frame_width + margin <= inner_width &&
           margin + sizes.category_list_width <= frame_inside &&
           sizes.option_1_left + shown.option_width <= frame_inside &&
           margin + shown.option_0_caption_end <= sizes.option_1_left &&
           sizes.search_button_left + search_button_width + margin <= inner_width;
}

bool height_keeps_controls_whole(double inner_height, double grid_rows_height)
{
    const LayoutSizes sizes = layout_for_size(0, inner_height, {});
    return layout_place::results_frame_top + sizes.results_frame_height + margin <= inner_height &&
           grid_rows_height <= sizes.results_frame_height - layout_place::grid_room_left_free;
}

InnerSize minimum_inner_size(double search_button_width, const std::vector<OptionsShown>& categories,
                             double grid_rows_height, InnerSize designed, double step)
{
    const auto width_whole = [&](double width) {
        return std::all_of(categories.begin(), categories.end(), [&](const OptionsShown& shown) {
            return width_keeps_controls_whole(width, search_button_width, shown);
        });
    };
    const auto height_whole = [&](double height) { return height_keeps_controls_whole(height, grid_rows_height); };
    return {smallest_whole(designed.width, step, width_whole), smallest_whole(designed.height, step, height_whole)};
}

} // namespace zentrel
