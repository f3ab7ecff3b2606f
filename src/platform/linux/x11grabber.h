#pragma once

#include <QImage>
#include <QRect>

#include "platform/linux/x11connection.h"

namespace qv::platform::x11 {

// Copies what the X server holds for a rectangle of the root window. Shared memory avoids
// sending the pixels through the socket; the plain request is the fallback.
class X11Grabber {
public:
    enum class Method { SharedMemory, GetImage };

    explicit X11Grabber(XConnection x, bool allowSharedMemory = true);
    ~X11Grabber();
    X11Grabber(const X11Grabber&) = delete;
    X11Grabber& operator=(const X11Grabber&) = delete;

    // rect in root co-ordinates, already inside the screen. Empty on failure.
    QImage grab(const QRect& rect);
    Method method() const { return shmAvailable_ ? Method::SharedMemory : Method::GetImage; }

private:
    QImage grabGetImage(const QRect& rect);
    QImage grabShared(const QRect& rect);
    bool reserveSegment(size_t bytes);
    void releaseSegment();
    QImage toImage(const uint8_t* data, int width, int height, uint8_t depth) const;

    XConnection x_;
    bool shmAvailable_ = false;
    uint32_t segment_ = 0;
    int shmId_ = -1;
    uint8_t* shmData_ = nullptr;
    size_t shmSize_ = 0;
};

}  // namespace qv::platform::x11
