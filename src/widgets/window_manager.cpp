#include "widgets/window_manager.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace nv::widgets {

bool WindowManagerRunning() {
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return false;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 == nullptr ? nullptr : x11->connection();
  if (connection == nullptr) return false;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  constexpr char name[] = "_NET_SUPPORTING_WM_CHECK";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr);
  if (atom == nullptr) return false;
  bool running = false;
  if (atom->atom != XCB_ATOM_NONE) {
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    running = property != nullptr && xcb_get_property_value_length(property) > 0;
    std::free(property);
  }
  std::free(atom);
  return running;
}

}  // namespace nv::widgets
