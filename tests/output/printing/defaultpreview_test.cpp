#include <gtest/gtest.h>

#include "output/printing/defaultpreview.h"

namespace qv::output {
namespace {

PreviewInput a4At600(const QString& orientation, const QString& alignment,
                     Margins margins = {"25", "25", "25", "25"},
                     std::optional<Units> units = Units::Metric) {
    return {true,
            {QSize(4960, 7016), QRect(96, 96, 4768, 6824), 600, 600},
            {margins, orientation, QStringLiteral("1"), alignment},
            units,
            QStringLiteral(".")};
}

void expectPoint(QPointF actual, QPointF expected, const char* what) {
    EXPECT_NEAR(actual.x(), expected.x(), 0.01) << what;
    EXPECT_NEAR(actual.y(), expected.y(), 0.01) << what;
}

TEST(DefaultPreview, PortraitA4WithMetricMargins) {
    const DefaultPreview p = computeDefaultPreview(a4At600("Portrait", "Top Left"), {});
    EXPECT_DOUBLE_EQ(p.page.width(), 2480);
    EXPECT_DOUBLE_EQ(p.page.height(), 3508);
    EXPECT_EQ(p.margins, (PreviewMargins{295.3125, 295.3125, 295.3125, 295.3125}));
    EXPECT_NEAR(p.pageBox.width(), 2232, 1e-9);
    EXPECT_NEAR(p.pageBox.height(), 3157.2, 1e-9);
    expectPoint(p.pageBox.topLeft(), {991.5, 408.9}, "page");
    expectPoint(p.shadow(), {1091.5, 508.9}, "shadow");
    ASSERT_TRUE(p.frame);
    expectPoint(p.frame->topLeft(), {265.78125, 265.78125}, "frame");
    expectPoint(p.frame->bottomRight(), {1951.21875, 2881.41875}, "frame");
    EXPECT_FALSE(p.printerError);

    const struct {
        const char* alignment;
        QPointF sample;
    } samples[] = {
        {"Top Left", {315.78, 315.78}},        {"Centered", {931.0, 1396.1}},
        {"Bottom Right", {1546.22, 2476.42}},  {"Top Right", {1546.22, 315.78}},
        {"Bottom Centered", {931.0, 2476.42}},
    };
    for (const auto& s : samples) {
        const auto moved = computeDefaultPreview(
            a4At600(QStringLiteral("Portrait"), QString::fromUtf8(s.alignment)), p);
        expectPoint(moved.sample, s.sample, s.alignment);
    }
}

TEST(DefaultPreview, LandscapeTurnsOnlyTheDrawnPage) {
    const DefaultPreview p = computeDefaultPreview(a4At600("Landscape", "Bottom Right"), {});
    EXPECT_DOUBLE_EQ(p.page.width(), 2480) << "the page stays the portrait one";
    EXPECT_NEAR(p.pageBox.width(), 3157.2, 1e-9);
    expectPoint(p.pageBox.topLeft(), {528.9, 871.5}, "page");
    EXPECT_NEAR(p.frame->right(), 2876.41875, 1e-9);
    EXPECT_NEAR(p.frame->bottom(), 1956.21875, 1e-9);
    expectPoint(p.sample, {2876.42 - 50 - 355, 1956.22 - 50 - 355}, "sample");
}

TEST(DefaultPreview, UnitsUnevenMarginsAndUnknownTexts) {
    const auto us = computeDefaultPreview(
        a4At600("Portrait", "Top Left", {"1", "0.5", "1", "2"}, Units::US), {});
    EXPECT_EQ(us.margins, (PreviewMargins{300, 150, 300, 600}));

    // The sample at Bottom Right keeps the inset from each edge its own margin sets.
    const auto uneven =
        computeDefaultPreview(a4At600("Portrait", "Bottom Right", {"25", "25", "10", "40"}), {});
    EXPECT_NEAR(uneven.frame->right() - (uneven.sample.x() + 355), 50, 1e-9);
    EXPECT_NEAR(uneven.frame->bottom() - (uneven.sample.y() + 355), 50, 1e-9);
    EXPECT_NEAR(uneven.frame->right(), 2232 - 0.9 * 10 * 56.7 / 4.8 - 15, 1e-9);

    // Neither orientation: no resize, no frame, an empty placement area.
    const auto sideways = computeDefaultPreview(a4At600("Sideways", "Top Left"), uneven);
    EXPECT_EQ(sideways.pageBox, uneven.pageBox);
    EXPECT_FALSE(sideways.frame);
    expectPoint(sideways.sample, {50, 50}, "sample");

    // An unknown alignment leaves the sample; unknown units leave the margins.
    const auto stays = computeDefaultPreview(
        a4At600("Portrait", "Middle", {"9", "9", "9", "9"}, std::nullopt), uneven);
    EXPECT_EQ(stays.sample, uneven.sample);
    EXPECT_EQ(stays.margins, uneven.margins);
}

TEST(DefaultPreview, NoPrinterShrinksThePageAndFlagsTheError) {
    PreviewInput none = a4At600("Portrait", "Centered");
    none.printerUsable = false;
    none.portrait = {};
    const auto p = computeDefaultPreview(none, {});
    EXPECT_TRUE(p.printerError);
    EXPECT_EQ(p.page, QSizeF(0, 0));
    EXPECT_EQ(p.pageBox.size(), QSizeF(0, 0));
    EXPECT_EQ(p.margins.left, 295.3125);
}

}  // namespace
}  // namespace qv::output
