// The desktop service against a private X server: grabs, the window in front, the pointer.
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include "platform/linux/x11desktop.h"
#include "platform/linux/x11grabber.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

using testsupport::XvfbTest;

class DesktopX : public XvfbTest {
protected:
    void show(xcb_window_t window) {
        xcb_map_window(server->connection(), window);
        server->x().sync();
    }
    QRect managerFrame(xcb_window_t client) const {
        xcb_connection_t* c = server->connection();
        x11::Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, client), nullptr));
        x11::Reply<xcb_get_geometry_reply_t> g(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, tree->parent), nullptr));
        return QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
    }
};

TEST_F(DesktopX, GrabsWindowsPixelForPixel) {
    startServer();
    struct Area {
        QRect rect;
        uint32_t rgb;
    };
    const Area areas[] = {{QRect(200, 100, 64, 64), 0x00ff00},
                          {QRect(50, 300, 31, 200), 0x123456},
                          {QRect(1240, 770, 40, 30), 0xfefdfc}};
    for (const Area& a : areas)
        show(createWindow(a.rect, a.rgb, true));

    X11Desktop desktop;
    const QImage screen = desktop.grabScreen();
    ASSERT_EQ(screen.size(), QSize(1280, 800));
    for (const Area& a : areas) {
        for (int y = a.rect.top(); y <= a.rect.bottom(); ++y) {
            for (int x = a.rect.left(); x <= a.rect.right(); ++x)
                ASSERT_EQ(screen.pixel(x, y), 0xff000000u | a.rgb) << x << "," << y;
        }
    }
    // A region is the same pixels, and a region past the edge is cut at the screen.
    const QRect region(190, 90, 100, 100);
    EXPECT_EQ(desktop.grab(region), screen.copy(region));
    EXPECT_EQ(desktop.grab(QRect(1250, 780, 100, 100)), screen.copy(1250, 780, 30, 20));
    EXPECT_TRUE(desktop.grab(QRect(2000, 0, 10, 10)).isNull());
    // Shared memory and the plain request see the same pixels.
    EXPECT_EQ(x11::X11Grabber(x11::XConnection::fromQt(), false).grab(QRect(0, 0, 1280, 800)),
              screen);
}

TEST_F(DesktopX, ForegroundWindowWithWindowManager) {
    startServer({.windowManager = true});
    const xcb_window_t window = createWindow(QRect(100, 120, 300, 200), 0x336699, false);
    const QString title = QStringLiteral("Größe – 日本語 ✓");
    setProperty(window, "_NET_WM_NAME", "UTF8_STRING", title.toUtf8());
    setProperty(window, "WM_NAME", "STRING", "legacy");
    show(window);

    X11Desktop desktop;
    ASSERT_TRUE(processUntil([&] {
        return !server->x().property32(window, "WM_STATE", server->x().atom("WM_STATE")).empty();
    }));
    ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"windowactivate", QString::number(window)}),
              0);
    ASSERT_TRUE(processUntil([&] { return desktop.foregroundWindow() == window; }));
    ASSERT_TRUE(processUntil([&] {
        return !server->x().property32(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL).empty();
    }));
    EXPECT_EQ(desktop.windowTitle(window), title);
    EXPECT_EQ(desktop.windowFrame(window), managerFrame(window));
    EXPECT_FALSE(desktop.isDesktop(window));

    // Our own window in front does not count as the window the user was working in.
    QWidget own;
    own.show();
    own.activateWindow();
    ASSERT_TRUE(processUntil([&] { return desktop.foregroundWindow() == own.winId(); }));
    EXPECT_EQ(desktop.lastForeignWindow(), window);
}

TEST_F(DesktopX, ForegroundWindowWithoutWindowManager) {
    startServer();
    X11Desktop desktop;
    EXPECT_EQ(desktop.foregroundWindow(), 0u);
    EXPECT_TRUE(desktop.isDesktop(desktop.foregroundWindow()));

    const xcb_window_t window = createWindow(QRect(40, 60, 200, 100), 0xaabbcc, false);
    setProperty(window, "WM_NAME", "STRING", QByteArray("Caf\xe9"));
    show(window);
    xcb_connection_t* c = server->connection();
    // The focus on a child still names the top-level window.
    const xcb_window_t child = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, child, window, 5, 5, 20, 20, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(c, child);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, child, XCB_CURRENT_TIME);
    server->x().sync();

    EXPECT_EQ(desktop.foregroundWindow(), window);
    EXPECT_EQ(desktop.windowTitle(window), QStringLiteral("Café"));
    EXPECT_EQ(desktop.windowFrame(window), QRect(40, 60, 200, 100));

    // A panel that takes the focus is not the window the user worked in.
    const xcb_window_t panel = createWindow(QRect(0, 0, 300, 20), 0x202020, false);
    const uint32_t dockType = server->x().atom("_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, server->x().atom("_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &dockType);
    show(panel);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, panel, XCB_CURRENT_TIME);
    server->x().sync();
    EXPECT_EQ(desktop.foregroundWindow(), panel);
    EXPECT_EQ(desktop.lastForeignWindow(), window);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    server->x().sync();

    // A desktop background window counts as the desktop; an unmapped window has no frame.
    const uint32_t desktopType = server->x().atom("_NET_WM_WINDOW_TYPE_DESKTOP");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, server->x().atom("_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &desktopType);
    xcb_unmap_window(c, window);
    server->x().sync();
    EXPECT_TRUE(desktop.isDesktop(window));
    EXPECT_TRUE(desktop.windowFrame(window).isEmpty());
}

// A command run from a menu of ours grabs before control is back in the event loop: the
// window the menu covered must show its own pixels again by then.
TEST_F(DesktopX, SettledGrabShowsNoLeftoversOfOurClosedMenu) {
    startServer();
    X11Desktop desktop;
    QWidget window;
    window.setStyleSheet(QStringLiteral("background: #2a7f3c"));
    window.setGeometry(100, 100, 300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect area(100, 100, 300, 200);
    ASSERT_TRUE(processUntil([&] { return desktop.grab(area).pixel(150, 100) == 0xff2a7f3c; }));
    const QImage before = desktop.grab(area);

    QMenu menu;
    for (const char* caption : {"Capture Entire Screen", "Capture Active Window", "Exit"})
        menu.addAction(QString::fromLatin1(caption));
    menu.popup(QPoint(150, 130));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    ASSERT_TRUE(processUntil([&] { return desktop.grab(area) != before; }));

    menu.hide();
    desktop.settle();
    EXPECT_EQ(desktop.grab(area), before);
}

TEST_F(DesktopX, PointerPositionButtonAndBusyPointer) {
    startServer();
    X11Desktop desktop;
    ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"mousemove", "123", "45"}), 0);
    EXPECT_EQ(desktop.cursorPos(), QPoint(123, 45));
    ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"mousedown", "1"}), 0);
    EXPECT_TRUE(desktop.leftButtonDown());
    ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"mouseup", "1"}), 0);
    EXPECT_FALSE(desktop.leftButtonDown());
    {
        const auto outer = desktop.busyPointer();
        {
            const auto inner = desktop.busyPointer();
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        }
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace qv::platform
