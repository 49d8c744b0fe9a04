// The real sound player: it starts the desktop's player as a process of its own, with
// the file as one argument and no shell, stops the previous sound for a new one, plays
// the desktop's default event sound for a wave file that is not there, and does nothing
// when there is no sound to play or no player. A stand-in "paplay" on the PATH records
// how it was started; the sound theme is looked up in data folders the test chooses.
#include "platform/services.h"
#include "platform/widgets/real_services.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/mouse_events.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <stdlib.h>
#include <sys/stat.h>

using testing_support::MainWindowTest;
using testing_support::TempFolder;

namespace {

// Where the freedesktop sound theme keeps its bell below a data folder.
constexpr const char* theme_bell = "sounds/freedesktop/stereo/bell.oga";

// Sets an environment variable, or removes it, for the life of the guard.
class EnvironmentVariable final {
public:
    EnvironmentVariable(const char* name, const std::optional<std::string>& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) saved_ = old;
        set(value);
    }
    ~EnvironmentVariable() { set(saved_); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    void set(const std::optional<std::string>& value)
    {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

    const char* name_;
    std::optional<std::string> saved_;
};

// A stand-in "paplay" first on the PATH, which writes its arguments and then plays for a
// while, and data folders without a sound theme unless a test installs one.
class StandInPlayer final {
public:
    StandInPlayer()
    {
        folder.write_file("paplay", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"" +
                                        folder.file("calls.txt") + "\"\necho end >> \"" + folder.file("calls.txt") +
                                        "\"\nsleep 5\n");
        ::chmod(folder.file("paplay").c_str(), 0755);
        std::filesystem::create_directories(folder.file("data home"));
        std::filesystem::create_directories(folder.file("data"));
    }

    // Puts a sound theme's bell into the system's data folders of the test.
    std::string install_theme()
    {
        const std::string bell = folder.file("data/") + theme_bell;
        std::filesystem::create_directories(std::filesystem::path(bell).parent_path());
        folder.write_file(std::string("data/") + theme_bell, "OggS");
        return bell;
    }

    // Waits until the stand-in has written at least this many lines.
    std::string calls(std::size_t at_least_lines) const
    {
        QElapsedTimer timer;
        timer.start();
        std::string text;
        while (timer.elapsed() < 5000) {
            QCoreApplication::processEvents();
            text = folder.read_file("calls.txt");
            if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= at_least_lines) break;
        }
        return text;
    }

    bool ever_started() const { return std::filesystem::exists(folder.file("calls.txt")); }

    TempFolder folder;

private:
    const std::string old_path_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    EnvironmentVariable path_{"PATH", folder.path() + ":" + old_path_};
    EnvironmentVariable data_home_{"XDG_DATA_HOME", folder.file("data home")};
    EnvironmentVariable data_dirs_{"XDG_DATA_DIRS", folder.file("data")};
};

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { stand_in.folder.write_file("ding; rm -rf $(pwd).wav", "RIFF"); }
    void TearDown() override { player.play("", false); } // stops the stand-in

    std::string file(const std::string& name) const { return stand_in.folder.file(name); }

    StandInPlayer stand_in;
    platform::SoundPlayer& player = *platform::real_services().sound_player;
};

} // namespace

TEST_F(SoundPlayerTest, StartsThePlayerWithTheFileAsOneArgument)
{
    const std::string sound = file("ding; rm -rf $(pwd).wav");
    player.play(sound, false);
    EXPECT_EQ(stand_in.calls(3), "--\n" + sound + "\nend\n");
    EXPECT_TRUE(std::filesystem::exists(file("paplay"))) << "nothing was run through a shell";
}

TEST_F(SoundPlayerTest, WithoutASoundThemeAMissingFileOrNoPlayerPlaysNothing)
{
    player.play(file("no such sound.wav"), false);
    EnvironmentVariable no_player("PATH", "/nonexistent");
    player.play(file("ding; rm -rf $(pwd).wav"), false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(stand_in.ever_started());
}

TEST_F(SoundPlayerTest, ASoundThatIsNotThereGivesTheThemesBell)
{
    const std::string bell = stand_in.install_theme();
    std::filesystem::create_directory(file("a folder.wav"));
    const std::string expected_call = "--\n" + bell + "\nend\n";
    player.play(file("no such sound.wav"), false);
    EXPECT_EQ(stand_in.calls(3), expected_call);
    player.play(file("a folder.wav"), false);
    EXPECT_EQ(stand_in.calls(6), expected_call + expected_call);
    player.play("C:\\WINDOWS\\media/tada.wav", false);
    EXPECT_EQ(stand_in.calls(9), expected_call + expected_call + expected_call);
}

TEST_F(SoundPlayerTest, TheInstalledSoundThemeGivesTheBell)
{
    // The system's own data folders, as the desktop has them when nobody sets them.
    EnvironmentVariable system_data_folders("XDG_DATA_DIRS", std::nullopt);
    ASSERT_TRUE(std::filesystem::is_regular_file(std::string("/usr/share/") + theme_bell))
        << "tools/install-deps installs sound-theme-freedesktop";
    player.play(file("no such sound.wav"), false);
    EXPECT_EQ(stand_in.calls(3), "--\n/usr/share/" + std::string(theme_bell) + "\nend\n");
}

TEST_F(SoundPlayerTest, ANewSoundStopsThePreviousOne)
{
    stand_in.folder.write_file("second.wav", "RIFF");
    player.play(file("ding; rm -rf $(pwd).wav"), true);
    stand_in.calls(3);
    player.play(file("second.wav"), false);
    const std::string text = stand_in.calls(6);
    EXPECT_NE(text.find(file("second.wav")), std::string::npos);
    std::size_t starts = 0;
    for (std::size_t at = text.find("end\n"); at != std::string::npos; at = text.find("end\n", at + 1)) ++starts;
    EXPECT_EQ(starts, 2u) << "the looping first sound was stopped, not started again";
}

// The About box plays a sound from the Windows media folder, which never exists here:
// through the real player, opening and closing the box is heard as the theme's bell.
class AboutBoxSoundTest : public MainWindowTest {
protected:
    void change_services(platform::Services& services) override
    {
        services.sound_player = platform::real_services().sound_player;
    }
    void TearDown() override
    {
        platform::real_services().sound_player->play("", false);
        MainWindowTest::TearDown();
    }

    StandInPlayer stand_in;
};

TEST_F(AboutBoxSoundTest, OpeningAndClosingTheBoxIsHeard)
{
    const std::string bell = stand_in.install_theme();
    popup_menus.choose_caption = "&About Zentrel";
    testing_support::send_button(form->ui().frm.widget(), QEvent::MouseButtonPress, QPoint(3, 3), Qt::RightButton);
    ASSERT_EQ(modal_windows.shows, 1);
    const std::string calls = stand_in.calls(3);
    EXPECT_TRUE(calls.ends_with("--\n" + bell + "\nend\n")) << calls;
}
