#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "toolkit/colors.h"

namespace qv::toolkit {
namespace {

TEST(Colors, ValuesAreBlueGreenRedOrTheDesktopsColourAtTheTime) {
    EXPECT_EQ(colorFromValue(0xFFFF80), QColor(0x80, 0xFF, 0xFF));
    EXPECT_EQ(colorValue(QColor(0x12, 0x34, 0x56)), 0x563412);

    // The menu and window backgrounds the Options window asks for, on a desktop whose
    // colours change while the program runs.
    const QPalette before = QGuiApplication::palette();
    for (const QColor& background : {QColor(0xD4, 0xD0, 0xC8), QColor(0x20, 0x30, 0x40)}) {
        QPalette desktop;
        desktop.setColor(QPalette::Window, background);
        desktop.setColor(QPalette::Base, background.lighter());
        QGuiApplication::setPalette(desktop);
        EXPECT_EQ(colorFromValue(kSystemColorFlag | 4), background);
        EXPECT_EQ(colorFromValue(kSystemColorFlag | 5), background.lighter());
    }
    QGuiApplication::setPalette(before);
}

}  // namespace
}  // namespace qv::toolkit
