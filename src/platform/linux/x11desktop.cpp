#include "platform/linux/x11desktop.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "platform/clock.h"
#include "platform/linux/paintevents.h"

namespace qv::platform {

namespace {

// Glyphs of the standard X cursor font.
constexpr uint16_t kGlyphArrow = 68;  // left_ptr
constexpr uint16_t kGlyphWatch = 150;
// How long a window manager has to map a window of ours that was just shown.
constexpr int kMapWaitMs = 5000;

QScreen* primary() {
    return qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
}

}  // namespace

// Shows the busy pointer over the whole desktop until it goes away: on the root window for
// every program without a pointer of its own, and on our own windows.
class RootBusyPointer : public BusyPointer {
public:
    explicit RootBusyPointer(X11Desktop& desktop) : desktop_(desktop) {
        if (desktop_.busyGuards_++ == 0)
            desktop_.setRootCursor(true);
        if (qGuiApp)
            QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~RootBusyPointer() override {
        if (qGuiApp)
            QGuiApplication::restoreOverrideCursor();
        if (--desktop_.busyGuards_ == 0)
            desktop_.setRootCursor(false);
    }

private:
    X11Desktop& desktop_;
};

X11Desktop::X11Desktop() : x_(x11::XConnection::fromQt()), windows_(x_) {
    if (!x_.valid())
        return;
    grabber_ = std::make_unique<x11::X11Grabber>(x_);
    // Changes of the active window arrive as property changes on the root window; keep the
    // mask Qt has chosen and add ours.
    x11::Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        x_.get(), xcb_get_window_attributes(x_.get(), x_.root()), nullptr));
    const uint32_t mask =
        (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x_.get(), x_.root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x_.get());
    qGuiApp->installNativeEventFilter(this);
    noteForeground(windows_.active());
}

X11Desktop::~X11Desktop() {
    if (x_.valid() && qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

QSize X11Desktop::screenSize() const {
    if (x_.valid())
        return QSize(x_.screen()->width_in_pixels, x_.screen()->height_in_pixels);
    QScreen* screen = primary();
    if (!screen)
        return {};
    return screen->geometry().size() * screen->devicePixelRatio();
}

int X11Desktop::logicalDpiX() const {
    QScreen* screen = primary();
    return screen ? int(std::lround(screen->logicalDotsPerInchX())) : 96;
}

int X11Desktop::logicalDpiY() const {
    QScreen* screen = primary();
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

QImage X11Desktop::grab(const QRect& rect) {
    const QRect clipped = rect.intersected(QRect(QPoint(0, 0), screenSize()));
    if (clipped.isEmpty())
        return {};
    if (grabber_)
        return grabber_->grab(clipped);
    QScreen* screen = primary();
    if (!screen)
        return {};
    const qreal ratio = screen->devicePixelRatio();
    const QRect logical =
        QRectF(QPointF(clipped.topLeft()) / ratio, QSizeF(clipped.size()) / ratio).toAlignedRect();
    QImage image =
        screen->grabWindow(0, logical.x(), logical.y(), logical.width(), logical.height())
            .toImage();
    return image.convertToFormat(QImage::Format_RGB32);
}

WindowId X11Desktop::foregroundWindow() const {
    const WindowId window = windows_.active();
    noteForeground(window);
    return window;
}

QString X11Desktop::windowTitle(WindowId window) const {
    return windows_.title(window);
}

QRect X11Desktop::windowFrame(WindowId window) const {
    return windows_.frame(window);
}

bool X11Desktop::isDesktop(WindowId window) const {
    return windows_.isDesktopType(window);
}

WindowId X11Desktop::lastForeignWindow() const {
    noteForeground(windows_.active());
    if (lastForeign_ != 0 && !windows_.exists(lastForeign_))
        lastForeign_ = 0;
    return lastForeign_;
}

bool X11Desktop::isOurs(WindowId window) const {
    if (qGuiApp) {
        for (QWindow* w : QGuiApplication::allWindows()) {
            if (w->handle() && w->winId() == window)
                return true;
        }
    }
    return windows_.processId(window) == getpid();
}

void X11Desktop::noteForeground(WindowId window) const {
    if (window != 0 && !isOurs(window) && !windows_.isDesktopType(window) &&
        !windows_.isPanelType(window))
        lastForeign_ = window;
}

bool X11Desktop::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    if (change->window == x_.root() && change->atom == x_.atom("_NET_ACTIVE_WINDOW")) {
        const WindowId active = windows_.active();
        noteForeground(active);
        if (onForegroundChanged && (isOurs(active) || isForeign(active)))
            onForegroundChanged(active);
    }
    return false;
}

bool X11Desktop::isForeign(WindowId window) const {
    return window != 0 && !isOurs(window) && !windows_.isDesktopType(window) &&
           !windows_.isPanelType(window);
}

bool X11Desktop::isOwnWindow(WindowId window) const {
    return window != 0 && isOurs(window);
}

void X11Desktop::keepAbove(WindowId window, bool above) {
    if (!x_.valid() || window == 0)
        return;
    // Asked of the window manager, which keeps the layers; without one there are none.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window);
    message.type = x_.atom("_NET_WM_STATE");
    message.data.data32[0] = above ? 1 : 0;  // add or remove
    message.data.data32[1] = x_.atom("_NET_WM_STATE_ABOVE");
    // The older name some window managers keep the layer under; Qt sets both.
    message.data.data32[2] = x_.atom("_NET_WM_STATE_STAYS_ON_TOP");
    message.data.data32[3] = 1;  // asked by the application itself
    xcb_send_event(x_.get(), 0, x_.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x_.get());
}

void X11Desktop::stackBelow(WindowId window, WindowId other) {
    if (!x_.valid() || window == 0 || other == 0)
        return;
    // A window manager gets this as a request about its clients and restacks their frames;
    // without one the server stacks the two windows directly.
    const uint32_t values[] = {static_cast<uint32_t>(other), XCB_STACK_MODE_BELOW};
    xcb_configure_window(x_.get(), static_cast<xcb_window_t>(window),
                         XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    xcb_flush(x_.get());
}

QPoint X11Desktop::cursorPos() const {
    if (x_.valid()) {
        x11::Reply<xcb_query_pointer_reply_t> pointer(
            xcb_query_pointer_reply(x_.get(), xcb_query_pointer(x_.get(), x_.root()), nullptr));
        if (pointer)
            return QPoint(pointer->root_x, pointer->root_y);
    }
    QScreen* screen = primary();
    return screen ? QCursor::pos() * screen->devicePixelRatio() : QPoint();
}

bool X11Desktop::leftButtonDown() const {
    if (x_.valid()) {
        x11::Reply<xcb_query_pointer_reply_t> pointer(
            xcb_query_pointer_reply(x_.get(), xcb_query_pointer(x_.get(), x_.root()), nullptr));
        return pointer && (pointer->mask & XCB_BUTTON_MASK_1);
    }
    return qGuiApp && (QGuiApplication::mouseButtons() & Qt::LeftButton);
}

std::unique_ptr<BusyPointer> X11Desktop::busyPointer() {
    return std::make_unique<RootBusyPointer>(*this);
}

void X11Desktop::setRootCursor(bool busy) {
    if (!x_.valid())
        return;
    xcb_connection_t* c = x_.get();
    const xcb_font_t font = xcb_generate_id(c);
    xcb_open_font(c, font, 6, "cursor");
    const xcb_cursor_t cursor = xcb_generate_id(c);
    const uint16_t glyph = busy ? kGlyphWatch : kGlyphArrow;
    xcb_create_glyph_cursor(c, cursor, font, font, glyph, glyph + 1, 0, 0, 0, 0xffff, 0xffff,
                            0xffff);
    xcb_change_window_attributes(c, x_.root(), XCB_CW_CURSOR, &cursor);
    // The root keeps its own reference; ours can go at once.
    xcb_free_cursor(c, cursor);
    xcb_close_font(c, font);
    xcb_flush(c);
}

void X11Desktop::flush() {
    // A round trip: every request sent before, such as unmapping our frozen window, has been
    // carried out by the server when this returns.
    if (x_.valid())
        x_.sync();
}

void X11Desktop::settleActivation() {
    if (!x_.valid() || !qGuiApp)
        return;
    const Clock::Wait wait;
    // Qt asks the window manager to activate a window shown a moment ago only once the window
    // is mapped, which the window manager does in its own time. Until then the request is not
    // even sent, and a program started meanwhile would get the foreground first and lose it
    // to ours.
    const auto waitingForMap = [] {
        const QWindowList windows = QGuiApplication::topLevelWindows();
        return std::any_of(windows.cbegin(), windows.cend(), [](const QWindow* w) {
            return w->isVisible() && !w->isExposed() && !(w->windowStates() & Qt::WindowMinimized);
        });
    };
    QDeadlineTimer deadline(kMapWaitMs);
    while (waitingForMap() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (waitingForMap())
            QThread::msleep(5);
    }
    // The requests are with the server, ahead of anything the next program asks.
    x_.sync();
}

void X11Desktop::settle() {
    const Clock::Wait wait;
    // Twice: a repaint can uncover or resize in turn (a tray icon redraws once its host has).
    for (int round = 0; round < 2; ++round)
        processPaintEventsSentSoFar();
    // Our new pixels are on the screen.
    flush();
    releaseHeldInput();
}

}  // namespace qv::platform
