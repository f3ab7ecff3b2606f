#include "platform/linux/x11windows.h"

#include <xcb/res.h>

namespace qv::platform::x11 {

namespace {

constexpr uint32_t kSourcePager = 2;  // requests on the user's behalf are honoured at once

}  // namespace

bool X11Windows::hasWindowManager() const {
    const auto check = x_.property32(x_.root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    return !check.empty() && check.front() != XCB_WINDOW_NONE;
}

xcb_window_t X11Windows::topLevelOf(xcb_window_t window) const {
    xcb_window_t current = window;
    for (int depth = 0; depth < 64 && current != XCB_WINDOW_NONE; ++depth) {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(x_.get(), xcb_query_tree(x_.get(), current), nullptr));
        if (!tree)
            return XCB_WINDOW_NONE;
        if (tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return current;
        current = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

WindowId X11Windows::active() const {
    if (!x_.valid())
        return 0;
    const auto active = x_.property32(x_.root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    if (!active.empty())
        return active.front();
    Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(x_.get(), xcb_get_input_focus(x_.get()), nullptr));
    // PointerRoot (1) and None (0) mean no window has the focus.
    if (!focus || focus->focus <= 1 || focus->focus == x_.root())
        return 0;
    return topLevelOf(focus->focus);
}

QString X11Windows::title(WindowId window) const {
    if (!x_.valid() || window == 0)
        return {};
    const QByteArray utf8 = x_.property(window, "_NET_WM_NAME", x_.atom("UTF8_STRING"));
    if (!utf8.isEmpty())
        return QString::fromUtf8(utf8);
    xcb_atom_t type = XCB_ATOM_NONE;
    const QByteArray legacy = x_.property(window, "WM_NAME", XCB_ATOM_ANY, &type);
    // WM_NAME is ISO Latin-1 as STRING; clients that put UTF-8 there say UTF8_STRING.
    return type == x_.atom("UTF8_STRING") ? QString::fromUtf8(legacy) : QString::fromLatin1(legacy);
}

QRect X11Windows::frame(WindowId window) const {
    if (!x_.valid() || window == 0)
        return {};
    const auto w = static_cast<xcb_window_t>(window);
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x_.get(), xcb_get_window_attributes(x_.get(), w), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return {};
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x_.get(), xcb_get_geometry(x_.get(), w), nullptr));
    Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        x_.get(), xcb_translate_coordinates(x_.get(), w, x_.root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return {};
    QRect rect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    const auto extents = x_.property32(w, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    if (extents.size() == 4) {
        rect.adjust(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
    } else {
        const int border = geometry->border_width;
        rect.adjust(-border, -border, border, border);
    }
    return rect;
}

bool X11Windows::isDesktopType(WindowId window) const {
    if (!x_.valid() || window == 0 || window == x_.root())
        return true;
    return hasType(window, "_NET_WM_WINDOW_TYPE_DESKTOP");
}

bool X11Windows::isPanelType(WindowId window) const {
    return x_.valid() && window != 0 && hasType(window, "_NET_WM_WINDOW_TYPE_DOCK");
}

bool X11Windows::hasType(WindowId window, const char* typeName) const {
    const xcb_atom_t wanted = x_.atom(typeName);
    for (quint32 type : x_.property32(window, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM)) {
        if (type == wanted)
            return true;
    }
    return false;
}

bool X11Windows::exists(WindowId window) const {
    if (!x_.valid() || window == 0)
        return false;
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        x_.get(), xcb_get_window_attributes(x_.get(), static_cast<xcb_window_t>(window)), nullptr));
    return attributes != nullptr;
}

qint64 X11Windows::processId(WindowId window) const {
    const auto pid = x_.property32(window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
    return pid.empty() ? 0 : pid.front();
}

qint64 X11Windows::makerProcess(WindowId window) const {
    if (!x_.valid() || window == 0)
        return 0;
    const qint64 declared = processId(window);
    return declared != 0 ? declared : connectionProcess(window);
}

// Many programs never declare their process. The server knows it for every local connection,
// and a window's id names the connection that created it - for as long as the window lives:
// afterwards the same id may name a later connection.
qint64 X11Windows::connectionProcess(WindowId window) const {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(x_.get(), &xcb_res_id);
    if (!extension || !extension->present || !exists(window))
        return 0;
    xcb_res_client_id_spec_t wanted{};
    wanted.client = static_cast<uint32_t>(window);
    wanted.mask = XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID;
    Reply<xcb_res_query_client_ids_reply_t> reply(xcb_res_query_client_ids_reply(
        x_.get(), xcb_res_query_client_ids(x_.get(), 1, &wanted), nullptr));
    if (!reply)
        return 0;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem;
         xcb_res_client_id_value_next(&it)) {
        // Only the process was asked for, so every answer with a value is its id.
        if (xcb_res_client_id_value_value_length(it.data) > 0)
            return *xcb_res_client_id_value_value(it.data);
    }
    return 0;
}

WindowId X11Windows::findByProcess(qint64 pid) const {
    if (!x_.valid() || pid <= 0)
        return 0;
    std::vector<quint32> candidates = x_.property32(x_.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    if (candidates.empty()) {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(x_.get(), xcb_query_tree(x_.get(), x_.root()), nullptr));
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            candidates.assign(children, children + xcb_query_tree_children_length(tree.get()));
        }
    }
    for (quint32 w : candidates) {
        if (makerProcess(w) == pid)
            return w;
    }
    return 0;
}

bool X11Windows::restore(WindowId window) const {
    if (!exists(window))
        return false;
    const auto w = static_cast<xcb_window_t>(window);
    xcb_map_window(x_.get(), w);
    if (hasWindowManager()) {
        // The window manager de-iconifies, raises and focuses on this request.
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = w;
        message.type = x_.atom("_NET_ACTIVE_WINDOW");
        message.data.data32[0] = kSourcePager;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(x_.get(), 0, x_.root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    } else {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(x_.get(), w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(x_.get(), XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
    }
    xcb_flush(x_.get());
    return true;
}

}  // namespace qv::platform::x11
