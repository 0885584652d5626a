#pragma once

#include <functional>
#include <memory>

namespace nv::platform {

// A signal that runs its handler on the GUI thread after Wake. Wake may be
// called from any thread, never allocates and never waits; wakes given
// before the handler runs are merged into one run.
class UiWakeSignal {
 public:
  virtual ~UiWakeSignal() = default;
  virtual void Wake() = 0;
};

// How code off the GUI thread hands work to it. The Qt layer fills one in;
// tests drive one by hand.
class UiThread {
 public:
  virtual ~UiThread() = default;
  // Runs `task` on the GUI thread later; tasks run in the order posted.
  virtual void Post(std::function<void()> task) = 0;
  // A wake signal whose handler `onWake` runs on the GUI thread. Made on the
  // GUI thread.
  virtual std::unique_ptr<UiWakeSignal> MakeWakeSignal(std::function<void()> onWake) = 0;
};

}  // namespace nv::platform
