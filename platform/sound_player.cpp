#include "platform/sound_player.h"

#include "core/app_identity.h"
#include "platform/file_attributes.h"
#include "platform/text.h"

#include <canberra.h>

#include <mutex>
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
// under the library's number for it. The library tells of an end on its own threads: an
// ending sound is taken out under the lock and its handler called outside it, and the
// library is never called while the lock is held.
class SharedContext final {
public:
    static SharedContext& get()
    {
        // Never destroyed (see CanberraOutput).
        static auto* const shared = new SharedContext;
        return *shared;
    }

    bool start(const CanberraOutput* owner, std::uint32_t id, const Sound& sound, SoundOutput::EndHandler on_end)
    {
        if (context_ == nullptr) return false;
        PropertyList properties;
        if (properties.get() == nullptr) return false;
        ca_proplist_sets(properties.get(),
                         sound.kind == Sound::Kind::file ? CA_PROP_MEDIA_FILENAME : CA_PROP_EVENT_ID,
                         sound.name.c_str());
        std::uint32_t library_id = 0;
        {
            const std::scoped_lock hold(lock_);
            library_id = next_library_id_++;
            playing_[library_id] = Playing{owner, id, std::move(on_end)};
        }
        if (ca_context_play_full(context_, library_id, properties.get(), &SharedContext::finished, this) ==
            CA_SUCCESS) {
            return true;
        }
        take(library_id);
        return false;
    }

    // Stops the owner's sound of that id, or every sound of the owner's without an id.
    void stop(const CanberraOutput* owner, std::optional<std::uint32_t> id)
    {
        std::vector<std::uint32_t> stopped;
        {
            const std::scoped_lock hold(lock_);
            for (auto each = playing_.begin(); each != playing_.end();) {
                if (each->second.owner == owner && (!id || each->second.id == *id)) {
                    stopped.push_back(each->first);
                    each = playing_.erase(each);
                } else {
                    ++each;
                }
            }
        }
        for (const std::uint32_t library_id : stopped) ca_context_cancel(context_, library_id);
    }

private:
    struct Playing {
        const CanberraOutput* owner = nullptr;
        std::uint32_t id = 0;
        SoundOutput::EndHandler on_end;
    };

    SharedContext()
    {
        if (ca_context_create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            return;
        }
        ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, zentrel::app_title, nullptr);
    }

    static void finished(ca_context*, std::uint32_t library_id, int error_code, void* shared)
    {
        if (auto ended = static_cast<SharedContext*>(shared)->take(library_id)) ended->on_end(error_code == CA_SUCCESS);
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

    ca_context* context_ = nullptr;
    std::mutex lock_;
    std::unordered_map<std::uint32_t, Playing> playing_;
    std::uint32_t next_library_id_ = 1;
};

} // namespace

CanberraOutput::~CanberraOutput() { SharedContext::get().stop(this, std::nullopt); }

bool CanberraOutput::start(std::uint32_t id, const Sound& sound, EndHandler on_end)
{
    return SharedContext::get().start(this, id, sound, std::move(on_end));
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
    if (start() || sound_ == theme_bell) return;
    sound_ = theme_bell;
    start();
}

bool EventSoundPlayer::start()
{
    const std::uint32_t id = next_id_++;
    // Called on the output's thread: only the post may be touched there.
    auto on_end = [this, post = post_, alive = std::weak_ptr<char>(alive_), id](bool played_through) {
        post([this, alive, id, played_through] {
            if (!alive.expired()) ended(id, played_through);
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

void EventSoundPlayer::ended(std::uint32_t id, bool played_through)
{
    if (playing_ != id) return; // a sound that was stopped, or one that went before
    playing_.reset();
    if (looped_ && played_through && now_() - started_at_ >= shortest_repeated_sound) {
        start();
    }
}

} // namespace platform
