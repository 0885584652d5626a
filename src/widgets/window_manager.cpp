#include "widgets/window_manager.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace nv::widgets {

namespace {

// The display's connection, or null off X11.
xcb_connection_t* Connection() {
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 == nullptr ? nullptr : x11->connection();
}

xcb_window_t Root(xcb_connection_t* connection) {
  return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply == nullptr ? static_cast<xcb_atom_t>(XCB_ATOM_NONE) : reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

bool WindowManagerRunning() {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return false;
  const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
  if (check == XCB_ATOM_NONE) return false;
  xcb_get_property_reply_t* property = xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, Root(connection), check, XCB_ATOM_WINDOW, 0, 1), nullptr);
  const bool running = property != nullptr && xcb_get_property_value_length(property) > 0;
  std::free(property);
  return running;
}

bool StartWindowManagerMove(WId window, QPoint press) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr || !WindowManagerRunning()) return false;
  const xcb_atom_t moveResize = Atom(connection, "_NET_WM_MOVERESIZE");
  if (moveResize == XCB_ATOM_NONE) return false;
  // The window manager's request of the extended window manager hints:
  // pointer position, direction 8 (move), button 1, source 1 (a program).
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window);
  message.type = moveResize;
  message.data.data32[0] = static_cast<std::uint32_t>(press.x());
  message.data.data32[1] = static_cast<std::uint32_t>(press.y());
  message.data.data32[2] = 8;
  message.data.data32[3] = 1;
  message.data.data32[4] = 1;
  // The press's implicit grab would keep the pointer from the window manager.
  xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
  xcb_send_event(connection, 0, Root(connection),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  return true;
}

}  // namespace nv::widgets
