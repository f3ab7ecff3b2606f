// Test programs need a QApplication; without a display they run on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("QV_XVFB")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsEmpty("QV_XVFB") ||
        !qEnvironmentVariableIsEmpty("QV_OWN_APPLICATION")) {
        // X tests start their own servers and applications per test; other tests their own
        // applications, at the scale they need.
        return RUN_ALL_TESTS();
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
