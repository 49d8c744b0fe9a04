#include "platform/widgets/app_state.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "core/app_identity.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace platform {

namespace {
bool ending = false;
}

void prepare_process()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    for (const int signal_number : {SIGXFSZ, SIGPIPE}) ::sigaction(signal_number, &ignore, nullptr);
}

void end_program()
{
    if (ending) return;
    ending = true;
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    QCoreApplication::exit(0);
}

bool program_ending() { return ending; }

void end_on_unexpected_exception() noexcept
{
    std::string what = "an exception that is no std::exception";
    try {
        throw;
    } catch (const std::exception& exception) {
        what = exception.what();
    } catch (...) {
    }
    std::fprintf(stderr, "%s: an unexpected exception ended the program: %s\n", zentrel::app_title, what.c_str());
    std::fflush(stderr);
    std::abort();
}

void check_program_end()
{
    if (ending) throw ProgramEnd{};
}

} // namespace platform

namespace platform {

void reset_program_end()
{
    if (!ending) return;
    ending = false;
    // Asking the application to exit leaves it quitting: every event loop started from
    // then on (a pop-up menu's, a modal window's) returns at once, until the application's
    // own loop has run. One pass of that loop clears it.
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
}

} // namespace platform
