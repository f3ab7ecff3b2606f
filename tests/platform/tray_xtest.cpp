// The tray icon against a private X server with and without a tray host.
#include <QPixmap>

#include "platform/linux/qttray.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

using testsupport::XvfbTest;

QIcon someIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

TEST_F(XvfbTest, TrayAvailableWithTrayHost) {
    startServer({.trayHost = true});
    QtTray tray;
    EXPECT_TRUE(tray.isAvailable());
    tray.add(someIcon(), QStringLiteral("Quorvalline V8"));
    EXPECT_TRUE(tray.isShown());
    tray.remove();
    EXPECT_FALSE(tray.isShown());
}

TEST_F(XvfbTest, TrayUnavailableWithoutTrayHost) {
    startServer({.windowManager = true});
    QtTray tray;
    EXPECT_FALSE(tray.isAvailable());
}

}  // namespace
}  // namespace qv::platform
