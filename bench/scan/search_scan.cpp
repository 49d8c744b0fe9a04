// The search's scan of a database file without the window, as a small process of its
// own: reads, splits and matches every line in a category and direction, and prints how
// many matched. The search benchmark times it beside grep and rg, which are processes too.
//   search_scan FILE CATEGORY DIRECTION PATTERN
// CATEGORY is the category's index (its decimal text), DIRECTION 0 to match the code, 1 the name.
#include "bench/scan/scan.h"
#include "platform/runtime_error.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: search_scan FILE CATEGORY DIRECTION PATTERN\n");
        return 2;
    }
    const auto category = static_cast<zentrel::Category>(std::atoi(argv[2]));
    const auto field = std::atoi(argv[3]) == 0 ? zentrel::SearchField::Code : zentrel::SearchField::Name;
    try {
        std::printf("%d\n", bench::count_matches(argv[1], category, field, argv[4]));
        return 0;
    } catch (const platform::RuntimeError& error) {
        std::fprintf(stderr, "search_scan: error %d\n", error.number());
        return 2;
    }
}
