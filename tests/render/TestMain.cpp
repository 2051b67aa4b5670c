#include <QGuiApplication>

#include <gtest/gtest.h>

// Pages are laid out with fonts, which need a GUI application; without a
// display the offscreen platform serves.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
