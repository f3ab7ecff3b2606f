#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "toolkit/colors.h"

namespace qv::toolkit {
namespace {

TEST(Colors, ValuesAreBlueGreenRed) {
    EXPECT_EQ(colorFromValue(0xFFFF80), QColor(0x80, 0xFF, 0xFF));
    EXPECT_EQ(colorValue(QColor(0x12, 0x34, 0x56)), 0x563412);
    // A system colour: button face from the palette.
    EXPECT_EQ(colorFromValue(0x8000000F), QGuiApplication::palette().color(QPalette::Button));
}

}  // namespace
}  // namespace qv::toolkit
