// A program folder named with letters beyond ASCII, and beyond Windows-1252: "café",
// "жук", a Greek and a Chinese name, and "café" in Latin-1 bytes that are no UTF-8. The
// program keeps the folder by the system's own name for it, so every road to a file
// finds it: the search, the restore, the save, the help and folder links and the
// information window's file link, each started by real events on the real window. Where
// the path is shown, a letter outside the code page shows as "?".
#include "tests/support/main_window_fixture.h"

#include "info_windows/frm_datainfo.h"
#include "platform/widgets/qt_bridge.h"

#include <QLabel>
#include <QTableView>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

using testing_support::click_at;
using testing_support::MainWindowTest;
namespace box = platform::message_box;

namespace {

struct FolderName {
    const char* label;
    // The name as the file system holds it.
    std::string on_disk;
    // The name as the program shows it, in Windows-1252.
    std::string shown;
};

std::ostream& operator<<(std::ostream& out, const FolderName& name) { return out << name.label; }

const FolderName folder_names[] = {
    {"Cafe", "caf\xC3\xA9", "caf\xE9"},
    {"Beetle", "\xD0\xB6\xD1\x83\xD0\xBA", "???"},
    {"Athens", "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", "?????"},
    {"Beijing", "\xE5\x8C\x97\xE4\xBA\xAC", "??"},
    {"CafeInLatin1", "caf\xE9", "caf?"},
};

} // namespace

class FolderNamesTest : public MainWindowTest, public testing::WithParamInterface<FolderName> {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder.file(GetParam().on_disk));
        MainWindowTest::SetUp();
    }

    void change_services(platform::Services& services) override { services.program_folder = program_folder(); }

    std::string program_folder() const { return folder.file(GetParam().on_disk); }
    // A file of the program folder: its path, and the path as the program shows it.
    std::string held(const std::string& name) const { return program_folder() + "/" + name; }
    std::string shown(const std::string& name) const { return folder.path() + "/" + GetParam().shown + "/" + name; }
    std::string stored(const std::string& name) const { return GetParam().on_disk + "/" + name; }

    // A search of the names in a dialling-code file of two places in the program folder.
    void search_directory()
    {
        folder.write_file(stored("Directory.dat"), "Haywards Heath 01444\r\nHorsham 01403\r\n");
        search(zentrel::Category::UKDiallingCodes, "H*", zentrel::SearchField::Name);
    }

    // The text the grid shows in a cell below the fixed row, as the toolkit draws it.
    QString shown_cell(int row, int col)
    {
        const QTableView& view = testing_support::grid_view(form->ui().flx_ResultsChart);
        return view.model()->index(row - 1, col).data().toString();
    }
};

INSTANTIATE_TEST_SUITE_P(Folders, FolderNamesTest, testing::ValuesIn(folder_names),
                         [](const testing::TestParamInfo<FolderName>& info) { return std::string(info.param.label); });

TEST_P(FolderNamesTest, TheSearchReadsTheDatabaseFile)
{
    search_directory();
    EXPECT_TRUE(message_boxes.shown.empty());
    EXPECT_EQ(form->search_state().DataFile_Path, held("Directory.dat"));
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 1), "Haywards Heath");
    EXPECT_EQ(cell(2, 1), "Horsham");
}

TEST_P(FolderNamesTest, AMissingDatabaseFileIsNamedAsTheProgramShowsIt)
{
    answer_message(box::answer_ok);
    search(zentrel::Category::UKDiallingCodes, "H*", zentrel::SearchField::Name);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_NE(message_boxes.shown[0].text.find("Can't find file; " + shown("Directory.dat") + "\r\n"),
              std::string::npos)
        << message_boxes.shown[0].text;
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 0), "Can't find file;");
    EXPECT_EQ(cell(1, 1), shown("Directory.dat"));
    EXPECT_EQ(shown_cell(1, 1), platform::qt::to_qstring(shown("Directory.dat")));
}

TEST_P(FolderNamesTest, TheRestoreWritesTheFileIntoTheFolder)
{
    pick_category(zentrel::Category::WebDomainNames);
    answer_message(box::answer_yes);
    choose_from_menu("&Restore/fix the InterDomainNames.dat file", Qt::ShiftModifier);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text.rfind("The InterDomainNames.dat file dose not exist yet.", 0), 0u);

    const std::string written = folder.read_file(stored("InterDomainNames.dat"));
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 250);
    struct stat info {};
    ASSERT_EQ(::stat(held("InterDomainNames.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0222, 0u) << "the restored file is read-only";
    EXPECT_EQ(folder.entries(), std::vector<std::string>{GetParam().on_disk}) << "no file under another name";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program_folder()), {}), 1) << "no temporary left";

    // A second restore finds the file it wrote and tells its size.
    answer_message(box::answer_no);
    choose_from_menu("&Restore/fix the InterDomainNames.dat file", Qt::ShiftModifier);
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_NE(message_boxes.shown[1].text.find("The InterDomainNames.dat file already exists. ("), std::string::npos)
        << message_boxes.shown[1].text;

    // Searched afterwards, the restored file is the one read.
    search(zentrel::Category::WebDomainNames, ".uk", zentrel::SearchField::Name);
    EXPECT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_GT(rows(), 1);
    EXPECT_EQ(cell(1, 0), ".uk");
}

TEST_P(FolderNamesTest, ARestoreThatCannotWriteNamesThePathAsTheProgramShowsIt)
{
    ASSERT_EQ(::chmod(program_folder().c_str(), 0555), 0);
    pick_category(zentrel::Category::WebDomainNames);
    answer_message(box::answer_yes);
    answer_message(box::answer_ok);
    choose_from_menu("&Restore/fix the InterDomainNames.dat file", Qt::ShiftModifier);
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_EQ(message_boxes.shown[1].text,
              "Zentrel restore error.\r\n\r\nFile; " + shown("InterDomainNames.dat") + " is locked.");
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(shown_cell(1, 1), platform::qt::to_qstring(shown("InterDomainNames.dat") + " is locked."));
}

TEST_P(FolderNamesTest, TheSaveOpensInTheFolderAndWritesThere)
{
    search_directory();
    ASSERT_EQ(rows(), 3);
    // "café.txt", a name the code page holds, in a folder of any name.
    const std::string results = held("caf\xC3\xA9.txt");
    answer_save_dialog(results, 3);
    choose_from_menu("&Save results");
    ASSERT_EQ(save_dialogs.shown.size(), 1u);
    EXPECT_EQ(save_dialogs.shown[0].init_dir, program_folder());
    EXPECT_EQ(folder.read_file(stored("caf\xC3\xA9.txt")),
              "Area code\tPlace name\r\n01444\tHaywards Heath\r\n01403\tHorsham\r\n");

    // Saved again, the question names the file as the program shows it.
    answer_save_dialog(results, 3);
    answer_message(box::answer_yes);
    choose_from_menu("&Save results");
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text,
              "Warning;\r\nFile; 'caf\xE9.txt' already exists.\r\n\r\nDo you want to overwrite this old file?");

    // Saved over the database file, it is told apart from any other file.
    answer_save_dialog(held("Directory.dat"), 3);
    answer_message(box::answer_cancel);
    choose_from_menu("&Save results");
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_EQ(message_boxes.shown[1].title, "Zentrel - File already exists and is used to hold all data.");
}

TEST_P(FolderNamesTest, TheHelpAndFolderLinksOpenWhatIsThere)
{
    folder.write_file(stored("Help.htm"), "<html></html>");
    choose_from_menu("Zentrel &Help");
    choose_from_menu("Open the Zentrel &directory.", Qt::ShiftModifier);
    EXPECT_TRUE(message_boxes.shown.empty()) << "the help page was found";
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].target, held("Help.htm"));
    EXPECT_TRUE(std::filesystem::is_regular_file(shell.opened[0].target));
    EXPECT_EQ(shell.opened[1].target, program_folder());
    EXPECT_TRUE(std::filesystem::is_directory(shell.opened[1].target));
}

TEST_P(FolderNamesTest, AWebSiteItemNamingAFileOpensItFromTheFolder)
{
    // A bare file name in an item's caption is the program's text, "Café notes.txt".
    form->ui().menu_URL[10].set_caption("Caf\xE9 notes.txt\t(a file)");
    form->ui().menu_URL[10].set_visible(true);
    form->ui().menu_URL[10].set_enabled(true);
    choose_from_menu("Caf\xE9 notes.txt\t(a file)");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, held("Caf\xC3\xA9 notes.txt"));
}

TEST_P(FolderNamesTest, AMissingHelpPageIsNamedAsTheProgramShowsIt)
{
    answer_message(box::answer_yes);
    choose_from_menu("Zentrel &Help");
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text, "Zentrel can't find the help file;\r\n" + shown("Help.htm") +
                                               "\r\n\r\n\tDo you wish to display the Zentrel files?");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, program_folder()) << "Yes opens the folder itself";
}

TEST_P(FolderNamesTest, AHandlerThatCannotStartNamesTheTargetAsTheProgramShowsIt)
{
    folder.write_file(stored("Help.htm"), "<html></html>");
    shell.failure = "xdg-open is not installed";
    answer_message(box::answer_ok);
    choose_from_menu("Zentrel &Help");
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text.rfind("Can't find or display;\r\n" + shown("Help.htm") + "\r\n\r\n", 0), 0u)
        << message_boxes.shown[0].text;
}

TEST_P(FolderNamesTest, TheInformationWindowShowsThePathAndItsLinkOpensTheFile)
{
    search_directory();
    ASSERT_EQ(rows(), 3);
    click_row(1);
    ASSERT_NE(info_window(), nullptr);
    zentrel::frm_DataInfo& info = *info_window();

    const auto& printed = info.ui().frm.printed();
    EXPECT_TRUE(std::any_of(printed.begin(), printed.end(),
                            [&](const platform::PrintedText& each) { return each.text == shown("Directory.dat"); }));
    const platform::Label& link = info.ui().lab_LinkToFile;
    EXPECT_EQ(link.caption(), shown("Directory.dat"));
    EXPECT_EQ(link.tooltip(), " Load file; Directory.dat ");
    platform::Control::flush_all();
    auto* label = qobject_cast<QLabel*>(link.widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), platform::qt::to_qstring(shown("Directory.dat")));

    click_at(*link.widget(), QPoint(3, 3), Qt::LeftButton);
    EXPECT_TRUE(message_boxes.shown.empty()) << "the database file was found";
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, held("Directory.dat"));
    EXPECT_TRUE(std::filesystem::is_regular_file(shell.opened[0].target));

    // Gone, the file is named as the window shows it.
    std::filesystem::remove(held("Directory.dat"));
    answer_message(box::answer_ok);
    click_at(*link.widget(), QPoint(3, 3), Qt::LeftButton);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text, "Zentrel can't find file;\r\n" + shown("Directory.dat"));
    EXPECT_EQ(shell.opened.size(), 1u);
}
