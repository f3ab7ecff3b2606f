#include "platform/linux/x11selection.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/linux/x11connection.h"

namespace qv::platform::x11 {

namespace {

struct Disconnect {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using OwnConnection = std::unique_ptr<xcb_connection_t, Disconnect>;

// More formats than any program offers; a list beyond it is read no further.
constexpr uint32_t kMostTargets = 1024;

std::vector<xcb_atom_t> internAtoms(xcb_connection_t* c, std::initializer_list<const char*> names) {
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const char* name : names)
        cookies.push_back(xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name));
    std::vector<xcb_atom_t> atoms;
    for (const auto& cookie : cookies) {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
        atoms.push_back(reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE));
    }
    return atoms;
}

// Waits for the owner's answer to our request, reading nothing else; false when the time is up
// or the owner refused.
bool awaitSelectionNotify(xcb_connection_t* c, xcb_window_t requestor,
                          const QDeadlineTimer& deadline) {
    pollfd readable{xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const Reply<xcb_generic_event_t> owned(event);
            if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
                continue;
            const auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
            if (notify->requestor == requestor)
                return notify->property != XCB_ATOM_NONE;
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || xcb_connection_has_error(c))
            return false;
        readable.revents = 0;
        ::poll(&readable, 1, int(left));
    }
}

QList<QByteArray> atomNames(xcb_connection_t* c, const xcb_atom_t* atoms, int count) {
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (int i = 0; i < count; ++i)
        cookies.push_back(xcb_get_atom_name(c, atoms[i]));
    QList<QByteArray> names;
    for (const auto& cookie : cookies) {
        Reply<xcb_get_atom_name_reply_t> reply(xcb_get_atom_name_reply(c, cookie, nullptr));
        if (reply)
            names.append(QByteArray(xcb_get_atom_name_name(reply.get()),
                                    xcb_get_atom_name_name_length(reply.get())));
    }
    return names;
}

}  // namespace

std::optional<QList<QByteArray>> clipboardTargets(const char* display, int deadlineMs) {
    const QDeadlineTimer deadline(deadlineMs);
    const OwnConnection own(xcb_connect(display, nullptr));
    xcb_connection_t* c = own.get();
    if (xcb_connection_has_error(c))
        return std::nullopt;
    const XConnection x(c);
    const std::vector<xcb_atom_t> atoms =
        internAtoms(c, {"CLIPBOARD", "TARGETS", "QUORVALLINE_CLIPBOARD_TARGETS"});
    const xcb_atom_t clipboard = atoms[0], targets = atoms[1], into = atoms[2];
    // The server itself answers at once, with no property, when no one owns the selection.
    const xcb_window_t requestor = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, requestor, x.root(), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_convert_selection(c, requestor, clipboard, targets, into, XCB_CURRENT_TIME);
    xcb_flush(c);
    if (!awaitSelectionNotify(c, requestor, deadline))
        return std::nullopt;
    Reply<xcb_get_property_reply_t> list(xcb_get_property_reply(
        c, xcb_get_property(c, 1, requestor, into, XCB_ATOM_ATOM, 0, kMostTargets), nullptr));
    // Some older programs give the list the type TARGETS instead of ATOM.
    if (!list || (list->type != XCB_ATOM_ATOM && list->type != targets) || list->format != 32)
        return std::nullopt;
    return atomNames(c, static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get())),
                     xcb_get_property_value_length(list.get()) / 4);
}

}  // namespace qv::platform::x11
