// An exception that no handler expected is a fault: it is reported on stderr and ends the
// program with a failing status, in a child process that shows how the program ends.
#include "platform/widgets/controls.h"
#include "tests/support/child_process.h"
#include "tests/support/user_actions.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

// Tells the child which exception its button's handler throws.
constexpr const char* thrown_variable = "ZENTREL_THROWN";

struct ThrownCase {
    const char* thrown;
    const char* reported;
};

TEST(UnexpectedException, EndsTheProgramWithAReportOnStderr)
{
    const ThrownCase cases[] = {
        {"logic_error", "Zentrel: an unexpected exception ended the program: a fault in the handler"},
        {"number", "Zentrel: an unexpected exception ended the program: an exception that is no std::exception"},
    };
    for (const ThrownCase& c : cases) {
        SCOPED_TRACE(c.thrown);
        const testing_support::ChildEnd end = testing_support::run_in_child(
            {"", "UnexpectedExceptionChild.DISABLED_ClicksAButtonWhoseHandlerThrows", {{thrown_variable, c.thrown}}});
        EXPECT_FALSE(end.exited && end.exit_code == 0) << "a failing status: " << end.output;
        EXPECT_EQ(end.signal_number, SIGABRT) << strsignal(end.signal_number);
        EXPECT_NE(end.output.find(c.reported), std::string::npos) << end.output;
        EXPECT_EQ(end.output.find("went on"), std::string::npos) << "the program went on after the fault";
    }
}

// Run only by the test above, in a child: a user clicks a button whose handler throws.
TEST(UnexpectedExceptionChild, DISABLED_ClicksAButtonWhoseHandlerThrows)
{
    const char* thrown = std::getenv(thrown_variable);
    if (thrown == nullptr) GTEST_SKIP() << "runs only as a child";
    platform::Window window("Caption", 4680, 3960);
    platform::CommandButton button(window, "&Go", 120, 120, 1200, 375);
    button.on_click([thrown] {
        if (std::strcmp(thrown, "number") == 0) throw 42;
        throw std::logic_error("a fault in the handler");
    });
    window.show();
    testing_support::click(button);
    std::printf("the program went on after the click\n");
}

} // namespace
