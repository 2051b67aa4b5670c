#include <QCoreApplication>

#include <gtest/gtest.h>

// Queued calls and signal waits need an application object and its loop.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
