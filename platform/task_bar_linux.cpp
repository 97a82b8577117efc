#include "platform/task_bar.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

} // namespace

void KeepOffTaskBar(QWidget& window)
{
    // X11 window managers and task bars read the window's state hints; Qt
    // keeps the ones it finds when it adds its own on showing. The Wayland
    // protocols Qt speaks have no such request: there, a window with a
    // parent is the compositor's to list or not.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const std::array<xcb_atom_t, 2> skip{InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                         InternAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window.winId()),
                        InternAtom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, skip.size(), skip.data());
    xcb_flush(connection);
}

} // namespace platform
