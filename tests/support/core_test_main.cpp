// Entry point of the test programs of the layers without windows: a Qt Core application only,
// so that a library that needed widgets would fail to link here.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
