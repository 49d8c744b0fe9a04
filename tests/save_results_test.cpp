// Saving and copying the results through the real main window: the save dialog's
// settings, the questions before a file is replaced, the bytes written by file type, the
// failures that leave an old file as it was, and the clipboard text of the copy.
#include "tests/support/file_checks.h"
#include "tests/support/main_window_fixture.h"

#include "main_window/save_results.h"
#include "platform/file_attributes.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>

using testing_support::MainWindowTest;
using testing_support::TempFolder;
using namespace zentrel;
namespace box = platform::message_box;

namespace {

const std::string zip_file = "# USA zip codes\r\n01238 Lee, MA\r\n02138 Cambridge, MA\r\n10001 New York, NY\r\n";
const std::string zip_header_tab = "ZIP code\tAmerican States\r\n";
const std::string zip_rows_tab = "01238\tLee, MA\r\n02138\tCambridge, MA\r\n10001\tNew York, NY\r\n";

const std::string save_filter = "Comma-Separated Values files (*.csv)|*.csv|Tab-Separated CSV files (*.csv)|*.csv|"
                                "Text files (*.txt)|*.txt|DATA files (*.dat)|*.dat|All file types (*.*)|*.*";

constexpr int question_a_style = box::yes_no_cancel | box::critical | box::default_button2;
constexpr int question_b_style = box::yes_no_cancel | box::question | box::default_button2;
constexpr int question_c_style = box::yes_no | box::question;

std::string message_a(const std::string& name)
{
    return "\tWarning;\r\n\tFile; '" + name +
           "' already exists\r\n\tand is used by Zentrel to hold all\r\n\tthe telephone directory data.\r\n\t\r\n"
           "\tDo you want to overwrite this old file?\r\n\t\r\nNote;\r\n"
           "\tIf you overwrite this file then the information directory you ..";
}

std::string message_b(const std::string& name)
{
    return "Warning;\r\nFile; '" + name + "' already exists.\r\n\r\nDo you want to overwrite this old file?";
}

std::string message_c(const std::string& name)
{
    return name + " is locked.\r\n\r\nDo you wish to unlock and save the new data?";
}

const std::string title_a = "Zentrel - File already exists and is used to hold all data.";
const std::string title_b = "Zentrel - File already exists.";
const std::string title_c = "Zentrel - Locked file.";

std::string other_error_text(const std::string& description, int number)
{
    return "Zentrel error.\r\nZentrel - Save results as; error.\r\n\r\n" + description +
           "\r\nError number = " + std::to_string(number);
}

} // namespace

class SaveResultsTest : public MainWindowTest {
protected:
    // A search by name over a database file of these bytes, which shows no message.
    void search_names(Category category, std::string_view pattern, const std::string& file_bytes)
    {
        search(category, pattern, SearchField::Name, file_bytes);
        ASSERT_TRUE(message_boxes.shown.empty()) << "the search itself showed a message";
    }

    void search_zip() { search_names(Category::USZipCodes, "*", zip_file); }

    // A restore of the category's file into a folder that cannot be written: the grid then
    // holds the row that says so, the one road to results without a search.
    void fail_a_restore(Category category)
    {
        ::chmod(folder.path().c_str(), 0555);
        answer_message(box::answer_yes);
        answer_message(box::answer_ok);
        choose_restore(category);
        ::chmod(folder.path().c_str(), 0755);
        ASSERT_EQ(rows(), 2) << "the row of the failure";
        message_boxes.shown.clear();
    }

    // Ctrl+S, the save command's shortcut, pressed in the window.
    void press_save_shortcut() { testing_support::press_key(form->ui().frm, Qt::Key_S, Qt::ControlModifier); }

    void save_as(const std::string& path, int file_type)
    {
        answer_save_dialog(path, file_type);
        choose_from_menu("&Save results");
    }

    std::string read(const std::string& path) const
    {
        return folder.read_file(std::filesystem::path(path).lexically_relative(folder.path()).string());
    }

    // Every file in the folder, sorted; a temporary left behind would show here.
    std::vector<std::string> files() const
    {
        std::vector<std::string> names = folder.entries();
        std::sort(names.begin(), names.end());
        return names;
    }

    void expect_message(std::size_t index, const std::string& text, int style, const std::string& title)
    {
        ASSERT_LT(index, message_boxes.shown.size());
        EXPECT_EQ(message_boxes.shown[index].text, text);
        EXPECT_EQ(message_boxes.shown[index].style, style);
        EXPECT_EQ(message_boxes.shown[index].title, title);
    }
};

class CopyResultsTest : public SaveResultsTest {};

// ---------------------------------------------------------------------------------
// The save dialog

TEST_F(SaveResultsTest, DialogIsSetUpAfreshForEverySave)
{
    search_names(Category::USZipCodes, "Lee*", zip_file);
    save_as(folder.file("first.txt"), 3);
    cancel_save_dialog();
    press_save_shortcut();

    ASSERT_EQ(save_dialogs.shown.size(), 2u);
    for (const platform::FileDialogState& shown : save_dialogs.shown) {
        EXPECT_TRUE(shown.cancel_error);
        EXPECT_EQ(shown.dialog_title, "Zentrel - Save results as;");
        EXPECT_EQ(shown.filter, save_filter);
        EXPECT_EQ(shown.filter_index, 2);
        EXPECT_EQ(shown.max_file_size, 260);
        EXPECT_EQ(shown.file_name, "USZipCodeResultsFor_Lee_");
        EXPECT_EQ(shown.init_dir, folder.path());
    }
    EXPECT_TRUE(message_boxes.shown.empty());
}

TEST_F(SaveResultsTest, SuggestedNameComesFromCategoryAndPattern)
{
    const std::string long_pattern(300, 'h');
    const std::string accented_pattern(300, '\xE9');
    const struct {
        const char* name;
        Category category;
        const char* pattern; // nullptr: no search before the save, a failed restore instead
        std::string expected;
    } cases[] = {
        {"no search yet", Category::UKDiallingCodes, nullptr, "DirectoryResults"},
        {"trailing star", Category::UKDiallingCodes, "Hay*", "DirectoryResultsFor_Hay_"},
        {"digits", Category::UKDiallingCodes, "0144#", "DirectoryResultsFor_0144_"},
        {"question marks", Category::USZipCodes, "?ee, ??", "USZipCodeResultsFor__ee, __"},
        {"every wildcard", Category::USZipCodes, "*#?*", "USZipCodeResultsFor_____"},
        {"a slash never names a folder", Category::USZipCodes, "../N/A*", "USZipCodeResultsFor_.._N_A_"},
        {"outer spaces trimmed", Category::USZipCodes, "  Lee  ", "USZipCodeResultsFor_Lee"},
        {"back slash kept", Category::USZipCodes, "a\\b", "USZipCodeResultsFor_a\\b"},
        // The system takes names of 255 bytes at most.
        {"a pattern of 300 letters", Category::UKDiallingCodes, long_pattern.c_str(),
         "DirectoryResultsFor_" + long_pattern.substr(0, 235)},
        {"letters of two bytes in the system's names", Category::USZipCodes, accented_pattern.c_str(),
         "USZipCodeResultsFor_" + platform::to_utf8(accented_pattern.substr(0, 117))},
        // The dialog takes the name in the system's encoding, as it gives the path back.
        {"a letter beyond ASCII", Category::UKDiallingCodes, "Caf\xE9*", "DirectoryResultsFor_Caf\xC3\xA9_"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        if (each.pattern != nullptr) {
            const bool dialling_codes = each.category == Category::UKDiallingCodes;
            search_names(each.category, each.pattern, dialling_codes ? "Haywards Heath 01444\r\n" : zip_file);
        } else {
            fail_a_restore(each.category);
        }
        cancel_save_dialog();
        choose_from_menu("&Save results");
        EXPECT_EQ(save_dialogs.shown.back().file_name, each.expected);
    }
}

TEST_F(SaveResultsTest, CategoryChangeDropsThePatternFromTheName)
{
    // A new category empties the grid; a failed restore gives it a row to save.
    search_names(Category::UKDiallingCodes, "Hay*", "Haywards Heath 01444\r\n");
    fail_a_restore(Category::USZipCodes);
    cancel_save_dialog();
    choose_from_menu("&Save results");
    search_names(Category::USZipCodes, "Lee*", zip_file);
    fail_a_restore(Category::UKDiallingCodes);
    cancel_save_dialog();
    choose_from_menu("&Save results");
    ASSERT_EQ(save_dialogs.shown.size(), 2u);
    EXPECT_EQ(save_dialogs.shown[0].file_name, "USZipCodeResults");
    EXPECT_EQ(save_dialogs.shown[1].file_name, "DirectoryResults");
}

TEST_F(SaveResultsTest, CancelOnTheDialogEndsSilently)
{
    search_zip();
    const auto before = files();
    cancel_save_dialog();
    choose_from_menu("&Save results");
    EXPECT_EQ(save_dialogs.shown.size(), 1u);
    EXPECT_TRUE(message_boxes.shown.empty());
    EXPECT_EQ(files(), before);
    EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::standard);
}

// ---------------------------------------------------------------------------------
// What is written

TEST_F(SaveResultsTest, NewFileIsWrittenWithoutQuestions)
{
    search_zip();
    ASSERT_EQ(rows(), 4);
    const std::string path = folder.file("results.csv");
    save_as(path, 2);

    EXPECT_TRUE(message_boxes.shown.empty());
    const std::string bytes = read(path);
    EXPECT_EQ(bytes, zip_header_tab + zip_rows_tab);
    EXPECT_EQ(testing_support::crlf_line_count(bytes), rows());
    EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::standard);
    EXPECT_EQ(form->ui().flx_ResultsChart.row(), 3);
    EXPECT_EQ(form->ui().flx_ResultsChart.col(), 1);
    EXPECT_EQ(files(), (std::vector<std::string>{"ZipCodesUS.dat", "results.csv"}));
}

TEST_F(SaveResultsTest, FileTypeChoosesSeparatorAndItsReplacement)
{
    // Entries whose cells hold commas and Tabs; only the space splits a ZIP entry.
    search_names(Category::USZipCodes, "*", "1,2 Lee, MA\r\n3\t4 Tab\tTown, X\r\n");
    const std::string comma_sub = "\x82";
    const struct {
        int file_type;
        std::string expected;
    } cases[] = {
        {1, "ZIP code,American States\r\n1" + comma_sub + "2,Lee" + comma_sub + " MA\r\n3\t4,Tab\tTown" + comma_sub +
                " X\r\n"},
        {2, zip_header_tab + "1,2\tLee, MA\r\n3 4\tTab Town, X\r\n"},
        {3, zip_header_tab + "1,2\tLee, MA\r\n3 4\tTab Town, X\r\n"},
        {4, zip_header_tab + "1,2\tLee, MA\r\n3 4\tTab Town, X\r\n"},
        {5, zip_header_tab + "1,2\tLee, MA\r\n3 4\tTab Town, X\r\n"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.file_type);
        const std::string path = folder.file("type" + std::to_string(each.file_type) + ".out");
        save_as(path, each.file_type);
        EXPECT_EQ(read(path), each.expected);
    }
    EXPECT_TRUE(message_boxes.shown.empty());
}

TEST_F(SaveResultsTest, SavedFileReadsBackAsTheRowsShown)
{
    search_names(Category::USZipCodes, "*", "01238 Lee, MA\r\n99999\r\n02138 Cambridge, MA[*Red data]\r\n");
    const std::string path = folder.file("shown.txt");
    save_as(path, 3);

    platform::InputFile file(path);
    std::string line;
    int row = 0;
    while (file.read_line(line)) {
        ASSERT_LT(row, rows());
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_EQ(line.substr(0, tab), cell(row, 0));
        EXPECT_EQ(line.substr(tab + 1), cell(row, 1));
        ++row;
    }
    EXPECT_EQ(row, rows());
}

TEST_F(SaveResultsTest, EveryRowOfTheLargestSearchIsSavedAndCopied)
{
    std::string bytes;
    for (int i = 0; i < 50001; ++i) bytes += std::to_string(10000 + i) + " Place\r\n";
    search_names(Category::USZipCodes, "Place", bytes);
    ASSERT_EQ(rows(), 50002);

    const std::string path = folder.file("all.csv");
    save_as(path, 2);
    EXPECT_TRUE(message_boxes.shown.empty());
    const std::string saved = read(path);
    EXPECT_EQ(testing_support::crlf_line_count(saved), 50002);
    EXPECT_TRUE(saved.starts_with(zip_header_tab + "10000\tPlace\r\n"));
    EXPECT_TRUE(saved.ends_with("59999\tPlace\r\nCan't load any more data.\t50,000 matches displayed only. "
                                "(85% of data read.)\r\n"));

    choose_from_menu("&Copy results");
    EXPECT_EQ(clipboard.text, saved);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(form->ui().flx_ResultsChart.row(), 50001);
    EXPECT_EQ(form->ui().flx_ResultsChart.col(), 1);
}

// ---------------------------------------------------------------------------------
// Questions before a file is replaced

TEST_F(SaveResultsTest, DatabaseFileInAnyLetterCaseAsksFirstAndCancelWritesNothing)
{
    search_zip();
    const std::string database = form->search_state().DataFile_Path;
    const std::string variants[] = {database, "  " + platform::ucase(database) + "  ",
                                    folder.path() + "/zipcodesus.dat "};
    const auto before = files();
    for (const std::string& path : variants) {
        SCOPED_TRACE(path);
        message_boxes.shown.clear();
        message_boxes.expect(box::answer_cancel);
        save_as(path, 2);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        expect_message(0, message_a(zentrel::FileName_from_Path(path)), question_a_style, title_a);
    }
    EXPECT_EQ(save_dialogs.shown.size(), 3u);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(read(database), zip_file);
}

TEST_F(SaveResultsTest, RestoredDatabaseFileIsReplacedAfterYesOnBothQuestions)
{
    search_zip();
    const std::string database = form->search_state().DataFile_Path;
    platform::set_read_only(database);
    message_boxes.expect(box::answer_yes);
    message_boxes.expect(box::answer_yes);
    save_as(database, 2);

    ASSERT_EQ(message_boxes.shown.size(), 2u);
    expect_message(0, message_a("ZipCodesUS.dat"), question_a_style, title_a);
    expect_message(1, message_c("ZipCodesUS.dat"), question_c_style, title_c);
    EXPECT_EQ(read(database), zip_header_tab + zip_rows_tab);
    EXPECT_FALSE(File_is_ReadOnly(database));
    EXPECT_EQ(files(), (std::vector<std::string>{"ZipCodesUS.dat"}));
}

TEST_F(SaveResultsTest, NoOnAQuestionOpensTheDialogAgainOnTheLastChoice)
{
    search_zip();
    const std::string database = form->search_state().DataFile_Path;
    const std::string other = folder.file("other.txt");
    folder.write_file("other.txt", "old");
    const std::string fresh = folder.file("fresh.txt");

    message_boxes.expect(box::answer_no); // A
    save_dialogs.expect_save(database, 4);
    message_boxes.expect(box::answer_no); // B
    save_dialogs.expect_save(other, 5);
    save_dialogs.expect_save(fresh, 1);
    choose_from_menu("&Save results");

    ASSERT_EQ(save_dialogs.shown.size(), 3u);
    EXPECT_EQ(save_dialogs.shown[1].file_name, database);
    EXPECT_EQ(save_dialogs.shown[1].filter_index, 4);
    EXPECT_EQ(save_dialogs.shown[2].file_name, other);
    EXPECT_EQ(save_dialogs.shown[2].filter_index, 5);
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    expect_message(0, message_a("ZipCodesUS.dat"), question_a_style, title_a);
    expect_message(1, message_b("other.txt"), question_b_style, title_b);
    EXPECT_EQ(read(database), zip_file);
    EXPECT_EQ(read(other), "old");
    EXPECT_EQ(read(fresh), "ZIP code,American States\r\n01238,Lee\x82 MA\r\n02138,Cambridge\x82 MA\r\n"
                           "10001,New York\x82 NY\r\n");
}

TEST_F(SaveResultsTest, ExistingFileIsReplacedOnlyAfterYes)
{
    search_zip();
    const std::string path = folder.file("old.csv");
    const struct {
        const char* name;
        int answer;
        std::string expected;
    } cases[] = {
        {"Yes", box::answer_yes, zip_header_tab + zip_rows_tab},
        {"Cancel", box::answer_cancel, "old"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        folder.write_file("old.csv", "old");
        message_boxes.shown.clear();
        message_boxes.expect(each.answer);
        save_as(path, 2);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        expect_message(0, message_b("old.csv"), question_b_style, title_b);
        EXPECT_EQ(read(path), each.expected);
    }
    EXPECT_EQ(save_dialogs.shown.size(), 2u);
}

TEST_F(SaveResultsTest, AnotherCategorysLockedFileAsksBThenC)
{
    search_zip();
    write_database(Category::UKDiallingCodes, "Haywards Heath 01444\r\n");
    const std::string directory = database_path(Category::UKDiallingCodes);
    platform::set_read_only(directory);

    // No on C opens the dialog again; the second time Yes unlocks and replaces the file.
    save_dialogs.expect_save(directory, 3);
    message_boxes.expect(box::answer_yes);
    message_boxes.expect(box::answer_no);
    save_dialogs.expect_save(directory, 2);
    message_boxes.expect(box::answer_yes);
    message_boxes.expect(box::answer_yes);
    press_save_shortcut();

    ASSERT_EQ(message_boxes.shown.size(), 4u);
    for (std::size_t pair = 0; pair < 2; ++pair) {
        expect_message(2 * pair, message_b("Directory.dat"), question_b_style, title_b);
        expect_message(2 * pair + 1, message_c("Directory.dat"), question_c_style, title_c);
    }
    ASSERT_EQ(save_dialogs.shown.size(), 2u);
    EXPECT_EQ(save_dialogs.shown[1].file_name, directory);
    EXPECT_EQ(save_dialogs.shown[1].filter_index, 3);
    EXPECT_EQ(read(directory), zip_header_tab + zip_rows_tab);
    EXPECT_FALSE(File_is_ReadOnly(directory));
}

// ---------------------------------------------------------------------------------
// Failures

TEST_F(SaveResultsTest, FolderWithoutWritePermissionIsReportedAsLocked)
{
    search_zip();
    std::filesystem::create_directory(folder.file("locked"));
    folder.write_file("locked/old.csv", "old,data\r\n");
    ASSERT_EQ(::chmod(folder.file("locked").c_str(), 0555), 0);

    message_boxes.expect(box::answer_yes); // B
    message_boxes.expect(box::answer_ok);
    save_as(folder.file("locked/old.csv"), 2);

    ASSERT_EQ(message_boxes.shown.size(), 2u);
    expect_message(1, "Zentrel path/File access error.\r\n\r\nIs this file locked?", box::exclamation,
                   "Zentrel - Path/File access error");
    EXPECT_EQ(folder.read_file("locked/old.csv"), "old,data\r\n");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.file("locked"))) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"old.csv"});
    EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::standard);
}

TEST_F(SaveResultsTest, WriteFailingPartWayLeavesTheOldFileAsItWas)
{
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += std::to_string(10000 + i) + " Some place, ST\r\n";
    search_names(Category::USZipCodes, "*", bytes);
    const std::string old_bytes = "old\tresults\r\nkept\tas they were\r\n";
    folder.write_file("old.txt", old_bytes);
    const auto before = files();

    message_boxes.expect(box::answer_yes); // B
    message_boxes.expect(box::answer_ok);
    {
        const testing_support::FileSizeLimit limit(16 * 1024);
        save_as(folder.file("old.txt"), 3);
    }

    ASSERT_EQ(message_boxes.shown.size(), 2u);
    expect_message(1, other_error_text("File too large for the file-size limit", 60), box::exclamation,
                   "Zentrel - File too large for the file-size limit");
    EXPECT_EQ(folder.read_file("old.txt"), old_bytes);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::standard);
}

TEST_F(SaveResultsTest, OtherFailuresShowTheirNumberAndText)
{
    search_zip();
    std::filesystem::create_directory(folder.file("a folder"));
    const struct {
        const char* name;
        std::string path;
        std::string text;
        std::string title;
    } cases[] = {
        {"missing folder", folder.file("missing/results.csv"), other_error_text("Path not found", 76),
         "Zentrel - Path not found"},
        {"a folder chosen", folder.file("a folder"),
         "Zentrel save error.\r\n\r\nFile; 'a folder' is a folder, not a file.\r\n"
         "\tThe results are saved only as a file; nothing was written.",
         "Zentrel - Not a file."},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        message_boxes.shown.clear();
        message_boxes.expect(box::answer_ok);
        save_as(each.path, 2);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        expect_message(0, each.text, box::exclamation, each.title);
    }
    EXPECT_EQ(files(), (std::vector<std::string>{"ZipCodesUS.dat", "a folder"}));
}

TEST_F(SaveResultsTest, NothingButAFileIsReplacedByTheResults)
{
    search_zip();
    const TempFolder elsewhere;
    ASSERT_EQ(::mkfifo(elsewhere.file("pipe").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(folder.file("pipe.txt").c_str(), 0644), 0);
    ASSERT_EQ(::symlink(elsewhere.file("pipe").c_str(), folder.file("link.txt").c_str()), 0);
    ASSERT_TRUE(testing_support::make_socket(folder.file("socket.txt")));
    const struct {
        const char* name;
        std::string what;
        mode_t kind; // of what stands at the path, its links not followed
    } cases[] = {
        {"pipe.txt", "is a pipe (FIFO), not a file.", S_IFIFO},
        {"link.txt", "is a link to a pipe (FIFO), not to a file.", S_IFLNK},
        {"socket.txt", "is a socket, not a file.", S_IFSOCK},
    };
    const auto before = files();
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        message_boxes.shown.clear();
        message_boxes.expect(box::answer_ok);
        save_as(folder.file(each.name), 2);
        ASSERT_EQ(message_boxes.shown.size(), 1u) << "no question whether to replace it";
        expect_message(0,
                       std::string("Zentrel save error.\r\n\r\nFile; '") + each.name + "' " + each.what +
                           "\r\n\tThe results are saved only as a file; nothing was written.",
                       box::exclamation, "Zentrel - Not a file.");
        EXPECT_EQ(testing_support::kind_at(folder.file(each.name)), each.kind);
    }
    EXPECT_EQ(files(), before);
    EXPECT_EQ(testing_support::kind_at(elsewhere.file("pipe")), S_IFIFO);
    EXPECT_EQ(elsewhere.entries(), std::vector<std::string>{"pipe"});
    EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::standard);
}

TEST_F(SaveResultsTest, ADeviceIsNeverReplacedByTheResults)
{
    search_zip();
    const TempFolder elsewhere;
    const std::string device = elsewhere.file("zero");
    if (!testing_support::make_zero_device(device)) GTEST_SKIP() << "no device node may be made here (CAP_MKNOD)";
    ASSERT_EQ(::symlink(device.c_str(), folder.file("zero.txt").c_str()), 0);
    for (const std::string& path : {device, folder.file("zero.txt")}) {
        SCOPED_TRACE(path);
        message_boxes.shown.clear();
        message_boxes.expect(box::answer_ok);
        save_as(path, 2);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        EXPECT_NE(message_boxes.shown[0].text.find(path == device ? "'zero' is a device, not a file."
                                                                  : "'zero.txt' is a link to a device, not to a file."),
                  std::string::npos)
            << message_boxes.shown[0].text;
        EXPECT_EQ(testing_support::kind_at(device), S_IFCHR) << "the device node is a device node still";
    }
    EXPECT_EQ(elsewhere.entries(), std::vector<std::string>{"zero"});
    EXPECT_EQ(files(), (std::vector<std::string>{"ZipCodesUS.dat", "zero.txt"}));
}

TEST_F(SaveResultsTest, SavedResultsCanBeReadByTheirOwner)
{
    search_zip();
    const std::string path = folder.file("results.txt");
    folder.write_file("results.txt", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    message_boxes.expect(box::answer_yes); // B
    save_as(path, 2);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the write-only file became one its owner can read";
    EXPECT_EQ(read(path), zip_header_tab + zip_rows_tab);
}

// ---------------------------------------------------------------------------------
// Copy

TEST_F(CopyResultsTest, PutsEveryRowOnTheClipboardAndBeepsOnce)
{
    search_names(Category::USZipCodes, "*", "01238 Lee,\tMA\r\n02138 Cambridge, MA\r\n");
    clipboard.text = "earlier text";
    choose_from_menu("&Copy results");
    EXPECT_EQ(clipboard.clears, 1);
    EXPECT_EQ(clipboard.text, zip_header_tab + "01238\tLee,\tMA\r\n02138\tCambridge, MA\r\n");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(form->ui().flx_ResultsChart.row(), 2);
    EXPECT_EQ(form->ui().flx_ResultsChart.col(), 1);
    EXPECT_TRUE(message_boxes.shown.empty());
}

// ---------------------------------------------------------------------------------
// The two procedures of the save

TEST(SaveResultsProcedures, FileIsReadOnlyJudgesTheWriteBits)
{
    TempFolder folder;
    const struct {
        const char* name;
        mode_t mode;
        bool expected;
    } cases[] = {
        {"normal", 0644, false},
        {"no write bit", 0444, true},
        {"owner may only write", 0200, false},
        {"only the group may write", 0464, false},
        {"no bits at all", 0000, true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        std::filesystem::remove(folder.file("file.dat"));
        folder.write_file("file.dat", "x");
        ASSERT_EQ(::chmod(folder.file("file.dat").c_str(), each.mode), 0);
        EXPECT_EQ(File_is_ReadOnly(folder.file("file.dat")), each.expected);
    }
    EXPECT_TRUE(File_is_ReadOnly(folder.file("missing.dat")));
}

TEST(SaveResultsProcedures, ReplaceTextReplacesEveryOccurrence)
{
    const struct {
        const char* text;
        const char* find;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"Hay*wards*", "*", "_", "Hay_wards_"},
        {"**#", "*", "_", "__#"},
        {"aAa", "a", "b", "bAb"},
        {"none here", "*", "_", "none here"},
        {"", "*", "_", ""},
        {"a,b,c", ",", "\x82", "a\x82" "b\x82" "c"},
        {"a\tb", "\t", " ", "a b"},
        {"text", "", "_", "text"},
        // Searched from the start again: a replacement may form a new occurrence.
        {"aabb", "ab", "", ""},
        // A replacement that holds find could never finish: every find is removed.
        {"a*b", "*", "**", "ab"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.text);
        EXPECT_EQ(Replace_Text(each.text, each.find, each.replacement), each.expected);
    }
}

TEST_F(SaveResultsTest, SavingOverALinkWritesTheFileItNames)
{
    search_zip();
    const TempFolder elsewhere;
    const std::string link = folder.file("results.txt");
    const std::string named =
        testing_support::file_behind_link(elsewhere, "private results.txt", "old\r\n", 0600, link);

    save_dialogs.expect_save(link, 3);
    message_boxes.expect(box::answer_yes); // B: the file the link names exists
    choose_from_menu("&Save results");

    ASSERT_EQ(message_boxes.shown.size(), 1u);
    expect_message(0, message_b("results.txt"), question_b_style, title_b);
    std::error_code not_a_link;
    EXPECT_EQ(std::filesystem::read_symlink(link, not_a_link), named) << "the link stays a link to the same file";
    EXPECT_EQ(elsewhere.read_file("private results.txt"), zip_header_tab + zip_rows_tab);
    struct stat info {};
    ASSERT_EQ(::stat(named.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "results kept private stay private";
    EXPECT_EQ(elsewhere.entries(), std::vector<std::string>{"private results.txt"});
}

// The save through the toolkit's own dialog, which takes a name only when the system can
// create a file of that name.
class SaveWithTheRealDialogTest : public SaveResultsTest {
protected:
    void change_services(platform::Services& services) override
    {
        services.save_dialogs = platform::real_services().save_dialogs;
    }
};

TEST_F(SaveWithTheRealDialogTest, TheNameSuggestedForALongPatternIsSavedUnderAsItStands)
{
    for (const std::string& pattern : {std::string(300, 'h'), std::string(300, '\xE9')}) {
        SCOPED_TRACE(pattern.substr(0, 1));
        search_names(Category::USZipCodes, pattern, zip_file);
        ASSERT_EQ(rows(), 2);
        QString suggested;
        bool taken = false;
        QTimer user; // goes with this pass, so it never fires in another test
        user.setInterval(5);
        QObject::connect(&user, &QTimer::timeout, [&] {
            // The user answers the save dialog once it is up.
            auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            user.stop();
            auto* name_box = box->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name_box, nullptr);
            suggested = name_box->text();
            QTest::keyClick(name_box, Qt::Key_Return); // Save, as the dialog offers it
            taken = !box->isVisible();
            if (!taken) box->reject();
        });
        user.start();
        choose_from_menu("&Save results");

        EXPECT_TRUE(taken) << "the dialog took the suggested name";
        EXPECT_LE(suggested.toUtf8().size(), NAME_MAX);
        EXPECT_TRUE(suggested.startsWith(QStringLiteral("USZipCodeResultsFor_") +
                                         QString::fromLatin1(pattern.substr(0, 100).c_str())));
        EXPECT_EQ(folder.read_file(suggested.toStdString()),
                  zip_header_tab + pattern + "\tCan't find any area code name matches with; " + pattern + "\r\n");
    }
}
