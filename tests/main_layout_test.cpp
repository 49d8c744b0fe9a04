// The main window's layout arithmetic alone: the sizes it gives for an inner size,
// with the minimums that keep every size positive, and the smallest inner size at which
// the controls stand whole.
#include "main_window/main_layout.h"

#include <gtest/gtest.h>

#include <vector>

using zentrel::InnerSize;
using zentrel::LayoutParts;
using zentrel::LayoutSizes;
using zentrel::OptionsShown;

namespace {

// The designed widths of option 1, the arrow and the Search button.
constexpr LayoutParts designed_parts{1450, 120, 1335};
constexpr double search_button = 1335;
constexpr double pixel = 15;
constexpr InnerSize designed_size{4680, 3960};

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

namespace {

struct WidthCase {
    const char* binding;
    OptionsShown shown;
    // The smallest inner width at which the controls are whole.
    double smallest;
};

} // namespace

TEST(MainLayoutTest, WidthKeepsTheControlsWholeFromTheSizeThatHoldsThem)
{
    const WidthCase cases[] = {
        {"option 1 inside its frame", {2200, 1200}, 2200 + 1960},
        {"option 0's caption clear of option 1", {1800, 1755}, 1755 + 1800 + 480},
        {"the Search button inside the window", {100, 100}, 2195},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.binding);
        for (const double width : {each.smallest, each.smallest + 1, each.smallest + 3000}) {
            EXPECT_TRUE(zentrel::width_keeps_controls_whole(width, search_button, each.shown)) << width;
        }
        for (const double width : {each.smallest - 1, 740.0, 0.0}) {
            EXPECT_FALSE(zentrel::width_keeps_controls_whole(width, search_button, each.shown)) << width;
        }
    }
}

TEST(MainLayoutTest, HeightHoldsTheResultsFrameAndTheRoomForItsRows)
{
    // Room for rows 560 high from 2160 + 360 + 560 + 120 on.
    EXPECT_TRUE(zentrel::height_keeps_controls_whole(3200, 560));
    EXPECT_FALSE(zentrel::height_keeps_controls_whole(3199, 560));
    // Low rows: the results frame's own minimum of 500 must stand in the window.
    EXPECT_TRUE(zentrel::height_keeps_controls_whole(2780, 100));
    EXPECT_FALSE(zentrel::height_keeps_controls_whole(2779, 100));
    EXPECT_FALSE(zentrel::height_keeps_controls_whole(0, 100));
}

TEST(MainLayoutTest, MinimumSizeIsTheSmallestWholeStepInEveryCategory)
{
    const std::vector<OptionsShown> categories{{1450, 1410}, {2200, 1140}, {1800, 1755}, {1200, 1050}};
    const InnerSize smallest = zentrel::minimum_inner_size(search_button, categories, 560, designed_size, pixel);
    // The widest options need 4160, the grid's rows 3200: both rounded up to a whole pixel.
    EXPECT_EQ(smallest.width, 4170);
    EXPECT_EQ(smallest.height, 3210);
    for (double width = smallest.width; width <= designed_size.width; width += pixel) {
        for (const OptionsShown& shown : categories) {
            EXPECT_TRUE(zentrel::width_keeps_controls_whole(width, search_button, shown)) << width;
        }
    }
    EXPECT_FALSE(zentrel::width_keeps_controls_whole(smallest.width - pixel, search_button, categories[1]));
    EXPECT_FALSE(zentrel::height_keeps_controls_whole(smallest.height - pixel, 560));
}

TEST(MainLayoutTest, MinimumSizeFollowsTheCategoriesItIsGiven)
{
    const InnerSize narrow = zentrel::minimum_inner_size(search_button, {{100, 100}}, 100, designed_size, pixel);
    EXPECT_EQ(narrow.width, 2205) << "the Search button's 2195, rounded up to a whole pixel";
    EXPECT_EQ(narrow.height, 2790) << "the results frame's 2780, rounded up to a whole pixel";
}

TEST(MainLayoutTest, MinimumSizeNeverExceedsTheDesignedSize)
{
    // Options too wide for the designed window, and rows too high for it.
    const InnerSize smallest = zentrel::minimum_inner_size(search_button, {{4000, 1000}}, 5000, designed_size, pixel);
    EXPECT_EQ(smallest.width, designed_size.width);
    EXPECT_EQ(smallest.height, designed_size.height);
}
