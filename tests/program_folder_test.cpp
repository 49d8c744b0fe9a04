// The program's folder as the system hands it over. The test binary, linked into a folder
// named "café", runs there as a child; the folder it takes from the system, held in the
// program's Windows-1252 text, must lead the help command to the page beside it.
#include "platform/widgets/real_services.h"
#include "tests/support/child_process.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/mouse_events.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

using testing_support::ChildEnd;
using testing_support::MainWindowTest;
using testing_support::TempFolder;

namespace {

// The folder the child must see, in the program's text.
constexpr const char* expected_folder_variable = "ZENTREL_EXPECTED_FOLDER";

} // namespace

TEST(ProgramFolderTest, AFolderNamedBeyondAsciiLeadsToTheHelpPage)
{
    const TempFolder folder;
    std::filesystem::create_directory(folder.file("caf\xC3\xA9"));
    folder.write_file("caf\xC3\xA9/Help.htm", "<html></html>");
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string program = folder.file("caf\xC3\xA9/") + self.filename().string();
    std::error_code failed;
    std::filesystem::create_hard_link(self, program, failed);
    if (failed) std::filesystem::copy_file(self, program, failed); // another file system
    ASSERT_FALSE(failed) << failed.message();

    const ChildEnd end = testing_support::run_in_child(
        {program, "ProgramFolderChild.DISABLED_HelpOpensThePageBesideTheProgram",
         {{expected_folder_variable, folder.file("caf\xE9")}}});
    EXPECT_EQ(end.signal_number, 0) << strsignal(end.signal_number);
    EXPECT_TRUE(end.passed()) << end.output;
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

TEST_F(ProgramFolderChild, DISABLED_HelpOpensThePageBesideTheProgram)
{
    const std::string expected = std::getenv(expected_folder_variable);
    popup_menus.choose_caption = "Zentrel &Help";
    testing_support::send_button(form->ui().frm.widget(), QEvent::MouseButtonPress, QPoint(3, 3), Qt::RightButton);
    EXPECT_TRUE(message_boxes.shown.empty()) << "the help page was found";
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, expected + "/Help.htm");
}
