#pragma once

#include <cstdint>

#include "widgets/logic/tick_clock.h"

namespace nv::widgets {

// The auto-repeat of a held arrow: one step at the press, then, once the arm
// delay has passed, one step every interval until the release. Steps fall at
// 0, arm + interval, arm + 2 intervals, ... after the press.
class RepeatTimer {
 public:
  RepeatTimer(const TickClock& clock, int armMs, int intervalMs)
      : clock_(clock), arm_(armMs), interval_(intervalMs) {}

  // The view's arrows arm after 200 ms and repeat every 50 ms; the grid's
  // timer ticks every 150 ms, arming on its first tick.
  static constexpr int kViewArmMs = 200;
  static constexpr int kViewRepeatMs = 50;
  static constexpr int kGridTickMs = 150;

  void SetTiming(int armMs, int intervalMs) {
    arm_ = armMs;
    interval_ = intervalMs;
  }

  // The press: one step is due at once.
  void Press();
  void Release() { held_ = false; }
  bool Held() const { return held_; }
  bool Armed() const;
  // The steps that fell due since the last call (the press's own included).
  int DueSteps();

 private:
  const TickClock& clock_;
  int arm_;
  int interval_;
  bool held_ = false;
  std::int64_t pressedAt_ = 0;
  std::int64_t stepsTaken_ = 0;
};

}  // namespace nv::widgets
