#pragma once
// Child processes of a benchmark: a program timed as a whole, and the peak memory of a
// process's own image.
#include <string>
#include <vector>

namespace bench {

struct ProcessRun {
    bool ran = false;
    long count = -1;  // the first number the process printed
    long second = -1; // the second one
    long third = -1;  // and the third
    double ms = 0;    // from the spawn to the end of the process
};

// Runs a program as a child process with its output into a file. A run counts when the
// process exits with 0 or 1 (grep's and rg's "nothing found").
ProcessRun run_process(const std::vector<std::string>& arguments, const std::string& output_path);

// This executable's path.
std::string self_path();

// The peak resident memory of this process's own image, in kB; -1 when unknown. (The peak
// that the system reports for a child process at its end may be its parent's, from before
// the child's exec.)
long peak_resident_kb();
// The resident memory of this process now, in kB; -1 when unknown.
long resident_kb();

} // namespace bench
