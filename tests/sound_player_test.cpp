// The real sound player: it starts the desktop's player as a process of its own, with
// the file as one argument and no shell, stops the previous sound for a new one, and does
// nothing when there is no file or no player. A stand-in "paplay" on the PATH records how
// it was started.
#include "platform/services.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>
#include <sys/stat.h>

using testing_support::TempFolder;

namespace {

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* path = std::getenv("PATH");
        old_path = path != nullptr ? path : "";
        // The stand-in player writes its arguments, then plays for a while.
        folder.write_file("paplay", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"" +
                                        folder.file("calls.txt") + "\"\necho end >> \"" + folder.file("calls.txt") +
                                        "\"\nsleep 5\n");
        ::chmod(folder.file("paplay").c_str(), 0755);
        setenv("PATH", (folder.path() + ":" + old_path).c_str(), 1);
        folder.write_file("ding; rm -rf $(pwd).wav", "RIFF");
    }

    void TearDown() override { setenv("PATH", old_path.c_str(), 1); }

    // Waits until the stand-in has written what it was given.
    std::string calls(std::size_t at_least_lines)
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

    TempFolder folder;
    std::string old_path;
    platform::SoundPlayer& player = *platform::real_services().sound_player;
};

} // namespace

TEST_F(SoundPlayerTest, StartsThePlayerWithTheFileAsOneArgument)
{
    const std::string sound = folder.file("ding; rm -rf $(pwd).wav");
    player.play(sound, false);
    EXPECT_EQ(calls(3), "--\n" + sound + "\nend\n");
    EXPECT_TRUE(std::filesystem::exists(folder.file("paplay"))) << "nothing was run through a shell";
    player.play("", false); // stops the stand-in
}

TEST_F(SoundPlayerTest, MissingFileOrPlayerPlaysNothing)
{
    player.play(folder.file("no such sound.wav"), false);
    setenv("PATH", "/nonexistent", 1);
    player.play(folder.file("ding; rm -rf $(pwd).wav"), false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(std::filesystem::exists(folder.file("calls.txt")));
}

TEST_F(SoundPlayerTest, ANewSoundStopsThePreviousOne)
{
    folder.write_file("second.wav", "RIFF");
    player.play(folder.file("ding; rm -rf $(pwd).wav"), true);
    calls(3);
    player.play(folder.file("second.wav"), false);
    const std::string text = calls(6);
    EXPECT_NE(text.find(folder.file("second.wav")), std::string::npos);
    std::size_t starts = 0;
    for (std::size_t at = text.find("end\n"); at != std::string::npos; at = text.find("end\n", at + 1)) ++starts;
    EXPECT_EQ(starts, 2u) << "the looping first sound was stopped, not started again";
    player.play("", false);
}
