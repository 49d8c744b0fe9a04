#pragma once
// The scan of one database file, without a window: reads the file line by line, skips
// comments and blanks, splits every entry by the category's rule, matches the chosen
// field against the pattern and counts the matches, telling its listener of every line
// and every match. Where the pattern requires a run of characters, only the entries that
// hold it are split and matched; the others are counted all the same. It stops at the end
// of the file, at the match limit, or when the listener says so. Showing the rows, the
// progress and the yield are the listener's, and so is how often it takes its turn
// between lines, and within a line long enough to be read block after block.
#include "core/category.h"
#include "search_engine/database_entry.h"
#include "search_engine/wildcard.h"
#include "platform/text_file_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zentrel {

// How far a scan has come.
struct SearchProgress {
    long long file_size = 0;
    long long lines_read = 0;
    long long characters_read = 0;
    long long entries_read = 0;
    std::int32_t matches = 0;

    // The share of the file read, in percent; error 11 (division by zero) when the file
    // was empty when it was measured and has grown since.
    double percent() const;
};

class SearchListener {
public:
    virtual ~SearchListener() = default;
    // Asked before each line is read: whether the listener wants its turn now.
    virtual bool turn_due() = 0;
    // The listener's turn, before the next line is read; the progress is the one so far.
    virtual void turn(const SearchProgress& progress) = 0;
    // An entry whose field matched; progress.matches counts it already.
    virtual void matched(const EntryFields& entry, const SearchProgress& progress) = 0;
    // After each line, and after each block of a long line; false ends the scan before
    // the next one (a long line is then given up unmatched).
    virtual bool going_on() = 0;
};

enum class SearchField { Code, Name };

class SearchLoop final {
public:
    static constexpr std::int32_t match_limit = 50000;

    // The pattern is kept untrimmed: outer spaces are part of what the user typed and
    // must match as typed. `foreign` names the positions of typed letters that
    // Windows-1252 lacks.
    SearchLoop(Category category, SearchField field, std::string pattern, std::vector<std::size_t> foreign = {});

    // Scans the file at path; error 53 when it cannot be found, 7 at a line longer than
    // any database line, 65 when the file was cut short while it was read. Returns the
    // progress at the end.
    SearchProgress run(const std::string& path, SearchListener& listener);
    // How far the scan has come, also when it failed.
    const SearchProgress& progress() const { return progress_; }

private:
    // Where in the file the pattern's required run may stand: lines that cannot hold it
    // are counted but not split. The search looks ahead in the block of the file in hand
    // and remembers the first place it found, so that the lines before it pass at once.
    class RunLookout final {
    public:
        explicit RunLookout(RequiredRun run) : run_(std::move(run)) {}
        // Before the next line of the file is read; searches on only once the place found
        // last has been passed or the bytes searched last have all been read.
        void look_ahead(const platform::InputFile& file)
        {
            const long long start = file.position();
            if (start < found_at_ || (start == found_at_ && start < searched_end_)) return;
            search_from(start, file.read_ahead());
        }
        // Whether the line that began there, `length` bytes long, may hold the run.
        bool may_hold(long long start, std::size_t length) const;

    private:
        void search_from(long long start, std::string_view ahead);

        RequiredRun run_;
        bool anchors_chosen_ = false;
        long long searched_end_ = 0; // the place after the bytes searched last
        long long found_at_ = 0;     // the first place of the run in them, or searched_end_
    };

    void prepare_pattern();
    void match_entry(std::string_view line, std::string_view ahead, SearchListener& listener);
    bool follow_long_line(std::size_t length_so_far, SearchListener& listener);

    Category category_;
    SearchField field_;
    std::string pattern_;
    std::vector<std::size_t> foreign_;
    // Compiled before the file is read when the pattern is valid; an invalid one is
    // compiled again at the first entry line, so that it fails only there.
    std::optional<WildcardPattern> compiled_;
    std::optional<RunLookout> lookout_;
    SearchProgress progress_;
};

} // namespace zentrel
