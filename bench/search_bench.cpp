// How fast the search runs in the real window, on a US ZIP-code file of full size:
// a name search with a handful of matches, a "*" search that lists every entry, the
// bare read-split-match loop against grep on the same file, how soon an abort takes
// effect, how often the window repaints while a search runs, and the peak memory.
// Prints one line per measure with its target and "ok" or "MISSED".
#include "core/category.h"
#include "main_window/frm_main.h"
#include "main_window/search_loop.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/real_services.h"

#include <QApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int file_line_count = 42158;
constexpr int comment_line_count = 2;
constexpr int entry_count = file_line_count - comment_line_count;
constexpr int timed_runs = 5;

// The rare place name: it occurs only on these entry lines, in different states.
constexpr const char* rare_place = "Quillonby";
constexpr std::array<int, 4> rare_place_entries = {6011, 17342, 28877, 40105};
constexpr const char* rare_pattern = "quillonby*"; // typed in small letters
constexpr const char* grep_rare_pattern = "quillonby";
constexpr const char* every_entry_pattern = "*";

double ms_since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// ---------------------------------------------------------------------------------
// The database file

constexpr std::array<const char*, 51> state_codes = {
    "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "FL", "GA", "HI", "ID", "IL", "IN", "IA", "KS",
    "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV", "NH", "NJ", "NM", "NY", "NC",
    "ND", "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY"};

constexpr std::array<const char*, 40> name_starts = {
    "Ash",    "Maple",  "Cedar",  "Elm",   "Oak",   "Pine",   "Birch",  "Willow", "Stone", "Clear",
    "Red",    "Green",  "White",  "Black", "Fair",  "Glen",   "Spring", "Rock",   "Sand",  "Mill",
    "Brook",  "Lake",   "River",  "Hazel", "Frank", "Wood",   "Bright", "Cold",   "Deer",  "Fox",
    "Hollow", "Silver", "Golden", "Pleas", "Lee",   "Marsh",  "Sum",    "Hart",   "Bell",  "Clay"};

constexpr std::array<const char*, 24> name_ends = {
    "",     "ford", "ton",  "ville", "field", "wood",  " Grove", " Falls", " Springs", " Creek", "dale", "burg",
    "port", "land", "mont", "view",  " City", " Hill", "side",   "bury",   " Junction", "haven", "ley", "wick"};

constexpr std::array<const char*, 6> name_prefixes = {"North ", "South ", "East ", "West ", "New ", "Port "};

std::string made_up_place(std::mt19937& random)
{
    std::string name;
    if (random() % 8 == 0) name += name_prefixes[random() % name_prefixes.size()];
    name += name_starts[random() % name_starts.size()];
    name += name_ends[random() % name_ends.size()];
    return name;
}

std::string five_digits(int code)
{
    char text[8];
    std::snprintf(text, sizeof text, "%05d", code);
    return text;
}

// Two comment lines, then entries with ascending five-digit codes, CR LF line ends.
std::string zip_code_file()
{
    std::mt19937 random(1958);
    std::string bytes = "# US ZIP codes, made-up places for the search benchmark.\r\n"
                        "# ZIP code, place name, state.\r\n";
    for (int entry = 0; entry < entry_count; ++entry) {
        const int code = 501 + static_cast<int>(static_cast<long long>(entry) * 99000 / entry_count);
        const bool rare = std::find(rare_place_entries.begin(), rare_place_entries.end(), entry) !=
                          rare_place_entries.end();
        const std::string place = rare ? std::string(rare_place) : made_up_place(random);
        bytes += five_digits(code) + " " + place + ", " + state_codes[random() % state_codes.size()] + "\r\n";
    }
    return bytes;
}

class ProgramFolder {
public:
    ProgramFolder()
    {
        char name[] = "/tmp/zentrel-bench-XXXXXX";
        if (::mkdtemp(name) == nullptr) throw std::runtime_error("cannot make a temporary folder");
        path_ = name;
    }
    ~ProgramFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::string path_;
};

// ---------------------------------------------------------------------------------
// The window's services and the event loop

// Every message box is answered with OK at once; its title is kept.
class OkMessageBoxes final : public platform::MessageBoxes {
public:
    int show(const std::string&, int, const std::string& title) override
    {
        titles.push_back(title);
        return platform::message_box::answer_ok;
    }
    std::vector<std::string> titles;
};

// Counts the events that pass a watched object, optionally only some kinds of them, and
// how many of those arrived while a flag was set.
class EventCounter final : public QObject {
public:
    explicit EventCounter(std::vector<QEvent::Type> kinds = {}, const bool* flag = nullptr)
        : kinds_(std::move(kinds)), flag_(flag)
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!kinds_.empty() && std::find(kinds_.begin(), kinds_.end(), event->type()) == kinds_.end()) return false;
        ++count;
        if (flag_ != nullptr && *flag_) ++count_while_flagged;
        return false;
    }
    long count = 0;
    long count_while_flagged = 0;

private:
    std::vector<QEvent::Type> kinds_;
    const bool* flag_;
};

// Hands the screen its values, as the end of every event handler does, then processes
// events until a pass delivers none to any object.
void settle_window()
{
    platform::Control::flush_all();
    EventCounter delivered;
    QCoreApplication::instance()->installEventFilter(&delivered);
    for (int pass = 0; pass < 10000; ++pass) {
        delivered.count = 0;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (delivered.count == 0) break;
    }
    QCoreApplication::instance()->removeEventFilter(&delivered);
}

struct SearchWindow {
    explicit SearchWindow(const std::string& program_folder) : form(services_for(program_folder))
    {
        form.Load_and_Show();
        form.ui().com_SearchType.set_list_index(zentrel::index_of(zentrel::Category::USZipCodes));
        settle_window();
    }

    platform::Services services_for(const std::string& program_folder)
    {
        platform::Services services = platform::real_services();
        services.message_boxes = &message_boxes;
        services.program_folder = program_folder;
        return services;
    }

    // From the Search press to the idle window, in ms.
    double timed_search(const std::string& pattern)
    {
        form.ui().opt_DiallOption(1).set_value(true);
        form.ui().txt_Inputbox.set_text(pattern);
        settle_window();
        const auto start = Clock::now();
        form.com_Search_Click();
        settle_window();
        return ms_since(start);
    }

    int match_rows() const { return form.search_state().Match_Count; }
    const std::string& last_code_cell() const
    {
        return form.ui().flx_ResultsChart.cell(form.ui().flx_ResultsChart.rows() - 1, 0).text;
    }

    OkMessageBoxes message_boxes;
    zentrel::frm_Main form;
};

// ---------------------------------------------------------------------------------
// Figures and the report

struct Spread {
    double best;
    double median;
};

Spread spread_of(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2]};
}

Spread repeat(int runs, const std::function<double()>& run_once)
{
    std::vector<double> values;
    for (int run = 0; run < runs; ++run) values.push_back(run_once());
    return spread_of(values);
}

std::string fixed(double value, int decimals = 1)
{
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(decimals);
    text << value;
    return text.str();
}

int missed_count = 0;
int failed_checks = 0;

void report(const std::string& name, const std::string& value, const std::string& target, bool met)
{
    if (!met) ++missed_count;
    std::printf("%-34s %-36s target %-22s %s\n", name.c_str(), value.c_str(), target.c_str(), met ? "ok" : "MISSED");
    std::fflush(stdout);
}

void check(bool holds, const std::string& what)
{
    if (holds) return;
    ++failed_checks;
    std::printf("CHECK FAILED: %s\n", what.c_str());
}

std::string spread_text(Spread spread)
{
    return "best " + fixed(spread.best) + " median " + fixed(spread.median) + " ms";
}

// ---------------------------------------------------------------------------------
// The window's searches

// Returns the median of the "*" search.
double measure_window_searches(SearchWindow& window)
{
    const Spread rare = repeat(timed_runs, [&] { return window.timed_search(rare_pattern); });
    check(window.match_rows() == static_cast<int>(rare_place_entries.size()),
          "the name search finds each of the rare place's lines");
    report("search (a) name, " + std::to_string(window.match_rows()) + " matches", spread_text(rare),
           "median <= 200 ms", rare.median <= 200);

    const Spread every = repeat(timed_runs, [&] { return window.timed_search(every_entry_pattern); });
    check(window.match_rows() == entry_count, "the \"*\" search lists every entry");
    report("search (b) \"*\", " + std::to_string(window.match_rows()) + " matches", spread_text(every),
           "median <= 1000 ms", every.median <= 1000);
    return every.median;
}

long peak_resident_kb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void measure_memory()
{
    const double megabytes = static_cast<double>(peak_resident_kb()) / 1024.0;
    report("peak resident memory after (b)", fixed(megabytes) + " MB", "<= 100 MB", megabytes <= 100);
}

// Paint events and update requests that reach the main window during a "*" search. The
// window repaints while the search runs, but once per display frame, never once per line.
void measure_repaints(SearchWindow& window)
{
    EventCounter paints({QEvent::Paint, QEvent::UpdateRequest}, &window.form.search_state().Search_Running);
    QWidget* widget = window.form.ui().frm.widget();
    widget->installEventFilter(&paints);
    const double ms = window.timed_search(every_entry_pattern);
    widget->removeEventFilter(&paints);
    const double frames = ms / static_cast<double>(platform::display_frame.count());
    report("window repaints during (b)",
           std::to_string(paints.count) + " (" + std::to_string(paints.count_while_flagged) + " while running) in " +
               fixed(ms, 0) + " ms, " + fixed(frames, 1) + " frames",
           "> 0 while running, not per line", paints.count_while_flagged > 0 && paints.count * 100 < entry_count);
}

// The abort command is given while a "*" search runs: 100 ms into it, or half-way when
// the whole search takes less than twice that.
int abort_delay_ms(double every_entry_median_ms)
{
    return every_entry_median_ms >= 200 ? 100 : std::max(1, static_cast<int>(every_entry_median_ms / 2));
}

// From the abort command to the search's return.
void measure_abort(SearchWindow& window, int delay_ms)
{
    window.form.ui().opt_DiallOption(1).set_value(true);
    window.form.ui().txt_Inputbox.set_text(every_entry_pattern);
    settle_window();
    window.message_boxes.titles.clear();
    Clock::time_point aborted_at{};
    QTimer::singleShot(delay_ms, [&] {
        aborted_at = Clock::now();
        window.form.menu_AbortSearch_Click();
    });
    window.form.com_Search_Click();
    const auto returned_at = Clock::now();
    settle_window();

    const bool aborted = aborted_at != Clock::time_point{};
    check(aborted, "the abort command ran during the search");
    check(window.last_code_cell() == "This search was aborted.", "the aborted row ends the grid");
    check(window.message_boxes.titles ==
              std::vector<std::string>{std::string(zentrel::App_Title) + " - Search aborted."},
          "the search-aborted message was shown once");
    const double ms = aborted ? std::chrono::duration<double, std::milli>(returned_at - aborted_at).count() : -1;
    report("abort at " + std::to_string(delay_ms) + " ms, to return", fixed(ms, 2) + " ms (" +
                                                                       std::to_string(window.match_rows()) + " rows)",
           "<= 50 ms", aborted && ms <= 50);
}

// ---------------------------------------------------------------------------------
// The bare loop and grep

// The search's scan of the file with a listener that shows nothing and never yields.
class SilentListener final : public zentrel::SearchListener {
public:
    bool turn_due() override { return false; }
    void turn(const zentrel::SearchProgress&) override {}
    void matched(const zentrel::EntryFields&, const zentrel::SearchProgress&) override {}
    bool going_on() override { return true; }
};

// Reads, splits and matches every line as the search does, without the window.
int bare_search(const std::string& path, const std::string& pattern)
{
    SilentListener listener;
    zentrel::SearchLoop loop(zentrel::Category::USZipCodes, zentrel::SearchField::Name, pattern);
    return loop.run(path, listener).matches;
}

// Runs grep as a child process with its output into a file; its count, or -1.
int grep_count(const std::vector<std::string>& arguments, const std::string& output_path)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return -1;
    std::ifstream output(output_path);
    int count = -1;
    output >> count;
    return count;
}

void measure_bare_loop(const ProgramFolder& folder)
{
    const std::string path = folder.file("ZipCodesUS.dat");
    int bare_matches = 0;
    const Spread bare = repeat(9, [&] {
        const auto start = Clock::now();
        bare_matches = bare_search(path, rare_pattern);
        return ms_since(start);
    });
    int grep_matches = 0;
    const std::string output_path = folder.file("grep-count.txt");
    const Spread grep = repeat(9, [&] {
        const auto start = Clock::now();
        grep_matches = grep_count({"grep", "-c", "-i", grep_rare_pattern, path}, output_path);
        return ms_since(start);
    });
    check(bare_matches == static_cast<int>(rare_place_entries.size()), "the bare loop finds the rare place");
    check(grep_matches == bare_matches, "grep counts as many lines as the bare loop matches");

    const double ratio = bare.best / grep.best;
    report("bare loop, name search", spread_text(bare), "(information)", true);
    report("grep -c -i, same file", spread_text(grep), "(information)", true);
    report("bare loop / grep (best of 9)", fixed(ratio, 2) + "x", "<= 2x", ratio <= 2.0);
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    ProgramFolder folder;
    folder.write(std::string(zentrel::database_file_name(zentrel::Category::USZipCodes)), zip_code_file());
    std::printf("search benchmark: %d lines of ZipCodesUS.dat, Release build, offscreen\n", file_line_count);

    {
        SearchWindow window(folder.path());
        const double every_entry_median_ms = measure_window_searches(window);
        measure_memory();
        measure_repaints(window);
        measure_abort(window, abort_delay_ms(every_entry_median_ms));
    }
    measure_bare_loop(folder);

    std::printf("%d target%s missed, %d check%s failed\n", missed_count, missed_count == 1 ? "" : "s", failed_checks,
                failed_checks == 1 ? "" : "s");
    return failed_checks == 0 ? 0 : 1;
}
