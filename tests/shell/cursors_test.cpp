#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "output/savingcursor.h"
#include "shell/cursors.h"

namespace qv::shell {
namespace {

// Each pointer shows its own picture, with the hot spot where the picture points.
TEST(Cursors, EachHasItsOwnPictureAndHotSpot) {
    const std::tuple<const char*, QCursor, QPoint> rows[] = {
        {"rectangle", cursors::rectangleMode(), {15, 15}},
        {"circle", cursors::circleMode(), {15, 15}},
        {"saving", output::cursors::saving(), {15, 15}},
        {"copied", cursors::copied(), {15, 15}},
        {"link", cursors::link(), {9, 3}},
    };
    QList<QImage> seen;
    for (const auto& [name, cursor, hotSpot] : rows) {
        SCOPED_TRACE(name);
        const QImage picture = cursor.pixmap().toImage();
        EXPECT_EQ(picture.size(), QSize(32, 32));
        EXPECT_EQ(cursor.hotSpot(), hotSpot);
        EXPECT_FALSE(seen.contains(picture)) << "the same picture as another pointer";
        seen.append(picture);
    }
}

}  // namespace
}  // namespace qv::shell
