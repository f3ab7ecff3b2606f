// Picture menus on a display scaled by 1.5: the items are as sharp as a plain popup's.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "picmenu/menucolors.h"
#include "picmenu/picturemenus.h"

namespace qv::picmenu {
namespace {

constexpr qreal kRatio = 1.5;

// A red square with a one-pixel black border: sharp, its inside is pure red.
QIcon framedRed() {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter(&image).fillRect(QRect(4, 4, 56, 56), Qt::red);
    return QIcon(QPixmap::fromImage(image));
}

struct Ink {
    int exact = 0;  // pixels of exactly the colour looked for
    int any = 0;    // pixels that are not background
    double share() const { return any ? double(exact) / any : 0; }
};

Ink inkIn(const QImage& image, const QRect& devicePixels, QRgb colour, QRgb background) {
    Ink ink;
    for (int y = devicePixels.top(); y <= devicePixels.bottom(); ++y) {
        for (int x = devicePixels.left(); x <= devicePixels.right(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000;
            ink.any += pixel != background;
            ink.exact += pixel == colour;
        }
    }
    return ink;
}

QRect devicePixelsOf(const QRect& logical) {
    return {qCeil(logical.left() * kRatio), qCeil(logical.top() * kRatio),
            int(logical.width() * kRatio) - 1, int(logical.height() * kRatio) - 1};
}

class ScaledMenuPaintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        menus.init();
        menus.setPictures({framedRed()});
        menus.setItemPicture(QStringLiteral("Pictured"), 1);
        menus.hookMenus({&menu}, [] { return 0.0; });
        pictured = menu.addAction(QStringLiteral("Pictured"));
        separator = menu.addSeparator();
        plain = menu.addAction(QStringLiteral("Save to Default Directory"));
        menu.popup(QPoint(0, 0));
        shown = menu.grab().toImage();
        menu.hide();
    }

    // The plain item's caption as Qt draws it at this scale without the picture menus.
    Ink plainRendering(const QRect& logical) const {
        QImage image((logical.size() * kRatio), QImage::Format_RGB32);
        image.setDevicePixelRatio(kRatio);
        image.fill(colors.background);
        {
            QPainter painter(&image);
            painter.setFont(menu.font());
            painter.setPen(colors.text);
            painter.drawText(QRect(QPoint(0, 0), logical.size()), Qt::AlignVCenter, plain->text());
        }
        return inkIn(image, image.rect(), colors.text.rgb(), colors.background.rgb());
    }

    State state;
    PictureMenus menus{state};
    QMenu menu;
    QAction* pictured = nullptr;
    QAction* separator = nullptr;
    QAction* plain = nullptr;
    QImage shown;
    const MenuColors colors = MenuColors::current();
};

TEST_F(ScaledMenuPaintingTest, TextPicturesAndEdgesArePaintedAtTheDevicePixelRatio) {
    ASSERT_EQ(shown.devicePixelRatio(), kRatio) << "QT_SCALE_FACTOR=1.5 expected";
    const QRgb background = colors.background.rgb();

    // The caption: as large a share of its pixels fully dark as Qt's own text at this scale.
    const QRect item = menu.actionGeometry(plain);
    const int h = item.height();
    const QRect caption(item.left() + h + 2, item.top() + 1, item.width() - h - 2, h - 1);
    const Ink text = inkIn(shown, devicePixelsOf(caption), colors.text.rgb(), background);
    const Ink reference = plainRendering(caption);
    ASSERT_GT(reference.exact, 20);
    EXPECT_GT(text.share(), reference.share() * 0.8)
        << text.exact << " of " << text.any << " against " << reference.exact << " of "
        << reference.any;

    // The picture: 16 logical pixels are 24 device pixels, their inside pure red.
    const QRect pictureItem = devicePixelsOf(menu.actionGeometry(pictured));
    const Ink red = inkIn(shown, pictureItem, qRgb(255, 0, 0), background);
    EXPECT_GE(red.exact, 20 * 20) << "of " << red.any;

    // The separator's etched line: every device pixel across it is the dark or the light
    // colour, nothing blended between them or with the background.
    const QRect line = menu.actionGeometry(separator);
    const int middle = qRound((line.left() + line.width() / 2) * kRatio);
    int blended = 0;
    for (int y = qCeil(line.top() * kRatio); y < int(line.bottom() * kRatio); ++y) {
        const QRgb pixel = shown.pixel(middle, y) | 0xff000000;
        blended += pixel != background && pixel != colors.dark.rgb() && pixel != colors.light.rgb();
    }
    EXPECT_EQ(blended, 0);
}

}  // namespace
}  // namespace qv::picmenu
