#include "platform/qt/display_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnv {
 public:
  void set(const char* name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) setenv(name, value, 1); else unsetenv(name);
  }
  ~ScopedEnv() {
    for (auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1); else unsetenv(name.c_str());
    }
  }
 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

struct DisplayCase {
  const char* name;
  const char* platform;
  const char* display;
  const char* wayland;
  bool canStart;
};

class DisplayCheck : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayCheck, TellsWhetherAGuiCanStart) {
  const auto& c = GetParam();
  ScopedEnv env;
  env.set("QT_QPA_PLATFORM", c.platform);
  env.set("DISPLAY", c.display);
  env.set("WAYLAND_DISPLAY", c.wayland);
  EXPECT_EQ(nv::platform::missingDisplayReason().empty(), c.canStart);
}

INSTANTIATE_TEST_SUITE_P(Environments, DisplayCheck, ::testing::Values(
    DisplayCase{"Nothing", nullptr, nullptr, nullptr, false},
    DisplayCase{"X11", nullptr, ":99", nullptr, true},
    DisplayCase{"Wayland", nullptr, nullptr, "wayland-0", true},
    DisplayCase{"Offscreen", "offscreen", nullptr, nullptr, true},
    DisplayCase{"XcbWithoutX", "xcb", nullptr, "wayland-0", false},
    DisplayCase{"Xcb", "xcb", ":0", nullptr, true},
    DisplayCase{"WaylandWithoutWayland", "wayland", ":0", nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
