// Runs window tests headless: the offscreen platform unless another is asked for.
// On Windows, whose Qt may carry its Windows platform alone, on the desktop.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
