#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QString>

namespace qv::picmenu {

// The desktop's menu font, as the picture menus measure and draw with it.
class MenuMetrics {
public:
    MenuMetrics();

    // Reads the menu font again (the desktop's font may have changed).
    void read();

    const QFont& font() const { return font_; }
    const QFont& boldFont() const { return boldFont_; }
    // The font's size in points.
    double pointSize() const { return pointSize_; }
    // The height of one line of text in pixels.
    int textHeight() const { return textHeight_; }
    // The width of a text on one line, as drawn: blanks count, an ampersand does not.
    int textWidth(const QString& text, bool bold) const;
    // The size of the check and bullet glyphs: 1.2 times the menu font.
    int glyphSize() const { return glyphSize_; }

private:
    QFont font_;
    QFont boldFont_;
    QFontMetrics metrics_;
    QFontMetrics boldMetrics_;
    double pointSize_ = 0;
    int textHeight_ = 0;
    int glyphSize_ = 0;
};

}  // namespace qv::picmenu
