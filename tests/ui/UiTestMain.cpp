#include <gtest/gtest.h>

#include <QApplication>

// The window tests run on one application object, on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
