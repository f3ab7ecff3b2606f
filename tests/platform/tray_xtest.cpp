// The tray icon against a private X server with and without a tray host.
#include <QPixmap>
#include <QRect>
#include <vector>

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
    // The window of ours the tray host holds on screen: viewable, inside a window of another
    // client; 0 while there is none.
    xcb_window_t dockedIcon() const {
        const xcb_setup_t* ours = xcb_get_setup(x11::XConnection::fromQt().get());
        const auto isOurs = [ours](xcb_window_t window) {
            return (window & ~ours->resource_id_mask) == ours->resource_id_base;
        };
        return findBelow(server->x().root(), [&](xcb_window_t window, xcb_window_t parent) {
            return isOurs(window) && !isOurs(parent) && parent != server->x().root() &&
                   isViewable(window);
        });
    }

    bool wholeOnScreen(xcb_window_t window) const {
        xcb_connection_t* c = server->connection();
        const xcb_window_t root = server->x().root();
        const Reply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
        const Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr));
        const QRect screen(0, 0, server->x().screen()->width_in_pixels,
                           server->x().screen()->height_in_pixels);
        return geometry && origin &&
               screen.contains(
                   QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height));
    }

private:
    bool isViewable(xcb_window_t window) const {
        xcb_connection_t* c = server->connection();
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }
    template <class Match>
    xcb_window_t findBelow(xcb_window_t parent, const Match& match) const {
        xcb_connection_t* c = server->connection();
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr));
        if (!tree)
            return XCB_WINDOW_NONE;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            if (match(children[i], parent))
                return children[i];
            if (const xcb_window_t found = findBelow(children[i], match))
                return found;
        }
        return XCB_WINDOW_NONE;
    }
};

TEST_F(TrayX, IconDocksInTheTrayHostReportsClicksAndLeavesOnRemove) {
    startServer({.trayHost = true});
    QtTray tray;
    EXPECT_TRUE(tray.isAvailable());
    std::vector<TrayEvent> events;
    tray.onEvent = [&](TrayEvent event) { events.push_back(event); };
    tray.add(someIcon(), QStringLiteral("Quorvalline V8"));
    // The host lays its panel out after docking: click only once the icon is on the screen.
    xcb_window_t icon = XCB_WINDOW_NONE;
    ASSERT_TRUE(processUntil([&] {
        icon = dockedIcon();
        return icon != XCB_WINDOW_NONE && wholeOnScreen(icon);
    }));
    const auto click = [&](const QStringList& how) {
        ASSERT_EQ(server->run("xdotool", QStringList{"mousemove", "--window", QString::number(icon),
                                                     "4", "4", "click"} +
                                             how),
                  0);
    };
    // A middle click means nothing: the right click after it is the next event.
    click({"2"});
    click({"3"});
    ASSERT_TRUE(processUntil([&] { return !events.empty(); }));
    EXPECT_EQ(events, std::vector<TrayEvent>{TrayEvent::RightButtonUp});
    // A left click is the only sign that the pointer reached the icon.
    click({"--repeat", "2", "--delay", "1", "1"});
    ASSERT_TRUE(processUntil([&] { return events.size() >= 3; }));
    EXPECT_EQ(events, (std::vector<TrayEvent>{TrayEvent::RightButtonUp, TrayEvent::MouseMove,
                                              TrayEvent::LeftDoubleClick}));

    tray.remove();
    EXPECT_TRUE(processUntil([&] { return dockedIcon() == XCB_WINDOW_NONE; }));
    EXPECT_FALSE(tray.isShown());
}

TEST_F(TrayX, UnavailableWithoutTrayHost) {
    startServer({.windowManager = true});
    QtTray tray;
    EXPECT_FALSE(tray.isAvailable());
}

}  // namespace
}  // namespace qv::platform
