#include "main_window/search_loop.h"

#include "platform/runtime_error.h"
#include "platform/text_file.h"

#include <utility>

namespace zentrel {

namespace {
// Ends the scan from inside a line that crosses blocks, when the listener says so there.
struct ScanEnded {};
} // namespace

double SearchProgress::percent() const
{
    if (file_size == 0) platform::raise_error(11);
    return static_cast<double>(characters_read) * 100.0 / static_cast<double>(file_size);
}

SearchLoop::SearchLoop(Category category, SearchField field, std::string pattern, std::vector<std::size_t> foreign)
    : category_(category), field_(field), pattern_(std::move(pattern)), foreign_(std::move(foreign))
{
}

SearchProgress SearchLoop::run(const std::string& path, SearchListener& listener)
{
    progress_ = SearchProgress{};
    progress_.file_size = platform::file_size(path);
    platform::InputFile file(path);
    file.watch_long_lines([&](std::size_t length_so_far) { follow_long_line(length_so_far, listener); });
    std::string_view line;
    bool going_on = true;
    try {
        while (!file.eof() && progress_.matches < match_limit && going_on) {
            if (listener.turn_due()) listener.turn(progress_);
            file.next_line(line);
            ++progress_.lines_read;
            progress_.characters_read += static_cast<long long>(line.size());
            if (const auto entry = matching_entry(line)) listener.matched(*entry, progress_);
            going_on = listener.going_on();
        }
    } catch (const ScanEnded&) {
    }
    file.close();
    return progress_;
}

// While one line is read block after block, the listener keeps its turns, with the part
// of the line read so far counted, and may end the scan before the line is whole.
void SearchLoop::follow_long_line(std::size_t length_so_far, SearchListener& listener)
{
    if (listener.turn_due()) {
        SearchProgress so_far = progress_;
        so_far.characters_read += static_cast<long long>(length_so_far);
        listener.turn(so_far);
    }
    if (!listener.going_on()) throw ScanEnded{};
}

// The fields of the line when it is an entry whose field matches, which it counts.
std::optional<EntryFields> SearchLoop::matching_entry(std::string_view line)
{
    if (line_kind(line) != LineKind::Entry) return std::nullopt;
    ++progress_.entries_read;
    const EntryFields entry = split_entry(line, category_);
    if (!compiled_) compiled_.emplace(pattern_, foreign_);
    if (!compiled_->matches(field_ == SearchField::Code ? entry.code : entry.name)) return std::nullopt;
    ++progress_.matches;
    return entry;
}

} // namespace zentrel
