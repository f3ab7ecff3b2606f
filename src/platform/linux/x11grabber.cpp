#include "platform/linux/x11grabber.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>

#include <cstring>

namespace qv::platform::x11 {

namespace {

const xcb_format_t* pixmapFormat(xcb_connection_t* c, uint8_t depth) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            return it.data;
    }
    return nullptr;
}

}  // namespace

X11Grabber::X11Grabber(XConnection x, bool allowSharedMemory) : x_(x) {
    if (!x_.valid() || !allowSharedMemory)
        return;
    Reply<xcb_shm_query_version_reply_t> version(
        xcb_shm_query_version_reply(x_.get(), xcb_shm_query_version(x_.get()), nullptr));
    shmAvailable_ = version != nullptr;
}

X11Grabber::~X11Grabber() {
    releaseSegment();
}

void X11Grabber::releaseSegment() {
    if (!shmData_)
        return;
    xcb_shm_detach(x_.get(), segment_);
    x_.sync();
    shmdt(shmData_);
    shmData_ = nullptr;
    shmSize_ = 0;
}

bool X11Grabber::reserveSegment(size_t bytes) {
    if (shmData_ && shmSize_ >= bytes)
        return true;
    releaseSegment();
    shmId_ = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (shmId_ < 0)
        return false;
    void* mapped = shmat(shmId_, nullptr, 0);
    if (mapped == reinterpret_cast<void*>(-1)) {
        shmctl(shmId_, IPC_RMID, nullptr);
        return false;
    }
    segment_ = xcb_generate_id(x_.get());
    Reply<xcb_generic_error_t> error(
        xcb_request_check(x_.get(), xcb_shm_attach_checked(x_.get(), segment_, shmId_, 0)));
    // Marked for removal now, so the segment goes away with the last detach even if the
    // program dies.
    shmctl(shmId_, IPC_RMID, nullptr);
    if (error) {
        shmdt(mapped);
        return false;
    }
    shmData_ = static_cast<uint8_t*>(mapped);
    shmSize_ = bytes;
    return true;
}

QImage X11Grabber::grab(const QRect& rect) {
    if (!x_.valid() || rect.isEmpty())
        return {};
    if (shmAvailable_) {
        QImage image = grabShared(rect);
        if (!image.isNull())
            return image;
        // A server on another machine, or one refusing the segment: use the plain request.
        shmAvailable_ = false;
        releaseSegment();
    }
    return grabGetImage(rect);
}

QImage X11Grabber::grabShared(const QRect& rect) {
    const xcb_format_t* format = pixmapFormat(x_.get(), x_.screen()->root_depth);
    if (!format)
        return {};
    const size_t stride =
        ((size_t(rect.width()) * format->bits_per_pixel + format->scanline_pad - 1) /
         format->scanline_pad) *
        format->scanline_pad / 8;
    if (!reserveSegment(stride * rect.height()))
        return {};
    Reply<xcb_shm_get_image_reply_t> reply(xcb_shm_get_image_reply(
        x_.get(),
        xcb_shm_get_image(x_.get(), x_.root(), rect.x(), rect.y(), rect.width(), rect.height(), ~0u,
                          XCB_IMAGE_FORMAT_Z_PIXMAP, segment_, 0),
        nullptr));
    if (!reply)
        return {};
    return toImage(shmData_, rect.width(), rect.height(), reply->depth);
}

QImage X11Grabber::grabGetImage(const QRect& rect) {
    Reply<xcb_get_image_reply_t> reply(
        xcb_get_image_reply(x_.get(),
                            xcb_get_image(x_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, x_.root(), rect.x(),
                                          rect.y(), rect.width(), rect.height(), ~0u),
                            nullptr));
    if (!reply)
        return {};
    return toImage(xcb_get_image_data(reply.get()), rect.width(), rect.height(), reply->depth);
}

QImage X11Grabber::toImage(const uint8_t* data, int width, int height, uint8_t depth) const {
    const xcb_format_t* format = pixmapFormat(x_.get(), depth);
    if (!format || xcb_get_setup(x_.get())->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return {};
    const int pad = format->scanline_pad;
    const size_t stride = ((size_t(width) * format->bits_per_pixel + pad - 1) / pad) * pad / 8;
    if (format->bits_per_pixel == 32 && depth >= 24) {
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull())
            return {};
        // The server leaves the unused top byte 0; Qt expects it opaque.
        for (int y = 0; y < height; ++y) {
            const auto* src = reinterpret_cast<const quint32*>(data + stride * y);
            auto* dst = reinterpret_cast<quint32*>(image.scanLine(y));
            for (int x = 0; x < width; ++x)
                dst[x] = src[x] | 0xff000000u;
        }
        return image;
    }
    if (format->bits_per_pixel == 16 && depth == 16) {
        QImage image(width, height, QImage::Format_RGB16);
        if (image.isNull())
            return {};
        for (int y = 0; y < height; ++y)
            std::memcpy(image.scanLine(y), data + stride * y, size_t(width) * 2);
        return image;
    }
    return {};
}

}  // namespace qv::platform::x11
