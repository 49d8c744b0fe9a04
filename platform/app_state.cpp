#include "platform/app_state.h"

#include <QApplication>
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
void reset_program_end() { ending = false; }
} // namespace platform
