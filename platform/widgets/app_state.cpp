#include "platform/widgets/app_state.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <csignal>

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
