// main() of the test programs that need a QApplication: widgets are created off-screen.
#include "VykApplication.h"

#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TVykApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
