#pragma once
// The program's sound player: plays a wave file without waiting for it, once or in a
// loop, through the desktop's event-sound library (libcanberra, which reaches
// PulseAudio, PipeWire or ALSA). It does not check a name's extension (PlayWAV does)
// and never reports that nothing could be played.
#include "platform/services.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// One sound for an output: a file by its name in the system's encoding, or the sound
// the desktop's sound theme gives an event, by the event's name.
struct Sound {
    enum class Kind { file, event };
    Kind kind = Kind::event;
    std::string name;

    bool operator==(const Sound&) const = default;
};

// Runs a function on the program's own thread at a later turn of its event loop. It may
// be called from any thread.
using PostToProgramThread = std::function<void(std::function<void()>)>;

// How a sound ended: played to its end, broken off, or never begun because it cannot be
// played (no such sound, a file the output cannot decode, no device).
enum class SoundEnd { played_through, broken_off, refused };

// Where sounds are heard. An output starts a sound and returns at once, never waiting on
// the device; it tells of the sound's end, on a thread of its own choosing, unless the
// sound was stopped first.
class SoundOutput {
public:
    // Told once when a sound ends.
    using EndHandler = std::function<void(SoundEnd)>;

    virtual ~SoundOutput() = default;
    // False when the output knows at once that the sound cannot be played; then no end
    // is told. A sound it finds unplayable only later ends as refused.
    virtual bool start(std::uint32_t id, const Sound& sound, EndHandler on_end) = 0;
    // Stops the sound if it still plays; its end is no longer told.
    virtual void stop(std::uint32_t id) = 0;
};

// The desktop's event-sound library. The library chooses the sound system when the
// first sound plays (PulseAudio, which PipeWire also serves, else ALSA's default
// device); its CANBERRA_DRIVER variable and ALSA's configuration are honoured.
//
// Every output plays through the process's one context of the library, which is never
// destroyed: destroying a context unloads the library's backend, and a backend thread
// that is still finishing a sound would then run on in code that is gone. The library
// is called only on a thread of the context's own, in the order of the calls, since it
// may wait on the device for as long as the device likes (an ALSA device that takes no
// data never lets go): starting and stopping a sound only queue the call.
class CanberraOutput final : public SoundOutput {
public:
    CanberraOutput() = default;
    // Stops the sounds this output started; their ends are no longer told.
    ~CanberraOutput() override;
    CanberraOutput(const CanberraOutput&) = delete;
    CanberraOutput& operator=(const CanberraOutput&) = delete;

    bool start(std::uint32_t id, const Sound& sound, EndHandler on_end) override;
    void stop(std::uint32_t id) override;

};

// A wave file that is there is played by its name; a name where no file stands is
// heard as the sound theme's "bell", the desktop's sound for an event of no kind of its
// own, and so is a file the output cannot play. Where the bell cannot play either,
// nothing plays. A new sound, or the empty name, stops the one before.
class EventSoundPlayer final : public SoundPlayer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // The clock tells how long a looped sound played; the steady clock unless a test
    // keeps the time.
    EventSoundPlayer(SoundOutput& output, PostToProgramThread post, Clock now = std::chrono::steady_clock::now);
    ~EventSoundPlayer() override;
    EventSoundPlayer(const EventSoundPlayer&) = delete;
    EventSoundPlayer& operator=(const EventSoundPlayer&) = delete;

    void play(const std::string& path, bool looped) override;

    // A looped sound that ends sooner than this after it started had nothing to be heard
    // (an empty sound, an output that plays nothing): it is not started again, so that a
    // loop never spins.
    static constexpr std::chrono::milliseconds shortest_repeated_sound{50};

private:
    bool start();
    // Plays the theme's bell in place of a sound that cannot play, unless the bell was it.
    void fall_back_to_bell();
    void stop();
    void ended(std::uint32_t id, SoundEnd how);

    SoundOutput& output_;
    PostToProgramThread post_;
    Clock now_;
    Sound sound_;
    bool looped_ = false;
    std::uint32_t next_id_ = 1;
    std::optional<std::uint32_t> playing_;
    std::chrono::steady_clock::time_point started_at_;
    // Ends come back to the player through weak handles to this, so an end that was on
    // its way when the player went away finds nothing to call.
    std::shared_ptr<char> alive_ = std::make_shared<char>();
};

} // namespace platform
