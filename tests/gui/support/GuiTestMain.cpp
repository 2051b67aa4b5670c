#include "gui/common/Resources.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widgets need a GUI application; without a display the offscreen platform
// draws into memory.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velmora::gui::initResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
