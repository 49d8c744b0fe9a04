#pragma once
// The arithmetic of the main window's layout, apart from the window: the sizes that
// follow the window's inner size, and the smallest inner size at which every control
// stands whole in its frame. All values are in twips. It places nothing itself:
// frm_Main::Form_Resize gives the sizes to the controls.
#include <vector>

namespace zentrel {

// What the layout reads from the controls: it never sets these widths itself.
struct LayoutParts {
    double option_1_width;
    double arrow_width;
    double search_button_width;
};

// The sizes that the layout gives for one inner size. The frames keep their lefts (120)
// and the controls inside them keep theirs; these are the values that move.
struct LayoutSizes {
    // The width of the category frame, the direction frame and the results frame alike.
    double frame_width;
    double category_list_width;
    double option_1_left;
    double arrow_left;
    double pattern_box_width;
    double search_button_left;
    double results_frame_height;
    // The grid's width in the results frame, which the layout gives only where it is
    // more than 0.
    double grid_width;
};

LayoutSizes layout_for_size(double inner_width, double inner_height, const LayoutParts& parts);

// Places of the layout that do not follow the window's size.
namespace layout_place {
constexpr double results_frame_top = 2160;
constexpr double grid_top = 240;
// How much of the results frame's height the grid leaves free: its top and the frame's
// border below it.
constexpr double grid_room_left_free = 360;
} // namespace layout_place

// What one category shows in the direction frame: the width of its two options, and
// how far from option 0's left edge its circle and caption reach. Option 1 lies above
// option 0, so only option 0's caption can be covered; each caption within its own
// button is the category's texts' own matter, which no window size changes.
struct OptionsShown {
    double option_width;
    double option_0_caption_end;
};

// Whether the controls that follow the inner width stand whole at that width, in a
// category: the frames and the Search button inside the window, the category list and
// option 1 inside their frames, and option 0's circle and caption clear of option 1,
// which lies above it. The arrow lies beneath the options and takes no room of its own.
bool width_keeps_controls_whole(double inner_width, double search_button_width, const OptionsShown& shown);

// Whether the results frame stands whole in the window at that inner height, with room
// for a grid of the given rows' height.
bool height_keeps_controls_whole(double inner_height, double grid_rows_height);

struct InnerSize {
    double width;
    double height;
};

// The smallest inner size, in steps of the window's unit (a pixel in twips), at which the
// controls stand whole in every category shown and the grid has room for rows of the
// given height; never more than the designed size, so that the window opens as designed.
InnerSize minimum_inner_size(double search_button_width, const std::vector<OptionsShown>& categories,
                             double grid_rows_height, InnerSize designed, double step);

} // namespace zentrel
