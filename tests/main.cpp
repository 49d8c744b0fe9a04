// Runs the tests headless, on the offscreen platform, inside one application object, in a
// process prepared as the program's own.
#include "platform/widgets/app_state.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>

#include <cstdlib>

namespace {

// Every test starts with the program running, whatever the test before it did: one that
// chose Exit or closed the main window leaves nothing behind for the next.
class ProgramEndReset final : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override { platform::reset_program_end(); }
};

} // namespace

int main(int argc, char* argv[])
{
    platform::prepare_process();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ProgramEndReset);
    return RUN_ALL_TESTS();
}
