#include "picmenu/menumetrics.h"

#include <QApplication>
#include <QFontInfo>
#include <cmath>

namespace qv::picmenu {

MenuMetrics::MenuMetrics() : metrics_(QFont()), boldMetrics_(QFont()) {
    read();
}

void MenuMetrics::read() {
    font_ = QApplication::font("QMenu");
    boldFont_ = font_;
    boldFont_.setBold(true);
    metrics_ = QFontMetrics(font_);
    boldMetrics_ = QFontMetrics(boldFont_);
    pointSize_ = QFontInfo(font_).pointSizeF();
    textHeight_ = metrics_.height();
    // The glyphs fill about half of a line of the font 1.2 times the menu font's size.
    glyphSize_ = std::max(5, int(std::lround(QFontInfo(font_).pixelSize() * 1.2 / 2)));
}

int MenuMetrics::textWidth(const QString& text, bool bold) const {
    const QFontMetrics& metrics = bold ? boldMetrics_ : metrics_;
    return metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, text).width();
}

}  // namespace qv::picmenu
