#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/linux/x11connection.h"

class QProcess;
class QTemporaryDir;

namespace qv::testsupport {

// A private X server (Xvfb) with, on request, a window manager and a tray host. Every program
// it starts is stopped again when it goes away, the server last.
class XServer {
public:
    struct Options {
        QSize size{1280, 800};
        bool windowManager = false;
        bool trayHost = false;
        // The screen also in a file, as a monitor would show it (see frameBuffer()).
        bool frameBuffer = false;
    };

    explicit XServer(const Options& options);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Empty when everything started; otherwise what failed.
    const QString& error() const { return error_; }
    const QString& display() const { return display_; }
    // A client connection of its own, e.g. to play another program holding a hotkey.
    xcb_connection_t* connection() const { return connection_; }
    platform::x11::XConnection x() const { return platform::x11::XConnection(connection_); }

    // Ends the server at once, as a crash of it would; its clients lose their display.
    void killServer();

    // Runs a program against this server and waits for it; its exit code, -1 on failure.
    int run(const QString& program, const QStringList& arguments) const;

    // What the screen shows, read from the server's frame buffer file; a null image unless
    // the server was started with one. Unlike a read of the root window it holds every
    // window exactly as painted.
    QImage frameBuffer() const;

    // Checks condition every few milliseconds until it holds or deadlineMs pass.
    static bool waitFor(const std::function<bool()>& condition, int deadlineMs = 10000);

private:
    bool startServer(QSize size, bool frameBuffer);
    QProcess* startChild(const QString& program, const QStringList& arguments);
    bool selectionOwned(const char* selection) const;
    bool waitForWindowManager() const;

    std::vector<std::unique_ptr<QProcess>> children_;
    xcb_connection_t* connection_ = nullptr;
    std::unique_ptr<QTemporaryDir> frameBufferDir_;
    QString display_;
    QString error_;
};

}  // namespace qv::testsupport
