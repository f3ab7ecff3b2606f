#pragma once

#include <xcb/xcb.h>

#include <QByteArray>
#include <QHash>
#include <cstdlib>
#include <memory>
#include <vector>

namespace qv::platform::x11 {

// An X connection with the few property helpers the services share. It does not own the
// connection: Qt's (fromQt) or a caller's.
class XConnection {
public:
    XConnection() = default;
    explicit XConnection(xcb_connection_t* connection);
    // The connection the application runs on; unusable (valid() false) off X11.
    static XConnection fromQt();

    bool valid() const { return conn_ != nullptr; }
    xcb_connection_t* get() const { return conn_; }
    const xcb_screen_t* screen() const { return screen_; }
    xcb_window_t root() const { return screen_ ? screen_->root : xcb_window_t(XCB_WINDOW_NONE); }

    xcb_atom_t atom(const char* name) const;
    // The raw value of a property, or empty when it is missing or of another type.
    QByteArray property(xcb_window_t window, const char* name, xcb_atom_t type,
                        xcb_atom_t* actualType = nullptr) const;
    // A property of 32-bit items (CARDINAL, WINDOW, ATOM).
    std::vector<quint32> property32(xcb_window_t window, const char* name, xcb_atom_t type) const;
    // Waits until the server has handled every request sent so far.
    void sync() const;

private:
    xcb_connection_t* conn_ = nullptr;
    const xcb_screen_t* screen_ = nullptr;
    mutable QHash<QByteArray, xcb_atom_t> atoms_;
};

// Frees a reply of xcb when it goes out of scope.
template <class T>
struct ReplyDeleter {
    void operator()(T* p) const { free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, ReplyDeleter<T>>;

}  // namespace qv::platform::x11
