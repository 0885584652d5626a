#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// The time the play thread paces by, in nanoseconds, and its wait, which
// Interrupt cuts short. Tests give the thread a clock they move by hand.
class IPlayClock {
 public:
  virtual ~IPlayClock() = default;
  virtual std::int64_t Now() = 0;
  // Waits until `deadline`; false, at once, once Interrupt has been called.
  virtual bool SleepUntil(std::int64_t deadline) = 0;
  // Ends the current wait and every later one until Rearm.
  virtual void Interrupt() = 0;
  virtual void Rearm() = 0;
};

// The machine's steady clock.
class SteadyPlayClock final : public IPlayClock {
 public:
  std::int64_t Now() override;
  bool SleepUntil(std::int64_t deadline) override;
  void Interrupt() override;
  void Rearm() override;

 private:
  std::mutex lock_;
  std::condition_variable wake_;
  bool interrupted_ = false;
};
