// SPDX-License-Identifier: GPL-3.0-or-later
#include "XWindows.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

// xcb replies are malloc'ed.
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> Take(T* reply) {
    return Reply<T>(reply, &std::free);
}

} // namespace

TXDisplay::TXDisplay() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    Connection = connection;
    Root = screens.data->root;
}

TXDisplay::~TXDisplay() {
    if (Connection)
        xcb_disconnect(Connection);
}

uint32_t TXDisplay::Atom(const char* name) const {
    auto reply = Take(xcb_intern_atom_reply(
        Connection, xcb_intern_atom(Connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
}

bool TXDisplay::IsMapped(uint32_t window) const {
    auto reply = Take(xcb_get_window_attributes_reply(
        Connection, xcb_get_window_attributes(Connection, window), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

QList<uint32_t> TXDisplay::Children(uint32_t window) const {
    QList<uint32_t> children;
    auto reply =
        Take(xcb_query_tree_reply(Connection, xcb_query_tree(Connection, window), nullptr));
    if (!reply)
        return children;
    const xcb_window_t* ids = xcb_query_tree_children(reply.get());
    for (int i = 0; i < xcb_query_tree_children_length(reply.get()); ++i)
        children.append(ids[i]);
    return children;
}

TXWindow TXDisplay::Describe(uint32_t window) const {
    TXWindow described;
    described.Id = window;
    for (const auto& [property, type] :
         {std::pair{Atom("_NET_WM_NAME"), Atom("UTF8_STRING")},
          std::pair{uint32_t(XCB_ATOM_WM_NAME), uint32_t(XCB_GET_PROPERTY_TYPE_ANY)}}) {
        auto name = Take(xcb_get_property_reply(
            Connection, xcb_get_property(Connection, 0, window, property, type, 0, 1024), nullptr));
        if (name && xcb_get_property_value_length(name.get()) > 0) {
            described.Name =
                QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                                  xcb_get_property_value_length(name.get()));
            break;
        }
    }
    auto geometry =
        Take(xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, window), nullptr));
    auto origin = Take(xcb_translate_coordinates_reply(
        Connection, xcb_translate_coordinates(Connection, window, Root, 0, 0), nullptr));
    if (geometry && origin)
        described.Geometry = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    return described;
}

std::optional<TXWindow> TXDisplay::FindWindow(const QString& name) const {
    for (const TXWindow& window : Descendants(Root))
        if (window.Name == name)
            return window;
    return std::nullopt;
}

QList<TXWindow> TXDisplay::Descendants(uint32_t window) const {
    QList<TXWindow> found;
    for (uint32_t child : Children(window)) {
        if (!IsMapped(child))
            continue;
        found.append(Describe(child));
        found.back().Parent = window;
        found.append(Descendants(child));
    }
    return found;
}

bool TXDisplay::RequestClose(uint32_t window) const {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom("WM_PROTOCOLS");
    event.data.data32[0] = Atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_void_cookie_t sent = xcb_send_event_checked(Connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                                    reinterpret_cast<const char*>(&event));
    auto error = Take(xcb_request_check(Connection, sent));
    return !error;
}

std::optional<TXWindow> TXDisplay::WaitFor(const std::function<std::optional<TXWindow>()>& found,
                                           int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        if (std::optional<TXWindow> window = found())
            return window;
        if (deadline.hasExpired())
            return std::nullopt;
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
}
