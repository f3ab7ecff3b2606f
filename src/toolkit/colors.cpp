#include "toolkit/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace qv::toolkit {

namespace {

QColor systemColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
        case 1:
            return palette.color(QPalette::Window);  // desktop
        case 2:
            return palette.color(QPalette::Highlight);  // active caption
        case 3:
            return palette.color(QPalette::Inactive, QPalette::Highlight);
        case 4:
            return palette.color(QPalette::Window);  // menu
        case 5:
            return palette.color(QPalette::Base);  // window
        case 6:
            return palette.color(QPalette::Shadow);  // window frame
        case 7:
            return palette.color(QPalette::WindowText);  // menu text
        case 8:
            return palette.color(QPalette::Text);  // window text
        case 9:
            return palette.color(QPalette::HighlightedText);  // caption text
        case 13:
            return palette.color(QPalette::Highlight);
        case 14:
            return palette.color(QPalette::HighlightedText);
        case 15:
            return palette.color(QPalette::Button);  // button face
        case 16:
            return palette.color(QPalette::Dark);  // button shadow
        case 17:
            return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
        case 18:
            return palette.color(QPalette::ButtonText);
        case 20:
            return palette.color(QPalette::Light);  // button highlight
        case 21:
            return palette.color(QPalette::Shadow);  // 3D dark shadow
        case 22:
            return palette.color(QPalette::Midlight);  // 3D light
        case 23:
            return palette.color(QPalette::ToolTipText);
        case 24:
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
    }
}

}  // namespace

QColor colorFromValue(qint64 value) {
    if (value & kSystemColorFlag) {
        return systemColor(static_cast<int>(value & 0xFF));
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

qint64 colorValue(const QColor& color) {
    return qint64(color.red()) | (qint64(color.green()) << 8) | (qint64(color.blue()) << 16);
}

}  // namespace qv::toolkit
