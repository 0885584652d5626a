#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui_thread.h"

// A GUI thread driven by hand: posted tasks and woken signals wait until the
// test calls RunPending on its own thread.
class ManualUiThread final : public nv::platform::UiThread {
 public:
  void Post(std::function<void()> task) override {
    std::lock_guard<std::mutex> lock(lock_);
    tasks_.push_back(std::move(task));
  }
  std::unique_ptr<nv::platform::UiWakeSignal> MakeWakeSignal(std::function<void()> onWake) override {
    auto signal = std::make_unique<Signal>(*this, std::move(onWake));
    std::lock_guard<std::mutex> lock(lock_);
    signals_.push_back(signal.get());
    return signal;
  }
  // Runs the tasks posted so far, then the handler of every woken signal.
  void RunPending() {
    std::deque<std::function<void()>> tasks;
    {
      std::lock_guard<std::mutex> lock(lock_);
      tasks.swap(tasks_);
    }
    for (auto& task : tasks) task();
    std::vector<Signal*> signals;
    {
      std::lock_guard<std::mutex> lock(lock_);
      signals = signals_;
    }
    for (Signal* signal : signals)
      if (signal->Woken.exchange(false)) signal->OnWake();
  }
  int Wakes() const { return wakes_.load(); }

 private:
  struct Signal final : nv::platform::UiWakeSignal {
    Signal(ManualUiThread& owner, std::function<void()> onWake) : Owner(owner), OnWake(std::move(onWake)) {}
    ~Signal() override {
      std::lock_guard<std::mutex> lock(Owner.lock_);
      std::erase(Owner.signals_, this);
    }
    void Wake() override {
      Owner.wakes_.fetch_add(1);
      Woken.store(true);
    }
    ManualUiThread& Owner;
    std::function<void()> OnWake;
    std::atomic<bool> Woken{false};
  };
  std::mutex lock_;
  std::deque<std::function<void()>> tasks_;
  std::vector<Signal*> signals_;
  std::atomic<int> wakes_{0};
};
