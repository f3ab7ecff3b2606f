#include "support/xvfbtest.h"

#include <QCoreApplication>
#include <QRect>
#include <QWidget>
#include <cstdlib>
#include <memory>

namespace qv::testsupport {

namespace {
int argc = 1;
char programName[] = "xtest";
char* argv[] = {programName, nullptr};
}  // namespace

void XvfbTest::startServer(const XServer::Options& options) {
    server = std::make_unique<XServer>(options);
    ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
    qputenv("DISPLAY", server->display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    app = std::make_unique<QApplication>(argc, argv);
}

void XvfbTest::TearDown() {
    app.reset();
    server.reset();
}

bool XvfbTest::processUntil(const std::function<bool()>& condition, int deadlineMs) {
    return XServer::waitFor(
        [&] {
            QCoreApplication::processEvents();
            return condition();
        },
        deadlineMs);
}

xcb_window_t XvfbTest::createWindow(const QRect& rect, uint32_t rgb, bool overrideRedirect) const {
    xcb_connection_t* c = server->connection();
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {rgb, overrideRedirect ? 1u : 0u};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, server->x().root(), int16_t(rect.x()),
                      int16_t(rect.y()), uint16_t(rect.width()), uint16_t(rect.height()), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    return window;
}

void XvfbTest::setProperty(xcb_window_t window, const char* name, const char* type,
                           const QByteArray& value) const {
    const auto x = server->x();
    xcb_change_property(server->connection(), XCB_PROP_MODE_REPLACE, window, x.atom(name),
                        x.atom(type), 8, uint32_t(value.size()), value.constData());
}

bool XvfbTest::grabKeyElsewhere(uint16_t modifiers, char key) const {
    xcb_connection_t* c = server->connection();
    platform::x11::Reply<xcb_get_keyboard_mapping_reply_t> map(
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, 8, 248), nullptr));
    if (!map)
        return false;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    xcb_keycode_t code = 0;
    for (int i = 0; i < 248 && !code; ++i) {
        if (syms[i * map->keysyms_per_keycode] == xcb_keysym_t(key - 'A' + 'a'))
            code = xcb_keycode_t(8 + i);
    }
    platform::x11::Reply<xcb_generic_error_t> error(
        xcb_request_check(c, xcb_grab_key_checked(c, 0, server->x().root(), modifiers, code,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    return !error;
}

bool XvfbTest::hasKeyboardFocus(const QWidget& window) const {
    xcb_connection_t* c = server->connection();
    const std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&free)> reply(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &free);
    return reply && reply->focus == static_cast<xcb_window_t>(window.winId());
}

}  // namespace qv::testsupport
