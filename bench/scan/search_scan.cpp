// The search's scan of a US ZIP-code file without the window, as a small process of its
// own: reads, splits and matches every line by name, and prints how many matched. The
// search benchmark times it beside grep and rg, which are processes too.
#include "main_window/search_loop.h"
#include "platform/runtime_error.h"

#include <cstdio>

namespace {

class Silent final : public zentrel::SearchListener {
public:
    bool turn_due() override { return false; }
    void turn(const zentrel::SearchProgress&) override {}
    void matched(const zentrel::EntryFields&, const zentrel::SearchProgress&) override {}
    bool going_on() override { return true; }
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: search_scan FILE PATTERN\n");
        return 2;
    }
    try {
        Silent silent;
        zentrel::SearchLoop loop(zentrel::Category::USZipCodes, zentrel::SearchField::Name, argv[2]);
        std::printf("%d\n", loop.run(argv[1], silent).matches);
        return 0;
    } catch (const platform::RuntimeError& error) {
        std::fprintf(stderr, "search_scan: error %d\n", error.number());
        return 2;
    }
}
