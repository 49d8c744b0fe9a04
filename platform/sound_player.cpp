#include "platform/sound_player.h"

#include "core/app_identity.h"
#include "platform/text.h"
#include "platform/text_file.h"

#include <canberra.h>

#include <utility>

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

CanberraOutput::CanberraOutput()
{
    if (ca_context_create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
        return;
    }
    ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, zentrel::App_Title, nullptr);
}

CanberraOutput::~CanberraOutput()
{
    // The library ends what still plays, and may tell of those ends while it does.
    if (context_ != nullptr) ca_context_destroy(context_);
}

bool CanberraOutput::start(std::uint32_t id, const Sound& sound, EndHandler on_end)
{
    if (context_ == nullptr) return false;
    PropertyList properties;
    if (properties.get() == nullptr) return false;
    ca_proplist_sets(properties.get(), sound.kind == Sound::Kind::file ? CA_PROP_MEDIA_FILENAME : CA_PROP_EVENT_ID,
                     sound.name.c_str());
    {
        const std::scoped_lock hold(lock_);
        end_handlers_[id] = std::move(on_end);
    }
    if (ca_context_play_full(context_, id, properties.get(), &CanberraOutput::finished, this) == CA_SUCCESS) {
        return true;
    }
    take_end_handler(id);
    return false;
}

void CanberraOutput::stop(std::uint32_t id)
{
    if (context_ == nullptr) return;
    take_end_handler(id);
    ca_context_cancel(context_, id);
}

void CanberraOutput::finished(ca_context*, std::uint32_t id, int error_code, void* output)
{
    if (auto on_end = static_cast<CanberraOutput*>(output)->take_end_handler(id)) (*on_end)(error_code == CA_SUCCESS);
}

std::optional<SoundOutput::EndHandler> CanberraOutput::take_end_handler(std::uint32_t id)
{
    const std::scoped_lock hold(lock_);
    const auto found = end_handlers_.find(id);
    if (found == end_handlers_.end()) return std::nullopt;
    EndHandler on_end = std::move(found->second);
    end_handlers_.erase(found);
    return on_end;
}

// ---- The player ----

EventSoundPlayer::EventSoundPlayer(SoundOutput& output, PostToProgramThread post)
    : output_(output), post_(std::move(post))
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
    started_at_ = std::chrono::steady_clock::now();
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
    if (looped_ && played_through && std::chrono::steady_clock::now() - started_at_ >= shortest_repeated_sound) {
        start();
    }
}

} // namespace platform
