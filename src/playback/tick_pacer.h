#pragma once

#include <algorithm>
#include <cstdint>

// Absolute tick deadlines. A tick (1/128 of a whole note) lasts
// 6·10¹² / (tempo × 32 × scale) ns; the remainder of each division is
// carried into the next, so tick n falls exactly where n ticks belong and
// nothing drifts.
class TickPacer {
 public:
  static constexpr std::int64_t kTickNumerator = 6'000'000'000'000;
  // Length of one tick, rounded down.
  static std::int64_t TickNs(int tempo, int scale) { return kTickNumerator / Divisor(tempo, scale); }

  // Tick 0 falls on `time`.
  void Anchor(std::int64_t time) {
    deadline_ = time;
    carry_ = 0;
  }
  // From the next tick on; a change starts a new count from the current
  // deadline.
  void SetRate(int tempo, int scale) {
    const std::int64_t divisor = Divisor(tempo, scale);
    if (divisor != divisor_) carry_ = 0;
    divisor_ = divisor;
  }
  std::int64_t Deadline() const { return deadline_; }
  // Moves to the next tick and returns its deadline.
  std::int64_t Next() {
    const std::int64_t numerator = kTickNumerator + carry_;
    deadline_ += numerator / divisor_;
    carry_ = numerator % divisor_;
    return deadline_;
  }

 private:
  static std::int64_t Divisor(int tempo, int scale) {
    return std::int64_t{std::max(tempo, 1)} * 32 * std::max(scale, 1);
  }
  std::int64_t deadline_ = 0;
  std::int64_t carry_ = 0;
  std::int64_t divisor_ = 1;
};
