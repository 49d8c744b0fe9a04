#pragma once
// The search's scan of a database file without the window: reads, splits and matches
// every line in the given category and direction, takes no turns between lines, and
// counts the matches. Shared by the search benchmark and the scan's own small process.
#include "core/category.h"
#include "search_engine/search_loop.h"

#include <string>

namespace bench {

inline int count_matches(const std::string& path, zentrel::Category category, zentrel::SearchField field,
                         const std::string& pattern)
{
    class Silent final : public zentrel::SearchListener {
    public:
        bool turn_due() override { return false; }
        void turn(const zentrel::SearchProgress&) override {}
        void matched(const zentrel::EntryFields&, const zentrel::SearchProgress&) override {}
        bool going_on() override { return true; }
    } silent;
    zentrel::SearchLoop loop(category, field, pattern);
    return loop.run(path, silent).matches;
}

} // namespace bench
