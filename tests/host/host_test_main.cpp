#include <gtest/gtest.h>

#include <QApplication>

#include "display_probe.h"

// The host's window and the plug-ins' actions are widgets: they need a
// QApplication. The test script gives a display through Xvfb; without one
// the offscreen platform serves. Listing the tests (discovery at build time,
// also under the sanitizers) makes no application at all.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!displayReachable())
        return 1;
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
