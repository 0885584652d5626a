#pragma once

#include <cstdint>
#include <string_view>

namespace nv::dialogs {

// Where a link clicked in the reference or news window goes.
enum class LinkRoute {
  Inside,   // a page or picture of the program's own: shown in the window
  Desktop,  // http, https, mailto: handed to the desktop
  Ignored,  // anything else; the windows fetch nothing themselves
};
// By the link's scheme (empty or "file" for a local page), case aside.
LinkRoute RouteOfLink(std::string_view scheme);

// When the main timer closes the splash: once it shows and more than
// kSplashMinimumMs have passed since the main window was made.
class SplashTiming {
 public:
  static constexpr std::int64_t kSplashMinimumMs = 1000;
  // The main window's creation ended at `ms` (the program's clock).
  void MainWindowMade(std::int64_t ms) { madeAt_ = ms; }
  bool CloseDue(std::int64_t nowMs, bool splashVisible) const {
    return splashVisible && madeAt_ >= 0 && nowMs - madeAt_ > kSplashMinimumMs;
  }

 private:
  std::int64_t madeAt_ = -1;
};

}  // namespace nv::dialogs
