#include <gtest/gtest.h>

#include <QApplication>

#include "display_probe.h"

// Widgets need a QApplication, and the GL tests a real display (the test
// script gives one through Xvfb). Listing the tests makes no application, so
// CTest can list them without a display, e.g. for a run of the core label.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    if (!displayReachable())
        return 1;
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
