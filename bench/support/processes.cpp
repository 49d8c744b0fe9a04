#include "bench/support/processes.h"

#include "bench/support/timing.h"

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace bench {

ProcessRun run_process(const std::vector<std::string>& arguments, const std::string& output_path)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ProcessRun run;
    pid_t child = 0;
    const auto start = Clock::now();
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;
    int status = 0;
    const pid_t ended = waitpid(child, &status, 0);
    run.ms = ms_since(start);
    if (ended != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return run;
    run.ran = true;
    std::ifstream output(output_path);
    output >> run.count >> run.second >> run.third;
    return run;
}

std::string self_path() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

namespace {

// One figure of this process's status, in kB.
long status_kb(const std::string& name)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == name) {
            long kb = -1;
            status >> kb;
            return kb;
        }
    }
    return -1;
}

} // namespace

long peak_resident_kb() { return status_kb("VmHWM:"); }

long resident_kb() { return status_kb("VmRSS:"); }

} // namespace bench
