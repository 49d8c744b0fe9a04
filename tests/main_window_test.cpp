// The main window at start-up, on a change of category, with its direction arrow, its
// Search button rule, its layout at several sizes and the rows its searches list.
#include "tests/support/main_window_fixture.h"

#include "platform/file_attributes.h"

#include "platform/formats.h"

#include <QWidget>

using testing_support::click;
using testing_support::MainWindowTest;
using namespace zentrel;
namespace box = platform::message_box;

namespace {

// A US ZIP code file of numbered places that a search for "Place*" lists one by one.
std::string places(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += std::to_string(10000 + i) + " Place " + std::to_string(i) + "\r\n";
    return bytes;
}

struct CategoryLook {
    Category category;
    const char* title;
    const char* code_option;
    const char* name_option;
    double option_width;
    const char* code_heading;
    const char* name_heading;
    double code_column_width;
    const char* file_name;
};

const CategoryLook category_looks[] = {
    {Category::UKDiallingCodes, "UK Dialling Code Directory.", "Dialling codes", "Dialling areas", 1450, "Area code", "Place name", 1100,
     "Directory.dat"},
    {Category::UKPostCodes, "UK Post Code Directory.", "Post codes", "Postal areas", 1450, "Post code", "Postal area name", 1100,
     "PostCodes.dat"},
    {Category::RadioCallSigns, "Radio Call Sign Directory.", "Call sign", "Countries", 1200, "Call sign", "Country", 1000, "CallSigns.dat"},
    {Category::InternationalDiallingCodes, "International Dialling Code Directory.", "Dialing prefix", "Dialling countries", 1750, "Prefix", "Country",
     700, "InterTelDir.dat"},
    {Category::WebDomainNames, "Web Domain Name Directory.", "URL abbreviations", "Countries", 1800, "URL part", "Country", 1000,
     "InterDomainNames.dat"},
    {Category::UKVehicleNumberPlates, "UK Vehicle Number Plate Directory.", "Plate letter", "Car registration areas", 2200, "Index mark",
     "Vehicles registration counties", 1200, "VehiclePlates.dat"},
    {Category::InternationalCarSymbols, "International Car Symbol Directory.", "Abbreviation", "Countries", 1450, "Car symbol", "Countries", 1200,
     "InterVehicleSymbols.dat"},
    {Category::USZipCodes, "US ZIP Code Directory.", "ZIP code", "Postal areas", 1450, "ZIP code", "American States", 900,
     "ZipCodesUS.dat"},
};
static_assert(std::extent_v<decltype(category_looks)> == category_count, "a look for every category");

} // namespace

TEST_F(MainWindowTest, StartsOnTheDiallingCodesSearchingByName)
{
    EXPECT_EQ(form->ui().frm.caption(), "UK Dialling Code Directory.");
    ASSERT_EQ(form->ui().com_SearchType.list_count(), category_count);
    EXPECT_EQ(form->ui().com_SearchType.list(index_of(Category::USZipCodes)), "Search for US ZIP codes.");
    EXPECT_EQ(form->ui().com_SearchType.text(), "Search for UK dialling codes.");
    EXPECT_FALSE(form->ui().opt_DiallOption_0.value());
    EXPECT_TRUE(form->ui().opt_DiallOption_1.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(51)));
    EXPECT_EQ(form->ui().lab_Direction.font().name, "Webdings");
    EXPECT_EQ(form->ui().lab_Direction.font().size, 22);
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
    EXPECT_FALSE(form->ui().com_Search.enabled());
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(form->ui().flx_ResultsChart.tooltip(), "");
    EXPECT_EQ(form->ui().fra_SearchType.caption(), " Search type ");
    EXPECT_EQ(form->ui().fra_Search.caption(), " Search for ");
    EXPECT_EQ(form->ui().com_Search.caption(), "&Search");
    EXPECT_EQ(form->ui().txt_Inputbox.tooltip(), " Enter your search pattern here. ");
    EXPECT_EQ(form->ui().com_SearchType.tooltip(), " Select your search category here. ");
    EXPECT_EQ(form->ui().com_Search.tooltip(), " Get the list of matches. ");
    EXPECT_EQ(form->ui().lab_Direction.tooltip(), " Toggle direction. ");
    EXPECT_EQ(form->search_state().DataFile_Path, folder.path() + "/Directory.dat");
    EXPECT_EQ(form->search_state().Match_Count, 0);
    EXPECT_TRUE(form->ui().txt_Inputbox.has_focus());
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &form->ui().fra_SearchType, &form->ui().com_SearchType, &form->ui().fra_Search, &form->ui().opt_DiallOption_0,
             &form->ui().txt_Inputbox, &form->ui().com_Search, &form->ui().flx_ResultsChart}) {
        EXPECT_EQ(control->font().name, "Arial");
        EXPECT_EQ(control->font().size, 8);
        EXPECT_TRUE(control->font().bold);
    }
}

TEST_F(MainWindowTest, EveryCategoryRelabelsTheWindow)
{
    for (const CategoryLook& look : category_looks) {
        SCOPED_TRACE(look.title);
        pick_category(look.category);
        EXPECT_EQ(form->ui().frm.caption(), look.title);
        EXPECT_EQ(form->ui().opt_DiallOption_0.caption(), look.code_option);
        EXPECT_EQ(form->ui().opt_DiallOption_1.caption(), look.name_option);
        EXPECT_EQ(form->ui().opt_DiallOption_0.width(), look.option_width);
        EXPECT_EQ(form->ui().opt_DiallOption_1.width(), look.option_width);
        EXPECT_EQ(cell(0, 0), look.code_heading);
        EXPECT_EQ(cell(0, 1), look.name_heading);
        EXPECT_EQ(form->ui().flx_ResultsChart.col_width(0), look.code_column_width);
        EXPECT_EQ(form->search_state().DataFile_Path, folder.file(look.file_name));
        EXPECT_EQ(form->ui().flx_ResultsChart.cell(0, 0).font_size, 10);
        EXPECT_TRUE(form->ui().flx_ResultsChart.cell(0, 1).underline);
    }
}

TEST_F(MainWindowTest, OptionHintsFollowTheCategory)
{
    pick_category(Category::USZipCodes);
    EXPECT_EQ(form->ui().opt_DiallOption_0.tooltip(), " Get the American state from the ZIP code. ");
    EXPECT_EQ(form->ui().opt_DiallOption_1.tooltip(), " Get the ZIP code from the state name. ");
}

TEST_F(MainWindowTest, ACategoryChangeReturnsToAFreshWindow)
{
    search(Category::UKDiallingCodes, "01444*", SearchField::Code, "Haywards Heath 01444\r\n");
    ASSERT_EQ(rows(), 2);
    pick_category(Category::RadioCallSigns);
    EXPECT_TRUE(form->ui().opt_DiallOption_1.value());
    EXPECT_FALSE(form->ui().opt_DiallOption_0.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(51)));
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
    EXPECT_FALSE(form->ui().com_Search.enabled());
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(form->search_state().Search_Text, "");
    EXPECT_EQ(form->search_state().Match_Count, 1) << "the match count is kept until the next search";
}

TEST_F(MainWindowTest, WheelTurnsTheCategoryListOnlyWhileItHasTheFocus)
{
    search(Category::UKDiallingCodes, "01444*", SearchField::Code, "Haywards Heath 01444\r\n");
    ASSERT_EQ(rows(), 2);
    platform::ComboBox& list = form->ui().com_SearchType;
    const QWidget& list_widget = *list.widget();
    for (const int notches : {-1, 1}) {
        SCOPED_TRACE(notches);
        testing_support::turn_wheel_at(list_widget, list_widget.rect().center(), notches);
        EXPECT_EQ(current_category(), Category::UKDiallingCodes);
        EXPECT_EQ(rows(), 2) << "the results stay";
        EXPECT_FALSE(list_widget.hasFocus()) << "the wheel does not take the focus";
    }
    list.set_focus();
    testing_support::turn_wheel_at(list_widget, list_widget.rect().center(), -1);
    EXPECT_EQ(current_category(), Category::UKPostCodes) << "with the focus, the wheel picks the next entry";
    EXPECT_EQ(rows(), 1);
}

TEST_F(MainWindowTest, TheArrowTogglesTheDirection)
{
    click(form->ui().lab_Direction);
    EXPECT_TRUE(form->ui().opt_DiallOption_0.value());
    EXPECT_FALSE(form->ui().opt_DiallOption_1.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(52)));
    click(form->ui().lab_Direction);
    EXPECT_TRUE(form->ui().opt_DiallOption_1.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(51)));
}

TEST_F(MainWindowTest, SelectingAnOptionShowsItsArrow)
{
    choose_direction(SearchField::Code);
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(52)));
    choose_direction(SearchField::Name);
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(51)));
}

TEST_F(MainWindowTest, SearchButtonNeedsAPatternThatIsNotBlank)
{
    // A tab is pasted: its key moves the focus on.
    const struct {
        const char* pattern;
        bool enabled;
    } cases[] = {{"", false}, {"   ", false}, {"a", true}, {"  a  ", true}, {"\t", true}, {"", false}};
    for (const auto& each : cases) {
        if (std::string_view(each.pattern) == "\t") paste_pattern(each.pattern);
        else type_pattern(each.pattern);
        ASSERT_EQ(form->ui().txt_Inputbox.text(), each.pattern);
        EXPECT_EQ(form->ui().com_Search.enabled(), each.enabled) << '"' << each.pattern << '"';
    }
}

TEST_F(MainWindowTest, SearchButtonFollowsAnEmptyBoxAfterACategoryChange)
{
    // Enter searches with an empty box as well, and the end of a search enables the button.
    write_database(Category::UKDiallingCodes, "");
    press_enter();
    ASSERT_EQ(rows(), 2) << "the search ran";
    ASSERT_TRUE(form->ui().com_Search.enabled());

    pick_category(Category::UKPostCodes);
    ASSERT_EQ(current_category(), Category::UKPostCodes) << "the user picked the next category";
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
    EXPECT_FALSE(form->ui().com_Search.enabled());
    platform::Control::flush_all();
    EXPECT_FALSE(form->ui().com_Search.widget()->isEnabled());
}

TEST_F(MainWindowTest, WebSiteMenuShowsItsEightItems)
{
    pick_category(Category::InternationalDiallingCodes);
    EXPECT_EQ(form->ui().menu_WebSitesList.caption(), "List of useful &web sites");
    for (int index = 0; index < MainWindowControls::web_site_item_count; ++index) {
        const auto& item = form->ui().menu_URL[static_cast<std::size_t>(index)];
        EXPECT_EQ(item.visible(), index < 8) << index;
        EXPECT_EQ(item.enabled(), index < 8) << index;
    }
    EXPECT_EQ(form->ui().menu_URL[1].caption(), std::string(60, '-'));
    EXPECT_NE(form->ui().menu_URL[0].caption().find("\t(Zentrel web site)"), std::string::npos);
}

// ---------------------------------------------------------------------------------
// Layout

namespace {

struct LayoutExpectation {
    int width_pixels;
    int height_pixels;
    double upper_frames;
    double category_list;
    double option_1_left;
    double pattern_box;
    double results_height;
};

} // namespace

TEST_F(MainWindowTest, LayoutFollowsTheWindowSize)
{
    const LayoutExpectation cases[] = {
        // designed size: 4680 x 3960 twips
        {312, 264, 4440, 4200, 2870, 2985, 1680},
        // wider and taller
        {640, 480, 9360, 9120, 7790, 7905, 4920},
        // below the smallest size the window takes (278 x 228) it is laid out at that size:
        // 4170 x 3420 twips; the layout's own minimums below it are MainLayoutTest's
        {1, 1, 3930, 3690, 2360, 2475, 1140},
        {100, 600, 3930, 3690, 2360, 2475, 6720},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.width_pixels);
        form->ui().frm.widget()->resize(each.width_pixels, each.height_pixels);
        EXPECT_EQ(form->ui().fra_SearchType.width(), each.upper_frames);
        EXPECT_EQ(form->ui().fra_Search.width(), each.upper_frames);
        EXPECT_EQ(form->ui().fra_TheResults.width(), each.upper_frames);
        EXPECT_EQ(form->ui().com_SearchType.width(), each.category_list);
        EXPECT_EQ(form->ui().opt_DiallOption_1.left(), each.option_1_left);
        EXPECT_EQ(form->ui().txt_Inputbox.width(), each.pattern_box);
        EXPECT_EQ(form->ui().com_Search.left(), each.pattern_box + 240);
        EXPECT_EQ(form->ui().fra_TheResults.height(), each.results_height);
        EXPECT_EQ(form->ui().lab_Direction.left(), (each.upper_frames - 120) / 2);
        EXPECT_EQ(form->ui().flx_ResultsChart.width(), each.upper_frames - 240);
    }
}

// The smallest window: 278 pixels wide, where the number-plate category's options (2200
// twips each) keep option 1 inside its frame, and 228 high, where the grid has room for
// its header row and one row of results above its sideways scroll bar.
TEST_F(MainWindowTest, WindowStopsAtItsMinimumSize)
{
    QWidget& window = *form->ui().frm.widget();
    const QSize smallest(278, 228);
    const QSize tries[] = {{1, 1}, {277, 500}, {500, 227}, {0, 0}};
    for (const QSize& each : tries) {
        SCOPED_TRACE(testing::Message() << each.width() << " x " << each.height());
        window.resize(each);
        EXPECT_EQ(window.size(), smallest.expandedTo(each));
        EXPECT_EQ(form->ui().fra_SearchType.width(), window.width() * 15 - 240) << "laid out at the size it has";
        window.resize(400, 300);
    }
    // The desktop is told the same smallest size, and stops the window's borders there
    // (a desktop's own resize is not held here: the offscreen platform has none).
    EXPECT_EQ(testing_support::window_system_window(window).minimumSize(), smallest);
    window.resize(smallest);
    EXPECT_EQ(window.size(), smallest);
    window.resize(279, 229);
    EXPECT_EQ(window.size(), QSize(279, 229));
}

TEST_F(MainWindowTest, LayoutKeepsTheHeightsItNeverSets)
{
    form->ui().frm.widget()->resize(500, 400);
    EXPECT_EQ(form->ui().fra_SearchType.height(), 735);
    EXPECT_EQ(form->ui().fra_Search.height(), 615);
    EXPECT_EQ(form->ui().opt_DiallOption_0.top(), 240);
    EXPECT_EQ(form->ui().opt_DiallOption_1.height(), 255);
    EXPECT_EQ(form->ui().lab_Direction.top(), 130);
    EXPECT_EQ(form->ui().lab_Direction.height(), 195);
    EXPECT_EQ(form->ui().com_Search.width(), 1335);
}

TEST_F(MainWindowTest, MinimisedWindowIsLaidOutAsZeroByZero)
{
    form->ui().frm.widget()->showMinimized();
    EXPECT_EQ(form->ui().frm.client_width(), 0);
    EXPECT_EQ(form->ui().fra_SearchType.width(), 500);
    EXPECT_EQ(form->ui().com_SearchType.width(), 1000);
    EXPECT_EQ(form->ui().opt_DiallOption_1.left(), 1600);
    EXPECT_EQ(form->ui().txt_Inputbox.width(), 500);
    EXPECT_EQ(form->ui().fra_TheResults.height(), 500);
    form->ui().frm.widget()->showNormal();
    EXPECT_EQ(form->ui().fra_SearchType.width(), form->ui().frm.client_width() - 240);
}

TEST_F(MainWindowTest, GridIsAsTallAsItsRowsUntilTheyFillTheFrame)
{
    const double row = platform::Grid::standard_row_height;
    QWidget& window = *form->ui().frm.widget();
    window.resize(320, 280);
    EXPECT_EQ(form->ui().flx_ResultsChart.height(), 80 + row);
    search(Category::USZipCodes, "Place*", SearchField::Name, places(3));
    ASSERT_EQ(rows(), 4);
    window.resize(312, 264);
    EXPECT_EQ(form->ui().flx_ResultsChart.height(), 80 + 4 * row);
    search(Category::USZipCodes, "Place*", SearchField::Name, places(100));
    ASSERT_EQ(rows(), 101);
    window.resize(320, 280);
    EXPECT_EQ(form->ui().flx_ResultsChart.height(), form->ui().fra_TheResults.height() - 360);
}

TEST_F(MainWindowTest, CodeColumnReachesTheWindowEdge)
{
    form->ui().frm.widget()->resize(400, 300);
    EXPECT_EQ(form->ui().flx_ResultsChart.col_width(1), form->ui().frm.outer_width());
    EXPECT_GE(form->ui().flx_ResultsChart.col_width(0) + form->ui().flx_ResultsChart.col_width(1),
              form->ui().flx_ResultsChart.width());
}

// ---------------------------------------------------------------------------------
// Results grid operations

TEST_F(MainWindowTest, AddedRowsKeepTheirOrderAndColours)
{
    const platform::Grid& grid = form->ui().flx_ResultsChart;
    const platform::Colour blue = platform::rgb(0, 0, 255);
    search(Category::USZipCodes, "*", SearchField::Name, "10001 first[*Blue data]\r\n10002 second\r\n");
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 1), "first");
    EXPECT_EQ(cell(2, 0), "10002");
    EXPECT_EQ(grid.cell(1, 0).fore, blue);
    EXPECT_EQ(grid.cell(1, 1).back, platform::system_window_background);
    EXPECT_EQ(grid.cell(2, 1).fore, platform::system_window_text);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 1);

    // The row that tells of an abort is white on black, and black is stored as red 1.
    event_loop.on_yield = [&](int) {
        if (rows() == 4) choose_from_menu("Abort &this search");
    };
    answer_message(box::answer_ok);
    search(Category::USZipCodes, "Place*", SearchField::Name, places(20));
    const int last = rows() - 1;
    ASSERT_EQ(cell(last, 0), "This search was aborted.");
    EXPECT_EQ(grid.cell(last, 0).back, 1u) << "black is stored as red 1";
    EXPECT_EQ(grid.cell(last, 1).back, 1u);
    EXPECT_EQ(grid.cell(last, 1).fore, platform::white);
}

TEST_F(MainWindowTest, RowsHeightCountsMissingRowsAsTheHeaderRow)
{
    const platform::Grid& grid = form->ui().flx_ResultsChart;
    search(Category::USZipCodes, "Place*", SearchField::Name, places(2));
    ASSERT_EQ(rows(), 3);
    double rows_height = 80;
    for (int row = 0; row < 3; ++row) rows_height += grid.row_height(row);
    EXPECT_EQ(grid.height(), rows_height) << "as tall as all its rows";
    EXPECT_EQ(rows_height, 80 + 3 * platform::Grid::standard_row_height);

    // A search begins with the grid as tall as 99 rows, the ones not there yet counted
    // as tall as the header row.
    const double as_99_rows = rows_height + 96 * grid.row_height(0);
    double height_at_start = 0;
    event_loop.on_yield = [&](int) {
        if (height_at_start == 0) height_at_start = grid.height();
    };
    search(Category::USZipCodes, "Place*", SearchField::Name, places(20));
    EXPECT_EQ(height_at_start, as_99_rows);
    EXPECT_EQ(height_at_start, 80 + 99 * platform::Grid::standard_row_height);
}

TEST_F(MainWindowTest, FileSizeTellsWhetherAFileCanBeRead)
{
    folder.write_file("empty.dat", "");
    folder.write_file("ten.dat", "0123456789");
    EXPECT_EQ(platform::file_size(folder.file("empty.dat")), 0);
    EXPECT_EQ(platform::file_size(folder.file("ten.dat")), 10);
    EXPECT_EQ(platform::file_size(folder.file("missing.dat")), -1);
    EXPECT_EQ(platform::file_size(folder.path()), -1);
    EXPECT_EQ(platform::file_size(""), -1);
}
