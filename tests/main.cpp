// Runs the tests headless, on the offscreen platform, inside one application object, in a
// process prepared as the program's own.
#include "platform/app_state.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>

#include <cstdlib>

int main(int argc, char* argv[])
{
    platform::prepare_process();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
