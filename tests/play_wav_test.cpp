// The wave player's extension test: accepted names go to the sound player unchanged,
// refused names give the message that quotes the call, and nothing plays.
#include "platform/play_wav.h"
#include "tests/support/test_doubles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PlayWav : public ::testing::Test {
protected:
    PlayWav()
    {
        services.message_boxes = &message_boxes;
        services.sound_player = &sound_player;
    }

    testing_support::ScriptedMessageBoxes message_boxes;
    testing_support::RecordingSoundPlayer sound_player;
    platform::Services services{};
};

TEST_F(PlayWav, AcceptedNamesArePlayedUnchanged)
{
    const struct {
        const char* name;
        bool looped;
    } cases[] = {
        {"C:\\WINDOWS\\media\\tada.wav", false},
        {"C:\\WINDOWS\\MEDIA\\TADA.WAV", true},
        {"C:\\Windows\\Media\\Tada.Wav", false},
        {"/usr/share/sounds/chime.dat", false},
        {"/x/y.DaT", true},
        {".wav", false},
        {"", false},
        {"", true},
    };
    for (const auto& each : cases) {
        sound_player.played.clear();
        platform::PlayWAV(services, each.name, each.looped);
        ASSERT_EQ(sound_player.played.size(), 1u) << each.name;
        EXPECT_EQ(sound_player.played[0].path, each.name);
        EXPECT_EQ(sound_player.played[0].looped, each.looped) << each.name;
    }
    EXPECT_TRUE(message_boxes.shown.empty());
}

TEST_F(PlayWav, OtherNamesAreRefusedWithTheMessage)
{
    for (const char* name : {"tada.mp3", "tada.wave", "tada", "tada.wav ", "tada.wav.bak", "wav", "a.w", "x",
                             "C:\\WINDOWS\\media\\"}) {
        message_boxes.expect(platform::message_box::answer_ok);
        platform::PlayWAV(services, name, false);
        ASSERT_FALSE(message_boxes.shown.empty()) << name;
        const testing_support::ShownMessage& shown = message_boxes.shown.back();
        EXPECT_EQ(shown.text, std::string("Can't play this wave file, wrong .wav extent passed to function.\r"
                                          "PlayWAV(\"") + name + "\", ...");
        EXPECT_EQ(shown.style, 0) << "OK only, no icon";
        EXPECT_EQ(shown.title, "Zentrel");
    }
    EXPECT_TRUE(sound_player.played.empty());
    EXPECT_TRUE(message_boxes.all_answered());
}

} // namespace
