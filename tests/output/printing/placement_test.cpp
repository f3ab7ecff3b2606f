#include <gtest/gtest.h>

#include "output/printing/placement.h"

namespace qv::output {
namespace {

constexpr double kMmPerPx = 25.4 / 96;
const QSizeF kA4(209.97, 297.01);
const MarginsMm k25{25, 25, 25, 25};

QSizeF px(double w, double h) {
    return {w * kMmPerPx, h * kMmPerPx};
}

TEST(Placement, FitsAndAlignsEveryCaseInBothOrientations) {
    const struct {
        const char* fit;
        QSizeF paper;
        QSizeF image;
        QSizeF printed;
    } fits[] = {
        {"neither, portrait", kA4, px(400, 300), {105.833, 79.375}},
        {"wider, portrait", kA4, px(800, 300), {159.97, 59.989}},
        {"taller, portrait", kA4, px(300, 1200), {61.752, 247.01}},
        {"both, portrait: proportions kept", kA4, px(1920, 1080), {159.97, 89.983}},
        {"neither, landscape", kA4.transposed(), px(400, 300), {105.833, 79.375}},
        {"wider, landscape", kA4.transposed(), px(1200, 300), {247.01, 61.752}},
        {"taller, landscape", kA4.transposed(), px(300, 800), {59.989, 159.97}},
        {"both, landscape", kA4.transposed(), px(1920, 1080), {247.01, 138.943}},
    };
    const struct {
        const char* name;
        double kx;
        double ky;
    } alignments[] = {
        {"Top Left", 0, 0},        {"Top Centered", 0.5, 0},    {"Top Right", 1, 0},
        {"Centered Left", 0, 0.5}, {"Centered", 0.5, 0.5},      {"Centered Right", 1, 0.5},
        {"Bottom Left", 0, 1},     {"Bottom Centered", 0.5, 1}, {"Bottom Right", 1, 1},
        {"top left", 0, 0},        {"Centred", 0, 0},           {"", 0, 0},
    };
    for (const auto& f : fits) {
        const double areaW = f.paper.width() - 50;
        const double areaH = f.paper.height() - 50;
        for (const auto& a : alignments) {
            const auto placed = placePicture(f.image, f.paper, k25, QString::fromUtf8(a.name));
            ASSERT_TRUE(placed) << f.fit;
            EXPECT_NEAR(placed->width(), f.printed.width(), 0.005) << f.fit << " " << a.name;
            EXPECT_NEAR(placed->height(), f.printed.height(), 0.005) << f.fit << " " << a.name;
            EXPECT_NEAR(placed->x(), 25 + a.kx * (areaW - f.printed.width()), 0.005)
                << f.fit << " " << a.name;
            EXPECT_NEAR(placed->y(), 25 + a.ky * (areaH - f.printed.height()), 0.005)
                << f.fit << " " << a.name;
        }
    }
}

TEST(Placement, EqualToTheAreaIsNotLargerAndNoRoomPlacesNothing) {
    const QSizeF area(159.97, 247.01);
    for (const char* name : {"Top Left", "Centered", "Bottom Right"}) {
        const QRectF placed = *placePicture(area, kA4, k25, QString::fromUtf8(name));
        EXPECT_NEAR(placed.x(), 25, 1e-9) << name;
        EXPECT_NEAR(placed.y(), 25, 1e-9) << name;
        EXPECT_EQ(placed.size(), area) << name;
    }
    // Just as wide as the area: its height is natural, so the picture is not shrunk.
    const QRectF asWide = *placePicture({159.97, 10}, kA4, k25, QStringLiteral("Bottom Right"));
    EXPECT_NEAR(asWide.height(), 10, 1e-9);
    EXPECT_NEAR(asWide.bottom(), 297.01 - 25, 1e-9);

    EXPECT_FALSE(placePicture(px(400, 300), kA4, {105, 25, 105, 25}, QStringLiteral("Centered")));
    EXPECT_FALSE(
        placePicture(px(400, 300), kA4, {25, 150, 25, 147.01}, QStringLiteral("Centered")));
    EXPECT_FALSE(placePicture(px(400, 300), {}, k25, QStringLiteral("Top Left")));
    EXPECT_FALSE(placePicture({}, kA4, k25, QStringLiteral("Top Left")));
}

}  // namespace
}  // namespace qv::output
