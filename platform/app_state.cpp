#include "platform/app_state.h"

#include <QApplication>
#include <QWidget>

namespace platform {

namespace {
bool ending = false;
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
