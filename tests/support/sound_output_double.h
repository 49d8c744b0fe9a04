#pragma once
// A sound output that records what the player asks of it and when the sounds end. Given
// a real output it passes everything on and records the real ends and refusals; alone it accepts
// every sound but those it is told to refuse, and the test ends them, from a thread of
// their own as the library does. Also: a silent wave file of a given length.
#include "platform/sound_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testing_support {

class RecordingSoundOutput final : public platform::SoundOutput {
public:
    struct Start {
        std::uint32_t id;
        platform::Sound sound;
        std::thread::id thread;
        bool accepted = true;
    };
    struct End {
        std::uint32_t id;
        bool played_through;
        std::thread::id thread;
    };

    explicit RecordingSoundOutput(platform::SoundOutput* real = nullptr) : real_(real) {}

    bool start(std::uint32_t id, const platform::Sound& sound, EndHandler on_end) override
    {
        {
            const std::scoped_lock hold(lock_);
            starts_.push_back({id, sound, std::this_thread::get_id()});
            if (real_ == nullptr) {
                starts_.back().accepted = std::find(refused.begin(), refused.end(), sound) == refused.end();
                if (starts_.back().accepted) handlers_[id] = std::move(on_end);
                return starts_.back().accepted;
            }
        }
        const bool accepted = real_->start(id, sound, [this, id, on_end = std::move(on_end)](platform::SoundEnd how) {
            {
                const std::scoped_lock hold(lock_);
                if (how == platform::SoundEnd::refused) {
                    refuse(id);
                } else {
                    ends_.push_back({id, how == platform::SoundEnd::played_through, std::this_thread::get_id()});
                }
            }
            on_end(how);
        });
        const std::scoped_lock hold(lock_);
        if (!accepted) refuse(id);
        return accepted;
    }

    void stop(std::uint32_t id) override
    {
        {
            const std::scoped_lock hold(lock_);
            stops_.push_back(id);
            handlers_.erase(id);
        }
        if (real_ != nullptr) real_->stop(id);
    }

    // Ends a sound that is still playing, on a thread of its own; false when none was.
    bool end(std::uint32_t id, bool played_through)
    {
        EndHandler on_end;
        {
            const std::scoped_lock hold(lock_);
            const auto found = handlers_.find(id);
            if (found == handlers_.end()) return false;
            on_end = std::move(found->second);
            handlers_.erase(found);
            ends_.push_back({id, played_through, {}});
        }
        std::thread([&] {
            on_end(played_through ? platform::SoundEnd::played_through : platform::SoundEnd::broken_off);
        }).join();
        return true;
    }

    std::vector<Start> starts() const
    {
        const std::scoped_lock hold(lock_);
        return starts_;
    }
    std::vector<std::uint32_t> stops() const
    {
        const std::scoped_lock hold(lock_);
        return stops_;
    }
    std::vector<End> ends() const
    {
        const std::scoped_lock hold(lock_);
        return ends_;
    }
    std::vector<platform::Sound> sounds() const
    {
        std::vector<platform::Sound> started;
        for (const Start& each : starts()) started.push_back(each.sound);
        return started;
    }

    // The sounds a recorder without a real output refuses to play.
    std::vector<platform::Sound> refused;

private:
    // Notes that the output refused the sound, at once or later; called under the lock.
    void refuse(std::uint32_t id)
    {
        for (Start& each : starts_) {
            if (each.id == id) each.accepted = false;
        }
    }

    platform::SoundOutput* real_;
    mutable std::mutex lock_;
    std::vector<Start> starts_;
    std::vector<std::uint32_t> stops_;
    std::vector<End> ends_;
    std::map<std::uint32_t, EndHandler> handlers_;
};

// Runs the event loop until the condition holds or five seconds have passed; true when
// it holds.
inline bool events_until(const std::function<bool()>& condition, int milliseconds = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::yield();
    }
    return true;
}

// Runs the event loop for this long, so that whatever was posted meanwhile is done.
inline void events_for(int milliseconds)
{
    events_until([] { return false; }, milliseconds);
}

// A wave file of silence: 16-bit mono PCM at 8000 samples a second.
inline std::string silent_wave(int milliseconds)
{
    const std::uint32_t data_size = static_cast<std::uint32_t>(milliseconds) * 8 * 2;
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes += "RIFF";
    put(36 + data_size, 4);
    bytes += "WAVEfmt ";
    put(16, 4);         // the size of the format block
    put(1, 2);          // PCM
    put(1, 2);          // one channel
    put(8000, 4);       // samples a second
    put(8000 * 2, 4);   // bytes a second
    put(2, 2);          // bytes a sample
    put(16, 2);         // bits a sample
    bytes += "data";
    put(data_size, 4);
    bytes.append(data_size, '\0');
    return bytes;
}

} // namespace testing_support
