#pragma once

#include <cstdint>

namespace nv::widgets {

// Milliseconds of a steady clock; the controls' timing reads it so that tests
// can hold and move the time.
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual std::int64_t NowMs() const = 0;

  // The machine's steady clock.
  static const TickClock& Steady();
};

// A clock that moves only when told to.
class ManualTickClock final : public TickClock {
 public:
  std::int64_t NowMs() const override { return now_; }
  void Advance(std::int64_t ms) { now_ += ms; }
  void Set(std::int64_t ms) { now_ = ms; }

 private:
  std::int64_t now_ = 0;
};

}  // namespace nv::widgets
