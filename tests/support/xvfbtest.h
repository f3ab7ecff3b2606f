#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "support/xserver.h"

namespace qv::testsupport {

// A test against its own X server: startServer() starts it (with the helpers asked for) and
// then the application on it. Both go away after the test, the application first.
class XvfbTest : public ::testing::Test {
protected:
    void startServer(const XServer::Options& options = {});
    void TearDown() override;

    // Lets the application handle events until condition holds or deadlineMs pass.
    static bool processUntil(const std::function<bool()>& condition, int deadlineMs = 10000);

    // A plain window of another client, filled with a colour (0xRRGGBB).
    xcb_window_t createWindow(const QRect& rect, uint32_t rgb, bool overrideRedirect) const;
    void setProperty(xcb_window_t window, const char* name, const char* type,
                     const QByteArray& value) const;
    // A key grab (X modifier mask, letter A-Z) by the server's own client connection, as
    // another program would hold a hotkey; true when the server granted it.
    bool grabKeyElsewhere(uint16_t modifiers, char key) const;
    // Whether the X server sends typed keys to window now. Qt may call a window active before
    // the window manager has given it the focus, and xdotool types where the server says.
    bool hasKeyboardFocus(const QWidget& window) const;

    std::unique_ptr<XServer> server;
    std::unique_ptr<QApplication> app;
};

}  // namespace qv::testsupport
