#pragma once

#include <functional>

#include "document/note_preview.h"

namespace nv::widgets {

// A button that steps once when clicked and repeats while held, on a timer
// the caller hands in: every tick of the held button after the first makes
// one step, and the button's own click (at the release) makes one more. So
// a short click steps once and a button held for 350 ms at 100 ms a tick
// steps three times. The release itself makes no step. Buttons whose first
// tick steps too (the modify page's) step four times in those 350 ms.
class ClickRepeater {
 public:
  static constexpr int kIntervalMs = 100;
  enum class FirstTick { Waits, Steps };

  explicit ClickRepeater(nv::document::OneShotTimer& timer, int intervalMs = kIntervalMs,
                         FirstTick first = FirstTick::Waits)
      : timer_(timer), interval_(intervalMs), first_(first) {}
  ~ClickRepeater() { timer_.Stop(); }
  ClickRepeater(const ClickRepeater&) = delete;
  ClickRepeater& operator=(const ClickRepeater&) = delete;

  // Mouse down on a button whose step is `step`: the timer runs from now.
  void Press(std::function<void()> step);
  // Mouse up: the timer stops.
  void Release();
  bool Held() const { return static_cast<bool>(step_); }

 private:
  void Tick();

  nv::document::OneShotTimer& timer_;
  int interval_;
  FirstTick first_;
  std::function<void()> step_;
  bool repeated_ = false;
};

}  // namespace nv::widgets
