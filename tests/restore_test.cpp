// The restore command through the real main window: its questions, captions, colours,
// the file it writes from the default data, and its failure roads, on which the old
// file always stays as it was.
#include "tests/support/file_checks.h"
#include "tests/support/main_window_fixture.h"

#include "default_data/default_modules.h"
#include "platform/file_attributes.h"
#include "platform/text.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

using testing_support::MainWindowTest;
using testing_support::TempFolder;
using namespace zentrel;
namespace box = platform::message_box;

namespace {

constexpr platform::Colour restoring_blue = platform::rgb(80, 80, 255);

// What a restore of the category must write: every default line up to the first
// terminator, each followed by CR LF.
std::string expected_file(Category category)
{
    DefaultDataModule& module = *default_data_for_category(category);
    const auto count = std::stol(module.Default_Line(0));
    std::string bytes;
    for (long i = 1; i <= count; ++i) {
        const std::string line = module.Default_Line(static_cast<std::int32_t>(i));
        if (platform::ucase(platform::trim_view(line)) == "#END_OF_DATA#") break;
        bytes += line + "\r\n";
    }
    return bytes;
}

} // namespace

class RestoreTest : public MainWindowTest {
protected:
    // The restore of the category's file as a user chooses it, the question answered so.
    void restore(Category category, int answer = box::answer_yes)
    {
        answer_message(answer);
        choose_restore(category);
    }

    // Idle again, the window titled for the category and the Search button as the
    // pattern allows.
    void expect_idle_with_caption(const std::string& caption)
    {
        expect_idle();
        EXPECT_EQ(form->ui().frm.caption(), caption);
    }

    void expect_no_temporary_left()
    {
        for (const std::string& name : folder.entries()) {
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
            EXPECT_NE(name.front(), '.') << "a temporary file was left behind: " << name;
        }
    }
};

TEST_F(RestoreTest, AsksBeforeCreatingAMissingFile)
{
    restore(Category::WebDomainNames);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    const auto& question = message_boxes.shown[0];
    EXPECT_EQ(question.text, "The InterDomainNames.dat file dose not exist yet.\r\nIt is safe to create this file.\r\n"
                             "\r\nDo you wish to create file; InterDomainNames.dat?");
    EXPECT_EQ(question.style, box::yes_no | box::default_button2 | box::exclamation);
    EXPECT_EQ(question.title, "Zentrel - Restore the InterDomainNames.dat file.");
    const std::string written = folder.read_file("InterDomainNames.dat");
    EXPECT_EQ(written, expected_file(Category::WebDomainNames));
    EXPECT_EQ(testing_support::crlf_line_count(written), 250);
    EXPECT_TRUE(platform::is_read_only(database_path(Category::WebDomainNames)));
    expect_idle_with_caption("Web Domain Name Directory.");
    expect_no_temporary_left();
}

TEST_F(RestoreTest, WarnsAboutAnExistingFileWithItsSize)
{
    const struct {
        off_t size;
        const char* shown;
    } cases[] = {{1200000, "1,200,000"},
                 {0, "0"},
                 {999, "999"},
                 // Sizes of 2 GiB and more, shown whole.
                 {(off_t{1} << 31) - 1, "2,147,483,647"},
                 {off_t{1} << 31, "2,147,483,648"},
                 {off_t{4} * 1000 * 1000 * 1000, "4,000,000,000"},
                 {(off_t{1} << 32) + 1, "4,294,967,297"}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.shown);
        message_boxes.shown.clear();
        // A sparse file: its zeros take no room on the disk.
        folder.write_file("CallSigns.dat", "");
        ASSERT_EQ(::truncate(database_path(Category::RadioCallSigns).c_str(), each.size), 0);
        restore(Category::RadioCallSigns, box::answer_no);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        EXPECT_EQ(message_boxes.shown[0].text,
                  std::string("WARNING;\r\nThe CallSigns.dat file already exists. (") + each.shown +
                      " bytes)\r\nYou should check the contents of this file before you replace it.\r\n"
                      "\r\nDo you wish to create file; CallSigns.dat?");
        EXPECT_EQ(message_boxes.shown[0].style, box::yes_no | box::default_button2 | box::critical);
        EXPECT_EQ(platform::file_size(database_path(Category::RadioCallSigns)), each.size)
            << "No leaves the file untouched";
    }
}

TEST_F(RestoreTest, NoPutsTheWindowBackAsItWas)
{
    pick_category(Category::InternationalCarSymbols);
    type_pattern("GB");
    restore(Category::InternationalCarSymbols, box::answer_no);
    EXPECT_FALSE(std::filesystem::exists(database_path(Category::InternationalCarSymbols)));
    expect_idle_with_caption("International Car Symbol Directory.");
    EXPECT_TRUE(form->ui().com_Search.enabled());
}

TEST_F(RestoreTest, ShowsEachLineInTheCaptionAndYieldsAfterIt)
{
    std::vector<std::string> captions;
    event_loop.on_yield = [&](int) {
        captions.push_back(form->ui().frm.caption());
        EXPECT_FALSE(form->ui().txt_Inputbox.enabled());
        EXPECT_FALSE(form->ui().flx_ResultsChart.enabled());
        EXPECT_TRUE(form->ui().com_SearchType.enabled()) << "the category list stays enabled";
        EXPECT_EQ(form->ui().frm.back_colour(), restoring_blue);
        EXPECT_EQ(form->ui().txt_Inputbox.back_colour(), restoring_blue);
        EXPECT_EQ(form->ui().frm.mouse_pointer(), platform::mouse_pointer::hourglass);
    };
    restore(Category::InternationalCarSymbols);
    DefaultDataModule& module = *default_data_for_category(Category::InternationalCarSymbols);
    const int lines = testing_support::crlf_line_count(expected_file(Category::InternationalCarSymbols));
    ASSERT_EQ(captions.size(), static_cast<std::size_t>(lines));
    EXPECT_EQ(captions[0], "Restoring call sign: " + module.Default_Line(1));
    EXPECT_EQ(captions[4], "Restoring call sign: " + module.Default_Line(5));
}

TEST_F(RestoreTest, StatusTextNamesTheFirstTwoCategories)
{
    std::string first_caption;
    event_loop.on_yield = [&](int yield) {
        if (yield == 1) first_caption = form->ui().frm.caption();
    };
    restore(Category::UKPostCodes);
    EXPECT_EQ(first_caption, "Restoring Postcode: " + default_data_for_category(Category::UKPostCodes)->Default_Line(1));
    event_loop.yields = 0;
    restore(Category::UKDiallingCodes);
    EXPECT_EQ(first_caption.substr(0, 21), "Restoring Directory: ");
}

TEST_F(RestoreTest, ZipCodesAreWrittenWithoutYielding)
{
    restore(Category::USZipCodes);
    EXPECT_EQ(event_loop.yields, 0);
    const std::string written = folder.read_file("ZipCodesUS.dat");
    EXPECT_EQ(testing_support::crlf_line_count(written), 42158);
    EXPECT_EQ(written, expected_file(Category::USZipCodes));
}

TEST_F(RestoreTest, StopsAtTheFirstEndOfData)
{
    restore(Category::InternationalDiallingCodes);
    const std::string written = folder.read_file("InterTelDir.dat");
    EXPECT_EQ(testing_support::crlf_line_count(written), 550) << "line 0 says 9999 but the data ends at line 551";
    EXPECT_EQ(written.find("#End_Of_Data#"), std::string::npos);
}

TEST_F(RestoreTest, ReplacesAReadOnlyFileAndLocksItAgain)
{
    folder.write_file("VehiclePlates.dat", "old contents\r\n");
    platform::set_read_only(database_path(Category::UKVehicleNumberPlates));
    restore(Category::UKVehicleNumberPlates);
    EXPECT_EQ(folder.read_file("VehiclePlates.dat"), expected_file(Category::UKVehicleNumberPlates));
    EXPECT_TRUE(platform::is_read_only(database_path(Category::UKVehicleNumberPlates)));
    expect_no_temporary_left();
}

TEST_F(RestoreTest, RestoredFileIsSearchable)
{
    restore(Category::WebDomainNames);
    message_boxes.shown.clear();
    search(Category::WebDomainNames, "*", SearchField::Code);
    EXPECT_GE(rows(), 2);
    EXPECT_TRUE(message_boxes.shown.empty());
}

TEST_F(RestoreTest, UnlistedCategoryWritesThreeErrorLines)
{
    // A window shown before it was loaded lists no category and holds no database path.
    zentrel::frm_Main unloaded(services);
    unloaded.ui().frm.show();
    answer_message(box::answer_yes);
    answer_message(box::answer_ok);
    popup_menus.choose_caption = "&Restore/fix the Database.dat file";
    testing_support::right_click(unloaded.ui().frm, Qt::ShiftModifier, QPoint(3, 3));
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel - Restore the Database.dat file.");
    EXPECT_EQ(message_boxes.shown[1].text, "Error;\r\n is not listed.\r\nPlease check the code in sub; \r\n\r\n"
                                           "\tmenu_Options_RestoreDatabaseFile_Click()");
    EXPECT_EQ(message_boxes.shown[1].style, box::critical);
    EXPECT_EQ(message_boxes.shown[1].title, "Zentrel - Code error.");
    EXPECT_EQ(folder.read_file("Database.dat"),
              "Error;\r\n is not listed.\r\nCheck code in sub menu_Options_RestoreDatabaseFile_Click.\r\n");
    EXPECT_TRUE(platform::is_read_only(folder.file("Database.dat")));
}

// ---------------------------------------------------------------------------------
// Failure roads: the old file stays byte for byte, no temporary file is left.

TEST_F(RestoreTest, FolderThatCannotBeWrittenIsALockedFile)
{
    const std::string old_bytes = "# my own edits\r\nA1 Mine\r\n";
    folder.write_file("CallSigns.dat", old_bytes);
    ::chmod(folder.path().c_str(), 0555);
    answer_message(box::answer_yes);
    answer_message(box::answer_ok);
    choose_restore(Category::RadioCallSigns);
    ::chmod(folder.path().c_str(), 0755);
    const std::string path = database_path(Category::RadioCallSigns);
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_EQ(message_boxes.shown[1].text, "Zentrel restore error.\r\n\r\nFile; " + path + " is locked.");
    EXPECT_EQ(message_boxes.shown[1].title, "Zentrel restore error.");
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 0), "File;");
    EXPECT_EQ(cell(1, 1), path + " is locked.");
    EXPECT_EQ(form->ui().flx_ResultsChart.cell(1, 0).fore, platform::rgb(255, 0, 0));
    EXPECT_EQ(folder.read_file("CallSigns.dat"), old_bytes);
    EXPECT_FALSE(platform::is_read_only(path)) << "a failed restore does not lock the file";
    expect_no_temporary_left();
    expect_idle_with_caption("Radio Call Sign Directory.");
}

TEST_F(RestoreTest, WriteThatFailsPartWayKeepsTheOldFile)
{
    std::string old_bytes;
    for (int i = 0; i < 100; ++i) old_bytes += "00000 Old line " + std::to_string(i) + "\r\n";
    folder.write_file("ZipCodesUS.dat", old_bytes);
    answer_message(box::answer_yes);
    answer_message(box::answer_ok);
    {
        const testing_support::FileSizeLimit limit(100000); // far less than the full ZIP-code file
        ASSERT_TRUE(limit.active());
        choose_restore(Category::USZipCodes);
    }
    ASSERT_EQ(message_boxes.shown.size(), 2u);
    EXPECT_EQ(message_boxes.shown[1].text,
              "Zentrel restore/fix \"ZipCodesUS.dat\" file error.\r\n\r\nError = File too large for the "
              "file-size limit\r\nError number = 60.");
    EXPECT_EQ(message_boxes.shown[1].title, "Zentrel - Restore/fix ZipCodesUS.dat file error.");
    EXPECT_EQ(rows(), 1) << "only errors 53 and 75 add a row";
    EXPECT_EQ(folder.read_file("ZipCodesUS.dat"), old_bytes);
    expect_no_temporary_left();
    expect_idle_with_caption("US ZIP Code Directory.");
}

TEST_F(RestoreTest, ClosingTheWindowDuringARestoreLeavesNoHalfFile)
{
    folder.write_file("CallSigns.dat", "kept\r\n");
    event_loop.on_yield = [&](int yield) {
        if (yield == 3) form->ui().frm.close();
    };
    restore(Category::RadioCallSigns);
    EXPECT_TRUE(platform::program_ending());
    EXPECT_EQ(folder.read_file("CallSigns.dat"), "kept\r\n");
    expect_no_temporary_left();
}

TEST_F(RestoreTest, ADatabaseFileThatIsALinkIsRestoredThroughIt)
{
    // The category's file is a link to a copy kept elsewhere, which its group may read.
    const TempFolder elsewhere;
    const std::string link = folder.file("CallSigns.dat");
    const std::string named = testing_support::file_behind_link(elsewhere, "shared calls.dat", "old\r\n", 0640, link);

    restore(Category::RadioCallSigns);

    ASSERT_EQ(message_boxes.shown.size(), 1u) << "the question only, no error";
    EXPECT_NE(message_boxes.shown[0].text.find("The CallSigns.dat file already exists. (5 bytes)"), std::string::npos);
    std::error_code not_a_link;
    EXPECT_EQ(std::filesystem::read_symlink(link, not_a_link), named) << "the link stays a link to the same file";
    EXPECT_EQ(elsewhere.read_file("shared calls.dat"), expected_file(Category::RadioCallSigns));
    struct stat info {};
    ASSERT_EQ(::stat(named.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0440u) << "the group keeps its read bit; every write bit goes";
    EXPECT_EQ(elsewhere.entries(), std::vector<std::string>{"shared calls.dat"});
    expect_no_temporary_left();
    expect_idle_with_caption("Radio Call Sign Directory.");
}

// ---------------------------------------------------------------------------------
// What stands where the file belongs: only nothing or a file is replaced, and the
// question or the error says which.

TEST_F(RestoreTest, NothingButAFileIsReplacedAndTheErrorSaysWhatIsThere)
{
    const TempFolder elsewhere;
    ASSERT_EQ(::mkfifo(elsewhere.file("pipe").c_str(), 0644), 0);
    const std::string path = database_path(Category::RadioCallSigns);
    const struct {
        const char* name;
        std::function<bool()> make;
        std::string what;
        mode_t kind; // of what stands at the path, its links not followed
    } cases[] = {
        {"a folder", [&] { return std::filesystem::create_directory(path); }, "is a folder, not a file.", S_IFDIR},
        {"a pipe", [&] { return ::mkfifo(path.c_str(), 0644) == 0; }, "is a pipe (FIFO), not a file.", S_IFIFO},
        {"a link to a pipe", [&] { return ::symlink(elsewhere.file("pipe").c_str(), path.c_str()) == 0; },
         "is a link to a pipe (FIFO), not to a file.", S_IFLNK},
        {"a socket", [&] { return testing_support::make_socket(path); }, "is a socket, not a file.", S_IFSOCK},
        {"a loop of links", [&] { return ::symlink("CallSigns.dat", path.c_str()) == 0; },
         "is a loop of symbolic links, not a file.", S_IFLNK},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        ASSERT_TRUE(each.make());
        message_boxes.shown.clear();
        answer_message(box::answer_ok);
        choose_restore(Category::RadioCallSigns);

        ASSERT_EQ(message_boxes.shown.size(), 1u) << "no question: nothing may be replaced";
        EXPECT_EQ(message_boxes.shown[0].text, "Zentrel restore error.\r\n\r\nFile; " + path + " " + each.what +
                                                   "\r\n\tNothing was changed: a restore replaces only a file.");
        EXPECT_EQ(message_boxes.shown[0].style, box::exclamation);
        EXPECT_EQ(message_boxes.shown[0].title, "Zentrel restore error.");
        EXPECT_EQ(cell(rows() - 1, 0), "File;");
        EXPECT_EQ(cell(rows() - 1, 1), path + " " + each.what);
        EXPECT_EQ(form->ui().flx_ResultsChart.cell(rows() - 1, 0).fore, platform::rgb(255, 0, 0));
        EXPECT_EQ(testing_support::kind_at(path), each.kind) << "what was there is there still";
        expect_no_temporary_left();
        expect_idle_with_caption("Radio Call Sign Directory.");
        std::filesystem::remove_all(path);
    }
    EXPECT_EQ(testing_support::kind_at(elsewhere.file("pipe")), S_IFIFO);
    EXPECT_EQ(elsewhere.entries(), std::vector<std::string>{"pipe"});
}

TEST_F(RestoreTest, ALinkToADeviceIsNeverReplaced)
{
    const TempFolder elsewhere;
    const std::string device = elsewhere.file("zero");
    if (!testing_support::make_zero_device(device)) GTEST_SKIP() << "no device node may be made here (CAP_MKNOD)";
    const std::string path = database_path(Category::UKDiallingCodes);
    ASSERT_EQ(::symlink(device.c_str(), path.c_str()), 0);
    answer_message(box::answer_ok);
    choose_restore(Category::UKDiallingCodes);

    ASSERT_EQ(message_boxes.shown.size(), 1u) << "no question: nothing may be replaced";
    EXPECT_EQ(message_boxes.shown[0].text, "Zentrel restore error.\r\n\r\nFile; " + path +
                                               " is a link to a device, not to a file.\r\n"
                                               "\tNothing was changed: a restore replaces only a file.");
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 1), path + " is a link to a device, not to a file.");
    EXPECT_EQ(testing_support::kind_at(device), S_IFCHR) << "the device node is a device node still";
    EXPECT_EQ(std::filesystem::read_symlink(path), device);
    EXPECT_EQ(elsewhere.entries(), std::vector<std::string>{"zero"});
    expect_no_temporary_left();
    expect_idle_with_caption("UK Dialling Code Directory.");
}

TEST_F(RestoreTest, TheQuestionSaysThatAFileThatCannotBeReadIsThere)
{
    const std::string path = database_path(Category::RadioCallSigns);
    for (const mode_t mode : {0200, 0000, 0044}) {
        SCOPED_TRACE(testing::Message() << std::oct << mode);
        folder.write_file("CallSigns.dat", "old\r\n");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        message_boxes.shown.clear();
        restore(Category::RadioCallSigns, box::answer_no);
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        EXPECT_EQ(message_boxes.shown[0].text, "WARNING;\r\nThe CallSigns.dat file already exists. (5 bytes)\r\n"
                                               "It cannot be read, so no search can use it.\r\n"
                                               "\r\nDo you wish to create file; CallSigns.dat?");
        EXPECT_EQ(message_boxes.shown[0].style, box::yes_no | box::default_button2 | box::critical);
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << "No leaves the file as it was";
    }
}

TEST_F(RestoreTest, TheRestoredFileCanAlwaysBeReadByItsOwner)
{
    const std::string path = database_path(Category::RadioCallSigns);
    const struct {
        mode_t old_mode;
        mode_t new_mode;
    } cases[] = {{0200, 0400}, {0000, 0400}, {0220, 0400}, {0644, 0444}, {0640, 0440}, {0604, 0404}, {0444, 0444}};
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << each.old_mode);
        folder.write_file("CallSigns.dat", "old\r\n");
        ASSERT_EQ(::chmod(path.c_str(), each.old_mode), 0);
        message_boxes.shown.clear();
        restore(Category::RadioCallSigns);
        ASSERT_EQ(message_boxes.shown.size(), 1u) << "the question only, no error";
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, each.new_mode) << "readable by its owner and read-only";
        EXPECT_EQ(folder.read_file("CallSigns.dat"), expected_file(Category::RadioCallSigns));
    }
    expect_no_temporary_left();
}
