#include "platform/linux/x11connection.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace qv::platform::x11 {

XConnection::XConnection(xcb_connection_t* connection) : conn_(connection) {
    if (conn_ && !xcb_connection_has_error(conn_)) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data;
    } else {
        conn_ = nullptr;
    }
}

XConnection XConnection::fromQt() {
    if (!qGuiApp)
        return {};
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return XConnection(x11 ? x11->connection() : nullptr);
}

xcb_atom_t XConnection::atom(const char* name) const {
    if (!conn_)
        return XCB_ATOM_NONE;
    const QByteArray key(name);
    auto it = atoms_.constFind(key);
    if (it != atoms_.cend())
        return it.value();
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        conn_, xcb_intern_atom(conn_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    atoms_.insert(key, a);
    return a;
}

QByteArray XConnection::property(xcb_window_t window, const char* name, xcb_atom_t type,
                                 xcb_atom_t* actualType) const {
    if (!conn_ || window == XCB_WINDOW_NONE)
        return {};
    // 1 MB of property data is far beyond any title or list the program reads.
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        conn_, xcb_get_property(conn_, 0, window, atom(name), type, 0, 1u << 18), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || (type != XCB_ATOM_ANY && reply->type != type))
        return {};
    if (actualType)
        *actualType = reply->type;
    const int bytes = xcb_get_property_value_length(reply.get());
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())), bytes);
}

std::vector<quint32> XConnection::property32(xcb_window_t window, const char* name,
                                             xcb_atom_t type) const {
    const QByteArray raw = property(window, name, type);
    std::vector<quint32> items(raw.size() / 4);
    if (!items.empty())
        std::memcpy(items.data(), raw.constData(), items.size() * 4);
    return items;
}

void XConnection::sync() const {
    if (!conn_)
        return;
    Reply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
}

}  // namespace qv::platform::x11
