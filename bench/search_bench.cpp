// How fast the search runs. On the US ZIP-code file restored from the built-in data
// (42,158 lines) and on that file repeated 50 times (2.1 million lines): searches in the
// real window from the Enter key to the idle window, the abort, the repaints while a
// search runs, the peak memory of a search that lists 50,000 rows and of one that reads a
// line without end, and the bare scan of the search against grep and rg, each a process
// of its own, on the same files. Then every category on a file of 2.1 million lines made
// of its own restored records, few matches: a pattern the scan must split every line for,
// against grep -c -i and against the same search over the ZIP file's kind of line, and a
// pattern that holds a run of letters, against grep -c -i and rg -c -i. Prints one line
// per measure with its target and "ok" or "MISSED", and the platform the window ran on
// (offscreen, or an X server: "xcb").
//
// The bare scan as a process is helpers/search_scan beside this executable. The peak
// memory is measured in a child process, this executable again:
//   search_bench --window-search FOLDER PATTERN
// searches the ZIP-code file of FOLDER for PATTERN in the window and prints the rows it
// listed, its peak resident memory and its resident memory once the search ended, in kB.
#include "bench/scan/scan.h"
#include "bench/support/processes.h"
#include "bench/support/timing.h"
#include "core/category.h"
#include "core/paths.h"
#include "default_data/default_modules.h"
#include "main_window/frm_main.h"
#include "search_engine/search_loop.h"
#include "platform/formats.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/real_services.h"
#include "tests/support/main_window_user.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_doubles.h"
#include "tests/support/user_actions.h"

#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <stdlib.h>

namespace {

using namespace bench;
using testing_support::settle;

constexpr int timed_runs = 5;
constexpr int process_runs = 9;
constexpr int copies_in_large_file = 50;

// A place name that stands on three lines of the ZIP-code file, typed in small letters.
constexpr const char* few_pattern = "holtsville*";
constexpr const char* grep_few_pattern = "holtsville";
constexpr const char* every_entry_pattern = "*";

const char* zip_file_name() { return zentrel::database_file_name(zentrel::Category::USZipCodes).data(); }

// ---------------------------------------------------------------------------------
// The database files

std::string repeated(const std::string& bytes, int times)
{
    std::string all;
    all.reserve(bytes.size() * static_cast<std::size_t>(times));
    for (int time = 0; time < times; ++time) all += bytes;
    return all;
}

long line_count_of(const std::string& bytes) { return static_cast<long>(std::count(bytes.begin(), bytes.end(), '\n')); }

using testing_support::TempFolder;

// The folders of the benchmark are named so that one left by a killed run tells its use.
constexpr const char* folder_use = "bench";

std::string zip_file_in(const TempFolder& folder) { return folder.file(zip_file_name()); }

// ---------------------------------------------------------------------------------
// The window's services and the event loop

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

// The main window on a program folder, with its user, who answers every message box at
// once.
struct SearchWindow {
    explicit SearchWindow(const std::string& program_folder,
                          zentrel::Category category = zentrel::Category::USZipCodes)
        : main(services_for(program_folder))
    {
        user.pick_category(category);
        settle();
    }

    // The restore command of the category's file, answered Yes.
    void restore(zentrel::Category category)
    {
        if (!user.choose_restore(category)) throw std::logic_error("the menu offers no restore");
        settle();
    }

    platform::Services services_for(const std::string& program_folder)
    {
        platform::Services services = platform::real_services();
        services.message_boxes = &message_boxes;
        services.program_folder = program_folder;
        return services;
    }

    void type_pattern(const std::string& pattern, zentrel::SearchField field = zentrel::SearchField::Name)
    {
        user.choose_direction(field);
        user.type_pattern(pattern);
        settle();
    }

    // From the Enter key in the pattern box to the idle window, in ms; the search runs
    // inside the key's handler.
    double timed_search(const std::string& pattern, zentrel::SearchField field = zentrel::SearchField::Name)
    {
        type_pattern(pattern, field);
        const auto start = Clock::now();
        user.press_enter();
        settle();
        return ms_since(start);
    }

    int match_rows() const { return form.search_state().Match_Count; }
    const std::string& last_code_cell() const
    {
        return form.ui().flx_ResultsChart.cell(form.ui().flx_ResultsChart.rows() - 1, 0).text;
    }

    testing_support::AnsweringMessageBoxes message_boxes;
    testing_support::UsedMainWindow main;
    zentrel::frm_Main& form = main.form;
    testing_support::MainWindowUser& user = main.user;
};

// The system's load over the last 1, 5 and 15 minutes, as /proc/loadavg has it.
std::string load_average()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string scan_path() { return std::filesystem::path(self_path()).parent_path().string() + "/helpers/search_scan"; }

// ---------------------------------------------------------------------------------
// Figures and the report

int missed_count = 0;
int failed_checks = 0;

void report(const std::string& name, const std::string& value, const std::string& target, bool met)
{
    if (!met) ++missed_count;
    std::printf("%-56s %-38s target %-10s %s\n", name.c_str(), value.c_str(), target.c_str(), met ? "ok" : "MISSED");
    std::fflush(stdout);
}

void inform(const std::string& name, const std::string& value) { report(name, value, "(information)", true); }

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

// The files and what is known of them.
struct BenchFiles {
    TempFolder small{folder_use};  // the restored ZIP-code file
    TempFolder large{folder_use};  // the same repeated 50 times
    long small_lines = 0;
    long large_lines = 0;
};

// A timed process run, best of several; the count of the last run.
struct ProcessFigure {
    bool ran = false;
    Spread spread{};
    long count = -1;
};

ProcessFigure time_process(const std::vector<std::string>& arguments, const std::string& output_path, int runs)
{
    ProcessFigure figure;
    std::vector<double> values;
    for (int run = 0; run < runs; ++run) {
        const ProcessRun once = run_process(arguments, output_path);
        if (!once.ran) return figure;
        values.push_back(once.ms);
        figure.count = once.count;
    }
    figure.ran = true;
    figure.spread = spread_of(values);
    return figure;
}

// ---------------------------------------------------------------------------------
// The window's searches

// The few-match and the "*" search of the restored file; returns the "*" count.
void measure_small_file_searches(SearchWindow& window, long every_entry_count)
{
    const Spread few = repeat(timed_runs, [&] { return window.timed_search(few_pattern); });
    check(window.match_rows() == 3, "the few-match search finds the place's three lines");
    report("42k file: few matches (" + std::to_string(window.match_rows()) + "), key to idle", spread_text(few),
           "median <= 20 ms", few.median <= 20);

    const Spread every = repeat(timed_runs, [&] { return window.timed_search(every_entry_pattern); });
    check(window.match_rows() == every_entry_count, "the \"*\" search lists every entry the bare scan matches");
    report("42k file: \"*\" (" + std::to_string(window.match_rows()) + " rows), key to idle", spread_text(every),
           "median <= 60 ms", every.median <= 60);
}

// Paint events and update requests that reach the main window during a "*" search. The
// window repaints while the search runs, but once per display frame, never once per line.
void measure_repaints(SearchWindow& window, long lines)
{
    EventCounter paints({QEvent::Paint, QEvent::UpdateRequest}, &window.form.search_state().Search_Running);
    QWidget* widget = window.form.ui().frm.widget();
    widget->installEventFilter(&paints);
    const double ms = window.timed_search(every_entry_pattern);
    widget->removeEventFilter(&paints);
    const double frames = ms / static_cast<double>(platform::display_frame.count());
    report("42k file: repaints during \"*\"",
           std::to_string(paints.count) + " (" + std::to_string(paints.count_while_flagged) + " running), " +
               fixed(frames, 1) + " frames",
           "> 0 running, not per line", paints.count_while_flagged > 0 && paints.count * 100 < lines);
}

void measure_large_file_search(SearchWindow& window, const BenchFiles& files)
{
    const Spread few = repeat(timed_runs, [&] { return window.timed_search(few_pattern); });
    check(window.match_rows() == 3 * copies_in_large_file, "the few-match search finds the place in every copy");
    const ProcessFigure grep = time_process({"grep", "-c", "-i", grep_few_pattern, zip_file_in(files.large)},
                                            files.large.file("grep-count.txt"), timed_runs);
    check(grep.ran, "grep ran");
    check(grep.count == window.match_rows(), "grep counts as many lines as the window lists");
    inform("2.1M file: few matches (" + std::to_string(window.match_rows()) + "), key to idle", spread_text(few));
    inform("2.1M file: grep -c -i as a process", spread_text(grep.spread));
    const double ratio = few.median / grep.spread.median;
    report("2.1M file: window / grep (medians)", fixed(ratio, 2) + "x", "<= 3x", grep.ran && ratio <= 3.0);
}

// The progress the window's caption shows, as the information window reads it back.
int shown_percent(const SearchWindow& window)
{
    const std::string& caption = window.form.ui().frm.caption();
    const auto open = caption.find("[ ");
    return open == std::string::npos ? -1 : std::atoi(caption.c_str() + open + 2);
}

// From the abort command to the aborted row, at points of a search of the large file:
// the command comes in a yield, as a user's click does, once the caption shows the
// given progress.
void measure_abort(SearchWindow& window)
{
    double worst = 0;
    std::string each_text;
    bool all_aborted = true;
    for (const int percent : {5, 25, 50, 75, 88}) {
        window.type_pattern(few_pattern);
        window.message_boxes.shown.clear();
        Clock::time_point aborted_at{};
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (aborted_at != Clock::time_point{} || shown_percent(window) < percent) return;
            aborted_at = Clock::now();
            window.user.choose_from_menu(window.form.ui().menu_AbortSearch.caption());
        });
        watch.start(0);
        window.user.press_enter();
        watch.stop();
        settle();
        const bool aborted = aborted_at != Clock::time_point{} && window.last_code_cell() == "This search was aborted.";
        all_aborted = all_aborted && aborted;
        const double ms = aborted ? ms_between(aborted_at, window.message_boxes.last_shown_at) : -1;
        worst = std::max(worst, ms);
        if (!each_text.empty()) each_text += " ";
        each_text += fixed(ms, 2);
    }
    check(all_aborted, "every abort command ended its search with the aborted row");
    report("2.1M file: abort at 5-88% to aborted row", each_text + " ms", "<= 20 ms", all_aborted && worst <= 20);
}

// The peak memory of a whole process that searches the large file for "*" in the window,
// which stops at the 50,000th row.
void measure_memory(const BenchFiles& files)
{
    const ProcessRun run = run_process({self_path(), "--window-search", files.large.path(), every_entry_pattern},
                                       files.large.file("rows.txt"));
    check(run.ran && run.count == zentrel::SearchLoop::match_limit, "the child's search listed 50,000 rows");
    const double megabytes = static_cast<double>(run.second) / 1024.0;
    report("peak memory, 50,000-row search (process)", fixed(megabytes) + " MB", "<= 60 MB",
           run.ran && megabytes <= 60);
}

// The memory of a process that searches a file of 1 GiB of zeros, one line without end:
// the search reads no more of the line than the longest line it takes, ends with the
// out-of-memory error, and gives the line's memory back.
void measure_memory_of_a_line_without_end()
{
    const TempFolder folder(folder_use);
    folder.write_file(zip_file_name(), "");
    std::filesystem::resize_file(zip_file_in(folder), std::uintmax_t{1} << 30); // sparse: no room on the disk
    const ProcessRun run =
        run_process({self_path(), "--window-search", folder.path(), every_entry_pattern}, folder.file("rows.txt"));
    check(run.ran && run.count == 0, "the child's search of a line without end listed nothing");
    const double peak = static_cast<double>(run.second) / 1024.0;
    const double after = static_cast<double>(run.third) / 1024.0;
    report("peak memory, search of 1 GiB without a line end (process)", fixed(peak) + " MB", "<= 150 MB",
           run.ran && peak <= 150);
    report("memory once that search has ended", fixed(after) + " MB", "<= 60 MB", run.ran && after <= 60);
}

// ---------------------------------------------------------------------------------
// The bare scan against grep and rg


// The scan of the search without the window (read, split, match every line), as a process
// of its own, against grep -c -i and rg -c -i as processes, on one file. Every side pays
// for starting a process; the scan's in-process time is shown beside it.
void measure_bare_scan(const std::string& label, const TempFolder& folder)
{
    const std::string path = zip_file_in(folder);
    int in_process_matches = 0;
    const Spread in_process = repeat(process_runs, [&] {
        const auto start = Clock::now();
        in_process_matches = bench::count_matches(path, zentrel::Category::USZipCodes, zentrel::SearchField::Name, few_pattern);
        return ms_since(start);
    });
    const std::string output = folder.file("count.txt");
    const ProcessFigure bare = time_process(
        {scan_path(), path, zentrel::decimal_text(zentrel::Category::USZipCodes), "1", few_pattern}, output, process_runs);
    const ProcessFigure grep = time_process({"grep", "-c", "-i", grep_few_pattern, path}, output, process_runs);
    const ProcessFigure rg = time_process({"rg", "-c", "-i", grep_few_pattern, path}, output, process_runs);
    check(bare.ran && bare.count == in_process_matches, "the bare scan as a process counts as it does in process");
    check(grep.ran && grep.count == in_process_matches, "grep counts as many lines as the bare scan matches");

    inform(label + ": bare scan in process", spread_text(in_process));
    inform(label + ": bare scan as a process", spread_text(bare.spread));
    inform(label + ": grep -c -i as a process", spread_text(grep.spread));
    inform(label + ": bare scan / grep (best of 9)", fixed(bare.spread.best / grep.spread.best, 2) + "x");
    if (!rg.ran) {
        std::printf("%s: rg is not installed (tools/install-deps installs it); no comparison with rg\n",
                    label.c_str());
        return;
    }
    check(rg.count == in_process_matches, "rg counts as many lines as the bare scan matches");
    inform(label + ": rg -c -i as a process", spread_text(rg.spread));
    inform(label + ": bare scan / rg (best of 9)", fixed(bare.spread.best / rg.spread.best, 2) + "x");
}

// ---------------------------------------------------------------------------------
// Every category on 2.1 million lines of its own records

constexpr long lines_in_category_file = 2100000;
constexpr int category_runs = 7;
// A pattern the scan must split every entry for: no letter of it stands alone, so it
// holds no run to look for. It matches no name of the built-in data.
constexpr const char* split_every_line_pattern = "[XYZ][XYZ][XYZ][XYZ]*";
// A pattern with a run of letters that no line of the built-in data holds, and the same
// for grep and rg.
constexpr const char* run_pattern = "zzq*";
constexpr const char* grep_run_pattern = "^zzq";

// Each category's restored file, repeated until it has 2.1 million lines; and, for the
// same searches over the ZIP file's kind of line, the 2.1-million-line ZIP-code file
// linked under the category's file name.
struct CategoryFiles {
    TempFolder own{folder_use};
    TempFolder zip_kind{folder_use};
    long lines = 0;
    int copies = 0;
};

std::string category_file_name(int category)
{
    return std::string(zentrel::database_file_name(static_cast<zentrel::Category>(category)));
}

std::string read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::unique_ptr<CategoryFiles> make_category_files(int category, const std::string& restored,
                                                   const std::string& large_zip_file)
{
    auto files = std::make_unique<CategoryFiles>();
    const std::string bytes = read_bytes(restored);
    const long lines = line_count_of(bytes);
    files->copies = static_cast<int>((lines_in_category_file + lines - 1) / lines);
    const std::string all = repeated(bytes, files->copies);
    files->lines = line_count_of(all);
    files->own.write_file(category_file_name(category), all);
    std::filesystem::create_symlink(large_zip_file, files->zip_kind.file(category_file_name(category)));
    return files;
}

// The ratio of two measures taken in turns, best against best (the runs least disturbed
// by other work on the machine), with the ratio of the medians beside it.
std::string ratio_text(Spread a, Spread b)
{
    return fixed(a.best / b.best, 2) + "x (medians " + fixed(a.median / b.median, 2) + "x)";
}

// The window's searches and grep and rg on one category's file, taken in turns, so that a
// change in the machine's load falls on all of them alike.
void measure_category(int category, const CategoryFiles& files)
{
    const std::string label = "cat " + std::to_string(category) + " " + category_file_name(category);
    const std::string path = files.own.file(category_file_name(category));
    const std::string output = files.own.file("count.txt");
    std::printf("%s: %ld lines (%d copies of the restored file)\n", label.c_str(), files.lines, files.copies);

    SearchWindow own(files.own.path(), static_cast<zentrel::Category>(category));
    SearchWindow zip_kind(files.zip_kind.path(), static_cast<zentrel::Category>(category));
    std::vector<double> split_ms, split_zip_ms, run_ms, grep_ms, rg_ms;
    bool grep_ran = true;
    bool rg_ran = true;
    long grep_count = -1;
    int split_rows = 0;
    for (int turn = 0; turn < category_runs; ++turn) {
        split_ms.push_back(own.timed_search(split_every_line_pattern));
        split_zip_ms.push_back(zip_kind.timed_search(split_every_line_pattern));
        split_rows += own.match_rows() + zip_kind.match_rows();
        run_ms.push_back(own.timed_search(run_pattern));
        const ProcessRun grep = run_process({"grep", "-c", "-i", grep_run_pattern, path}, output);
        const ProcessRun rg = run_process({"rg", "-c", "-i", grep_run_pattern, path}, output);
        grep_ran = grep_ran && grep.ran;
        rg_ran = rg_ran && rg.ran;
        grep_count = grep.count;
        grep_ms.push_back(grep.ms);
        rg_ms.push_back(rg.ms);
    }
    check(grep_ran, "grep ran");
    check(split_rows == 0, "the pattern that splits every line matches nothing");
    check(own.match_rows() == 0 && grep_count == 0, "the run pattern matches nothing, in the window and by grep");
    const Spread split = spread_of(split_ms);
    const Spread split_zip = spread_of(split_zip_ms);
    const Spread run = spread_of(run_ms);
    const Spread grep = spread_of(grep_ms);
    const Spread rg = spread_of(rg_ms);

    inform(label + ": grep -c -i " + grep_run_pattern, spread_text(grep));
    if (rg_ran) inform(label + ": rg -c -i " + grep_run_pattern, spread_text(rg));
    inform(label + ": every line split, key to idle", spread_text(split));
    inform(label + ": the same on the ZIP file's kind of line", spread_text(split_zip));
    inform(label + ": run " + run_pattern + ", key to idle", spread_text(run));
    report(label + ": every line split / grep", ratio_text(split, grep), "<= 2x", grep_ran && split.best <= 2 * grep.best);
    report(label + ": own lines / ZIP kind", ratio_text(split, split_zip), "<= 1.5x", split.best <= 1.5 * split_zip.best);
    report(label + ": run / grep", ratio_text(run, grep), "<= 2x", grep_ran && run.best <= 2 * grep.best);
    if (rg_ran) report(label + ": run / rg", ratio_text(run, rg), "<= 3x", run.best <= 3 * rg.best);
}

void measure_every_category(const TempFolder& restored, const std::string& large_zip_file)
{
    for (int category = 0; category < zentrel::category_count; ++category) {
        const auto files =
            make_category_files(category, restored.file(category_file_name(category)), large_zip_file);
        measure_category(category, *files);
    }
}

// ---------------------------------------------------------------------------------
// The child processes' work

int print_window_search(int argc, char* argv[], const std::string& folder, const std::string& pattern)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    SearchWindow window(folder);
    window.timed_search(pattern);
    std::printf("%d %ld %ld\n", window.match_rows(), peak_resident_kb(), resident_kb());
    return 0;
}

int run_benchmark(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    const std::string platform_name = QGuiApplication::platformName().toStdString();
    const TempFolder restored(folder_use);
    {
        SearchWindow window(restored.path());
        for (int category = 0; category < zentrel::category_count; ++category) {
            window.restore(static_cast<zentrel::Category>(category));
        }
    }
    BenchFiles files;
    const std::string small_bytes = read_bytes(zip_file_in(restored));
    files.small.write_file(zip_file_name(), small_bytes);
    files.small_lines = line_count_of(small_bytes);
    {
        const std::string large_bytes = repeated(small_bytes, copies_in_large_file);
        files.large.write_file(zip_file_name(), large_bytes);
        files.large_lines = line_count_of(large_bytes);
    }
    std::printf("search benchmark: %s restored from the built-in data, %ld lines, and %d times over, %ld lines; "
                "the window on the %s platform; load average %s\n",
                zip_file_name(), files.small_lines, copies_in_large_file, files.large_lines, platform_name.c_str(),
                load_average().c_str());

    const long every_entry_count = bench::count_matches(zip_file_in(files.small), zentrel::Category::USZipCodes, zentrel::SearchField::Name, every_entry_pattern);
    {
        SearchWindow window(files.small.path());
        measure_small_file_searches(window, every_entry_count);
        measure_repaints(window, files.small_lines);
    }
    {
        SearchWindow window(files.large.path());
        measure_large_file_search(window, files);
        measure_abort(window);
    }
    measure_memory(files);
    measure_memory_of_a_line_without_end();
    measure_bare_scan("42k file", files.small);
    measure_bare_scan("2.1M file", files.large);
    measure_every_category(restored, zip_file_in(files.large));
    std::printf("load average at the end: %s\n", load_average().c_str());

    std::printf("%d target%s missed, %d check%s failed\n", missed_count, missed_count == 1 ? "" : "s", failed_checks,
                failed_checks == 1 ? "" : "s");
    return failed_checks == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 4 && std::strcmp(argv[1], "--window-search") == 0) {
        return print_window_search(argc, argv, argv[2], argv[3]);
    }
    return run_benchmark(argc, argv);
}
