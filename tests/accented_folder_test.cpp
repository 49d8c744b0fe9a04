// A program folder whose name has a letter beyond ASCII ("café"). The program holds the
// name in Windows-1252, the file system stores it in UTF-8; every road to a file must
// still find it: the search, the restore, the help and folder links and the information
// window's file link, each started by real mouse events on the real window.
#include "tests/support/main_window_fixture.h"
#include "tests/support/mouse_events.h"

#include "info_windows/frm_datainfo.h"
#include "platform/text.h"

#include <QFileInfo>
#include <QTableView>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using testing_support::left_click;
using testing_support::MainWindowTest;
using testing_support::send_button;
namespace box = platform::message_box;

namespace {

// "café" as the program holds it and as the file system stores it.
const std::string cafe_in_program = "caf\xE9";
const std::string cafe_on_disk = "caf\xC3\xA9";

// What the desktop's handler is handed, as the file system sees it.
QFileInfo on_disk(const std::string& target) { return QFileInfo(QString::fromStdU16String(platform::to_utf16(target))); }

} // namespace

class AccentedFolderTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder.file(cafe_on_disk));
        MainWindowTest::SetUp();
    }

    void change_services(platform::Services& services) override { services.program_folder = program_folder(); }

    std::string program_folder() const { return folder.file(cafe_in_program); }

    // A file of the program folder by the name the program gives it, and as stored.
    std::string held(const std::string& name) const { return program_folder() + "/" + name; }
    std::string stored(const std::string& name) const { return cafe_on_disk + "/" + name; }

    // A right press on the window's empty corner, answered with the item of this caption.
    void choose_from_menu(const std::string& caption, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        popup_menus.choose_caption = caption;
        send_button(form->ui().frm.widget(), QEvent::MouseButtonPress, QPoint(3, 3), Qt::RightButton, modifiers);
    }

    void click_search()
    {
        QWidget* button = form->ui().com_Search.widget();
        left_click(button, button->rect().center());
    }

    void search_directory()
    {
        folder.write_file(stored("Directory.dat"), "Haywards Heath 01444\r\nHorsham 01403\r\n");
        choose(0, "H*");
        click_search();
    }
};

TEST_F(AccentedFolderTest, TheSearchReadsTheDatabaseFile)
{
    search_directory();
    EXPECT_TRUE(message_boxes.shown.empty());
    EXPECT_EQ(form->search_state().DataFile_Path, held("Directory.dat"));
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 1), "Haywards Heath");
    EXPECT_EQ(cell(2, 1), "Horsham");
}

TEST_F(AccentedFolderTest, TheRestoreWritesTheFileIntoTheFolder)
{
    form->ui().com_SearchType.set_list_index(4);
    message_boxes.expect(box::answer_yes);
    choose_from_menu("&Restore/fix the InterDomainNames.dat file", Qt::ShiftModifier);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text.rfind("The InterDomainNames.dat file dose not exist yet.", 0), 0u);

    const std::string written = folder.read_file(stored("InterDomainNames.dat"));
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 250);
    struct stat info {};
    ASSERT_EQ(::stat(folder.file(stored("InterDomainNames.dat")).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0222, 0u) << "the restored file is read-only";
    EXPECT_EQ(folder.entries(), std::vector<std::string>{cafe_on_disk}) << "no file under another name";

    // A second restore finds the file it wrote and tells its size.
    message_boxes.expect(box::answer_no);
    choose_from_menu("&Restore/fix the InterDomainNames.dat file", Qt::ShiftModifier);
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_NE(message_boxes.shown[1].text.find("The InterDomainNames.dat file already exists. ("), std::string::npos)
        << message_boxes.shown[1].text;
}

TEST_F(AccentedFolderTest, TheHelpAndFolderLinksOpenWhatIsThere)
{
    folder.write_file(stored("Help.htm"), "<html></html>");
    choose_from_menu("Zentrel &Help");
    choose_from_menu("Open the Zentrel &directory.", Qt::ShiftModifier);
    EXPECT_TRUE(message_boxes.shown.empty()) << "the help page was found";
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].target, held("Help.htm"));
    EXPECT_TRUE(on_disk(shell.opened[0].target).isFile());
    EXPECT_EQ(shell.opened[1].target, program_folder());
    EXPECT_TRUE(on_disk(shell.opened[1].target).isDir());
}

TEST_F(AccentedFolderTest, TheInformationWindowsLinkOpensTheDatabaseFile)
{
    search_directory();
    ASSERT_EQ(rows(), 3);
    platform::Control::flush_all();
    auto* view = static_cast<QTableView*>(form->ui().flx_ResultsChart.widget());
    const QPoint on_first_row = view->visualRect(view->model()->index(1, 1)).center();
    send_button(view->viewport(), QEvent::MouseButtonPress, on_first_row, Qt::LeftButton);
    ASSERT_TRUE(form->DataInfo_Exists());

    QWidget* link = form->DataInfo().ui().lab_LinkToFile.widget();
    left_click(link, QPoint(3, 3));
    EXPECT_TRUE(message_boxes.shown.empty()) << "the database file was found";
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, held("Directory.dat"));
    EXPECT_TRUE(on_disk(shell.opened[0].target).isFile());
}
