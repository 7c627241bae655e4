#include "ui/qt/window_frame.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace kt::qt {

namespace {

// Window managers answer at once; one that has not within this time is taken not to answer at
// all, and the window is placed without its frame.
constexpr int kAnswerWithinMs = 250;

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> Owned<Reply> own(Reply* reply) {
    return {reply, &std::free};
}

struct Atoms {
    xcb_atom_t supported = XCB_ATOM_NONE;
    xcb_atom_t request = XCB_ATOM_NONE;
    xcb_atom_t extents = XCB_ATOM_NONE;
};

// The atoms exist only if a window manager (or some client) has named them; asked together, in
// one round trip.
Atoms atomsOf(xcb_connection_t* connection) {
    const auto cookie = [&](const char* name) {
        return xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name);
    };
    const std::array cookies{cookie("_NET_SUPPORTED"), cookie("_NET_REQUEST_FRAME_EXTENTS"),
                             cookie("_NET_FRAME_EXTENTS")};
    std::array<xcb_atom_t, 3> atoms{};
    for (std::size_t i = 0; i < cookies.size(); ++i)
        if (const auto reply = own(xcb_intern_atom_reply(connection, cookies[i], nullptr)))
            atoms[i] = reply->atom;
    return {atoms[0], atoms[1], atoms[2]};
}

bool announces(xcb_connection_t* connection, xcb_window_t root, const Atoms& atoms) {
    const auto reply = own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atoms.supported, XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* begin = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const auto* end = begin + xcb_get_property_value_length(reply.get()) / 4;
    return std::find(begin, end, atoms.request) != end;
}

// Ends the wait when the window manager sets the window's _NET_FRAME_EXTENTS.
class ExtentsWatch final : public QAbstractNativeEventFilter {
public:
    ExtentsWatch(xcb_window_t window, xcb_atom_t extents, QEventLoop& loop)
        : m_window(window), m_extents(extents), m_loop(loop) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        // The top bit of response_type marks an event another client sent (SendEvent); the
        // window manager may send the notification so, and it counts all the same.
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
            if (notify->window == m_window && notify->atom == m_extents)
                m_loop.quit();
        }
        return false;
    }

private:
    xcb_window_t m_window;
    xcb_atom_t m_extents;
    QEventLoop& m_loop;
};

} // namespace

std::optional<QMargins> frameBeforeShow(QWidget& window) {
    // Other platforms may offer an X11 interface too (offscreen does, without a connection).
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !x11->connection())
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const auto tree = xcb_query_tree(connection, id);
    const Atoms atoms = atomsOf(connection);
    const auto treeReply = own(xcb_query_tree_reply(connection, tree, nullptr));
    if (!treeReply || atoms.supported == XCB_ATOM_NONE || atoms.request == XCB_ATOM_NONE ||
        atoms.extents == XCB_ATOM_NONE || !announces(connection, treeReply->root, atoms))
        return std::nullopt;

    QEventLoop loop;
    ExtentsWatch watch(id, atoms.extents, loop);
    QAbstractEventDispatcher::instance()->installNativeEventFilter(&watch);
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = atoms.request;
    xcb_send_event(connection, 0, treeReply->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
    QTimer::singleShot(kAnswerWithinMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QAbstractEventDispatcher::instance()->removeNativeEventFilter(&watch);

    // Read even after the time is up: the answer may have come just then.
    const auto reply = own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, atoms.extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    const qreal ratio = window.devicePixelRatioF();
    const auto logical = [ratio](uint32_t pixels) {
        return static_cast<int>(std::lround(pixels / ratio));
    };
    // The property's order is left, right, top, bottom.
    return QMargins(logical(value[0]), logical(value[2]), logical(value[1]), logical(value[3]));
}

} // namespace kt::qt
