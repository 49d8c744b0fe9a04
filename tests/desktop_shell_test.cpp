// The real desktop handler service: every target reaches the handler as one address,
// whatever it holds, and nothing is ever run through a shell command line.
#include "platform/services.h"
#include "platform/widgets/real_services.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <string>
#include <vector>

namespace {

class OpenedUrls final : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

class DesktopShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* scheme : {"file", "https", "mailto"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &handler, "open");
        }
    }
    void TearDown() override
    {
        for (const char* scheme : {"file", "https", "mailto"}) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    OpenedUrls handler;
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
        ASSERT_TRUE(shell.open(path, platform::show_state::normal));
        ASSERT_FALSE(handler.urls.empty());
        EXPECT_TRUE(handler.urls.back().isLocalFile());
        EXPECT_EQ(handler.urls.back().toLocalFile(), QString::fromUtf8(path.c_str())) << path;
    }
}

TEST_F(DesktopShellTest, ANameThatIsNoUtf8ReachesTheHandlerByteForByte)
{
    // "café" in Latin-1 bytes, as an older system may have named a folder.
    ASSERT_TRUE(shell.open("/tmp/caf\xE9/Help.htm", platform::show_state::normal));
    ASSERT_FALSE(handler.urls.empty());
    EXPECT_TRUE(handler.urls.back().isLocalFile());
    EXPECT_EQ(handler.urls.back().toEncoded(), QByteArrayLiteral("file:///tmp/caf%E9/Help.htm"));
}

TEST_F(DesktopShellTest, RelativeNamesAndALeadingDashBecomeAbsolutePaths)
{
    ASSERT_TRUE(shell.open("-rf", platform::show_state::normal));
    const QString opened = handler.urls.back().toLocalFile();
    EXPECT_TRUE(opened.startsWith(QLatin1Char('/')));
    EXPECT_TRUE(opened.endsWith(QStringLiteral("/-rf")));
}

TEST_F(DesktopShellTest, AnEmptyTargetIsOpenedAsNothing)
{
    EXPECT_FALSE(shell.open("", platform::show_state::normal));
    EXPECT_TRUE(handler.urls.empty());
}

TEST_F(DesktopShellTest, AddressesGoUnchanged)
{
    ASSERT_TRUE(shell.open("https://www.example.org/caf\xC3\xA9?q=\xD0\xB6", platform::show_state::normal));
    EXPECT_EQ(handler.urls.back().toString(), QString::fromUtf8("https://www.example.org/caf\u00E9?q=\u0436"));
    ASSERT_TRUE(shell.open("https://www.example.org/find?a=1&b=2;x", platform::show_state::normal));
    EXPECT_EQ(handler.urls.back().toString(), QStringLiteral("https://www.example.org/find?a=1&b=2;x"));
    ASSERT_TRUE(shell.open("MailTo:someone@example.org?Subject=Zentrel", platform::show_state::normal));
    EXPECT_EQ(handler.urls.back().scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(handler.urls.back().path(), QStringLiteral("someone@example.org"));
}

#include "desktop_shell_test.moc"
