#include "platform/qt/display_check.h"

#include <cstdlib>
#include <string_view>

namespace nv::platform {

namespace {

std::string_view env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

}  // namespace

std::string missingDisplayReason() {
  const auto platform = env("QT_QPA_PLATFORM");
  // offscreen, minimal, vnc and the like need no display server.
  if (!platform.empty() && !platform.starts_with("xcb") && !platform.starts_with("wayland"))
    return {};
  if (platform.starts_with("wayland"))
    return env("WAYLAND_DISPLAY").empty() ? "no Wayland display: WAYLAND_DISPLAY is not set" : "";
  if (!env("DISPLAY").empty() || (platform.empty() && !env("WAYLAND_DISPLAY").empty()))
    return {};
  return "no display: DISPLAY is not set (start an X server or run under xvfb-run)";
}

}  // namespace nv::platform
