// The search's scan of a US ZIP-code file without the window, as a small process of its
// own: reads, splits and matches every line by name, and prints how many matched. The
// search benchmark times it beside grep and rg, which are processes too.
#include "bench/scan/name_scan.h"
#include "platform/runtime_error.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: search_scan FILE PATTERN\n");
        return 2;
    }
    try {
        std::printf("%d\n", bench::count_name_matches(argv[1], argv[2]));
        return 0;
    } catch (const platform::RuntimeError& error) {
        std::fprintf(stderr, "search_scan: error %d\n", error.number());
        return 2;
    }
}
