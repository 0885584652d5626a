#pragma once

#include "platform/ui_thread.h"

namespace nv::platform {

// The GUI thread of the running QApplication: tasks go through its event
// queue, and a wake signal is an eventfd watched by a socket notifier, so
// waking is one write on any thread.
class QtUiThread final : public UiThread {
 public:
  void Post(std::function<void()> task) override;
  std::unique_ptr<UiWakeSignal> MakeWakeSignal(std::function<void()> onWake) override;
};

}  // namespace nv::platform
