#pragma once
// The arithmetic of the main window's layout, apart from the window: the sizes that
// follow the window's inner size. All values are in twips. It places nothing itself:
// frm_Main::Form_Resize gives the sizes to the controls.
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

} // namespace zentrel
