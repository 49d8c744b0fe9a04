// The real sound player. Over a recording output it shows what is asked for: a wave file
// that is there by its name, the theme's bell for one that is not or cannot play, a new
// sound stopping the one before, and a looped sound started again on the program's
// thread when its end comes from the output's thread. Over the desktop's event-sound
// library it plays to ALSA's null device, which plays nothing and takes no time, and
// once for real where a sound server is there; and with a device that takes no data the
// About box opens, closes and opens again, since nothing waits on the device.
#include "platform/play_wav.h"
#include "platform/services.h"
#include "platform/sound_player.h"
#include "platform/widgets/real_services.h"
#include "tests/support/child_process.h"
#include "tests/support/environment_variable.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/sound_output_double.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <glob.h>
#include <sys/stat.h>
#include <stdlib.h>

using platform::EventSoundPlayer;
using platform::Sound;
using testing_support::EnvironmentVariable;
using testing_support::events_for;
using testing_support::events_until;
using testing_support::RecordingSoundOutput;
using testing_support::TempFolder;

namespace {

const Sound bell{Sound::Kind::event, "bell"};

Sound file_sound(const std::string& system_name) { return {Sound::Kind::file, system_name}; }

// A sound lasts at least this long before the test ends it, so that a looped one is
// started again.
constexpr auto long_enough = EventSoundPlayer::shortest_repeated_sound + std::chrono::milliseconds(20);

class SoundPlayerTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return folder.file(name); }
    std::uint32_t last_id() const { return output.starts().back().id; }

    TempFolder folder;
    RecordingSoundOutput output;
    EventSoundPlayer player{output, platform::post_to_event_loop};
};

} // namespace

TEST_F(SoundPlayerTest, AFileThatIsThereIsPlayedByItsNameInTheSystemsEncoding)
{
    const struct {
        const char* held; // as the program holds the name: Windows-1252
        const char* on_disk; // as the system names the file: UTF-8
    } cases[] = {
        {"ding; rm -rf $(pwd).wav", "ding; rm -rf $(pwd).wav"},
        {"Caf\xE9 \x80.WAV", "Caf\xC3\xA9 \xE2\x82\xAC.WAV"},
        {"chime.dat", "chime.dat"},
    };
    for (const auto& each : cases) {
        folder.write_file(each.on_disk, testing_support::silent_wave(10));
        player.play(file(each.held), false);
        EXPECT_EQ(output.sounds().back(), file_sound(file(each.on_disk))) << each.held;
    }
    EXPECT_EQ(output.starts().size(), 3u);
}

TEST_F(SoundPlayerTest, ANameWhereNoFileStandsGivesTheThemesBell)
{
    std::filesystem::create_directory(file("a folder.wav"));
    for (const std::string& name : {file("no such sound.wav"), file("a folder.wav"),
                                    std::string("C:\\WINDOWS\\media/tada.wav")}) {
        player.play(name, false);
        EXPECT_EQ(output.sounds().back(), bell) << name;
    }
    EXPECT_EQ(output.starts().size(), 3u);
}

TEST_F(SoundPlayerTest, AFileTheOutputCannotPlayGivesTheBell)
{
    folder.write_file("broken.wav", "RIFF, but nothing after it");
    output.refused = {file_sound(file("broken.wav"))};
    player.play(file("broken.wav"), false);
    EXPECT_EQ(output.sounds(), (std::vector<Sound>{file_sound(file("broken.wav")), bell}));
}

TEST_F(SoundPlayerTest, WhereNothingCanPlayNothingPlaysAndNothingIsSaid)
{
    folder.write_file("ding.wav", testing_support::silent_wave(10));
    output.refused = {file_sound(file("ding.wav")), bell};
    testing_support::ScriptedMessageBoxes message_boxes;
    platform::Services services{};
    services.message_boxes = &message_boxes;
    services.sound_player = &player;
    platform::PlayWAV(services, file("ding.wav"), true);
    platform::PlayWAV(services, file("no such sound.wav"), false);
    events_for(20);
    EXPECT_EQ(output.sounds(), (std::vector<Sound>{file_sound(file("ding.wav")), bell, bell}));
    EXPECT_TRUE(output.stops().empty()) << "nothing played, so nothing had to be stopped";
    EXPECT_TRUE(message_boxes.shown.empty());
}

TEST_F(SoundPlayerTest, ANewSoundOrTheEmptyNameStopsTheOneBefore)
{
    folder.write_file("first.wav", testing_support::silent_wave(10));
    player.play(file("first.wav"), true);
    const std::uint32_t first = last_id();
    player.play(file("second.wav"), false);
    const std::uint32_t second = last_id();
    EXPECT_EQ(output.stops(), std::vector<std::uint32_t>{first});

    // The looped first sound is not started again when its end comes late.
    std::this_thread::sleep_for(long_enough);
    output.end(first, true);
    events_for(20);
    EXPECT_EQ(output.starts().size(), 2u);

    player.play("", true);
    EXPECT_EQ(output.stops(), (std::vector<std::uint32_t>{first, second}));
    EXPECT_EQ(output.starts().size(), 2u) << "the empty name plays nothing";
}

TEST_F(SoundPlayerTest, ALoopedSoundPlayedThroughStartsAgainOnTheProgramsThread)
{
    folder.write_file("loop.wav", testing_support::silent_wave(10));
    player.play(file("loop.wav"), true);
    for (std::size_t round = 1; round <= 3; ++round) {
        std::this_thread::sleep_for(long_enough);
        ASSERT_TRUE(output.end(last_id(), true));
        ASSERT_TRUE(events_until([&] { return output.starts().size() == round + 1; })) << round;
        EXPECT_EQ(output.starts().back().sound, file_sound(file("loop.wav")));
        EXPECT_EQ(output.starts().back().thread, std::this_thread::get_id());
    }
    EXPECT_TRUE(output.stops().empty());
}

TEST_F(SoundPlayerTest, OnlyALoopedSoundThatPlayedThroughForAWhileStartsAgain)
{
    const struct {
        const char* what;
        bool looped;
        bool played_through;
        std::chrono::milliseconds played_for;
    } cases[] = {
        {"played once", false, true, long_enough},
        {"broken off", true, false, long_enough},
        {"ended at once", true, true, std::chrono::milliseconds(0)},
        {"ended just short", true, true, EventSoundPlayer::shortest_repeated_sound - std::chrono::milliseconds(1)},
    };
    // The player's clock stands still but for the time each sound plays, so that a slow
    // turn of the event loop cannot make a short sound long.
    auto now = std::chrono::steady_clock::time_point{};
    EventSoundPlayer timed_player{output, platform::post_to_event_loop, [&now] { return now; }};
    folder.write_file("ding.wav", testing_support::silent_wave(10));
    for (const auto& each : cases) {
        timed_player.play(file("ding.wav"), each.looped);
        const std::size_t started = output.starts().size();
        now += each.played_for;
        ASSERT_TRUE(output.end(last_id(), each.played_through));
        events_for(20);
        EXPECT_EQ(output.starts().size(), started) << each.what;
    }
}

TEST_F(SoundPlayerTest, AnEndOnItsWayWhenThePlayerGoesFindsNothing)
{
    auto short_lived = std::make_unique<EventSoundPlayer>(output, platform::post_to_event_loop);
    short_lived->play(file("no such sound.wav"), true);
    const std::uint32_t id = last_id();
    std::this_thread::sleep_for(long_enough);
    output.end(id, true); // posted to the event loop, not yet handled
    short_lived.reset();
    events_for(20);
    EXPECT_EQ(output.starts().size(), 1u);
}

namespace {

// The library keeps what it finds in the sound themes in a cache file of the user's, which
// it opens once in a process: the tests point it into a folder of their own, so that they
// leave nothing in the user's cache.
class LibraryCache final {
public:
    LibraryCache() { std::filesystem::create_directories(folder_.file("cache")); }

private:
    TempFolder folder_;
    EnvironmentVariable cache_home_{"XDG_CACHE_HOME", folder_.file("cache")};
};

// The desktop's event-sound library over ALSA, whose default device is the null device
// here, and the freedesktop sound theme that tools/install-deps installs.
class NullDeviceTest : public SoundPlayerTest {
protected:
    NullDeviceTest() { folder.write_file("null-device.conf", "pcm.!default { type null }\n"); }

    // Waits for the recorded end of a sound.
    std::optional<RecordingSoundOutput::End> end_of(std::uint32_t id) const
    {
        std::optional<RecordingSoundOutput::End> found;
        events_until([&] {
            for (const auto& each : real_ends.ends()) {
                if (each.id == id) found = each;
            }
            return found.has_value();
        });
        return found;
    }

    LibraryCache cache_;
    EnvironmentVariable driver_{"CANBERRA_DRIVER", "alsa"};
    EnvironmentVariable alsa_configuration_{"ALSA_CONFIG_PATH", folder.file("null-device.conf")};
    platform::CanberraOutput library;
    RecordingSoundOutput real_ends{&library};
};

} // namespace

TEST_F(NullDeviceTest, AWaveFileAndTheThemesBellPlayToTheirEnd)
{
    folder.write_file("ding.wav", testing_support::silent_wave(200));
    folder.write_file("chime.dat", testing_support::silent_wave(200));
    const Sound sounds[] = {file_sound(file("ding.wav")), file_sound(file("chime.dat")), bell};
    std::uint32_t id = 1;
    for (const Sound& sound : sounds) {
        ASSERT_TRUE(real_ends.start(id, sound, [](platform::SoundEnd) {})) << sound.name;
        const auto end = end_of(id);
        ASSERT_TRUE(end.has_value()) << sound.name;
        EXPECT_TRUE(end->played_through) << sound.name;
        EXPECT_NE(end->thread, std::this_thread::get_id()) << "the library ends a sound on its own thread";
        ++id;
    }
}

TEST_F(NullDeviceTest, WhatTheLibraryCannotFindOrDecodeIsRefusedAndNeverEnds)
{
    folder.write_file("text.wav", "This is not a sound.\n");
    const Sound unplayable[] = {file_sound(file("text.wav")), file_sound(file("no such sound.wav")),
                                {Sound::Kind::event, "no-such-event"}};
    std::uint32_t id = 1;
    for (const Sound& sound : unplayable) real_ends.start(id++, sound, [](platform::SoundEnd) {});
    EXPECT_TRUE(events_until([&] {
        const auto starts = real_ends.starts();
        return std::none_of(starts.begin(), starts.end(), [](const auto& each) { return each.accepted; });
    })) << "the library refuses every one";
    events_for(50);
    EXPECT_TRUE(real_ends.ends().empty());
}

TEST_F(NullDeviceTest, AFileTheLibraryCannotDecodeIsHeardAsTheBell)
{
    folder.write_file("text.wav", "This is not a sound.\n");
    EventSoundPlayer real_player(real_ends, platform::post_to_event_loop);
    real_player.play(file("text.wav"), false);
    ASSERT_TRUE(events_until([&] { return real_ends.starts().size() == 2; }));
    EXPECT_EQ(real_ends.sounds(), (std::vector<Sound>{file_sound(file("text.wav")), bell}));
    const auto end = end_of(real_ends.starts().back().id);
    ASSERT_TRUE(end.has_value());
    EXPECT_TRUE(end->played_through);
}

TEST_F(NullDeviceTest, ALoopedSoundThatEndsAtOnceIsNotStartedAgainAndAgain)
{
    folder.write_file("ding.wav", testing_support::silent_wave(200));
    EventSoundPlayer real_player(real_ends, platform::post_to_event_loop);
    const auto began = std::chrono::steady_clock::now();
    real_player.play(file("ding.wav"), true);
    ASSERT_TRUE(end_of(real_ends.starts().back().id).has_value());
    events_for(2 * EventSoundPlayer::shortest_repeated_sound.count());
    // The null device plays a sound in no time; on a busy machine a sound may still last
    // long enough to start again, but never more often than that allows.
    const auto elapsed = std::chrono::steady_clock::now() - began;
    EXPECT_LE(real_ends.starts().size(), 1u + static_cast<std::size_t>(elapsed / EventSoundPlayer::shortest_repeated_sound));
}

TEST_F(NullDeviceTest, WithoutASoundDeviceNothingPlaysAndNothingIsSaid)
{
    folder.write_file("no-device.conf", "pcm.!default { type hw card 99 }\n");
    EnvironmentVariable no_device("ALSA_CONFIG_PATH", folder.file("no-device.conf"));
    folder.write_file("ding.wav", testing_support::silent_wave(200));
    testing_support::ScriptedMessageBoxes message_boxes;
    EventSoundPlayer real_player(real_ends, platform::post_to_event_loop);
    platform::Services services{};
    services.message_boxes = &message_boxes;
    services.sound_player = &real_player;
    platform::PlayWAV(services, file("ding.wav"), true);
    EXPECT_TRUE(events_until([&] { return real_ends.starts().size() == 2 && !real_ends.starts()[1].accepted; }));
    events_for(50);
    EXPECT_EQ(real_ends.sounds(), (std::vector<Sound>{file_sound(file("ding.wav")), bell}));
    EXPECT_TRUE(real_ends.ends().empty());
    EXPECT_TRUE(message_boxes.shown.empty());
}

namespace {

// Where the desktop's sound goes: a PulseAudio or PipeWire socket, or an ALSA playback
// device; empty where there is none.
std::string sound_server()
{
    if (const char* server = std::getenv("PULSE_SERVER"); server != nullptr && *server != '\0') return server;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        for (const char* socket : {"/pulse/native", "/pipewire-0"}) {
            if (std::filesystem::exists(std::string(runtime) + socket)) return std::string(runtime) + socket;
        }
    }
    glob_t found{};
    std::string device;
    if (::glob("/dev/snd/pcmC*D*p", 0, nullptr, &found) == 0 && found.gl_pathc > 0) device = found.gl_pathv[0];
    ::globfree(&found);
    return device;
}

} // namespace

TEST_F(SoundPlayerTest, ALoopedSoundPlaysForRealWhereASoundServerIsThere)
{
    const std::string server = sound_server();
    if (server.empty()) {
        GTEST_SKIP() << "no sound server here: no PULSE_SERVER, no PulseAudio or PipeWire socket in "
                        "XDG_RUNTIME_DIR and no ALSA playback device in /dev/snd";
    }
    // A quiet test: the sound is 0.3 s of silence.
    folder.write_file("silence.wav", testing_support::silent_wave(300));
    LibraryCache cache;
    platform::CanberraOutput library;
    RecordingSoundOutput real_ends(&library);
    EventSoundPlayer real_player(real_ends, platform::post_to_event_loop);
    real_player.play(file("silence.wav"), true);
    ASSERT_TRUE(events_until([&] { return real_ends.starts().size() >= 2; }, 10000))
        << "the looped sound did not end and start again on " << server;
    ASSERT_TRUE(real_ends.starts().front().accepted) << "the library cannot play on " << server;
    real_player.play("", false);
    EXPECT_EQ(real_ends.stops().size(), 1u);
    ASSERT_FALSE(real_ends.ends().empty());
    EXPECT_TRUE(real_ends.ends().front().played_through);
    for (const auto& start : real_ends.starts()) EXPECT_EQ(start.sound, file_sound(file("silence.wav")));
}

namespace {

// The About box plays sounds from the Windows media folder, which never exists here:
// through the real player, opening and closing the box is heard as the theme's bell.
class AboutBoxSoundTest : public testing_support::MainWindowTest {
protected:
    void change_services(platform::Services& services) override { services.sound_player = &real_player; }

    RecordingSoundOutput output;
    EventSoundPlayer real_player{output, platform::post_to_event_loop};
};

} // namespace

TEST_F(AboutBoxSoundTest, OpeningAndClosingTheBoxIsHeard)
{
    choose_from_menu("&About Zentrel");
    ASSERT_EQ(modal_windows.shows, 1);
    EXPECT_EQ(output.sounds(), (std::vector<Sound>{bell, bell}));
    ASSERT_EQ(output.starts().size(), 2u);
    EXPECT_EQ(output.stops(), std::vector<std::uint32_t>{output.starts()[0].id})
        << "the closing sound stops the opening one";
}

namespace {

// The media folder of the child below, by the program's name for it.
constexpr const char* media_folder_variable = "ZENTREL_MEDIA_FOLDER";

// The About box with the real player over the desktop's event-sound library, and sounds
// in its media folder; run only as a child whose sound device takes no data.
class BlockedSoundDeviceChild : public testing_support::MainWindowTest {
protected:
    void SetUp() override
    {
        if (std::getenv(media_folder_variable) == nullptr) GTEST_SKIP() << "runs only as a child";
        MainWindowTest::SetUp();
    }
    void change_services(platform::Services& services) override
    {
        system_values.media = std::getenv(media_folder_variable);
        services.sound_player = &real_player;
    }

    platform::CanberraOutput library;
    RecordingSoundOutput output{&library};
    EventSoundPlayer real_player{output, platform::post_to_event_loop};
};

} // namespace

TEST_F(BlockedSoundDeviceChild, DISABLED_TheAboutBoxOpensClosesAndOpensAgain)
{
    choose_from_menu("&About Zentrel");
    choose_from_menu("&About Zentrel");
    EXPECT_EQ(modal_windows.shows, 2);
    const std::string media = system_values.media;
    EXPECT_EQ(output.sounds(), (std::vector<Sound>{file_sound(media + "/Utopia Windows Start.wav"),
                                                   file_sound(media + "/Start.wav"),
                                                   file_sound(media + "/Utopia Windows Start.wav"),
                                                   file_sound(media + "/Start.wav")}));
    events_for(100);
    EXPECT_TRUE(output.ends().empty()) << "the device took a sound: it does not block";
}

// The default ALSA device writes into a pipe that nobody reads, so that the library
// waits on it for ever. The box must open, close and open again all the same; a child
// that hangs on the device is killed and fails.
TEST(BlockedSoundDeviceTest, TheAboutBoxNeverWaitsOnTheDevice)
{
    const TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("device").c_str(), 0600), 0);
    folder.write_file("alsa.conf", "pcm.!default { type file slave.pcm { type null } file \"" +
                                       folder.file("device") + "\" format \"raw\" }\n");
    std::filesystem::create_directory(folder.file("cache"));
    std::filesystem::create_directory(folder.file("media"));
    for (const char* sound : {"Utopia Windows Start.wav", "Start.wav"}) {
        folder.write_file(std::string("media/") + sound, testing_support::silent_wave(200));
    }
    testing_support::RunningChild child = testing_support::start_child(
        {"", "BlockedSoundDeviceChild.DISABLED_TheAboutBoxOpensClosesAndOpensAgain",
         {{"CANBERRA_DRIVER", "alsa"},
          {"ALSA_CONFIG_PATH", folder.file("alsa.conf")},
          {"XDG_CACHE_HOME", folder.file("cache")},
          {media_folder_variable, folder.file("media")}}});
    const testing_support::ChildEnd end = testing_support::wait_for(child, std::chrono::seconds(15));
    EXPECT_FALSE(end.timed_out) << "the window waited on the sound device";
    EXPECT_TRUE(end.passed()) << end.output;
}
