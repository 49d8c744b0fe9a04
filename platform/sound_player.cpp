#include "platform/sound_player.h"

#include "core/app_identity.h"
#include "platform/file_attributes.h"
#include "platform/text.h"

#include <canberra.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {

namespace {

// The freedesktop sound theme's name for an event of no kind of its own.
const Sound theme_bell{Sound::Kind::event, "bell"};

// Frees a property list when it goes out of scope.
class PropertyList final {
public:
    PropertyList() { ca_proplist_create(&list_); }
    ~PropertyList()
    {
        if (list_ != nullptr) ca_proplist_destroy(list_);
    }
    PropertyList(const PropertyList&) = delete;
    PropertyList& operator=(const PropertyList&) = delete;

    ca_proplist* get() const { return list_; }

private:
    ca_proplist* list_ = nullptr;
};

} // namespace

// ---- The desktop's event-sound library ----

namespace {

// The process's one context of the library and the sounds playing through it, each
// under the library's number for it. The library is called only on the context's own
// thread, which takes the calls from a queue; the library tells of an end on threads
// of its own. A sound is taken out under the lock and its handler called outside it,
// and the library is never called while the lock is held.
class SharedContext final {
public:
    static SharedContext& get()
    {
        // Never destroyed (see CanberraOutput).
        static auto* const shared = new SharedContext;
        return *shared;
    }

    void start(const CanberraOutput* owner, std::uint32_t id, const Sound& sound, SoundOutput::EndHandler on_end)
    {
        const std::scoped_lock hold(lock_);
        const std::uint32_t library_id = next_library_id_++;
        playing_[library_id] = Playing{owner, id, std::move(on_end)};
        calls_.push_back(Call{library_id, sound});
        call_waiting_.notify_one();
    }

    // Stops the owner's sound of that id, or every sound of the owner's without an id.
    void stop(const CanberraOutput* owner, std::optional<std::uint32_t> id)
    {
        const std::scoped_lock hold(lock_);
        for (auto each = playing_.begin(); each != playing_.end();) {
            if (each->second.owner == owner && (!id || each->second.id == *id)) {
                calls_.push_back(Call{each->first, std::nullopt});
                each = playing_.erase(each);
            } else {
                ++each;
            }
        }
        call_waiting_.notify_one();
    }

private:
    struct Playing {
        const CanberraOutput* owner = nullptr;
        std::uint32_t id = 0;
        SoundOutput::EndHandler on_end;
    };

    // A sound to start, or without one, a sound to cancel.
    struct Call {
        std::uint32_t library_id = 0;
        std::optional<Sound> sound;
    };

    SharedContext() { std::thread([this] { run(); }).detach(); }

    void run()
    {
        if (ca_context_create(&context_) == CA_SUCCESS) {
            ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, zentrel::app_title, nullptr);
        } else {
            context_ = nullptr;
        }
        for (;;) {
            const Call call = next_call();
            if (call.sound) {
                play(call.library_id, *call.sound);
            } else if (context_ != nullptr) {
                ca_context_cancel(context_, call.library_id);
            }
        }
    }

    Call next_call()
    {
        std::unique_lock hold(lock_);
        call_waiting_.wait(hold, [this] { return !calls_.empty(); });
        Call call = std::move(calls_.front());
        calls_.pop_front();
        return call;
    }

    void play(std::uint32_t library_id, const Sound& sound)
    {
        {
            // A sound stopped while it waited in the queue is not begun at all.
            const std::scoped_lock hold(lock_);
            if (!playing_.contains(library_id)) return;
        }
        PropertyList properties;
        if (context_ != nullptr && properties.get() != nullptr) {
            ca_proplist_sets(properties.get(),
                             sound.kind == Sound::Kind::file ? CA_PROP_MEDIA_FILENAME : CA_PROP_EVENT_ID,
                             sound.name.c_str());
            if (ca_context_play_full(context_, library_id, properties.get(), &SharedContext::finished, this) ==
                CA_SUCCESS) {
                return;
            }
        }
        if (auto refused = take(library_id)) refused->on_end(SoundEnd::refused);
    }

    static void finished(ca_context*, std::uint32_t library_id, int error_code, void* shared)
    {
        if (auto ended = static_cast<SharedContext*>(shared)->take(library_id)) {
            ended->on_end(error_code == CA_SUCCESS ? SoundEnd::played_through : SoundEnd::broken_off);
        }
    }

    std::optional<Playing> take(std::uint32_t library_id)
    {
        const std::scoped_lock hold(lock_);
        const auto found = playing_.find(library_id);
        if (found == playing_.end()) return std::nullopt;
        Playing ended = std::move(found->second);
        playing_.erase(found);
        return ended;
    }

    // Touched only on the context's own thread.
    ca_context* context_ = nullptr;
    std::mutex lock_;
    std::condition_variable call_waiting_;
    std::deque<Call> calls_;
    std::unordered_map<std::uint32_t, Playing> playing_;
    std::uint32_t next_library_id_ = 1;
};

} // namespace

CanberraOutput::~CanberraOutput() { SharedContext::get().stop(this, std::nullopt); }

bool CanberraOutput::start(std::uint32_t id, const Sound& sound, EndHandler on_end)
{
    SharedContext::get().start(this, id, sound, std::move(on_end));
    return true;
}

void CanberraOutput::stop(std::uint32_t id) { SharedContext::get().stop(this, id); }

// ---- The player ----

EventSoundPlayer::EventSoundPlayer(SoundOutput& output, PostToProgramThread post, Clock now)
    : output_(output), post_(std::move(post)), now_(std::move(now))
{
}

EventSoundPlayer::~EventSoundPlayer() { stop(); }

void EventSoundPlayer::play(const std::string& path, bool looped)
{
    stop();
    if (path.empty()) return;
    looped_ = looped;
    // The path is the program's text (the media folder is a registry value); the system
    // knows the file by its UTF-8 name.
    const std::string system_name = to_utf8(path);
    sound_ = file_exists(system_name) ? Sound{Sound::Kind::file, system_name} : theme_bell;
    if (!start()) fall_back_to_bell();
}

void EventSoundPlayer::fall_back_to_bell()
{
    if (sound_ == theme_bell) return;
    sound_ = theme_bell;
    start();
}

bool EventSoundPlayer::start()
{
    const std::uint32_t id = next_id_++;
    // Called on the output's thread: only the post may be touched there.
    auto on_end = [this, post = post_, alive = std::weak_ptr<char>(alive_), id](SoundEnd how) {
        post([this, alive, id, how] {
            if (!alive.expired()) ended(id, how);
        });
    };
    if (!output_.start(id, sound_, std::move(on_end))) return false;
    playing_ = id;
    started_at_ = now_();
    return true;
}

void EventSoundPlayer::stop()
{
    if (playing_) output_.stop(*playing_);
    playing_.reset();
}

void EventSoundPlayer::ended(std::uint32_t id, SoundEnd how)
{
    if (playing_ != id) return; // a sound that was stopped, or one that went before
    playing_.reset();
    if (how == SoundEnd::refused) {
        fall_back_to_bell();
    } else if (looped_ && how == SoundEnd::played_through && now_() - started_at_ >= shortest_repeated_sound) {
        start();
    }
}

} // namespace platform
