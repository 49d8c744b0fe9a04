// The real desktop handler service: every target reaches the handler as one address,
// whatever it holds, and nothing is ever run through a shell command line.
#include "platform/services.h"
#include "platform/text.h"
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
    const std::vector<std::string> paths = {
        "/tmp/a folder/Directory.dat",
        "/tmp/quotes ' and \" here.dat",
        "/tmp/x & y; $(touch /tmp/zentrel-pwned) `id`.dat",
        "/tmp/-rf",
        "/tmp/caf\xE9.dat",
    };
    for (const std::string& path : paths) {
        ASSERT_TRUE(shell.open(path, platform::show_state::normal));
        ASSERT_FALSE(handler.urls.empty());
        EXPECT_TRUE(handler.urls.back().isLocalFile());
        EXPECT_EQ(handler.urls.back().toLocalFile().toStdU16String(), platform::to_utf16(path));
    }
}

TEST_F(DesktopShellTest, RelativeNamesAndALeadingDashBecomeAbsolutePaths)
{
    ASSERT_TRUE(shell.open("-rf", platform::show_state::normal));
    const QString opened = handler.urls.back().toLocalFile();
    EXPECT_TRUE(opened.startsWith(QLatin1Char('/')));
    EXPECT_TRUE(opened.endsWith(QStringLiteral("/-rf")));
}

TEST_F(DesktopShellTest, AddressesGoUnchanged)
{
    ASSERT_TRUE(shell.open("https://www.example.org/find?a=1&b=2;x", platform::show_state::normal));
    EXPECT_EQ(handler.urls.back().toString(), QStringLiteral("https://www.example.org/find?a=1&b=2;x"));
    ASSERT_TRUE(shell.open("MailTo:someone@example.org?Subject=Zentrel", platform::show_state::normal));
    EXPECT_EQ(handler.urls.back().scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(handler.urls.back().path(), QStringLiteral("someone@example.org"));
}

#include "desktop_shell_test.moc"
