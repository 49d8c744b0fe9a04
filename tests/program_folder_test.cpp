// The program's folder as the system hands it over. The test binary, linked into a folder
// named beyond ASCII, runs there as a child; the folder it takes from the system, held by
// the system's own name for it, must lead the search to the database file and the help
// command to the page beside it.
#include "platform/widgets/real_services.h"
#include "tests/support/child_process.h"
#include "tests/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

using testing_support::ChildEnd;
using testing_support::MainWindowTest;
using testing_support::TempFolder;

namespace {

// The folder the child must see, by the system's name for it.
constexpr const char* expected_folder_variable = "ZENTREL_EXPECTED_FOLDER";

} // namespace

TEST(ProgramFolderTest, AFolderOfAnyNameLeadsToTheFilesBesideTheProgram)
{
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    // "café" and "жук" in UTF-8, a Chinese name, and "café" in Latin-1 bytes, which are
    // no UTF-8 at all.
    for (const std::string name : {"caf\xC3\xA9", "\xD0\xB6\xD1\x83\xD0\xBA", "\xE5\x8C\x97\xE4\xBA\xAC", "caf\xE9"}) {
        SCOPED_TRACE(name);
        const TempFolder folder;
        std::filesystem::create_directory(folder.file(name));
        folder.write_file(name + "/Help.htm", "<html></html>");
        folder.write_file(name + "/Directory.dat", "Haywards Heath 01444\r\nHorsham 01403\r\n");
        const std::string program = folder.file(name + "/") + self.filename().string();
        std::error_code failed;
        std::filesystem::create_hard_link(self, program, failed);
        if (failed) std::filesystem::copy_file(self, program, failed); // another file system
        ASSERT_FALSE(failed) << failed.message();

        const ChildEnd end = testing_support::run_in_child(
            {program, "ProgramFolderChild.DISABLED_TheSearchAndTheHelpFindTheFilesBesideTheProgram",
             {{expected_folder_variable, folder.file(name)}}});
        EXPECT_EQ(end.signal_number, 0) << strsignal(end.signal_number);
        EXPECT_TRUE(end.passed()) << end.output;
    }
}

// Run only by the test above, from the linked binary.
class ProgramFolderChild : public MainWindowTest {
protected:
    void SetUp() override
    {
        if (std::getenv(expected_folder_variable) == nullptr) GTEST_SKIP() << "runs only as a child";
        MainWindowTest::SetUp();
    }

    // The folder the running program takes from the system, as the program starts.
    void change_services(platform::Services& services) override
    {
        services.program_folder = platform::real_services().program_folder;
    }
};

TEST_F(ProgramFolderChild, DISABLED_TheSearchAndTheHelpFindTheFilesBesideTheProgram)
{
    const std::string expected = std::getenv(expected_folder_variable);
    EXPECT_EQ(services.program_folder, expected);

    search_with_enter(zentrel::Category::UKDiallingCodes, "H*", zentrel::SearchField::Name);
    EXPECT_TRUE(message_boxes.shown.empty()) << "the database file was found";
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 1), "Haywards Heath");
    EXPECT_EQ(cell(2, 1), "Horsham");

    choose_from_menu("Zentrel &Help");
    EXPECT_TRUE(message_boxes.shown.empty()) << "the help page was found";
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, expected + "/Help.htm");
}

namespace {

std::string bytes_of(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

// The build's program folder, as a user copies it: beside the executable lie the help page,
// the licence and the notices that the data's sources ask to go with every copy, each the
// same as the source tree's.
TEST(ProgramFolderTest, TheBuiltProgramsFolderCarriesTheHelpPageTheLicenceAndTheNotices)
{
    const std::filesystem::path program_folder = ZENTREL_PROGRAM_DIR;
    const std::filesystem::path source_folder = ZENTREL_SOURCE_DIR;
    ASSERT_TRUE(std::filesystem::is_regular_file(program_folder / "zentrel")) << program_folder;
    const struct {
        const char* name;
        std::filesystem::path source;
    } papers[] = {
        {"Help.htm", source_folder / "main_window" / "Help.htm"},
        {"LICENSE", source_folder / "LICENSE"},
        {"NOTICES.md", source_folder / "NOTICES.md"},
    };
    for (const auto& paper : papers) {
        SCOPED_TRACE(paper.name);
        const std::filesystem::path copy = program_folder / paper.name;
        ASSERT_TRUE(std::filesystem::is_regular_file(copy)) << copy;
        const std::string original = bytes_of(paper.source);
        EXPECT_FALSE(original.empty());
        EXPECT_EQ(bytes_of(copy), original);
    }
}
