// How fast the restore command rebuilds a database file in the real window: the US
// ZIP-code file (42,158 lines written, the block filler run on every line, no yield),
// the UK dialling-code file (5,274 lines with a yield after each), the UK post-code file
// (2,906 lines with a yield after each), the radio call-sign and international
// dialling-code files (924 and 550 lines, a yield after each), and the provider and writer
// alone on a made-up ZIP-code table of records; and how fast the window then searches the
// restored ZIP-code file for "*", by code and by name, and the restored UK dialling-code
// file for a few patterns. Prints one line per measure with its target and "ok" or "MISSED".
#include "bench/support/timing.h"
#include "default_data/default_data_module.h"
#include "search_engine/database_entry.h"
#include "main_window/frm_main.h"
#include "platform/file_attributes.h"
#include "platform/formats.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"
#include "platform/text_file_writer.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/real_services.h"
#include "tests/support/main_window_user.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_doubles.h"
#include "tests/support/user_actions.h"

#include <QApplication>
#include <QStyleFactory>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <stdlib.h>

namespace {

using namespace bench;

constexpr int timed_runs = 5;

// The main window and its user, who answers Yes to every question.
struct RestoreWindow {
    explicit RestoreWindow(const std::string& folder) : main(services_for(folder)) {}

    platform::Services services_for(const std::string& folder)
    {
        platform::Services services = platform::real_services();
        services.message_boxes = &answers;
        services.program_folder = folder;
        return services;
    }

    testing_support::AnsweringMessageBoxes answers;
    testing_support::UsedMainWindow main;
    zentrel::frm_Main& form = main.form;
    testing_support::MainWindowUser& user = main.user;
};

// Ends the benchmark when a message box told of an error; the restore's question is the
// only box expected.
void stop_on_error(const RestoreWindow& window)
{
    for (const testing_support::ShownMessage& box : window.answers.shown) {
        if (box.title.find("error") == std::string::npos) continue;
        std::fprintf(stderr, "restore failed: %s\n%s\n", box.title.c_str(), box.text.c_str());
        std::exit(1);
    }
}

// Times the restore command from the menu command to the idle window.
double time_restore(RestoreWindow& window, zentrel::Category category, const std::string& folder)
{
    window.user.pick_category(category);
    testing_support::settle();
    const std::string path = window.form.search_state().DataFile_Path;
    std::vector<double> runs;
    for (int run = 0; run < timed_runs; ++run) {
        const auto start = Clock::now();
        if (!window.user.choose_restore(category)) {
            std::fprintf(stderr, "the menu offers no restore of %s\n", path.c_str());
            std::exit(1);
        }
        testing_support::settle();
        runs.push_back(ms_since(start));
        stop_on_error(window);
    }
    if (platform::file_size(path) <= 0) {
        std::fprintf(stderr, "no file written in %s\n", folder.c_str());
        std::exit(1);
    }
    return spread_of(runs).median;
}

// The entry lines of a restored file: those a search reads as entries.
int entry_lines(const std::string& path)
{
    platform::InputFile file(path);
    int entries = 0;
    std::string line;
    while (!file.eof()) {
        file.read_line(line);
        if (zentrel::line_kind(line) == zentrel::LineKind::Entry) ++entries;
    }
    return entries;
}

// Times a search in one direction, from the Search press to the idle window, over the
// file the restore wrote; it must find `expected` rows.
double time_search(RestoreWindow& window, zentrel::SearchField field, const std::string& pattern, int expected)
{
    std::vector<double> runs;
    for (int run = 0; run < timed_runs; ++run) {
        window.user.choose_direction(field);
        window.user.type_pattern(pattern);
        testing_support::settle();
        const auto start = Clock::now();
        window.user.click_search();
        testing_support::settle();
        runs.push_back(ms_since(start));
        const int found = window.form.search_state().Match_Count;
        if (found != expected) {
            std::fprintf(stderr, "the search for %s found %d rows, not %d\n", pattern.c_str(), found, expected);
            std::exit(1);
        }
    }
    return spread_of(runs).median;
}

// A search of "*": every entry of the file must be found.
double time_every_entry_search(RestoreWindow& window, zentrel::SearchField field)
{
    return time_search(window, field, "*", entry_lines(window.form.search_state().DataFile_Path));
}

// The provider contract and the writer alone, on a table of ZIP-code records.
double time_provider_and_writer(const std::string& folder)
{
    std::vector<std::string> lines(42160);
    lines[1] = "# USA zip codes";
    lines[2] = "# Zip Code - Place Name";
    lines[3] = ":Null";
    for (int n = 4; n <= 42157; ++n) {
        char text[64];
        std::snprintf(text, sizeof text, "%05d Made-up Place %d, MA", 400 + n * 2, n % 977);
        lines[static_cast<std::size_t>(n)] = text;
    }
    lines[42158] = ":Null";
    lines[42159] = "#End_Of_Data#";
    std::vector<std::string_view> table(lines.begin(), lines.end());
    zentrel::DefaultDataModule module(zentrel::DefaultDataNumbers{
        "made-up ZIP codes", 42159, 211, zentrel::directory_placeholder, table, {}});

    std::vector<double> runs;
    for (int run = 0; run < timed_runs; ++run) {
        const auto start = Clock::now();
        platform::OutputFile file(folder + "/made-up.dat");
        const auto count = platform::round_half_even(platform::val(module.Default_Line(0)));
        for (std::int32_t i = 1; i <= count; ++i) {
            const std::string line = module.Default_Line(i);
            if (platform::ucase(platform::trim_view(line)) == "#END_OF_DATA#") break;
            file.write_line(line);
        }
        file.commit();
        runs.push_back(ms_since(start));
    }
    return spread_of(runs).median;
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    const testing_support::TempFolder folder("restore-bench");
    using zentrel::Category;
    using zentrel::SearchField;
    {
        RestoreWindow window(folder.path());
        const auto time = [&](Category category) { return time_restore(window, category, folder.path()); };
        const auto search = [&](SearchField field, const std::string& pattern, int expected) {
            return time_search(window, field, pattern, expected);
        };
        const auto every_entry = [&](SearchField field) { return time_every_entry_search(window, field); };
        report_against("restore of the US ZIP-code file (42,158 lines)", time(Category::USZipCodes), 300, "ms");
        report_against("search of \"*\" by code, restored ZIP-code file", every_entry(SearchField::Code), 1000, "ms");
        report_against("search of \"*\" by name, restored ZIP-code file", every_entry(SearchField::Name), 1000, "ms");
        report_against("restore of the UK dialling-code file, yield per line", time(Category::UKDiallingCodes), 300, "ms");
        report_against("search of that file by code, ##### (3,171 rows)", search(SearchField::Code, "#####", 3171), 100, "ms");
        report_against("search of that file by code, 01224 (2 rows)", search(SearchField::Code, "01224", 2), 100, "ms");
        report_against("search of that file by name, Offley (4 rows)", search(SearchField::Name, "Offley", 4), 100, "ms");
        report_against("restore of the UK post-code file, yield per line", time(Category::UKPostCodes), 200, "ms");
        report_against("restore of the radio call-sign file (924 lines)", time(Category::RadioCallSigns), 200, "ms");
        report_against("restore of the international dialling-code file (550)", time(Category::InternationalDiallingCodes), 200, "ms");
        report_against("provider and writer alone, made-up ZIP records", time_provider_and_writer(folder.path()), 300, "ms");
    }
    return 0;
}
