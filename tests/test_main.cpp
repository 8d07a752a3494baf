#include <gtest/gtest.h>

#include <QCoreApplication>

// Qt finds its image format plug-ins (JPEG among them) only once an
// application object exists.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
