// The tray icon against a private X server with and without a tray host.
#include <QPixmap>

#include "platform/linux/qttray.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

using x11::Reply;

class TrayX : public testsupport::XvfbTest {
protected:
    static QIcon someIcon() {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }
    // Whether the tray host holds a window of ours on screen: one of this program's windows,
    // viewable, inside a window of another client.
    bool iconDocked() const {
        const xcb_setup_t* ours = xcb_get_setup(x11::XConnection::fromQt().get());
        const auto isOurs = [ours](xcb_window_t window) {
            return (window & ~ours->resource_id_mask) == ours->resource_id_base;
        };
        return findBelow(server->x().root(), [&](xcb_window_t window, xcb_window_t parent) {
            return isOurs(window) && !isOurs(parent) && parent != server->x().root() &&
                   isViewable(window);
        });
    }

private:
    bool isViewable(xcb_window_t window) const {
        xcb_connection_t* c = server->connection();
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }
    template <class Match>
    bool findBelow(xcb_window_t parent, const Match& match) const {
        xcb_connection_t* c = server->connection();
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr));
        if (!tree)
            return false;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            if (match(children[i], parent) || findBelow(children[i], match))
                return true;
        }
        return false;
    }
};

TEST_F(TrayX, IconDocksInTheTrayHostAndLeavesItOnRemove) {
    startServer({.trayHost = true});
    QtTray tray;
    EXPECT_TRUE(tray.isAvailable());
    tray.add(someIcon(), QStringLiteral("Quorvalline V8"));
    EXPECT_TRUE(processUntil([&] { return iconDocked(); }));
    tray.remove();
    EXPECT_TRUE(processUntil([&] { return !iconDocked(); }));
    EXPECT_FALSE(tray.isShown());
}

TEST_F(TrayX, UnavailableWithoutTrayHost) {
    startServer({.windowManager = true});
    QtTray tray;
    EXPECT_FALSE(tray.isAvailable());
}

}  // namespace
}  // namespace qv::platform
