#include <gtest/gtest.h>

#include <QApplication>

// Widgets need a QApplication (and a display: the test script gives one
// through Xvfb when there is none).
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
