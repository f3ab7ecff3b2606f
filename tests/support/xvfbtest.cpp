#include "support/xvfbtest.h"

#include <QCoreApplication>
#include <QRect>

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

}  // namespace qv::testsupport
