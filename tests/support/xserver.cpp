#include "support/xserver.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include "support/xwd.h"

namespace qv::testsupport {

using platform::x11::Reply;

XServer::XServer(const Options& options) {
    if (!startServer(options.size, options.frameBuffer))
        return;
    if (options.windowManager) {
        startChild(QStringLiteral("openbox"), {});
        if (!waitForWindowManager()) {
            error_ = QStringLiteral("openbox did not start");
            return;
        }
    }
    if (options.trayHost) {
        startChild(QStringLiteral("trayer"),
                   {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                    QStringLiteral("right"), QStringLiteral("--widthtype"),
                    QStringLiteral("request"), QStringLiteral("--height"), QStringLiteral("24")});
        if (!waitFor([this] { return selectionOwned("_NET_SYSTEM_TRAY_S0"); }))
            error_ = QStringLiteral("trayer did not start");
    }
}

XServer::~XServer() {
    if (connection_)
        xcb_disconnect(connection_);
    // The helpers first, the server last.
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        QProcess& child = **it;
        if (child.state() == QProcess::NotRunning)
            continue;
        child.terminate();
        if (!child.waitForFinished(3000)) {
            child.kill();
            child.waitForFinished(3000);
        }
    }
}

void XServer::killServer() {
    // The server was started first.
    if (children_.empty())
        return;
    children_.front()->kill();
    children_.front()->waitForFinished(3000);
}

QProcess* XServer::startChild(const QString& program, const QStringList& arguments) {
    auto child = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!display_.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display_);
    child->setProcessEnvironment(env);
    child->setProgram(program);
    child->setArguments(arguments);
    child->setStandardErrorFile(QProcess::nullDevice());
    child->start();
    child->waitForStarted(5000);
    children_.push_back(std::move(child));
    return children_.back().get();
}

bool XServer::startServer(QSize size, bool frameBuffer) {
    // The server writes the display number it found free to descriptor 1.
    QStringList arguments = {QStringLiteral("-displayfd"),
                             QStringLiteral("1"),
                             QStringLiteral("-screen"),
                             QStringLiteral("0"),
                             QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                             QStringLiteral("-nolisten"),
                             QStringLiteral("tcp")};
    if (frameBuffer) {
        frameBufferDir_ = std::make_unique<QTemporaryDir>();
        arguments << QStringLiteral("-fbdir") << frameBufferDir_->path();
    }
    QProcess* server = startChild(QStringLiteral("Xvfb"), arguments);
    QByteArray number;
    QDeadlineTimer deadline(15000);
    while (!number.contains('\n') && !deadline.hasExpired() &&
           server->state() == QProcess::Running) {
        server->waitForReadyRead(int(deadline.remainingTime()));
        number += server->readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        error_ = QStringLiteral("Xvfb did not start");
        return false;
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    connection_ = xcb_connect(display_.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection_)) {
        error_ = QStringLiteral("cannot connect to ") + display_;
        return false;
    }
    return true;
}

bool XServer::waitForWindowManager() const {
    if (!waitFor([this] {
            return !x().property32(x().root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).empty();
        })) {
        return false;
    }
    // The manager announces itself before it handles map requests, and drops requests that
    // come in between: ready means a probe window has been taken under management.
    const xcb_window_t probe = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, probe, x().root(), 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    bool managed = false;
    for (int attempt = 0; attempt < 40 && !managed; ++attempt) {
        xcb_map_window(connection_, probe);
        xcb_flush(connection_);
        managed = waitFor(
            [&] { return !x().property32(probe, "WM_STATE", x().atom("WM_STATE")).empty(); }, 250);
        if (!managed)
            xcb_unmap_window(connection_, probe);
    }
    xcb_destroy_window(connection_, probe);
    x().sync();
    return managed;
}

bool XServer::selectionOwned(const char* selection) const {
    Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, x().atom(selection)), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

QImage XServer::frameBuffer() const {
    if (!frameBufferDir_)
        return {};
    return xwdFile(frameBufferDir_->filePath(QStringLiteral("Xvfb_screen0")));
}

int XServer::run(const QString& program, const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

bool XServer::waitFor(const std::function<bool()>& condition, int deadlineMs) {
    QDeadlineTimer deadline(deadlineMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

}  // namespace qv::testsupport
