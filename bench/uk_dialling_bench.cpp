// How fast the real window restores the UK dialling-code file ("Directory.dat", 5,274 lines
// with a yield after each) and searches the restored file: by code for every five-digit
// code alone (3,171 rows listed), by code for one code (two rows), and by name for one
// place. Each figure is the median of five runs, from the command to the idle window.
// Prints one line per measure with its target and "ok" or "MISSED".
#include "main_window/category_texts.h"
#include "main_window/frm_main.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "platform/text_file.h"

#include <QApplication>
#include <QStyleFactory>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <stdlib.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int timed_runs = 5;
constexpr double restore_target_ms = 300;
constexpr double search_target_ms = 100;

double ms_since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The restore's question is answered Yes and the search's boxes OK; an error box ends
// the benchmark, since its figures would then mean nothing.
class AnswerYes final : public platform::MessageBoxes {
public:
    int show(const std::string& text, int, const std::string& title) override
    {
        if (title.find("error") != std::string::npos) {
            std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
            std::exit(1);
        }
        return platform::message_box::answer_yes;
    }
};

void report(const char* name, double value, double target)
{
    std::printf("%-56s %9.1f ms   target %6.0f ms   %s\n", name, value, target, value <= target ? "ok" : "MISSED");
}

void settle()
{
    platform::Control::flush_all();
    QCoreApplication::processEvents();
}

double time_restore(zentrel::frm_Main& form)
{
    std::vector<double> runs;
    for (int run = 0; run < timed_runs; ++run) {
        const auto start = Clock::now();
        form.menu_Options_RestoreDatabaseFile_Click();
        settle();
        runs.push_back(ms_since(start));
    }
    return median(runs);
}

// Times a search and checks that it found what the restored file holds.
double time_search(zentrel::frm_Main& form, int direction, const std::string& pattern, int expected)
{
    std::vector<double> runs;
    for (int run = 0; run < timed_runs; ++run) {
        form.opt_DiallOption(direction).set_value(true);
        form.txt_Inputbox.set_text(pattern);
        settle();
        const auto start = Clock::now();
        form.com_Search_Click();
        settle();
        runs.push_back(ms_since(start));
        if (form.Match_Count != expected) {
            std::fprintf(stderr, "search %s found %d rows, not %d\n", pattern.c_str(), form.Match_Count, expected);
            std::exit(1);
        }
    }
    return median(runs);
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    char name[] = "/tmp/zentrel-uk-dialling-bench-XXXXXX";
    if (::mkdtemp(name) == nullptr) return 1;
    const std::string folder = name;

    AnswerYes answers;
    platform::Services services = platform::real_services();
    services.message_boxes = &answers;
    services.program_folder = folder;
    {
        zentrel::frm_Main form(services);
        form.Load_and_Show();
        form.com_SearchType.set_list_index(zentrel::Category_UKDiallingCodes);
        settle();
        report("restore of the UK dialling-code file (5,274 lines)", time_restore(form), restore_target_ms);
        report("search by code, ##### (3,171 rows)", time_search(form, 0, "#####", 3171), search_target_ms);
        report("search by code, 01224 (2 rows)", time_search(form, 0, "01224", 2), search_target_ms);
        report("search by name, Offley (4 rows)", time_search(form, 1, "Offley", 4), search_target_ms);
    }
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
