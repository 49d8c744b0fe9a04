// The main window at start-up, on a change of category, with its direction arrow, its
// Search button rule and its layout at several sizes.
#include "tests/support/main_window_fixture.h"

#include "platform/text_file.h"

#include "platform/formats.h"

#include <QTest>
#include <QWidget>

using testing_support::MainWindowTest;
using namespace zentrel;

namespace {

struct CategoryLook {
    int category;
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
    {0, "UK Dialling Code Directory.", "Dialling codes", "Dialling areas", 1450, "Area code", "Place name", 1100,
     "Directory.dat"},
    {1, "UK Post Code Directory.", "Post codes", "Postal areas", 1450, "Post code", "Postal area name", 1100,
     "PostCodes.dat"},
    {2, "Radio Call Sign Directory.", "Call sign", "Countries", 1200, "Call sign", "Country", 1000, "CallSigns.dat"},
    {3, "International Dialling Code Directory.", "Dialing prefix", "Dialling countries", 1750, "Prefix", "Country",
     700, "InterTelDir.dat"},
    {4, "Web Domain Name Directory.", "URL abbreviations", "Countries", 1800, "URL part", "Country", 1000,
     "InterDomainNames.dat"},
    {5, "UK Vehicle Number Plate Directory.", "Plate letter", "Car registration areas", 2200, "Index mark",
     "Vehicles registration counties", 1200, "VehiclePlates.dat"},
    {6, "International Car Symbol Directory.", "Abbreviation", "Countries", 1450, "Car symbol", "Countries", 1200,
     "InterVehicleSymbols.dat"},
    {7, "US ZIP Code Directory.", "ZIP code", "Postal areas", 1450, "ZIP code", "American States", 900,
     "ZipCodesUS.dat"},
};

} // namespace

TEST_F(MainWindowTest, StartsOnTheDiallingCodesSearchingByName)
{
    EXPECT_EQ(form->ui().frm.caption(), "UK Dialling Code Directory.");
    ASSERT_EQ(form->ui().com_SearchType.list_count(), 8);
    EXPECT_EQ(form->ui().com_SearchType.list(7), "Search for US ZIP codes.");
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
        SCOPED_TRACE(look.category);
        form->ui().com_SearchType.set_list_index(look.category);
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
    form->ui().com_SearchType.set_list_index(7);
    EXPECT_EQ(form->ui().opt_DiallOption_0.tooltip(), " Get the American state from the ZIP code. ");
    EXPECT_EQ(form->ui().opt_DiallOption_1.tooltip(), " Get the ZIP code from the state name. ");
}

TEST_F(MainWindowTest, ACategoryChangeReturnsToAFreshWindow)
{
    choose(0, "01444*", 0);
    write_database(0, "Haywards Heath 01444\r\n");
    form->com_Search_Click();
    ASSERT_EQ(rows(), 2);
    form->ui().com_SearchType.set_list_index(2);
    EXPECT_TRUE(form->ui().opt_DiallOption_1.value());
    EXPECT_FALSE(form->ui().opt_DiallOption_0.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(51)));
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
    EXPECT_FALSE(form->ui().com_Search.enabled());
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(form->search_state().Search_Text, "");
    EXPECT_EQ(form->search_state().Match_Count, 1) << "the match count is kept until the next search";
}

TEST_F(MainWindowTest, TheArrowTogglesTheDirection)
{
    form->lab_Direction_Click();
    EXPECT_TRUE(form->ui().opt_DiallOption_0.value());
    EXPECT_FALSE(form->ui().opt_DiallOption_1.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(52)));
    form->lab_Direction_Click();
    EXPECT_TRUE(form->ui().opt_DiallOption_1.value());
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(51)));
}

TEST_F(MainWindowTest, SelectingAnOptionShowsItsArrow)
{
    form->ui().opt_DiallOption_0.set_value(true);
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(52)));
    form->ui().opt_DiallOption_1.set_value(true);
    EXPECT_EQ(form->ui().lab_Direction.caption(), std::string(1, char(51)));
}

TEST_F(MainWindowTest, SearchButtonNeedsAPatternThatIsNotBlank)
{
    const struct {
        const char* pattern;
        bool enabled;
    } cases[] = {{"", false}, {"   ", false}, {"a", true}, {"  a  ", true}, {"\t", true}, {"", false}};
    for (const auto& each : cases) {
        form->ui().txt_Inputbox.set_text(each.pattern);
        EXPECT_EQ(form->ui().com_Search.enabled(), each.enabled) << '"' << each.pattern << '"';
    }
}

TEST_F(MainWindowTest, SearchButtonFollowsAnEmptyBoxAfterACategoryChange)
{
    // Enter searches with an empty box as well, and the end of a search enables the button.
    write_database(0, "");
    QTest::keyClick(form->ui().txt_Inputbox.widget(), Qt::Key_Return);
    ASSERT_EQ(rows(), 2) << "the search ran";
    ASSERT_TRUE(form->ui().com_Search.enabled());

    QTest::keyClick(form->ui().com_SearchType.widget(), Qt::Key_Down);
    ASSERT_EQ(form->ui().com_SearchType.list_index(), 1) << "the user picked the next category";
    EXPECT_EQ(form->ui().txt_Inputbox.text(), "");
    EXPECT_FALSE(form->ui().com_Search.enabled());
    platform::Control::flush_all();
    EXPECT_FALSE(form->ui().com_Search.widget()->isEnabled());
}

TEST_F(MainWindowTest, WebSiteMenuShowsItsEightItems)
{
    form->ui().com_SearchType.set_list_index(3);
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
        // at or below 740 twips every minimum applies
        {49, 40, 500, 1000, 1600, 500, 500},
        // just above 740 twips the frames follow the width again
        {50, 200, 510, 1000, 1600, 500, 720},
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
        EXPECT_EQ(form->ui().flx_ResultsChart.width(), each.upper_frames - 240 > 0 ? each.upper_frames - 240 : 4215);
    }
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
    form->Form_Resize();
    EXPECT_EQ(form->ui().flx_ResultsChart.height(), 80 + row);
    form->ui().flx_ResultsChart.set_rows(4);
    form->Form_Resize();
    EXPECT_EQ(form->ui().flx_ResultsChart.height(), 80 + 4 * row);
    form->ui().flx_ResultsChart.set_rows(1000);
    form->Form_Resize();
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
    platform::Colour fore = 0;
    platform::Colour back = 0;
    form->Add_Result_Row("a", "first", fore, back);
    EXPECT_EQ(back, 1u) << "black is stored as red 1";
    EXPECT_EQ(fore, 0u);
    platform::Colour blue = platform::rgb(0, 0, 255);
    platform::Colour window = platform::system_window_background;
    form->Add_Result_Row("b", "second", blue, window);
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 1), "first");
    EXPECT_EQ(cell(2, 0), "b");
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(1, 0).back, 1u);
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(2, 1).fore, blue);
    EXPECT_EQ(form->ui().flx_ResultsChart.row(), 2);
    EXPECT_EQ(form->ui().flx_ResultsChart.col(), 1);
}

TEST_F(MainWindowTest, RowsHeightCountsMissingRowsAsTheHeaderRow)
{
    const double row = platform::Grid::standard_row_height;
    form->ui().flx_ResultsChart.set_rows(3);
    std::int32_t many = 99;
    EXPECT_EQ(form->Grid_Rows_Height(many), 80 + 99 * row);
    EXPECT_EQ(many, 99);
    std::int32_t all = -1;
    EXPECT_EQ(form->Grid_Rows_Height(all), 80 + 3 * row);
    EXPECT_EQ(all, 3);
    std::int32_t none = 0;
    EXPECT_EQ(form->Grid_Rows_Height(none), 80);
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
