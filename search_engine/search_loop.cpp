#include "search_engine/search_loop.h"

#include "platform/file_attributes.h"
#include "platform/runtime_error.h"

#include <utility>

namespace zentrel {

double SearchProgress::percent() const
{
    if (file_size == 0) platform::raise_error(platform::error::division_by_zero);
    return static_cast<double>(characters_read) * 100.0 / static_cast<double>(file_size);
}

SearchLoop::SearchLoop(Category category, SearchField field, std::string pattern, std::vector<std::size_t> foreign)
    : category_(category), field_(field), pattern_(std::move(pattern)), foreign_(std::move(foreign))
{
}

// The first block of the file picks the run's rarest characters for the search.
void SearchLoop::RunLookout::search_from(long long start, std::string_view ahead)
{
    if (!anchors_chosen_) run_.choose_anchors(ahead);
    anchors_chosen_ = true;
    searched_end_ = start + static_cast<long long>(ahead.size());
    found_at_ = start + static_cast<long long>(run_.find(ahead));
}

// The place found is the first from the line's start on. A line that goes on past the
// bytes searched (into the next block) ends after it, as the place found is at most their
// end: such a line is always split and matched.
bool SearchLoop::RunLookout::may_hold(long long start, std::size_t length) const
{
    return found_at_ < start + static_cast<long long>(length);
}

// A valid pattern is compiled before the file is read, and the run it requires, where it
// has one, is looked for ahead of the lines. An invalid one is left to fail at the first
// entry line, as it would fail to match there.
void SearchLoop::prepare_pattern()
{
    compiled_.reset();
    lookout_.reset();
    try {
        compiled_.emplace(pattern_, foreign_);
    } catch (const platform::RuntimeError&) {
        return;
    }
    RequiredRun run = compiled_->required_run();
    if (!run.empty()) lookout_.emplace(std::move(run));
}

SearchProgress SearchLoop::run(const std::string& path, SearchListener& listener)
{
    progress_ = SearchProgress{};
    progress_.file_size = platform::file_size(path);
    platform::InputFile file(path);
    file.watch_long_lines([&](std::size_t length_so_far) { return follow_long_line(length_so_far, listener); });
    prepare_pattern();
    std::string_view line;
    bool going_on = true;
    while (!file.eof() && progress_.matches < match_limit && going_on) {
        if (listener.turn_due()) listener.turn(progress_);
        const long long start = file.position();
        if (lookout_) lookout_->look_ahead(file);
        const std::string_view ahead = file.read_ahead();
        // False only where the listener ended the scan inside a long line.
        if (!file.next_line(line)) break;
        ++progress_.lines_read;
        progress_.characters_read += static_cast<long long>(line.size());
        if (line_kind(line) == LineKind::Entry) {
            ++progress_.entries_read;
            if (!lookout_ || lookout_->may_hold(start, line.size())) match_entry(line, ahead, listener);
        }
        going_on = listener.going_on();
    }
    file.close();
    return progress_;
}

// While one line is read block after block, the listener keeps its turns, with the part
// of the line read so far counted, and may end the scan before the line is whole: the
// answer is whether the reading goes on.
bool SearchLoop::follow_long_line(std::size_t length_so_far, SearchListener& listener)
{
    if (listener.turn_due()) {
        SearchProgress so_far = progress_;
        so_far.characters_read += static_cast<long long>(length_so_far);
        listener.turn(so_far);
    }
    return listener.going_on();
}

// Splits an entry line that may match and tells the listener when its field matches. A
// line that ends in the block in hand begins the bytes read ahead before it, which the
// split may read past the line; any other line is a copy of its own, and the bytes read
// ahead are then not used.
void SearchLoop::match_entry(std::string_view line, std::string_view ahead, SearchListener& listener)
{
    const EntryFields entry = split_entry(line, category_, ahead);
    if (!compiled_) compiled_.emplace(pattern_, foreign_);
    if (!compiled_->matches(field_ == SearchField::Code ? entry.code : entry.name)) return;
    ++progress_.matches;
    listener.matched(entry, progress_);
}

} // namespace zentrel
