#pragma once
// Runs one test of this test binary again in a child process of its own, for what only
// a real process shows: the death by a signal, a resource limit, the program's folder.
// The child starts with the default action of every signal, as a new program does, and
// writes no core file when a signal ends it.
#include "tests/support/temp_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace testing_support {

struct ChildRun {
    // The binary to run; this one when empty.
    std::string program;
    std::string test_name;
    // Variables added to this process's environment.
    std::map<std::string, std::string> variables;
    // The largest file the child may write; no new limit when 0.
    rlim_t file_size_limit = 0;
    // A program, by its full path, and its arguments, that runs the test binary in the
    // child and is handed it as its last arguments (a tracer such as strace); none when
    // empty.
    std::vector<std::string> wrapper = {};
};

struct ChildEnd {
    // The child outran the time it was given and was killed.
    bool timed_out = false;
    bool exited = false;
    int exit_code = -1;
    int signal_number = 0;
    std::string output;

    bool passed() const { return exited && exit_code == 0 && output.find("[  PASSED  ] 1 test.") != std::string::npos; }
};

namespace child_detail {

constexpr unsigned time_limit_seconds = 120;

inline std::vector<char*> pointers_to(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

inline std::vector<std::string> environment_with(const std::map<std::string, std::string>& variables)
{
    std::vector<std::string> environment;
    for (char** each = environ; *each != nullptr; ++each) {
        const std::string entry(*each);
        if (!variables.contains(entry.substr(0, entry.find('=')))) environment.push_back(entry);
    }
    for (const auto& [name, value] : variables) environment.push_back(name + "=" + value);
    return environment;
}

} // namespace child_detail

// A child that runs one test; its output is kept in a folder of its own until it ends.
struct RunningChild {
    pid_t pid = -1;
    std::unique_ptr<TempFolder> output_folder = std::make_unique<TempFolder>();
};

// Starts the test (disabled tests included) in a child and returns at once. The child
// inherits every descriptor of this process that is not closed on exec.
inline RunningChild start_child(const ChildRun& run)
{
    RunningChild started;
    const std::string output_path = started.output_folder->file("output.txt");
    std::vector<std::string> arguments = run.wrapper;
    arguments.insert(arguments.end(),
                     {run.program.empty() ? std::filesystem::read_symlink("/proc/self/exe").string() : run.program,
                      "--gtest_filter=" + run.test_name, "--gtest_also_run_disabled_tests"});
    std::vector<std::string> environment = child_detail::environment_with(run.variables);
    const std::vector<char*> argv = child_detail::pointers_to(arguments);
    const std::vector<char*> envp = child_detail::pointers_to(environment);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    if (run.file_size_limit != 0) limit.rlim_cur = run.file_size_limit;

    const int output = ::open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    started.pid = ::fork();
    if (started.pid == 0) {
        // Only calls that are safe between fork and exec.
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const rlimit no_core_file{0, 0};
        ::setrlimit(RLIMIT_CORE, &no_core_file);
        struct sigaction default_action {};
        default_action.sa_handler = SIG_DFL;
        for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
            ::sigaction(signal_number, &default_action, nullptr);
        }
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::alarm(child_detail::time_limit_seconds);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(output);
    return started;
}

// Waits for the child's end.
inline ChildEnd wait_for(RunningChild& child)
{
    ChildEnd end;
    int status = 0;
    while (child.pid > 0 && ::waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    end.exited = child.pid > 0 && WIFEXITED(status);
    end.exit_code = end.exited ? WEXITSTATUS(status) : -1;
    end.signal_number = child.pid > 0 && WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    end.output = child.output_folder->read_file("output.txt");
    child.pid = -1;
    return end;
}

// Waits for the child's end for at most this long, then kills it, so that a child that
// hangs fails its test instead of holding up the tests.
inline ChildEnd wait_for(RunningChild& child, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool timed_out = false;
    // Looks whether the child has ended, leaving it to be reaped below.
    const auto running = [&child] {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0;
    };
    while (child.pid > 0 && running()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(child.pid, SIGKILL);
            timed_out = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ChildEnd end = wait_for(child);
    end.timed_out = timed_out;
    return end;
}

// Runs the test (disabled tests included) and waits for the child's end.
inline ChildEnd run_in_child(const ChildRun& run)
{
    RunningChild child = start_child(run);
    return wait_for(child);
}

} // namespace testing_support
