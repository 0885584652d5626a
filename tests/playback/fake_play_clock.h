#pragma once

#include <condition_variable>
#include <cstdint>
#include <limits>
#include <mutex>

#include "playback/play_clock.h"

// A play clock that jumps to each deadline at once. A wait for a deadline at
// or after the hold time blocks, with the clock unmoved, until Interrupt.
class FakePlayClock final : public IPlayClock {
 public:
  std::int64_t Now() override {
    std::lock_guard<std::mutex> lock(lock_);
    return now_;
  }
  bool SleepUntil(std::int64_t deadline) override {
    std::unique_lock<std::mutex> lock(lock_);
    if (!interrupted_ && deadline >= holdFrom_) {
      held_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return interrupted_; });
      held_ = false;
    }
    if (interrupted_) return false;
    if (deadline > now_) now_ = deadline;
    now_ += stall_;
    stall_ = 0;
    return true;
  }
  void Interrupt() override {
    std::lock_guard<std::mutex> lock(lock_);
    interrupted_ = true;
    changed_.notify_all();
  }
  void Rearm() override {
    std::lock_guard<std::mutex> lock(lock_);
    interrupted_ = false;
  }
  void HoldFrom(std::int64_t time) {
    std::lock_guard<std::mutex> lock(lock_);
    holdFrom_ = time;
  }
  // The next wait ends `ns` late, as on a stalled machine.
  void StallNext(std::int64_t ns) {
    std::lock_guard<std::mutex> lock(lock_);
    stall_ = ns;
  }
  // Waits until the play thread is blocked in a held wait.
  void WaitUntilHeld() {
    std::unique_lock<std::mutex> lock(lock_);
    changed_.wait(lock, [this] { return held_; });
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::int64_t now_ = 0;
  std::int64_t stall_ = 0;
  std::int64_t holdFrom_ = std::numeric_limits<std::int64_t>::max();
  bool interrupted_ = false;
  bool held_ = false;
};
