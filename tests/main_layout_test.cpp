// The main window's layout arithmetic alone: the sizes it gives for an inner size,
// with the minimums that keep every size positive.
#include "main_window/main_layout.h"

#include <gtest/gtest.h>

using zentrel::LayoutParts;
using zentrel::LayoutSizes;

namespace {

// The designed widths of option 1, the arrow and the Search button.
constexpr LayoutParts designed_parts{1450, 120, 1335};

struct SizeCase {
    double width;
    double height;
    double frames;
    double category_list;
    double option_1_left;
    double pattern_box;
    double results_height;
};

} // namespace

TEST(MainLayoutTest, SizesFollowTheInnerSize)
{
    const SizeCase cases[] = {
        // the designed size
        {4680, 3960, 4440, 4200, 2870, 2985, 1680},
        // wider and taller
        {9600, 7200, 9360, 9120, 7790, 7905, 4920},
        // at or below 740 every minimum applies
        {735, 600, 500, 1000, 1600, 500, 500},
        {740, 2780, 500, 1000, 1600, 500, 500},
        // minimised
        {0, 0, 500, 1000, 1600, 500, 500},
        // just above 740 the frames follow the width again, above 2780 the results frame the height
        {741, 2781, 501, 1000, 1600, 500, 501},
        {750, 3000, 510, 1000, 1600, 500, 720},
        // the category list and option 1 leave their minimums just above them
        {1481, 3000, 1241, 1001, 1600, 500, 720},
        {3411, 3000, 3171, 2931, 1601, 1716, 720},
        // the pattern box leaves its minimum just above 2195
        {2195, 3000, 1955, 1715, 1600, 500, 720},
        {2196, 3000, 1956, 1716, 1600, 501, 720},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << each.width << " x " << each.height);
        const LayoutSizes sizes = zentrel::layout_for_size(each.width, each.height, designed_parts);
        EXPECT_EQ(sizes.frame_width, each.frames);
        EXPECT_EQ(sizes.category_list_width, each.category_list);
        EXPECT_EQ(sizes.option_1_left, each.option_1_left);
        EXPECT_EQ(sizes.arrow_left, (each.frames - 120) / 2);
        EXPECT_EQ(sizes.pattern_box_width, each.pattern_box);
        EXPECT_EQ(sizes.search_button_left, each.pattern_box + 240);
        EXPECT_EQ(sizes.results_frame_height, each.results_height);
        EXPECT_EQ(sizes.grid_width, each.frames - 240);
    }
}

TEST(MainLayoutTest, SizesFollowTheWidthsTheControlsHave)
{
    const LayoutSizes sizes = zentrel::layout_for_size(4680, 3960, {2200, 300, 1000});
    EXPECT_EQ(sizes.option_1_left, 4440 - (2200 + 120));
    EXPECT_EQ(sizes.arrow_left, (4440 - 300) / 2);
    EXPECT_EQ(sizes.pattern_box_width, 4680 - (1000 + 360));
    EXPECT_EQ(sizes.search_button_left, 4680 - (1000 + 360) + 240);
}
