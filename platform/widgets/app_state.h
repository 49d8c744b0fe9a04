#pragma once
// Program-wide state of the layer: the end of the program, and the throttled hand-over
// of control values to the screen.
#include <chrono>

namespace platform {

// Made first thing when the process starts: a write past the largest file the process may
// write (SIGXFSZ) or into a pipe that nobody reads (SIGPIPE) then fails with an error that
// the program reports, instead of ending the process and leaving a half-done file behind.
void prepare_process();

// Thrown out of a yield when the main window has been closed: it unwinds the running
// handler (closing its files) up to the event dispatch, which then lets the program end.
// It is deliberately not a std::exception, so that no handler's error road catches it.
struct ProgramEnd {};

// Asks the program to end at once: every window closes and every event loop returns.
void end_program();
bool program_ending();

// Throws ProgramEnd when the program is ending; called after every yield.
void check_program_end();

// Called inside the catch of an exception that no handler expected (every failure a
// handler reports comes back through its error road): reports it on stderr and aborts
// the program, as any other fault ends it.
[[noreturn]] void end_on_unexpected_exception() noexcept;

// Runs one handler called from an event, so that no exception ever crosses the toolkit:
// a ProgramEnd ends the program as asked, any other exception ends it as a fault.
template <typename Handler>
void dispatch_event(Handler&& handler)
{
    try {
        handler();
    } catch (const ProgramEnd&) {
        end_program();
    } catch (...) {
        end_on_unexpected_exception();
    }
}

// Controls keep the values the program gives them and hand them to the screen later:
// at most once per display frame while a long operation yields, at once otherwise.
constexpr std::chrono::milliseconds display_frame{16};

} // namespace platform

namespace platform {
// Lets a test that ended the program go on with a fresh state.
void reset_program_end();
} // namespace platform
