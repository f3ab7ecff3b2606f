#include "platform/linux/paintevents.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <optional>

#include "platform/clock.h"
#include "platform/linux/x11connection.h"

namespace qv::platform {

namespace {

// Set by a signal handler, so nothing but a lock-free atomic will do.
std::atomic<bool> waitsStopped_{false};
static_assert(std::atomic<bool>::is_always_lock_free);

constexpr auto kPaintsOnly = QEventLoop::ExcludeUserInputEvents |
                             QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers;

// A window of ours that no one sees. A change of its property comes back as an event behind
// every event the server sent before, and wakes the event loop.
class Marker : public QObject, private QAbstractNativeEventFilter {
public:
    explicit Marker(const x11::XConnection& x) : QObject(QCoreApplication::instance()), x_(x) {
        setObjectName(QLatin1String(kName));
        window_ = xcb_generate_id(x_.get());
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(x_.get(), XCB_COPY_FROM_PARENT, window_, x_.root(), -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &mask);
        atom_ = x_.atom("_QV_MARK");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    // The filter takes itself off the application as it goes.

    // One per application: a new application has a new connection.
    static Marker* of(const x11::XConnection& x) {
        Marker* marker = existing();
        return marker ? marker : new Marker(x);
    }
    static Marker* existing() {
        return QCoreApplication::instance()->findChild<Marker*>(QLatin1String(kName),
                                                                Qt::FindDirectChildrenOnly);
    }

    // Puts a mark behind what the server has sent so far; its number.
    quint64 send() {
        const uint8_t value = 0;
        xcb_change_property(x_.get(), XCB_PROP_MODE_REPLACE, window_, atom_, XCB_ATOM_CARDINAL, 8,
                            1, &value);
        xcb_flush(x_.get());
        return ++sent_;
    }
    bool arrived(quint64 mark) const { return seen_ >= mark; }

    // The server's time of the last mark that arrived ends the wait it closes.
    void endWaitAtLastMark() { waitEndedAt_ = seenAt_; }
    bool beforeEndOfWait(xcb_timestamp_t time) {
        if (!waitEndedAt_)
            return false;
        // Server times wrap after 49 days: compare the difference, and forget the wait once
        // something later has come, so that a wrap cannot bring it back.
        if (int32_t(time - *waitEndedAt_) <= 0)
            return true;
        waitEndedAt_.reset();
        return false;
    }

private:
    static constexpr const char* kName = "qv-paint-marker";

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
            if (change->window == window_ && change->atom == atom_) {
                ++seen_;
                seenAt_ = change->time;
            }
        }
        return false;
    }

    x11::XConnection x_;
    xcb_window_t window_ = 0;
    xcb_atom_t atom_ = 0;
    quint64 sent_ = 0;
    quint64 seen_ = 0;
    xcb_timestamp_t seenAt_ = 0;
    std::optional<xcb_timestamp_t> waitEndedAt_;
};

void flushX() {
    const x11::XConnection x = x11::XConnection::fromQt();
    if (x.valid())
        xcb_flush(x.get());
}

}  // namespace

void processPaintEvents() {
    if (!QCoreApplication::instance())
        return;
    QCoreApplication::processEvents(kPaintsOnly);
    // A paint ends with its picture in the connection's buffer; on its way it must not wait
    // for the next turn of the event loop.
    flushX();
}

void processPaintEventsSentSoFar() {
    const x11::XConnection x = x11::XConnection::fromQt();
    if (!x.valid()) {
        processPaintEvents();
        return;
    }
    Marker* marker = Marker::of(x);
    const quint64 mark = marker->send();
    // Events run in the order they came, so once the mark has run, so have the exposes
    // before it. The deadline only guards against a server that has gone away.
    const QDeadlineTimer deadline(2000);
    for (;;) {
        processPaintEvents();
        if (marker->arrived(mark) || deadline.hasExpired())
            return;
        QThread::msleep(1);
    }
}

void releaseHeldInput() {
    // Qt keeps the input it was told to leave aside until the next event from the server
    // comes; the mark is one that surely comes.
    const x11::XConnection x = x11::XConnection::fromQt();
    if (x.valid() && QCoreApplication::instance())
        Marker::of(x)->send();
}

bool waitPainting(const std::function<bool(int sliceMs)>& done, QDeadlineTimer deadline) {
    const Clock::Wait wait;
    constexpr qint64 kSliceMs = 10;
    bool finished = false;
    while (!waitsStopped()) {
        const qint64 left = deadline.isForever() ? kSliceMs : deadline.remainingTime();
        finished = done(int(std::clamp<qint64>(left, 0, kSliceMs)));
        if (finished || deadline.hasExpired())
            break;
        processPaintEvents();
    }
    // The input held back lies before the mark this sends; the mark's time tells the hotkeys
    // which presses to drop once Qt hands that input on.
    processPaintEventsSentSoFar();
    const x11::XConnection x = x11::XConnection::fromQt();
    if (x.valid() && QCoreApplication::instance())
        Marker::of(x)->endWaitAtLastMark();
    releaseHeldInput();
    return finished;
}

void stopWaits() noexcept {
    waitsStopped_.store(true);
}

bool waitsStopped() {
    return waitsStopped_.load();
}

bool pressedDuringAWait(uint32_t serverTime) {
    if (!QCoreApplication::instance())
        return false;
    Marker* marker = Marker::existing();
    return marker && marker->beforeEndOfWait(serverTime);
}

}  // namespace qv::platform
