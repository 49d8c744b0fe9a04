// The real desktop handler service: every target reaches the handler, xdg-open, run as
// a child process, as one address, whatever it holds, and nothing is ever run through a
// shell command line. A handler that is missing or fails is told, so that the help
// command and the links say why nothing opened.
#include "platform/services.h"
#include "platform/widgets/real_services.h"
#include "tests/support/fake_opener.h"
#include "tests/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QUrl>

#include <optional>
#include <string>
#include <vector>

using testing_support::FakeOpener;

namespace {

class DesktopShellTest : public ::testing::Test {
protected:
    // True when the handler took the target.
    bool opened(const std::string& target, int show_state) { return shell.open(target, show_state).opened; }
    // What the handler was given, one address a run.
    std::vector<QUrl> urls() const { return opener.urls(); }

    FakeOpener opener{0};
    platform::Shell& shell = *platform::real_services().shell;
};

} // namespace

TEST_F(DesktopShellTest, FilesAndFoldersGoAsOneLocalPath)
{
    // Paths by the system's own names, in UTF-8: "café", "жук" and a Chinese folder.
    const std::vector<std::string> paths = {
        "/tmp/a folder/Directory.dat",
        "/tmp/quotes ' and \" here.dat",
        "/tmp/x & y; $(touch /tmp/zentrel-pwned) `id`.dat",
        "/tmp/-rf",
        "/tmp/what?#not a query.dat",
        "/tmp/caf\xC3\xA9.dat",
        "/tmp/\xD0\xB6\xD1\x83\xD0\xBA/Help.htm",
        "/tmp/\xE5\x8C\x97\xE4\xBA\xAC",
    };
    for (const std::string& path : paths) {
        ASSERT_TRUE(opened(path, platform::show_state::normal));
        ASSERT_FALSE(urls().empty());
        EXPECT_TRUE(urls().back().isLocalFile());
        EXPECT_EQ(urls().back().toLocalFile(), QString::fromUtf8(path.c_str())) << path;
    }
}

TEST_F(DesktopShellTest, ANameThatIsNoUtf8ReachesTheHandlerByteForByte)
{
    // "café" in Latin-1 bytes, as an older system may have named a folder.
    ASSERT_TRUE(opened("/tmp/caf\xE9/Help.htm", platform::show_state::normal));
    ASSERT_FALSE(urls().empty());
    EXPECT_TRUE(urls().back().isLocalFile());
    EXPECT_EQ(urls().back().toEncoded(), QByteArrayLiteral("file:///tmp/caf%E9/Help.htm"));
}

TEST_F(DesktopShellTest, RelativeNamesAndALeadingDashBecomeAbsolutePaths)
{
    ASSERT_TRUE(opened("-rf", platform::show_state::normal));
    const QString path = urls().back().toLocalFile();
    EXPECT_TRUE(path.startsWith(QLatin1Char('/')));
    EXPECT_TRUE(path.endsWith(QStringLiteral("/-rf")));
}

TEST_F(DesktopShellTest, AnEmptyTargetIsOpenedAsNothing)
{
    EXPECT_FALSE(shell.open("", platform::show_state::normal).opened);
    EXPECT_TRUE(opener.runs().empty());
}

TEST_F(DesktopShellTest, AddressesGoUnchanged)
{
    ASSERT_TRUE(opened("https://www.example.org/caf\xC3\xA9?q=\xD0\xB6", platform::show_state::normal));
    EXPECT_EQ(urls().back().toString(), QString::fromUtf8("https://www.example.org/caf\u00E9?q=\u0436"));
    ASSERT_TRUE(opened("https://www.example.org/find?a=1&b=2;x", platform::show_state::normal));
    EXPECT_EQ(urls().back().toString(), QStringLiteral("https://www.example.org/find?a=1&b=2;x"));
    ASSERT_TRUE(opened("MailTo:someone@example.org?Subject=Zentrel", platform::show_state::normal));
    EXPECT_EQ(urls().back().scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(urls().back().path(), QStringLiteral("someone@example.org"));
}


namespace {

// The main window with the real desktop handler behind it, and the help page beside the
// program.
class HelpCommandTest : public testing_support::MainWindowTest {
protected:
    void SetUp() override
    {
        folder.write_file("Help.htm", "<html></html>");
        MainWindowTest::SetUp();
    }
    void change_services(platform::Services& services) override { services.shell = platform::real_services().shell; }
};

} // namespace

TEST_F(HelpCommandTest, ThePagePresentOpensOrTheMessageSaysWhyNoProgramCould)
{
    const struct {
        const char* what;
        std::optional<int> exit_status; // none: no xdg-open at all
        const char* failure;            // none: no message
    } cases[] = {
        {"no xdg-open", std::nullopt, "xdg-open is not installed"},
        {"xdg-open fails", 1, "xdg-open ended with exit status 1"},
        {"xdg-open cannot find a program", 3, "xdg-open ended with exit status 3"},
        {"xdg-open opens it", 0, nullptr},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const FakeOpener opener(each.exit_status);
        message_boxes.shown.clear();
        if (each.failure != nullptr) answer_message(platform::message_box::answer_ok);
        choose_from_menu("Zentrel &Help");
        if (each.exit_status) {
            ASSERT_EQ(opener.urls().size(), 1u) << "the handler ran once, with one argument";
            EXPECT_EQ(opener.urls()[0].toLocalFile(), QString::fromStdString(folder.file("Help.htm")));
        }
        if (each.failure == nullptr) {
            EXPECT_TRUE(message_boxes.shown.empty());
            continue;
        }
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        EXPECT_EQ(message_boxes.shown[0].text, "Can't find or display;\r\n" + folder.file("Help.htm") +
                                                   "\r\n\r\nError = 31\r\nNo program could open the file or address: " +
                                                   each.failure);
        EXPECT_EQ(message_boxes.shown[0].title, "Zentrel, web site error.");
        EXPECT_EQ(message_boxes.shown[0].style, platform::message_box::exclamation);
    }
}
