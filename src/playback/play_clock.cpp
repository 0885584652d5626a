#include "playback/play_clock.h"

#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;
}

std::int64_t SteadyPlayClock::Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

bool SteadyPlayClock::SleepUntil(std::int64_t deadline) {
  const Clock::time_point until{std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(deadline))};
  std::unique_lock<std::mutex> lock(lock_);
  wake_.wait_until(lock, until, [this] { return interrupted_; });
  return !interrupted_;
}

void SteadyPlayClock::Interrupt() {
  {
    std::lock_guard<std::mutex> lock(lock_);
    interrupted_ = true;
  }
  wake_.notify_all();
}

void SteadyPlayClock::Rearm() {
  std::lock_guard<std::mutex> lock(lock_);
  interrupted_ = false;
}
